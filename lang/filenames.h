// File names kept in the program's 80-character buffers, whatever the length of their paths.
#pragma once

// Keeps a file-name buffer valid when the working folder changes: its name is given again
// relative to the new folder (or whole). Names equal to keep (when given) are left as they are.
class KeptFileName {
  public:
    explicit KeptFileName(char (&name)[80], const char* keep = nullptr);
};

// The box "File name too long (max is 80)" naming name; false.
bool tooLong(const char* name);
// Copies name into target. A path of 80 characters or more whose own name fits is kept as that
// name, and its folder becomes the working folder (every kept name follows). False, target
// untouched, after the box "File name too long (max is 80)" when even that cannot be done.
bool takeFileName(char (&target)[80], const char* name);

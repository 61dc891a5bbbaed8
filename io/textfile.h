// Opening and reading the program's text files.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>

// Whether the readers take pipes as files (the runner, whose users redirect into it) or only
// regular files (the window program, which must never wait on a pipe). Off at start.
void readPipes(bool allow);
// Opens name for reading as text; null when it cannot be opened or is not a file the readers
// take (a directory opens as a stream on Linux but holds no text, and a device such as
// /dev/zero would never end). Never waits for a pipe's writer unless pipes are taken.
FILE* openTextFile(const char* name);

// How reading a whole file ended.
enum class WholeFile { READ, CANNOT_READ, TOO_LARGE };
// Reads the regular file name into bytes, every byte as it is; a file of more than limit
// bytes is not read. bytes is left untouched unless the file was read.
WholeFile readWholeFile(const char* name, size_t limit, std::string& bytes);

// What the readers and writers need of the operating system, in one place: the safe save of a
// file, opening a file for reading, and the working folder. Implemented for POSIX in io/posix/.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

// A file opened for reading: its stream (null when it was not opened), whether it is a regular
// file, and its size then.
struct OpenedFile {
    FILE* fp = nullptr;
    bool regular = false;
    unsigned long long size = 0;
};
// Opens name for reading when it is a regular file, or a pipe when takePipes is set (a
// directory, a device or, unless taken, a pipe is refused). Never waits for a pipe's writer
// unless pipes are taken.
OpenedFile openForReading(const char* name, bool takePipes);

// The working folder's absolute path; empty when it cannot be told.
std::string workingFolder();
// The absolute path of the folder path, links resolved; empty when there is none.
std::string realFolder(const std::string& path);
// Makes path the working folder; false when it cannot be.
bool changeFolder(const std::string& path);

// What a name stands for, its links followed or not; NONE when there is nothing (errno says
// why).
enum class FileKind { NONE, REGULAR, FOLDER, OTHER };
FileKind fileKind(const std::string& path, bool followLinks = true);
// The names in a folder but "." and "..", in no order; 0, or the errno that stopped the listing.
int listFolder(const std::string& folder, std::vector<std::string>& names);
// Makes folder and the folders above it (mode 0700 for those made); 0, or the errno.
int makeFolders(const std::string& folder);
// The user's home folder.
std::string homeFolder();
// Writes text to a new file at path (mode 0666 & ~umask); false, with errno and nothing left,
// when path exists or the write fails.
bool writeNewFile(const std::string& path, const std::string& text);
// Moves the file path aside to path + suffix, or path + suffix + ".2" and on when that is
// taken; the name it got, or empty when it could not be moved.
std::string moveAside(const std::string& path, const std::string& suffix);

// Holds an exclusive lock on the lock file path (made when missing) while it lives; holds
// nothing when the file cannot be made.
class FileLock {
  public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

  private:
    int fd = -1;
};

// The outcome of a save: whether the new bytes are in the file; when they are not, the errno
// that stopped them and, when a write in place failed, the file that keeps the old text.
struct SaveOutcome {
    bool saved = false;
    // Set only when saved is false and the file was written in place: a file (in $TMPDIR or
    // /tmp, mode 0600) holding the old text, left for the user. The file itself may hold the
    // old text again (it is put back when that can be done) or a part of the new bytes.
    std::string keptOld;
    int error = 0; // the errno of the failure; 0 when saved
};

// Writes bytes to name. A symbolic link (or a chain of them) is followed to the file it names,
// which is created when it does not exist yet; the link stays. A new file gets mode
// 0666 & ~umask (and the folder's default ACL). An existing file must be writable by the user;
// its bytes are written to a new file beside it (created exclusively under an unpredictable
// name), which gets the file's mode, owner, group and extended attributes (ACLs), is flushed
// to disk and renamed over it. When that would not keep the file as the user knows it (it has
// other hard links, the folder refuses new files or the rename, the owner, group or
// attributes cannot be given to a new file), the file is written in place instead, after its
// old text was copied to a file in $TMPDIR or /tmp that is removed once the write succeeded
// and kept, named in keptOld, when it did not. A failure before a write in place leaves the
// file untouched and nothing beside it. A stream name (see outputStream) and a file that is not
// a regular one (a pipe, a terminal, a device) are written as they are, in place, with no new
// file. Never throws.
SaveOutcome saveFileSafely(const char* name, const std::string& bytes) noexcept;
// 0 when a save to name could be made now (the file, or for a new one its folder, may be
// written); else the errno that would stop it.
int cannotSave(const char* name);
// Removes the new file of a save in progress (for a signal handler: async-signal-safe).
void removeSaveInProgress();
// The descriptor an output name stands for: 1 for "-" and /dev/stdout, 2 for /dev/stderr, N for
// /dev/fd/N; -1 for any other name.
int outputStream(const char* name);
// True when the names a and b (stream names standing for their descriptors' files) name the
// same regular file, directly, through symbolic links or as two hard links; or, when neither
// file exists yet, the same place in the same folder.
bool sameFile(const char* a, const char* b);

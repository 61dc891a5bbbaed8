#include "io/system.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {

// A descriptor closed when it goes out of scope.
class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now; false when the close reports an error (EINTR still closes on Linux, and the
    // bytes were flushed before, so it is not one).
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 || errno == EINTR;
    }

  private:
    int fd_;
};

// A file created by the save, removed when it goes out of scope unless kept.
class Created {
  public:
    Created(int dirfd, std::string name) : dirfd_(dirfd), name_(std::move(name)) {}
    Created(const Created&) = delete;
    Created& operator=(const Created&) = delete;
    ~Created() { remove(); }
    void keep() { name_.clear(); }
    void remove() {
        if (name_.empty()) return;
        int saved = errno;
        unlinkat(dirfd_, name_.c_str(), 0);
        errno = saved;
        name_.clear();
    }

  private:
    int dirfd_;
    std::string name_;
};

// The new file of the save in progress, for a signal handler to remove.
volatile sig_atomic_t tempInProgress = 0;
int inProgressFolder = -1;
char inProgressName[256];

// Marks a new file as the save in progress for its lifetime.
class InProgress {
  public:
    InProgress(int dirfd, const std::string& name) {
        tempInProgress = 0;
        if (name.size() >= sizeof inProgressName) return;
        inProgressFolder = dirfd;
        std::memcpy(inProgressName, name.c_str(), name.size() + 1);
        tempInProgress = 1;
    }
    InProgress(const InProgress&) = delete;
    InProgress& operator=(const InProgress&) = delete;
    ~InProgress() { tempInProgress = 0; }
};

// Letters for unpredictable names: getrandom, or failing that a mix of the clock, the process
// and a counter (the exclusive create is what makes the name safe; this only makes it hard
// to guess).
void randomLetters(char* out, size_t n) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char raw[32];
    n = std::min(n, sizeof raw);
    if (getrandom(raw, n, GRND_NONBLOCK) != static_cast<ssize_t>(n)) {
        static std::atomic<unsigned long long> counter{0};
        timespec ts{};
        clock_gettime(CLOCK_REALTIME, &ts);
        unsigned long long x = static_cast<unsigned long long>(ts.tv_nsec) ^
                               (static_cast<unsigned long long>(ts.tv_sec) << 20) ^
                               (static_cast<unsigned long long>(getpid()) << 40) ^
                               (++counter * 0x9E3779B97F4A7C15ull) ^
                               static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&ts));
        for (size_t i = 0; i < n; ++i) { // splitmix64
            x += 0x9E3779B97F4A7C15ull;
            unsigned long long z = x;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            raw[i] = static_cast<unsigned char>(z ^ (z >> 31));
        }
    }
    for (size_t i = 0; i < n; ++i)
        out[i] = letters[raw[i] % (sizeof letters - 1)];
}

// At most 200 bytes of base, not cut inside a UTF-8 character, so that a name made of it with
// a few more letters stays within NAME_MAX.
std::string shortened(const std::string& base) {
    size_t len = std::min<size_t>(base.size(), 200);
    while (len > 0 && len < base.size() && (static_cast<unsigned char>(base[len]) & 0xC0) == 0x80)
        --len;
    return base.substr(0, len);
}

// Creates a new file prefix + 12 unpredictable letters in dirfd, exclusively (an existing
// name, a symbolic link among them, is never opened but another name tried). Its descriptor
// and name, or -1 with errno.
int createExclusive(int dirfd, const std::string& prefix, mode_t mode, std::string& name) {
    for (int tries = 0; tries < 100; ++tries) {
        char letters[12];
        randomLetters(letters, sizeof letters);
        name = prefix + std::string(letters, sizeof letters);
        int fd =
            openat(dirfd, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const std::string& bytes, off_t at) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n =
            pwrite(fd, bytes.data() + done, bytes.size() - done, at + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool readAll(int fd, std::string& bytes) {
    char chunk[65536];
    for (off_t at = 0;;) {
        ssize_t n = pread(fd, chunk, sizeof chunk, at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        bytes.append(chunk, static_cast<size_t>(n));
        at += n;
    }
}

std::string dirName(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string baseName(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The text of the symbolic link path, or false with errno.
bool readLink(const std::string& path, std::string& text) {
    std::vector<char> buffer(256);
    for (;;) {
        ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) return false;
        if (static_cast<size_t>(n) < buffer.size()) {
            text.assign(buffer.data(), static_cast<size_t>(n));
            return true;
        }
        if (buffer.size() >= 65536) {
            errno = ENAMETOOLONG;
            return false;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Follows name through symbolic links, as the kernel would, to the file they name (which need
// not exist). Like the kernel's protected_symlinks, a link in a sticky, world-writable folder is
// followed only when it belongs to the user or to the folder's owner. False with errno.
bool resolveTarget(const std::string& name, std::string& target) {
    std::string path = name;
    for (int hops = 0;; ++hops) {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0) {
            if (errno != ENOENT) return false;
            target = path; // a new file, or a missing folder that the save will report
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            target = path;
            return true;
        }
        if (hops == 40) {
            errno = ELOOP;
            return false;
        }
        std::string dir = dirName(path);
        struct stat dirSt;
        if (stat(dir.c_str(), &dirSt) != 0) return false;
        if ((dirSt.st_mode & S_ISVTX) && (dirSt.st_mode & S_IWOTH) && st.st_uid != geteuid() &&
            st.st_uid != dirSt.st_uid) {
            errno = EACCES;
            return false;
        }
        std::string text;
        if (!readLink(path, text)) return false;
        if (text.empty()) {
            errno = ENOENT;
            return false;
        }
        if (text[0] == '/')
            path = text;
        else if (dir == "/")
            path = dir + text;
        else
            path = dir + "/" + text;
    }
}

// The names of the extended attributes in a list from listxattr.
std::vector<std::string> attributeNames(const std::vector<char>& list) {
    std::vector<std::string> names;
    for (size_t at = 0; at < list.size();) {
        std::string one(list.data() + at);
        at += one.size() + 1;
        if (!one.empty()) names.push_back(one);
    }
    return names;
}

// Reads through get(buffer, size) (a listxattr or getxattr call) into bytes, growing the
// buffer when the value grew meanwhile. False with errno.
template <typename Get> bool readAttribute(Get get, std::vector<char>& bytes) {
    for (int tries = 0; tries < 5; ++tries) {
        ssize_t size = get(nullptr, 0);
        if (size < 0) return false;
        bytes.assign(static_cast<size_t>(size) + 1, '\0');
        ssize_t n = get(bytes.data(), bytes.size());
        if (n >= 0) {
            bytes.resize(static_cast<size_t>(n));
            return true;
        }
        if (errno != ERANGE) return false;
    }
    errno = ERANGE;
    return false;
}

bool unsupported(int error) {
    return error == ENOTSUP || error == EOPNOTSUPP;
}

// Gives the new file fd the extended attributes (POSIX ACLs among them) of the file path and
// no others. False when they cannot be made the same.
bool copyAttributes(const std::string& path, int fd) {
    std::vector<char> list, tempList;
    if (!readAttribute([&](char* b, size_t n) { return listxattr(path.c_str(), b, n); }, list)) {
        if (!unsupported(errno)) return false;
        list.clear();
    }
    if (!readAttribute([&](char* b, size_t n) { return flistxattr(fd, b, n); }, tempList)) {
        if (!unsupported(errno)) return false;
        tempList.clear();
    }
    std::vector<std::string> names = attributeNames(list), tempNames = attributeNames(tempList);
    for (const std::string& name : names) {
        std::vector<char> value, now;
        if (!readAttribute(
                [&](char* b, size_t n) { return getxattr(path.c_str(), name.c_str(), b, n); },
                value))
            return false;
        if (fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) == 0) continue;
        // Refused (a security label, say): enough when the new file has it already.
        if (!readAttribute([&](char* b, size_t n) { return fgetxattr(fd, name.c_str(), b, n); },
                           now) ||
            now != value)
            return false;
    }
    for (const std::string& name : tempNames) // a folder's default ACL, say
        if (std::find(names.begin(), names.end(), name) == names.end() &&
            fremovexattr(fd, name.c_str()) != 0)
            return false;
    return true;
}

// Gives the new file fd the owner, group, attributes and mode of the file path (stat st).
// False when any of them cannot be given.
bool keepIdentity(int fd, const struct stat& st, const std::string& path) {
    struct stat now;
    if (fstat(fd, &now) != 0) return false;
    if ((now.st_uid != st.st_uid || now.st_gid != st.st_gid) &&
        fchown(fd, st.st_uid, st.st_gid) != 0)
        return false;
    if (!copyAttributes(path, fd)) return false;
    if (fchmod(fd, st.st_mode & 07777) != 0) return false;
    // The system may drop bits silently (set-group-ID for a group the user is not in).
    return fstat(fd, &now) == 0 && now.st_uid == st.st_uid && now.st_gid == st.st_gid &&
           (now.st_mode & 07777) == (st.st_mode & 07777);
}

// Best effort: the folder's entry of a rename on disk too.
void syncFolder(int dirfd) {
    Fd dir(openat(dirfd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.ok()) fsync(dir.get());
}

enum class Step { DONE, RETRY };

Step failed(SaveOutcome& out, int error) {
    out.saved = false;
    out.error = error ? error : EIO;
    return Step::DONE;
}

// A new file for the old text of base in $TMPDIR, or /tmp when none can be made there; its
// descriptor, the folder's and the path, or -1 with errno.
int createKeeper(const std::string& base, Fd& dirfd, std::string& name, std::string& path) {
    std::vector<std::string> dirs;
    const char* tmpdir = std::getenv("TMPDIR");
    if (tmpdir && *tmpdir) dirs.push_back(tmpdir);
    if (dirs.empty() || dirs[0] != "/tmp") dirs.push_back("/tmp");
    int error = ENOENT;
    for (const std::string& dir : dirs) {
        dirfd.reset(open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!dirfd.ok()) {
            error = errno;
            continue;
        }
        int fd = createExclusive(dirfd.get(), shortened(base) + ".old-", 0600, name);
        if (fd >= 0) {
            path = dir == "/" || dir.back() == '/' ? dir + name : dir + "/" + name;
            return fd;
        }
        error = errno;
    }
    errno = error;
    return -1;
}

// Writes bytes over the file base in dirfd (stat st) in place, after copying its old text to a
// kept file.
Step writeInPlace(int dirfd, const std::string& base, const struct stat& st,
                  const std::string& bytes, SaveOutcome& out) {
    Fd fd(openat(dirfd, base.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.ok()) return errno == ELOOP ? Step::RETRY : failed(out, errno);
    struct stat now;
    if (fstat(fd.get(), &now) != 0) return failed(out, errno);
    if (!S_ISREG(now.st_mode) || now.st_dev != st.st_dev || now.st_ino != st.st_ino)
        return Step::RETRY; // replaced since it was looked at
    if (fcntl(fd.get(), F_SETFL, fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK) != 0)
        return failed(out, errno);

    std::string old;
    if (!readAll(fd.get(), old)) return failed(out, errno);
    Fd keeperDir;
    std::string keeperName, keeperPath;
    Fd keeper(createKeeper(base, keeperDir, keeperName, keeperPath));
    if (!keeper.ok()) return failed(out, errno);
    Created kept(keeperDir.get(), keeperName);
    if (!writeAll(keeper.get(), old, 0) || fsync(keeper.get()) != 0 || !keeper.close())
        return failed(out, errno);

    // From here the old text is kept unless the new bytes are all in the file.
    out.keptOld.swap(keeperPath);
    kept.keep();
    bool ok = writeAll(fd.get(), bytes, 0) &&
              ftruncate(fd.get(), static_cast<off_t>(bytes.size())) == 0 && fsync(fd.get()) == 0;
    if (!ok) {
        int error = errno;
        // Put the old text back where it can be; the kept copy stays either way.
        if (ftruncate(fd.get(), 0) == 0 && writeAll(fd.get(), old, 0)) fsync(fd.get());
        return failed(out, error);
    }
    unlinkat(keeperDir.get(), keeperName.c_str(), 0);
    out.keptOld.clear();
    out.saved = true;
    out.error = 0;
    return Step::DONE;
}

bool refusedNewFile(int error) {
    return error == EACCES || error == EPERM || error == ENOSPC || error == EDQUOT;
}

// Writes bytes to the descriptor where it stands (at its end when it appends).
Step writeStream(int fd, const std::string& bytes, SaveOutcome& out) {
    std::fflush(nullptr); // what was printed before comes first
    for (size_t done = 0; done < bytes.size();) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return failed(out, n < 0 ? errno : ENOSPC);
        done += static_cast<size_t>(n);
    }
    out.saved = true;
    out.error = 0;
    return Step::DONE;
}

// Writes bytes into a file that is not a regular one (a pipe, a terminal, a device) as it is.
// A pipe nobody reads is refused rather than waited for.
Step writeSpecial(int dirfd, const std::string& base, const std::string& bytes, SaveOutcome& out) {
    Fd fd(openat(dirfd, base.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.ok()) return errno == ELOOP ? Step::RETRY : failed(out, errno);
    if (fcntl(fd.get(), F_SETFL, fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK) != 0)
        return failed(out, errno);
    return writeStream(fd.get(), bytes, out);
}

Step saveOnce(const char* name, const std::string& bytes, SaveOutcome& out) {
    if (!name || !*name) return failed(out, ENOENT);
    int stream = outputStream(name);
    if (stream >= 0) return writeStream(stream, bytes, out);
    std::string target;
    if (!resolveTarget(name, target)) return failed(out, errno);
    std::string dir = dirName(target), base = baseName(target);
    if (base.empty() || base == "." || base == "..") return failed(out, EISDIR);
    Fd dirfd(open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!dirfd.ok()) return failed(out, errno);

    struct stat st;
    bool exists = fstatat(dirfd.get(), base.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT) return failed(out, errno);
    if (exists) {
        if (S_ISLNK(st.st_mode)) return Step::RETRY; // made a link since it was resolved
        if (S_ISDIR(st.st_mode)) return failed(out, EISDIR);
        if (!S_ISREG(st.st_mode)) return writeSpecial(dirfd.get(), base, bytes, out);
        // A file the user may not write is not replaced behind its back.
        if (faccessat(dirfd.get(), base.c_str(), W_OK, AT_EACCESS) != 0) return failed(out, errno);
        if (st.st_nlink > 1) return writeInPlace(dirfd.get(), base, st, bytes, out);
    }

    std::string tempName;
    Fd temp(
        createExclusive(dirfd.get(), "." + shortened(base) + ".", exists ? 0600 : 0666, tempName));
    if (!temp.ok()) {
        if (exists && refusedNewFile(errno)) return writeInPlace(dirfd.get(), base, st, bytes, out);
        return failed(out, errno);
    }
    Created created(dirfd.get(), tempName);
    InProgress inProgress(dirfd.get(), tempName);
    if (exists && !keepIdentity(temp.get(), st, target)) {
        created.remove();
        temp.close();
        return writeInPlace(dirfd.get(), base, st, bytes, out);
    }
    if (!writeAll(temp.get(), bytes, 0) || fsync(temp.get()) != 0 || !temp.close())
        return failed(out, errno);

    int renamed;
    if (exists) {
        renamed = renameat(dirfd.get(), tempName.c_str(), dirfd.get(), base.c_str());
    } else {
        // A file made meanwhile under the name is not replaced unseen: the save starts again.
        renamed =
            renameat2(dirfd.get(), tempName.c_str(), dirfd.get(), base.c_str(), RENAME_NOREPLACE);
        if (renamed != 0 && (errno == EINVAL || errno == ENOSYS))
            renamed = renameat(dirfd.get(), tempName.c_str(), dirfd.get(), base.c_str());
    }
    if (renamed != 0) {
        int error = errno;
        created.remove();
        if (!exists && error == EEXIST) return Step::RETRY;
        // A sticky folder lets the user write the file but not replace it.
        if (exists && (error == EPERM || error == EACCES))
            return writeInPlace(dirfd.get(), base, st, bytes, out);
        return failed(out, error);
    }
    created.keep();
    syncFolder(dirfd.get());
    out.saved = true;
    out.error = 0;
    return Step::DONE;
}

} // namespace

int cannotSave(const char* name) {
    if (outputStream(name) >= 0) return 0;
    std::string target;
    if (!resolveTarget(name, target)) return errno;
    struct stat st;
    bool exists = lstat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return EISDIR;
    const std::string& checked = exists ? target : dirName(target);
    return access(checked.c_str(), exists ? W_OK : W_OK | X_OK) == 0 ? 0 : errno;
}

void removeSaveInProgress() {
    if (tempInProgress) unlinkat(inProgressFolder, inProgressName, 0);
    tempInProgress = 0;
}

int outputStream(const char* name) {
    if (std::strcmp(name, "-") == 0 || std::strcmp(name, "/dev/stdout") == 0) return 1;
    if (std::strcmp(name, "/dev/stderr") == 0) return 2;
    const char prefix[] = "/dev/fd/";
    if (std::strncmp(name, prefix, sizeof prefix - 1) != 0) return -1;
    const char* digits = name + sizeof prefix - 1;
    if (!*digits) return -1;
    long fd = 0;
    for (const char* p = digits; *p; ++p) {
        if (*p < '0' || *p > '9' || fd > 100000000) return -1;
        fd = fd * 10 + (*p - '0');
    }
    return static_cast<int>(fd);
}

namespace {

// The file a name stands for, a stream name for its descriptor's; false with errno.
bool statOutput(const char* name, struct stat& st) {
    int fd = outputStream(name);
    return (fd >= 0 ? fstat(fd, &st) : stat(name, &st)) == 0;
}

// The same entry of one folder, named so in two ways (for files not there yet).
bool sameEntry(const std::string& a, const std::string& b) {
    std::string ta, tb;
    struct stat da, db;
    if (!resolveTarget(a, ta) || !resolveTarget(b, tb) || baseName(ta) != baseName(tb))
        return false;
    return stat(dirName(ta).c_str(), &da) == 0 && stat(dirName(tb).c_str(), &db) == 0 &&
           da.st_dev == db.st_dev && da.st_ino == db.st_ino;
}

} // namespace

bool sameFile(const char* a, const char* b) {
    struct stat sa, sb;
    bool hasA = statOutput(a, sa), hasB = statOutput(b, sb);
    if (hasA && hasB)
        return S_ISREG(sa.st_mode) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return !hasA && !hasB && outputStream(a) < 0 && outputStream(b) < 0 && sameEntry(a, b);
}

SaveOutcome saveFileSafely(const char* name, const std::string& bytes) noexcept {
    SaveOutcome out;
    try {
        // Another attempt when the file changed under the save (turned into a link, replaced,
        // created), a few times at most.
        for (int attempt = 0; attempt < 4; ++attempt)
            if (saveOnce(name, bytes, out) == Step::DONE) return out;
        out.saved = false;
        out.error = EAGAIN;
    } catch (...) { // out of memory: what was made is removed as it unwinds
        out.saved = false;
        out.error = ENOMEM;
    }
    return out;
}

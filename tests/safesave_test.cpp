// The careful save: links, modes, owners, hard links, refusing folders, planted links and a
// full disk.
#include <gtest/gtest.h>

#include "io/system.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr uid_t NOBODY = 65534;
const std::string OLD = "define main as { move }\n";
const std::string NEW = "define main as { left left left }\n";

using Names = std::vector<std::string>;

class SafeSaveTest : public ::testing::Test {
  protected:
    std::string dir, tmp, mounted;
    std::string oldTmpdir;
    bool hadTmpdir = false;

    void SetUp() override {
        char pattern[] = "/tmp/pindle-save-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        chmod(dir.c_str(), 0755); // nobody must reach the folders inside
        // The kept old texts go to a folder of the test's own, where leftovers show.
        tmp = dir + "/tmp";
        ASSERT_EQ(mkdir(tmp.c_str(), 0777), 0);
        chmod(tmp.c_str(), 0777);
        const char* t = std::getenv("TMPDIR");
        hadTmpdir = t != nullptr;
        if (t) oldTmpdir = t;
        setenv("TMPDIR", tmp.c_str(), 1);
    }
    void TearDown() override {
        if (!mounted.empty()) umount2(mounted.c_str(), MNT_DETACH);
        if (hadTmpdir)
            setenv("TMPDIR", oldTmpdir.c_str(), 1);
        else
            unsetenv("TMPDIR");
        std::error_code error;
        std::filesystem::remove_all(dir, error);
        EXPECT_FALSE(error) << error.message();
    }

    std::string path(const std::string& name) const { return dir + "/" + name; }
    std::string write(const std::string& name, const std::string& text, mode_t mode = 0644) {
        std::string p = path(name);
        std::ofstream(p, std::ios::binary) << text;
        chmod(p.c_str(), mode);
        return p;
    }
    static std::string read(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static struct stat lookAt(const std::string& p) {
        struct stat st {};
        lstat(p.c_str(), &st);
        return st;
    }
    // The names in folder d, sorted.
    static Names entries(const std::string& d) {
        Names names;
        if (DIR* dp = opendir(d.c_str())) {
            while (dirent* e = readdir(dp))
                if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                    names.push_back(e->d_name);
            closedir(dp);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // saveFileSafely run by the user nobody in a child; its outcome. skipped is set when root
    // cannot be given up here.
    static SaveOutcome saveAsNobody(const std::string& name, const std::string& bytes,
                                    bool& skipped) {
        SaveOutcome out;
        skipped = true;
        int p[2];
        if (pipe(p) != 0) return out;
        pid_t pid = fork();
        if (pid == 0) {
            close(p[0]);
            if (setgroups(0, nullptr) != 0 || setgid(NOBODY) != 0 || setuid(NOBODY) != 0) _exit(2);
            SaveOutcome o = saveFileSafely(name.c_str(), bytes);
            std::string report =
                std::to_string(o.saved) + " " + std::to_string(o.error) + " " + o.keptOld;
            ssize_t n = ::write(p[1], report.data(), report.size());
            _exit(n == static_cast<ssize_t>(report.size()) ? 0 : 3);
        }
        close(p[1]);
        std::string report;
        char chunk[512];
        ssize_t n;
        while ((n = ::read(p[0], chunk, sizeof chunk)) > 0)
            report.append(chunk, n);
        close(p[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) == 2) return out;
        skipped = false;
        std::istringstream in(report);
        in >> out.saved >> out.error;
        in.get();
        std::getline(in, out.keptOld);
        return out;
    }
};

#define SKIP_UNLESS_ROOT()                                                                         \
    if (geteuid() != 0) GTEST_SKIP() << "needs root (to act as nobody, chown or mount)"

#define SAVE_AS_NOBODY(out, name, bytes)                                                           \
    bool skipped = false;                                                                          \
    SaveOutcome out = saveAsNobody(name, bytes, skipped);                                          \
    if (skipped) GTEST_SKIP() << "cannot give up root here to test this"

TEST_F(SafeSaveTest, SymbolicLinksAreFollowedAndStay) {
    // A chain: link2 -> other/link1 -> ../file, the links relative to their own folders.
    std::string file = write("file", OLD);
    ASSERT_EQ(mkdir(path("other").c_str(), 0755), 0);
    ASSERT_EQ(symlink("../file", path("other/link1").c_str()), 0);
    ASSERT_EQ(symlink("other/link1", path("link2").c_str()), 0);
    ino_t inode = lookAt(file).st_ino;
    SaveOutcome out = saveFileSafely(path("link2").c_str(), NEW);
    EXPECT_TRUE(out.saved);
    EXPECT_EQ(out.keptOld, "");
    EXPECT_EQ(read(file), NEW);
    EXPECT_TRUE(S_ISLNK(lookAt(path("link2")).st_mode));
    EXPECT_TRUE(S_ISLNK(lookAt(path("other/link1")).st_mode));
    EXPECT_NE(lookAt(file).st_ino, inode) << "a single link is saved by a rename";

    // A dangling link: the file it names is made, and the link stays.
    ASSERT_EQ(symlink("other/made", path("dangling").c_str()), 0);
    EXPECT_TRUE(saveFileSafely(path("dangling").c_str(), NEW).saved);
    EXPECT_EQ(read(path("other/made")), NEW);
    EXPECT_TRUE(S_ISLNK(lookAt(path("dangling")).st_mode));

    // A loop is refused, and nothing is made.
    ASSERT_EQ(symlink("loopB", path("loopA").c_str()), 0);
    ASSERT_EQ(symlink("loopA", path("loopB").c_str()), 0);
    out = saveFileSafely(path("loopA").c_str(), NEW);
    EXPECT_FALSE(out.saved);
    EXPECT_EQ(out.error, ELOOP);

    EXPECT_EQ(entries(dir), (Names{"dangling", "file", "link2", "loopA", "loopB", "other", "tmp"}));
    EXPECT_EQ(entries(path("other")), (Names{"link1", "made"}));
    EXPECT_EQ(entries(tmp), Names{});
}

TEST_F(SafeSaveTest, LinksPlantedByOthersAreNotFollowed) {
    // At the names a careless save would write first.
    std::string victim = write("victim", "precious\n");
    std::string file = write("file.pnd", OLD);
    for (const char* planted : {"file.pnd.saving", ".file.pnd.swp", "file.pnd~", "file.pnd.tmp"})
        ASSERT_EQ(symlink(victim.c_str(), path(planted).c_str()), 0);
    EXPECT_TRUE(saveFileSafely(file.c_str(), NEW).saved);
    EXPECT_EQ(read(file), NEW);
    EXPECT_EQ(read(victim), "precious\n");
    EXPECT_EQ(entries(dir), (Names{".file.pnd.swp", "file.pnd", "file.pnd.saving", "file.pnd.tmp",
                                   "file.pnd~", "tmp", "victim"}));
    EXPECT_TRUE(S_ISLNK(lookAt(path("file.pnd.saving")).st_mode));

    // In a sticky, world-writable folder, a link of another user is not followed (as the
    // kernel's protected_symlinks does), not even by root.
    if (geteuid() != 0) return;
    ASSERT_EQ(mkdir(path("shared").c_str(), 01777), 0);
    chmod(path("shared").c_str(), 01777);
    std::string trap = path("shared/trap.pnd");
    ASSERT_EQ(symlink(victim.c_str(), trap.c_str()), 0);
    ASSERT_EQ(lchown(trap.c_str(), 12345, 12345), 0);
    SaveOutcome out = saveFileSafely(trap.c_str(), NEW);
    EXPECT_FALSE(out.saved);
    EXPECT_EQ(out.error, EACCES);
    EXPECT_EQ(read(victim), "precious\n");
    EXPECT_EQ(entries(path("shared")), Names{"trap.pnd"});
}

TEST_F(SafeSaveTest, ModesOwnerGroupAndAttributesAreKept) {
    for (mode_t mode : {0600, 0755, 0640}) {
        std::string file = write("m" + std::to_string(mode), OLD, mode);
        EXPECT_TRUE(saveFileSafely(file.c_str(), NEW).saved);
        EXPECT_EQ(read(file), NEW);
        EXPECT_EQ(lookAt(file).st_mode & 07777, mode);
    }
    // A new file: 0666 less the umask.
    for (mode_t mask : {022, 077}) {
        mode_t before = umask(mask);
        std::string file = path("new" + std::to_string(mask));
        EXPECT_TRUE(saveFileSafely(file.c_str(), NEW).saved);
        umask(before);
        EXPECT_EQ(read(file), NEW);
        EXPECT_EQ(lookAt(file).st_mode & 07777, 0666 & ~mask);
    }
    // An extended attribute (an ACL is one) is kept, and none is added.
    std::string tagged = write("tagged", OLD);
    if (setxattr(tagged.c_str(), "user.pindle", "teacher", 7, 0) == 0) {
        EXPECT_TRUE(saveFileSafely(tagged.c_str(), NEW).saved);
        char value[16] = {};
        EXPECT_EQ(getxattr(tagged.c_str(), "user.pindle", value, sizeof value), 7);
        EXPECT_STREQ(value, "teacher");
        EXPECT_EQ(read(tagged), NEW);
    }
    if (geteuid() == 0) {
        std::string owned = write("owned", OLD, 0640);
        ASSERT_EQ(chown(owned.c_str(), 12345, 12345), 0);
        EXPECT_TRUE(saveFileSafely(owned.c_str(), NEW).saved);
        EXPECT_EQ(lookAt(owned).st_uid, 12345u);
        EXPECT_EQ(lookAt(owned).st_gid, 12345u);
        EXPECT_EQ(lookAt(owned).st_mode & 07777, 0640u);
        EXPECT_EQ(read(owned), NEW);
    }
    EXPECT_EQ(entries(tmp), Names{});
}

TEST_F(SafeSaveTest, HardLinkedFileIsWrittenInPlace) {
    std::string file = write("file", OLD + OLD + OLD); // longer than the new text: cut to it
    ASSERT_EQ(link(file.c_str(), path("other").c_str()), 0);
    ino_t inode = lookAt(file).st_ino;
    SaveOutcome out = saveFileSafely(file.c_str(), NEW);
    EXPECT_TRUE(out.saved);
    EXPECT_EQ(out.keptOld, "");
    EXPECT_EQ(read(file), NEW);
    EXPECT_EQ(read(path("other")), NEW);
    EXPECT_EQ(lookAt(file).st_ino, inode);
    EXPECT_EQ(lookAt(file).st_nlink, 2u);
    EXPECT_EQ(entries(dir), (Names{"file", "other", "tmp"}));
    EXPECT_EQ(entries(tmp), Names{}) << "the copy of the old text is removed";
}

TEST_F(SafeSaveTest, FolderThatRefusesNewFilesIsWrittenInPlace) {
    SKIP_UNLESS_ROOT();
    ASSERT_EQ(mkdir(path("locked").c_str(), 0755), 0);
    std::string file = write("locked/file", OLD, 0666);
    chmod(path("locked").c_str(), 0555);
    ino_t inode = lookAt(file).st_ino;
    SAVE_AS_NOBODY(out, file, NEW);
    EXPECT_TRUE(out.saved) << strerror(out.error);
    EXPECT_EQ(out.keptOld, "");
    EXPECT_EQ(read(file), NEW);
    EXPECT_EQ(lookAt(file).st_ino, inode);
    EXPECT_EQ(lookAt(file).st_uid, 0u);
    EXPECT_EQ(lookAt(file).st_mode & 07777, 0666u);
    EXPECT_EQ(entries(path("locked")), Names{"file"});
    EXPECT_EQ(entries(tmp), Names{});

    // No file is made where the folder refuses it.
    SaveOutcome made = saveAsNobody(path("locked/new"), NEW, skipped);
    EXPECT_FALSE(made.saved);
    EXPECT_EQ(made.error, EACCES);
    EXPECT_EQ(entries(path("locked")), Names{"file"});
}

TEST_F(SafeSaveTest, OwnerThatCannotBeKeptIsWrittenInPlace) {
    SKIP_UNLESS_ROOT();
    ASSERT_EQ(mkdir(path("open").c_str(), 0777), 0);
    chmod(path("open").c_str(), 0777);
    std::string file = write("open/file", OLD, 0666);
    ino_t inode = lookAt(file).st_ino;
    SAVE_AS_NOBODY(out, file, NEW);
    EXPECT_TRUE(out.saved) << strerror(out.error);
    EXPECT_EQ(read(file), NEW);
    EXPECT_EQ(lookAt(file).st_ino, inode);
    EXPECT_EQ(lookAt(file).st_uid, 0u);
    EXPECT_EQ(lookAt(file).st_gid, 0u);
    EXPECT_EQ(entries(path("open")), Names{"file"});
    EXPECT_EQ(entries(tmp), Names{});

    // A file the user may not write is not replaced, though the folder would allow it.
    std::string readOnly = write("open/readonly", OLD, 0444);
    ASSERT_EQ(chown(readOnly.c_str(), NOBODY, NOBODY), 0);
    SaveOutcome refused = saveAsNobody(readOnly, NEW, skipped);
    EXPECT_FALSE(refused.saved);
    EXPECT_EQ(refused.error, EACCES);
    EXPECT_EQ(read(readOnly), OLD);
    EXPECT_EQ(entries(path("open")), (Names{"file", "readonly"}));
}

TEST_F(SafeSaveTest, FullDiskLeavesTheOldTextReadable) {
    SKIP_UNLESS_ROOT();
    std::string small = path("small");
    ASSERT_EQ(mkdir(small.c_str(), 0755), 0);
    if (mount("tmpfs", small.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0755") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << strerror(errno);
    mounted = small;
    const std::string huge(256 * 1024, 'x');

    // Beside a single link: the rename never happens, the file is untouched.
    std::string file = write("small/file", OLD);
    SaveOutcome out = saveFileSafely(file.c_str(), huge);
    EXPECT_FALSE(out.saved);
    EXPECT_EQ(out.error, ENOSPC);
    EXPECT_EQ(out.keptOld, "");
    EXPECT_EQ(read(file), OLD);
    EXPECT_EQ(entries(small), Names{"file"});

    // In place, for a hard-linked file: the old text is kept (and put back).
    ASSERT_EQ(link(file.c_str(), path("small/other").c_str()), 0);
    out = saveFileSafely(file.c_str(), huge);
    EXPECT_FALSE(out.saved);
    EXPECT_EQ(out.error, ENOSPC);
    ASSERT_NE(out.keptOld, "");
    EXPECT_EQ(out.keptOld.rfind(tmp + "/file.old-", 0), 0u) << out.keptOld;
    EXPECT_EQ(read(out.keptOld), OLD);
    EXPECT_EQ(lookAt(out.keptOld).st_mode & 07777, 0600u);
    EXPECT_EQ(read(file), OLD);
    EXPECT_EQ(read(path("small/other")), OLD);
    EXPECT_EQ(entries(small), (Names{"file", "other"}));
    unlink(out.keptOld.c_str());

    EXPECT_EQ(umount2(small.c_str(), 0), 0);
    mounted.clear();
}

TEST_F(SafeSaveTest, SameFileSeesLinksHardLinksStreamsAndNamesOfOneNewFile) {
    std::string file = write("a.pnd", OLD);
    ASSERT_EQ(link(file.c_str(), path("hard.pnd").c_str()), 0);
    ASSERT_EQ(symlink("a.pnd", path("soft.pnd").c_str()), 0);
    EXPECT_TRUE(sameFile(path("hard.pnd").c_str(), file.c_str()));
    EXPECT_TRUE(sameFile(path("soft.pnd").c_str(), path("hard.pnd").c_str()));
    EXPECT_FALSE(sameFile(write("b.pnd", OLD).c_str(), file.c_str()));
    EXPECT_TRUE(sameFile(path("new.csv").c_str(), (dir + "/./new.csv").c_str()));
    EXPECT_FALSE(sameFile(path("new.csv").c_str(), path("new.xml").c_str()));
    EXPECT_FALSE(sameFile("/dev/null", "/dev/null")) << "only regular files";
    EXPECT_EQ(outputStream("-"), 1);
    EXPECT_EQ(outputStream("/dev/stderr"), 2);
    EXPECT_EQ(outputStream("/dev/fd/7"), 7);
    EXPECT_EQ(outputStream("/dev/fd/7x"), -1);
    EXPECT_EQ(outputStream("/dev/f"), -1);
}

TEST_F(SafeSaveTest, AFileThatIsNotRegularIsWrittenInPlaceWithNothingBesideIt) {
    std::string fifo = path("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(saveFileSafely(fifo.c_str(), NEW).error, ENXIO) << "nobody reads it: not waited for";
    std::string got;
    std::thread reader([&] { got = read(fifo); });
    SaveOutcome out;
    for (int tries = 0; tries < 200 && !out.saved; ++tries, usleep(5000))
        out = saveFileSafely(fifo.c_str(), NEW);
    reader.join();
    EXPECT_TRUE(out.saved);
    EXPECT_EQ(got, NEW);
    EXPECT_EQ(entries(dir), (Names{"pipe", "tmp"}));
    EXPECT_EQ(cannotSave(path("none/x.csv").c_str()), ENOENT);
    EXPECT_EQ(cannotSave(path("x.csv").c_str()), 0);
}

} // namespace

#include "framework/platform/LinuxPlatform.h"
#include "framework/platform/FakePlatform.h"
#include "framework/platform/Platform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <sched.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace framework::platform;
using testsupport::TempFolder;

namespace {

unsigned CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

}  // namespace

// --- The mount table ---

TEST(MountInfoParse, ReadsFieldsAroundOptionalFields) {
    const auto mounts = ParseMountInfo(
        "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 shared:7 - ext3 /dev/root rw,errors=continue\n"
        "40 36 8:17 / /media/u/STICK rw,nosuid - vfat /dev/sdb1 rw,uid=1000\n");
    ASSERT_EQ(mounts.size(), 2u);
    EXPECT_EQ(mounts[0].Major, 98u);
    EXPECT_EQ(mounts[0].Minor, 0u);
    EXPECT_EQ(mounts[0].Root, "/mnt1");
    EXPECT_EQ(mounts[0].MountPoint, "/mnt2");
    EXPECT_EQ(mounts[0].FsType, "ext3");
    EXPECT_EQ(mounts[0].Source, "/dev/root");
    EXPECT_EQ(mounts[1].Major, 8u);
    EXPECT_EQ(mounts[1].Minor, 17u);
    EXPECT_EQ(mounts[1].MountPoint, "/media/u/STICK");
    EXPECT_EQ(mounts[1].FsType, "vfat");
    EXPECT_EQ(mounts[1].Source, "/dev/sdb1");
}

TEST(MountInfoParse, UnescapesOctalInPathsOnly) {
    const auto mounts =
        ParseMountInfo("40 36 8:17 /a\\134b /media/u/MY\\040STICK\\011x\\012y rw - vfat /dev/sdb1 rw\n");
    ASSERT_EQ(mounts.size(), 1u);
    EXPECT_EQ(mounts[0].Root, "/a\\b");
    EXPECT_EQ(mounts[0].MountPoint, "/media/u/MY STICK\tx\ny");
    EXPECT_EQ(UnescapeMountField("a\\x"), "a\\x");      // not an escape
    EXPECT_EQ(UnescapeMountField("a\\04"), "a\\04");    // too short at the end
    EXPECT_EQ(UnescapeMountField("a\\0409"), "a 9");    // exactly three digits
    EXPECT_EQ(UnescapeMountField("a\\089"), "a\\089");  // 8 is not octal
    EXPECT_EQ(UnescapeMountField("\\\\040"), "\\ ");    // a lone backslash, then an escape
}

TEST(MountInfoParse, SkipsMalformedLinesAndKeepsTheRest) {
    const auto mounts = ParseMountInfo("\n"
                                       "garbage\n"
                                       "1 2 8:1 / /nodash rw ext4 /dev/sda1 rw extra\n"
                                       "1 2 8:x / /badminor rw - ext4 /dev/sda1 rw\n"
                                       "1 2 :1 / /nomajor rw - ext4 /dev/sda1 rw\n"
                                       "1 2 8: / /emptyminor rw - ext4 /dev/sda1 rw\n"
                                       "1 2 8:1 / relative rw - ext4 /dev/sda1 rw\n"
                                       "1 2 8:1 / /notype rw -\n"
                                       "1 2 8:1 / /nosource rw - ext4\n"
                                       "22 1 8:2 / / rw shared:1 - ext4 /dev/sda2 rw\n"
                                       "23 22 0:5 / /proc/ rw - proc proc rw");  // no final newline
    ASSERT_EQ(mounts.size(), 2u);
    EXPECT_EQ(mounts[0].MountPoint, "/");
    EXPECT_EQ(mounts[1].MountPoint, "/proc");  // trailing '/' dropped
    EXPECT_EQ(mounts[1].Source, "proc");
}

TEST(MountInfoParse, RealTableHasTheRootMount) {
    const auto mounts = MakeLinuxPlatform()->Mounts();
    ASSERT_FALSE(mounts.empty());
    bool root = false;
    for (const auto& m : mounts)
        root = root || m.MountPoint == "/";
    EXPECT_TRUE(root);
}

// The table is read again when the kernel reports a change, and only then: a mount made or
// removed shows in the next answer. Runs in a child with a mount namespace of its own, where
// the system allows one.
TEST(MountTable, FollowsMountsMadeAndRemoved) {
    TempFolder tmp;
    const std::string point = tmp.Path("mnt");
    ASSERT_EQ(::mkdir(point.c_str(), 0755), 0);
    const auto has = [&point](const std::vector<MountEntry>& mounts) {
        for (const auto& m : mounts)
            if (m.MountPoint == point)
                return true;
        return false;
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Nothing here may reach the parent's mounts: the namespace is new and private.
        if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            ::_exit(77);
        const auto os = MakeLinuxPlatform();
        int failed = has(os->Mounts()) ? 1 : 0;
        failed |= os->Mounts().size() == os->Mounts().size() ? 0 : 2;  // unchanged, answered again
        if (::mount("none", point.c_str(), "tmpfs", 0, nullptr) != 0)
            ::_exit(77);
        failed |= has(os->Mounts()) ? 0 : 4;
        failed |= has(os->Mounts()) ? 0 : 8;
        ::umount(point.c_str());
        failed |= has(os->Mounts()) ? 16 : 0;
        ::_exit(failed);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no mount namespace of its own here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// --- Files ---

class LinuxFiles : public ::testing::Test {
protected:
    TempFolder tmp;
    std::unique_ptr<IPlatform> os = MakeLinuxPlatform();
};

TEST_F(LinuxFiles, ReadFileGivesBytesOrTheReason) {
    const std::string bytes("x\0y\r\n", 5);
    tmp.Write("f.bin", bytes);
    EXPECT_EQ(os->ReadFile(tmp.Path("f.bin")), bytes);

    IoError err;
    EXPECT_FALSE(os->ReadFile(tmp.Path("missing"), &err));
    EXPECT_EQ(err.Code, ENOENT);
    EXPECT_EQ(err.Text, std::strerror(ENOENT));
    EXPECT_FALSE(os->ReadFile(tmp.Root(), &err));
    EXPECT_EQ(err.Code, EISDIR);
    // Files that report size 0 are read to their end.
    const auto mountinfo = os->ReadFile("/proc/self/mountinfo");
    ASSERT_TRUE(mountinfo);
    EXPECT_FALSE(mountinfo->empty());
}

TEST_F(LinuxFiles, ReadFileTakesAllOfAStreamThatReportsNoSize) {
    // A pipe has no size: the reader's room grows until the writer is done.
    const std::string fifo = tmp.Path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string sent;
    for (int i = 0; sent.size() < 100000; ++i)
        sent += std::to_string(i) + '\n';
    std::thread writer([&] {
        std::ofstream out(fifo, std::ios::binary);
        out << sent;
    });
    const auto got = os->ReadFile(fifo);
    writer.join();
    ASSERT_TRUE(got);
    EXPECT_EQ(*got, sent);
}

TEST_F(LinuxFiles, ReadFileRangeStopsAtEndAndAtLimit) {
    tmp.Write("f", "0123456789");
    EXPECT_EQ(os->ReadFileRange(tmp.Path("f"), 2, 3), "234");
    EXPECT_EQ(os->ReadFileRange(tmp.Path("f"), 8, 100), "89");
    EXPECT_EQ(os->ReadFileRange(tmp.Path("f"), 10, 5), "");
    EXPECT_EQ(os->ReadFileRange(tmp.Path("f"), 50, 5), "");
    // A huge limit must not be reserved up front.
    EXPECT_EQ(os->ReadFileRange(tmp.Path("f"), 0, SIZE_MAX), "0123456789");
    IoError err;
    EXPECT_FALSE(os->ReadFileRange(tmp.Path("f"), UINT64_MAX, 1, &err));
    EXPECT_EQ(err.Code, EINVAL);
}

// Readers of files from outside take regular files only: a pipe with no writer, a device
// behind a link or a socket fails at once, before anything is read.
TEST_F(LinuxFiles, ReadingARangeTakesRegularFilesOnly) {
    ScopedPlatform scoped(*os);
    for (const std::string& path : tmp.MakeSpecialFiles()) {
        IoError err;
        EXPECT_FALSE(os->ReadFileRange(path, 0, 100, &err)) << path;
        EXPECT_EQ(err.Code, EINVAL) << path;
        EXPECT_EQ(err.Text, "Not a regular file") << path;
        EXPECT_FALSE(ReadRegularFile(path, 100, &err)) << path;
        EXPECT_EQ(err.Code, EINVAL) << path;
    }
    IoError err;
    EXPECT_FALSE(ReadRegularFile(tmp.Root(), 100, &err));
    EXPECT_EQ(err.Code, EISDIR);
    const std::string file = tmp.Write("ten", "0123456789");
    EXPECT_EQ(ReadRegularFile(file, 10), "0123456789");
    EXPECT_FALSE(ReadRegularFile(file, 9, &err));
    EXPECT_EQ(err.Code, EFBIG);
}

TEST_F(LinuxFiles, StatLinksAndFolders) {
    tmp.Write("dir/file", "abc");
    ::chmod(tmp.Path("dir/file").c_str(), 0640);
    ASSERT_EQ(::symlink("dir/file", tmp.Path("link").c_str()), 0);

    const FileStat file = os->Stat(tmp.Path("dir/file"));
    EXPECT_TRUE(file.Exists && file.IsRegular && !file.IsDirectory);
    EXPECT_EQ(file.Size, 3u);
    EXPECT_EQ(file.Mode, 0640u);
    EXPECT_TRUE(os->Stat(tmp.Path("dir")).IsDirectory);
    EXPECT_TRUE(os->Stat(tmp.Path("link")).IsRegular);
    EXPECT_TRUE(os->Stat(tmp.Path("link"), false).IsSymlink);
    EXPECT_FALSE(os->Stat(tmp.Path("nothing")).Exists);

    EXPECT_EQ(os->ReadLink(tmp.Path("link")), "dir/file");
    EXPECT_FALSE(os->ReadLink(tmp.Path("dir/file")));
    EXPECT_EQ(os->RealPath(tmp.Path("link")), tmp.Path("dir/file"));
    EXPECT_FALSE(os->RealPath(tmp.Path("nothing")));
}

TEST_F(LinuxFiles, FolderOperations) {
    IoError err;
    EXPECT_TRUE(os->MakeDirectory(tmp.Path("d"), &err));
    EXPECT_FALSE(os->MakeDirectory(tmp.Path("d"), &err));
    EXPECT_EQ(err.Code, EEXIST);
    tmp.Write("d/b", "");
    tmp.Write("d/a", "");
    tmp.Write("d/.hidden", "");
    EXPECT_EQ(os->ListDirectory(tmp.Path("d")), (std::vector<std::string>{".hidden", "a", "b"}));
    EXPECT_TRUE(os->ListDirectory(tmp.Path("none")).empty());

    EXPECT_FALSE(os->RemoveDirectory(tmp.Path("d"), &err));
    EXPECT_EQ(err.Code, ENOTEMPTY);
    EXPECT_TRUE(os->Rename(tmp.Path("d/a"), tmp.Path("d/c")));
    EXPECT_FALSE(os->Rename(tmp.Path("d/a"), tmp.Path("d/e"), &err));
    EXPECT_EQ(err.Code, ENOENT);
    for (const char* name : {"d/b", "d/c", "d/.hidden"})
        EXPECT_TRUE(os->RemoveFile(tmp.Path(name)));
    EXPECT_FALSE(os->RemoveFile(tmp.Path("d/b"), &err));
    EXPECT_TRUE(os->RemoveDirectory(tmp.Path("d")));
}

TEST_F(LinuxFiles, ProcessFacts) {
    const std::string exe = os->ExecutablePath();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(exe.front(), '/');
    EXPECT_EQ(exe.substr(exe.rfind('/') + 1), "platform_tests");
    EXPECT_EQ(os->RealPath(os->CurrentDirectory()), os->CurrentDirectory());
    EXPECT_EQ(os->ScreenPixelsPerInch(), 96);

    ::setenv("LM7_PLATFORM_TEST_VAR", "", 1);
    EXPECT_EQ(os->GetEnv("LM7_PLATFORM_TEST_VAR"), "");  // set but empty is not unset
    ::unsetenv("LM7_PLATFORM_TEST_VAR");
    EXPECT_FALSE(os->GetEnv("LM7_PLATFORM_TEST_VAR"));
}

TEST(PlatformInForce, ScopedReplacementsNestAndRestore) {
    IPlatform& original = Platform();
    FakePlatform outer;
    FakePlatform inner;
    {
        ScopedPlatform a(outer);
        EXPECT_EQ(&Platform(), &outer);
        {
            ScopedPlatform b(inner);
            EXPECT_EQ(&Platform(), &inner);
        }
        EXPECT_EQ(&Platform(), &outer);
    }
    EXPECT_EQ(&Platform(), &original);
}

// --- Atomic writes ---

class AtomicWrite : public ::testing::Test {
protected:
    TempFolder tmp;
    FakePlatform fake;
    std::string target = tmp.Path("settings.ini");

    // Nothing but the target may be left in the folder: no temporary files.
    std::vector<std::string> Listing() { return fake.ListDirectory(tmp.Root()); }
};

TEST_F(AtomicWrite, NewFileGetsContentAndUmaskedMode) {
    IoError err;
    ASSERT_TRUE(fake.WriteFileAtomic(target, "[a]\nk=v\n", &err)) << err.Text;
    EXPECT_EQ(tmp.Read("settings.ini"), "[a]\nk=v\n");
    EXPECT_EQ(ModeOf(target), 0666u & ~CurrentUmask());
    EXPECT_EQ(Listing(), std::vector<std::string>{"settings.ini"});
}

TEST_F(AtomicWrite, ReplacesContentAndKeepsPermissionBits) {
    tmp.Write("settings.ini", "old content that is longer than the new");
    ::chmod(target.c_str(), 0604);
    ASSERT_TRUE(fake.WriteFileAtomic(target, "new"));
    EXPECT_EQ(tmp.Read("settings.ini"), "new");
    EXPECT_EQ(ModeOf(target), 0604u);
    ASSERT_TRUE(fake.WriteFileAtomic(target, ""));
    EXPECT_EQ(tmp.Read("settings.ini"), "");
    EXPECT_EQ(Listing(), std::vector<std::string>{"settings.ini"});
}

// Starts a writer that saves big to target one byte per write, as pid 1 of a process-id
// namespace of its own where the system allows one (as a program in a container runs: every
// run has the same pid), and kills it once its temporary file is there.
void KillWriterMidSave(const std::string& target, const std::string& big,
                       const std::function<bool()>& started) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t middle = ::fork();
    ASSERT_GE(middle, 0);
    if (middle == 0) {
        (void)::unshare(CLONE_NEWPID);  // without it, the writer is an ordinary child
        const pid_t writer = ::fork();
        if (writer == 0) {
            AtomicWriteOptions slow;
            slow.MaxBytesPerWrite = 1;
            WriteFileAtomicWith(target, big, nullptr, slow);
            ::_exit(0);
        }
        (void)!::write(pipeFds[1], &writer, sizeof writer);
        ::waitpid(writer, nullptr, 0);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    pid_t writer = -1;
    ASSERT_EQ(::read(pipeFds[0], &writer, sizeof writer), static_cast<ssize_t>(sizeof writer));
    ::close(pipeFds[0]);
    bool seen = false;
    for (int wait = 0; wait < 5000 && !(seen = started()); ++wait)
        ::usleep(1000);
    ::kill(writer, SIGKILL);
    ::waitpid(middle, nullptr, 0);
    ASSERT_TRUE(seen);
}

// A writer killed in the middle of a save leaves its temporary file; the next save of the same
// file removes every such leftover, also when all the writers had the same process id. The
// temporary file of a writer still at work (it holds its lock), and those of other files, stay.
TEST_F(AtomicWrite, LeftoversOfKilledWritersAreRemovedByTheNextSave) {
    const std::string prefix = AtomicWriteTempPrefix(target);
    const auto leftovers = [&] {
        int n = 0;
        for (const std::string& name : Listing())
            n += name.starts_with(prefix);
        return n;
    };
    const std::string living = tmp.Write(prefix + "atwork", "a writer still at work");
    const int livingFd = ::open(living.c_str(), O_RDONLY);
    ASSERT_GE(livingFd, 0);
    ASSERT_EQ(::flock(livingFd, LOCK_EX), 0);
    const std::string otherFiles = AtomicWriteTempPrefix(tmp.Path("other.ini")) + "abcdef";
    tmp.Write(otherFiles, "another file's");
    const std::string ownPid = tmp.Write(prefix + std::to_string(::getpid()) + "-0", "same pid as this run");
    const std::string big(1 << 20, 'x');
    for (int crash = 0; crash < 20; ++crash) {
        const std::vector<std::string> before = Listing();
        KillWriterMidSave(target, big, [&] {
            for (const std::string& name : Listing())
                if (name.starts_with(prefix) && std::find(before.begin(), before.end(), name) == before.end())
                    return true;
            return false;
        });
        EXPECT_EQ(leftovers(), 2) << "the living writer's and this crash's";
    }
    ASSERT_TRUE(fake.WriteFileAtomic(target, "saved"));
    EXPECT_EQ(tmp.Read("settings.ini"), "saved");
    EXPECT_EQ(leftovers(), 1);
    EXPECT_TRUE(tmp.Exists(prefix + "atwork"));
    EXPECT_FALSE(tmp.Exists(ownPid.substr(ownPid.rfind('/') + 1)));
    EXPECT_TRUE(tmp.Exists(otherFiles));
    ::close(livingFd);
}

// A name of 241 to 255 bytes is a valid name; its temporary file must be valid too.
TEST_F(AtomicWrite, LongestNamesAreWrittenAtomically) {
    for (const std::size_t length : {200u, 241u, 250u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".ini";
        IoError err;
        ASSERT_TRUE(fake.WriteFileAtomic(tmp.Path(name), "first", &err)) << length << ": " << err.Text;
        ASSERT_TRUE(fake.WriteFileAtomic(tmp.Path(name), "second", &err)) << length << ": " << err.Text;
        EXPECT_EQ(tmp.Read(name), "second");
        EXPECT_LE(AtomicWriteTempPrefix(tmp.Path(name)).size() + 12, 255u);
    }
    // Shortened at the start of a character, never inside one.
    const std::string greek = std::string(236, 'a') + "\xCE\xB1\xCE\xB2\xCE\xB3.ini";
    const std::string prefix = AtomicWriteTempPrefix(tmp.Path(greek));
    EXPECT_EQ(prefix, "." + std::string(236, 'a') + ".tmp-");
    ASSERT_TRUE(fake.WriteFileAtomic(tmp.Path(greek), "grc"));
    EXPECT_EQ(Listing().size(), 5u);  // the four long names and this one, no leftovers
}

// A device, a pipe or a socket named as the target, directly or through a link, is refused
// and stays what it is: as root, a state file linked to /dev/null must not replace /dev/null.
TEST_F(AtomicWrite, DevicesPipesAndSocketsAreNeverReplaced) {
    // All inside the test's folder, so that a fault harms nothing else: a pipe, a socket, and
    // (as root, who could replace /dev/null itself) a device node, reached directly and through
    // a link; without root a link to /dev/null, which such a user cannot replace.
    std::vector<std::string> specials;
    for (const std::string& path : tmp.MakeSpecialFiles())
        if (!fake.Stat(path, false).IsSymlink)
            specials.push_back(path);
    const std::string device = tmp.Path("null");
    if (::geteuid() == 0) {
        ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    }
    const std::string link = tmp.Path("null.ini");
    ASSERT_EQ(::symlink(::geteuid() == 0 ? device.c_str() : "/dev/null", link.c_str()), 0);
    if (::geteuid() == 0)
        specials.push_back(device);
    specials.push_back(link);
    for (const std::string& path : specials) {
        const FileStat before = fake.Stat(path, true);
        IoError err;
        EXPECT_FALSE(fake.WriteFileAtomic(path, "data", &err)) << path;
        EXPECT_EQ(err.Code, EINVAL) << path;
        EXPECT_EQ(err.Text, "Not a regular file") << path;
        const FileStat after = fake.Stat(path, true);
        EXPECT_FALSE(after.IsRegular) << path;
        EXPECT_EQ(after.Mode, before.Mode) << path;
    }
    struct stat node {};
    ASSERT_EQ(::stat(link.c_str(), &node), 0);
    EXPECT_TRUE(S_ISCHR(node.st_mode));
}

// A log may be a pipe that someone reads, never one that holds the program until a reader
// comes; a full device is an error, not lost lines.
TEST_F(AtomicWrite, AppendingToAPipeNobodyReadsOrAFullDeviceFails) {
    const std::string fifo = tmp.Path("log.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    IoError err;
    EXPECT_FALSE(fake.AppendFile(fifo, "line\n", &err));
    EXPECT_EQ(err.Code, ENXIO);
    EXPECT_EQ(err.Text, "Nobody reads from this pipe");
    EXPECT_FALSE(fake.AppendFile("/dev/full", "line\n", &err));
    EXPECT_EQ(err.Code, ENOSPC);
    // With a reader, the line goes through the pipe.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(fake.AppendFile(fifo, "line\n", &err)) << err.Text;
    char got[16] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 5);
    ::close(reader);
}

TEST_F(AtomicWrite, AdministratorKeepsTheOwnerOfAFile) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    tmp.Write("settings.ini", "old");
    ASSERT_EQ(::chown(target.c_str(), 12345, 23456), 0);
    ASSERT_TRUE(fake.WriteFileAtomic(target, "new"));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 12345u);
    EXPECT_EQ(st.st_gid, 23456u);
}

TEST_F(AtomicWrite, ShortAndInterruptedWritesStillWriteEverything) {
    std::string big(300000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + i / 251);
    fake.SetShortWrites(4093);
    fake.SetInterruptedWrites(3);
    ASSERT_TRUE(fake.WriteFileAtomic(target, big));
    EXPECT_EQ(tmp.Read("settings.ini"), big);
}

TEST_F(AtomicWrite, WritingThroughALinkKeepsTheLink) {
    tmp.Write("real.ini", "old");
    ASSERT_EQ(::symlink("real.ini", target.c_str()), 0);
    ASSERT_TRUE(fake.WriteFileAtomic(target, "new"));
    EXPECT_TRUE(fake.Stat(target, false).IsSymlink);
    EXPECT_EQ(tmp.Read("real.ini"), "new");
}

TEST_F(AtomicWrite, MissingFolderIsAClearError) {
    IoError err;
    EXPECT_FALSE(fake.WriteFileAtomic(tmp.Path("no/such/folder/x.ini"), "data", &err));
    EXPECT_EQ(err.Code, ENOENT);
    EXPECT_EQ(err.Text, "No such file or directory");
    EXPECT_TRUE(Listing().empty());
}

TEST_F(AtomicWrite, AFolderIsNeverReplaced) {
    tmp.MakeFolder("settings.ini/inner");
    IoError err;
    EXPECT_FALSE(fake.WriteFileAtomic(target, "data", &err));
    EXPECT_EQ(err.Code, EISDIR);
    EXPECT_TRUE(fake.Stat(tmp.Path("settings.ini/inner")).IsDirectory);
    EXPECT_FALSE(fake.WriteFileAtomic(tmp.Root() + "/", "data", &err));
}

TEST_F(AtomicWrite, ReadOnlyFolderLeavesOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders; the injected failures cover this";
    tmp.Write("settings.ini", "old");
    ASSERT_EQ(::chmod(tmp.Root().c_str(), 0555), 0);
    IoError err;
    const bool written = fake.WriteFileAtomic(target, "new", &err);
    ::chmod(tmp.Root().c_str(), 0755);
    EXPECT_FALSE(written);
    EXPECT_EQ(err.Code, EACCES);
    EXPECT_EQ(tmp.Read("settings.ini"), "old");
    EXPECT_EQ(Listing(), std::vector<std::string>{"settings.ini"});
}

TEST_F(AtomicWrite, FailedFolderSyncStillReportsTheNewFile) {
    tmp.Write("settings.ini", "old");
    fake.FailWriteAt(WriteStep::SyncFolder, EIO);
    EXPECT_TRUE(fake.WriteFileAtomic(target, "new"));
    EXPECT_EQ(tmp.Read("settings.ini"), "new");
}

struct InjectedFailure {
    WriteStep Step;
    int Code;
    std::uint64_t AfterBytes;
    const char* Name;
};

class AtomicWriteFailure : public AtomicWrite, public ::testing::WithParamInterface<InjectedFailure> {};

TEST_P(AtomicWriteFailure, OldFileStaysByteIdenticalAndNoTempRemains) {
    const std::string old("[old]\nvalue=1\n\0tail", 19);
    tmp.Write("settings.ini", old);
    ::chmod(target.c_str(), 0640);
    const InjectedFailure f = GetParam();
    fake.FailWriteAt(f.Step, f.Code, f.AfterBytes);

    const std::string data(10000, 'n');
    IoError err;
    EXPECT_FALSE(fake.WriteFileAtomic(target, data, &err));
    EXPECT_EQ(err.Code, f.Code);
    EXPECT_EQ(err.Text, std::strerror(f.Code));
    EXPECT_EQ(tmp.Read("settings.ini"), old);
    EXPECT_EQ(ModeOf(target), 0640u);
    EXPECT_EQ(Listing(), std::vector<std::string>{"settings.ini"});

    // The failure holds until cleared, then the same write goes through.
    EXPECT_FALSE(fake.WriteFileAtomic(target, data));
    fake.ClearWriteFault();
    EXPECT_TRUE(fake.WriteFileAtomic(target, data));
    EXPECT_EQ(tmp.Read("settings.ini"), data);
    EXPECT_EQ(fake.AtomicWriteCalls(), 3);
}

TEST_P(AtomicWriteFailure, NewFileIsNotLeftHalfWritten) {
    const InjectedFailure f = GetParam();
    fake.FailWriteAt(f.Step, f.Code, f.AfterBytes);
    // Chmod only runs when there is an old file whose bits to copy.
    const bool reachesFault = f.Step != WriteStep::Chmod;
    EXPECT_EQ(fake.WriteFileAtomic(target, std::string(10000, 'n')), !reachesFault);
    EXPECT_EQ(Listing(),
              reachesFault ? std::vector<std::string>{} : std::vector<std::string>{"settings.ini"});
}

INSTANTIATE_TEST_SUITE_P(EachStep, AtomicWriteFailure,
                         ::testing::Values(InjectedFailure{WriteStep::CreateTemp, EACCES, 0, "CreateTemp"},
                                           InjectedFailure{WriteStep::Write, ENOSPC, 0, "WriteAtStart"},
                                           InjectedFailure{WriteStep::Write, ENOSPC, 4096, "WriteMidway"},
                                           InjectedFailure{WriteStep::Sync, EIO, 0, "Sync"},
                                           InjectedFailure{WriteStep::Chmod, EPERM, 0, "Chmod"},
                                           InjectedFailure{WriteStep::Rename, EACCES, 0, "Rename"}),
                         [](const auto& p) { return std::string(p.param.Name); });

#include "framework/rtl/Files.h"
#include "framework/platform/FakePlatform.h"
#include "framework/rtl/Exceptions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace framework;
using framework::platform::FakePlatform;
using framework::platform::ScopedPlatform;
using framework::platform::WriteStep;

class FilesInTempFolder : public ::testing::Test {
protected:
    testsupport::TempFolder temp;
    FakePlatform fake;
    ScopedPlatform scope{fake};
};

TEST_F(FilesInTempFolder, ExistenceFollowsLinksAndTellsFoldersApart) {
    const std::string file = temp.Write("a.txt", "abc");
    const std::string dir = temp.MakeFolder("sub");
    ASSERT_EQ(symlink(file.c_str(), temp.Path("link").c_str()), 0);
    ASSERT_EQ(symlink(temp.Path("gone").c_str(), temp.Path("dangling").c_str()), 0);
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(temp.Path("link")));
    EXPECT_FALSE(FileExists(temp.Path("dangling")));
    EXPECT_FALSE(FileExists(dir));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(DirectoryExists(dir));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_EQ(FileSize(file), 3);
    EXPECT_EQ(FileSize(dir), -1);
    EXPECT_EQ(FileSize(temp.Path("gone")), -1);
}

TEST_F(FilesInTempFolder, ForceDirectoriesCreatesEveryMissingParent) {
    const std::string deep = temp.Path("x/y/z/");
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(temp.Path("x/y/z")));
    EXPECT_TRUE(ForceDirectories(deep));  // already there
    temp.Write("file", "");
    EXPECT_FALSE(ForceDirectories(temp.Path("file/sub")));
    EXPECT_THROW(ForceDirectories(""), EInOutError);
}

TEST_F(FilesInTempFolder, DeleteAndRenameNeverReplaceOrRemoveTheWrongThing) {
    const std::string a = temp.Write("a", "1");
    const std::string b = temp.Write("b", "2");
    EXPECT_FALSE(RenameFile(a, b));
    EXPECT_EQ(temp.Read("b"), "2");
    EXPECT_TRUE(RenameFile(a, temp.Path("c")));
    EXPECT_FALSE(FileExists(a));
    EXPECT_EQ(temp.Read("c"), "1");
    EXPECT_FALSE(DeleteFile(temp.MakeFolder("d")));
    EXPECT_TRUE(DirectoryExists(temp.Path("d")));
    EXPECT_TRUE(DeleteFile(b));
    EXPECT_FALSE(FileExists(b));
    EXPECT_FALSE(DeleteFile(b));
}

TEST_F(FilesInTempFolder, ReadFileToStringNamesTheFileWhenItFails) {
    EXPECT_EQ(ReadFileToString(temp.Write("bin", std::string("a\0b", 3))), std::string("a\0b", 3));
    const std::string missing = temp.Path("missing.ini");
    try {
        ReadFileToString(missing);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    EXPECT_THROW(ReadFileToString(""), EFOpenError);
}

TEST_F(FilesInTempFolder, WriteFileAtomicReplacesOrLeavesTheOldFile) {
    const std::string path = temp.Write("s.ini", "old");
    WriteFileAtomic(path, "new");
    EXPECT_EQ(temp.Read("s.ini"), "new");

    fake.FailWriteAt(WriteStep::Write, ENOSPC, 1);
    try {
        WriteFileAtomic(path, "newer");
        FAIL() << "no exception";
    } catch (const EWriteError& e) {
        EXPECT_NE(e.Message().find(path), std::string::npos);
        EXPECT_NE(e.Message().find("No space left on device"), std::string::npos);
    }
    EXPECT_EQ(temp.Read("s.ini"), "new");

    fake.FailWriteAt(WriteStep::CreateTemp, EACCES);
    EXPECT_THROW(WriteFileAtomic(path, "newer"), EFCreateError);
    EXPECT_EQ(temp.Read("s.ini"), "new");
    fake.ClearWriteFault();
    EXPECT_THROW(WriteFileAtomic(temp.Path("no/such/folder/f"), "x"), EFCreateError);
}

TEST_F(FilesInTempFolder, DeleteFileRemovesALinkToAFolderButNotTheFolder) {
    const std::string dir = temp.MakeFolder("target");
    ASSERT_EQ(symlink(dir.c_str(), temp.Path("link").c_str()), 0);
    EXPECT_TRUE(DeleteFile(temp.Path("link")));
    EXPECT_TRUE(DirectoryExists(dir));
}

// A log appended to: lines add up; a pipe nobody reads fails at once instead of holding the
// program, and a full device fails instead of losing the lines.
TEST_F(FilesInTempFolder, AppendToFileAddsOrRaises) {
    const std::string log = temp.Path("run.log");
    AppendToFile(log, "one\n");
    AppendToFile(log, "two\n");
    EXPECT_EQ(temp.Read("run.log"), "one\ntwo\n");
    const std::string fifo = temp.Path("log.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    try {
        AppendToFile(fifo, "line\n");
        ADD_FAILURE() << "a pipe without a reader took the line";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + fifo + "\". Nobody reads from this pipe");
    }
    EXPECT_THROW(AppendToFile("/dev/full", "line\n"), EWriteError);
    EXPECT_THROW(AppendToFile(temp.Path("no/folder/run.log"), "line\n"), EFCreateError);
}

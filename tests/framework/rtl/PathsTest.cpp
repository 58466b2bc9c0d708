#include "framework/rtl/Paths.h"
#include "framework/platform/FakePlatform.h"

#include <gtest/gtest.h>

using namespace framework;
using framework::platform::FakePlatform;
using framework::platform::MountEntry;
using framework::platform::ScopedPlatform;

TEST(PathDelimiters, TrailingDelimiter) {
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(""), "");
}

TEST(PathParts, PathDirNameAndExtension) {
    EXPECT_EQ(ExtractFilePath("/a/b/c.txt"), "/a/b/");
    EXPECT_EQ(ExtractFilePath("c.txt"), "");
    EXPECT_EQ(ExtractFilePath("/a/b/"), "/a/b/");
    EXPECT_EQ(ExtractFileDir("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(ExtractFileDir("/a"), "/");
    EXPECT_EQ(ExtractFileDir("a//b"), "a//");
    EXPECT_EQ(ExtractFileDir("c.txt"), "");
    EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(ExtractFileName("/a/b/"), "");
    EXPECT_EQ(ExtractFileExt("/a/b/c.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("/x.y/a"), "");
    EXPECT_EQ(ExtractFileExt(".bashrc"), ".bashrc");
    EXPECT_EQ(ExtractFileExt("a."), ".");
}

TEST(PathParts, ChangeFileExt) {
    EXPECT_EQ(ChangeFileExt("a.txt", ".bak"), "a.bak");
    EXPECT_EQ(ChangeFileExt("a", ".bak"), "a.bak");
    EXPECT_EQ(ChangeFileExt("a.b.c", ""), "a.b");
    EXPECT_EQ(ChangeFileExt("/x.y/a", ".z"), "/x.y/a.z");
    EXPECT_EQ(ChangeFileExt(".bashrc", ".z"), ".z");
    EXPECT_EQ(ChangeFileExt("", ".z"), ".z");
}

class PathsOnFakeMachine : public ::testing::Test {
protected:
    PathsOnFakeMachine() {
        fake.SetCurrentDirectory("/home/u/fx");
        fake.SetMounts({Mount("/"), Mount("/home"), Mount("/media/u/STICK"), Mount("/media/u/STICK2")});
    }
    static MountEntry Mount(const char* point) {
        MountEntry m;
        m.MountPoint = point;
        return m;
    }
    FakePlatform fake;
    ScopedPlatform scope{fake};
};

TEST_F(PathsOnFakeMachine, ExpandFileNameFoldsDotsWithoutTheDisk) {
    EXPECT_EQ(ExpandFileName("x"), "/home/u/fx/x");
    EXPECT_EQ(ExpandFileName("../y/./z"), "/home/u/y/z");
    EXPECT_EQ(ExpandFileName("/a//b/../c/"), "/a/c/");
    EXPECT_EQ(ExpandFileName("/../../a"), "/a");
    EXPECT_EQ(ExpandFileName("."), "/home/u/fx");
    EXPECT_EQ(ExpandFileName("/"), "/");
    EXPECT_EQ(ExpandFileName(""), "");
}

TEST_F(PathsOnFakeMachine, DriveIsTheLongestMountPointHoldingThePath) {
    EXPECT_EQ(ExtractFileDrive("/media/u/STICK/app/prog"), "/media/u/STICK/");
    EXPECT_EQ(ExtractFileDrive("/media/u/STICK2/x"), "/media/u/STICK2/");
    EXPECT_EQ(ExtractFileDrive("/media/u/STICKY/x"), "/");  // a name prefix is not a folder prefix
    EXPECT_EQ(ExtractFileDrive("/media/u/STICK"), "/media/u/STICK/");
    EXPECT_EQ(ExtractFileDrive("/etc/passwd"), "/");
    EXPECT_EQ(ExtractFileDrive("notes.txt"), "/home/");
    EXPECT_EQ(ExtractFileDrive("/media/u/STICK/../STICK2/a"), "/media/u/STICK2/");
    EXPECT_EQ(ExtractFileDrive(""), "");
}

TEST(MinimizeName, ReplacesLeadingFoldersUntilItFits) {
    const auto width = [](const std::string& s) { return static_cast<int>(s.size()); };
    const std::string name = "/home/user/docs/file.txt";
    EXPECT_EQ(MinimizeName(name, width, 24), name);
    EXPECT_EQ(MinimizeName(name, width, 23), "/.../user/docs/file.txt");
    EXPECT_EQ(MinimizeName(name, width, 22), "/.../docs/file.txt");
    EXPECT_EQ(MinimizeName(name, width, 17), "/.../file.txt");
    EXPECT_EQ(MinimizeName(name, width, 12), ".../file.txt");
    EXPECT_EQ(MinimizeName(name, width, 11), "file.txt");
    EXPECT_EQ(MinimizeName(name, width, 1), "file.txt");
    EXPECT_EQ(MinimizeName("file.txt", width, 1), "file.txt");
    // A folder whose name starts with a dot is cut as a folder, not as a "..." marker (which
    // would leave "/file", a different file).
    EXPECT_EQ(MinimizeName("/.a/file", width, 7), "file");
}

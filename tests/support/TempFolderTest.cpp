#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;
using testsupport::TempFolder;

TEST(TempFolder, EachIsFreshEmptyAndDistinct) {
    TempFolder a;
    TempFolder b;
    EXPECT_NE(a.Root(), b.Root());
    EXPECT_TRUE(fs::is_directory(a.Root()));
    EXPECT_TRUE(fs::is_empty(a.Root()));
    EXPECT_EQ(a.Root().front(), '/');
    EXPECT_NE(a.Root().back(), '/');
}

TEST(TempFolder, WriteCreatesSubfoldersAndReadsBackBytes) {
    TempFolder tmp;
    const std::string bytes("a\0b\r\n\xff", 6);
    const std::string path = tmp.Write("deep/er/file.bin", bytes);
    EXPECT_EQ(path, tmp.Root() + "/deep/er/file.bin");
    EXPECT_EQ(tmp.Read("deep/er/file.bin"), bytes);
    EXPECT_TRUE(tmp.Exists("deep/er"));
    EXPECT_FALSE(tmp.Exists("missing"));
}

TEST(TempFolder, RemovedWithContentsEvenWhenReadOnly) {
    std::string root;
    {
        TempFolder tmp;
        root = tmp.Root();
        tmp.Write("locked/inner/file.txt", "x");
        ::chmod(tmp.Path("locked/inner").c_str(), 0555);
        ::chmod(tmp.Path("locked").c_str(), 0555);
    }
    EXPECT_FALSE(fs::exists(root));
}

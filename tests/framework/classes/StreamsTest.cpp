#include "framework/classes/Streams.h"
#include "framework/rtl/Exceptions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace framework;

namespace {

TEST(MemoryStream, WritePastTheEndFillsWithZeros) {
    TMemoryStream s;
    s.WriteBuffer("ab");
    s.SetPosition(4);
    s.WriteBuffer("c");
    EXPECT_EQ(s.Size(), 5);
    EXPECT_EQ(std::string(s.Memory(), 5), std::string("ab\0\0c", 5));
    char buf[8] = {};
    s.SetPosition(3);
    EXPECT_EQ(s.Read(buf, 8), 2);
    EXPECT_THROW(s.ReadBuffer(buf, 1), EReadError);
    EXPECT_THROW(s.Seek(-6, TSeekOrigin::soEnd), EStreamError);
    EXPECT_EQ(s.Seek(-1, TSeekOrigin::soEnd), 4);
}

TEST(MemoryStream, AbsurdSizesRaiseInsteadOfAllocating) {
    TMemoryStream s;
    EXPECT_THROW(s.SetSize(std::int64_t{1} << 40), EStreamError);
    EXPECT_THROW(s.SetSize(-1), EStreamError);
    EXPECT_THROW(s.Seek(std::int64_t{1} << 62, TSeekOrigin::soBeginning), EStreamError);
    EXPECT_EQ(s.Size(), 0);
}

TEST(MemoryStream, CopyFromAndStringStream) {
    TStringStream source("hello world");
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), 11);
    source.SetPosition(6);
    TStringStream tail;
    tail.CopyFrom(source, 5);
    EXPECT_EQ(tail.DataString(), "world");
    EXPECT_THROW(tail.CopyFrom(source, 1), EReadError);
}

class FileStreamFixture : public ::testing::Test {
protected:
    testsupport::TempFolder dir;
};

TEST_F(FileStreamFixture, CreateWriteReopenAndRead) {
    const std::string path = dir.Path("data.bin");
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer("0123456789");
        f.SetSize(4);
        EXPECT_EQ(f.Position(), 4);
    }
    TFileStream f(path, fmOpenRead);
    EXPECT_EQ(f.Size(), 4);
    EXPECT_EQ(f.ReadRemaining(100), "0123");
    EXPECT_THROW(f.WriteBuffer("x"), EWriteError);
}

TEST_F(FileStreamFixture, OpenErrorsNameTheFileAndTheReason) {
    try {
        TFileStream f(dir.Path("none.bin"), fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(),
                  "Cannot open file \"" + dir.Path("none.bin") + "\". No such file or directory");
    }
    EXPECT_THROW(TFileStream(dir.MakeFolder("sub"), fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(dir.Path("no/such/folder.bin"), fmCreate), EFCreateError);
}

TEST_F(FileStreamFixture, MemoryStreamFilesGoThroughTheSeam) {
    TMemoryStream s;
    s.WriteBuffer("payload");
    s.SaveToFile(dir.Path("m.bin"));
    TMemoryStream back;
    back.LoadFromFile(dir.Path("m.bin"));
    EXPECT_EQ(std::string(back.Memory(), 7), "payload");
    EXPECT_THROW(back.LoadFromFile(dir.Path("gone.bin")), EFOpenError);
}

}  // namespace

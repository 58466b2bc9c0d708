#pragma once
// The stream family: a byte stream with a position, in memory, in a file, or over a string.
// Counts and positions are 64-bit; ReadBuffer and WriteBuffer raise when not everything moved.

#include "framework/classes/Object.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace framework {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// File open modes; the share flags of the classic framework mean nothing here and are left out.
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmCreate = 0xFF00;

class TStream : public TObject {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // Move up to Count bytes and answer how many moved.
    virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
    virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
    // Answers the new position; raises EStreamError for a position before the start.
    virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t Pos) { Seek(Pos, TSeekOrigin::soBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t NewSize) = 0;

    // Raise EReadError / EWriteError when fewer than Count bytes move.
    void ReadBuffer(void* Buffer, std::int64_t Count);
    void WriteBuffer(const void* Buffer, std::int64_t Count);
    void WriteBuffer(std::string_view Bytes) {
        WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
    }
    // Copies Count bytes from Source's position (the whole of Source from its start when Count
    // is 0) and answers the number copied.
    std::int64_t CopyFrom(TStream& Source, std::int64_t Count);
    // Everything from the position to the end, bounded by MaxBytes (EReadError beyond that).
    std::string ReadRemaining(std::int64_t MaxBytes);
};

// A stream over a growing block of memory. Sizes beyond MaxSize() raise EStreamError, so a
// damaged length field cannot ask for an absurd allocation.
class TMemoryStream : public TStream {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    static constexpr std::int64_t MaxSize() { return std::int64_t{1} << 31; }

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(m_data.size()); }
    void SetSize(std::int64_t NewSize) override;

    const char* Memory() const { return m_data.data(); }
    char* Memory() { return m_data.data(); }
    void Clear();
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream);
    // Whole-file transfers go through the platform seam; failures raise EFOpenError / EFCreateError.
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

protected:
    std::string m_data;
    std::int64_t m_position = 0;
};

// A memory stream whose bytes are also a string.
class TStringStream : public TMemoryStream {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TStringStream() = default;
    explicit TStringStream(std::string Data) { m_data = std::move(Data); }
    const std::string& DataString() const { return m_data; }
    void WriteString(std::string_view Text) { WriteBuffer(Text); }
};

// A stream over an open file. Opening raises EFOpenError (or EFCreateError for fmCreate) with
// the file name and the system's reason.
class TFileStream : public TStream {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TFileStream(const std::string& FileName, unsigned Mode);
    ~TFileStream() override;

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(std::int64_t NewSize) override;
    const std::string& FileName() const { return m_fileName; }

private:
    std::string m_fileName;
    int m_fd = -1;
};

}  // namespace framework

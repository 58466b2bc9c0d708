#include "framework/classes/Streams.h"

#include "framework/classes/TypInfo.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace framework {

namespace {

std::string SystemText(int code) { return std::strerror(code); }

std::string OpenMessage(const std::string& fileName, const std::string& reason) {
    return "Cannot open file \"" + fileName + "\". " + reason;
}

std::string CreateMessage(const std::string& fileName, const std::string& reason) {
    return "Cannot create file \"" + fileName + "\". " + reason;
}

}  // namespace

// --- TStream ---------------------------------------------------------------------------------

const TClassInfo& TStream::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TStream, TObject>("TStream");
    return info;
}

std::int64_t TStream::Size() {
    const std::int64_t pos = Seek(0, TSeekOrigin::soCurrent);
    const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(pos, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* Buffer, std::int64_t Count) {
    if (Count < 0 || (Count > 0 && Read(Buffer, Count) != Count))
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count) {
    if (Count < 0 || (Count > 0 && Write(Buffer, Count) != Count))
        throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& Source, std::int64_t Count) {
    if (Count <= 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    char buffer[64 * 1024];
    std::int64_t left = Count;
    while (left > 0) {
        const std::int64_t chunk = std::min<std::int64_t>(left, sizeof buffer);
        Source.ReadBuffer(buffer, chunk);
        WriteBuffer(buffer, chunk);
        left -= chunk;
    }
    return Count;
}

std::string TStream::ReadRemaining(std::int64_t MaxBytes) {
    const std::int64_t left = Size() - Position();
    if (left > MaxBytes)
        throw EReadError("Stream too large to read (" + std::to_string(left) + " bytes)");
    std::string bytes;
    if (left > 0) {
        bytes.resize(static_cast<std::size_t>(left));
        ReadBuffer(bytes.data(), left);
    }
    return bytes;
}

// --- TMemoryStream ---------------------------------------------------------------------------

const TClassInfo& TMemoryStream::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMemoryStream, TStream>("TMemoryStream");
    return info;
}

std::int64_t TMemoryStream::Read(void* Buffer, std::int64_t Count) {
    const std::int64_t available = Size() - m_position;
    if (Count <= 0 || available <= 0)
        return 0;
    const std::int64_t n = std::min(Count, available);
    std::memcpy(Buffer, m_data.data() + m_position, static_cast<std::size_t>(n));
    m_position += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count) {
    if (Count <= 0)
        return 0;
    const std::int64_t end = m_position + Count;
    if (end > Size())
        SetSize(end);
    std::memcpy(m_data.data() + m_position, Buffer, static_cast<std::size_t>(Count));
    m_position = end;
    return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
    std::int64_t base = 0;
    if (Origin == TSeekOrigin::soCurrent)
        base = m_position;
    else if (Origin == TSeekOrigin::soEnd)
        base = Size();
    // Positions past the end are allowed (a later Write fills the gap with zeros); negative
    // ones and overflowing sums are not.
    if ((Offset < 0 && base + Offset < 0) || (Offset > 0 && Offset > MaxSize() - base))
        throw EStreamError("Invalid stream position");
    m_position = base + Offset;
    return m_position;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
    if (NewSize < 0 || NewSize > MaxSize())
        throw EStreamError("Out of memory while expanding memory stream (" + std::to_string(NewSize) +
                           " bytes)");
    try {
        m_data.resize(static_cast<std::size_t>(NewSize), '\0');
    } catch (const std::bad_alloc&) {
        throw EStreamError("Out of memory while expanding memory stream (" + std::to_string(NewSize) +
                           " bytes)");
    }
    m_position = std::min(m_position, NewSize);
}

void TMemoryStream::Clear() {
    m_data.clear();
    m_data.shrink_to_fit();
    m_position = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
    Stream.SetPosition(0);
    std::string bytes = Stream.ReadRemaining(MaxSize());
    m_data = std::move(bytes);
    m_position = 0;
}

void TMemoryStream::SaveToStream(TStream& Stream) { Stream.WriteBuffer(m_data); }

void TMemoryStream::LoadFromFile(const std::string& FileName) {
    platform::IoError err;
    std::optional<std::string> bytes = platform::Platform().ReadFile(FileName, &err);
    if (!bytes)
        throw EFOpenError(OpenMessage(FileName, err.Text));
    if (static_cast<std::int64_t>(bytes->size()) > MaxSize())
        throw EReadError("Stream too large to read (" + std::to_string(bytes->size()) + " bytes)");
    m_data = std::move(*bytes);
    m_position = 0;
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
    platform::IoError err;
    if (!platform::Platform().WriteFileAtomic(FileName, m_data, &err))
        throw EFCreateError(CreateMessage(FileName, err.Text));
}

const TClassInfo& TStringStream::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TStringStream, TMemoryStream>("TStringStream");
    return info;
}

// --- TFileStream -----------------------------------------------------------------------------

const TClassInfo& TFileStream::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TFileStream, TStream>("TFileStream");
    return info;
}

TFileStream::TFileStream(const std::string& FileName, unsigned Mode) : m_fileName(FileName) {
    if ((Mode & fmCreate) == fmCreate) {
        m_fd = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (m_fd < 0)
            throw EFCreateError(CreateMessage(FileName, SystemText(errno)));
        return;
    }
    int flags = O_RDONLY;
    if ((Mode & 3) == fmOpenWrite)
        flags = O_WRONLY;
    else if ((Mode & 3) == fmOpenReadWrite)
        flags = O_RDWR;
    m_fd = ::open(FileName.c_str(), flags | O_CLOEXEC);
    if (m_fd < 0)
        throw EFOpenError(OpenMessage(FileName, SystemText(errno)));
    // A folder opens read-only on Linux but cannot be read as a file; refuse it here.
    struct stat st {};
    if (::fstat(m_fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        throw EFOpenError(OpenMessage(FileName, SystemText(EISDIR)));
    }
}

TFileStream::~TFileStream() {
    if (m_fd >= 0)
        ::close(m_fd);
}

namespace {
// Moves Count bytes with read or write, in pieces of at most 1 GiB, past interruptions; stops
// at the end of the file or at an error and answers how many bytes moved.
template <class Op, class Ptr> std::int64_t transferAll(Op op, int fd, Ptr buffer, std::int64_t Count) {
    std::int64_t done = 0;
    while (done < Count) {
        const ssize_t n =
            op(fd, buffer + done, static_cast<std::size_t>(std::min<std::int64_t>(Count - done, 1 << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}
}  // namespace

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count) {
    return transferAll(::read, m_fd, static_cast<char*>(Buffer), Count);
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count) {
    return transferAll(::write, m_fd, static_cast<const char*>(Buffer), Count);
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
    const int whence = Origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : Origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    const off_t pos = ::lseek(m_fd, static_cast<off_t>(Offset), whence);
    if (pos < 0)
        throw EStreamError("Invalid stream position: " + SystemText(errno));
    return pos;
}

void TFileStream::SetSize(std::int64_t NewSize) {
    if (NewSize < 0 || ::ftruncate(m_fd, static_cast<off_t>(NewSize)) != 0)
        throw EStreamError("Cannot set the size of \"" + m_fileName + "\". " +
                           SystemText(NewSize < 0 ? EINVAL : errno));
    if (Position() > NewSize)
        SetPosition(NewSize);
}

}  // namespace framework

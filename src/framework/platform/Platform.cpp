#include "framework/platform/Platform.h"

#include <atomic>
#include <cerrno>
#include <cstring>

namespace framework::platform {

namespace {

// The replacement a test put in force; null means the Linux platform.
std::atomic<IPlatform*> g_current{nullptr};

IPlatform& LinuxInstance() {
    static const std::unique_ptr<IPlatform> instance = MakeLinuxPlatform();
    return *instance;
}

}  // namespace

IPlatform& Platform() {
    IPlatform* current = g_current.load();
    return current ? *current : LinuxInstance();
}

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes, IoError* err) {
    // A file that is already too large is refused without reading it; one byte more than
    // allowed tells a file that grew meanwhile.
    if (const FileStat st = Platform().Stat(path, true); st.IsRegular && st.Size > maxBytes) {
        if (err)
            *err = IoError{EFBIG, std::strerror(EFBIG)};
        return std::nullopt;
    }
    const std::size_t asked = maxBytes < SIZE_MAX ? maxBytes + 1 : maxBytes;
    std::optional<std::string> bytes = Platform().ReadFileRange(path, 0, asked, err);
    if (bytes && bytes->size() > maxBytes) {
        if (err)
            *err = IoError{EFBIG, std::strerror(EFBIG)};
        return std::nullopt;
    }
    return bytes;
}

ScopedPlatform::ScopedPlatform(IPlatform& replacement) : m_previous(g_current.exchange(&replacement)) {}

ScopedPlatform::~ScopedPlatform() { g_current.store(m_previous); }

}  // namespace framework::platform

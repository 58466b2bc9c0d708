#include "framework/platform/FakePlatform.h"

#include "framework/platform/Devices.h"

namespace framework::platform {

namespace {

bool IsAtOrBelow(const std::string& path, const std::string& prefix) {
    if (prefix == "/")
        return !path.empty() && path.front() == '/';
    return path.size() >= prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
           (path.size() == prefix.size() || path[prefix.size()] == '/');
}

bool IsUnderDev(const std::string& path) { return path.rfind("/dev/", 0) == 0; }

}  // namespace

FakePlatform::FakePlatform() : m_real(MakeLinuxPlatform()) {}

void FakePlatform::SetDeviceForPrefix(const std::string& prefix, unsigned major, unsigned minor) {
    const std::string normalized = NormalizePath(prefix, CurrentDirectory());
    m_devicePrefixes.push_back({normalized, m_real->RealPath(normalized), major, minor});
}

void FakePlatform::AddDeviceNode(const std::string& path, unsigned major, unsigned minor) {
    m_deviceNodes[NormalizePath(path, "/")] = {major, minor};
}

void FakePlatform::FailWriteAt(WriteStep step, int code, std::uint64_t afterBytes) {
    m_writeOptions.Fault = WriteFault{step, code, afterBytes};
}

std::string FakePlatform::ExecutablePath() {
    return m_executablePath ? *m_executablePath : m_real->ExecutablePath();
}

std::optional<std::string> FakePlatform::GetEnv(const std::string& name) {
    const auto it = m_env.find(name);
    if (it == m_env.end())
        return std::nullopt;
    return it->second;
}

std::string FakePlatform::CurrentDirectory() {
    return m_currentDirectory ? *m_currentDirectory : m_real->CurrentDirectory();
}

std::optional<std::string> FakePlatform::BlockDeviceSysPath(unsigned major, unsigned minor) {
    if (!m_sysfsRoot)
        return std::nullopt;
    return m_real->RealPath(*m_sysfsRoot + "/dev/block/" + std::to_string(major) + ":" +
                            std::to_string(minor));
}

FileStat FakePlatform::Stat(const std::string& path, bool followLinks) {
    ++m_statCalls;
    const std::string normalized = NormalizePath(path, CurrentDirectory());
    if (IsUnderDev(normalized)) {
        FileStat node;
        const auto it = m_deviceNodes.find(normalized);
        if (it != m_deviceNodes.end()) {
            node.Exists = true;
            node.IsBlockDevice = true;
            node.Mode = 0660;
            node.RDevMajor = it->second.Major;
            node.RDevMinor = it->second.Minor;
        }
        return node;
    }

    FileStat result = m_real->Stat(path, followLinks);
    if (!result.Exists || m_devicePrefixes.empty())
        return result;
    const DevicePrefix* best = nullptr;
    std::size_t bestLength = 0;
    const auto consider = [&](const std::string& candidate, const std::string& prefix,
                              const DevicePrefix& p) {
        if (IsAtOrBelow(candidate, prefix) && (!best || prefix.size() >= bestLength)) {
            best = &p;
            bestLength = prefix.size();
        }
    };
    const auto real = m_real->RealPath(path);
    for (const DevicePrefix& p : m_devicePrefixes) {
        consider(normalized, p.Prefix, p);
        if (real && p.RealPrefix)
            consider(*real, *p.RealPrefix, p);
    }
    if (best) {
        result.DevMajor = best->Major;
        result.DevMinor = best->Minor;
    }
    return result;
}

std::optional<std::string> FakePlatform::ReadFile(const std::string& path, IoError* err) {
    ++m_readFileCalls[path];
    return m_real->ReadFile(path, err);
}

std::optional<std::string> FakePlatform::ReadFileRange(const std::string& path, std::uint64_t offset,
                                                       std::size_t maxBytes, IoError* err) {
    if (offset == 0)
        ++m_readFileCalls[path];
    return m_real->ReadFileRange(path, offset, maxBytes, err);
}

std::optional<std::string> FakePlatform::ReadLink(const std::string& path) { return m_real->ReadLink(path); }

std::optional<std::string> FakePlatform::RealPath(const std::string& path) { return m_real->RealPath(path); }

std::vector<std::string> FakePlatform::ListDirectory(const std::string& path) {
    return m_real->ListDirectory(path);
}

bool FakePlatform::MakeDirectory(const std::string& path, IoError* err) {
    return m_real->MakeDirectory(path, err);
}

bool FakePlatform::RemoveFile(const std::string& path, IoError* err) { return m_real->RemoveFile(path, err); }
bool FakePlatform::AppendFile(const std::string& path, const std::string& data, IoError* err) {
    return m_real->AppendFile(path, data, err);
}

bool FakePlatform::RemoveDirectory(const std::string& path, IoError* err) {
    return m_real->RemoveDirectory(path, err);
}

bool FakePlatform::Rename(const std::string& from, const std::string& to, IoError* err) {
    return m_real->Rename(from, to, err);
}

bool FakePlatform::WriteFileAtomic(const std::string& path, std::string_view data, IoError* err) {
    ++m_atomicWriteCalls;
    return WriteFileAtomicWith(path, data, err, m_writeOptions);
}

}  // namespace framework::platform

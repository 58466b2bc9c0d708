#pragma once
// A platform for tests. Files are real (it hands file work to the Linux platform, so tests
// use a temporary folder), while everything about the machine is what the test says: the
// executable, the environment, the current folder, the screen, the mount table, a sysfs tree
// built on disk, device numbers of paths, device nodes, and failures of atomic writes.

#include "framework/platform/LinuxPlatform.h"
#include "framework/platform/Platform.h"
#include "framework/platform/ScriptedFileChooser.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace framework::platform {

class FakePlatform final : public IPlatform {
public:
    FakePlatform();

    // The executable path; until set, the real one.
    void SetExecutablePath(std::string path) { m_executablePath = std::move(path); }
    // The environment starts empty, so the host's variables never leak into a test.
    void SetEnv(const std::string& name, std::string value) { m_env[name] = std::move(value); }
    void UnsetEnv(const std::string& name) { m_env.erase(name); }
    // Until set, the real current folder. Only answers the question: file work on a relative
    // path still starts from the real one, so tests use absolute paths.
    void SetCurrentDirectory(std::string path) { m_currentDirectory = std::move(path); }
    void SetScreenPixelsPerInch(int ppi) { m_pixelsPerInch = ppi; }
    // 10 unless set; below 6 the classic folder browser stands in for the new-style dialogs.
    void SetSystemMajorVersion(int version) { m_majorVersion = version; }
    // Dialogs are answered by the scripted chooser.
    ScriptedFileChooser& Chooser() { return m_scripted; }

    void SetMounts(std::vector<MountEntry> mounts) { m_mounts = std::move(mounts); }
    void AddMount(MountEntry mount) { m_mounts.push_back(std::move(mount)); }
    // BlockDeviceSysPath resolves <root>/dev/block/MAJ:MIN; without a root no device has one.
    void SetSysfsRoot(std::string root) { m_sysfsRoot = std::move(root); }
    // Files at or below prefix report major:minor as their device (longest prefix wins).
    void SetDeviceForPrefix(const std::string& prefix, unsigned major, unsigned minor);
    // A block device node such as /dev/sdb1. Paths under /dev/ that were not added do not
    // exist, so the host's devices never leak into a test.
    void AddDeviceNode(const std::string& path, unsigned major, unsigned minor);

    // Atomic writes fail at step with errno code (for Write after afterBytes bytes reached the
    // file), running the same code as the real write, cleanup included, until cleared.
    void FailWriteAt(WriteStep step, int code, std::uint64_t afterBytes = 0);
    void ClearWriteFault() { m_writeOptions.Fault.reset(); }
    // Every write() moves at most maxBytes (0: no limit), exercising the partial-write loop.
    void SetShortWrites(std::size_t maxBytes) { m_writeOptions.MaxBytesPerWrite = maxBytes; }
    // The next atomic writes see this many interrupted write() calls each.
    void SetInterruptedWrites(int count) { m_writeOptions.InterruptedWrites = count; }
    int AtomicWriteCalls() const { return m_atomicWriteCalls; }
    // How often this file was read: whole, or in a range from its start.
    int ReadFileCalls(const std::string& path) const {
        const auto found = m_readFileCalls.find(path);
        return found == m_readFileCalls.end() ? 0 : found->second;
    }
    // How often the file system was asked about a path.
    int StatCalls() const { return m_statCalls; }

    std::string ExecutablePath() override;
    std::optional<std::string> GetEnv(const std::string& name) override;
    std::string CurrentDirectory() override;
    int ScreenPixelsPerInch() override { return m_pixelsPerInch; }
    int SystemMajorVersion() override { return m_majorVersion; }
    IFileChooser& FileChooser() override { return m_scripted; }
    std::vector<MountEntry> Mounts() override { return m_mounts; }
    std::optional<std::string> BlockDeviceSysPath(unsigned major, unsigned minor) override;

    FileStat Stat(const std::string& path, bool followLinks = true) override;
    std::optional<std::string> ReadFile(const std::string& path, IoError* err = nullptr) override;
    std::optional<std::string> ReadFileRange(const std::string& path, std::uint64_t offset,
                                             std::size_t maxBytes, IoError* err = nullptr) override;
    std::optional<std::string> ReadLink(const std::string& path) override;
    std::optional<std::string> RealPath(const std::string& path) override;
    std::vector<std::string> ListDirectory(const std::string& path) override;
    bool MakeDirectory(const std::string& path, IoError* err = nullptr) override;
    bool RemoveFile(const std::string& path, IoError* err = nullptr) override;
    bool AppendFile(const std::string& path, const std::string& data, IoError* err = nullptr) override;
    bool RemoveDirectory(const std::string& path, IoError* err = nullptr) override;
    bool Rename(const std::string& from, const std::string& to, IoError* err = nullptr) override;
    bool WriteFileAtomic(const std::string& path, std::string_view data, IoError* err = nullptr) override;

private:
    struct DevicePrefix {
        std::string Prefix;
        std::optional<std::string> RealPrefix;
        unsigned Major;
        unsigned Minor;
    };
    struct DeviceNode {
        unsigned Major;
        unsigned Minor;
    };

    std::unique_ptr<IPlatform> m_real;
    std::optional<std::string> m_executablePath;
    std::map<std::string, std::string> m_env;
    std::optional<std::string> m_currentDirectory;
    int m_pixelsPerInch = 96;
    int m_majorVersion = 10;
    ScriptedFileChooser m_scripted;
    std::vector<MountEntry> m_mounts;
    std::optional<std::string> m_sysfsRoot;
    std::vector<DevicePrefix> m_devicePrefixes;
    std::map<std::string, DeviceNode> m_deviceNodes;
    AtomicWriteOptions m_writeOptions;
    int m_atomicWriteCalls = 0;
    std::map<std::string, int> m_readFileCalls;
    int m_statCalls = 0;
};

}  // namespace framework::platform

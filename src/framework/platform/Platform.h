#pragma once
// The one seam between the framework and the operating system. Everything that asks the
// system (files, mounts, devices, folders, the screen) goes through Platform(), so tests can
// put a double in its place: a fake sysfs and mount table, another executable path, injected
// write failures, all on real files in a temporary folder.

#include "framework/platform/FileChooser.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace framework::platform {

// One line of the mount table (/proc/self/mountinfo).
struct MountEntry {
    unsigned Major = 0;  // device numbers of the mounted file system (st_dev)
    unsigned Minor = 0;
    std::string Root;        // root of the mount inside its file system
    std::string MountPoint;  // where it is mounted, unescaped, without a trailing '/'; "/" for root
    std::string FsType;      // ext4, vfat, nfs4, cifs, fuse.sshfs, ...
    std::string Source;      // /dev/sdb1, server:/export, ...
};

struct FileStat {
    bool Exists = false;
    bool IsDirectory = false;
    bool IsRegular = false;
    std::uint64_t Size = 0;
    unsigned Mode = 0;      // permission bits
    unsigned DevMajor = 0;  // device of the file system that holds the file
    unsigned DevMinor = 0;
    bool IsSymlink = false;  // only seen when links are not followed
    bool IsBlockDevice = false;
    unsigned RDevMajor = 0;  // the device a block device node stands for (/dev/sdb1)
    unsigned RDevMinor = 0;
};

// Why a file operation failed: the errno value and the system's text for it.
struct IoError {
    int Code = 0;
    std::string Text;
};

class IPlatform {
public:
    virtual ~IPlatform() = default;

    // --- The running program and its environment ---
    virtual std::string ExecutablePath() = 0;  // /proc/self/exe, resolved
    virtual std::optional<std::string> GetEnv(const std::string& name) = 0;
    virtual std::string CurrentDirectory() = 0;
    virtual int ScreenPixelsPerInch() = 0;  // 96 without a display
    // The system's major version in the classic numbering, where 6 brought the new-style file
    // dialogs; every Linux desktop has choosers of that kind.
    virtual int SystemMajorVersion() = 0;
    // The desktop's file and folder chooser.
    virtual IFileChooser& FileChooser() = 0;

    // --- Mounts and block devices ---
    virtual std::vector<MountEntry> Mounts() = 0;
    // The resolved sysfs folder of a block device (/sys/dev/block/MAJ:MIN), when there is one.
    virtual std::optional<std::string> BlockDeviceSysPath(unsigned major, unsigned minor) = 0;

    // --- Files. Paths are UTF-8. Operations answer false or nullopt and fill err on failure ---
    virtual FileStat Stat(const std::string& path, bool followLinks = true) = 0;
    virtual std::optional<std::string> ReadFile(const std::string& path, IoError* err = nullptr) = 0;
    // Reads at most maxBytes from offset of a regular file (links followed); fewer at the end
    // of the file. Anything else fails at once: EISDIR for a folder, EINVAL ("Not a regular
    // file") for a pipe, device or socket.
    virtual std::optional<std::string> ReadFileRange(const std::string& path, std::uint64_t offset,
                                                     std::size_t maxBytes, IoError* err = nullptr) = 0;
    virtual std::optional<std::string> ReadLink(const std::string& path) = 0;
    virtual std::optional<std::string> RealPath(const std::string& path) = 0;
    virtual std::vector<std::string> ListDirectory(const std::string& path) = 0;  // names, no . and ..
    virtual bool MakeDirectory(const std::string& path, IoError* err = nullptr) = 0;
    virtual bool RemoveFile(const std::string& path, IoError* err = nullptr) = 0;
    // Adds data at the end of the file, creating it when missing (a log); one write call. A
    // named pipe nobody reads fails at once (ENXIO); a full device fails with ENOSPC.
    virtual bool AppendFile(const std::string& path, const std::string& data, IoError* err = nullptr) = 0;
    virtual bool RemoveDirectory(const std::string& path, IoError* err = nullptr) = 0;
    virtual bool Rename(const std::string& from, const std::string& to, IoError* err = nullptr) = 0;

    // Writes the whole of data to path so that readers see either the old file or the new one,
    // never a mixture: a temporary file in the same folder, written, flushed to disk, given the
    // old file's permissions, renamed over the old name, then the folder synced. On any failure
    // the temporary file is removed and the old file is untouched. Temporary files that earlier
    // writes of the same file left behind when their process died are removed first. A name
    // (or a link's target) that is a device, pipe or socket is refused with EINVAL ("Not a
    // regular file"), never replaced.
    virtual bool WriteFileAtomic(const std::string& path, std::string_view data, IoError* err = nullptr) = 0;
};

// The whole of a regular file as ReadFileRange reads it, when it holds at most maxBytes;
// EFBIG when it holds more. What readers of files from outside use.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes,
                                           IoError* err = nullptr);

// The platform in force: the Linux one unless a test has put a double in its place.
IPlatform& Platform();
std::unique_ptr<IPlatform> MakeLinuxPlatform();

// Puts a platform in force for the life of the guard, then restores the previous one.
class ScopedPlatform {
public:
    explicit ScopedPlatform(IPlatform& replacement);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    IPlatform* m_previous;
};

}  // namespace framework::platform

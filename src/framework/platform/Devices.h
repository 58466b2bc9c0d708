#pragma once
// Questions about where a path lives and what holds it: its mount, the storage bus of the
// device behind that mount, network file systems, and the user's and the machine's standard
// folders. Everything is asked through Platform(), so tests answer with a fake sysfs, mount
// table and environment.

#include "framework/platform/Platform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace framework::platform {

// Storage bus of a device, numbered as the Windows STORAGE_BUS_TYPE values, which stored
// settings and callers compare against (7 is USB).
enum class StorageBus : std::uint8_t {
    Unknown = 0,
    Scsi = 1,
    Atapi = 2,
    Ata = 3,
    Ieee1394 = 4,
    Ssa = 5,
    Fibre = 6,
    Usb = 7,
    Raid = 8,
    IScsi = 9,
    Sas = 10,
    Sata = 11,
    Sd = 12,
    Mmc = 13,
    Virtual = 14,
    FileBackedVirtual = 15,
    Spaces = 16,
    Nvme = 17,
};

// An absolute path with "//", "." and ".." folded away, without asking the file system.
// A relative path is taken relative to base.
std::string NormalizePath(std::string_view path, std::string_view base);

// The mount that holds path, which need not exist yet (its nearest existing folder decides).
// Among mount points that prefix the real path, the longest one on the path's own device wins;
// when none is on that device (overlay and btrfs report anonymous devices), the longest prefix.
std::optional<MountEntry> MountOfPath(const std::string& path);

// The mount point holding path with a trailing '/', the Linux counterpart of a drive root.
std::optional<std::string> MountRootOfPath(const std::string& path);

// The bus of the block device at a resolved sysfs folder (/sys/devices/...). A partition
// answers for its disk; device-mapper volumes answer for the disk below them.
StorageBus BusTypeOfSysPath(const std::string& sysPath);
StorageBus BusTypeOfDevice(unsigned major, unsigned minor);
// Unknown for a mount with no block device behind it (network, tmpfs, proc...).
StorageBus BusTypeOfMount(const MountEntry& mount);
StorageBus BusTypeOfPath(const std::string& path);

// Whether a file system type (as mountinfo names it) reaches its files over a network or
// from a host share.
bool IsNetworkFileSystem(std::string_view fsType);
bool IsOnNetworkFileSystem(const std::string& path);

// Mount points of file systems on USB storage, in mount-table order, each once.
std::vector<std::string> UsbMountPoints();

// The folder that user-dirs.dirs text gives for one XDG name (DOCUMENTS, DESKTOP, ...), read
// as the XDG reference lookup reads it; nullopt when no usable line names it.
std::optional<std::string> UserDirFromConfig(std::string_view text, std::string_view name,
                                             std::string_view home);

// The largest user-dirs.dirs read; the real one holds a few hundred bytes.
inline constexpr std::size_t kUserDirsMaxSize = 64 * 1024;

// The user's documents folder: XDG_DOCUMENTS_DIR from user-dirs.dirs, else $HOME/Documents;
// nullopt when there is no home folder to start from, and also when user-dirs.dirs is there
// but cannot be used (larger than kUserDirsMaxSize, or no regular file: a pipe, a device):
// then problem, when given, says which file and why.
std::optional<std::string> DocumentsFolder(std::string* problem = nullptr);

// Data shared by all users: the first absolute entry of XDG_DATA_DIRS, else /usr/local/share.
std::string AllUsersDataFolder();

}  // namespace framework::platform

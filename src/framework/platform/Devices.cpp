#include "framework/platform/Devices.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <map>
#include <utility>

namespace framework::platform {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "usb3" for prefix "usb": the prefix followed by a number and nothing else.
bool IsNumbered(std::string_view component, std::string_view prefix) {
    return StartsWith(component, prefix) && AllDigits(component.substr(prefix.size()));
}

std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        auto slash = path.find('/', pos);
        if (slash == std::string_view::npos)
            slash = path.size();
        if (slash > pos)
            parts.push_back(path.substr(pos, slash - pos));
        pos = slash + 1;
    }
    return parts;
}

std::string ParentOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Whether mountPoint is path itself or one of its folders.
bool MountPointPrefixes(const std::string& mountPoint, const std::string& path) {
    if (mountPoint == "/")
        return StartsWith(path, "/");
    return path == mountPoint || (StartsWith(path, mountPoint) && path[mountPoint.size()] == '/');
}

// The real path of path, which may not exist yet: its nearest existing folder is resolved
// and the rest appended. Also answers the part that exists, whose device decides the mount.
std::pair<std::string, std::string> ResolveExistingPart(const std::string& normalized) {
    IPlatform& platform = Platform();
    std::string existing = normalized;
    std::string rest;
    for (;;) {
        if (auto real = platform.RealPath(existing)) {
            std::string full = *real;
            if (!rest.empty())
                full = (full == "/" ? "" : full) + rest;
            return {full, *real};
        }
        if (existing == "/")
            return {normalized, "/"};
        const auto slash = existing.rfind('/');
        rest = existing.substr(slash) + rest;
        existing = slash == 0 ? "/" : existing.substr(0, slash);
    }
}

// The classification of a disk's sysfs folder; depth limits stacked device-mapper volumes.
StorageBus ClassifyDisk(const std::string& sysPath, int depth) {
    IPlatform& platform = Platform();
    std::string disk = sysPath;
    while (disk.size() > 1 && disk.back() == '/')
        disk.pop_back();
    if (platform.Stat(disk + "/partition").Exists)
        disk = ParentOf(disk);

    // Only the part below "devices" names buses; the folders above it are the sysfs mount.
    const auto devicesAt = disk.find("/devices/");
    const std::string devicesRoot =
        devicesAt == std::string::npos ? std::string() : disk.substr(0, devicesAt + 8);
    const std::string_view below = devicesAt == std::string::npos
                                       ? std::string_view(disk)
                                       : std::string_view(disk).substr(devicesAt + 9);
    const auto parts = Components(below);
    if (parts.empty())
        return StorageBus::Unknown;
    const std::string_view name = parts.back();
    const auto any = [&](auto predicate) { return std::any_of(parts.begin(), parts.end(), predicate); };

    // A disk behind a USB controller is a USB disk, whatever protocol runs over the cable.
    if (any([](std::string_view c) { return IsNumbered(c, "usb"); }))
        return StorageBus::Usb;
    if (!devicesRoot.empty()) {
        for (std::string dir = disk; dir.size() > devicesRoot.size(); dir = ParentOf(dir)) {
            const auto subsystem = platform.ReadLink(dir + "/subsystem");
            if (subsystem && EndsWith(*subsystem, "/bus/usb"))
                return StorageBus::Usb;
        }
    }
    if (any([](std::string_view c) { return c == "nvme" || IsNumbered(c, "nvme"); }))
        return StorageBus::Nvme;

    if (parts.front() == "virtual") {
        if (StartsWith(name, "loop"))
            return StorageBus::FileBackedVirtual;
        if (StartsWith(name, "md"))
            return StorageBus::Raid;
        // A mapped volume (LVM, encryption) lives on the disks listed under slaves.
        const auto slaves = platform.ListDirectory(disk + "/slaves");
        if (!slaves.empty() && depth < 8) {
            if (const auto lower = platform.RealPath(disk + "/slaves/" + slaves.front()))
                return ClassifyDisk(*lower, depth + 1);
        }
        return StorageBus::Virtual;
    }
    if (any([](std::string_view c) {
            return IsNumbered(c, "virtio") || IsNumbered(c, "vbd-") || c == "xen";
        }))
        return StorageBus::Virtual;

    // An MMC host's card folder ("mmc0:aaaa") says in "type" whether the card is SD or MMC.
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string_view c = parts[i];
        const auto colon = c.find(':');
        if (colon == std::string_view::npos || !IsNumbered(c.substr(0, colon), "mmc"))
            continue;
        std::string cardDir = devicesRoot.empty() ? std::string() : devicesRoot;
        for (std::size_t j = 0; j <= i; ++j)
            cardDir += "/" + std::string(parts[j]);
        const auto type = platform.ReadFile(cardDir + "/type", nullptr);
        return type && StartsWith(*type, "SD") && !StartsWith(*type, "SDIO") ? StorageBus::Sd
                                                                             : StorageBus::Mmc;
    }

    if (any([](std::string_view c) { return IsNumbered(c, "session"); }))
        return StorageBus::IScsi;
    if (any([](std::string_view c) { return StartsWith(c, "rport-"); }))
        return StorageBus::Fibre;
    if (any([](std::string_view c) { return StartsWith(c, "end_device-"); }))
        return StorageBus::Sas;
    if (any([](std::string_view c) { return IsNumbered(c, "ata"); }))
        return StorageBus::Sata;
    if (any([](std::string_view c) { return IsNumbered(c, "host") || StartsWith(c, "target"); }))
        return StorageBus::Scsi;
    return StorageBus::Unknown;
}

}  // namespace

std::string NormalizePath(std::string_view path, std::string_view base) {
    std::string joined;
    if (StartsWith(path, "/"))
        joined = std::string(path);
    else
        joined = std::string(base) + "/" + std::string(path);
    std::vector<std::string_view> kept;
    for (const std::string_view part : Components(joined)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!kept.empty())
                kept.pop_back();
            continue;
        }
        kept.push_back(part);
    }
    std::string result;
    for (const auto part : kept) {
        result += '/';
        result += part;
    }
    return result.empty() ? "/" : result;
}

std::optional<MountEntry> MountOfPath(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    IPlatform& platform = Platform();
    const std::string normalized = NormalizePath(path, platform.CurrentDirectory());
    const auto [real, existing] = ResolveExistingPart(normalized);
    const FileStat st = platform.Stat(existing);

    const MountEntry* onDevice = nullptr;
    const MountEntry* anyPrefix = nullptr;
    // ">=" so that of two mounts on one point the later, which hides the earlier, wins.
    const auto longer = [](const MountEntry* best, const MountEntry& m) {
        return !best || m.MountPoint.size() >= best->MountPoint.size();
    };
    const auto mounts = platform.Mounts();
    for (const MountEntry& m : mounts) {
        if (!MountPointPrefixes(m.MountPoint, real))
            continue;
        if (longer(anyPrefix, m))
            anyPrefix = &m;
        if (st.Exists && m.Major == st.DevMajor && m.Minor == st.DevMinor && longer(onDevice, m))
            onDevice = &m;
    }
    const MountEntry* chosen = onDevice ? onDevice : anyPrefix;
    if (!chosen)
        return std::nullopt;
    return *chosen;
}

std::optional<std::string> MountRootOfPath(const std::string& path) {
    const auto mount = MountOfPath(path);
    if (!mount)
        return std::nullopt;
    return mount->MountPoint == "/" ? mount->MountPoint : mount->MountPoint + "/";
}

StorageBus BusTypeOfSysPath(const std::string& sysPath) {
    if (sysPath.empty())
        return StorageBus::Unknown;
    return ClassifyDisk(sysPath, 0);
}

StorageBus BusTypeOfDevice(unsigned major, unsigned minor) {
    const auto sysPath = Platform().BlockDeviceSysPath(major, minor);
    return sysPath ? BusTypeOfSysPath(*sysPath) : StorageBus::Unknown;
}

StorageBus BusTypeOfMount(const MountEntry& mount) {
    if (IsNetworkFileSystem(mount.FsType))
        return StorageBus::Unknown;
    IPlatform& platform = Platform();
    if (const auto sysPath = platform.BlockDeviceSysPath(mount.Major, mount.Minor))
        return BusTypeOfSysPath(*sysPath);
    // btrfs and others report an anonymous device number; the source names the real one.
    if (StartsWith(mount.Source, "/dev/")) {
        const FileStat node = platform.Stat(mount.Source);
        if (node.IsBlockDevice)
            return BusTypeOfDevice(node.RDevMajor, node.RDevMinor);
    }
    return StorageBus::Unknown;
}

StorageBus BusTypeOfPath(const std::string& path) {
    const auto mount = MountOfPath(path);
    return mount ? BusTypeOfMount(*mount) : StorageBus::Unknown;
}

bool IsNetworkFileSystem(std::string_view fsType) {
    static constexpr std::array<std::string_view, 24> kNetwork = {
        "nfs",         "nfs4",         "cifs",           "smb3",
        "smbfs",       "smb2",         "ncpfs",          "afs",
        "ceph",        "glusterfs",    "lustre",         "9p",
        "davfs",       "sshfs",        "fuse.sshfs",     "fuse.rclone",
        "fuse.s3fs",   "fuse.gcsfuse", "fuse.ceph",      "fuse.glusterfs",
        "fuse.davfs2", "vboxsf",       "fuse.curlftpfs", "fuse.smbnetfs",
    };
    return std::find(kNetwork.begin(), kNetwork.end(), fsType) != kNetwork.end();
}

bool IsOnNetworkFileSystem(const std::string& path) {
    const auto mount = MountOfPath(path);
    return mount && IsNetworkFileSystem(mount->FsType);
}

std::vector<std::string> UsbMountPoints() {
    std::vector<std::string> points;
    std::map<std::pair<unsigned, unsigned>, StorageBus> known;
    for (const MountEntry& m : Platform().Mounts()) {
        if (IsNetworkFileSystem(m.FsType))
            continue;
        const auto key = std::make_pair(m.Major, m.Minor);
        auto it = known.find(key);
        if (it == known.end())
            it = known.emplace(key, BusTypeOfMount(m)).first;
        if (it->second == StorageBus::Usb &&
            std::find(points.begin(), points.end(), m.MountPoint) == points.end())
            points.push_back(m.MountPoint);
    }
    return points;
}

std::optional<std::string> UserDirFromConfig(std::string_view text, std::string_view name,
                                             std::string_view home) {
    const auto skipBlanks = [](std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
            s.remove_prefix(1);
        return s;
    };
    std::optional<std::string> found;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = skipBlanks(text.substr(start, end - start));
        start = end + 1;

        if (!StartsWith(line, "XDG_"))
            continue;
        line.remove_prefix(4);
        if (!StartsWith(line, name))
            continue;
        line.remove_prefix(name.size());
        if (!StartsWith(line, "_DIR"))
            continue;
        line = skipBlanks(line.substr(4));
        if (!StartsWith(line, "="))
            continue;
        line = skipBlanks(line.substr(1));
        if (!StartsWith(line, "\""))
            continue;
        line.remove_prefix(1);
        // "$HOME/..." is relative to the home folder; a bare "$HOME" is not a usable value.
        bool relative = false;
        if (StartsWith(line, "$HOME/")) {
            line.remove_prefix(6);
            relative = true;
        } else if (!StartsWith(line, "/")) {
            continue;
        }
        std::string value;
        for (std::size_t i = 0; i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\' && i + 1 < line.size())
                ++i;
            value += line[i];
        }
        if (relative)
            value = std::string(home) + "/" + value;
        while (value.size() > 1 && value.back() == '/')
            value.pop_back();
        // A later line for the same name replaces an earlier one.
        found = std::move(value);
    }
    return found;
}

std::optional<std::string> DocumentsFolder(std::string* problem) {
    IPlatform& platform = Platform();
    auto home = platform.GetEnv("HOME");
    if (!home || home->empty())
        return std::nullopt;
    while (home->size() > 1 && home->back() == '/')
        home->pop_back();

    std::string configHome = *home + "/.config";
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    if (const auto xdg = platform.GetEnv("XDG_CONFIG_HOME"); xdg && StartsWith(*xdg, "/"))
        configHome = *xdg;
    // A missing or unreadable file means the default, as for the reference lookup; one that
    // is endless or huge is a fault worth telling, never read whole.
    const std::string config = configHome + "/user-dirs.dirs";
    IoError err;
    if (const auto text = ReadRegularFile(config, kUserDirsMaxSize, &err)) {
        if (auto folder = UserDirFromConfig(*text, "DOCUMENTS", *home))
            return folder;
    } else if (err.Code == EFBIG || err.Code == EINVAL) {
        if (problem)
            *problem = "Cannot read \"" + config + "\": " +
                       (err.Code == EFBIG ? "larger than " + std::to_string(kUserDirsMaxSize / 1024) + " KiB"
                                          : err.Text);
        return std::nullopt;
    }
    return *home == "/" ? std::string("/Documents") : *home + "/Documents";
}

std::string AllUsersDataFolder() {
    const auto dirs = Platform().GetEnv("XDG_DATA_DIRS");
    if (dirs) {
        std::size_t start = 0;
        while (start <= dirs->size()) {
            auto end = dirs->find(':', start);
            if (end == std::string::npos)
                end = dirs->size();
            std::string entry = dirs->substr(start, end - start);
            start = end + 1;
            // Relative entries are invalid and skipped.
            if (!StartsWith(entry, "/"))
                continue;
            while (entry.size() > 1 && entry.back() == '/')
                entry.pop_back();
            return entry;
        }
    }
    return "/usr/local/share";
}

}  // namespace framework::platform

#include "framework/platform/FakeSysfs.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace framework::platform {

namespace {

std::string LastComponent(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The SCSI part of a disk's path: host, target and logical unit, numbered by host.
std::string ScsiChain(unsigned host) {
    const std::string h = std::to_string(host);
    return "host" + h + "/target" + h + ":0:0/" + h + ":0:0:0/block";
}

}  // namespace

FakeSysfs::FakeSysfs(std::string root) : m_root(std::move(root)) {
    while (m_root.size() > 1 && m_root.back() == '/')
        m_root.pop_back();
    for (const char* folder : {"/dev/block", "/class/block", "/bus/usb", "/devices"})
        fs::create_directories(m_root + folder);
}

std::string FakeSysfs::PartitionPath(const std::string& diskFolder, int n) {
    const std::string disk = LastComponent(diskFolder);
    // Kernel naming: sdb -> sdb1, but nvme0n1 -> nvme0n1p1 and mmcblk0 -> mmcblk0p1.
    const bool endsInDigit = !disk.empty() && disk.back() >= '0' && disk.back() <= '9';
    return diskFolder + "/" + disk + (endsInDigit ? "p" : "") + std::to_string(n);
}

std::string FakeSysfs::AddDisk(const std::string& devicePath, unsigned major, unsigned minor,
                               int partitions) {
    const std::string folder = m_root + "/devices/" + devicePath;
    fs::create_directories(folder);
    Register(folder, LastComponent(folder), major, minor);
    for (int n = 1; n <= partitions; ++n) {
        const std::string part = PartitionPath(folder, n);
        fs::create_directories(part);
        WriteText(part + "/partition", std::to_string(n) + "\n");
        Register(part, LastComponent(part), major, minor + static_cast<unsigned>(n));
    }
    return folder;
}

std::string FakeSysfs::AddUsbStick(const std::string& name, unsigned major, unsigned minor) {
    const std::string port = "pci0000:00/0000:00:14.0/usb2/2-1";
    const std::string folder =
        AddDisk(port + "/2-1:1.0/" + ScsiChain(6 + minor / 16) + "/" + name, major, minor);
    // The USB device folders name their bus through a subsystem link, as the kernel's do.
    for (const std::string& usbDevice :
         {std::string("pci0000:00/0000:00:14.0/usb2"), port, port + "/2-1:1.0"}) {
        const std::string dir = m_root + "/devices/" + usbDevice;
        if (!fs::is_symlink(dir + "/subsystem"))
            Link(m_root + "/bus/usb", dir + "/subsystem");
    }
    return folder;
}

std::string FakeSysfs::AddSataDisk(const std::string& name, unsigned major, unsigned minor) {
    const unsigned port = 1 + minor / 16;
    return AddDisk("pci0000:00/0000:00:17.0/ata" + std::to_string(port) + "/" + ScsiChain(port - 1) + "/" +
                       name,
                   major, minor);
}

std::string FakeSysfs::AddNvmeDisk(const std::string& name, unsigned major, unsigned minor) {
    // nvme0n1 is namespace 1 of controller nvme0.
    const std::string controller = name.substr(0, name.find('n', 4));
    return AddDisk("pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/" + controller + "/" + name, major, minor);
}

std::string FakeSysfs::AddVirtioDisk(const std::string& name, unsigned major, unsigned minor) {
    return AddDisk("pci0000:00/0000:00:02.0/virtio1/block/" + name, major, minor);
}

std::string FakeSysfs::AddMmcCard(const std::string& name, unsigned major, unsigned minor,
                                  const std::string& cardType) {
    const std::string card = "platform/soc/fe340000.mmc/mmc_host/mmc0/mmc0:aaaa";
    const std::string folder = AddDisk(card + "/block/" + name, major, minor);
    WriteText(m_root + "/devices/" + card + "/type", cardType + "\n");
    return folder;
}

std::string FakeSysfs::AddMappedVolume(const std::string& name, unsigned major, unsigned minor,
                                       const std::string& slaveFolder) {
    const std::string folder = AddDisk("virtual/block/" + name, major, minor, 0);
    fs::create_directories(folder + "/slaves");
    Link(slaveFolder, folder + "/slaves/" + LastComponent(slaveFolder));
    return folder;
}

void FakeSysfs::WriteText(const std::string& path, const std::string& text) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void FakeSysfs::Link(const std::string& target, const std::string& linkPath) const {
    // Relative like the kernel's links, so the tree could move and still resolve.
    const fs::path relative = fs::path(target).lexically_relative(fs::path(linkPath).parent_path());
    fs::create_symlink(relative.empty() ? fs::path(target) : relative, linkPath);
}

void FakeSysfs::Register(const std::string& folder, const std::string& name, unsigned major,
                         unsigned minor) const {
    const std::string numbers = std::to_string(major) + ":" + std::to_string(minor);
    WriteText(folder + "/dev", numbers + "\n");
    Link(folder, m_root + "/dev/block/" + numbers);
    Link(folder, m_root + "/class/block/" + name);
}

}  // namespace framework::platform

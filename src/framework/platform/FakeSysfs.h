#pragma once
// Builds a sysfs tree on disk for tests, shaped as the kernel lays out its block devices:
// devices/<bus path>/<disk>/<partition> folders with "dev" and "partition" files, and the
// dev/block/MAJ:MIN and class/block/<name> links a FakePlatform resolves.

#include <string>

namespace framework::platform {

class FakeSysfs {
public:
    // Creates root and its dev/block, class/block and bus/usb folders.
    explicit FakeSysfs(std::string root);

    const std::string& Root() const { return m_root; }

    // A disk at devices/<devicePath> (the last component is its name) with device numbers
    // major:minor, and partitions 1..partitions at minor+1... Answers the disk's folder.
    std::string AddDisk(const std::string& devicePath, unsigned major, unsigned minor, int partitions = 1);
    // The folder of partition n of a disk added before.
    static std::string PartitionPath(const std::string& diskFolder, int n);

    // Common layouts. Each has one partition at minor+1.
    std::string AddUsbStick(const std::string& name, unsigned major, unsigned minor);    // sdb
    std::string AddSataDisk(const std::string& name, unsigned major, unsigned minor);    // sda
    std::string AddNvmeDisk(const std::string& name, unsigned major, unsigned minor);    // nvme0n1
    std::string AddVirtioDisk(const std::string& name, unsigned major, unsigned minor);  // vda
    // An MMC card; cardType is what the card folder's "type" file says ("SD" or "MMC").
    std::string AddMmcCard(const std::string& name, unsigned major, unsigned minor,
                           const std::string& cardType);
    // A device-mapper volume (no partitions) on the disk or partition at slaveFolder.
    std::string AddMappedVolume(const std::string& name, unsigned major, unsigned minor,
                                const std::string& slaveFolder);

private:
    void WriteText(const std::string& path, const std::string& text) const;
    void Link(const std::string& target, const std::string& linkPath) const;
    void Register(const std::string& folder, const std::string& name, unsigned major, unsigned minor) const;

    std::string m_root;
};

}  // namespace framework::platform

#include "framework/platform/Devices.h"
#include "framework/platform/FakePlatform.h"
#include "framework/platform/FakeSysfs.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace framework::platform;
using testsupport::TempFolder;

namespace {

MountEntry Mount(unsigned major, unsigned minor, std::string point, std::string type = "ext4",
                 std::string source = "/dev/sda2") {
    MountEntry m;
    m.Major = major;
    m.Minor = minor;
    m.Root = "/";
    m.MountPoint = std::move(point);
    m.FsType = std::move(type);
    m.Source = std::move(source);
    return m;
}

}  // namespace

class DevicesTest : public ::testing::Test {
protected:
    TempFolder tmp;
    FakePlatform fake;
    ScopedPlatform scoped{fake};
    FakeSysfs sys{tmp.Path("sys")};

    void SetUp() override { fake.SetSysfsRoot(sys.Root()); }
};

// --- Which mount holds a path ---

class MountLookup : public DevicesTest {
protected:
    std::string media = tmp.MakeFolder("media");
    std::string stick = tmp.MakeFolder("media/STICK");
    std::string sticky = tmp.MakeFolder("media/STICKY");

    void SetUp() override {
        DevicesTest::SetUp();
        fake.SetMounts(
            {Mount(8, 2, "/"), Mount(8, 17, stick, "vfat", "/dev/sdb1"), Mount(0, 50, sticky, "nfs4")});
        fake.SetDeviceForPrefix("/", 8, 2);
        fake.SetDeviceForPrefix(stick, 8, 17);
        fake.SetDeviceForPrefix(sticky, 0, 50);
    }
};

TEST_F(MountLookup, LongestMountPointOnTheComponentBoundary) {
    tmp.Write("media/STICK/app/tool", "");
    tmp.Write("media/STICKY/file", "");
    EXPECT_EQ(MountOfPath(stick + "/app/tool")->MountPoint, stick);
    EXPECT_EQ(MountOfPath(stick)->MountPoint, stick);
    EXPECT_EQ(MountOfPath(sticky + "/file")->MountPoint, sticky);  // not the STICK prefix
    EXPECT_EQ(MountOfPath(media)->MountPoint, "/");
    EXPECT_EQ(MountRootOfPath(stick + "/app/tool"), stick + "/");
    EXPECT_EQ(MountRootOfPath(media), "/");
}

TEST_F(MountLookup, PathsThatDoNotExistYetOrTakeDetours) {
    EXPECT_EQ(MountOfPath(stick + "/new/folder/file.ini")->MountPoint, stick);
    EXPECT_EQ(MountOfPath(media + "/../media/./STICK//x")->MountPoint, stick);
    fake.SetCurrentDirectory(media);
    EXPECT_EQ(MountOfPath("STICK/x.ini")->MountPoint, stick);
    // A link elsewhere that leads onto the stick belongs to the stick.
    std::filesystem::create_symlink(stick, tmp.Path("shortcut"));
    EXPECT_EQ(MountOfPath(tmp.Path("shortcut/x.ini"))->MountPoint, stick);
    EXPECT_FALSE(MountOfPath(""));
}

TEST_F(MountLookup, DeviceMatchBeatsALongerForeignPrefix) {
    // A stale entry for a folder that is not really mounted: its files are on the root device.
    const std::string stale = tmp.MakeFolder("media/STALE");
    fake.AddMount(Mount(8, 33, stale, "ext4", "/dev/sdc1"));
    EXPECT_EQ(MountOfPath(stale + "/x")->MountPoint, "/");
    // Overlay and btrfs report an anonymous device no entry has: the longest prefix decides.
    fake.SetDeviceForPrefix(stale, 0, 99);
    EXPECT_EQ(MountOfPath(stale + "/x")->MountPoint, stale);
}

TEST_F(MountLookup, TheLaterOfTwoMountsOnOnePointWins) {
    fake.AddMount(Mount(8, 17, stick, "ext4", "/dev/sdb2"));
    EXPECT_EQ(MountOfPath(stick)->Source, "/dev/sdb2");
}

TEST_F(MountLookup, NoTableNoMount) {
    fake.SetMounts({});
    EXPECT_FALSE(MountOfPath(stick));
    EXPECT_FALSE(MountRootOfPath(stick));
    EXPECT_EQ(BusTypeOfPath(stick), StorageBus::Unknown);
}

TEST_F(MountLookup, NetworkFileSystems) {
    EXPECT_TRUE(IsOnNetworkFileSystem(sticky + "/file"));
    EXPECT_FALSE(IsOnNetworkFileSystem(stick + "/file"));
    for (const char* type : {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "sshfs", "9p", "afs",
                             "ceph", "glusterfs", "davfs", "fuse.rclone"})
        EXPECT_TRUE(IsNetworkFileSystem(type)) << type;
    for (const char* type : {"", "ext4", "vfat", "fuse", "NFS", "nfsd", "tmpfs", "overlay", "fuse.sshfs2"})
        EXPECT_FALSE(IsNetworkFileSystem(type)) << type;
}

TEST(NormalizePath, FoldsWithoutTheFileSystem) {
    EXPECT_EQ(NormalizePath("/a//b/./c/", "/x"), "/a/b/c");
    EXPECT_EQ(NormalizePath("../../..", "/x/y"), "/");
    EXPECT_EQ(NormalizePath("b/../c", "/x"), "/x/c");
    EXPECT_EQ(NormalizePath("", "/x"), "/x");
}

// --- Storage bus from sysfs ---

TEST_F(DevicesTest, BusOfEachLayout) {
    sys.AddUsbStick("sdb", 8, 16);
    sys.AddSataDisk("sda", 8, 0);
    sys.AddNvmeDisk("nvme0n1", 259, 0);
    sys.AddVirtioDisk("vda", 254, 0);
    sys.AddMmcCard("mmcblk0", 179, 0, "SD");
    EXPECT_EQ(BusTypeOfDevice(8, 17), StorageBus::Usb);  // the partition answers for its disk
    EXPECT_EQ(BusTypeOfDevice(8, 16), StorageBus::Usb);
    EXPECT_EQ(BusTypeOfDevice(8, 1), StorageBus::Sata);
    EXPECT_EQ(BusTypeOfDevice(259, 1), StorageBus::Nvme);
    EXPECT_EQ(BusTypeOfDevice(254, 1), StorageBus::Virtual);
    EXPECT_EQ(BusTypeOfDevice(179, 1), StorageBus::Sd);
    EXPECT_EQ(BusTypeOfDevice(8, 99), StorageBus::Unknown);  // no sysfs entry
    EXPECT_EQ(static_cast<int>(StorageBus::Usb), 7);
}

TEST_F(DevicesTest, MmcCardThatIsNotSd) {
    sys.AddMmcCard("mmcblk1", 179, 8, "MMC");
    EXPECT_EQ(BusTypeOfDevice(179, 9), StorageBus::Mmc);
}

TEST_F(DevicesTest, UsbFoundThroughSubsystemLinkAlone) {
    const std::string hub = "pci0000:00/0000:00:14.0/hub/1-2";
    sys.AddDisk(hub + "/1-2:1.0/host9/target9:0:0/9:0:0:0/block/sdz", 65, 160);
    EXPECT_EQ(BusTypeOfDevice(65, 161), StorageBus::Scsi);
    std::filesystem::create_symlink("../../../../bus/usb", sys.Root() + "/devices/" + hub + "/subsystem");
    EXPECT_EQ(BusTypeOfDevice(65, 161), StorageBus::Usb);
}

TEST_F(DevicesTest, MappedVolumesAnswerForTheDiskBelow) {
    const std::string usb = sys.AddUsbStick("sdb", 8, 16);
    const std::string nvme = sys.AddNvmeDisk("nvme0n1", 259, 0);
    sys.AddMappedVolume("dm-0", 253, 0, FakeSysfs::PartitionPath(usb, 1));
    sys.AddMappedVolume("dm-1", 253, 1, FakeSysfs::PartitionPath(nvme, 1));
    sys.AddDisk("virtual/block/loop0", 7, 0, 0);
    sys.AddDisk("virtual/block/dm-2", 253, 2, 0);
    EXPECT_EQ(BusTypeOfDevice(253, 0), StorageBus::Usb);
    EXPECT_EQ(BusTypeOfDevice(253, 1), StorageBus::Nvme);
    EXPECT_EQ(BusTypeOfDevice(7, 0), StorageBus::FileBackedVirtual);
    EXPECT_EQ(BusTypeOfDevice(253, 2), StorageBus::Virtual);
}

TEST_F(DevicesTest, UnrecognisedPathsAreUnknown) {
    sys.AddDisk("platform/weird/block/xyz", 240, 0, 0);
    EXPECT_EQ(BusTypeOfDevice(240, 0), StorageBus::Unknown);
    EXPECT_EQ(BusTypeOfSysPath(""), StorageBus::Unknown);
    fake.SetSysfsRoot(tmp.Path("nowhere"));
    EXPECT_EQ(BusTypeOfDevice(240, 0), StorageBus::Unknown);
}

TEST_F(DevicesTest, MountsFindTheirDevice) {
    sys.AddUsbStick("sdb", 8, 16);
    sys.AddSataDisk("sda", 8, 0);
    EXPECT_EQ(BusTypeOfMount(Mount(8, 17, "/media/s", "vfat")), StorageBus::Usb);
    // btrfs: an anonymous device number, the source names the real device node.
    fake.AddDeviceNode("/dev/sdb1", 8, 17);
    EXPECT_EQ(BusTypeOfMount(Mount(0, 45, "/media/b", "btrfs", "/dev/sdb1")), StorageBus::Usb);
    EXPECT_EQ(BusTypeOfMount(Mount(0, 46, "/media/c", "btrfs", "/dev/sdq1")), StorageBus::Unknown);
    EXPECT_EQ(BusTypeOfMount(Mount(8, 17, "/net", "nfs4", "server:/x")), StorageBus::Unknown);
}

TEST_F(DevicesTest, UsbMountPointsInTableOrderOnce) {
    sys.AddUsbStick("sdb", 8, 16);
    sys.AddUsbStick("sdc", 8, 32);
    sys.AddSataDisk("sda", 8, 0);
    fake.SetMounts({Mount(8, 1, "/"), Mount(8, 33, "/media/u/B", "vfat"),
                    Mount(0, 30, "/tmp", "tmpfs", "tmpfs"), Mount(8, 17, "/media/u/A", "exfat"),
                    Mount(8, 17, "/media/u/A", "exfat"), Mount(8, 17, "/srv/bind", "exfat"),
                    Mount(8, 17, "/net", "nfs")});
    EXPECT_EQ(UsbMountPoints(), (std::vector<std::string>{"/media/u/B", "/media/u/A", "/srv/bind"}));
}

TEST_F(DevicesTest, PathOnStickIsUsbAndOnSystemDiskIsNot) {
    sys.AddUsbStick("sdb", 8, 16);
    sys.AddSataDisk("sda", 8, 0);
    const std::string stick = tmp.MakeFolder("STICK");
    fake.SetMounts({Mount(8, 1, "/"), Mount(8, 17, stick, "vfat", "/dev/sdb1")});
    fake.SetDeviceForPrefix("/", 8, 1);
    fake.SetDeviceForPrefix(stick, 8, 17);
    EXPECT_EQ(BusTypeOfPath(stick + "/tool"), StorageBus::Usb);
    EXPECT_EQ(BusTypeOfPath(tmp.Root()), StorageBus::Sata);
}

// --- The test platform itself ---

TEST_F(DevicesTest, FakeKeepsTheHostOut) {
    EXPECT_FALSE(fake.GetEnv("PATH"));
    fake.SetEnv("HOME", "/home/u");
    EXPECT_EQ(fake.GetEnv("HOME"), "/home/u");
    fake.UnsetEnv("HOME");
    EXPECT_FALSE(fake.GetEnv("HOME"));
    EXPECT_FALSE(fake.Stat("/dev/null").Exists);
    EXPECT_FALSE(fake.BlockDeviceSysPath(1, 3));
    fake.SetExecutablePath("/media/u/STICK/bin/tool");
    EXPECT_EQ(fake.ExecutablePath(), "/media/u/STICK/bin/tool");
}

TEST_F(DevicesTest, FakeDevicePrefixesRespectComponents) {
    tmp.Write("ab/f", "");
    tmp.Write("a/f", "");
    fake.SetDeviceForPrefix(tmp.Root(), 0, 77);
    fake.SetDeviceForPrefix(tmp.Path("a/f"), 8, 2);  // added before its parent: length decides, not order
    fake.SetDeviceForPrefix(tmp.Path("a"), 8, 1);
    EXPECT_EQ(fake.Stat(tmp.Path("a")).DevMinor, 1u);
    EXPECT_EQ(fake.Stat(tmp.Path("a/f")).DevMinor, 2u);
    EXPECT_EQ(fake.Stat(tmp.Path("ab/f")).DevMinor, 77u);
    EXPECT_FALSE(fake.Stat(tmp.Path("a/missing")).Exists);
}

// --- XDG folders ---

TEST(UserDirsParse, ReadsLikeTheReferenceLookup) {
    const auto docs = [](std::string_view text) { return UserDirFromConfig(text, "DOCUMENTS", "/home/u"); };
    EXPECT_EQ(docs("XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n"), "/home/u/Docs");
    EXPECT_EQ(docs("XDG_DOCUMENTS_DIR=\"/data/docs/\""), "/data/docs");
    EXPECT_EQ(docs(" \t XDG_DOCUMENTS_DIR \t= \t\"$HOME/My Documents\"  # note\n"), "/home/u/My Documents");
    EXPECT_EQ(docs("XDG_DOCUMENTS_DIR=\"$HOME/a\\\"b\\\\c\"\n"), "/home/u/a\"b\\c");
    EXPECT_EQ(docs("XDG_DOCUMENTS_DIR=\"$HOME/unterminated\n"), "/home/u/unterminated");
    EXPECT_EQ(docs("XDG_DOCUMENTS_DIR=\"$HOME/win\"\r\n"), "/home/u/win");
    // Later lines override earlier ones; unusable lines do not.
    EXPECT_EQ(docs("XDG_DOCUMENTS_DIR=\"$HOME/first\"\nXDG_DOCUMENTS_DIR=\"/second\"\n"), "/second");
    EXPECT_EQ(docs("XDG_DOCUMENTS_DIR=\"/kept\"\nXDG_DOCUMENTS_DIR=\"$HOME\"\n"), "/kept");
}

TEST(UserDirsParse, IgnoresWhatTheReferenceIgnores) {
    const auto docs = [](std::string_view text) { return UserDirFromConfig(text, "DOCUMENTS", "/home/u"); };
    EXPECT_FALSE(docs(""));
    EXPECT_FALSE(docs("# XDG_DOCUMENTS_DIR=\"/commented\"\n"));
    EXPECT_FALSE(docs("XDG_DOCUMENTS_DIR=\"$HOME\"\n"));       // bare $HOME
    EXPECT_FALSE(docs("XDG_DOCUMENTS_DIR=\"$HOMEDIR/x\"\n"));  // not $HOME/
    EXPECT_FALSE(docs("XDG_DOCUMENTS_DIR=\"relative/x\"\n"));
    EXPECT_FALSE(docs("XDG_DOCUMENTS_DIR=/unquoted\n"));
    EXPECT_FALSE(docs("XDG_DOCUMENTS_DIRS=\"/x\"\n"));
    EXPECT_FALSE(docs("XDG_DOWNLOAD_DIR=\"/x\"\nxdg_documents_dir=\"/y\"\n"));
}

class XdgFolders : public ::testing::Test {
protected:
    TempFolder tmp;
    FakePlatform fake;
    ScopedPlatform scoped{fake};
    std::string home = tmp.MakeFolder("home/u");
};

TEST_F(XdgFolders, DocumentsFromUserDirsElseDefault) {
    EXPECT_FALSE(DocumentsFolder());  // no HOME at all
    fake.SetEnv("HOME", "");
    EXPECT_FALSE(DocumentsFolder());
    fake.SetEnv("HOME", home + "/");
    EXPECT_EQ(DocumentsFolder(), home + "/Documents");
    tmp.Write("home/u/.config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Music\"\n");
    EXPECT_EQ(DocumentsFolder(), home + "/Documents");
    tmp.Write("home/u/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(DocumentsFolder(), home + "/Dokumente");
}

TEST_F(XdgFolders, ConfigHomeMustBeAbsolute) {
    fake.SetEnv("HOME", home);
    tmp.Write("home/u/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/from/default\"\n");
    tmp.Write("elsewhere/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/from/xdg\"\n");
    fake.SetEnv("XDG_CONFIG_HOME", tmp.Path("elsewhere"));
    EXPECT_EQ(DocumentsFolder(), "/from/xdg");
    fake.SetEnv("XDG_CONFIG_HOME", "elsewhere");
    EXPECT_EQ(DocumentsFolder(), "/from/default");
}

TEST_F(XdgFolders, AllUsersDataTakesFirstAbsoluteEntry) {
    EXPECT_EQ(AllUsersDataFolder(), "/usr/local/share");
    fake.SetEnv("XDG_DATA_DIRS", "");
    EXPECT_EQ(AllUsersDataFolder(), "/usr/local/share");
    fake.SetEnv("XDG_DATA_DIRS", "relative/share::/opt/share/:/usr/share");
    EXPECT_EQ(AllUsersDataFolder(), "/opt/share");
    fake.SetEnv("XDG_DATA_DIRS", "a:b");
    EXPECT_EQ(AllUsersDataFolder(), "/usr/local/share");
}

// user-dirs.dirs is a small file; one that is huge or endless is a clear error naming it,
// never read whole, and a missing one still means the default.
TEST_F(XdgFolders, AHugeOrEndlessUserDirsFileIsAnError) {
    fake.SetEnv("HOME", home);
    const std::string config = tmp.MakeFolder("home/u/.config") + "/user-dirs.dirs";
    std::string problem;
    EXPECT_EQ(DocumentsFolder(&problem), home + "/Documents");
    EXPECT_EQ(problem, "");
    tmp.Write("home/u/.config/user-dirs.dirs",
              "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n" + std::string(kUserDirsMaxSize, '#'));
    EXPECT_FALSE(DocumentsFolder(&problem));
    EXPECT_EQ(problem, "Cannot read \"" + config + "\": larger than 64 KiB");
    std::filesystem::remove(config);
    std::filesystem::create_symlink("/dev/zero", config);
    problem.clear();
    EXPECT_FALSE(DocumentsFolder(&problem));
    EXPECT_EQ(problem, "Cannot read \"" + config + "\": Not a regular file");
}

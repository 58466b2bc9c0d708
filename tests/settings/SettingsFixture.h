#pragma once
// A machine for settings tests: a system disk mounted at "/", a USB stick mounted in a fresh
// temporary folder with the program on it, and a home folder with documents.

#include "framework/platform/FakePlatform.h"
#include "framework/platform/FakeSysfs.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace settingstest {

inline framework::platform::MountEntry MountAt(unsigned major, unsigned minor, std::string point,
                                               std::string type = "ext4") {
    framework::platform::MountEntry m;
    m.Major = major;
    m.Minor = minor;
    m.Root = "/";
    m.MountPoint = std::move(point);
    m.FsType = std::move(type);
    m.Source = "/dev/x";
    return m;
}

class SettingsMachine : public ::testing::Test {
protected:
    testsupport::TempFolder tmp;
    framework::platform::FakePlatform fake;
    framework::platform::ScopedPlatform scoped{fake};
    framework::platform::FakeSysfs sys{tmp.Path("sys")};
    std::string stick = tmp.MakeFolder("media/STICK");
    std::string other = tmp.MakeFolder("media/OTHER");
    std::string home = tmp.MakeFolder("home/u");

    void SetUp() override {
        sys.AddSataDisk("sda", 8, 0);
        sys.AddUsbStick("sdb", 8, 16);
        sys.AddUsbStick("sdc", 8, 32);
        fake.SetSysfsRoot(sys.Root());
        fake.SetMounts({MountAt(8, 1, "/"), MountAt(8, 17, stick, "vfat"), MountAt(8, 33, other, "vfat")});
        fake.SetDeviceForPrefix("/", 8, 1);
        fake.SetDeviceForPrefix(stick, 8, 17);
        fake.SetDeviceForPrefix(other, 8, 33);
        fake.SetEnv("HOME", home);
        tmp.MakeFolder("media/STICK/tools");
        fake.SetExecutablePath(stick + "/tools/tool");
    }

    // The stick is now mounted at another point, and the program with it.
    void MoveStickTo(const std::string& point) {
        fake.SetMounts({MountAt(8, 1, "/"), MountAt(8, 17, point, "vfat")});
        fake.SetDeviceForPrefix(point, 8, 17);
        fake.SetExecutablePath(point + "/tools/tool");
    }
};

}  // namespace settingstest

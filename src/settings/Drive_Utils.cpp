#include "settings/Drive_Utils.h"

#include "framework/classes/Strings.h"
#include "framework/platform/Devices.h"

namespace lm7 {

using namespace framework;
namespace fp = framework::platform;

std::uint8_t GetBusType(const std::string& MountPoint) {
    if (MountPoint.empty())
        return 0;
    try {
        // "/media/u/STICK/" and "/media/u/STICK" name the same mount.
        const std::string wanted = fp::NormalizePath(MountPoint, "/");
        std::uint8_t bus = 0;
        for (const fp::MountEntry& m : fp::Platform().Mounts())
            if (m.MountPoint == wanted)
                bus = static_cast<std::uint8_t>(fp::BusTypeOfMount(m));  // the last mount on a point wins
        return bus;
    } catch (...) {
        return 0;  // an unreadable mount table or sysfs means "unknown", as for a drive not ready
    }
}

void GetUsbDrives(TStrings& Drives) {
    Drives.BeginUpdate();
    try {
        for (const std::string& point : fp::UsbMountPoints())
            Drives.Add(point);
    } catch (...) {
        Drives.EndUpdate();
        throw;
    }
    Drives.EndUpdate();
}

bool RunningFromUSBStick() {
    const std::string exe = fp::Platform().ExecutablePath();
    if (exe.empty() || fp::IsOnNetworkFileSystem(exe))
        return false;
    const auto root = fp::MountRootOfPath(exe);
    return root && GetBusType(*root) == static_cast<std::uint8_t>(fp::StorageBus::Usb);
}

}  // namespace lm7

#pragma once
// Which storage holds a mount (the Linux counterpart of a drive), which mounts are USB
// storage, and whether the running program was started from one.

#include <cstdint>
#include <string>

namespace framework {
class TStrings;
}

namespace lm7 {

// The storage bus of the file system mounted at MountPoint, numbered as STORAGE_BUS_TYPE
// (7 is USB). 0 when nothing is mounted there, for network and memory file systems, and on
// any failure; never raises.
std::uint8_t GetBusType(const std::string& MountPoint);
// Appends the mount point of every file system on USB storage, in mount-table order; what
// Drives already holds stays ahead.
void GetUsbDrives(framework::TStrings& Drives);
// True when the executable lies on USB storage; never for a network file system.
bool RunningFromUSBStick();

}  // namespace lm7

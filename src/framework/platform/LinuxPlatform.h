#pragma once
// Pieces of the Linux platform that the test double reuses, so that a double behaves exactly
// as the real thing: the mount-table parser and the atomic write with its failure points.

#include "framework/platform/Platform.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace framework::platform {

// Undoes the kernel's octal escapes in mountinfo paths (\040 space, \011 tab, \012 newline,
// \134 backslash). A backslash not followed by three octal digits is kept as it is.
std::string UnescapeMountField(std::string_view field);

// Parses the text of /proc/self/mountinfo. Lines that do not have the expected shape are
// skipped, so one odd line never hides the rest of the table.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// The steps of an atomic write, in the order they run.
enum class WriteStep { CreateTemp, Write, Sync, Chmod, Rename, SyncFolder };

// A failure to inject into one step of an atomic write.
struct WriteFault {
    WriteStep Step = WriteStep::Write;
    int Code = 0;                  // errno the step fails with
    std::uint64_t AfterBytes = 0;  // Write: bytes that reach the file before the failure
};

// How an atomic write talks to the system. The defaults are the real behaviour; tests
// shorten writes, interrupt them, or make a step fail.
struct AtomicWriteOptions {
    std::optional<WriteFault> Fault;
    std::size_t MaxBytesPerWrite = 0;  // 0: no limit; otherwise every write() is a short one
    int InterruptedWrites = 0;         // this many write() calls fail with EINTR first
};

// The atomic write behind IPlatform::WriteFileAtomic. A failure of the final folder sync is
// not reported: by then the new file is in place and the old one is gone.
bool WriteFileAtomicWith(const std::string& path, std::string_view data, IoError* err,
                         const AtomicWriteOptions& options);

// The executable's name in the text of /proc/self/exe's link: the kernel adds " (deleted)"
// once the file has been replaced or removed, and that suffix is dropped, unless IsRunning
// says that a file of the name with the suffix is what runs.
std::string StripDeletedSuffix(const std::string& LinkText,
                               const std::function<bool(const std::string&)>& IsRunning);

// The executable's full name as the program was started: resolved once, before main.
std::string StartedExecutable();

// The name of the temporary files an atomic write of path creates in its folder start with
// this prefix, which lets tests and cleanup code recognise them; the whole temporary name stays
// within NAME_MAX however long the target's name is.
std::string AtomicWriteTempPrefix(const std::string& path);

}  // namespace framework::platform

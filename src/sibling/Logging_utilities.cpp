#include "sibling/Logging_utilities.h"

#include "framework/platform/Platform.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Paths.h"

namespace sibling {

bool global_keeping_log = false;

namespace {
std::string& logFileName() {
    static std::string name;
    return name;
}
}  // namespace

std::string LogFileName() {
    if (logFileName().empty())
        return framework::ChangeFileExt(framework::platform::Platform().ExecutablePath(), ".log");
    return logFileName();
}

void SetLogFileName(const std::string& FileName) { logFileName() = FileName; }

bool AddToLogFile(std::string_view Line, bool WithTime) {
    std::string text;
    if (WithTime)
        text = framework::FormatDateTime("yyyy-mm-dd hh:nn:ss ", framework::Now());
    text.append(Line);
    text.push_back('\n');
    // A log must never take the program down: a failed write only answers false.
    try {
        return framework::platform::Platform().AppendFile(LogFileName(), text);
    } catch (...) {
        return false;
    }
}

}  // namespace sibling

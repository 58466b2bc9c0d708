#pragma once
// The suite's log: lines appended to a text file while the switch is on.

#include <string>
#include <string_view>

namespace sibling {

// Lines are written only while this is true.
extern bool global_keeping_log;

// The log file: "<executable>.log" beside the program unless set.
std::string LogFileName();
void SetLogFileName(const std::string& FileName);

// Appends Line and a line break to the log; with WithTime the line is preceded by the local
// time ("2026-12-08 14:03:07 "). Answers false when the log could not be written; logging
// never raises.
bool AddToLogFile(std::string_view Line, bool WithTime);

}  // namespace sibling

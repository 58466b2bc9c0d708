#pragma once
// Small string helpers of the suite.

#include <string>
#include <string_view>

namespace sibling {

// Appends Text to Line, with Separator between them when Line already holds something.
void AddToListWithSeparatorIfNeeded(std::string& Line, std::string_view Text, std::string_view Separator);

// A password as a run of three-digit numbers that does not show it; FromNumStr undoes it.
// Text that is not such a run (hand-edited, truncated, junk) gives the empty string.
std::string PwdToNumStr(std::string_view Password);
// The same into NumStr, whose room is used again.
void PwdToNumStr(std::string_view Password, std::string& NumStr);
std::string FromNumStr(std::string_view NumStr);

}  // namespace sibling

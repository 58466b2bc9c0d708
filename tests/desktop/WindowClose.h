#pragma once
// Asks a top-level window of the X display to close, as a window manager does when its user
// clicks the window's close button (WM_DELETE_WINDOW): the program decides what follows.

#include <string>

namespace testsupport {

// False, with the reason, when the display cannot be opened or the request not sent.
bool AskWindowToClose(unsigned long Window, std::string& Why);

}  // namespace testsupport

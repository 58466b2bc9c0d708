#pragma once
// Files dropped onto a window from the desktop, handed over as the classic shell does: a window
// that accepts them (DragAcceptFiles) gets WM_DROPFILES, whose WParam is a drop handle from
// which DragQueryFile reads the names and DragQueryPoint the point of the drop.

#include "framework/controls/WinControl.h"

#include <cstdint>
#include <string>
#include <vector>

namespace framework {

inline constexpr std::uint32_t WM_DROPFILES = 0x0233;

// Valid while the WM_DROPFILES message that carries it is handled.
using HDROP = std::uint32_t;

// Whether Control takes files dropped on it (or on a child that does not take them itself).
void DragAcceptFiles(TWinControl* Control, bool Accept);
// With Index 0xFFFFFFFF the number of files; else the Index-th name into Name, and its length.
// 0 for a handle that is not (or no longer) a drop, or an index past the last file.
unsigned DragQueryFile(HDROP Drop, unsigned Index, std::string* Name);
// Where the files were dropped, in the receiving window's client coordinates; false for a
// handle that is not a drop.
bool DragQueryPoint(HDROP Drop, TPoint& Point);

// Hands Files, dropped at (X, Y) of Top's client area, to the deepest window there that takes
// dropped files, or the nearest of its parents that does, as WM_DROPFILES. False when none does.
bool DropFilesOnto(TWinControl& Top, int X, int Y, const std::vector<std::string>& Files);

}  // namespace framework

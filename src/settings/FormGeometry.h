#pragma once
// Where a form's window stood, in its ini file, kept when MEMINI_include_FormGeometry is on. The
// section named as the form holds the name of the monitor ("monitor"), the window's client area
// on that monitor ("left", "top" from the monitor's corner, "width", "height", in pixels at 96
// per inch, so that a change of resolution keeps the window's size in inches) and whether it
// was maximised ("maximized").

#include "framework/forms/Forms.h"
#include "sibling/Inifilebase.h"

namespace lm7 {

// Writes the form's placement into its section; a form that has none, or no name, writes nothing.
void SaveFormGeometry(const framework::TCustomForm& Form, sibling::TMyMemIniFile& Ini);
// Gives the form the placement its section holds: on the monitor of that name where the desktop
// has it, else on the primary one, moved and shortened into that monitor's work area. A section
// with a value missing, not a number or out of all reason changes nothing.
void ReadFormGeometry(framework::TCustomForm& Form, const sibling::TMyMemIniFile& Ini);

}  // namespace lm7

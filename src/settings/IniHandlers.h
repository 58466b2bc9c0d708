#pragma once
// What each kind of control keeps in its ini section. The walk hands a component to the first
// row of the dispatch table whose class it is of, in this order:
//   list boxes (check-list boxes included); ElPack check group; ElPack date-time picker;
//   ElPack, TMS office and framework check boxes; ElPack spin edit; TMS spin edit; ElPack,
//   TMS office and framework radio buttons; ElPack, TMS office and framework radio groups;
//   ElPack combo; the suite's filter combo; the two TMS combos; ElPack edits; framework edits.
// A component of none of these is not saved itself but walked into.
//
// Keys: "text" (texts, dates, encoded paths and passwords), "checked" and "checked<n>"
// (Booleans), "value" (spin values), "i" (selected index, -1 for none) and the string-list
// keys of TMyMemIniFile. A control without a name is neither read nor written.

#include "sibling/Inifilebase.h"

namespace framework {
class TComponent;
}

namespace lm7 {

// True when a row of the dispatch table takes Component; it has then been read or saved.
bool DispatchIniHandler(framework::TComponent* Component, sibling::TMyMemIniFile& Ini, bool Reading);

// An ElPack file-name or folder-name edit.
bool IsFileOrFolderEdit(const framework::TComponent* Component);
// An ElPack file-name edit whose dialog allows several files.
bool IsMultiFileEdit(const framework::TComponent* Component);
// Memos and multi-select file edits: their lines or files as a string list.
void ReadOrSaveMultiLine(sibling::TMyMemIniFile& Ini, bool Reading, framework::TComponent* Component);

}  // namespace lm7

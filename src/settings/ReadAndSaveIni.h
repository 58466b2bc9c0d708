#pragma once
// The memory of a tool window: ReadIni fills a form's controls from an ini file, SaveIni
// writes their state back, one section per named control (what each kind stores is in
// IniHandlers.h). Paths on the program's own mount are stored with the token "app_drive$" in
// place of the mount root, so a portable installation finds them again when its stick is
// mounted elsewhere.
//
// A save builds the whole file in memory and replaces the old one atomically: a crash, a full
// disk or a read-only folder leaves the previous file as it was, and the error reaches the
// caller. A read touches the disk once and never writes.

#include "framework/forms/Forms.h"
#include "settings/IniHandlers.h"
#include "sibling/Inifilebase.h"

#include <string>
#include <string_view>

namespace lm7 {

// Read afresh at every walk; tools may change them at any time before a read or a save.
extern bool MEMINI_include_Listboxes;     // list boxes, check-list boxes included (false)
extern bool MEMINI_include_Memos;         // memos of both families (false)
extern bool MEMINI_check_filenames;       // single-line file and folder edits use the drive token (true)
extern bool MEMINI_include_FormGeometry;  // the form's window: place, size, maximised (false)

// Restores the form from FileName; a missing or unreachable file changes nothing.
void ReadIni(framework::TForm* Form, const std::string& FileName);
void ReadIni(framework::TForm* Form, const char* FileName);
// The executable's name with the extension ".ini".
void ReadIni(framework::TForm* Form);
// DefaultIniFilename(InDocuments).
void ReadIni(framework::TForm* Form, bool InDocuments);

// Writes the form's state to FileName, creating missing folders. A name that is not an
// absolute path (empty, bare, relative) writes nothing. Raises the framework's file errors.
void SaveIni(framework::TForm* Form, const std::string& FileName);
void SaveIni(framework::TForm* Form, const char* FileName);
void SaveIni(framework::TForm* Form);
void SaveIni(framework::TForm* Form, bool InDocuments);

// In the suite's documents folder (true) or beside the executable (false): the executable's
// file name with the extension ".ini".
std::string DefaultIniFilename(bool InDocuments);

// Hands every component Container owns to its handler; one that has none is walked into.
void ReadOrSaveComponents(framework::TComponent* Container, sibling::TMyMemIniFile& Ini, bool Reading);

// The mount root of the executable, with a trailing '/'.
std::string AppDriveRoot();
// A path on the executable's own mount gets the token in place of the root (the root itself
// also when given without its trailing '/'); others are kept.
std::string EncodeAppDrivePath(const std::string& Path);
// The token becomes the current root. Then, for a file that is gone, its folder when that
// still exists (with a trailing '/'); for a folder that is gone, the empty text.
std::string DecodeAppDrivePath(std::string_view Stored, bool IsFile);

inline constexpr const char* kAppDriveToken = "app_drive$";

}  // namespace lm7

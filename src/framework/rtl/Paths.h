#pragma once
// File-name text on POSIX: '/' separates folders and there are no drive letters. The drive of
// a path is the mount point of the file system that holds it, so a program on a stick mounted
// at /media/u/STICK has the drive "/media/u/STICK/".

#include "framework/platform/Platform.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

constexpr char PathDelim = '/';

// Appends '/' unless S already ends with one; an empty S gives "/".
std::string IncludeTrailingPathDelimiter(std::string_view S);
// Removes one trailing '/', but "/" itself stays: the root does not turn into "" (which would
// mean the current folder).
std::string ExcludeTrailingPathDelimiter(std::string_view S);

// "/a/b/c.txt": path "/a/b/", dir "/a/b", name "c.txt", extension ".txt". The dir keeps a
// lone leading '/' ("/a" has the dir "/").
std::string ExtractFilePath(std::string_view FileName);
std::string ExtractFileDir(std::string_view FileName);
std::string ExtractFileName(std::string_view FileName);
// From the last '.' of the name part, the dot included; a leading dot counts (".bashrc").
std::string ExtractFileExt(std::string_view FileName);
// Replaces (or with an empty Extension removes) the extension, appending when there is none.
std::string ChangeFileExt(std::string_view FileName, std::string_view Extension);

// An absolute path: a relative one is taken from the platform's current folder, and "//", "."
// and ".." are folded away without resolving links. A trailing '/' is kept. "" stays "".
std::string ExpandFileName(std::string_view FileName);
// The mount point (with a trailing '/') whose file system holds the expanded path, by the
// longest mount point of the platform's mount table that prefixes it; "" for "".
std::string ExtractFileDrive(std::string_view FileName);
// The same against a mount table the caller already has.
std::string ExtractFileDrive(std::string_view FileName, const std::vector<platform::MountEntry>& Mounts);

// Replaces leading folders of FileName with "..." until TextWidth of the result is at most
// MaxLen: "/a/b/c/f.txt" becomes "/.../b/c/f.txt", then "/.../c/f.txt", "/.../f.txt",
// ".../f.txt" and at last "f.txt", which is returned even when it is still too wide.
std::string MinimizeName(std::string_view FileName, const std::function<int(const std::string&)>& TextWidth,
                         int MaxLen);

}  // namespace framework

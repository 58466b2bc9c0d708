#pragma once
// A fresh, empty folder for one test, under $TMPDIR (or /tmp), removed with everything in it
// when the test ends, so tests never touch the working folder or each other's files.

#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder itself, an absolute path without a trailing '/'.
    const std::string& Root() const { return m_root; }
    // name inside the folder; name may hold sub-folders ("a/b.ini").
    std::string Path(std::string_view name) const;

    // Writes content to name, creating missing sub-folders; answers the full path.
    std::string Write(std::string_view name, std::string_view content) const;
    // The bytes of name; fails the test (and answers "") when it cannot be read.
    std::string Read(std::string_view name) const;
    bool Exists(std::string_view name) const;
    // Creates name and its missing parents; answers the full path.
    std::string MakeFolder(std::string_view name) const;
    // Things that are no regular files: a named pipe no one writes to, a link to /dev/zero and
    // a Unix socket (when its path fits a socket address); answers their full paths.
    std::vector<std::string> MakeSpecialFiles() const;

private:
    std::string m_root;
};

}  // namespace testsupport

#include "sibling/File_utils.h"

#include "framework/platform/Platform.h"

#include <climits>

namespace sibling {

namespace {

// Names the system would refuse anyway are answered without asking it.
bool Askable(const std::string& name) {
    return !name.empty() && name.size() < PATH_MAX && name.find('\0') == std::string::npos;
}

}  // namespace

bool DriveAndFileExist(const std::string& FileName) {
    if (!Askable(FileName))
        return false;
    try {
        const auto st = framework::platform::Platform().Stat(FileName);
        return st.Exists && !st.IsDirectory;
    } catch (...) {
        return false;  // a question about existence has no error to report
    }
}

bool DriveAndFolderExist(const std::string& Folder) {
    if (!Askable(Folder))
        return false;
    try {
        const auto st = framework::platform::Platform().Stat(Folder);
        return st.Exists && st.IsDirectory;
    } catch (...) {
        return false;
    }
}

}  // namespace sibling

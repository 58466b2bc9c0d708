#pragma once
// File checks that never hang on a bad name and never raise: anything that cannot be reached
// (an empty or damaged name, a missing mount, no permission) is simply not there.

#include <string>

namespace sibling {

bool DriveAndFileExist(const std::string& FileName);
bool DriveAndFolderExist(const std::string& Folder);

}  // namespace sibling

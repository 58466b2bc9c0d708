#include "framework/rtl/Files.h"

#include "framework/platform/Platform.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Paths.h"

#include <cerrno>

namespace framework {

bool FileExists(const std::string& FileName) {
    if (FileName.empty())
        return false;
    const platform::FileStat st = platform::Platform().Stat(FileName, true);
    return st.Exists && !st.IsDirectory;
}

bool DirectoryExists(const std::string& Directory) {
    if (Directory.empty())
        return false;
    return platform::Platform().Stat(Directory, true).IsDirectory;
}

bool ForceDirectories(const std::string& Dir) {
    if (Dir.empty())
        throw EInOutError("Unable to create directory: the name is empty", EINVAL);
    const std::string full = ExcludeTrailingPathDelimiter(ExpandFileName(Dir));
    if (DirectoryExists(full))
        return true;
    // Walk down from the root, creating each missing folder in turn.
    for (std::size_t pos = full.find(PathDelim, 1);; pos = full.find(PathDelim, pos + 1)) {
        const std::string part = full.substr(0, pos);
        if (!DirectoryExists(part)) {
            platform::IoError err;
            // Another process may create it between the question and the attempt.
            if (!platform::Platform().MakeDirectory(part, &err) && !DirectoryExists(part))
                return false;
        }
        if (pos == std::string::npos)
            return true;
    }
}

bool DeleteFile(const std::string& FileName) {
    // A link is removed even when it points to a folder; a folder itself never is.
    if (FileName.empty() || platform::Platform().Stat(FileName, false).IsDirectory)
        return false;
    return platform::Platform().RemoveFile(FileName);
}

bool RenameFile(const std::string& OldName, const std::string& NewName) {
    if (OldName.empty() || NewName.empty())
        return false;
    if (platform::Platform().Stat(NewName, false).Exists)
        return false;
    return platform::Platform().Rename(OldName, NewName);
}

std::int64_t FileSize(const std::string& FileName) {
    if (FileName.empty())
        return -1;
    const platform::FileStat st = platform::Platform().Stat(FileName, true);
    if (!st.Exists || st.IsDirectory)
        return -1;
    return static_cast<std::int64_t>(st.Size);
}

std::string ReadFileToString(const std::string& FileName, std::size_t MaxBytes) {
    platform::IoError err;
    std::optional<std::string> data;
    if (FileName.empty())
        err = {ENOENT, "No such file or directory"};
    else
        data = platform::ReadRegularFile(FileName, MaxBytes, &err);
    if (!data)
        throw EFOpenError("Cannot open file \"" + FileName + "\". " + err.Text);
    return std::move(*data);
}

namespace {

[[noreturn]] void ThrowWriteFailure(const std::string& FileName, const platform::IoError& err) {
    switch (err.Code) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EIO:
        throw EWriteError("Cannot write file \"" + FileName + "\". " + err.Text);
    default:
        throw EFCreateError("Cannot create file \"" + FileName + "\". " + err.Text);
    }
}

}  // namespace

void WriteFileAtomic(const std::string& FileName, const std::string& Bytes) {
    platform::IoError err;
    if (FileName.empty())
        err = {ENOENT, "No such file or directory"};
    else if (platform::Platform().WriteFileAtomic(FileName, Bytes, &err))
        return;
    ThrowWriteFailure(FileName, err);
}

void AppendToFile(const std::string& FileName, const std::string& Bytes) {
    platform::IoError err;
    if (FileName.empty())
        err = {ENOENT, "No such file or directory"};
    else if (platform::Platform().AppendFile(FileName, Bytes, &err))
        return;
    ThrowWriteFailure(FileName, err);
}

}  // namespace framework

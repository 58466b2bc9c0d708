#pragma once
// Files and folders by name, all through the platform seam. Questions answer false (or -1)
// when the answer is no or the system refuses; reading and writing whole files raise a
// framework exception that names the file and the system's reason.

#include <cstdint>
#include <string>

namespace framework {

// Follows links; a folder is not a file.
bool FileExists(const std::string& FileName);
bool DirectoryExists(const std::string& Directory);
// Creates Dir and every missing folder above it. False when one cannot be created or a file
// stands in the way; an empty Dir raises EInOutError, as nothing sensible can be created.
bool ForceDirectories(const std::string& Dir);
bool DeleteFile(const std::string& FileName);
// False when NewName already exists: a rename never replaces another file.
bool RenameFile(const std::string& OldName, const std::string& NewName);
// Bytes in the file; -1 when it does not exist or is not a file.
std::int64_t FileSize(const std::string& FileName);

// The whole of a regular file (links followed) of at most MaxBytes; raises EFOpenError
// "Cannot open file "<path>". <reason>" otherwise: a pipe, device or socket is refused at once.
std::string ReadFileToString(const std::string& FileName, std::size_t MaxBytes = SIZE_MAX);
// Replaces the file's contents so that readers see the old or the new bytes, never a mixture.
// Raises EFCreateError "Cannot create file "<path>". <reason>" when the file cannot be made,
// EWriteError "Cannot write file "<path>". <reason>" when the data cannot be stored; either
// way the old file stays as it was.
void WriteFileAtomic(const std::string& FileName, const std::string& Bytes);
// Adds Bytes at the end of the file, creating it when missing, as a log does. Raises
// EFCreateError when it cannot be opened (a pipe nobody reads included), EWriteError when the
// bytes cannot be stored (a full disk or device).
void AppendToFile(const std::string& FileName, const std::string& Bytes);

}  // namespace framework

#include "settings/user_and_system_utils.h"

#include "framework/inifiles/MemIniFile.h"
#include "framework/platform/Devices.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Paths.h"
#include "settings/Drive_Utils.h"
#include "sibling/File_utils.h"

namespace lm7 {

using namespace framework;
namespace fp = framework::platform;

namespace {
const char* const kRedirectionFile = "settings_folder.txt";

std::string ExecutableFolder() {
    return IncludeTrailingPathDelimiter(ExtractFilePath(fp::Platform().ExecutablePath()));
}
}  // namespace

std::string GetMyDocumentsFolder() {
    std::string problem;
    const auto docs = fp::DocumentsFolder(&problem);
    if (!problem.empty())
        throw EFOpenError(problem);
    if (!docs || docs->empty())
        throw Exception("Couldn't find My Documents folder location.");
    return *docs;
}

std::string GetMyDocumentsLumoFolder() {
    return IncludeTrailingPathDelimiter(GetMyDocumentsFolder()) + "lumo" + std::to_string(7);
}

std::string GetUsersAppDataFolder() {
    const std::string folder = fp::AllUsersDataFolder();
    if (folder.empty())
        throw Exception("Couldn't find All Users\\Application Data folder location.");
    return folder;
}

std::string FilenameForSettingsFolderInfo() {
    if (RunningFromUSBStick())
        return ExecutableFolder() + kRedirectionFile;
    return IncludeTrailingPathDelimiter(GetMyDocumentsLumoFolder()) + kRedirectionFile;
}

std::string Get_Ini_Folder() {
    std::string result;
    const std::string name = FilenameForSettingsFolderInfo();
    if (sibling::DriveAndFileExist(name)) {
        // Read only: the file is never written back, even though the class could.
        TMemIniFile ini(name);
        result = ini.ReadString("Settings", "folder", "");
        // No folder's name holds a NUL; cut there, the name would silently be another folder.
        if (result.find('\0') != std::string::npos)
            throw EIniFileException("The settings folder named in \"" + name +
                                    "\" holds a NUL character, which no folder's name can hold");
    }
    if (result == "self")
        result = ExecutableFolder();
    return result;
}

}  // namespace lm7

#pragma once
// Where the suite's settings live: the user's documents folder and the suite's folder in it,
// the folder shared by all users, and the redirection file "settings_folder.txt" that can
// point the suite at another settings folder or at the program's own folder ("self").

#include <string>

namespace lm7 {

// Raise Exception "Couldn't find My Documents folder location." when there is no home folder.
std::string GetMyDocumentsFolder();
// The documents folder followed by "/lumo7"; not created here.
std::string GetMyDocumentsLumoFolder();
// Raises Exception "Couldn't find All Users\Application Data folder location." when unknown.
std::string GetUsersAppDataFolder();
// Next to the executable when it runs from USB storage, else in the suite's documents folder.
std::string FilenameForSettingsFolderInfo();
// Key "folder" of section "Settings" of the redirection file, exactly as written, except that
// "self" (in that case) gives the executable's folder with a trailing '/'. Empty when the
// file or the key is missing. Nothing is created.
std::string Get_Ini_Folder();

}  // namespace lm7

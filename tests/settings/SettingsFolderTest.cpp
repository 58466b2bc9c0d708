#include "settings/Drive_Utils.h"
#include "settings/user_and_system_utils.h"

#include <filesystem>

#include "SettingsFixture.h"
#include "framework/classes/StringList.h"
#include "framework/rtl/Exceptions.h"

using namespace framework;
using namespace lm7;
using settingstest::MountAt;

class SettingsFolder : public settingstest::SettingsMachine {};

TEST_F(SettingsFolder, BusTypeOfEachMount) {
    EXPECT_EQ(GetBusType(stick), 7);
    EXPECT_EQ(GetBusType(stick + "/"), 7);        // with or without the trailing delimiter
    EXPECT_EQ(GetBusType("/"), 11);               // SATA
    EXPECT_EQ(GetBusType(tmp.Path("media")), 0);  // nothing mounted there
    EXPECT_EQ(GetBusType(""), 0);
    fake.AddMount(MountAt(0, 60, tmp.MakeFolder("net"), "nfs4"));
    EXPECT_EQ(GetBusType(tmp.Path("net")), 0);
}

TEST_F(SettingsFolder, UsbDrivesAreAppended) {
    TStringList drives;
    drives.Add("kept");
    GetUsbDrives(drives);
    EXPECT_EQ(drives.Text(), "kept\n" + stick + "\n" + other + "\n");
}

TEST_F(SettingsFolder, RunningFromTheStickLooksBesideTheProgram) {
    EXPECT_TRUE(RunningFromUSBStick());
    EXPECT_EQ(FilenameForSettingsFolderInfo(), stick + "/tools/settings_folder.txt");
}

TEST_F(SettingsFolder, OrdinaryDiskLooksInTheDocumentsFolder) {
    fake.SetExecutablePath(tmp.Write("opt/tool", ""));
    EXPECT_FALSE(RunningFromUSBStick());
    EXPECT_EQ(GetMyDocumentsLumoFolder(), home + "/Documents/lumo7");
    EXPECT_EQ(FilenameForSettingsFolderInfo(), home + "/Documents/lumo7/settings_folder.txt");
    tmp.Write("home/u/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    EXPECT_EQ(FilenameForSettingsFolderInfo(), home + "/Docs/lumo7/settings_folder.txt");
}

TEST_F(SettingsFolder, NetworkShareIsNeverAStick) {
    // A share whose device numbers happen to be those of the USB stick.
    const std::string share = tmp.MakeFolder("share");
    fake.AddMount(MountAt(8, 17, share, "cifs"));
    fake.SetDeviceForPrefix(share, 8, 17);
    fake.SetExecutablePath(tmp.Write("share/tool", ""));
    EXPECT_FALSE(RunningFromUSBStick());
}

TEST_F(SettingsFolder, NoHomeRaisesTheFixedMessages) {
    fake.UnsetEnv("HOME");
    fake.SetExecutablePath(tmp.Write("opt/tool", ""));
    try {
        GetMyDocumentsFolder();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Couldn't find My Documents folder location.");
    }
    EXPECT_THROW(Get_Ini_Folder(), Exception);
    EXPECT_THROW(FilenameForSettingsFolderInfo(), Exception);
    EXPECT_EQ(GetUsersAppDataFolder(), "/usr/local/share");
    fake.SetEnv("XDG_DATA_DIRS", "/srv/data:/usr/share");
    EXPECT_EQ(GetUsersAppDataFolder(), "/srv/data");
}

TEST_F(SettingsFolder, RedirectionFileValues) {
    const std::string file = "media/STICK/tools/settings_folder.txt";
    EXPECT_EQ(Get_Ini_Folder(), "");
    EXPECT_FALSE(tmp.Exists(file));  // nothing is created
    tmp.Write(file, "[Settings]\nfolder=self\n");
    EXPECT_EQ(Get_Ini_Folder(), stick + "/tools/");
    tmp.Write(file, "[Settings]\nfolder=Self\n");
    EXPECT_EQ(Get_Ini_Folder(), "Self");
    tmp.Write(file, "[Settings]\nfolder=/srv/settings\n");
    EXPECT_EQ(Get_Ini_Folder(), "/srv/settings");
    tmp.Write(file, "[Other]\nfolder=x\n");
    EXPECT_EQ(Get_Ini_Folder(), "");
    tmp.Write(file, std::string("\0\xFF junk", 7));
    EXPECT_EQ(Get_Ini_Folder(), "");
    EXPECT_EQ(tmp.Read(file), std::string("\0\xFF junk", 7));  // read, never rewritten
    // A NUL inside the value would cut the path short, to another folder: an error instead.
    tmp.Write(file, std::string("[Settings]\nfolder=/srv/settings\0/x\n", 35));
    try {
        Get_Ini_Folder();
        ADD_FAILURE() << "a NUL in the folder was taken";
    } catch (const framework::EIniFileException& e) {
        EXPECT_NE(e.Message().find(tmp.Path(file)), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("NUL"), std::string::npos) << e.Message();
    }
}

// A redirection file that is no regular file (a pipe, a device behind a link, a socket) is a
// clear error at once, never a hang.
TEST_F(SettingsFolder, RedirectionFileThatIsNoRegularFileIsAnError) {
    const std::string file = tmp.Path("media/STICK/tools/settings_folder.txt");
    for (const std::string& special : tmp.MakeSpecialFiles()) {
        std::filesystem::remove(file);
        std::filesystem::create_symlink(special, file);
        EXPECT_THROW(Get_Ini_Folder(), framework::EFOpenError) << special;
    }
}

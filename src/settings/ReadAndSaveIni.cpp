#include "settings/ReadAndSaveIni.h"

#include "framework/forms/Application.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Paths.h"
#include "settings/user_and_system_utils.h"
#include "sibling/File_utils.h"

#include <memory>
#include <optional>
#include <vector>

namespace lm7 {

using namespace framework;
using sibling::TMyMemIniFile;

bool MEMINI_include_Listboxes = false;
bool MEMINI_include_Memos = false;
bool MEMINI_check_filenames = true;

namespace {

// The root and mount points, asked once per walk instead of once per path.
struct DriveContext {
    std::string Root;
    std::vector<std::string> MountPoints;  // each with a trailing '/'
};
thread_local const DriveContext* g_drive = nullptr;

DriveContext MakeDriveContext() {
    DriveContext ctx;
    ctx.Root = AppDriveRoot();
    for (const auto& m : platform::Platform().Mounts())
        ctx.MountPoints.push_back(IncludeTrailingPathDelimiter(m.MountPoint));
    return ctx;
}

class DriveScope {
public:
    DriveScope() : m_ctx(MakeDriveContext()), m_previous(g_drive) { g_drive = &m_ctx; }
    ~DriveScope() { g_drive = m_previous; }
    DriveScope(const DriveScope&) = delete;
    DriveScope& operator=(const DriveScope&) = delete;

private:
    DriveContext m_ctx;
    const DriveContext* m_previous;
};

// Whether Path lies on the mount at Root: under Root and under no mount point nested deeper.
// On the root file system "/" begins every path, but a path on a stick mounted below it is
// not on the program's drive.
bool OnMount(const std::string& Path, const DriveContext& ctx) {
    const std::string& root = ctx.Root;
    if (Path.compare(0, root.size(), root) != 0)
        return false;
    for (const std::string& point : ctx.MountPoints)
        if (point.size() > root.size() && Path.compare(0, point.size(), point) == 0)
            return false;
    return true;
}

std::string ExeIniName() { return ChangeFileExt(Application->ExeName(), ".ini"); }

}  // namespace

std::string AppDriveRoot() { return IncludeTrailingPathDelimiter(ExtractFileDrive(Application->ExeName())); }

std::string EncodeAppDrivePath(const std::string& Path) {
    if (Path.empty())
        return Path;
    std::optional<DriveContext> own;
    const DriveContext& ctx = g_drive ? *g_drive : own.emplace(MakeDriveContext());
    if (!OnMount(Path, ctx))
        return Path;
    return kAppDriveToken + Path.substr(ctx.Root.size());
}

std::string DecodeAppDrivePath(const std::string& Stored, bool IsFile) {
    if (Stored.empty())
        return Stored;
    std::string path = Stored;
    const std::string token = kAppDriveToken;
    if (path.compare(0, token.size(), token) == 0)
        path = (g_drive ? g_drive->Root : AppDriveRoot()) + path.substr(token.size());
    if (IsFile) {
        if (!sibling::DriveAndFileExist(path)) {
            const std::string folder = ExtractFilePath(path);
            if (sibling::DriveAndFolderExist(folder))
                path = folder;
        }
    } else if (!sibling::DriveAndFolderExist(path) && !sibling::DriveAndFileExist(path)) {
        path.clear();
    }
    return path;
}

void ReadOrSaveComponents(TComponent* Container, TMyMemIniFile& Ini, bool Reading) {
    const int count = Container->ComponentCount();
    for (int i = 0; i < count && i < Container->ComponentCount(); ++i) {
        TComponent* c = Container->Components(i);
        if (!DispatchIniHandler(c, Ini, Reading))
            ReadOrSaveComponents(c, Ini, Reading);
    }
}

std::string DefaultIniFilename(bool InDocuments) {
    if (!InDocuments)
        return ExeIniName();
    return IncludeTrailingPathDelimiter(GetMyDocumentsLumoFolder()) +
           ChangeFileExt(ExtractFileName(Application->ExeName()), ".ini");
}

void ReadIni(TForm* Form, const std::string& FileName) {
    if (!Form || !sibling::DriveAndFileExist(FileName))
        return;
    TMyMemIniFile ini(FileName);
    DriveScope drive;
    ReadOrSaveComponents(Form, ini, true);
}

void ReadIni(TForm* Form, const char* FileName) { ReadIni(Form, std::string(FileName ? FileName : "")); }
void ReadIni(TForm* Form) { ReadIni(Form, ExeIniName()); }
void ReadIni(TForm* Form, bool InDocuments) { ReadIni(Form, DefaultIniFilename(InDocuments)); }

void SaveIni(TForm* Form, const std::string& FileName) {
    // Only a full path is saved: an empty, bare or relative name would land wherever the
    // current folder happens to be.
    const std::string folder = ExtractFilePath(FileName);
    if (!Form || folder.empty() || folder.front() != PathDelim)
        return;
    // Nothing of the old file survives a save, so it is not loaded: a damaged or unreadable
    // old file cannot stop the new state from being written.
    TMyMemIniFile ini("");
    ini.Rename(FileName, false);
    ForceDirectories(folder);
    ini.Clear();
    {
        DriveScope drive;
        ReadOrSaveComponents(Form, ini, false);
    }
    ini.UpdateFile();
}

void SaveIni(TForm* Form, const char* FileName) { SaveIni(Form, std::string(FileName ? FileName : "")); }
void SaveIni(TForm* Form) { SaveIni(Form, ExeIniName()); }
void SaveIni(TForm* Form, bool InDocuments) { SaveIni(Form, DefaultIniFilename(InDocuments)); }

}  // namespace lm7

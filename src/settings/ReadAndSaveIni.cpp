#include "settings/ReadAndSaveIni.h"

#include "framework/forms/Application.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Paths.h"
#include "settings/FormGeometry.h"
#include "settings/user_and_system_utils.h"
#include "sibling/File_utils.h"

#include <optional>
#include <set>
#include <string_view>
#include <vector>

namespace lm7 {

using namespace framework;
using sibling::TMyMemIniFile;

bool MEMINI_include_Listboxes = false;
bool MEMINI_include_Memos = false;
bool MEMINI_check_filenames = true;
bool MEMINI_include_FormGeometry = false;

namespace {

// Folders found missing during one walk. A settings file often holds many paths below one
// folder that is not there (a stick not plugged in, a corpus moved away): once a folder is
// known to be missing, nothing below it is asked of the file system again.
class MissingFolders {
public:
    bool FileExists(const std::string& Path) const {
        return !UnderMissing(Path, Path.size()) && sibling::DriveAndFileExist(Path);
    }
    // Folder ends with '/'. When it is missing, so may be the folders above it: they are
    // looked up now, once, so that the next path below them costs nothing.
    bool FolderExists(std::string_view Folder) {
        if (UnderMissing(Folder, Folder.size() + 1))
            return false;
        std::string folder(Folder);
        if (sibling::DriveAndFolderExist(folder))
            return true;
        m_missing.insert(std::move(folder));
        for (std::size_t end = ParentEnd(Folder); end > 1; end = ParentEnd(Folder.substr(0, end))) {
            std::string parent(Folder.substr(0, end));
            if (sibling::DriveAndFolderExist(parent))
                break;
            m_missing.insert(std::move(parent));
        }
        return false;
    }

private:
    // Whether a folder that ends before Limit and begins Path is known to be missing.
    bool UnderMissing(std::string_view Path, std::size_t Limit) const {
        for (std::size_t slash = Path.find('/'); slash != std::string::npos && slash + 1 < Limit;
             slash = Path.find('/', slash + 1))
            if (m_missing.contains(Path.substr(0, slash + 1)))
                return true;
        return false;
    }
    // The length of the parent folder of Folder (with its '/'), or 0 at the top.
    static std::size_t ParentEnd(std::string_view Folder) {
        const std::size_t last = Folder.find_last_of('/', Folder.size() >= 2 ? Folder.size() - 2 : 0);
        return last == std::string_view::npos ? 0 : last + 1;
    }

    std::set<std::string, std::less<>> m_missing;
};

// The root and mount points, asked once per walk instead of once per path, and what the walk
// learnt about missing folders.
struct DriveContext {
    std::string Root;
    std::vector<std::string> NestedMounts;  // mount points below Root, each with a trailing '/'
    MissingFolders Missing;
};
// The context of the walk under way, if any (walks run on the user-interface thread).
DriveContext* g_drive = nullptr;

std::string DriveRoot(const std::vector<platform::MountEntry>& Mounts) {
    return IncludeTrailingPathDelimiter(ExtractFileDrive(Application->ExeName(), Mounts));
}

DriveContext MakeDriveContext() {
    DriveContext ctx;
    const auto mounts = platform::Platform().Mounts();
    ctx.Root = DriveRoot(mounts);
    for (const auto& m : mounts)
        if (std::string point = IncludeTrailingPathDelimiter(m.MountPoint);
            point.size() > ctx.Root.size() && point.starts_with(ctx.Root))
            ctx.NestedMounts.push_back(std::move(point));
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
    DriveContext* m_previous;
};

// Whether Path starts with Folder, which ends with '/'; Folder without its '/' counts too.
bool InFolder(std::string_view Path, std::string_view Folder) {
    return Path.starts_with(Folder) || (Path.size() + 1 == Folder.size() && Folder.starts_with(Path));
}

// Whether Path lies on the mount at Root: under Root and under no mount point nested deeper.
// On the root file system "/" begins every path, but a path on a stick mounted below it is
// not on the program's drive.
bool OnMount(std::string_view Path, const DriveContext& ctx) {
    if (!InFolder(Path, ctx.Root))
        return false;
    for (const std::string& point : ctx.NestedMounts)
        if (InFolder(Path, point))
            return false;
    return true;
}

std::string ExeIniName() { return ChangeFileExt(Application->ExeName(), ".ini"); }

}  // namespace

std::string AppDriveRoot() { return DriveRoot(platform::Platform().Mounts()); }

std::string EncodeAppDrivePath(const std::string& Path) {
    if (Path.empty())
        return Path;
    std::optional<DriveContext> own;
    const DriveContext& ctx = g_drive ? *g_drive : own.emplace(MakeDriveContext());
    // A mount root may come without its trailing '/', as folder choosers give it.
    if (!OnMount(Path, ctx))
        return Path;
    return kAppDriveToken + Path.substr(std::min(Path.size(), ctx.Root.size()));
}

namespace {

std::string DecodeOnDrive(DriveContext& ctx, std::string_view Stored, bool IsFile) {
    const std::string_view token = kAppDriveToken;
    std::string path =
        Stored.starts_with(token) ? ctx.Root + std::string(Stored.substr(token.size())) : std::string(Stored);
    if (IsFile) {
        if (!ctx.Missing.FileExists(path)) {
            const std::size_t slash = path.rfind(PathDelim);
            if (slash != std::string::npos &&
                ctx.Missing.FolderExists(std::string_view(path).substr(0, slash + 1)))
                path.resize(slash + 1);  // the folder, as ExtractFilePath gives it
        }
    } else if (!ctx.Missing.FolderExists(IncludeTrailingPathDelimiter(path)) &&
               !ctx.Missing.FileExists(path)) {
        path.clear();
    }
    return path;
}

}  // namespace

std::string DecodeAppDrivePath(std::string_view Stored, bool IsFile) {
    if (Stored.empty())
        return std::string();
    if (g_drive)
        return DecodeOnDrive(*g_drive, Stored, IsFile);
    DriveContext own = MakeDriveContext();
    return DecodeOnDrive(own, Stored, IsFile);
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
    if (MEMINI_include_FormGeometry)
        ReadFormGeometry(*Form, ini);
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
    // Room for what a form of this size writes, mostly one section of a few keys per control
    // (the controls of frames are not counted: their room is found by growing).
    const auto controls = static_cast<std::size_t>(Form->ComponentCount());
    ini.Reserve(controls, 2 * controls, 64 * controls);
    {
        DriveScope drive;
        ReadOrSaveComponents(Form, ini, false);
    }
    if (MEMINI_include_FormGeometry)
        SaveFormGeometry(*Form, ini);
    ini.UpdateFile();
}

void SaveIni(TForm* Form, const char* FileName) { SaveIni(Form, std::string(FileName ? FileName : "")); }
void SaveIni(TForm* Form) { SaveIni(Form, ExeIniName()); }
void SaveIni(TForm* Form, bool InDocuments) { SaveIni(Form, DefaultIniFilename(InDocuments)); }

}  // namespace lm7

#include "settings/ReadAndSaveIni.h"

#include "framework/forms/Application.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Paths.h"
#include "settings/user_and_system_utils.h"
#include "sibling/File_utils.h"

#include <memory>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace lm7 {

using namespace framework;
using sibling::TMyMemIniFile;

bool MEMINI_include_Listboxes = false;
bool MEMINI_include_Memos = false;
bool MEMINI_check_filenames = true;

namespace {

// Folders found missing during one walk. A settings file often holds many paths below one
// folder that is not there (a stick not plugged in, a corpus moved away): once a folder is
// known to be missing, nothing below it is asked of the file system again.
class MissingFolders {
public:
    bool FileExists(const std::string& Path) {
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
    bool UnderMissing(std::string_view Path, std::size_t Limit) {
        if (m_missing.empty())
            return false;
        // The paths of one form mostly lie below the same missing folder: it is tried first.
        if (!m_lastFound.empty() && m_lastFound.size() < Limit && Path.starts_with(m_lastFound))
            return true;
        for (std::size_t slash = Path.find('/'); slash != std::string::npos && slash + 1 < Limit;
             slash = Path.find('/', slash + 1))
            if (const auto found = m_missing.find(Path.substr(0, slash + 1)); found != m_missing.end()) {
                m_lastFound = *found;
                return true;
            }
        return false;
    }
    // The length of the parent folder of Folder (with its '/'), or 0 at the top.
    static std::size_t ParentEnd(std::string_view Folder) {
        const std::size_t last = Folder.find_last_of('/', Folder.size() >= 2 ? Folder.size() - 2 : 0);
        return last == std::string_view::npos ? 0 : last + 1;
    }

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_set<std::string, Hash, std::equal_to<>> m_missing;
    std::string_view m_lastFound;  // in m_missing, whose elements never move
};

// The root and mount points, asked once per walk instead of once per path, and what the walk
// learnt about missing folders.
struct DriveContext {
    std::string Root;
    std::vector<std::string> NestedMounts;  // mount points below Root, each with a trailing '/'
    MissingFolders Missing;
};
thread_local DriveContext* g_drive = nullptr;

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

// Whether Path lies on the mount at Root: under Root and under no mount point nested deeper.
// On the root file system "/" begins every path, but a path on a stick mounted below it is
// not on the program's drive.
bool OnMount(std::string_view Path, const DriveContext& ctx) {
    const std::size_t root = ctx.Root.size();
    if (!Path.starts_with(ctx.Root))
        return false;
    // The byte after the root tells most mount points apart without a compare call.
    for (const std::string& point : ctx.NestedMounts)
        if (Path.size() > root && Path[root] == point[root] && Path.starts_with(point))
            return false;
    return true;
}

std::string ExeIniName() { return ChangeFileExt(Application->ExeName(), ".ini"); }

}  // namespace

std::string AppDriveRoot() { return DriveRoot(platform::Platform().Mounts()); }

void EncodeAppDrivePath(std::string_view Path, std::string& Stored) {
    if (Path.empty()) {
        Stored.clear();
        return;
    }
    std::optional<DriveContext> own;
    const DriveContext& ctx = g_drive ? *g_drive : own.emplace(MakeDriveContext());
    if (!OnMount(Path, ctx)) {
        Stored.assign(Path);
        return;
    }
    const std::string_view token = kAppDriveToken;
    Stored.reserve(token.size() + Path.size() - ctx.Root.size());
    Stored.assign(token).append(Path.substr(ctx.Root.size()));
}

std::string EncodeAppDrivePath(const std::string& Path) {
    std::string stored;
    EncodeAppDrivePath(Path, stored);
    return stored;
}

namespace {

void DecodeOnDrive(DriveContext& ctx, std::string_view Stored, bool IsFile, std::string& Path) {
    const std::string_view token = kAppDriveToken;
    if (Stored.starts_with(token)) {
        Path.reserve(ctx.Root.size() + Stored.size() - token.size());
        Path.assign(ctx.Root).append(Stored.substr(token.size()));
    } else {
        Path.assign(Stored);
    }
    if (IsFile) {
        if (!ctx.Missing.FileExists(Path)) {
            const std::size_t slash = Path.rfind(PathDelim);
            if (slash != std::string::npos &&
                ctx.Missing.FolderExists(std::string_view(Path).substr(0, slash + 1)))
                Path.resize(slash + 1);  // the folder, as ExtractFilePath gives it
        }
    } else if (!ctx.Missing.FolderExists(IncludeTrailingPathDelimiter(Path)) &&
               !ctx.Missing.FileExists(Path)) {
        Path.clear();
    }
}

}  // namespace

void DecodeAppDrivePath(std::string_view Stored, bool IsFile, std::string& Path) {
    if (Stored.empty()) {
        Path.clear();
        return;
    }
    if (g_drive) {
        DecodeOnDrive(*g_drive, Stored, IsFile, Path);
        return;
    }
    DriveContext own = MakeDriveContext();
    DecodeOnDrive(own, Stored, IsFile, Path);
}

std::string DecodeAppDrivePath(std::string_view Stored, bool IsFile) {
    std::string path;
    DecodeAppDrivePath(Stored, IsFile, path);
    return path;
}

namespace {

// Asks for a control's memory ahead of its turn: a form's thousands of controls lie all over
// the heap, and waiting for each one in turn costs more than handling it. What a control made
// when it was created (its font, its item list and the items) mostly lies right after it, so
// the bytes asked for reach past the control itself; further than this costs more than it saves.
void Prefetch(const TComponent* Component) {
    constexpr int kBytes = 1280;
    static_assert(kBytes / 64 == 20, "the loop below is unrolled once per line");
#pragma GCC unroll 20
    for (int offset = 0; offset < kBytes; offset += 64)
        __builtin_prefetch(reinterpret_cast<const char*>(Component) + offset);
}

}  // namespace

void ReadOrSaveComponents(TComponent* Container, TMyMemIniFile& Ini, bool Reading) {
    constexpr int kAhead = 2;
    const int count = Container->ComponentCount();
    for (int i = 0; i < count && i < Container->ComponentCount(); ++i) {
        if (i + kAhead < Container->ComponentCount())
            Prefetch(Container->Components(i + kAhead));
        if (!Reading && i + 1 < Container->ComponentCount())
            Ini.PrefetchSection(Container->Components(i + 1)->Name());
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
    // Room for what a form of this size writes, mostly one section of a few keys per control
    // (the controls of frames are not counted: their room is found by growing).
    const auto controls = static_cast<std::size_t>(Form->ComponentCount());
    ini.Reserve(controls, 2 * controls, 64 * controls);
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

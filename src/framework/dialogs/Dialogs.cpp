#include "framework/dialogs/Dialogs.h"

#include "framework/forms/Application.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Paths.h"

namespace framework {

namespace {

platform::IFileChooser& chooser() { return platform::Platform().FileChooser(); }

bool pathExists(const std::string& path) { return platform::Platform().Stat(path).Exists; }

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::string();
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> splitMasks(std::string_view masks) {
    std::vector<std::string> out;
    for (;;) {
        const std::size_t semicolon = masks.find(';');
        std::string mask = trimmed(masks.substr(0, semicolon));
        if (!mask.empty())
            out.push_back(std::move(mask));
        if (semicolon == std::string_view::npos)
            return out;
        masks.remove_prefix(semicolon + 1);
    }
}

// A name chosen without an extension gets the default one: always when saving; when opening,
// only if the name as typed does not exist and the one with the extension does.
std::string withDefaultExtension(const std::string& path, const std::string& extension, bool saving) {
    if (extension.empty() || !ExtractFileExt(path).empty())
        return path;
    std::string extended = path;
    if (extension.front() != '.')
        extended += '.';
    extended += extension;
    if (saving || (!pathExists(path) && pathExists(extended)))
        return extended;
    return path;
}

}  // namespace

std::vector<platform::FileFilter> ParseFilter(std::string_view Filter) {
    std::vector<platform::FileFilter> filters;
    while (!Filter.empty()) {
        const std::size_t bar = Filter.find('|');
        if (bar == std::string_view::npos)
            break;
        const std::string_view name = Filter.substr(0, bar);
        Filter.remove_prefix(bar + 1);
        const std::size_t end = Filter.find('|');
        const std::string_view masks = Filter.substr(0, end);
        Filter = end == std::string_view::npos ? std::string_view() : Filter.substr(end + 1);
        filters.push_back({std::string(name), splitMasks(masks)});
    }
    return filters;
}

// --- TCustomFileDialog ------------------------------------------------------------------------

const TClassInfo& TCustomFileDialog::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomFileDialog, TComponent>("TCustomFileDialog")
            .String<TCustomFileDialog>("Title", &TCustomFileDialog::Title, &TCustomFileDialog::SetTitle)
            .String<TCustomFileDialog>("OkButtonLabel", &TCustomFileDialog::OkButtonLabel,
                                       &TCustomFileDialog::SetOkButtonLabel)
            .SetOf<TCustomFileDialog>(
                "Options", {"fdoOverWritePrompt",  "fdoStrictFileTypes",    "fdoNoChangeDir",
                            "fdoPickFolders",      "fdoForceFileSystem",    "fdoAllNonStorageItems",
                            "fdoNoValidate",       "fdoAllowMultiSelect",   "fdoPathMustExist",
                            "fdoFileMustExist",    "fdoCreatePrompt",       "fdoShareAware",
                            "fdoNoReadOnlyReturn", "fdoNoTestFileCreate",   "fdoHideMRUPlaces",
                            "fdoHidePinnedPlaces", "fdoNoDereferenceLinks", "fdoDontAddToRecent",
                            "fdoForceShowHidden",  "fdoDefaultNoMiniMode",  "fdoForcePreviewPaneOn"},
                &TCustomFileDialog::Options, &TCustomFileDialog::SetOptions,
                FileDialogOptionBit(fdoPathMustExist) | FileDialogOptionBit(fdoFileMustExist))
            .Integer<TCustomFileDialog>("FileTypeIndex", &TCustomFileDialog::FileTypeIndex,
                                        &TCustomFileDialog::SetFileTypeIndex, 1)
            .String<TCustomFileDialog>("DefaultFolder", &TCustomFileDialog::DefaultFolder,
                                       &TCustomFileDialog::SetDefaultFolder)
            .String<TCustomFileDialog>("DefaultExtension", &TCustomFileDialog::DefaultExtension,
                                       &TCustomFileDialog::SetDefaultExtension)
            .String<TCustomFileDialog>("FileName", &TCustomFileDialog::FileName,
                                       &TCustomFileDialog::SetFileName);
    return info;
}

const TClassInfo& TFileOpenDialog::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TFileOpenDialog, TCustomFileDialog>("TFileOpenDialog");
    return info;
}

TCustomFileDialog::TCustomFileDialog(TComponent* AOwner)
    : TComponent(AOwner), m_files(Create<TStringList>()) {}

TCustomFileDialog::~TCustomFileDialog() = default;

platform::FileChooserRequest TCustomFileDialog::Request() const {
    platform::FileChooserRequest request;
    request.Title = m_title;
    request.OkLabel = m_okButtonLabel;
    request.PickFolders = (m_options & FileDialogOptionBit(fdoPickFolders)) != 0;
    request.MultiSelect = (m_options & FileDialogOptionBit(fdoAllowMultiSelect)) != 0;
    request.Save = Saving();
    request.ConfirmOverwrite = (m_options & FileDialogOptionBit(fdoOverWritePrompt)) != 0;
    if (!request.PickFolders)
        for (const TFileTypeItem& type : m_fileTypes.All())
            request.Filters.push_back({type.DisplayName, splitMasks(type.FileMask)});
    request.CurrentFilter = m_fileTypeIndex - 1;
    request.StartFolder = m_defaultFolder;
    request.FileName = m_fileName;
    return request;
}

bool TCustomFileDialog::Execute() {
    const platform::FileChooserRequest request = Request();
    platform::FileChoice choice;
    for (;;) {
        choice = chooser().Choose(request);
        if (!choice.Accepted)
            return false;
        if (!request.PickFolders)
            for (std::string& path : choice.Paths)
                path = withDefaultExtension(path, m_defaultExtension, request.Save);
        // Asked for a name that does not exist yet: confirm it, or choose again.
        const std::string& first = choice.Paths.front();
        if (!(m_options & FileDialogOptionBit(fdoCreatePrompt)) || request.Save || pathExists(first))
            break;
        if (chooser().Confirm(m_title, first + " does not exist.\nCreate it?"))
            break;
    }
    m_files->Clear();
    for (const std::string& path : choice.Paths)
        m_files->Add(path);
    m_fileName = choice.Paths.front();
    return true;
}

// --- TOpenDialog, TSaveDialog -----------------------------------------------------------------

const TClassInfo& TOpenDialog::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TOpenDialog, TComponent>("TOpenDialog")
            .String<TOpenDialog>("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
            .Integer<TOpenDialog>("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex, 1)
            .String<TOpenDialog>("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
            .String<TOpenDialog>("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
            .String<TOpenDialog>("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
            .String<TOpenDialog>("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
            .SetOf<TOpenDialog>("Options",
                                {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir",
                                 "ofShowHelp", "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent",
                                 "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt"},
                                &TOpenDialog::Options, &TOpenDialog::SetOptions,
                                OpenOptionBit(ofHideReadOnly));
    return info;
}

const TClassInfo& TSaveDialog::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TSaveDialog, TOpenDialog>("TSaveDialog");
    return info;
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner), m_files(Create<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() {
    platform::FileChooserRequest request;
    request.Title = m_title;
    request.Save = Saving();
    request.MultiSelect = !request.Save && (m_options & OpenOptionBit(ofAllowMultiSelect));
    request.ConfirmOverwrite = (m_options & OpenOptionBit(ofOverwritePrompt)) != 0;
    request.Filters = ParseFilter(m_filter);
    request.CurrentFilter = m_filterIndex - 1;
    request.StartFolder = m_initialDir;
    request.FileName = m_fileName;
    platform::FileChoice choice = chooser().Choose(request);
    if (!choice.Accepted)
        return false;
    m_files->Clear();
    for (std::string& path : choice.Paths) {
        path = withDefaultExtension(path, m_defaultExt, request.Save);
        m_files->Add(path);
    }
    m_fileName = choice.Paths.front();
    return true;
}

// --- SelectDirectory, ShowMessage -------------------------------------------------------------

bool SelectDirectory(std::string& Directory, TSelectDirOpts Options, int /*HelpCtx*/) {
    platform::FileChooserRequest request;
    request.Title = "Select Directory";
    request.PickFolders = true;
    request.StartFolder = Directory;
    const platform::FileChoice choice = chooser().Choose(request);
    if (!choice.Accepted)
        return false;
    const std::string& folder = choice.Paths.front();
    if (!DirectoryExists(folder)) {
        if (!(Options & SelectDirOptBit(sdAllowCreate)))
            return false;
        if (Options & SelectDirOptBit(sdPerformCreate)) {
            if ((Options & SelectDirOptBit(sdPrompt)) &&
                !chooser().Confirm(request.Title, "The directory " + folder + " does not exist. Create it?"))
                return false;
            if (!ForceDirectories(folder))
                throw EInOutError("Cannot create the directory " + folder, 0);
        }
    }
    Directory = folder;
    return true;
}

void ShowMessage(const std::string& Msg) {
    // Drawn by the framework while a window host runs, else by the desktop's dialog program.
    if (Application->HasMessagePump())
        MessageDlg(Msg, mtCustom, MsgDlgBtnBit(mbOK), 0);
    else
        chooser().ShowMessage(Application->Title(), Msg);
}

}  // namespace framework

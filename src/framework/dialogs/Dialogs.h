#pragma once
// The file dialogs: the new-style open dialog (TFileOpenDialog, file types as a list), the
// classic open and save dialogs (TOpenDialog, TSaveDialog, file types as one filter text),
// the classic folder browser (SelectDirectory) and ShowMessage. All of them are shown by the
// platform's chooser, so tests answer them with the scripted one.

#include "framework/classes/Component.h"
#include "framework/classes/StringList.h"
#include "framework/forms/MessageDialogs.h"
#include "framework/platform/FileChooser.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace framework {

// Options of the new-style dialog, as bit positions of a set.
enum TFileDialogOption : std::uint8_t {
    fdoOverWritePrompt,
    fdoStrictFileTypes,
    fdoNoChangeDir,
    fdoPickFolders,
    fdoForceFileSystem,
    fdoAllNonStorageItems,
    fdoNoValidate,
    fdoAllowMultiSelect,
    fdoPathMustExist,
    fdoFileMustExist,
    fdoCreatePrompt,
    fdoShareAware,
    fdoNoReadOnlyReturn,
    fdoNoTestFileCreate,
    fdoHideMRUPlaces,
    fdoHidePinnedPlaces,
    fdoNoDereferenceLinks,
    fdoDontAddToRecent,
    fdoForceShowHidden,
    fdoDefaultNoMiniMode,
    fdoForcePreviewPaneOn,
};
using TFileDialogOptions = std::uint32_t;
constexpr TFileDialogOptions FileDialogOptionBit(TFileDialogOption O) { return TFileDialogOptions{1} << O; }

// One entry of a new-style dialog's file types: the text shown and its masks ("*.htm;*.html").
struct TFileTypeItem {
    std::string DisplayName;
    std::string FileMask;
    bool operator==(const TFileTypeItem&) const = default;
};

class TFileTypeItems {
public:
    TFileTypeItem& Add() { return m_items.emplace_back(); }
    void Clear() { m_items.clear(); }
    int Count() const { return static_cast<int>(m_items.size()); }
    const std::vector<TFileTypeItem>& All() const { return m_items; }

private:
    std::vector<TFileTypeItem> m_items;
};

// The new-style dialog. Execute shows it and answers true when the user chose; then
// FileName is the first choice and Files all of them.
class TCustomFileDialog : public TComponent {
public:
    explicit TCustomFileDialog(TComponent* AOwner);
    ~TCustomFileDialog() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& Value) { m_title = Value; }
    const std::string& OkButtonLabel() const { return m_okButtonLabel; }
    void SetOkButtonLabel(const std::string& Value) { m_okButtonLabel = Value; }
    TFileDialogOptions Options() const { return m_options; }
    void SetOptions(TFileDialogOptions Value) { m_options = Value; }
    TFileTypeItems& FileTypes() { return m_fileTypes; }
    const TFileTypeItems& FileTypes() const { return m_fileTypes; }
    // 1-based, the file type shown first.
    int FileTypeIndex() const { return m_fileTypeIndex; }
    void SetFileTypeIndex(int Value) { m_fileTypeIndex = Value; }
    const std::string& DefaultFolder() const { return m_defaultFolder; }
    void SetDefaultFolder(const std::string& Value) { m_defaultFolder = Value; }
    // With its dot (".txt"): added to a typed name that has no extension.
    const std::string& DefaultExtension() const { return m_defaultExtension; }
    void SetDefaultExtension(const std::string& Value) { m_defaultExtension = Value; }
    const std::string& FileName() const { return m_fileName; }
    void SetFileName(const std::string& Value) { m_fileName = Value; }
    TStrings* Files() const { return m_files.get(); }

    // Raises EFileChooserError when the desktop has no chooser.
    virtual bool Execute();

protected:
    virtual bool Saving() const { return false; }

private:
    platform::FileChooserRequest Request() const;

    std::string m_title;
    std::string m_okButtonLabel;
    TFileDialogOptions m_options =
        FileDialogOptionBit(fdoPathMustExist) | FileDialogOptionBit(fdoFileMustExist);
    TFileTypeItems m_fileTypes;
    int m_fileTypeIndex = 1;
    std::string m_defaultFolder;
    std::string m_defaultExtension;
    std::string m_fileName;
    std::unique_ptr<TStringList, TFreeDeleter> m_files;
};

class TFileOpenDialog : public TCustomFileDialog {
public:
    using TCustomFileDialog::TCustomFileDialog;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

// Options of the classic dialogs, as bit positions of a set.
enum TOpenOption : std::uint8_t {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
};
using TOpenOptions = std::uint32_t;
constexpr TOpenOptions OpenOptionBit(TOpenOption O) { return TOpenOptions{1} << O; }

// The pairs of a filter text "Text files (*.txt)|*.txt|All files (*.*)|*.*|": the text
// shown, then its masks separated by ';'. A last text without masks is left out.
std::vector<platform::FileFilter> ParseFilter(std::string_view Filter);

// The classic open dialog; TSaveDialog saves.
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    const std::string& Filter() const { return m_filter; }
    void SetFilter(const std::string& Value) { m_filter = Value; }
    // 1-based, the filter entry shown first.
    int FilterIndex() const { return m_filterIndex; }
    void SetFilterIndex(int Value) { m_filterIndex = Value; }
    const std::string& InitialDir() const { return m_initialDir; }
    void SetInitialDir(const std::string& Value) { m_initialDir = Value; }
    // Without its dot ("txt"): added to a chosen name that has no extension.
    const std::string& DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const std::string& Value) { m_defaultExt = Value; }
    const std::string& FileName() const { return m_fileName; }
    void SetFileName(const std::string& Value) { m_fileName = Value; }
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& Value) { m_title = Value; }
    TOpenOptions Options() const { return m_options; }
    void SetOptions(TOpenOptions Value) { m_options = Value; }
    TStrings* Files() const { return m_files.get(); }

    // Raises EFileChooserError when the desktop has no chooser.
    virtual bool Execute();

protected:
    virtual bool Saving() const { return false; }

private:
    std::string m_filter;
    int m_filterIndex = 1;
    std::string m_initialDir;
    std::string m_defaultExt;
    std::string m_fileName;
    std::string m_title;
    TOpenOptions m_options = OpenOptionBit(ofHideReadOnly);
    std::unique_ptr<TStringList, TFreeDeleter> m_files;
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

protected:
    bool Saving() const override { return true; }
};

// Options of the classic folder browser, as bit positions of a set.
enum TSelectDirOpt : std::uint8_t { sdAllowCreate, sdPerformCreate, sdPrompt };
using TSelectDirOpts = std::uint32_t;
constexpr TSelectDirOpts SelectDirOptBit(TSelectDirOpt O) { return TSelectDirOpts{1} << O; }

// The classic folder browser, starting at Directory. True when the user chose a folder, which
// is then in Directory. A folder that does not exist is only accepted with sdAllowCreate; with
// sdPerformCreate it is created, after asking first with sdPrompt. HelpCtx has no help to show
// here. Raises EFileChooserError when the desktop has no chooser, EInOutError when the folder
// cannot be created.
bool SelectDirectory(std::string& Directory, TSelectDirOpts Options, int HelpCtx);

// Shows a notice with the application's title and waits until the user has read it.
void ShowMessage(const std::string& Msg);

}  // namespace framework

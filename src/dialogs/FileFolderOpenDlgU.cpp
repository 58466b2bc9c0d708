#include "dialogs/FileFolderOpenDlgU.h"

#include "framework/classes/Palette.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Paths.h"
#include "package/PackageResources.h"
#include "sibling/Generalruntime1const.h"
#include "sibling/Generalruntimefilters.h"

#include <memory>

using namespace framework;

namespace lm7 {

namespace {

void addFileType(TFileOpenDialog& dialog, const sibling::TFilterPair& pair) {
    TFileTypeItem& type = dialog.FileTypes().Add();
    type.DisplayName = pair.Name;
    type.FileMask = pair.Mask;
}

bool ownerIsLoading(const TComponent* component) {
    const TComponent* owner = component->Owner();
    return owner && owner->HasState(csReading | csLoading);
}

}  // namespace

std::string ChosenFolderOrFile(const std::string& Title, const std::string& OkLabel,
                               const std::string& Suggested, bool OnlyFolder) {
    if (platform::Platform().SystemMajorVersion() < 6) {
        // Before the new-style dialogs: the classic folder browser, always for a folder. A
        // cancelled browser is no choice, whatever the suggestion was.
        std::string result = Suggested;
        const TSelectDirOpts options =
            SelectDirOptBit(sdAllowCreate) | SelectDirOptBit(sdPerformCreate) | SelectDirOptBit(sdPrompt);
        return SelectDirectory(result, options, 0) ? result : std::string();
    }
    std::unique_ptr<TFileOpenDialog, TFreeDeleter> dialog(Create<TFileOpenDialog>(nullptr));
    dialog->SetTitle(Title);
    TFileDialogOptions options = FileDialogOptionBit(fdoForceFileSystem) |
                                 FileDialogOptionBit(fdoAllowMultiSelect) |
                                 FileDialogOptionBit(fdoCreatePrompt);
    if (OnlyFolder) {
        options = (options | FileDialogOptionBit(fdoPickFolders)) & ~FileDialogOptionBit(fdoAllowMultiSelect);
    } else {
        addFileType(*dialog, sibling::TXT_FileTypes);
        addFileType(*dialog, sibling::XML_Filetypes);
        addFileType(*dialog, sibling::All_FileTypes);
    }
    dialog->SetOptions(options);
    dialog->SetOkButtonLabel(OkLabel);
    dialog->SetDefaultFolder(Suggested);
    dialog->SetFileName(Suggested);
    // Only the first path of a multiple choice is used.
    return dialog->Execute() ? dialog->FileName() : std::string();
}

// --- TMyOpenFolderDialog ----------------------------------------------------------------------

const TClassInfo& TMyOpenFolderDialog::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TMyOpenFolderDialog, vendor::TAdvEditBtn>("TMyOpenFolderDialog")
            .Object<TMyOpenFolderDialog, vendor::TAdvOfficeCheckBox>("LinkedCheckbox",
                                                                     &TMyOpenFolderDialog::LinkedCheckbox,
                                                                     &TMyOpenFolderDialog::SetLinkedCheckbox)
            .String<TMyOpenFolderDialog>("FolderOrFile", &TMyOpenFolderDialog::FolderOrFile,
                                         &TMyOpenFolderDialog::SetFolderOrFile)
            .Bool<TMyOpenFolderDialog>("OnlyFolderAllowed", &TMyOpenFolderDialog::OnlyFolderAllowed,
                                       &TMyOpenFolderDialog::SetOnlyFolderAllowed);
    return info;
}

const TClassInfo& TMyOpenFileDialog::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TMyOpenFileDialog, TMyOpenFolderDialog>("TMyOpenFileDialog");
    return info;
}

TMyOpenFolderDialog::TMyOpenFolderDialog(TComponent* AOwner) : vendor::TAdvEditBtn(AOwner) {}

TMyOpenFolderDialog::~TMyOpenFolderDialog() = default;

void TMyOpenFolderDialog::AfterConstruction() {
    vendor::TAdvEditBtn::AfterConstruction();
    // Placed in the designer the picker shows the package's folder; at run time the glyph
    // comes from the stored form like any other property.
    if (HasState(csDesigning) && !ownerIsLoading(this))
        Glyph()->Assign(LoadPackageBitmap("IMG_1").get());
}

const TBitmap& TMyOpenFolderDialog::ShownGlyph() const {
    if (!Glyph()->Empty())
        return *Glyph();
    // One copy for every picker of the program; the resources live as long as it does.
    static const auto folder = LoadPackageBitmap("IMG_1");
    return *folder;
}

void TMyOpenFolderDialog::SetLinkedCheckbox(vendor::TAdvOfficeCheckBox* Value) {
    if (fLinkedCheckbox == Value)
        return;
    if (fLinkedCheckbox)
        fLinkedCheckbox->RemoveFreeNotification(this);
    fLinkedCheckbox = Value;
    if (fLinkedCheckbox)
        fLinkedCheckbox->FreeNotification(this);
}

void TMyOpenFolderDialog::Notification(TComponent* AComponent, TOperation Operation) {
    vendor::TAdvEditBtn::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == fLinkedCheckbox)
        fLinkedCheckbox = nullptr;
}

void TMyOpenFolderDialog::SetOnlyFolderAllowed(bool Value) {
    if (!ownerIsLoading(this) && Value) {
        const std::string text = Text();
        if (!text.empty() && FileExists(text))
            SetText(ExtractFilePath(text));
    }
    fOnlyFolderAllowed = Value;
}

bool TMyOpenFolderDialog::ChosenExistingFileOrFolder(const std::string& suggested) {
    // The folder title stands also when files are picked.
    const std::string chosen =
        ChosenFolderOrFile(std::string(sibling::_LMSelectFolder), std::string(sibling::_LMSelect), suggested,
                           fOnlyFolderAllowed);
    if (chosen.empty())
        return false;
    ffolderOrFile = chosen;
    return true;
}

void TMyOpenFolderDialog::BtnClick(TObject* Sender) {
    vendor::TAdvEditBtn::BtnClick(Sender);
    if (OnButtonPressing)
        OnButtonPressing(this);
    bool chosen = false;
    try {
        chosen = ChosenExistingFileOrFolder(Text());
    } catch (const Exception& E) {
        // A button has no caller to hand the error to: the user is told, as the framework tells
        // of any error in a click, and the text stays as it was.
        ShowMessage(E.Message());
        return;
    }
    if (!chosen)
        return;
    SetText(ffolderOrFile);
    if (OnFolderChosen)
        OnFolderChosen(this);
}

namespace FileFolderOpenDlgU {

void Register() {
    RegisterComponents("Samples", {&TMyOpenFolderDialog::ClassInfo()});
    RegisterClass(&TMyOpenFileDialog::ClassInfo());
}

}  // namespace FileFolderOpenDlgU

}  // namespace lm7

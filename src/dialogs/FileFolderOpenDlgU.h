#pragma once
// The suite's folder and file pickers: an edit whose button opens the desktop's chooser at
// the current text and puts the chosen path into the edit; and the chooser as a function.

#include "vendor/AdvControls.h"
#include "vendor/AdvEditBtn.h"

#include <string>

namespace lm7 {

// Shows the chooser (folders when OnlyFolder) starting at Suggested; the chosen path, or ""
// when nothing was chosen. Raises EFileChooserError when the desktop has no chooser.
std::string ChosenFolderOrFile(const std::string& Title, const std::string& OkLabel,
                               const std::string& Suggested, bool OnlyFolder);

class TMyOpenFolderDialog : public vendor::TAdvEditBtn {
public:
    explicit TMyOpenFolderDialog(framework::TComponent* AOwner);
    ~TMyOpenFolderDialog() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    // Kept for the forms that pair a picker with a check box; the picker does not act on it.
    vendor::TAdvOfficeCheckBox* LinkedCheckbox() const { return fLinkedCheckbox; }
    void SetLinkedCheckbox(vendor::TAdvOfficeCheckBox* Value);
    std::string FolderOrFile() const { return Text(); }
    void SetFolderOrFile(const std::string& Value) { SetText(Value); }
    bool OnlyFolderAllowed() const { return fOnlyFolderAllowed; }
    // Switched on by a user or a program while the text names an existing file, the text
    // becomes that file's folder; a stored form being read keeps its text.
    void SetOnlyFolderAllowed(bool Value);

    // Runs the chooser at suggested; true when a path was chosen, kept as the last choice.
    bool ChosenExistingFileOrFolder(const std::string& suggested);
    // The last path chosen through the button; the text may have changed since.
    const std::string& LastChoice() const { return ffolderOrFile; }

    // Raised when the button is pressed, before the chooser opens.
    framework::TNotifyEvent OnButtonPressing;
    // Raised once a choice is in the edit.
    framework::TNotifyEvent OnFolderChosen;

    void BtnClick(framework::TObject* Sender) override;
    void AfterConstruction() override;

protected:
    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;
    // The Glyph, or the package's folder glyph while the picker has been given none (a picker
    // made in code, or stored without one). The Glyph itself stays empty, so nothing is stored.
    const framework::TBitmap& ShownGlyph() const override;

private:
    std::string ffolderOrFile;
    bool fOnlyFolderAllowed = true;
    vendor::TAdvOfficeCheckBox* fLinkedCheckbox = nullptr;  // not owned; cleared when it goes
};

// The same picker, named for choosing files: stored with OnlyFolderAllowed false it does.
class TMyOpenFileDialog : public TMyOpenFolderDialog {
public:
    using TMyOpenFolderDialog::TMyOpenFolderDialog;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

namespace FileFolderOpenDlgU {
// Puts the folder picker on the designer's "Samples" page; the file picker can be created by
// name from stored forms but is not on the palette.
void Register();
}  // namespace FileFolderOpenDlgU

}  // namespace lm7

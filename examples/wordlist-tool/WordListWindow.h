#pragma once
// The word-list tool window: the words of a text file with their counts in a styled list box,
// most frequent first; a colour combo that chooses the colour of the selected word; a folder
// picker where the list is saved. Its layout is the description "WordList.lfm" beside the
// program; its controls' state (the folders, the highlight) is kept in "wordlist-tool.ini" in
// the suite's settings folder.

#include "WordCounts.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/StyledListbox.h"
#include "dialogs/FileFolderOpenDlgU.h"
#include "forms/TMSStyleableF.h"
#include "framework/controls/Label.h"
#include "framework/rtl/Exceptions.h"

#include <optional>
#include <string>
#include <vector>

namespace wordlist {

class TWordListWindow : public lm7::TTMSStylableForm {
public:
    explicit TWordListWindow(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    std::string TheIniName() override;
    // The style's colours come back on a change of style; the chosen highlight stays.
    void MudancaDeEstilo(framework::TObject* Sender) override;
    // After the form's own save, which rewrites the ini file, the highlight is added to it.
    void BeforeDestruction() override;

    // Counts the words of FileName and lists them; the file picker shows it.
    void LoadWords(const std::string& FileName);
    // As a pick in the colour combo: the selected word is painted in the table's nearest colour.
    void ChooseHighlight(framework::TColor Colour);
    // As a choice of Folder in the folder picker and a press of the save button: writes the
    // list there as "<text's name>-wordlist.txt" and answers its path. Raises the framework's
    // exception when there is no list or no such folder.
    std::string SaveWordList(const std::string& Folder);

private:
    // Connected by the layout.
    void FormCreated(framework::TObject* Sender);
    void WindowShow(framework::TObject* Sender);
    void HighlightChange(framework::TObject* Sender);
    void SaveClick(framework::TObject* Sender);
    // Connected here: the file picker's choice is the text to count.
    void SourceChosen(framework::TObject* Sender);

    void ApplyHighlight();
    template <class T> T* Part(const char* Name) const;
    // Tells the user once why the settings folder cannot be found; the window keeps nothing.
    void TellSettingsProblem(const framework::Exception& E);

    // The layout's controls, owned by the window.
    lm7::TStyledListbox* WordsList = nullptr;
    lm7::TColourSharingCombo* HighlightCombo = nullptr;
    lm7::TMyOpenFileDialog* SourcePicker = nullptr;
    lm7::TMyOpenFolderDialog* SaveFolderPicker = nullptr;
    framework::TLabel* SummaryLabel = nullptr;

    std::vector<TWordCount> m_words;
    std::optional<framework::TColor> m_highlight;  // none: the style's own
    bool m_settingsProblemTold = false;
};

}  // namespace wordlist

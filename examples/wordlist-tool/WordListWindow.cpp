#include "WordListWindow.h"

#include "framework/classes/Strings.h"
#include "framework/forms/Application.h"
#include "framework/forms/TextForms.h"
#include "framework/graphics/Colors.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Paths.h"
#include "package/PackageResources.h"
#include "settings/user_and_system_utils.h"
#include "sibling/Inifilebase.h"

using namespace framework;

namespace wordlist {

namespace {
constexpr const char* kHighlightKey = "colour";
}

const TClassInfo& TWordListWindow::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TWordListWindow, lm7::TTMSStylableForm>("TWordListWindow")
            .Method<&TWordListWindow::FormCreated>("FormCreated")
            .Method<&TWordListWindow::WindowShow>("WindowShow")
            .Method<&TWordListWindow::HighlightChange>("HighlightChange")
            .Method<&TWordListWindow::SaveClick>("SaveClick");
    return info;
}

// A control the layout must have, of the class the window expects.
template <class T> T* TWordListWindow::Part(const char* Name) const {
    if (auto* part = As<T>(FindComponent(Name)))
        return part;
    throw EComponentError(std::string("The layout has no ") + T::ClassInfo().ClassName() + " \"" + Name +
                          "\"");
}

TWordListWindow::TWordListWindow(TComponent* AOwner) : lm7::TTMSStylableForm(AOwner) {
    ReadTextFormFile(IncludeTrailingPathDelimiter(ExtractFilePath(Application->ExeName())) + "WordList.lfm",
                     this);
    WordsList = Part<lm7::TStyledListbox>("WordsList");
    HighlightCombo = Part<lm7::TColourSharingCombo>("HighlightCombo");
    SourcePicker = Part<lm7::TMyOpenFileDialog>("SourcePicker");
    SaveFolderPicker = Part<lm7::TMyOpenFolderDialog>("SaveFolderPicker");
    SummaryLabel = Part<TLabel>("SummaryLabel");
}

void TWordListWindow::FormCreated(TObject*) {
    AddAFormStyler(this);
    // The pickers' buttons show the package's folder picture.
    const auto glyph = lm7::LoadPackageBitmap("IMG_1");
    SourcePicker->SetGlyph(glyph.get());
    SaveFolderPicker->SetGlyph(glyph.get());
    SourcePicker->OnFolderChosen = TNotifyEvent::Of<&TWordListWindow::SourceChosen>(this);
}

std::string TWordListWindow::TheIniName() {
    try {
        std::string folder = lm7::Get_Ini_Folder();
        if (folder.empty())
            folder = lm7::GetMyDocumentsLumoFolder();
        return IncludeTrailingPathDelimiter(folder) + "wordlist-tool.ini";
    } catch (const EIniFileException& e) {
        TellSettingsProblem(e);  // a redirection file that names no usable folder
    } catch (const EFileStreamError& e) {
        TellSettingsProblem(e);  // one that cannot be read, or a documents setting gone wrong
    } catch (const Exception&) {
        // no home folder: nothing is kept
    }
    return std::string();
}

void TWordListWindow::TellSettingsProblem(const Exception& E) {
    // The name is asked for at every show and close; the user hears of the problem once.
    if (m_settingsProblemTold)
        return;
    m_settingsProblemTold = true;
    Application->HandleException(this, Exception(std::string(E.what()) + "; nothing is kept"));
}

void TWordListWindow::WindowShow(TObject* Sender) {
    FormShow(Sender);  // the controls take their saved state, the window its style and size
    // As for the base form's state, a file that cannot be read leaves the style's colour and
    // is told, and the window shows all the same.
    std::string saved;
    if (const std::string ini = TheIniName(); !ini.empty() && FileExists(ini)) {
        try {
            saved = sibling::TMyMemIniFile(ini).ReadString(HighlightCombo->Name(), kHighlightKey, "");
        } catch (const Exception& e) {
            Application->HandleException(this, e);
        }
    }
    if (!saved.empty()) {
        try {
            ChooseHighlight(StringToColor(saved));
        } catch (const EConvertError&) {
            // a hand-edited value that names no colour: the style's own stays
        }
    }
    // The text counted last time is counted again, if it is still there.
    if (m_words.empty() && FileExists(SourcePicker->FolderOrFile()))
        LoadWords(SourcePicker->FolderOrFile());
}

void TWordListWindow::BeforeDestruction() {
    // A save that fails here is told by the application and ends nothing; once the base form's
    // save has failed, the colour would fail the same way and is not tried.
    const int failures = Application->HandledExceptionCount();
    lm7::TTMSStylableForm::BeforeDestruction();
    const std::string ini = TheIniName();
    if (!m_highlight || ini.empty() || Application->HandledExceptionCount() > failures)
        return;
    sibling::TMyMemIniFile state(ini);
    state.WriteString(HighlightCombo->Name(), kHighlightKey, ColorToString(*m_highlight));
    state.UpdateFile();
}

void TWordListWindow::LoadWords(const std::string& FileName) {
    const std::string path = ExpandFileName(FileName);
    m_words = CountWordsInFile(path);
    TStrings& items = *WordsList->Items();
    items.BeginUpdate();
    items.Clear();
    int total = 0;
    for (const TWordCount& w : m_words) {
        items.AddObject(w.Word, TStrings::IntToObject(w.Count));
        total += w.Count;
    }
    items.EndUpdate();
    WordsList->SetItemIndex(m_words.empty() ? -1 : 0);
    SourcePicker->SetFolderOrFile(path);
    SummaryLabel->SetCaption(Format("%d words, %d different, in %s",
                                    {total, static_cast<int>(m_words.size()), ExtractFileName(path)}));
}

// In the window a failure is reported on the summary line; the window keeps working.
void TWordListWindow::SourceChosen(TObject*) {
    try {
        LoadWords(SourcePicker->FolderOrFile());
    } catch (const Exception& e) {
        SummaryLabel->SetCaption(e.Message());
    }
}

void TWordListWindow::ChooseHighlight(TColor Colour) {
    HighlightCombo->SetSelectedColour(Colour);
    m_highlight = HighlightCombo->SelectedColour();
    ApplyHighlight();
}

void TWordListWindow::HighlightChange(TObject*) {
    m_highlight = HighlightCombo->SelectedColour();
    ApplyHighlight();
}

void TWordListWindow::MudancaDeEstilo(TObject* Sender) {
    lm7::TTMSStylableForm::MudancaDeEstilo(Sender);
    ApplyHighlight();
}

void TWordListWindow::ApplyHighlight() {
    if (!m_highlight)
        return;
    // Black on light colours, white on dark ones, by how bright the eye sees them.
    const TColor rgb = ColorToRGB(*m_highlight);
    const int brightness = (299 * GetRValue(rgb) + 587 * GetGValue(rgb) + 114 * GetBValue(rgb)) / 1000;
    WordsList->Set_SelectedColour(*m_highlight);
    WordsList->Set_SelectedTextColour(brightness > 128 ? clBlack : clWhite);
    WordsList->Invalidate();
}

std::string TWordListWindow::SaveWordList(const std::string& Folder) {
    if (m_words.empty())
        throw Exception("There is no word list to save");
    const std::string folder = Folder.empty() ? std::string() : ExpandFileName(Folder);
    if (folder.empty() || !DirectoryExists(folder))
        throw Exception("Choose an existing folder to save the word list in");
    SaveFolderPicker->SetFolderOrFile(folder);
    const std::string name =
        ChangeFileExt(ExtractFileName(SourcePicker->FolderOrFile()), "") + "-wordlist.txt";
    const std::string path = IncludeTrailingPathDelimiter(folder) + name;
    WriteFileAtomic(path, WordListText(m_words));
    return path;
}

void TWordListWindow::SaveClick(TObject*) {
    try {
        SummaryLabel->SetCaption("Saved to " + SaveWordList(SaveFolderPicker->FolderOrFile()));
    } catch (const Exception& e) {
        SummaryLabel->SetCaption(e.Message());
    }
}

}  // namespace wordlist

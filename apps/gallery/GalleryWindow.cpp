#include "GalleryWindow.h"

#include "GallerySection.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/NotepadGrabPanel.h"
#include "dialogs/FileFolderOpenDlgU.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/ScrollBars.h"
#include "framework/forms/Application.h"
#include "framework/forms/TextForms.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/IntConv.h"
#include "framework/rtl/Paths.h"
#include "settings/ReadAndSaveIni.h"
#include "settings/user_and_system_utils.h"
#include "sibling/My_tmsstylebase.h"
#include "vendor/AdvControls.h"
#include "vendor/AdvListView.h"
#include "vendor/AdvOfficePager.h"
#include "vendor/AdvOfficeTabSet.h"
#include "vendor/AdvTreeView.h"
#include "vendor/ElButtons.h"
#include "vendor/ElEdits.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace framework;

namespace gallery {

namespace {
std::vector<GallerySection>& sections() {
    static std::vector<GallerySection> all;
    return all;
}

// The window's components and theirs, as the ini walk reaches them (a frame owns its controls).
std::vector<TComponent*> AllComponents(TComponent* root) {
    std::vector<TComponent*> all;
    for (int i = 0; i < root->ComponentCount(); ++i)
        all.push_back(root->Components(i));
    for (std::size_t k = 0; k < all.size(); ++k)
        for (int i = 0; i < all[k]->ComponentCount(); ++i)
            all.push_back(all[k]->Components(i));
    return all;
}
}  // namespace

bool RegisterGallerySection(GallerySection Section) {
    sections().push_back(std::move(Section));
    return true;
}

const std::vector<GallerySection>& GallerySections() { return sections(); }

const TClassInfo& TGalleryWindow::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TGalleryWindow, lm7::TTMSStylableForm>("TGalleryWindow")
            .Method<&TGalleryWindow::FormCreated>("FormCreated")
            .Method<&TGalleryWindow::WindowShow>("WindowShow")
            .Message<TGalleryWindow>(WM_DPICHANGED, &TGalleryWindow::WMDpiChanged)
            .Message<TGalleryWindow>(lm7::WM_BROADCASTBYSHELL, &TGalleryWindow::WMBroadcastByShell);
    return info;
}

std::string TGalleryWindow::LayoutFileName() {
    return IncludeTrailingPathDelimiter(ExtractFilePath(Application->ExeName())) + "Gallery.lfm";
}

TGalleryWindow::TGalleryWindow(TComponent* AOwner) : lm7::TTMSStylableForm(AOwner) {
    // The list boxes' items and selections are kept by the walk once it is asked to.
    lm7::MEMINI_include_Listboxes = true;
    // Its window opens where it was closed, on that monitor.
    lm7::MEMINI_include_FormGeometry = true;
    ReadTextFormFile(LayoutFileName(), this);
    for (const GallerySection& section : GallerySections()) {
        auto* area = As<TWinControl>(FindComponent(section.Area));
        if (!area)
            throw EComponentError("The gallery's layout has no area \"" + section.Area + "\"");
        section.Build(*area);
    }
    NameComponents();
    WatchControls();
    if (auto* box = As<TScrollBox>(FindComponent("Sections"))) {
        box->OnResize = TNotifyEvent::Of<&TGalleryWindow::LayOutSections>(this);
        LayOutSections(box);
    }
    Report(StateLine());
}

void TGalleryWindow::LayOutSections(TObject*) {
    auto* box = As<TScrollBox>(FindComponent("Sections"));
    if (!box)
        return;
    // Each title is followed by its area; the first title's margin is the gap between them all.
    std::vector<std::pair<TControl*, TControl*>> pairs;
    for (int i = 0; i + 1 < box->ControlCount(); ++i) {
        TControl* title = box->Controls(i);
        TControl* area = box->Controls(i + 1);
        if (title->Name().rfind("Title", 0) == 0 && area->Name() == "Area" + title->Name().substr(5)) {
            pairs.emplace_back(title, area);
            ++i;
        }
    }
    if (pairs.empty())
        return;
    const int scrollX = box->HorzScrollBar()->Position(), scrollY = box->VertScrollBar()->Position();
    const int gap = pairs.front().first->Left() + scrollX;
    const int width = pairs.front().second->Width();
    const int titleHeight = pairs.front().first->Height();
    const int rowHeight = titleHeight + pairs.front().second->Height() + gap;
    const int columns = std::max((box->ClientWidth() - gap) / (width + gap), 1);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const int column = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
        const int x = gap + column * (width + gap) - scrollX, y = gap + row * rowHeight - scrollY;
        pairs[i].first->SetBounds(x, y, width, titleHeight);
        pairs[i].second->SetBounds(x, y + titleHeight, width, pairs[i].second->Height());
    }
}

void TGalleryWindow::FormCreated(TObject*) { AddAFormStyler(this); }

void TGalleryWindow::WindowShow(TObject* Sender) {
    FormShow(Sender);  // the controls take what the walk kept
    if (const std::string ini = TheIniName(); !ini.empty() && FileExists(ini)) {
        try {
            m_restoring = true;
            ReadOwnState(sibling::TMyMemIniFile(ini));
            m_restoring = false;
        } catch (const Exception& E) {
            m_restoring = false;
            Report("The gallery's own state was not read: " + std::string(E.what()));
        }
    }
    ShowRemembered();
}

namespace {
constexpr const char* kColourKey = "colour";
constexpr const char* kMarginsKey = "margins";
constexpr const char* kRowKey = "i";

// "left,top,width,height" of a margin panel on its page.
std::string BoundsText(const TControl& c) {
    return Format("%d,%d,%d,%d", {c.Left(), c.Top(), c.Width(), c.Height()});
}

// The bounds a margin panel was saved with, when they still fit its page.
std::optional<TRect> BoundsFrom(const std::string& text, const TControl& page) {
    int v[4];
    std::size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = i < 3 ? text.find(',', at) : text.size();
        if (end == std::string::npos || !TryStrToInt(text.substr(at, end - at), v[i]))
            return std::nullopt;
        at = end + 1;
    }
    if (v[0] < 0 || v[1] < 0 || v[2] <= 0 || v[3] <= 0 || v[0] + v[2] > page.ClientWidth() ||
        v[1] + v[3] > page.ClientHeight())
        return std::nullopt;
    return Rect(v[0], v[1], v[0] + v[2], v[1] + v[3]);
}

std::optional<TColor> ColourFrom(const std::string& text) {
    try {
        return text.empty() ? std::nullopt : std::optional<TColor>(StringToColor(text));
    } catch (const EConvertError&) {
        return std::nullopt;  // a hand-edited value that names no colour
    }
}
}  // namespace

void TGalleryWindow::WriteOwnState(sibling::TMyMemIniFile& Ini) {
    for (TComponent* c : AllComponents(this)) {
        const std::string& section = c->Name();
        if (section.empty())
            continue;
        if (auto* colours = As<lm7::TColourSharingListbox>(c)) {
            Ini.WriteString(section, kColourKey, ColorToString(colours->SelectedColour()));
        } else if (auto* combo = As<lm7::TColourSharingCombo>(c)) {
            Ini.WriteString(section, kColourKey, ColorToString(combo->SelectedColour()));
        } else if (auto* panel = As<lm7::TNotepadGrabPanel>(c)) {
            Ini.WriteString(section, kMarginsKey, BoundsText(*panel));
        } else if (auto* view = As<vendor::TAdvListView>(c)) {
            Ini.WriteInteger(section, kRowKey, view->ItemIndex());
        } else if (auto* tree = As<vendor::TAdvTreeView>(c)) {
            vendor::TAdvTreeViewVirtualNode* node = tree->SelectedVirtualNode();
            Ini.WriteInteger(section, kRowKey, node ? node->VirtualIndex : -1);
        }
    }
}

void TGalleryWindow::ReadOwnState(const sibling::TMyMemIniFile& Ini) {
    for (TComponent* c : AllComponents(this)) {
        const std::string& section = c->Name();
        if (section.empty() || !Ini.SectionExists(section))
            continue;
        if (auto* colours = As<lm7::TColourSharingListbox>(c)) {
            if (const auto colour = ColourFrom(Ini.ReadString(section, kColourKey, "")))
                colours->SetSelectedColour(*colour);
        } else if (auto* combo = As<lm7::TColourSharingCombo>(c)) {
            if (const auto colour = ColourFrom(Ini.ReadString(section, kColourKey, "")))
                combo->SetSelectedColour(*colour);
        } else if (auto* panel = As<lm7::TNotepadGrabPanel>(c)) {
            if (panel->Parent())
                if (const auto r = BoundsFrom(Ini.ReadString(section, kMarginsKey, ""), *panel->Parent())) {
                    panel->SetBounds(r->Left, r->Top, r->Width(), r->Height());
                    panel->RecomputeAllMidpoints();
                }
        } else if (auto* view = As<vendor::TAdvListView>(c)) {
            const int index = Ini.ReadInteger(section, kRowKey, view->ItemIndex());
            if (index >= -1 && index < view->ItemCount())
                view->SetItemIndex(index);
        } else if (auto* tree = As<vendor::TAdvTreeView>(c)) {
            const int wanted = Ini.ReadInteger(section, kRowKey, -1);
            for (int row = 0; row < tree->RowCount(); ++row)
                if (vendor::TAdvTreeViewVirtualNode* node = tree->NodeAtRow(row);
                    node->VirtualIndex == wanted)
                    tree->SelectVirtualNode(node);
        }
    }
}

std::string TGalleryWindow::RememberedText() {
    sibling::TMyMemIniFile ini("");
    lm7::ReadOrSaveComponents(this, ini, false);
    WriteOwnState(ini);
    std::string text = ini.SaveToBytes();
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);  // the file's mark is no text to show
    return text;
}

void TGalleryWindow::ShowRemembered() {
    if (auto* memo = As<TCustomMemo>(FindComponent("RememberedSettings")))
        memo->SetText(RememberedText());
}

void TGalleryWindow::NameComponents() {
    std::map<std::string, int> counts;
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (!c->Name().empty())
            continue;
        std::string base = c->ClassName().substr(1);  // TStyledListbox gives StyledListbox1, 2, ...
        std::string name;
        do
            name = base + std::to_string(++counts[base]);
        while (FindComponent(name));
        c->SetName(name);
    }
}

namespace {

// The event that first runs what was connected before, then reports.
template <class Report> TNotifyEvent Then(TNotifyEvent Before, Report Then) {
    return TNotifyEvent::Lambda([Before, Then](TObject* Sender) {
        if (Before)
            Before(Sender);
        Then();
    });
}

std::string CheckedItems(const vendor::TElCheckGroup& group) {
    std::string checked;
    for (int i = 0; i < group.Items()->Count(); ++i)
        if (group.Checked(i))
            checked += (checked.empty() ? "" : ", ") + group.Items()->Strings(i);
    return checked.empty() ? std::string("none") : checked;
}

std::string NodeText(vendor::TAdvTreeViewVirtualNode* node) {
    return node && node->Node ? node->Node->Text(0) : std::string();
}

}  // namespace

void TGalleryWindow::WatchControls() {
    for (TComponent* c : AllComponents(this)) {
        const std::string name = c->Name();
        if (auto* colours = As<lm7::TColourSharingListbox>(c)) {
            // Its rows are drawn from the colour table: the name is the one the row shows.
            colours->OnClick = Then(colours->OnClick, [this, colours, name] {
                Report(Format("%s: item %d \"%s\"",
                              {name, colours->ItemIndex(), colours->SelectedColourName()}));
            });
        } else if (auto* list = As<TCustomListBox>(c)) {
            list->OnClick = Then(list->OnClick, [this, list, name] {
                const int index = list->ItemIndex();
                Report(Format("%s: item %d \"%s\"",
                              {name, index, index >= 0 ? list->Items()->Strings(index) : ""}));
            });
            if (list->AcceptsDroppedFiles())
                list->OnDropFiles = TEvent<TObject*, const std::vector<std::string>&, TPoint>::Lambda(
                    [this, list, before = list->OnDropFiles](
                        TObject* Sender, const std::vector<std::string>& Files, TPoint At) {
                        if (before)
                            before(Sender, Files, At);
                        Report(Format("%s: \"%s\" dropped, %d items",
                                      {list->Name(), Files.front(), list->Items()->Count()}));
                    });
        } else if (auto* combo = As<lm7::TColourSharingCombo>(c)) {
            combo->OnChange = Then(combo->OnChange, [this, combo, name] {
                Report(Format("%s: %s", {name, combo->SelectedColourName()}));
            });
        } else if (auto* panel = As<lm7::TNotepadGrabPanel>(c)) {
            panel->OnStateMargins = lm7::TStateMarginsEvent::Lambda(
                [this, panel, before = panel->OnStateMargins](TObject* Sender, TRect r) {
                    if (before)
                        before(Sender, r);
                    Report(Format("%s: left %d, top %d, right %d, bottom %d",
                                  {panel->Name(), r.Left, r.Top, r.Right, r.Bottom}));
                });
        } else if (auto* tree = As<vendor::TAdvTreeView>(c)) {
            tree->OnSelectNode = Then(tree->OnSelectNode, [this, tree, name] {
                Report(Format("%s: node \"%s\"", {name, NodeText(tree->SelectedVirtualNode())}));
            });
        } else if (auto* view = As<vendor::TAdvListView>(c)) {
            view->OnSelectItem = Then(view->OnSelectItem, [this, view, name] {
                const int index = view->ItemIndex();
                Report(Format("%s: item %d \"%s\"",
                              {name, index, index >= 0 ? view->Items(index)->Caption : ""}));
            });
        } else if (auto* tabs = As<vendor::TAdvOfficeTabSet>(c)) {
            tabs->OnChange = Then(tabs->OnChange, [this, tabs, name] {
                const int index = tabs->ActiveTabIndex();
                Report(Format("%s: tab %d \"%s\"",
                              {name, index, index >= 0 ? tabs->AdvOfficeTabs()->Strings(index) : ""}));
            });
        } else if (auto* pager = As<vendor::TAdvOfficePager>(c)) {
            pager->OnChange = Then(pager->OnChange, [this, pager, name] {
                Report(Format("%s: page \"%s\"",
                              {name, pager->ActivePage() ? pager->ActivePage()->Caption() : std::string()}));
            });
        } else if (auto* checks = As<vendor::TElCheckGroup>(c)) {
            checks->OnClick = Then(checks->OnClick, [this, checks, name] {
                Report(Format("%s: checked %s", {name, CheckedItems(*checks)}));
            });
        } else if (auto* radios = As<TCustomRadioGroup>(c)) {
            radios->OnClick = Then(radios->OnClick, [this, radios, name] {
                const int index = radios->ItemIndex();
                Report(Format("%s: item %d \"%s\"",
                              {name, index, index >= 0 ? radios->Items()->Strings(index) : ""}));
            });
        } else if (auto* check = As<TButtonControl>(c)) {
            check->OnClick = Then(check->OnClick, [this, check, name] {
                Report(Format("%s: %s", {name, std::string(check->Checked() ? "checked" : "not checked")}));
            });
        } else if (auto* spin = As<vendor::TAdvSpinEdit>(c)) {
            spin->OnChange = Then(spin->OnChange, [this, spin, name] {
                Report(Format("%s: value %d", {name, spin->Value()}));
            });
        } else if (auto* picker = As<lm7::TMyOpenFolderDialog>(c)) {
            picker->OnFolderChosen = Then(picker->OnFolderChosen, [this, picker, name] {
                Report(Format("%s: \"%s\"", {name, picker->FolderOrFile()}));
            });
        } else if (auto* file = As<vendor::TElFileNameEdit>(c)) {
            file->OnChange = Then(file->OnChange, [this, file, name] {
                Report(Format("%s: \"%s\"", {name, file->Text()}));
            });
        } else if (auto* edit = As<TCustomEdit>(c); edit && !edit->ReadOnly()) {
            // Other edits tell their new text; a memo, how many lines it has. A read-only one
            // only shows what the window puts there.
            edit->OnChange = Then(edit->OnChange, [this, edit, name] {
                if (edit->Editor().MultiLine())
                    Report(Format("%s: %d lines", {name, edit->Editor().LineCount()}));
                else
                    Report(Format("%s: \"%s\"", {name, edit->DisplayText()}));
            });
        } else if (auto* typed = As<TCustomComboBox>(c); typed && typed->Style() == csDropDown) {
            typed->OnChange = Then(typed->OnChange, [this, typed, name] {
                Report(Format("%s: \"%s\"", {name, typed->Text()}));
            });
        }
    }
}

std::string TGalleryWindow::StateLine() const {
    const auto style = sibling::Global_TMSStyle;
    return Format("Style %d (%s), %d pixels per inch",
                  {static_cast<int>(style), std::string(vendor::TMSStyleName(style)), PixelsPerInch()});
}

void TGalleryWindow::SetLogFile(const std::string& FileName) {
    m_log.clear();
    AppendToFile(FileName, StateLine() + "\n");  // where the reports start from
    m_log = FileName;
}

void TGalleryWindow::Report(const std::string& Line) {
    if (m_restoring)
        return;  // what the window was left with is no news
    if (auto* status = As<TPanel>(FindComponent("StatusLine")))
        status->SetCaption(" " + Line);
    AppendToLog(Line);
    // What a control reports has changed what the window would keep.
    ShowRemembered();
}

void TGalleryWindow::AppendToLog(const std::string& Line) {
    if (m_log.empty())
        return;
    // A line at a time, for whoever follows the file. A log that can no longer be written is
    // told once and given up; the window goes on.
    try {
        AppendToFile(m_log, Line + "\n");
    } catch (const Exception& e) {
        m_log.clear();
        Application->HandleException(this, e);
    }
}

void TGalleryWindow::WMDpiChanged(TMessage& Message) {
    lm7::TTMSStylableForm::WMDpiChanged(Message);
    Report(StateLine());
}

void TGalleryWindow::WMBroadcastByShell(TMessage& Message) {
    const vendor::TTMSStyle before = sibling::Global_TMSStyle;
    lm7::TTMSStylableForm::WMBroadcastByShell(Message);
    if (sibling::Global_TMSStyle != before)
        Report(StateLine());
}

void TGalleryWindow::BeforeDestruction() {
    const int failuresBefore = Application->HandledExceptionCount();
    lm7::TTMSStylableForm::BeforeDestruction();  // saves the ini
    const std::string ini = TheIniName();
    const bool saved = Application->HandledExceptionCount() == failuresBefore;
    // Then what the walk does not keep, into the same file; not over a file the save could
    // not write.
    if (saved && !ini.empty() && FileExists(ini)) {
        try {
            sibling::TMyMemIniFile state(ini);
            WriteOwnState(state);
            state.UpdateFile();
        } catch (const Exception& E) {
            Application->HandleException(this, E);
        }
    }
    AppendToLog(ini.empty() ? std::string("Closed; nothing kept")
                : Application->HandledExceptionCount() > failuresBefore
                    ? "Closed; the state could not be kept in " + ini
                    : "Closed; state kept in " + ini);
}

std::string TGalleryWindow::TheIniName() {
    try {
        std::string folder = lm7::Get_Ini_Folder();
        if (folder.empty())
            folder = lm7::GetMyDocumentsLumoFolder();
        return IncludeTrailingPathDelimiter(folder) + "gallery.ini";
    } catch (const EIniFileException& e) {
        TellSettingsProblem(e);  // a redirection file that names no usable folder
    } catch (const EFileStreamError& e) {
        TellSettingsProblem(e);  // one that cannot be read, or a documents setting gone wrong
    } catch (const Exception&) {
        // no home folder: the gallery keeps nothing
    }
    return std::string();
}

void TGalleryWindow::TellSettingsProblem(const Exception& E) {
    // The name is asked for at every show and close; the user hears of the problem once.
    if (m_settingsProblemTold)
        return;
    m_settingsProblemTold = true;
    Application->HandleException(this, Exception(std::string(E.what()) + "; the gallery keeps nothing"));
}

}  // namespace gallery

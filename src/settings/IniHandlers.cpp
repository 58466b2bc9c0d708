#include "settings/IniHandlers.h"

#include "framework/controls/CheckBox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/RadioGroup.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Unicode.h"
#include "settings/ReadAndSaveIni.h"
#include "sibling/My_advcombou.h"
#include "sibling/My_string_functions.h"
#include "sibling/Wingenok.h"
#include "vendor/AdvControls.h"
#include "vendor/ElButtons.h"
#include "vendor/ElEdits.h"
#include "vendor/VendorCombos.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lm7 {

using namespace framework;
using namespace vendor;
using sibling::TMyMemIniFile;

namespace {

// Lists of files kept with a file-name edit, and the history of typed texts, stay short.
constexpr int kListLimit = 50;
// The longest text an ElPack spin edit takes back: the digits of 2147483646.
constexpr std::size_t kSpinTextLimit = 10;

using Handler = void (*)(TComponent*, TMyMemIniFile&, bool);

const std::string& SectionOf(const TComponent* c) { return c->Name(); }

// Sets the selection to i when it names an existing item; otherwise it stays.
template <class Control> void SetIndexWithin(Control* c, int i, int count) {
    if (i >= 0 && i < count)
        c->SetItemIndex(i);
}

// Sets the selection from "i" the same way.
template <class Control> void ReadIndex(Control* c, TMyMemIniFile& ini, int count) {
    SetIndexWithin(c, ini.ReadInteger(SectionOf(c), "i", -1), count);
}

void ListBox(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    if (!MEMINI_include_Listboxes)
        return;
    auto* box = static_cast<TCustomListBox*>(comp);
    // A virtual list box has no items of its own: its owner supplies them.
    if (box->Style() == lbVirtual || box->Style() == lbVirtualOwnerDraw)
        return;
    auto* checks = sibling::MEMINI_include_checklistbox_checkeds ? As<TCheckListBox>(comp) : nullptr;
    const std::string& section = SectionOf(comp);
    if (!reading) {
        if (checks)
            for (int i = 0; i < checks->Count(); ++i)
                checks->Items()->PutObject(i, TStrings::IntToObject(checks->Checked(i) ? 1 : 0));
        ini.WriteMultiString(section, *box->Items());
        ini.WriteInteger(section, "i", box->ItemIndex());
        return;
    }
    ini.ReadMultiString(section, *box->Items());
    if (checks)
        for (int i = 0; i < checks->Count(); ++i)
            checks->SetChecked(i, checks->Items()->Objects(i) != nullptr);
    ReadIndex(box, ini, box->Count());
}

void CheckGroup(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    auto* group = static_cast<TElCheckGroup*>(comp);
    const int count = group->Items()->Count();
    if (!reading) {
        for (int n = 0; n < count; ++n)
            ini.WriteBool(SectionOf(comp), sibling::NumberedKey("checked", n), group->Checked(n));
        return;
    }
    // One walk over the section instead of a lookup per item. As for a lookup, the first line
    // of a key counts, and an item without one is unchecked.
    enum Mark : unsigned char { kUnread, kUnchecked, kChecked };
    std::vector<Mark> marks(static_cast<std::size_t>(std::max(count, 0)), kUnread);
    auto lines = ini.SectionLines(SectionOf(comp));
    std::string_view key;
    std::optional<std::string_view> value;
    while (lines.Next(key, value))
        if (const std::size_t n = sibling::NumberedKey::NumberOf(key, "checked");
            n < marks.size() && marks[n] == kUnread)
            marks[n] = sibling::StoredBool(value, false) ? kChecked : kUnchecked;
    for (int n = 0; n < count; ++n)
        group->SetChecked(n, marks[static_cast<std::size_t>(n)] == kChecked);
}

void DatePicker(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    auto* picker = static_cast<TElDateTimePicker*>(comp);
    if (!reading) {
        ini.WriteString(SectionOf(comp), "text",
                        DateToStr(picker->DateTime(), sibling::UserDefaultFormatSettings));
        return;
    }
    TDateTime date = 0;
    if (TryStrToDate(ini.ReadString(SectionOf(comp), "text", ""), date, sibling::UserDefaultFormatSettings))
        picker->SetDateTime(date);
}

void CheckState(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    auto* button = static_cast<TButtonControl*>(comp);
    if (reading)
        button->SetChecked(ini.ReadBool(SectionOf(comp), "checked", false));
    else
        ini.WriteBool(SectionOf(comp), "checked", button->Checked());
}

void IntegerSpin(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    auto* spin = static_cast<TElSpinEdit*>(comp);
    if (reading)
        spin->SetValue(ini.ReadInteger(SectionOf(comp), "value", 0));
    else
        ini.WriteInteger(SectionOf(comp), "value", spin->Value());
}

void TmsSpin(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    auto* spin = static_cast<TAdvSpinEdit*>(comp);
    const std::string& section = SectionOf(comp);
    if (spin->SpinType() == sptFloat) {
        if (reading)
            spin->SetFloatValue(ini.ReadFloat(section, "value", 0));
        else
            ini.WriteFloat(section, "value", spin->FloatValue());
    } else if (reading) {
        spin->SetValue(ini.ReadInteger(section, "value", 0));
    } else {
        ini.WriteInteger(section, "value", spin->Value());
    }
}

void RadioGroup(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    auto* group = static_cast<TCustomRadioGroup*>(comp);
    if (reading)
        ReadIndex(group, ini, group->Items()->Count());
    else
        ini.WriteInteger(SectionOf(comp), "i", group->ItemIndex());
}

// Items, then the selection, of any combo.
void ComboItems(TCustomComboBox* combo, TMyMemIniFile& ini, bool reading) {
    const std::string& section = SectionOf(combo);
    if (reading) {
        int index = -1;
        ini.ReadMultiString(section, *combo->Items(), index);
        SetIndexWithin(combo, index, combo->Items()->Count());
    } else {
        ini.WriteMultiString(section, *combo->Items());
        ini.WriteInteger(section, "i", combo->ItemIndex());
    }
}

void ElCombo(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    auto* combo = static_cast<TElComboBox*>(comp);
    combo->SetSorted(false);
    if (!reading && combo->AutoHistory())
        combo->AutoHistoryUpdate();
    ComboItems(combo, ini, reading);
}

void FilterCombo(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    auto* combo = static_cast<sibling::TmyAdvFilterCombo*>(comp);
    if (reading) {
        ComboItems(combo, ini, true);
        if (combo->Filter().size() > 20 && combo->Items()->Count() < 2)
            combo->BuildList();
        return;
    }
    // A typed mask becomes the matching filter, or an item of its own.
    const std::string text = combo->Text();
    if (!text.empty() && text.find('.') != std::string::npos && combo->Items()->IndexOf(text) < 0) {
        bool matched = false;
        for (int i = 0; i < combo->Items()->Count() && !matched; ++i)
            if (SameText(combo->GetAFileMask(i), text)) {
                combo->SetItemIndex(i);
                matched = true;
            }
        if (!matched)
            combo->InsertLastText(text);
    }
    ComboItems(combo, ini, false);
}

void EditCombo(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    auto* combo = static_cast<TCustomComboBox*>(comp);
    if (!reading) {
        auto* fontCombo = As<TAdvCustomComboBox>(comp);
        const std::string text = fontCombo ? fontCombo->GetTextEx() : combo->Text();
        if (combo->Items()->IndexOf(text) < 0) {
            combo->Items()->Insert(0, text);
            combo->SetItemIndex(-1);  // the index pointed at the item now below the new one
            combo->SetItemIndex(0);
        }
    }
    ComboItems(combo, ini, reading);
}

// The members of the ElPack edit family that store their text differently. They are siblings
// below TCustomElEdit, so a class is one of them at most.
enum class ElEditKind { Edit, FileName, FolderName, Memo, Spin, Other };

ElEditKind KindOf(const TComponent* comp) {
    if (comp->Is<TElEdit>())
        return ElEditKind::Edit;
    if (comp->Is<TElFileNameEdit>())
        return ElEditKind::FileName;
    if (comp->Is<TElFolderNameEdit>())
        return ElEditKind::FolderName;
    if (comp->Is<TElMemo>())
        return ElEditKind::Memo;
    if (comp->Is<TElSpinEdit>() || comp->Is<TElFloatSpinEdit>())
        return ElEditKind::Spin;
    return ElEditKind::Other;
}

void ElEdit(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    auto* edit = static_cast<TCustomElEdit*>(comp);
    const ElEditKind kind = KindOf(comp);
    if (kind == ElEditKind::Memo ||
        (kind == ElEditKind::FileName &&
         (static_cast<TElFileNameEdit*>(comp)->Options() & OpenOptionBit(ofAllowMultiSelect)) != 0)) {
        ReadOrSaveMultiLine(ini, reading, comp);
        return;
    }
    const bool pathEdit =
        MEMINI_check_filenames && (kind == ElEditKind::FileName || kind == ElEditKind::FolderName);
    const bool password = kind == ElEditKind::Edit && edit->PasswordChar() == '*';
    const std::string& section = SectionOf(comp);
    if (reading) {
        // The stored text is handed on without a copy where it is used as it stands.
        std::string buffer;
        const std::string_view stored = ini.ValueView(section, "text", buffer).value_or("");
        if (password) {
            edit->SetText(sibling::FromNumStr(stored));
        } else if (kind == ElEditKind::Spin) {
            if (Utf8Length(stored) <= kSpinTextLimit)
                edit->SetText(stored);
        } else if (pathEdit) {
            edit->SetText(DecodeAppDrivePath(stored, kind == ElEditKind::FileName));
        } else {
            edit->SetText(stored);
        }
        return;
    }
    std::string buffer;
    const std::string_view text = edit->TextView(buffer);
    if (password) {
        ini.WriteString(section, "text", sibling::PwdToNumStr(text));
    } else if (pathEdit) {
        ini.WriteString(section, "text", EncodeAppDrivePath(std::string(text)));
    } else {
        ini.WriteString(section, "text", text);
    }
}

void FrameworkEdit(TComponent* comp, TMyMemIniFile& ini, bool reading) {
    if (comp->Is<TCustomRichEdit>())
        return;  // rich edits keep nothing
    if (comp->Is<TCustomMemo>()) {
        ReadOrSaveMultiLine(ini, reading, comp);
        return;
    }
    auto* edit = static_cast<TCustomEdit*>(comp);
    std::string buffer;
    if (reading)
        edit->SetText(ini.ValueView(SectionOf(comp), "text", buffer).value_or(""));
    else
        ini.WriteString(SectionOf(comp), "text", edit->TextView(buffer));
}

// A class takes the first row it inherits from.
struct Row {
    TClass (*Class)();
    Handler Handle;
};

template <class T> TClass ClassOf() { return &T::ClassInfo(); }

// The order routes subclasses: a check-list box is a list box, the filter combo comes before
// the TMS combos it derives from, an ElPack spin edit before the ElPack edits.
constexpr std::array<Row, 20> kDispatch{{
    {ClassOf<TCustomListBox>, ListBox},
    {ClassOf<TElCheckGroup>, CheckGroup},
    {ClassOf<TElDateTimePicker>, DatePicker},
    {ClassOf<TElCheckBox>, CheckState},
    {ClassOf<TAdvOfficeCheckBox>, CheckState},
    {ClassOf<TCheckBox>, CheckState},
    {ClassOf<TElSpinEdit>, IntegerSpin},
    {ClassOf<TAdvSpinEdit>, TmsSpin},
    {ClassOf<TElRadioButton>, CheckState},
    {ClassOf<TAdvOfficeRadioButton>, CheckState},
    {ClassOf<TRadioButton>, CheckState},
    {ClassOf<TElRadioGroup>, RadioGroup},
    {ClassOf<TAdvOfficeRadioGroup>, RadioGroup},
    {ClassOf<TRadioGroup>, RadioGroup},
    {ClassOf<TElComboBox>, ElCombo},
    {ClassOf<sibling::TmyAdvFilterCombo>, FilterCombo},
    {ClassOf<TAdvCustomCombo>, EditCombo},
    {ClassOf<TAdvCustomComboBox>, EditCombo},
    {ClassOf<TCustomElEdit>, ElEdit},
    {ClassOf<TCustomEdit>, FrameworkEdit},
}};

}  // namespace

bool DispatchIniHandler(TComponent* Component, TMyMemIniFile& Ini, bool Reading) {
    const TClass cls = Component->ClassType();
    for (const Row& row : kDispatch)
        if (cls->InheritsFrom(row.Class())) {
            if (!Component->Name().empty())
                row.Handle(Component, Ini, Reading);
            return true;
        }
    return false;
}

bool IsFileOrFolderEdit(const TComponent* Component) {
    return Component && (Component->Is<TElFileNameEdit>() || Component->Is<TElFolderNameEdit>());
}

bool IsMultiFileEdit(const TComponent* Component) {
    const auto* edit = Component && Component->Is<TElFileNameEdit>()
                           ? static_cast<const TElFileNameEdit*>(Component)
                           : nullptr;
    return edit && (edit->Options() & OpenOptionBit(ofAllowMultiSelect)) != 0;
}

void ReadOrSaveMultiLine(TMyMemIniFile& Ini, bool Reading, TComponent* Component) {
    const bool memo = Component->Is<TElMemo>() || Component->Is<TCustomMemo>();
    if (memo && !MEMINI_include_Memos)
        return;
    const std::string& section = SectionOf(Component);
    if (IsMultiFileEdit(Component)) {
        auto* edit = static_cast<TElFileNameEdit*>(Component);
        TStringList list;
        if (!Reading) {
            for (int i = 0; i < edit->Files()->Count(); ++i)
                list.AddObject(EncodeAppDrivePath(edit->Files()->Strings(i)), edit->Files()->Objects(i));
            Ini.WriteMultiString(section, list, kListLimit);
            Ini.WriteString(section, "text", EncodeAppDrivePath(edit->Text()));
            return;
        }
        // The stored list replaces the files: a form shown again must not list them twice.
        if (Ini.ReadMultiString(section, list)) {
            edit->Files()->BeginUpdate();
            edit->Files()->Clear();
            for (int i = 0; i < list.Count(); ++i)
                edit->Files()->AddObject(DecodeAppDrivePath(list.Strings(i), true), list.Objects(i));
            edit->Files()->EndUpdate();
        }
        edit->SetText(DecodeAppDrivePath(Ini.ReadString(section, "text", ""), true));
        return;
    }
    TStrings* lines = Component->Is<TElMemo>() ? static_cast<TElMemo*>(Component)->Lines()
                                               : static_cast<TCustomMemo*>(Component)->Lines();
    // Every line is kept: a memo's text is the user's, not a history to trim.
    if (Reading)
        Ini.ReadMultiString(section, *lines);
    else
        Ini.WriteMultiString(section, *lines);
}

}  // namespace lm7

#include "vendor/VendorCombos.h"

#include "framework/rtl/Rounding.h"

namespace vendor {

using namespace framework;

const TClassInfo& TElComboBox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TElComboBox, TCustomComboBox>("TElComboBox")
            .Bool<TElComboBox>("Sorted", &TElComboBox::Sorted, &TElComboBox::SetSorted, false)
            .Bool<TElComboBox>("AutoHistory", &TElComboBox::AutoHistory, &TElComboBox::SetAutoHistory, false);
    return info;
}

TStringList& TElComboBox::List() const { return static_cast<TStringList&>(*Items()); }

bool TElComboBox::Sorted() const { return List().Sorted(); }

void TElComboBox::SetSorted(bool Value) {
    const std::string text = Text();
    List().SetSorted(Value);
    // The selection follows its text to the place sorting gave it.
    if (ItemIndex() >= 0)
        SetItemIndex(List().IndexOf(text));
}

void TElComboBox::AutoHistoryUpdate() {
    const std::string text = Text();
    if (text.empty())
        return;
    TStringList& list = List();
    const bool sorted = list.Sorted();
    list.SetSorted(false);  // the history's order is its own
    const int at = list.IndexOf(text);
    if (at > 0)
        list.Move(at, 0);
    else if (at < 0)
        list.Insert(0, text);
    while (list.Count() > m_historyLimit)
        list.Delete(list.Count() - 1);
    list.SetSorted(sorted);
    SetItemIndex(list.IndexOf(text));
}

const TClassInfo& TAdvCustomCombo::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TAdvCustomCombo, TCustomComboBox>("TAdvCustomCombo");
    return info;
}

const TClassInfo& TAdvCustomComboBox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvCustomComboBox, TCustomComboBox>("TAdvCustomComboBox");
    return info;
}

}  // namespace vendor

namespace vendor {

void TAdvCustomComboBox::CorrectForScreenResolucao(float Scale) {
    SetItemHeight(static_cast<int>(framework::RoundHalfEven(16 * static_cast<double>(Scale))));
}

}  // namespace vendor

#pragma once
// Combo boxes of the two vendor packs: the ElPack combo with its sorting switch and typed-text
// history, the TMS edit combo, and the TMS combo of the font-combo module.

#include "framework/classes/StringList.h"
#include "framework/controls/ComboBox.h"

namespace vendor {

class TElComboBox : public framework::TCustomComboBox {
public:
    using framework::TCustomComboBox::TCustomComboBox;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    bool Sorted() const;
    void SetSorted(bool Value);
    // With AutoHistory on, AutoHistoryUpdate keeps the typed text as the first item.
    bool AutoHistory() const { return m_autoHistory; }
    void SetAutoHistory(bool Value) { m_autoHistory = Value; }
    // The current text moves to (or is added as) the first item, which is selected; the list
    // keeps at most HistoryLimit items. Empty text changes nothing.
    void AutoHistoryUpdate();
    int HistoryLimit() const { return m_historyLimit; }
    void SetHistoryLimit(int Value) { m_historyLimit = Value < 1 ? 1 : Value; }

private:
    framework::TStringList& List() const;
    bool m_autoHistory = false;
    int m_historyLimit = 50;
};

// The TMS combo whose text the user may type.
class TAdvCustomCombo : public framework::TCustomComboBox {
public:
    using framework::TCustomComboBox::TCustomComboBox;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

// The combo of the TMS font-combo module; its text is read through GetTextEx.
class TAdvCustomComboBox : public framework::TCustomComboBox {
public:
    using framework::TCustomComboBox::TCustomComboBox;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    std::string GetTextEx() const { return Text(); }
    // The item height of the design (16 pixels at 96 pixels per inch) times Scale; the combo's
    // height follows its item height.
    void CorrectForScreenResolucao(float Scale);
};

}  // namespace vendor

#pragma once
// TmyAdvFilterCombo: the suite's combo of file-dialog filters. Its Filter holds
// "description|mask|description|mask..." pairs; BuildList lists the descriptions, and masks
// the user typed are kept as items of their own.

#include "vendor/VendorCombos.h"

#include <string>

namespace sibling {

class TmyAdvFilterCombo : public vendor::TAdvCustomCombo {
public:
    using vendor::TAdvCustomCombo::TAdvCustomCombo;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    const std::string& Filter() const { return m_filter; }
    void SetFilter(const std::string& Value) { m_filter = Value; }

    // Replaces the items with the filter's descriptions and selects the first.
    void BuildList();
    // The mask of item Index: the filter's mask for a description, else the item itself (a
    // mask the user typed). Empty for an index outside the items.
    std::string GetAFileMask(int Index) const;
    // Adds a typed mask as the first item and selects it.
    void InsertLastText(const std::string& Text);

private:
    std::string m_filter;
};

}  // namespace sibling

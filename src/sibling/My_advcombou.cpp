#include "sibling/My_advcombou.h"

#include <vector>

namespace sibling {

using namespace framework;

namespace {

std::vector<std::string> SplitBars(const std::string& s) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = s.find('|', start);
        parts.push_back(s.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            return parts;
        start = bar + 1;
    }
}

}  // namespace

const TClassInfo& TmyAdvFilterCombo::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TmyAdvFilterCombo, vendor::TAdvCustomCombo>("TmyAdvFilterCombo")
            .String<TmyAdvFilterCombo>("Filter", &TmyAdvFilterCombo::Filter, &TmyAdvFilterCombo::SetFilter);
    return info;
}

void TmyAdvFilterCombo::BuildList() {
    const std::vector<std::string> parts = SplitBars(m_filter);
    Items()->BeginUpdate();
    Items()->Clear();
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        Items()->Add(parts[i]);
    Items()->EndUpdate();
    SetItemIndex(Items()->Count() > 0 ? 0 : -1);
}

std::string TmyAdvFilterCombo::GetAFileMask(int Index) const {
    if (Index < 0 || Index >= Items()->Count())
        return {};
    const std::string item = Items()->Strings(Index);
    const std::vector<std::string> parts = SplitBars(m_filter);
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        if (parts[i] == item)
            return parts[i + 1];
    return item;
}

void TmyAdvFilterCombo::InsertLastText(const std::string& Text) {
    Items()->Insert(0, Text);
    SetItemIndex(-1);  // the old index now points at the item below the new one
    SetItemIndex(0);
}

}  // namespace sibling

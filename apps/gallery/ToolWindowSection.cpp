// The pieces a tool window is built from, laid out in the gallery's description: the suite's
// pager with a page of word counts, and on it the controls whose sizes follow the screen
// resolution and whose colours follow the window's style (tab set, office check boxes, progress
// bar, smooth button, a string grid). Here they get what a description cannot hold: values,
// cells and the master image lists.

#include "GallerySection.h"

#include <cctype>

#include "controls/StyledListbox.h"
#include "forms/My_TMSAdvOfficePagerU.h"
#include "framework/controls/DropFiles.h"
#include "framework/controls/Grids.h"
#include "framework/rtl/Exceptions.h"
#include "imaging/tool_imagelist_master.h"
#include "vendor/AdvSmoothButton.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <vector>

using namespace framework;

namespace {

template <class T> T& Find(TWinControl& area, const char* name) {
    auto* found = As<T>(area.Owner()->FindComponent(name));
    if (!found)
        throw EComponentError(std::string("The gallery's layout has no ") + name);
    return *found;
}

// The words of a text file with how often each occurs, the most frequent first; letters (and
// every byte of a non-ASCII character) make words, ASCII letters are taken in lower case. False,
// with Words untouched, when the file cannot be read.
bool CountWords(const std::string& FileName, TStrings& Words) {
    std::ifstream in(FileName, std::ios::binary);
    if (!in)
        return false;
    std::map<std::string, int> counts;
    std::string word;
    for (char c; in.get(c);) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 || std::isalpha(b)) {
            word += static_cast<char>(b < 0x80 ? std::tolower(b) : b);
        } else if (!word.empty()) {
            ++counts[word];
            word.clear();
        }
    }
    if (!word.empty())
        ++counts[word];
    if (in.bad())
        return false;
    std::vector<std::pair<std::string, int>> sorted(counts.begin(), counts.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return a.second > b.second; });
    Words.BeginUpdate();
    Words.Clear();
    for (const auto& [w, n] : sorted)
        Words.AddObject(w, TStrings::IntToObject(n));
    Words.EndUpdate();
    return true;
}

void Build(TWinControl& area) {
    Find<lm7::TLMAdvOfficePager>(area, "Pager").SetImages(lm7::ImageLists[sibling::id16]);

    auto& words = Find<lm7::TStyledListboxOwnerDrawnFixed>(area, "WordList");
    words.SetShowValues(true);
    words.Items()->AddObject("whale", TStrings::IntToObject(1226));
    words.Items()->AddObject("sea", TStrings::IntToObject(455));
    words.Items()->AddObject("ship", TStrings::IntToObject(438));
    words.Items()->AddObject("captain", TStrings::IntToObject(329));
    words.SetItemIndex(0);
    // A text file dropped on the list from the desktop is counted into it.
    DragAcceptFiles(&words, true);
    words.OnDropFiles = TEvent<TObject*, const std::vector<std::string>&, TPoint>::Lambda(
        [&words](TObject*, const std::vector<std::string>& Files, TPoint) {
            if (CountWords(Files.front(), *words.Items()))
                words.SetItemIndex(words.Items()->Count() > 0 ? 0 : -1);
        });

    auto& grid = Find<TStringGrid>(area, "Concordance");
    const char* cells[4][3] = {
        {"Node", "Left", "Right"}, {"whale", "the", "of"}, {"sea", "the", "and"}, {"ship", "a", "was"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetCells(c, r, cells[r][c]);

    Find<vendor::TAdvSmoothButton>(area, "SearchButton").SetImages(lm7::ImageLists[sibling::id20]);
}

const bool registered = gallery::RegisterGallerySection({"AreaToolWindow", Build});

}  // namespace

// A styled tree of word counts in the dark style with its text as AllStringsOfTreeview gives it,
// and a styled list view of the same words in the blue style.

#include "GallerySection.h"

#include "controls/StyledViews.h"
#include "framework/controls/Edits.h"
#include "sibling/My_tmsstylebase.h"

using namespace framework;

namespace {

struct Word {
    const char* Text;
    const char* Count;
    std::vector<Word> Forms;
};

const std::vector<Word>& Words() {
    static const std::vector<Word> words{
        {"read", "412", {{"reads", "120", {}}, {"reading", "231", {{"readings", "17", {}}}}}},
        {"write", "388", {{"wrote", "96", {}}, {"written", "143", {}}}},
        {"corpus", "57", {}},
    };
    return words;
}

void AddNodes(vendor::TAdvTreeView& tree, vendor::TAdvTreeViewNode* parent, const std::vector<Word>& words) {
    for (const Word& word : words) {
        vendor::TAdvTreeViewNode* node = parent ? parent->AddChild() : tree.AddNode();
        node->SetText(0, word.Text);
        node->SetText(1, word.Count);
        node->SetExpanded(true);
        AddNodes(tree, node, word.Forms);
    }
}

// The texts are the nodes' own; a caller of AllStringsOfTreeview always passes a callback.
void NodeText(TObject*, vendor::TAdvTreeViewVirtualNode* node, int column, vendor::TAdvTreeViewNodeTextMode,
              std::string& text) {
    text = node->Node ? node->Node->Text(column) : std::string();
}

void Build(TWinControl& area) {
    const vendor::TTMSStyle kept = sibling::Global_TMSStyle;
    sibling::Global_TMSStyle = vendor::tsDark;

    auto* tree = Create<lm7::TMyAdvTreeView>(area.Owner());
    tree->SetBounds(8, 8, 220, 170);
    tree->SetParent(&area);
    tree->AddColumn("Word", 130);
    tree->AddColumn("Count", 70);
    AddNodes(*tree, nullptr, Words());
    tree->SelectVirtualNode(tree->NodeAtRow(2));
    tree->SetComponentStyle(vendor::tsDark);

    auto* text = Create<TMemo>(area.Owner());
    text->SetBounds(8, 186, 220, 96);
    text->SetParent(&area);
    // Tabs shown as arrows: the memo has no tab stops.
    std::string all =
        tree->AllStringsOfTreeview(tree, vendor::TAdvTreeViewGetNodeTextEvent::Lambda(&NodeText));
    for (std::size_t tab = all.find('\t'); tab != std::string::npos; tab = all.find('\t', tab))
        all.replace(tab, 1, " \u2192 ");
    text->SetText(all);

    auto* list = Create<lm7::TMyAdvListView>(area.Owner());
    list->SetBounds(240, 8, 222, 274);
    list->SetParent(&area);
    list->AddColumn("Word", 130);
    list->AddColumn("Count", 70)->Alignment = taRightJustify;
    for (const Word& word : Words()) {
        list->AddItem(word.Text)->SubItems.push_back(word.Count);
        for (const Word& form : word.Forms)
            list->AddItem(form.Text)->SubItems.push_back(form.Count);
    }
    list->SetItemIndex(1);
    // The list view's background is always the window colour: a light style suits it.
    sibling::Global_TMSStyle = vendor::tsBlue;
    list->SetComponentStyle(vendor::tsBlue);

    sibling::Global_TMSStyle = kept;
}

const bool registered = gallery::RegisterGallerySection({"AreaStyledViews", Build});

}  // namespace

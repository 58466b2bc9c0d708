#include "controls/StyledViews.h"

#include "framework/rtl/Format.h"
#include "framework/rtl/Rounding.h"
#include "sibling/My_string_functions.h"
#include "sibling/My_tmsstylebase.h"
#include "sibling/Tms_utils.h"
#include "sibling/Tool_image_basics.h"

using namespace framework;
using namespace vendor;

namespace lm7 {

const TClassInfo& TMyAdvTreeView::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMyAdvTreeView, TAdvTreeView>("TMyAdvTreeView");
    return info;
}

void TMyAdvTreeView::SetComponentStyle(TTMSStyle) {
    using namespace sibling;
    const TTMSStyle style = Global_TMSStyle;
    SetBorderColor(GetABaseTMSGradientBackgroundDarkColour(style));
    // This tree keeps no outline colour apart from its border: its pens follow the border.
    Stroke().Color = BorderColor();
    SetColor(GetABaseTMSBackgroundColour(style));
    TAdvTreeViewColumnsAppearance& columns = ColumnsAppearance();
    columns.Fill.StartColor = GetABaseTMSGradientBackgroundDarkColour(style);
    columns.Fill.EndColor = GetABaseTMSGradientBackgroundLightColour(style);
    columns.Fill.Color = GetABaseTMSBackgroundColour(style);
    SetScrollBarColors(GetABaseTMSScrollBarColours(style));
    columns.TopFontColor = GetABaseTMSTextColour(style);
    TAdvTreeViewNodesAppearance& nodes = NodesAppearance();
    nodes.FontColor = GetABaseTMSTextColour(style);
    nodes.SelectedFontColor = GetABaseTMSHighlightedTextColour(style);
    nodes.SelectedFill.Color = GetABaseTMSHighlightBackgroundColour(style);
    nodes.SelectedStroke.Color = Stroke().Color;
    Invalidate();
}

std::string TMyAdvTreeView::AllStringsOfTreeview(TAdvTreeView* Source, TAdvTreeViewGetNodeTextEvent GetText) {
    static constexpr std::string_view kLineBreak = "\r\n";
    std::string result;
    // One text variable for the whole walk: the callback finds the previous text in it.
    std::string text;
    std::string line;
    // Every column keeps its cell, an untitled one too, so the header stays over its column.
    for (int c = 0; c < Source->ColumnCount(); ++c) {
        text = Source->Columns(c)->Text;
        if (c > 0)
            line += '\t';
        line += text;
    }
    result += line;
    result += kLineBreak;
    int numbered = 0;
    for (TAdvTreeViewVirtualNode* node = Source->GetFirstRootVirtualNode(); node;
         node = Source->GetNextVirtualNode(node)) {
        line = node->ParentNode == nullptr ? Format("%d", {++numbered}) : std::string(" ");
        for (int c = 0; c < Source->ColumnCount(); ++c) {
            // Without a callback the export still gives the tree's shape, with empty cells.
            if (GetText)
                GetText(this, node, c, tmDrawing, text);
            else
                text.clear();
            line += '\t';
            line += text;
        }
        result += line;
        result += kLineBreak;
    }
    return result;
}

const TClassInfo& TMyAdvListView::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMyAdvListView, TAdvListView>("TMyAdvListView");
    return info;
}

void TMyAdvListView::SetComponentStyle(TTMSStyle) {
    using namespace sibling;
    const TTMSStyle style = Global_TMSStyle;
    SetOwnerDraw(true);
    SetHeaderOwnerDraw(true);
    SetHeaderColor(GetABaseTMSScrollDarkBackgroundColour(style));
    HeaderFont()->SetColor(GetABaseTMSScrollTextColour(style));
    SetScrollBarColors(GetABaseTMSScrollBarColours(style));
    Font()->SetColor(GetABaseTMSTextColour(style));
    SetColor(clWindow);
    SetSelectionColor(GetABaseTMSHighlightBackgroundColour(style));
    SetSelectionTextColor(GetABaseTMSHighlightedTextColour(style));
    SetItemHeight(static_cast<int>(RoundHalfEven(GlobalImageHeight * 0.9)));
    Invalidate();
}

}  // namespace lm7

#pragma once
// The vendor tree view and list view recoloured from the suite's current style, and the
// tree view's rendering of a whole tree as tab-separated text.

#include "vendor/AdvListView.h"
#include "vendor/AdvTreeView.h"
#include "vendor/Advstyleif.h"

#include <string>

namespace lm7 {

class TMyAdvTreeView : public vendor::TAdvTreeView, public vendor::ITMSStyle {
public:
    using vendor::TAdvTreeView::TAdvTreeView;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    // Takes the colours of the current Global_TMSStyle; the argument is not used, as callers
    // set the global before they apply a style.
    void SetComponentStyle(vendor::TTMSStyle AStyle) override;

    // The source tree as text: a header line of the column texts joined by tabs, then one line
    // per node in depth-first order, each a number cell (1, 2, ... for top-level nodes, a space
    // for the others) and the callback's text for every column (empty cells without a callback),
    // all tab-separated; an untitled column keeps its empty cell in the header; every line
    // ends with CR LF. The callback sees this tree as its sender.
    std::string AllStringsOfTreeview(vendor::TAdvTreeView* Source,
                                     vendor::TAdvTreeViewGetNodeTextEvent GetText);
};

class TMyAdvListView : public vendor::TAdvListView, public vendor::ITMSStyle {
public:
    using vendor::TAdvListView::TAdvListView;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    // Owner drawing on, the header and selection in the current Global_TMSStyle's colours, the
    // background always the system window colour, and rows 0.9 of the toolbar image height.
    void SetComponentStyle(vendor::TTMSStyle AStyle) override;
};

}  // namespace lm7

#include "framework/controls/DropFiles.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Panel.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace framework;
using namespace testsupport;

namespace {

struct DroppedFiles : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    TPanel* panel = Create<TPanel>(form.get());
    TEdit* edit = Create<TEdit>(form.get());
    std::vector<std::string> got;
    TPoint at{-1, -1};
    TObject* sender = nullptr;
    void SetUp() override {
        panel->SetParent(form.get());
        panel->SetBounds(50, 40, 200, 120);
        edit->SetParent(panel);
        edit->SetBounds(10, 20, 100, 22);
        panel->OnDropFiles = TEvent<TObject*, const std::vector<std::string>&, TPoint>::Lambda(
            [this](TObject* s, const std::vector<std::string>& files, TPoint p) {
                sender = s;
                got = files;
                at = p;
            });
    }
};

}  // namespace

TEST_F(DroppedFiles, ReachTheNearestWindowThatTakesThemWithTheirNamesAsGiven) {
    // Only the panel takes files: a drop on its edit goes to it, at the panel's point.
    DragAcceptFiles(panel, true);
    const std::vector<std::string> names{"/tmp/with space.txt", "/tmp/naïve ☃ 日本.txt",
                                         "/tmp/\xff\xfe latin1 \xe9.txt", "/tmp/%20 not an escape", ""};
    const TPoint inEdit{50 + panel->ClientInset() + 10 + 5, 40 + panel->ClientInset() + 20 + 5};
    ASSERT_TRUE(DropFilesOnto(*form, inEdit.X, inEdit.Y, names));
    EXPECT_EQ(sender, panel);
    EXPECT_EQ(got, names);
    EXPECT_EQ(at, (TPoint{15, 25}));
    // Beside the panel nothing takes them.
    got.clear();
    EXPECT_FALSE(DropFilesOnto(*form, 5, 5, names));
    EXPECT_TRUE(got.empty());
    // The edit taking them itself comes first.
    DragAcceptFiles(edit, true);
    TObject* editGot = nullptr;
    edit->OnDropFiles = TEvent<TObject*, const std::vector<std::string>&, TPoint>::Lambda(
        [&](TObject* s, const std::vector<std::string>&, TPoint) { editGot = s; });
    ASSERT_TRUE(DropFilesOnto(*form, inEdit.X, inEdit.Y, names));
    EXPECT_EQ(editGot, edit);
    EXPECT_TRUE(got.empty());
}

TEST_F(DroppedFiles, TenThousandFilesArriveWholeAndInOrder) {
    DragAcceptFiles(form.get(), true);
    DragAcceptFiles(panel, true);
    std::vector<std::string> names;
    for (int i = 0; i < 10000; ++i)
        names.push_back("/corpus/part " + std::to_string(i) + ".txt");
    ASSERT_TRUE(DropFilesOnto(*form, 100, 100, names));
    ASSERT_EQ(got.size(), names.size());
    EXPECT_EQ(got.front(), names.front());
    EXPECT_EQ(got.back(), names.back());
    // No files is no drop.
    got.clear();
    EXPECT_FALSE(DropFilesOnto(*form, 100, 100, {}));
    EXPECT_TRUE(got.empty());
}

TEST_F(DroppedFiles, AHandleIsGoodOnlyWhileItsMessageIsHandled) {
    DragAcceptFiles(panel, true);
    HDROP kept = 0;
    unsigned count = 0, pastEnd = 99;
    std::string second;
    panel->OnDropFiles = {};
    struct TProbe : TPanel {
        using TPanel::TPanel;
        std::function<void(TMessage&)> seen;
        void WndProc(TMessage& Message) override {
            if (Message.Msg == WM_DROPFILES && seen)
                seen(Message);
            TPanel::WndProc(Message);
        }
    };
    auto* probe = Create<TProbe>(form.get());
    probe->SetParent(form.get());
    probe->SetBounds(0, 170, 300, 30);
    DragAcceptFiles(probe, true);
    probe->seen = [&](TMessage& m) {
        kept = static_cast<HDROP>(m.WParam);
        count = DragQueryFile(kept, 0xFFFFFFFFu, nullptr);
        DragQueryFile(kept, 1, &second);
        pastEnd = DragQueryFile(kept, 2, &second);
    };
    ASSERT_TRUE(DropFilesOnto(*form, 10, 180, {"a", "bb"}));
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(second, "bb");
    EXPECT_EQ(pastEnd, 0u);
    TPoint p;
    EXPECT_EQ(DragQueryFile(kept, 0xFFFFFFFFu, nullptr), 0u);
    EXPECT_FALSE(DragQueryPoint(kept, p));
    EXPECT_EQ(DragQueryFile(12345, 0, nullptr), 0u);
}

#include "vendor/ElEdits.h"

#include "framework/platform/FakePlatform.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace framework;
using namespace vendor;
using namespace testsupport;

namespace {

// The browse edits on a form, with the desktop's chooser scripted.
struct BrowseEdits : ::testing::Test {
    platform::FakePlatform fake;
    platform::ScopedPlatform scope{fake};
    platform::ScriptedFileChooser& chooser = fake.Chooser();
    FormPtr form = MakeForm(240, 80);
    std::vector<std::string> changes;

    template <class T> T* Place() {
        T* c = Create<T>(form.get());
        c->SetBounds(10, 10, 200, 22);
        c->SetParent(form.get());
        c->OnChange = TNotifyEvent::Lambda([this, c](TObject*) { changes.push_back(c->Text()); });
        return c;
    }
    // Mouse down and up at a point of the edit, through the form.
    void ClickIn(TCustomElButtonEdit* edit, int x) {
        const int inset = edit->ClientInset();
        ClickAt(*form, edit->Left() + inset + x, edit->Top() + inset + edit->ClientHeight() / 2);
    }
    void ClickButton(TCustomElButtonEdit* edit) {
        const TRect button = edit->ButtonRect();
        ClickIn(edit, button.Left + button.Width() / 2);
    }
};

}  // namespace

TEST_F(BrowseEdits, TheFileEditsButtonOpensTheChooserAtItsTextAndTakesTheChoice) {
    auto* edit = Place<TElFileNameEdit>();
    edit->SetText("/corpus/moby.txt");
    changes.clear();
    ClickIn(edit, 20);  // the text, not the button
    EXPECT_TRUE(chooser.Requests().empty());

    chooser.AnswerWith({"/corpus/emma.txt"});
    ClickButton(edit);
    ASSERT_EQ(chooser.Requests().size(), 1u);
    const platform::FileChooserRequest& asked = chooser.Requests()[0];
    EXPECT_FALSE(asked.PickFolders);
    EXPECT_FALSE(asked.Save);
    EXPECT_FALSE(asked.MultiSelect);
    EXPECT_EQ(asked.StartFolder, "/corpus/");
    EXPECT_EQ(asked.FileName, "/corpus/moby.txt");
    EXPECT_EQ(edit->Text(), "/corpus/emma.txt");
    EXPECT_EQ(changes, std::vector<std::string>{"/corpus/emma.txt"});

    // A cancel keeps the text; InitialDir, where set, is where the chooser starts.
    edit->SetInitialDir("/texts");
    chooser.AnswerCancel();
    ClickButton(edit);
    ASSERT_EQ(chooser.Requests().size(), 2u);
    EXPECT_EQ(chooser.Requests()[1].StartFolder, "/texts");
    EXPECT_EQ(edit->Text(), "/corpus/emma.txt");
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(BrowseEdits, SeveralFilesChosenAreKeptInFiles) {
    auto* edit = Place<TElFileNameEdit>();
    edit->SetOptions(OpenOptionBit(ofHideReadOnly) | OpenOptionBit(ofAllowMultiSelect));
    chooser.AnswerWith({"/a.txt", "/b.txt"});
    ClickButton(edit);
    ASSERT_EQ(chooser.Requests().size(), 1u);
    EXPECT_TRUE(chooser.Requests()[0].MultiSelect);
    EXPECT_EQ(edit->Text(), "/a.txt");
    EXPECT_EQ(edit->Files()->Text(), "/a.txt\n/b.txt\n");
}

TEST_F(BrowseEdits, AChooserThatCannotOpenIsToldAndChangesNothing) {
    auto* edit = Place<TElFileNameEdit>();
    edit->SetText("/kept.txt");
    changes.clear();
    chooser.AnswerError("No file chooser could be shown");
    ClickButton(edit);
    ASSERT_EQ(chooser.Messages().size(), 1u);
    EXPECT_EQ(chooser.Messages()[0].Text, "No file chooser could be shown");
    EXPECT_EQ(edit->Text(), "/kept.txt");
    EXPECT_TRUE(changes.empty());
}

TEST_F(BrowseEdits, TheFolderEditsButtonPicksAFolder) {
    TempFolder tmp;
    const std::string novels = tmp.MakeFolder("novels");
    auto* edit = Place<TElFolderNameEdit>();
    edit->SetText(tmp.Path(""));
    chooser.AnswerWith({novels});
    ClickButton(edit);
    ASSERT_EQ(chooser.Requests().size(), 1u);
    EXPECT_TRUE(chooser.Requests()[0].PickFolders);
    EXPECT_EQ(chooser.Requests()[0].StartFolder, tmp.Path(""));
    EXPECT_EQ(edit->Text(), novels);
}

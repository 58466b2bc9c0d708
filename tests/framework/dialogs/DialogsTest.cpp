#include "framework/dialogs/Dialogs.h"

#include "framework/forms/Application.h"
#include "framework/platform/FakePlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace framework;
using platform::FileChooserRequest;
using platform::FileFilter;

namespace {

class DialogFixture : public ::testing::Test {
protected:
    platform::FakePlatform fake;
    platform::ScopedPlatform scope{fake};
    platform::ScriptedFileChooser& chooser = fake.Chooser();
    testsupport::TempFolder temp;
};

template <class T> std::unique_ptr<T, TFreeDeleter> Make() {
    return std::unique_ptr<T, TFreeDeleter>(Create<T>(nullptr));
}

}  // namespace

TEST(FilterText, PairsOfTextAndMasksWithATrailingBarOrWithout) {
    EXPECT_EQ(
        ParseFilter("Text files (*.txt)|*.txt|Web (*.htm)|*.htm; *.html|"),
        (std::vector<FileFilter>{{"Text files (*.txt)", {"*.txt"}}, {"Web (*.htm)", {"*.htm", "*.html"}}}));
    EXPECT_EQ(ParseFilter("All|*.*"), (std::vector<FileFilter>{{"All", {"*.*"}}}));
    EXPECT_EQ(ParseFilter("Alone"), std::vector<FileFilter>{});
    EXPECT_EQ(ParseFilter(""), std::vector<FileFilter>{});
    EXPECT_EQ(ParseFilter("Empty||"), (std::vector<FileFilter>{{"Empty", {}}}));
}

TEST_F(DialogFixture, OpenDialogPassesItsSettingsAndTakesTheAnswer) {
    auto dialog = Make<TOpenDialog>();
    dialog->SetTitle("Open a list");
    dialog->SetFilter("Lists (*.frq)|*.frq|All files (*.*)|*.*|");
    dialog->SetFilterIndex(2);
    dialog->SetInitialDir("/lists");
    dialog->SetFileName("old.frq");
    dialog->SetOptions(dialog->Options() | OpenOptionBit(ofAllowMultiSelect));
    const std::string a = temp.Write("a b.frq", ""), b = temp.Write("ç.frq", "");
    chooser.AnswerWith({a, b});
    ASSERT_TRUE(dialog->Execute());
    const FileChooserRequest& asked = chooser.Requests().at(0);
    EXPECT_EQ(asked.Title, "Open a list");
    EXPECT_EQ(asked.Filters, ParseFilter(dialog->Filter()));
    EXPECT_EQ(asked.CurrentFilter, 1);
    EXPECT_EQ(asked.StartFolder, "/lists");
    EXPECT_EQ(asked.FileName, "old.frq");
    EXPECT_TRUE(asked.MultiSelect);
    EXPECT_FALSE(asked.Save);
    EXPECT_EQ(dialog->FileName(), a);
    EXPECT_EQ(dialog->Files()->Count(), 2);
    EXPECT_EQ(dialog->Files()->Strings(1), b);

    chooser.AnswerCancel();
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), a);
}

TEST_F(DialogFixture, DefaultExtensionIsAddedWhenSavingAndWhenOpeningOnlyIfThatFileExists) {
    auto save = Make<TSaveDialog>();
    save->SetDefaultExt("txt");
    save->SetOptions(OpenOptionBit(ofOverwritePrompt) | OpenOptionBit(ofAllowMultiSelect));
    chooser.AnswerWith({temp.Path("report")});
    ASSERT_TRUE(save->Execute());
    EXPECT_EQ(save->FileName(), temp.Path("report.txt"));
    EXPECT_TRUE(chooser.Requests().at(0).Save);
    EXPECT_TRUE(chooser.Requests().at(0).ConfirmOverwrite);
    EXPECT_FALSE(chooser.Requests().at(0).MultiSelect);  // one name is saved
    chooser.AnswerWith({temp.Path("a.csv")});
    ASSERT_TRUE(save->Execute());
    EXPECT_EQ(save->FileName(), temp.Path("a.csv"));

    auto open = Make<TOpenDialog>();
    open->SetDefaultExt("txt");
    temp.Write("notes.txt", "");
    chooser.AnswerWith({temp.Path("notes")});
    ASSERT_TRUE(open->Execute());
    EXPECT_EQ(open->FileName(), temp.Path("notes.txt"));
    chooser.AnswerWith({temp.Path("other")});
    ASSERT_TRUE(open->Execute());
    EXPECT_EQ(open->FileName(), temp.Path("other"));
}

TEST_F(DialogFixture, NewStyleDialogSplitsMasksAndLeavesFiltersOutForFolders) {
    auto dialog = Make<TFileOpenDialog>();
    dialog->FileTypes().Add() = {"Text", "*.txt"};
    dialog->FileTypes().Add() = {"Web", "*.htm;*.html"};
    dialog->SetFileTypeIndex(2);
    dialog->SetDefaultFolder("/d");
    dialog->SetOkButtonLabel("Go");
    const std::string file = temp.Write("page.htm", "");
    chooser.AnswerWith({file});
    ASSERT_TRUE(dialog->Execute());
    const FileChooserRequest& asked = chooser.Requests().at(0);
    EXPECT_EQ(asked.Filters, (std::vector<FileFilter>{{"Text", {"*.txt"}}, {"Web", {"*.htm", "*.html"}}}));
    EXPECT_EQ(asked.CurrentFilter, 1);
    EXPECT_EQ(asked.OkLabel, "Go");
    EXPECT_EQ(asked.StartFolder, "/d");
    EXPECT_EQ(dialog->FileName(), file);

    dialog->SetOptions(FileDialogOptionBit(fdoPickFolders) | FileDialogOptionBit(fdoAllowMultiSelect));
    chooser.AnswerWith({temp.Root()});
    ASSERT_TRUE(dialog->Execute());
    EXPECT_TRUE(chooser.Requests().at(1).PickFolders);
    EXPECT_TRUE(chooser.Requests().at(1).Filters.empty());
}

TEST_F(DialogFixture, FolderBrowserTakesMissingFoldersOnlyWhenAllowed) {
    const std::string missing = temp.Path("new");
    std::string dir = temp.Root();
    chooser.AnswerWith({missing});
    EXPECT_FALSE(SelectDirectory(dir, 0, 0));
    EXPECT_EQ(dir, temp.Root());
    chooser.AnswerWith({missing});
    EXPECT_TRUE(SelectDirectory(dir, SelectDirOptBit(sdAllowCreate), 0));
    EXPECT_EQ(dir, missing);
    EXPECT_FALSE(temp.Exists("new"));  // allowed, not created
    chooser.AnswerWith({missing});
    EXPECT_TRUE(SelectDirectory(dir, SelectDirOptBit(sdAllowCreate) | SelectDirOptBit(sdPerformCreate), 0));
    EXPECT_TRUE(temp.Exists("new"));
    EXPECT_TRUE(chooser.Questions().empty());  // without sdPrompt nobody is asked
    EXPECT_EQ(chooser.Requests().at(0).StartFolder, temp.Root());
    EXPECT_TRUE(chooser.Requests().at(0).PickFolders);
}

TEST_F(DialogFixture, ShowMessageCarriesTheApplicationsTitle) {
    const std::string before = Application->Title();
    Application->SetTitle("Gallery");
    ShowMessage("Something went wrong");
    Application->SetTitle(before);
    ASSERT_EQ(chooser.Messages().size(), 1u);
    EXPECT_EQ(chooser.Messages()[0].Title, "Gallery");
    EXPECT_EQ(chooser.Messages()[0].Text, "Something went wrong");
}

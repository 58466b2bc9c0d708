#include "dialogs/dialog_stuff.h"

#include "dialogs/FileFolderOpenDlgU.h"
#include "framework/controls/Frames.h"
#include "framework/controls/Panel.h"
#include "sibling/Forceviewsavefiledialog.h"
#include "sibling/My_types_mini.h"
#include "support/FormFixture.h"
#include "vendor/ElEdits.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace lm7;
using namespace sibling;

namespace {

constexpr std::string_view kTextToolFilter =
    "Text files (*.txt)|*.txt|SRT files (*.??_srt)|*.??_srt|Unaligned files (*.VWR)|*.VWR|"
    "Aligned files (*.ALI)|*.ALI|All files (*.*)|*.*|";

template <class T> using Owned = std::unique_ptr<T, TFreeDeleter>;

// Sets the running tool for one test.
class RunningTool {
public:
    explicit RunningTool(tool_type tool) : m_previous(current_tool_var) { current_tool_var = tool; }
    ~RunningTool() { current_tool_var = m_previous; }

private:
    tool_type m_previous;
};

}  // namespace

TEST(ToolFilters, ToolFilesAndSaveableListsGatheredThenEachListThenBatchTextAll) {
    EXPECT_EQ(
        SuitableFilterForTool(tt_contexts),
        "Context tool (*.ctx;*.ccl;*.cpt;*.ccs)|*.ctx;*.ccl;*.cpt;*.ccs|"
        "Context collocates (*.ccl)|*.ccl|Context patterns (*.cpt)|*.cpt|Context clusters (*.ccs)|*.ccs|"
        "Batch files (*.zip*)|*.ZIP*|Text files (*.txt)|*.txt|All files (*.*)|*.*|");
}

TEST(ToolFilters, ASharedExtensionGivesOneMaskAndOneEntryAndTheToolsOwnNone) {
    // Two consistency kinds share ".dcn"; the frequency list has the tool's own ".frq".
    EXPECT_EQ(SuitableFilterForTool(tt_frequencies),
              "Frequency tool "
              "(*.frq;*.fst;*.fix;*.dcn;*.stp;*.mtl;*.rfq)|*.frq;*.fst;*.fix;*.dcn;*.stp;*.mtl;*.rfq|"
              "Frequency statistics (*.fst)|*.fst|Frequency index (*.fix)|*.fix|"
              "Detailed consistency (*.dcn)|*.dcn|Stop list (*.stp)|*.stp|Match list (*.mtl)|*.mtl|"
              "Reference frequencies (*.rfq)|*.rfq|"
              "Batch files (*.zip*)|*.ZIP*|Text files (*.txt)|*.txt|All files (*.*)|*.*|");
}

TEST(ToolFilters, TheKeynessToolAlsoReadsReferenceListsWithoutAnEntryForThem) {
    EXPECT_EQ(SuitableFilterForTool(tt_keyness),
              "Keyness tool (*.kns;*.kkw;*.asc;*.klk;*.rfq)|*.kns;*.kkw;*.asc;*.klk;*.rfq|"
              "Key key words (*.kkw)|*.kkw|Associates (*.asc)|*.asc|Key word links (*.klk)|*.klk|"
              "Batch files (*.zip*)|*.ZIP*|Text files (*.txt)|*.txt|All files (*.*)|*.*|");
}

TEST(ToolFilters, BatchTopPutsBatchFirstAndTakesUnsaveableKindsButNoReferenceLists) {
    EXPECT_EQ(SuitableBatchTopFilterForTool(tt_contexts),
              "Batch files (*.zip*)|*.ZIP*|Context tool "
              "(*.ctx;*.ccl;*.cpt;*.ccs;*.cpl)|*.ctx;*.ccl;*.cpt;*.ccs;*.cpl|"
              "Text files (*.txt)|*.txt|All files (*.*)|*.*|");
    EXPECT_EQ(SuitableBatchTopFilterForTool(tt_keyness),
              "Batch files (*.zip*)|*.ZIP*|Keyness tool "
              "(*.kns;*.kkw;*.asc;*.kpl;*.klk)|*.kns;*.kkw;*.asc;*.kpl;*.klk|"
              "Text files (*.txt)|*.txt|All files (*.*)|*.*|");
}

TEST(ToolFilters, TheTextToolHasItsFixedFilterFromBothBuilders) {
    EXPECT_EQ(SuitableFilterForTool(tt_texts), kTextToolFilter);
    EXPECT_EQ(SuitableBatchTopFilterForTool(tt_texts), kTextToolFilter);
}

TEST(ToolFilters, LimitedFiltersNameTheToolWhateverListGivesThePattern) {
    EXPECT_EQ(LimitedDefaultFilter(tt_frequencies),
              "Frequency tool files (*.frq)|*.frq|All files (*.*)|*.*|");
    EXPECT_EQ(LimitedDefaultFilter(tt_keyness, 23), "Keyness tool files (*.rfq)|*.rfq|All files (*.*)|*.*|");
    EXPECT_EQ(LimitedDefaultFilter(tt_contexts, 6), "Context tool files (*)|*|All files (*.*)|*.*|");
}

TEST(ToolFilters, EveryBuiltFilterParsesIntoWholePairs) {
    for (int tool = 0; tool < kToolCount; ++tool) {
        for (const std::string& filter :
             {SuitableFilterForTool(tool_type(tool)), SuitableBatchTopFilterForTool(tool_type(tool))}) {
            ASSERT_EQ(filter.back(), '|');
            const auto pairs = ParseFilter(filter);
            EXPECT_EQ(static_cast<std::size_t>(std::count(filter.begin(), filter.end(), '|')),
                      pairs.size() * 2);
            for (const auto& pair : pairs) {
                EXPECT_EQ(std::count(pair.Name.begin(), pair.Name.end(), '('), 1) << pair.Name;
                EXPECT_FALSE(pair.Masks.empty()) << pair.Name;
            }
        }
    }
}

TEST(FormatFilter, PreselectsTheEntryNamingTheExtensionOrOnePastTheGroups) {
    const RunningTool tool(tt_tessellator);  // groups: the tool's, one list kind's, batch, text, all
    Owned<TOpenDialog> dialog(Create<TOpenDialog>(nullptr));
    dialog->SetInitialDir("/kept");
    FormatFilterFor(dialog.get(), "", ".txt", dfo_details);
    EXPECT_EQ(dialog->Filter(), SuitableFilterForTool(tt_tessellator));
    EXPECT_EQ(dialog->FilterIndex(), 4);
    EXPECT_EQ(dialog->DefaultExt(), "txt");
    EXPECT_EQ(dialog->InitialDir(), "/kept");
    for (const auto& [ext, index] : {std::pair{".tsy", 1}, {".zip", 3}, {".*", 5}, {".xyz", 6}}) {
        FormatFilterFor(dialog.get(), "/start", ext, dfo_default);
        EXPECT_EQ(dialog->FilterIndex(), index) << ext;
    }
    EXPECT_EQ(dialog->InitialDir(), "/start");
}

TEST(FormatFilter, OnlyTheSuitesOwnDialogsTakeTheFolderDisplay) {
    const RunningTool tool(tt_orvane);
    Owned<TForceViewOpenFileDialog> open(Create<TForceViewOpenFileDialog>(nullptr));
    Owned<TForceViewSaveFileDialog> save(Create<TForceViewSaveFileDialog>(nullptr));
    FormatFilterFor(open.get(), "", ".orv", dfo_thumbnails);
    FormatFilterFor(save.get(), "", ".org", dfo_list);
    EXPECT_EQ(open->DisplayFolderOption(), dfo_thumbnails);
    EXPECT_EQ(save->DisplayFolderOption(), dfo_list);
    EXPECT_EQ(save->FilterIndex(), 1);
    EXPECT_EQ(save->DefaultExt(), "org");
}

TEST(CustomDialogFilters, KnownExtensionsAddTheirPairsInOrderAndTheFirstIsTheDefault) {
    Owned<TFileOpenDialog> dialog(Create<TFileOpenDialog>(nullptr));
    dialog->FileTypes().Add() = {"old", "*.old"};
    AddFiltersToCustomFileDialog(dialog.get(), {".orv", ".txt", ".xyz"});
    EXPECT_EQ(dialog->DefaultExtension(), ".orv");
    EXPECT_EQ(dialog->FileTypes().All(),
              (std::vector<TFileTypeItem>{{"Orvane files", "*.orv"}, {"Text files", "*.txt"}}));
    AddFiltersToCustomFileDialog(dialog.get(), {".TXT", ".htm", ".htm"});
    EXPECT_EQ(dialog->DefaultExtension(), ".TXT");  // whatever the first one is
    EXPECT_EQ(dialog->FileTypes().All(),
              (std::vector<TFileTypeItem>{{"Web pages", "*.htm;*.html"}, {"Web pages", "*.htm;*.html"}}));
    AddFiltersToCustomFileDialog(dialog.get(), {});
    EXPECT_EQ(dialog->FileTypes().Count(), 0);
    EXPECT_EQ(dialog->DefaultExtension(), ".TXT");
}

TEST(InitialDirs, ReachPickersAndEditsInsidePanelsAndFrames) {
    testsupport::FormPtr form = testsupport::MakeForm(300, 200);
    auto* panel = Create<TPanel>(form.get());
    panel->SetParent(form.get());
    auto* inPanel = Create<TMyOpenFileDialog>(form.get());
    inPanel->SetParent(panel);
    auto* fileEdit = Create<vendor::TElFileNameEdit>(form.get());
    fileEdit->SetParent(panel);
    auto* frame = Create<TFrame>(form.get());
    frame->SetParent(form.get());
    auto* inFrame = Create<TMyOpenFolderDialog>(frame);  // owned by the frame, not the form
    inFrame->SetParent(frame);
    auto* folderEdit = Create<vendor::TElFolderNameEdit>(frame);
    folderEdit->SetParent(frame);
    auto* plain = Create<TEdit>(form.get());
    plain->SetParent(panel);
    plain->SetText("untouched");
    auto* loose = Create<TMyOpenFolderDialog>(form.get());  // not on the form at all

    SetInitialDirs(form.get(), "/data/start");
    EXPECT_EQ(inPanel->FolderOrFile(), "/data/start");
    EXPECT_EQ(fileEdit->InitialDir(), "/data/start");
    EXPECT_EQ(fileEdit->Text(), "");
    EXPECT_EQ(inFrame->FolderOrFile(), "/data/start");
    EXPECT_EQ(folderEdit->Text(), "/data/start");
    EXPECT_EQ(loose->FolderOrFile(), "/data/start");
    EXPECT_EQ(plain->Text(), "untouched");
}

// A nil dialog or form changes nothing, as a nil form does for the settings routines.
TEST(NilArguments, FilterRoutinesDoNothing) {
    AddFiltersToCustomFileDialog(nullptr, {".txt"});
    SetInitialDirs(nullptr, "/tmp");
    FormatFilterFor(nullptr, "/tmp", ".txt", dfo_default);
}

// Edits and memos on live forms, worked through the form's key, character and mouse input.

#include "framework/controls/Edits.h"
#include "framework/controls/Menus.h"
#include "framework/platform/Clipboard.h"
#include "framework/rtl/Unicode.h"

#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace framework;
using namespace testsupport;

namespace {

const std::string kAcute = "e\xCC\x81";                          // e + combining acute
const std::string kShalom = "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D";  // four Hebrew letters
const std::string kGrin = "\xF0\x9F\x98\x80";                    // an emoji outside the BMP

struct EditInput : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    TEdit* edit = Create<TEdit>(form.get());
    int changes = 0;

    void SetUp() override {
        edit->SetBounds(10, 10, 200, 21);
        edit->SetParent(form.get());
        edit->OnChange = TNotifyEvent::Lambda([this](TObject*) { ++changes; });
        edit->SetFocus();
        Clipboard().Clear();
        PrimarySelection().Clear();
    }
    void Type(std::string_view text) {
        for (std::size_t p = 0; p < text.size();)
            form->SendCharInput(Utf8Decode(text, p));
    }
    void Key(std::uint16_t key, TShiftState shift = 0, int times = 1) {
        for (int i = 0; i < times; ++i)
            form->SendKeyInput(key, shift);
    }
};

}  // namespace

TEST_F(EditInput, ArrowsMoveOverWholeCharactersInEveryScript) {
    const std::string text = "a" + kAcute + kGrin + kShalom;
    Type(text);
    EXPECT_EQ(edit->Text(), text);
    EXPECT_EQ(edit->SelStart(), static_cast<int>(Utf8Length(text)));
    Key(VK_LEFT, 0, 4);  // the four Hebrew letters
    Key(VK_LEFT);        // the emoji, one character of four bytes
    Key(VK_LEFT, ssShift);
    EXPECT_EQ(edit->SelText(), kAcute);  // the mark went with its base
    Key(VK_RIGHT);                       // a selection collapses to its end
    EXPECT_EQ(edit->SelLength(), 0);
    form->SendCharInput(VK_BACK);
    EXPECT_EQ(edit->Text(), "a" + kGrin + kShalom);
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "a" + kShalom);
    Key(VK_END, ssShift);
    Key(VK_LEFT, ssShift);
    EXPECT_EQ(edit->SelText(), kShalom.substr(0, 6));
    Type("!");  // typing replaces the selection
    EXPECT_EQ(edit->Text(), "a!" + kShalom.substr(6));
    Key(VK_HOME);
    EXPECT_EQ(edit->SelStart(), 0);
    Key(VK_LEFT);  // nothing before the start
    EXPECT_EQ(edit->SelStart(), 0);
    // Up and Down mean nothing to a one-line edit: they are left to others.
    EXPECT_EQ(edit->Perform(WM_KEYDOWN, VK_UP, 0), 0);
}

TEST_F(EditInput, CtrlMovesAndDeletesByWordsAndSelectsAll) {
    Type("the white whale");
    Key(VK_LEFT, ssCtrl);
    EXPECT_EQ(edit->SelStart(), 10);
    Key(VK_LEFT, ssCtrl | ssShift);
    EXPECT_EQ(edit->SelText(), "white ");
    Key(VK_RIGHT, ssCtrl);
    EXPECT_EQ(edit->SelStart(), 10);
    form->SendCharInput(VK_BACK, ssCtrl);
    EXPECT_EQ(edit->Text(), "the whale");
    Key(VK_HOME);
    Key(VK_DELETE, ssCtrl);
    EXPECT_EQ(edit->Text(), "whale");
    Key('A', ssCtrl);
    EXPECT_EQ(edit->SelText(), "whale");
}

TEST_F(EditInput, UndoTakesBackAWordAtATimeAndRedoGivesItAgain) {
    Type("moby dick");
    form->SendCharInput(VK_BACK);
    form->SendCharInput(VK_BACK);
    EXPECT_EQ(edit->Text(), "moby di");
    EXPECT_TRUE(edit->CanUndo());
    Key('Z', ssCtrl);  // both backspaces are one step
    EXPECT_EQ(edit->Text(), "moby dick");
    Key('Z', ssCtrl);  // the second word
    EXPECT_EQ(edit->Text(), "moby ");
    Key('Z', ssCtrl);
    EXPECT_EQ(edit->Text(), "");
    EXPECT_FALSE(edit->CanUndo());
    Key('Y', ssCtrl);
    EXPECT_EQ(edit->Text(), "moby ");
    Key('Z', ssCtrl | ssShift);
    EXPECT_EQ(edit->Text(), "moby dick");
    Key('Z', ssCtrl | ssShift);
    EXPECT_EQ(edit->Text(), "moby di");
    EXPECT_EQ(edit->SelStart(), 7);
    // A new change drops what could be redone.
    Key('Z', ssCtrl);
    Type("X");
    EXPECT_FALSE(edit->CanRedo());
    EXPECT_EQ(edit->Text(), "moby dickX");
    edit->ClearUndo();
    EXPECT_FALSE(edit->CanUndo());
    EXPECT_EQ(edit->Perform(WM_UNDO), 0);
}

TEST_F(EditInput, PasswordShowsItsMaskAndKeepsTheTextOffTheClipboard) {
    edit->SetPasswordChar('*');
    Type("s" + kAcute + "cret");
    EXPECT_EQ(edit->DisplayText(), "******");  // characters, a mark with its base
    // Ctrl moves over the whole of it: the words of a password are not shown.
    Type(" two");
    Key(VK_LEFT, ssCtrl);
    EXPECT_EQ(edit->SelStart(), 0);
    Key(VK_RIGHT, ssCtrl);
    EXPECT_EQ(edit->SelStart(), 11);
    form->SendCharInput(VK_BACK, ssCtrl);
    EXPECT_EQ(edit->Text(), "");
    Type("s" + kAcute + "cret");
    Clipboard().SetAsText("before");
    Key('A', ssCtrl);
    Key('C', ssCtrl);
    Key('X', ssCtrl);
    edit->Perform(WM_COPY);
    edit->CopyToClipboard();
    EXPECT_EQ(Clipboard().AsText(), "before");
    EXPECT_EQ(edit->Text(), "s" + kAcute + "cret");
    EXPECT_EQ(PrimarySelection().AsText(), "");
    Key('V', ssCtrl);  // pasting into it is fine
    EXPECT_EQ(edit->Text(), "before");
}

TEST_F(EditInput, ReadOnlyMovesSelectsAndCopiesButNeverChanges) {
    edit->SetText("fixed text");
    edit->SetReadOnly(true);
    changes = 0;
    Key(VK_END);
    Key(VK_LEFT, ssShift | ssCtrl);
    Key('C', ssCtrl);
    EXPECT_EQ(Clipboard().AsText(), "text");
    Type("x");
    form->SendCharInput(VK_BACK);
    Key(VK_DELETE);
    Key('X', ssCtrl);
    Key('V', ssCtrl);
    edit->Perform(WM_CLEAR);
    edit->Perform(WM_PASTE);
    EXPECT_EQ(edit->Text(), "fixed text");
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(edit->Modified());
}

TEST_F(EditInput, MaxLengthCountsCharactersForTypingAndPasting) {
    edit->SetMaxLength(4);
    Type("ab" + kGrin + "cd");
    EXPECT_EQ(edit->Text(), "ab" + kGrin + "c");
    Key('A', ssCtrl);
    Clipboard().SetAsText(kShalom + kShalom);
    Key('V', ssCtrl);  // cut to the room left
    EXPECT_EQ(edit->Text(), kShalom);
    // A program may set more than the limit; typing then adds nothing.
    edit->SetText("longer than four");
    Key(VK_END);
    Type("z");
    EXPECT_EQ(edit->Text(), "longer than four");
}

TEST_F(EditInput, TheClassicInterfaceReadsAndSetsTheSelection) {
    edit->SetText("שלום " + kGrin + " world");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(edit->Modified());
    edit->SetSelStart(5);
    edit->SetSelLength(1);
    EXPECT_EQ(edit->SelText(), kGrin);
    edit->SetSelText("<>");
    EXPECT_EQ(edit->Text(), "שלום <> world");
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(edit->SelStart(), 7);
    edit->SetSelLength(100);  // to the end, no further
    EXPECT_EQ(edit->SelText(), " world");
    edit->ClearSelection();
    EXPECT_EQ(edit->Text(), "שלום <>");
    EXPECT_EQ(changes, 3);
    edit->SelectAll();
    edit->CutToClipboard();
    EXPECT_EQ(Clipboard().AsText(), "שלום <>");
    EXPECT_EQ(edit->Text(), "");
    edit->PasteFromClipboard();
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "שלום <>שלום <>");
    EXPECT_EQ(changes, 6);
    edit->Undo();
    EXPECT_EQ(edit->Text(), "שלום <>");
    EXPECT_EQ(changes, 7);
    edit->SetModified(false);
    EXPECT_FALSE(edit->Modified());
    // A line break a program puts into one line stays a character there, also for undo.
    edit->SetSelText("a\nb");
    EXPECT_EQ(edit->Text(), "שלום <>a\nb");
    edit->Undo();
    EXPECT_EQ(edit->Text(), "שלום <>");
    edit->Redo();
    EXPECT_EQ(edit->Text(), "שלום <>a\nb");
    EXPECT_EQ(edit->SelStart(), 10);
}

TEST_F(EditInput, TheEditMessagesWorkAsTheClassicOnes) {
    edit->SetText("abcdef");
    edit->Perform(EM_SETSEL, 1, 3);
    EXPECT_EQ(edit->SelText(), "bc");
    EXPECT_EQ(edit->Perform(EM_GETSEL), static_cast<std::intptr_t>(MakeWParam(1, 3)));
    edit->Perform(WM_COPY);
    EXPECT_EQ(Clipboard().AsText(), "bc");
    edit->Perform(WM_CUT);
    EXPECT_EQ(edit->Text(), "adef");
    edit->Perform(EM_SETSEL, 0, -1);  // -1: to the end
    EXPECT_EQ(edit->SelText(), "adef");
    edit->Perform(WM_PASTE);
    EXPECT_EQ(edit->Text(), "bc");
    edit->Perform(EM_SETSEL, 0, 1);
    edit->Perform(WM_CLEAR);
    EXPECT_EQ(edit->Text(), "c");
    EXPECT_EQ(edit->Perform(EM_CANUNDO), 1);
    EXPECT_EQ(edit->Perform(WM_UNDO), 1);
    EXPECT_EQ(edit->Text(), "bc");
    edit->Perform(EM_SETSEL, static_cast<std::uint32_t>(-1), 0);  // no selection, caret kept
    EXPECT_EQ(edit->SelLength(), 0);
    edit->Perform(EM_SETSEL, 50, 60);  // beyond the end: at the end
    EXPECT_EQ(edit->SelStart(), 2);
}

TEST_F(EditInput, PastedTextIsCleanedAndAOneLineEditStopsAtTheFirstBreak) {
    Clipboard().SetAsText(std::string("one\0two\xFF\r\nnext line", 19));
    Key('V', ssCtrl);
    EXPECT_EQ(edit->Text(), "one\xEF\xBF\xBDtwo\xEF\xBF\xBD");
    EXPECT_TRUE(IsValidUtf8(edit->Text()));
    EXPECT_EQ(changes, 1);
    // Text from a program is repaired too.
    edit->SetText("bad\xC3");
    EXPECT_EQ(edit->Text(), "bad\xEF\xBF\xBD");
}

TEST_F(EditInput, TenMegabytesOnTheClipboardAreCutAtTheLimitWithoutAHang) {
    auto* memo = Create<TMemo>(form.get());
    memo->SetBounds(10, 40, 200, 100);
    memo->SetParent(form.get());
    memo->SetFocus();
    std::string huge;
    huge.reserve(10u << 20);
    while (huge.size() < (10u << 20))
        huge += "a line of the corpus \xC3\xA9\n";
    Clipboard().SetAsText(huge);
    const auto start = std::chrono::steady_clock::now();
    Key('V', ssCtrl);
    Picture(*form);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(20));
    const std::string text = memo->Text();
    EXPECT_LE(text.size(), kClipboardTextLimit + 1);
    EXPECT_GT(text.size(), kClipboardTextLimit - 64);
    EXPECT_TRUE(IsValidUtf8(text));
}

// A clipboard whose owner has gone: it says it has text, but none comes.
struct GoneOwnerStore : TClipboardStore {
    bool HasText() override { return true; }
    std::string GetText() override { return {}; }
    void SetText(const std::string&) override {}
    void Clear() override {}
};

TEST_F(EditInput, AClipboardWhoseOwnerHasGonePastesNothing) {
    GoneOwnerStore gone;
    TClipboardStore* before = SetClipboardStore(TClipboardKind::Clipboard, &gone);
    edit->SetText("kept");
    changes = 0;
    Key(VK_END);
    Key('V', ssCtrl);
    edit->PasteFromClipboard();
    SetClipboardStore(TClipboardKind::Clipboard, before);
    EXPECT_EQ(edit->Text(), "kept");
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(edit->CanUndo());
}

// --- Memo --------------------------------------------------------------------------------

struct MemoInput : EditInput {
    TMemo* memo = Create<TMemo>(form.get());
    void SetUp() override {
        EditInput::SetUp();
        memo->SetBounds(10, 40, 200, 80);
        memo->SetParent(form.get());
        memo->OnChange = TNotifyEvent::Lambda([this](TObject*) { ++changes; });
        memo->SetFocus();
    }
};

TEST_F(MemoInput, EnterBreaksTheLineAndTheLinesFollow) {
    Type("call me");
    Key(VK_LEFT, 0, 3);
    changes = 0;
    form->SendCharInput(VK_RETURN);
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Strings(0), "call");
    EXPECT_EQ(memo->Lines()->Strings(1), " me");
    form->SendCharInput(VK_BACK);  // joins the lines again
    EXPECT_EQ(memo->Text(), "call me\n");
    Key('Z', ssCtrl);
    Key('Z', ssCtrl);
    EXPECT_EQ(memo->Text(), "call me\n");
    // Lines changed by a program show in the text and the other way round.
    memo->Lines()->Add("ishmael");
    EXPECT_EQ(memo->Text(), "call me\nishmael\n");
    memo->Lines()->Delete(0);
    EXPECT_EQ(memo->Lines()->Text(), "ishmael\n");
    EXPECT_THROW(memo->Lines()->Strings(5), Exception);
}

TEST_F(MemoInput, UpDownPageAndCtrlHomeEndMoveOverTheLines) {
    memo->SetText("first line\nab\n" + kShalom + "\nlast");
    Key(VK_END);  // the end of "first line"
    Key(VK_DOWN);
    EXPECT_EQ(memo->Editor().Caret(), (TEditPos{1, 2}));  // a short line: its end
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(memo->Editor().Caret().Line, 3);
    EXPECT_EQ(memo->Editor().Caret().Byte, 4);  // back to the column aimed at, at most the end
    Key(VK_HOME, ssCtrl | ssShift);
    EXPECT_EQ(memo->SelLength(), static_cast<int>(Utf8Length(memo->Editor().Text())));
    Key(VK_END, ssCtrl);
    EXPECT_EQ(memo->SelStart(), static_cast<int>(Utf8Length(memo->Editor().Text())));
    Key(VK_UP);
    Key(VK_END);
    Key(VK_LEFT, ssShift, 2);
    EXPECT_EQ(memo->SelText(), kShalom.substr(4));  // two Hebrew letters, four bytes
    Key(VK_PRIOR);
    EXPECT_EQ(memo->Editor().Caret().Line, 0);
    Key(VK_NEXT);
    EXPECT_EQ(memo->Editor().Caret().Line, 3);
}

TEST_F(MemoInput, TheViewFollowsTheCaretDownALongText) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line " + std::to_string(i) + "\n";
    memo->SetText(text);
    Picture(*form);
    EXPECT_EQ(memo->Editor().TopLine(), 0);
    Key(VK_END, ssCtrl);
    Picture(*form);
    EXPECT_GE(memo->Editor().TopLine(), 90);  // the last line is in view
    Key(VK_HOME, ssCtrl);
    Picture(*form);
    EXPECT_EQ(memo->Editor().TopLine(), 0);
    // The wheel scrolls three lines a notch, the caret staying where it is.
    memo->Perform(WM_MOUSEWHEEL, MakeWParam(0, static_cast<std::uint16_t>(-120)), 0);
    EXPECT_EQ(memo->Editor().TopLine(), 3);
}

TEST_F(MemoInput, PasteKeepsLineBreaksAsLinefeeds) {
    Clipboard().SetAsText("one\r\ntwo\rthree\nfour");
    Key('V', ssCtrl);
    EXPECT_EQ(memo->Lines()->Count(), 4);
    EXPECT_EQ(memo->Text(), "one\ntwo\nthree\nfour\n");
    EXPECT_EQ(memo->Editor().Caret(), (TEditPos{3, 4}));
    Key('Z', ssCtrl);
    EXPECT_EQ(memo->Text(), "");
    Key('Y', ssCtrl);
    Key(VK_UP, ssShift);
    Key(VK_HOME, ssShift);
    Key('C', ssCtrl);
    EXPECT_EQ(Clipboard().AsText(), "three\nfour");
}

// --- The typed field of a combo box -------------------------------------------------------

#include "framework/controls/ComboBox.h"

TEST(ComboEdit, TheTypedFieldEditsLikeAnEditAndUpDownStillChoose) {
    FormPtr form = MakeForm(300, 100);
    auto* combo = Create<TComboBox>(form.get());
    combo->SetBounds(10, 10, 150, 0);
    combo->SetParent(form.get());
    combo->Items()->SetText("whale\nship\nsea\n");
    int changes = 0;
    combo->OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    combo->SetFocus();
    Clipboard().Clear();
    for (char32_t c : {U's', U'h', U'i', U'p'})
        form->SendCharInput(c);
    EXPECT_EQ(combo->Text(), "ship");
    EXPECT_EQ(combo->ItemIndex(), 1);  // the typed text names an item
    EXPECT_EQ(changes, 4);
    form->SendKeyInput(VK_HOME);
    form->SendCharInput(U'a');
    EXPECT_EQ(combo->Text(), "aship");
    EXPECT_EQ(combo->ItemIndex(), -1);
    form->SendKeyInput(VK_END, ssShift);
    form->SendKeyInput('C', ssCtrl);
    EXPECT_EQ(Clipboard().AsText(), "ship");
    form->SendKeyInput('Z', ssCtrl);
    EXPECT_EQ(combo->Text(), "ship");
    form->SendKeyInput(VK_DOWN);  // the next entry, whose text is then all selected
    EXPECT_EQ(combo->Text(), "sea");
    EXPECT_EQ(combo->Editor().SelText(), "sea");
    form->SendCharInput(U'x');  // typing replaces it
    EXPECT_EQ(combo->Text(), "x");
    // The caret is drawn in the field while it has the focus.
    EXPECT_TRUE(BoundsOfColor(*Picture(*form), clWindowText));
}

#include "host/AccessibleTree.h"

#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/ScrollBars.h"

#include "support/FormFixture.h"

#include <atk/atk.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace framework;
using namespace testsupport;

namespace {

bool hasState(AtkObject* Object, AtkStateType State) {
    AtkStateSet* set = atk_object_ref_state_set(Object);
    const bool has = atk_state_set_contains_state(set, State);
    g_object_unref(set);
    return has;
}

std::string textOf(AtkObject* Object, int From = 0, int To = -1) {
    gchar* text = atk_text_get_text(ATK_TEXT(Object), From, To);
    std::string out = text ? text : "";
    g_free(text);
    return out;
}

// The ATK objects of a form's controls, read in the process as the bridge reads them.
struct AccessibleTree : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    TButton* button = Create<TButton>(form.get());
    TEdit* edit = Create<TEdit>(form.get());
    TListBox* list = Create<TListBox>(form.get());
    host::TAccessibleTree tree;

    void SetUp() override {
        form->SetCaption("Tool window");
        button->SetParent(form.get());
        button->SetCaption("Search");
        edit->SetParent(form.get());
        edit->SetBounds(10, 40, 100, 21);
        list->SetParent(form.get());
        list->SetBounds(10, 70, 100, 80);
        list->Items()->Add("whale");
        list->Items()->Add("sea");
        tree.AddWindow(*form, nullptr);
    }
};

// What the tree told its listeners, by signal.
struct Heard {
    std::vector<std::string> focused;
    std::vector<std::string> inserted;
    std::vector<std::string> removed;
    std::vector<int> carets;
    std::vector<bool> checked;
};

void onStateChange(AtkObject* Object, const gchar* Name, gboolean Set, gpointer Data) {
    if (Set && std::string(Name) == "focused")
        static_cast<Heard*>(Data)->focused.push_back(atk_role_get_name(atk_object_get_role(Object)));
    if (std::string(Name) == "checked")
        static_cast<Heard*>(Data)->checked.push_back(Set != FALSE);
}
void onInsert(AtkText*, gint, gint, const gchar* Text, gpointer Data) {
    static_cast<Heard*>(Data)->inserted.push_back(Text);
}
void onRemove(AtkText*, gint, gint, const gchar* Text, gpointer Data) {
    static_cast<Heard*>(Data)->removed.push_back(Text);
}
void onCaret(AtkText*, gint At, gpointer Data) { static_cast<Heard*>(Data)->carets.push_back(At); }

}  // namespace

TEST_F(AccessibleTree, TheApplicationHoldsTheWindowsFrame) {
    AtkObject* root = tree.Root();
    EXPECT_EQ(atk_object_get_role(root), ATK_ROLE_APPLICATION);
    ASSERT_EQ(atk_object_get_n_accessible_children(root), 1);
    AtkObject* frame = atk_object_ref_accessible_child(root, 0);
    EXPECT_EQ(frame, tree.Accessible(*form));
    EXPECT_EQ(atk_object_get_role(frame), ATK_ROLE_FRAME);
    EXPECT_STREQ(atk_object_get_name(frame), "Tool window");
    EXPECT_EQ(atk_object_get_parent(frame), root);
    EXPECT_EQ(atk_object_get_n_accessible_children(frame), 3);
    g_object_unref(frame);
    tree.RemoveWindow(*form);
    EXPECT_EQ(atk_object_get_n_accessible_children(root), 0);
}

TEST_F(AccessibleTree, AButtonIsPressedThroughItsAction) {
    int clicks = 0;
    button->OnClick = TNotifyEvent::Lambda([&](TObject*) { ++clicks; });
    AtkObject* object = tree.Accessible(*button);
    EXPECT_EQ(atk_object_get_role(object), ATK_ROLE_PUSH_BUTTON);
    EXPECT_STREQ(atk_object_get_name(object), "Search");
    EXPECT_EQ(atk_object_get_index_in_parent(object), 0);
    EXPECT_TRUE(hasState(object, ATK_STATE_ENABLED));
    EXPECT_TRUE(hasState(object, ATK_STATE_SENSITIVE));
    EXPECT_TRUE(hasState(object, ATK_STATE_FOCUSABLE));
    ASSERT_EQ(atk_action_get_n_actions(ATK_ACTION(object)), 1);
    EXPECT_STREQ(atk_action_get_name(ATK_ACTION(object), 0), "click");
    EXPECT_TRUE(atk_action_do_action(ATK_ACTION(object), 0));
    EXPECT_FALSE(atk_action_do_action(ATK_ACTION(object), 1));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(ATK_IS_TEXT(object));
}

TEST_F(AccessibleTree, AnEditsTextCountsCharacters) {
    edit->SetText("größer");
    AtkObject* object = tree.Accessible(*edit);
    ASSERT_TRUE(ATK_IS_TEXT(object));
    EXPECT_EQ(atk_text_get_character_count(ATK_TEXT(object)), 6);
    EXPECT_EQ(textOf(object, 2, 5), "öße");
    EXPECT_EQ(textOf(object, 4, 99), "er");
    EXPECT_EQ(atk_text_get_character_at_offset(ATK_TEXT(object), 2), gunichar(0xF6));
    EXPECT_EQ(atk_text_get_character_at_offset(ATK_TEXT(object), 6), gunichar(0));
    edit->SetSelStart(1);
    edit->SetSelLength(2);
    gint start = 0, end = 0;
    gchar* selected = atk_text_get_selection(ATK_TEXT(object), 0, &start, &end);
    EXPECT_STREQ(selected, "rö");
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);
    g_free(selected);
}

TEST_F(AccessibleTree, ListItemsAreChildrenAndTheSelection) {
    AtkObject* object = tree.Accessible(*list);
    EXPECT_EQ(atk_object_get_role(object), ATK_ROLE_LIST);
    ASSERT_EQ(atk_object_get_n_accessible_children(object), 2);
    AtkObject* sea = atk_object_ref_accessible_child(object, 1);
    EXPECT_STREQ(atk_object_get_name(sea), "sea");
    EXPECT_EQ(atk_object_get_role(sea), ATK_ROLE_LIST_ITEM);
    EXPECT_EQ(atk_object_get_parent(sea), object);
    EXPECT_EQ(atk_object_get_index_in_parent(sea), 1);
    ASSERT_TRUE(ATK_IS_SELECTION(object));
    EXPECT_EQ(atk_selection_get_selection_count(ATK_SELECTION(object)), 0);
    EXPECT_TRUE(atk_selection_add_selection(ATK_SELECTION(object), 1));
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_TRUE(hasState(sea, ATK_STATE_SELECTED));
    AtkObject* selected = atk_selection_ref_selection(ATK_SELECTION(object), 0);
    EXPECT_EQ(selected, sea);
    g_object_unref(selected);
    EXPECT_EQ(atk_object_ref_accessible_child(object, 2), nullptr);
    g_object_unref(sea);
}

TEST_F(AccessibleTree, AFreedControlLeavesADefunctObject) {
    AtkObject* object = tree.Accessible(*button);
    g_object_ref(object);  // as a reader's cache holds it
    button->Free();
    EXPECT_TRUE(hasState(object, ATK_STATE_DEFUNCT));
    EXPECT_EQ(atk_object_get_name(object), nullptr);
    EXPECT_EQ(atk_action_get_n_actions(ATK_ACTION(object)), 0);
    EXPECT_EQ(atk_object_get_n_accessible_children(tree.Accessible(*form)), 2);
    g_object_unref(object);
}

TEST_F(AccessibleTree, ValuesOfAScrollBar) {
    auto* bar = Create<TScrollBar>(form.get());
    bar->SetParent(form.get());
    bar->SetParams(25, 0, 50);
    AtkObject* object = tree.Accessible(*bar);
    ASSERT_TRUE(ATK_IS_VALUE(object));
    gdouble value = 0;
    atk_value_get_value_and_text(ATK_VALUE(object), &value, nullptr);
    EXPECT_EQ(value, 25);
    AtkRange* range = atk_value_get_range(ATK_VALUE(object));
    EXPECT_EQ(atk_range_get_upper_limit(range), 50);
    atk_range_free(range);
}

TEST_F(AccessibleTree, FocusAndTypingAreTold) {
    Heard heard;
    tree.NotifyChanges();  // what is now is no news
    AtkObject* editObject = tree.Accessible(*edit);
    AtkObject* listObject = tree.Accessible(*list);
    g_signal_connect(editObject, "state-change", G_CALLBACK(onStateChange), &heard);
    g_signal_connect(listObject, "state-change", G_CALLBACK(onStateChange), &heard);
    g_signal_connect(editObject, "text-insert", G_CALLBACK(onInsert), &heard);
    g_signal_connect(editObject, "text-remove", G_CALLBACK(onRemove), &heard);
    g_signal_connect(editObject, "text-caret-moved", G_CALLBACK(onCaret), &heard);
    edit->SetFocus();
    tree.NotifyChanges();
    ASSERT_EQ(heard.focused, std::vector<std::string>{"text"});
    edit->SetText("whale");
    edit->SetSelStart(5);
    tree.NotifyChanges();
    EXPECT_EQ(heard.inserted, std::vector<std::string>{"whale"});
    edit->SetText("whole");  // one letter replaced in the middle
    edit->SetSelStart(3);
    tree.NotifyChanges();
    EXPECT_EQ(heard.removed, std::vector<std::string>{"a"});
    EXPECT_EQ(heard.inserted.back(), "o");
    EXPECT_EQ(heard.carets, (std::vector<int>{5, 3}));
    tree.NotifyChanges();
    EXPECT_EQ(heard.carets.size(), 2u);  // nothing new: nothing told
    // A list takes the focus on its item.
    list->SetItemIndex(0);
    list->SetFocus();
    tree.NotifyChanges();
    AtkObject* whale = tree.Accessible(*list, 0);
    EXPECT_TRUE(hasState(whale, ATK_STATE_FOCUSED));
    EXPECT_FALSE(hasState(editObject, ATK_STATE_FOCUSED));
}

TEST_F(AccessibleTree, TheFocusedCheckBoxTellsItsMark) {
    Heard heard;
    auto* check = Create<TCheckBox>(form.get());
    check->SetParent(form.get());
    check->SetFocus();
    tree.NotifyChanges();
    g_signal_connect(tree.Accessible(*check), "state-change", G_CALLBACK(onStateChange), &heard);
    check->SetChecked(true);
    tree.NotifyChanges();
    tree.NotifyChanges();
    check->SetChecked(false);
    tree.NotifyChanges();
    EXPECT_EQ(heard.checked, (std::vector<bool>{true, false}));
}

TEST_F(AccessibleTree, AFocusedCombosNewChoiceIsASelectionChange) {
    auto* combo = Create<TComboBox>(form.get());
    combo->SetParent(form.get());
    combo->Items()->Add("one");
    combo->Items()->Add("two");
    combo->SetFocus();
    tree.NotifyChanges();
    int changes = 0;
    g_signal_connect(tree.Accessible(*combo), "selection-changed",
                     G_CALLBACK(+[](AtkObject*, gpointer Data) { ++*static_cast<int*>(Data); }), &changes);
    combo->SetItemIndex(1);
    tree.NotifyChanges();
    tree.NotifyChanges();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(hasState(tree.Accessible(*combo), ATK_STATE_FOCUSED));
}

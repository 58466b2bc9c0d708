// The ATK interfaces of the objects that hold text, a value or items to select.

#include "host/AccessibleNode.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace host {

using namespace framework;

namespace {

// The characters From..To (To -1: to the end) of a UTF-8 text, as GLib's new string.
gchar* substring(const std::string& Text, int From, int To) {
    const glong count = g_utf8_strlen(Text.c_str(), static_cast<gssize>(Text.size()));
    const glong end = To < 0 || To > count ? count : To;
    const glong start = std::clamp<glong>(From, 0, end);
    return g_utf8_substring(Text.c_str(), start, end);
}

// --- AtkText --------------------------------------------------------------------------------

bool textOf(AtkText* Text, TAccessibleText& Out) {
    LmAccessible* n = node(Text);
    return n->control && n->item < 0 && n->control->AccessibleText(Out);
}

gchar* getText(AtkText* Text, gint Start, gint End) {
    TAccessibleText t;
    return textOf(Text, t) ? substring(t.Text, Start, End) : g_strdup("");
}

gint getCharacterCount(AtkText* Text) {
    TAccessibleText t;
    return textOf(Text, t) ? characterCount(t.Text) : 0;
}

gint getCaretOffset(AtkText* Text) {
    TAccessibleText t;
    return textOf(Text, t) ? t.Caret : 0;
}

gunichar getCharacterAtOffset(AtkText* Text, gint Offset) {
    TAccessibleText t;
    if (!textOf(Text, t) || Offset < 0 || Offset >= characterCount(t.Text))
        return 0;
    return g_utf8_get_char(g_utf8_offset_to_pointer(t.Text.c_str(), Offset));
}

gint getNSelections(AtkText* Text) {
    TAccessibleText t;
    return textOf(Text, t) && t.SelLength > 0 ? 1 : 0;
}

gchar* getSelection(AtkText* Text, gint Index, gint* Start, gint* End) {
    TAccessibleText t;
    *Start = *End = 0;
    if (Index != 0 || !textOf(Text, t) || t.SelLength <= 0)
        return nullptr;
    *Start = t.SelStart;
    *End = t.SelStart + t.SelLength;
    return substring(t.Text, *Start, *End);
}

// --- AtkValue -------------------------------------------------------------------------------

std::optional<TAccessibleValue> valueOf(AtkValue* Value) {
    LmAccessible* n = node(Value);
    return n->control ? describe(*n).Value : std::nullopt;
}

void setDouble(GValue* Out, double V) {
    g_value_init(Out, G_TYPE_DOUBLE);
    g_value_set_double(Out, V);
}

void getCurrentValue(AtkValue* Value, GValue* Out) {
    setDouble(Out, valueOf(Value).value_or(TAccessibleValue{}).Current);
}
void getMinimumValue(AtkValue* Value, GValue* Out) {
    setDouble(Out, valueOf(Value).value_or(TAccessibleValue{}).Minimum);
}
void getMaximumValue(AtkValue* Value, GValue* Out) {
    setDouble(Out, valueOf(Value).value_or(TAccessibleValue{}).Maximum);
}
void getMinimumIncrement(AtkValue* Value, GValue* Out) {
    setDouble(Out, valueOf(Value).value_or(TAccessibleValue{}).Step);
}

void getValueAndText(AtkValue* Value, gdouble* Current, gchar** Text) {
    *Current = valueOf(Value).value_or(TAccessibleValue{}).Current;
    if (Text)
        *Text = nullptr;
}

AtkRange* getRange(AtkValue* Value) {
    const TAccessibleValue v = valueOf(Value).value_or(TAccessibleValue{});
    return atk_range_new(v.Minimum, v.Maximum, nullptr);
}

gdouble getIncrement(AtkValue* Value) { return valueOf(Value).value_or(TAccessibleValue{}).Step; }

// --- AtkSelection (of a control's items) ----------------------------------------------------

// The child number of the control's first item: its child controls come first.
int firstItemChild(const LmAccessible& N) {
    return N.control ? static_cast<int>(AccessibleChildren(*N.control).size()) : 0;
}

std::vector<int> selectedItems(const LmAccessible& N) {
    std::vector<int> items;
    if (!N.control || N.item >= 0)
        return items;
    const int count = N.control->AccessibleItemCount();
    for (int i = 0; i < count; ++i)
        if (DescribeAccessible(*N.control, i).Has(asSelected))
            items.push_back(i);
    return items;
}

gboolean addSelection(AtkSelection* Selection, gint I) {
    LmAccessible* n = node(Selection);
    const int item = I - firstItemChild(*n);
    if (!n->control || item < 0 || item >= n->control->AccessibleItemCount())
        return FALSE;
    return n->control->DoAccessibleAction(item, "click") ? TRUE : FALSE;
}

AtkObject* refSelection(AtkSelection* Selection, gint I) {
    LmAccessible* n = node(Selection);
    const std::vector<int> items = selectedItems(*n);
    if (I < 0 || I >= static_cast<gint>(items.size()))
        return nullptr;
    return ATK_OBJECT(g_object_ref(ItemObject(*n->impl, *n->control, items[static_cast<std::size_t>(I)])));
}

gint getSelectionCount(AtkSelection* Selection) {
    return static_cast<gint>(selectedItems(*node(Selection)).size());
}

gboolean isChildSelected(AtkSelection* Selection, gint I) {
    LmAccessible* n = node(Selection);
    const int item = I - firstItemChild(*n);
    if (!n->control || item < 0 || item >= n->control->AccessibleItemCount())
        return FALSE;
    return DescribeAccessible(*n->control, item).Has(asSelected) ? TRUE : FALSE;
}

}  // namespace

void InitTextInterface(gpointer Iface, gpointer) {
    auto* t = static_cast<AtkTextIface*>(Iface);
    t->get_text = getText;
    t->get_character_count = getCharacterCount;
    t->get_caret_offset = getCaretOffset;
    t->get_character_at_offset = getCharacterAtOffset;
    t->get_n_selections = getNSelections;
    t->get_selection = getSelection;
}

void InitValueInterface(gpointer Iface, gpointer) {
    auto* v = static_cast<AtkValueIface*>(Iface);
    v->get_current_value = getCurrentValue;
    v->get_minimum_value = getMinimumValue;
    v->get_maximum_value = getMaximumValue;
    v->get_minimum_increment = getMinimumIncrement;
    v->get_value_and_text = getValueAndText;
    v->get_range = getRange;
    v->get_increment = getIncrement;
}

void InitSelectionInterface(gpointer Iface, gpointer) {
    auto* s = static_cast<AtkSelectionIface*>(Iface);
    s->add_selection = addSelection;
    s->ref_selection = refSelection;
    s->get_selection_count = getSelectionCount;
    s->is_child_selected = isChildSelected;
}

}  // namespace host

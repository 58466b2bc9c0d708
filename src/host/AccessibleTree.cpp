#include "host/AccessibleTree.h"

#include "host/AccessibleNode.h"

#include "framework/controls/Accessible.h"
#include "framework/controls/WinControl.h"
#include "framework/forms/Forms.h"

#include <atk/atk.h>
#include <glib.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace host {

using namespace framework;

namespace {

// The interfaces an object offers beyond component and action, as bits of its type.
enum : unsigned { kText = 1, kValue = 2, kSelection = 4 };

AtkRole atkRole(TAccessibleRole Role) {
    switch (Role) {
    case TAccessibleRole::Frame:
        return ATK_ROLE_FRAME;
    case TAccessibleRole::Dialog:
        return ATK_ROLE_DIALOG;
    case TAccessibleRole::PushButton:
        return ATK_ROLE_PUSH_BUTTON;
    case TAccessibleRole::CheckBox:
        return ATK_ROLE_CHECK_BOX;
    case TAccessibleRole::RadioButton:
        return ATK_ROLE_RADIO_BUTTON;
    case TAccessibleRole::ComboBox:
        return ATK_ROLE_COMBO_BOX;
    case TAccessibleRole::List:
        return ATK_ROLE_LIST;
    case TAccessibleRole::ListItem:
        return ATK_ROLE_LIST_ITEM;
    case TAccessibleRole::TreeTable:
        return ATK_ROLE_TREE_TABLE;
    case TAccessibleRole::TableCell:
        return ATK_ROLE_TABLE_CELL;
    case TAccessibleRole::PageTabList:
        return ATK_ROLE_PAGE_TAB_LIST;
    case TAccessibleRole::PageTab:
        return ATK_ROLE_PAGE_TAB;
    case TAccessibleRole::Text:
        return ATK_ROLE_TEXT;
    case TAccessibleRole::SpinButton:
        return ATK_ROLE_SPIN_BUTTON;
    case TAccessibleRole::Label:
        return ATK_ROLE_LABEL;
    case TAccessibleRole::Panel:
        return ATK_ROLE_PANEL;
    case TAccessibleRole::ScrollBar:
        return ATK_ROLE_SCROLL_BAR;
    case TAccessibleRole::Menu:
        return ATK_ROLE_MENU;
    case TAccessibleRole::MenuItem:
        return ATK_ROLE_MENU_ITEM;
    case TAccessibleRole::ToolTip:
        return ATK_ROLE_TOOL_TIP;
    case TAccessibleRole::ProgressBar:
        return ATK_ROLE_PROGRESS_BAR;
    case TAccessibleRole::StatusBar:
        return ATK_ROLE_STATUSBAR;
    case TAccessibleRole::Image:
        return ATK_ROLE_IMAGE;
    case TAccessibleRole::Table:
        return ATK_ROLE_TABLE;
    case TAccessibleRole::Unknown:
        break;
    }
    return ATK_ROLE_UNKNOWN;
}

}  // namespace

// Tells the bridge when a control it made objects for is freed.
class TControlWatch : public TComponent {
public:
    explicit TControlWatch(std::function<void(TComponent*)> Gone)
        : TComponent(nullptr), gone(std::move(Gone)) {}
    std::function<void(TComponent*)> gone;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && gone)
            gone(AComponent);
    }
};

class TAccessibleTree::TImpl {
public:
    TImpl() : m_watch(Create<TControlWatch>([this](TComponent* C) { Forget(C); })) {}

    ~TImpl() {
        for (auto& [key, object] : m_objects) {
            if (key.first && key.second < 0)
                key.first->RemoveFreeNotification(m_watch.get());
            node(object)->control = nullptr;
            g_object_unref(object);
        }
        if (m_root)
            g_object_unref(m_root);
        if (m_focused)
            g_object_unref(m_focused);
    }

    AtkObject* Root();
    AtkObject* Object(TControl& Control, int Item);
    void Forget(TComponent* Component);

    struct TWindow {
        TCustomForm* Form;
        SDL_Window* Window;
    };
    std::vector<TWindow> windows;

    // What the readers were last told.
    AtkObject* m_focused = nullptr;  // a reference held
    TControl* m_textControl = nullptr;
    TAccessibleText m_text;
    std::uint32_t m_focusStates = 0;  // the focused object's, when last told
    int m_focusItem = -1;             // the item the focused control was on (a combo's choice)

    void NotifyChanges();

    SDL_Window* WindowOf(const TControl& Control) const {
        const TControl* top = &Control;
        while (top->Parent())
            top = top->Parent();
        for (const TWindow& w : windows)
            if (w.Form == top)
                return w.Window;
        return nullptr;
    }

private:
    std::unique_ptr<TControlWatch, TFreeDeleter> m_watch;
    std::map<std::pair<TControl*, int>, AtkObject*> m_objects;  // a reference held on each
    AtkObject* m_root = nullptr;
};

namespace {

int childCount(LmAccessible& N) {
    if (!N.control)
        return N.impl && !N.item ? static_cast<int>(N.impl->windows.size()) : 0;
    if (N.item >= 0)
        return 0;
    return static_cast<int>(AccessibleChildren(*N.control).size()) + N.control->AccessibleItemCount();
}

// --- AtkObject ------------------------------------------------------------------------------

const gchar* getName(AtkObject* Object) {
    LmAccessible* n = node(Object);
    if (!n->control)
        return n->item == 0 ? g_get_prgname() : nullptr;
    g_free(n->name);
    n->name = g_strdup(describe(*n).Name.c_str());
    return n->name;
}

const gchar* getDescription(AtkObject* Object) {
    LmAccessible* n = node(Object);
    g_free(n->description);
    n->description = g_strdup(describe(*n).Description.c_str());
    return n->description;
}

AtkRole getRole(AtkObject* Object) {
    LmAccessible* n = node(Object);
    if (!n->control)
        return n->item == 0 ? ATK_ROLE_APPLICATION : ATK_ROLE_INVALID;
    return Object->role;  // a control keeps the role it was made with
}

AtkObject* getParent(AtkObject* Object) {
    LmAccessible* n = node(Object);
    if (!n->control || !n->impl)
        return nullptr;
    if (n->item >= 0)
        return n->impl->Object(*n->control, -1);
    if (TWinControl* parent = n->control->Parent())
        return n->impl->Object(*parent, -1);
    return n->impl->Root();
}

gint getNChildren(AtkObject* Object) { return childCount(*node(Object)); }

// The child at Index: the child controls first, then the control's items.
AtkObject* childAt(LmAccessible& N, int Index) {
    if (Index < 0)
        return nullptr;
    if (!N.control) {
        if (!N.impl || N.item != 0 || Index >= static_cast<int>(N.impl->windows.size()))
            return nullptr;
        return N.impl->Object(*N.impl->windows[static_cast<std::size_t>(Index)].Form, -1);
    }
    if (N.item >= 0)
        return nullptr;
    const std::vector<TControl*> controls = AccessibleChildren(*N.control);
    if (Index < static_cast<int>(controls.size()))
        return N.impl->Object(*controls[static_cast<std::size_t>(Index)], -1);
    const int item = Index - static_cast<int>(controls.size());
    return item < N.control->AccessibleItemCount() ? N.impl->Object(*N.control, item) : nullptr;
}

AtkObject* refChild(AtkObject* Object, gint Index) {
    AtkObject* child = childAt(*node(Object), Index);
    return child ? ATK_OBJECT(g_object_ref(child)) : nullptr;
}

gint getIndexInParent(AtkObject* Object) {
    LmAccessible* n = node(Object);
    if (!n->control)
        return -1;
    if (n->item >= 0)
        return static_cast<gint>(AccessibleChildren(*n->control).size()) + n->item;
    if (!n->control->Parent()) {
        const auto& windows = n->impl->windows;
        for (std::size_t i = 0; i < windows.size(); ++i)
            if (windows[i].Form == n->control)
                return static_cast<gint>(i);
        return -1;
    }
    const std::vector<TControl*> siblings = AccessibleChildren(*n->control->Parent());
    auto it = std::find(siblings.begin(), siblings.end(), n->control);
    return it == siblings.end() ? -1 : static_cast<gint>(it - siblings.begin());
}

AtkStateSet* refStateSet(AtkObject* Object) {
    AtkStateSet* set = atk_state_set_new();
    LmAccessible* n = node(Object);
    if (!n->control) {
        if (n->item != 0)
            atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    const TAccessible a = describe(*n);
    const std::pair<TAccessibleState, AtkStateType> states[] = {
        {asFocusable, ATK_STATE_FOCUSABLE},    {asFocused, ATK_STATE_FOCUSED},
        {asSelectable, ATK_STATE_SELECTABLE},  {asSelected, ATK_STATE_SELECTED},
        {asCheckable, ATK_STATE_CHECKABLE},    {asChecked, ATK_STATE_CHECKED},
        {asExpandable, ATK_STATE_EXPANDABLE},  {asExpanded, ATK_STATE_EXPANDED},
        {asEditable, ATK_STATE_EDITABLE},      {asMultiLine, ATK_STATE_MULTI_LINE},
        {asSingleLine, ATK_STATE_SINGLE_LINE}, {asVisible, ATK_STATE_VISIBLE},
        {asShowing, ATK_STATE_SHOWING},        {asModal, ATK_STATE_MODAL},
        {asHorizontal, ATK_STATE_HORIZONTAL},  {asVertical, ATK_STATE_VERTICAL},
    };
    for (const auto& [ours, atk] : states)
        if (a.Has(ours))
            atk_state_set_add_state(set, atk);
    if (a.Has(asEnabled)) {
        atk_state_set_add_state(set, ATK_STATE_ENABLED);
        atk_state_set_add_state(set, ATK_STATE_SENSITIVE);
    }
    if (a.Has(asExpandable) && !a.Has(asExpanded))
        atk_state_set_add_state(set, ATK_STATE_COLLAPSED);
    if (n->control->ClassType()->InheritsFrom(&TCustomForm::ClassInfo())) {
        SDL_Window* window = n->impl ? n->impl->WindowOf(*n->control) : nullptr;
        if (window && (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS))
            atk_state_set_add_state(set, ATK_STATE_ACTIVE);
    }
    return set;
}

AtkAttributeSet* getAttributes(AtkObject* Object) {
    LmAccessible* n = node(Object);
    AtkAttributeSet* attributes = nullptr;
    if (n->control && n->item >= 0) {
        const TAccessible a = describe(*n);
        if (a.Level >= 0) {
            auto* level = static_cast<AtkAttribute*>(g_malloc(sizeof(AtkAttribute)));
            level->name = g_strdup("level");
            level->value = g_strdup_printf("%d", a.Level + 1);
            attributes = g_slist_prepend(attributes, level);
        }
    }
    return attributes;
}

void finalize(GObject* Object);
GObjectClass* g_parentClass = nullptr;

void classInit(gpointer Class, gpointer) {
    auto* atk = static_cast<AtkObjectClass*>(Class);
    atk->get_name = getName;
    atk->get_description = getDescription;
    atk->get_role = getRole;
    atk->get_parent = getParent;
    atk->get_n_children = getNChildren;
    atk->ref_child = refChild;
    atk->get_index_in_parent = getIndexInParent;
    atk->ref_state_set = refStateSet;
    atk->get_attributes = getAttributes;
    G_OBJECT_CLASS(Class)->finalize = finalize;
    g_parentClass = static_cast<GObjectClass*>(g_type_class_peek_parent(Class));
}

void finalize(GObject* Object) {
    LmAccessible* n = node(Object);
    g_free(n->name);
    g_free(n->description);
    g_parentClass->finalize(Object);
}

// --- AtkComponent ---------------------------------------------------------------------------

void getExtents(AtkComponent* Component, gint* X, gint* Y, gint* W, gint* H, AtkCoordType Coords) {
    LmAccessible* n = node(Component);
    *X = *Y = *W = *H = 0;
    if (!n->control)
        return;
    const TRect r = describe(*n).Bounds;
    int x = r.Left, y = r.Top;
    if (Coords == ATK_XY_SCREEN) {
        if (SDL_Window* window = n->impl->WindowOf(*n->control)) {
            int wx = 0, wy = 0;
            SDL_GetWindowPosition(window, &wx, &wy);
            x += wx;
            y += wy;
        }
    } else if (Coords == ATK_XY_PARENT) {
        if (AtkObject* parent = getParent(ATK_OBJECT(Component)); parent && node(parent)->control) {
            const TRect p = describe(*node(parent)).Bounds;
            x -= p.Left;
            y -= p.Top;
        }
    }
    *X = x;
    *Y = y;
    *W = r.Width();
    *H = r.Height();
}

gboolean grabFocus(AtkComponent* Component) {
    LmAccessible* n = node(Component);
    if (!n->control || n->item >= 0 || !n->control->ClassType()->InheritsFrom(&TWinControl::ClassInfo()))
        return FALSE;
    auto* win = static_cast<TWinControl*>(n->control);
    if (!win->CanFocus())
        return FALSE;
    win->SetFocus();
    return TRUE;
}

void componentInit(gpointer Iface, gpointer) {
    auto* c = static_cast<AtkComponentIface*>(Iface);
    c->get_extents = getExtents;
    c->grab_focus = grabFocus;
}

// --- AtkAction ------------------------------------------------------------------------------

gint getNActions(AtkAction* Action) {
    LmAccessible* n = node(Action);
    return n->control ? static_cast<gint>(describe(*n).Actions.size()) : 0;
}

const gchar* actionName(AtkAction* Action, gint I) {
    LmAccessible* n = node(Action);
    if (!n->control)
        return nullptr;
    const TAccessible a = describe(*n);
    if (I < 0 || I >= static_cast<gint>(a.Actions.size()))
        return nullptr;
    return g_intern_string(a.Actions[static_cast<std::size_t>(I)].c_str());
}

gboolean doAction(AtkAction* Action, gint I) {
    LmAccessible* n = node(Action);
    const gchar* name = actionName(Action, I);
    if (!name)
        return FALSE;
    return n->control->DoAccessibleAction(n->item, name) ? TRUE : FALSE;
}

void actionInit(gpointer Iface, gpointer) {
    auto* a = static_cast<AtkActionIface*>(Iface);
    a->get_n_actions = getNActions;
    a->get_name = actionName;
    a->do_action = doAction;
}

// --- Types ----------------------------------------------------------------------------------

GType baseType() {
    static const GType type = [] {
        const GTypeInfo info{sizeof(LmAccessibleClass), nullptr, nullptr, classInit, nullptr, nullptr,
                             sizeof(LmAccessible),      0,       nullptr, nullptr};
        const GType t = g_type_register_static(ATK_TYPE_OBJECT, "Lm7Accessible", &info, GTypeFlags(0));
        const GInterfaceInfo component{componentInit, nullptr, nullptr};
        const GInterfaceInfo action{actionInit, nullptr, nullptr};
        g_type_add_interface_static(t, ATK_TYPE_COMPONENT, &component);
        g_type_add_interface_static(t, ATK_TYPE_ACTION, &action);
        return t;
    }();
    return type;
}

// The type of objects that offer these interfaces besides component and action.
GType typeWith(unsigned Interfaces) {
    static GType types[8] = {};
    if (Interfaces == 0)
        return baseType();
    if (types[Interfaces])
        return types[Interfaces];
    const GTypeInfo info{sizeof(LmAccessibleClass), nullptr, nullptr, nullptr, nullptr, nullptr,
                         sizeof(LmAccessible),      0,       nullptr, nullptr};
    const std::string name = "Lm7Accessible" + std::string(Interfaces & kText ? "Text" : "") +
                             (Interfaces & kValue ? "Value" : "") +
                             (Interfaces & kSelection ? "Selection" : "");
    const GType t = g_type_register_static(baseType(), name.c_str(), &info, GTypeFlags(0));
    if (Interfaces & kText) {
        const GInterfaceInfo text{InitTextInterface, nullptr, nullptr};
        g_type_add_interface_static(t, ATK_TYPE_TEXT, &text);
    }
    if (Interfaces & kValue) {
        const GInterfaceInfo value{InitValueInterface, nullptr, nullptr};
        g_type_add_interface_static(t, ATK_TYPE_VALUE, &value);
    }
    if (Interfaces & kSelection) {
        const GInterfaceInfo selection{InitSelectionInterface, nullptr, nullptr};
        g_type_add_interface_static(t, ATK_TYPE_SELECTION, &selection);
    }
    types[Interfaces] = t;
    return t;
}

AtkObject* newObject(TAccessibleTree::TImpl* Impl, TControl* Control, int Item, unsigned Interfaces) {
    auto* object = static_cast<AtkObject*>(g_object_new(typeWith(Interfaces), nullptr));
    LmAccessible* n = node(object);
    n->impl = Impl;
    n->control = Control;
    n->item = Item;
    atk_object_initialize(object, nullptr);
    object->role = Control ? atkRole(DescribeAccessible(*Control, Item).Role) : ATK_ROLE_APPLICATION;
    return object;
}

}  // namespace

AtkObject* TAccessibleTree::TImpl::Root() {
    if (!m_root)
        m_root = newObject(this, nullptr, 0, 0);
    return m_root;
}

AtkObject* TAccessibleTree::TImpl::Object(TControl& Control, int Item) {
    const auto key = std::make_pair(&Control, Item);
    if (auto it = m_objects.find(key); it != m_objects.end())
        return it->second;
    unsigned interfaces = 0;
    if (Item < 0) {
        TAccessibleText text;
        if (Control.AccessibleText(text))
            interfaces |= kText;
        const TAccessible a = DescribeAccessible(Control);
        if (a.Value)
            interfaces |= kValue;
        if (a.Role == TAccessibleRole::List || a.Role == TAccessibleRole::TreeTable ||
            a.Role == TAccessibleRole::PageTabList || a.Role == TAccessibleRole::ComboBox ||
            a.Role == TAccessibleRole::Table)
            interfaces |= kSelection;
        Control.FreeNotification(m_watch.get());
    }
    AtkObject* object = newObject(this, &Control, Item, interfaces);
    m_objects.emplace(key, object);
    return object;
}

AtkObject* ItemObject(TAccessibleTree::TImpl& Impl, TControl& Control, int Item) {
    return Impl.Object(Control, Item);
}

// The control is going: its objects and those of its items become defunct.
void TAccessibleTree::TImpl::Forget(TComponent* Component) {
    // Compared as components: the control is part way through its destruction, no longer one.
    const auto going = [Component](const TControl* Control) {
        return static_cast<const TComponent*>(Control) == Component;
    };
    if (m_textControl && going(m_textControl))
        m_textControl = nullptr;
    std::erase_if(windows, [&](const TWindow& w) { return going(w.Form); });
    for (auto it = m_objects.begin(); it != m_objects.end();) {
        if (!going(it->first.first)) {
            ++it;
            continue;
        }
        AtkObject* object = it->second;
        node(object)->control = nullptr;
        node(object)->item = -1;
        atk_object_notify_state_change(object, ATK_STATE_DEFUNCT, TRUE);
        if (object == m_focused) {
            g_object_unref(m_focused);
            m_focused = nullptr;
        }
        g_object_unref(object);
        it = m_objects.erase(it);
    }
}

void TAccessibleTree::TImpl::NotifyChanges() {
    // The focus is in the window the desktop gives input to; the last one opened otherwise.
    TCustomForm* form = nullptr;
    for (const TWindow& w : windows)
        if (w.Window && (SDL_GetWindowFlags(w.Window) & SDL_WINDOW_INPUT_FOCUS))
            form = w.Form;
    if (!form && !windows.empty())
        form = windows.back().Form;
    if (!form)
        return;
    TControl* control = form->FocusedControl();
    if (!control)
        control = form;
    AtkObject* focus = Object(*control, -1);
    const TAccessible a = DescribeAccessible(*control);
    const int item = control->AccessibleFocusedItem();
    const bool itemFocus = item >= 0 && item < control->AccessibleItemCount() &&
                           (a.Role == TAccessibleRole::List || a.Role == TAccessibleRole::TreeTable ||
                            a.Role == TAccessibleRole::PageTabList || a.Role == TAccessibleRole::Table);
    if (itemFocus)
        focus = Object(*control, item);
    const bool moved = focus != m_focused;
    if (moved) {
        AtkObject* old = m_focused;
        m_focused = ATK_OBJECT(g_object_ref(focus));
        if (old) {
            atk_object_notify_state_change(old, ATK_STATE_FOCUSED, FALSE);
            if (node(old)->item >= 0)
                atk_object_notify_state_change(
                    old, ATK_STATE_SELECTED,
                    DescribeAccessible(*node(old)->control, node(old)->item).Has(asSelected));
        }
        if (itemFocus) {
            AtkObject* list = Object(*control, -1);
            g_signal_emit_by_name(list, "active-descendant-changed", focus);
            g_signal_emit_by_name(list, "selection-changed");
            atk_object_notify_state_change(focus, ATK_STATE_SELECTED, TRUE);
        }
        atk_object_notify_state_change(focus, ATK_STATE_FOCUSED, TRUE);
        if (old)
            g_object_unref(old);
    }
    // The focused object's marks: a reader hears a check box checked, a row opened.
    const std::uint32_t states = DescribeAccessible(*control, itemFocus ? item : -1).States;
    if (!moved) {
        const std::pair<TAccessibleState, AtkStateType> marks[] = {
            {asChecked, ATK_STATE_CHECKED}, {asExpanded, ATK_STATE_EXPANDED}, {asEnabled, ATK_STATE_ENABLED}};
        for (const auto& [ours, atk] : marks)
            if ((states ^ m_focusStates) & ours)
                atk_object_notify_state_change(focus, atk, (states & ours) != 0);
    }
    m_focusStates = states;
    // A combo's choice changes without moving the focus: its selection changed.
    if (!moved && !itemFocus && item != m_focusItem)
        g_signal_emit_by_name(focus, "selection-changed");
    m_focusItem = item;
    // The focused edit's text and caret.
    TAccessibleText text;
    if (!control->AccessibleText(text)) {
        m_textControl = nullptr;
        return;
    }
    AtkObject* edit = Object(*control, -1);
    if (control != m_textControl) {
        m_textControl = control;
        m_text = std::move(text);
        return;
    }
    if (text.Text != m_text.Text) {
        // One removal and one insertion: what lies between the common start and end.
        const std::string& before = m_text.Text;
        const std::string& after = text.Text;
        std::size_t head = 0;
        while (head < before.size() && head < after.size() && before[head] == after[head])
            ++head;
        while (head > 0 && (static_cast<unsigned char>(before[head]) & 0xC0) == 0x80)
            --head;  // back to the start of a character
        std::size_t tail = 0;
        while (tail < before.size() - head && tail < after.size() - head &&
               before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
            ++tail;
        while (tail > 0 && (static_cast<unsigned char>(before[before.size() - tail]) & 0xC0) == 0x80)
            --tail;
        const int at = characterCount(before.substr(0, head));
        const std::string removed = before.substr(head, before.size() - head - tail);
        const std::string inserted = after.substr(head, after.size() - head - tail);
        if (!removed.empty())
            g_signal_emit_by_name(edit, "text-remove", at, characterCount(removed), removed.c_str());
        if (!inserted.empty())
            g_signal_emit_by_name(edit, "text-insert", at, characterCount(inserted), inserted.c_str());
    }
    if (text.Caret != m_text.Caret || text.Text != m_text.Text)
        g_signal_emit_by_name(edit, "text-caret-moved", text.Caret);
    if (text.SelStart != m_text.SelStart || text.SelLength != m_text.SelLength)
        g_signal_emit_by_name(edit, "text-selection-changed");
    m_text = std::move(text);
}

// --- TAccessibleTree ------------------------------------------------------------------------

TAccessibleTree::TAccessibleTree() : m_impl(std::make_unique<TImpl>()) {}

TAccessibleTree::~TAccessibleTree() = default;

void TAccessibleTree::AddWindow(TCustomForm& Form, SDL_Window* Window) {
    m_impl->windows.push_back(TImpl::TWindow{&Form, Window});
    AtkObject* frame = m_impl->Object(Form, -1);
    g_signal_emit_by_name(m_impl->Root(), "children-changed::add",
                          static_cast<gint>(m_impl->windows.size() - 1), frame);
}

void TAccessibleTree::RemoveWindow(TCustomForm& Form) {
    auto& windows = m_impl->windows;
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [&](const TImpl::TWindow& w) { return w.Form == &Form; }),
                  windows.end());
}

AtkObject* TAccessibleTree::Root() { return m_impl->Root(); }

AtkObject* TAccessibleTree::Accessible(TControl& Control, int Item) { return m_impl->Object(Control, Item); }

void TAccessibleTree::NotifyChanges() { m_impl->NotifyChanges(); }

}  // namespace host

#include "framework/controls/ListBox.h"

#include "framework/controls/DrawText.h"
#include "framework/controls/FocusFrame.h"
#include "framework/controls/Panel.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"

#include <algorithm>

namespace framework {

void DrawFocusRect(TCanvas& Canvas, const TRect& R) {
    if (R.IsEmpty())
        return;
    auto invert = [&](int x, int y) {
        const TColor c = Canvas.Pixels(x, y);
        if (c != CLR_INVALID)
            Canvas.SetPixel(x, y, c ^ 0x00FFFFFF);
    };
    for (int x = R.Left; x < R.Right; x += 2) {
        invert(x, R.Top);
        if (R.Bottom - 1 > R.Top)
            invert(x, R.Bottom - 1);
    }
    for (int y = R.Top + 2; y < R.Bottom - 1; y += 2) {
        invert(R.Left, y);
        if (R.Right - 1 > R.Left)
            invert(R.Right - 1, y);
    }
}

// The list box's items: the strings live in the list box, which keeps its selection and
// repaints as they change.
class TCustomListBox::TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox& owner) : m_box(owner) {}

    int Count() const override { return m_box.Count(); }
    std::string Strings(int Index) const override {
        check(Index);
        return m_box.ItemText(Index);
    }
    void Put(int Index, const std::string& S) override {
        check(Index);
        if (m_box.IsVirtual())
            return;
        m_box.m_items[static_cast<std::size_t>(Index)].Text = S;
        m_box.Invalidate();
    }
    TObject* Objects(int Index) const override {
        check(Index);
        if (m_box.IsVirtual()) {
            TObject* obj = nullptr;
            if (m_box.OnDataObject)
                m_box.OnDataObject(&m_box, Index, obj);
            return obj;
        }
        return m_box.m_items[static_cast<std::size_t>(Index)].Object;
    }
    void PutObject(int Index, TObject* AObject) override {
        check(Index);
        if (!m_box.IsVirtual())
            m_box.m_items[static_cast<std::size_t>(Index)].Object = AObject;
    }
    void Insert(int Index, const std::string& S) override { InsertObject(Index, S, nullptr); }
    void InsertObject(int Index, const std::string& S, TObject* AObject) override {
        if (m_box.IsVirtual())
            throw EListError("Operation not supported on a virtual list box");
        if (Index < 0 || Index > Count())
            IndexError(Index);
        m_box.m_items.insert(m_box.m_items.begin() + Index, Item{S, AObject, 0});
        m_box.ItemsInserted(Index);
    }
    // A sorted list box puts a new string in its place.
    int AddObject(const std::string& S, TObject* AObject) override {
        int index = Count();
        if (m_box.m_sorted) {
            auto it = std::upper_bound(
                m_box.m_items.begin(), m_box.m_items.end(), S,
                [](const std::string& s, const Item& item) { return AnsiCompareText(s, item.Text) < 0; });
            index = static_cast<int>(it - m_box.m_items.begin());
        }
        InsertObject(index, S, AObject);
        return index;
    }
    int Add(const std::string& S) override { return AddObject(S, nullptr); }
    void Delete(int Index) override {
        check(Index);
        if (m_box.IsVirtual())
            return;
        m_box.m_items.erase(m_box.m_items.begin() + Index);
        m_box.ItemsDeleted(Index);
    }
    void Clear() override { m_box.Clear(); }

private:
    void check(int Index) const {
        if (Index < 0 || Index >= Count())
            IndexError(Index);
    }
    TCustomListBox& m_box;
};

const TClassInfo& TCustomListBox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomListBox, TCustomControl>("TCustomListBox")
            .Object<TCustomListBox, TStrings>("Items", &TCustomListBox::Items, &TCustomListBox::SetItems)
            .StoredWhen([](const TObject& c) { return !static_cast<const TCustomListBox&>(c).IsVirtual(); })
            .Integer<TCustomListBox>("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex,
                                     -1)
            .Integer<TCustomListBox>("ItemHeight", &TCustomListBox::ItemHeight,
                                     &TCustomListBox::SetItemHeight, 16)
            .Enum<TCustomListBox>(
                "Style",
                {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable", "lbVirtual", "lbVirtualOwnerDraw"},
                &TCustomListBox::Style, &TCustomListBox::SetStyle, lbStandard)
            .Bool<TCustomListBox>("MultiSelect", &TCustomListBox::MultiSelect,
                                  &TCustomListBox::SetMultiSelect, false)
            .Bool<TCustomListBox>("ExtendedSelect", &TCustomListBox::ExtendedSelect,
                                  &TCustomListBox::SetExtendedSelect, true)
            .Bool<TCustomListBox>("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted, false)
            .Enum<TCustomListBox>("BorderStyle", {"bsNone", "bsSingle"}, &TCustomListBox::BorderStyle,
                                  &TCustomListBox::SetBorderStyle, bsSingle)
            .Integer<TCustomListBox>("Count", &TCustomListBox::Count, &TCustomListBox::SetCount, 0)
            .StoredWhen([](const TObject& c) { return static_cast<const TCustomListBox&>(c).IsVirtual(); })
            .Event<TCustomListBox>("OnDrawItem", &TCustomListBox::OnDrawItem)
            .Event<TCustomListBox>("OnMeasureItem", &TCustomListBox::OnMeasureItem)
            .Event<TCustomListBox>("OnData", &TCustomListBox::OnData)
            .Event<TCustomListBox>("OnDataObject", &TCustomListBox::OnDataObject);
    return info;
}

const TClassInfo& TListBox::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TListBox, TCustomListBox>("TListBox");
    return info;
}

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomControl(AOwner), m_strings(new TListBoxStrings(*this)) {
    // Selection changes are the list box's clicks, not every button release.
    SetControlStyle((ControlStyle() & ~csClickEvents) | csDoubleClicks);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

int TCustomListBox::Count() const { return IsVirtual() ? m_virtualCount : static_cast<int>(m_items.size()); }

void TCustomListBox::SetCount(int Value) {
    if (!IsVirtual())
        throw EListError("Count can only be set on a virtual list box");
    Value = std::max(Value, 0);
    m_virtualCount = Value;
    m_selected.assign(static_cast<std::size_t>(Value), false);
    if (m_itemIndex >= Value)
        m_itemIndex = -1;
    SetTopIndex(m_topIndex);
    Invalidate();
    ApplyLoadedItemIndex();
}

void TCustomListBox::Loaded() {
    TCustomControl::Loaded();
    ApplyLoadedItemIndex();
}

void TCustomListBox::ApplyLoadedItemIndex() {
    if (m_loadedItemIndex && !HasState(csLoading) && *m_loadedItemIndex < Count())
        SetItemIndex(*m_loadedItemIndex);
}

void TCustomListBox::Clear() {
    m_items.clear();
    m_selected.clear();
    m_virtualCount = 0;
    m_itemIndex = -1;
    m_anchor = -1;
    m_topIndex = 0;
    Invalidate();
}

std::string TCustomListBox::ItemText(int Index) const {
    if (IsVirtual()) {
        std::string data;
        if (OnData)
            OnData(const_cast<TCustomListBox*>(this), Index, data);
        return data;
    }
    return m_items.at(static_cast<std::size_t>(Index)).Text;
}

void TCustomListBox::ItemsInserted(int Index) {
    if (m_multiSelect)
        m_selected.insert(m_selected.begin() + Index, false);
    if (m_itemIndex >= Index)
        ++m_itemIndex;
    if (m_style == lbOwnerDrawVariable) {
        int h = m_itemHeight;
        MeasureItem(Index, h);
        m_items[static_cast<std::size_t>(Index)].Height = h;
    }
    Invalidate();
}

void TCustomListBox::ItemsDeleted(int Index) {
    if (m_multiSelect && Index < static_cast<int>(m_selected.size()))
        m_selected.erase(m_selected.begin() + Index);
    if (m_itemIndex == Index && !m_multiSelect)
        m_itemIndex = -1;
    else if (m_itemIndex > Index || m_itemIndex >= Count())
        --m_itemIndex;
    SetTopIndex(m_topIndex);
    Invalidate();
}

void TCustomListBox::SetItemIndex(int Value) {
    if (HasState(csLoading) && Value >= Count()) {
        m_loadedItemIndex = Value;
        return;
    }
    m_loadedItemIndex.reset();
    if (Value < -1 || Value >= Count())
        Value = -1;
    if (m_itemIndex == Value)
        return;
    const int old = m_itemIndex, top = m_topIndex;
    m_itemIndex = Value;
    if (!m_multiSelect)
        m_anchor = Value;
    if (Value >= 0)
        MakeVisible(Value);
    // Unscrolled, a single selection changes the rows it leaves and takes, and nothing else.
    if (m_topIndex != top || m_multiSelect) {
        Invalidate();
        return;
    }
    for (int row : {old, Value})
        if (row >= 0 && row < Count())
            InvalidateRect(ItemRect(row));
}

void TCustomListBox::SetMultiSelect(bool Value) {
    if (m_multiSelect == Value)
        return;
    m_multiSelect = Value;
    m_selected.assign(static_cast<std::size_t>(Count()), false);
    if (Value && m_itemIndex >= 0)
        m_selected[static_cast<std::size_t>(m_itemIndex)] = true;
    RecreateWnd();
    Invalidate();
}

bool TCustomListBox::Selected(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return m_multiSelect ? static_cast<bool>(m_selected[static_cast<std::size_t>(Index)])
                         : Index == m_itemIndex;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    if (m_multiSelect)
        m_selected[static_cast<std::size_t>(Index)] = Value;
    else if (Value)
        SetItemIndex(Index);
    else if (m_itemIndex == Index)
        SetItemIndex(-1);
    Invalidate();
}

int TCustomListBox::SelCount() const {
    if (!m_multiSelect)
        return -1;
    return static_cast<int>(std::count(m_selected.begin(), m_selected.end(), true));
}

void TCustomListBox::ClearSelection() {
    if (m_multiSelect)
        std::fill(m_selected.begin(), m_selected.end(), false);
    else
        SetItemIndex(-1);
    Invalidate();
}

void TCustomListBox::SelectAll() {
    if (m_multiSelect) {
        std::fill(m_selected.begin(), m_selected.end(), true);
        Invalidate();
    }
}

void TCustomListBox::SelectRange(int From, int To, bool Value) {
    if (From > To)
        std::swap(From, To);
    for (int i = std::max(From, 0); i <= To && i < Count(); ++i)
        m_selected[static_cast<std::size_t>(i)] = Value;
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    if (m_style == Value)
        return;
    const bool wasVirtual = IsVirtual();
    m_style = Value;
    if (wasVirtual != IsVirtual())
        Clear();
    RecreateWnd();
    if (m_style == lbOwnerDrawVariable)
        MeasureAll();
    Invalidate();
}

void TCustomListBox::SetItemHeight(int Value) {
    if (Value <= 0 || Value == m_itemHeight)
        return;
    m_itemHeight = Value;
    SetTopIndex(m_topIndex);
    Invalidate();
}

void TCustomListBox::SetSorted(bool Value) {
    if (m_sorted == Value)
        return;
    m_sorted = Value;
    if (Value && !IsVirtual()) {
        std::stable_sort(m_items.begin(), m_items.end(),
                         [](const Item& a, const Item& b) { return AnsiCompareText(a.Text, b.Text) < 0; });
        ClearSelection();
    }
    Invalidate();
}

int TCustomListBox::ItemHeightAt(int Index) const {
    if (m_style == lbOwnerDrawVariable && !IsVirtual() && Index >= 0 &&
        Index < static_cast<int>(m_items.size()))
        return std::max(m_items[static_cast<std::size_t>(Index)].Height, 1);
    return m_itemHeight;
}

int TCustomListBox::ItemsPerPage() const {
    const int height = ClientHeight();
    if (m_style != lbOwnerDrawVariable)
        return std::max(height / m_itemHeight, 1);
    int y = 0, n = 0;
    for (int i = m_topIndex; i < Count() && y + ItemHeightAt(i) <= height; ++i, ++n)
        y += ItemHeightAt(i);
    return std::max(n, 1);
}

void TCustomListBox::SetTopIndex(int Value) {
    // The last page stays full: the top never goes past the first item of the last page.
    int maxTop = 0;
    if (m_style != lbOwnerDrawVariable) {
        maxTop = std::max(Count() - std::max(ClientHeight() / m_itemHeight, 1), 0);
    } else {
        int y = 0;
        maxTop = Count();
        while (maxTop > 0 && y + ItemHeightAt(maxTop - 1) <= ClientHeight())
            y += ItemHeightAt(--maxTop);
    }
    Value = std::clamp(Value, 0, maxTop);
    if (Value != m_topIndex) {
        m_topIndex = Value;
        Invalidate();
    }
}

void TCustomListBox::MakeVisible(int Index) {
    if (Index < m_topIndex)
        SetTopIndex(Index);
    else if (Index >= m_topIndex + ItemsPerPage())
        SetTopIndex(Index - ItemsPerPage() + 1);
}

TRect TCustomListBox::ItemRect(int Index) const {
    const int width = ClientWidth();
    if (Index < 0 || Index > Count())
        return TRect{};
    if (m_style != lbOwnerDrawVariable) {
        const int top = (Index - m_topIndex) * m_itemHeight;
        return Rect(0, top, width, top + m_itemHeight);
    }
    int y = 0;
    if (Index >= m_topIndex)
        for (int i = m_topIndex; i < Index; ++i)
            y += ItemHeightAt(i);
    else
        for (int i = Index; i < m_topIndex; ++i)
            y -= ItemHeightAt(i);
    return Rect(0, y, width, y + ItemHeightAt(Index));
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const {
    if (Pos.X < 0 || Pos.X >= ClientWidth() || Pos.Y < 0)
        return -1;
    int index = m_topIndex;
    if (m_style != lbOwnerDrawVariable) {
        index += Pos.Y / m_itemHeight;
    } else {
        int y = 0;
        while (index < Count() && y + ItemHeightAt(index) <= Pos.Y)
            y += ItemHeightAt(index++);
    }
    if (index < Count())
        return index;
    return Existing ? -1 : Count();
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

void TCustomListBox::MeasureAll() {
    if (m_style != lbOwnerDrawVariable || IsVirtual())
        return;
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i) {
        int h = m_itemHeight;
        MeasureItem(i, h);
        m_items[static_cast<std::size_t>(i)].Height = h;
    }
}

void TCustomListBox::CreateWnd() {
    TCustomControl::CreateWnd();
    MeasureAll();
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    DefaultDrawItem(Index, Rect);
}

// A standard list box has no owner-draw event: its items always get the default picture.
void TCustomListBox::DrawStandardItem(int Index, TRect Rect, TOwnerDrawState) {
    DefaultDrawItem(Index, Rect);
}

void TCustomListBox::DefaultDrawItem(int Index, TRect Rect) {
    TCanvas& canvas = *Canvas();
    canvas.FillRect(Rect);
    if (Index < Count()) {
        Rect.Left += 2;
        DrawText(canvas, ItemText(Index), Rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
}

bool TCustomListBox::ItemFlag(int Index) const {
    if (IsVirtual())
        return false;
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return m_items[static_cast<std::size_t>(Index)].Flag;
}

void TCustomListBox::SetItemFlag(int Index, bool Value) {
    if (IsVirtual())
        return;
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    m_items[static_cast<std::size_t>(Index)].Flag = Value;
    Invalidate();
}

TRect TCustomListBox::FocusFrameRect() {
    const TRect client = ClientRect();
    if (m_itemIndex >= 0 && m_itemIndex < Count() && !IntersectRect(ItemRect(m_itemIndex), client).IsEmpty())
        return TRect{};
    return TCustomControl::FocusFrameRect();
}

// Sets the canvas up as the classic list box does before an item is drawn: the control's font
// and brush, the highlight colours for a selected item, a focus frame on the caret that stands
// out from the item, selected or not.
void TCustomListBox::PaintItem(TCanvas& Canvas, int Index) {
    TOwnerDrawState state = 0;
    if (Selected(Index))
        state |= odSelected;
    if (!Enabled())
        state |= odDisabled;
    if (Focused() && Index == m_itemIndex)
        state |= odFocused;
    const TRect rect = ItemRect(Index);
    Canvas.Font()->Assign(Font());
    Canvas.Brush()->Assign(Brush());
    if (state & odSelected) {
        Canvas.Brush()->SetColor(clHighlight);
        Canvas.Font()->SetColor(clHighlightText);
    }
    if (IsOwnerDraw())
        DrawItem(Index, rect, state);
    else
        DrawStandardItem(Index, rect, state);
    if (state & odFocused)
        DrawFocusFrame(Canvas, rect, (state & odSelected) ? clHighlightText : Font()->Color());
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
    if (m_borderStyle == Value)
        return;
    m_borderStyle = Value;
    BorderChanged();
    SetTopIndex(m_topIndex);
}

// The sunken three-dimensional edge of the classic list box.
void TCustomListBox::PaintBorder(TCanvas& Canvas, TRect Bounds) {
    Frame3D(Canvas, Bounds, clBtnShadow, clBtnHighlight, 1);
    Frame3D(Canvas, Bounds, cl3DDkShadow, cl3DLight, 1);
}

void TCustomListBox::Paint() {
    TCanvas& canvas = *Canvas();
    const int height = ClientHeight();
    for (int i = m_topIndex; i < Count(); ++i) {
        if (ItemRect(i).Top >= height)
            break;
        PaintItem(canvas, i);
    }
}

void TCustomListBox::MoveCaret(int NewIndex, TShiftState Shift) {
    if (Count() == 0)
        return;
    NewIndex = std::clamp(NewIndex, 0, Count() - 1);
    if (!m_multiSelect) {
        if (NewIndex != m_itemIndex) {
            SetItemIndex(NewIndex);
            Click();
        }
        return;
    }
    m_itemIndex = NewIndex;
    if (m_extendedSelect) {
        if (!(Shift & ssShift) || m_anchor < 0)
            m_anchor = NewIndex;
        if (!(Shift & ssCtrl))
            std::fill(m_selected.begin(), m_selected.end(), false);
        SelectRange(m_anchor, NewIndex, true);
        Click();
    }
    MakeVisible(NewIndex);
    Invalidate();
}

void TCustomListBox::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    const int current = m_itemIndex < 0 ? -1 : m_itemIndex;
    switch (Key) {
    case VK_UP:
        MoveCaret(current < 0 ? 0 : current - 1, Shift);
        break;
    case VK_DOWN:
        MoveCaret(current + 1, Shift);
        break;
    case VK_HOME:
        MoveCaret(0, Shift);
        break;
    case VK_END:
        MoveCaret(Count() - 1, Shift);
        break;
    case VK_PRIOR:
        MoveCaret(std::max(current, 0) - ItemsPerPage() + 1, Shift);
        break;
    case VK_NEXT:
        MoveCaret(std::max(current, 0) + ItemsPerPage() - 1, Shift);
        break;
    case VK_SPACE:
        if (m_multiSelect && m_itemIndex >= 0) {
            SetSelected(m_itemIndex, !Selected(m_itemIndex));
            Click();
        }
        break;
    default:
        return;
    }
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        const int index = ItemAtPos(TPoint{X, Y}, true);
        if (index >= 0) {
            if (m_multiSelect && (!m_extendedSelect || (Shift & ssCtrl))) {
                // A plain multi-select list, or Ctrl in an extended one: the click toggles.
                m_itemIndex = index;
                m_anchor = index;
                SetSelected(index, !Selected(index));
                Click();
            } else {
                MoveCaret(index, Shift);
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::WndProc(TMessage& Message) {
    // A list that has more than it shows takes the wheel; one that shows all leaves it to its
    // parent, which may scroll.
    if (Message.Msg == WM_MOUSEWHEEL && Count() > ItemsPerPage()) {
        // WParam's high word is the wheel distance; 120 is one notch of three lines.
        const int delta = static_cast<std::int16_t>(Message.WParam >> 16);
        SetTopIndex(m_topIndex - delta / 120 * 3);
        return;
    }
    TCustomControl::WndProc(Message);
}

bool TCustomListBox::ScrollContent(int Bar, TScrollInfo& Info) {
    if (Bar != SB_VERT)
        return false;
    Info.nMin = 0;
    Info.nMax = std::max(Count() - 1, 0);
    // A variable list's page is the items that fit from the top one, as its last page shows.
    Info.nPage = Count() == 0 ? 0 : ItemsPerPage();
    Info.nPos = m_topIndex;
    return true;
}

void TCustomListBox::ScrollContentTo(int Bar, int Pos) {
    if (Bar == SB_VERT)
        SetTopIndex(Pos);
}

}  // namespace framework

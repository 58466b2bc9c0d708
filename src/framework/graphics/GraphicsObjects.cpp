#include "framework/graphics/GraphicsObjects.h"

#include "framework/classes/TypInfo.h"
#include "framework/graphics/ColorProp.h"

#include <algorithm>
#include <cstdlib>

namespace framework {

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

// --- TFont ------------------------------------------------------------------------------------

const TClassInfo& TFont::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TFont, TPersistent>("TFont")
            .Integer<TFont>("Charset", &TFont::Charset, &TFont::SetCharset, DEFAULT_CHARSET)
            .Property(ColorProperty<TFont>("Color", &TFont::Color, &TFont::SetColor, clWindowText))
            .Integer<TFont>("Height", &TFont::Height, &TFont::SetHeight)
            .String<TFont>("Name", &TFont::Name, &TFont::SetName)
            .Integer<TFont>("PixelsPerInch", &TFont::PixelsPerInch, &TFont::SetPixelsPerInch, 96)
            .Integer<TFont>("Size", &TFont::Size, &TFont::SetSize)
            .StoredWhen([](const TObject&) { return false; })  // Height says it
            .SetOf<TFont>("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::Style,
                          &TFont::SetStyle, 0);
    return info;
}

void TFont::Changed() {
    if (OnChange)
        OnChange(this);
}

void TFont::SetName(const std::string& value) {
    if (value == m_name || value.empty())
        return;
    m_name = value;
    Changed();
}

void TFont::SetHeight(int value) {
    if (value == m_height)
        return;
    m_height = value;
    Changed();
}

int TFont::Size() const { return -MulDiv(m_height, 72, m_pixelsPerInch); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, m_pixelsPerInch, 72)); }

void TFont::SetPixelsPerInch(int value) {
    if (value <= 0 || value == m_pixelsPerInch)
        return;
    m_pixelsPerInch = value;
    Changed();
}

void TFont::SetStyle(TFontStyles value) {
    value &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
    if (value == m_style)
        return;
    m_style = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (value == m_color)
        return;
    m_color = value;
    Changed();
}

void TFont::SetCharset(int value) {
    if (value == m_charset)
        return;
    m_charset = value;
    Changed();
}

void TFont::Assign(const TPersistent* Source) {
    if (const auto* src = As<TFont>(const_cast<TPersistent*>(Source))) {
        // The classic Assign keeps the target's PixelsPerInch and carries the size in points.
        const int size = src->Size();
        m_name = src->m_name;
        m_height =
            src->m_pixelsPerInch == m_pixelsPerInch ? src->m_height : -MulDiv(size, m_pixelsPerInch, 72);
        m_style = src->m_style;
        m_color = src->m_color;
        m_charset = src->m_charset;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

// --- TBrush -----------------------------------------------------------------------------------

const TClassInfo& TBrush::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TBrush, TPersistent>("TBrush")
            .Property(ColorProperty<TBrush>("Color", &TBrush::Color, &TBrush::SetColor, clWhite))
            .Enum<TBrush>("Style",
                          {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
                           "bsCross", "bsDiagCross"},
                          &TBrush::Style, &TBrush::SetStyle, bsSolid);
    return info;
}

void TBrush::Changed() {
    if (OnChange)
        OnChange(this);
}

void TBrush::SetColor(TColor value) {
    // As in the classic brush, choosing a colour makes a clear brush solid again.
    if (value == m_color && m_style != bsClear)
        return;
    m_color = value;
    if (m_style == bsClear)
        m_style = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value < bsSolid || value > bsDiagCross || value == m_style)
        return;
    m_style = value;
    Changed();
}

void TBrush::Assign(const TPersistent* Source) {
    if (const auto* src = As<TBrush>(const_cast<TPersistent*>(Source))) {
        m_color = src->m_color;
        m_style = src->m_style;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

// --- TPen -------------------------------------------------------------------------------------

const TClassInfo& TPen::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TPen, TPersistent>("TPen")
            .Property(ColorProperty<TPen>("Color", &TPen::Color, &TPen::SetColor, clBlack))
            .Enum<TPen>(
                "Style",
                {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"},
                &TPen::Style, &TPen::SetStyle, psSolid)
            .Integer<TPen>("Width", &TPen::Width, &TPen::SetWidth, 1);
    return info;
}

void TPen::Changed() {
    if (OnChange)
        OnChange(this);
}

void TPen::SetColor(TColor value) {
    if (value == m_color)
        return;
    m_color = value;
    Changed();
}

void TPen::SetWidth(int value) {
    value = std::clamp(value, 1, 1000);
    if (value == m_width)
        return;
    m_width = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (value < psSolid || value > psInsideFrame || value == m_style)
        return;
    m_style = value;
    Changed();
}

void TPen::Assign(const TPersistent* Source) {
    if (const auto* src = As<TPen>(const_cast<TPersistent*>(Source))) {
        m_color = src->m_color;
        m_width = src->m_width;
        m_style = src->m_style;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

}  // namespace framework

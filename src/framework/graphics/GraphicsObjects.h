#pragma once
// The three drawing tools a canvas owns: the font for text, the brush for areas and the pen for
// lines. Each tells its owner of every change through OnChange, as the classic tools do.

#include "framework/classes/Events.h"
#include "framework/classes/Object.h"
#include "framework/graphics/Colors.h"

#include <cstdint>
#include <string>

namespace framework {

class TClassInfo;

// A set of font styles as a bit mask: bit i for element i, as the property tables expect.
using TFontStyles = unsigned;
inline constexpr TFontStyles fsBold = 1u << 0;
inline constexpr TFontStyles fsItalic = 1u << 1;
inline constexpr TFontStyles fsUnderline = 1u << 2;
inline constexpr TFontStyles fsStrikeOut = 1u << 3;

inline constexpr int DEFAULT_CHARSET = 1;

// The classic MulDiv: a * b / c rounded half away from zero, with a 64-bit product; -1 for c = 0.
int MulDiv(int a, int b, int c);

class TFont : public TPersistent {
public:
    TFont() = default;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& value);
    // Height in pixels; negative is the character (em) height, positive the cell height.
    int Height() const { return m_height; }
    void SetHeight(int value);
    // Size in points: Height = -MulDiv(Size, PixelsPerInch, 72).
    int Size() const;
    void SetSize(int value);
    int PixelsPerInch() const { return m_pixelsPerInch; }
    void SetPixelsPerInch(int value);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    int Charset() const { return m_charset; }
    void SetCharset(int value);

    void Assign(const TPersistent* Source) override;
    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    std::string m_name = "DejaVu Sans";
    int m_height = -11;  // 8 points at 96 pixels per inch
    int m_pixelsPerInch = 96;
    TFontStyles m_style = 0;
    TColor m_color = clWindowText;
    int m_charset = DEFAULT_CHARSET;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TPersistent {
public:
    TBrush() = default;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle value);

    void Assign(const TPersistent* Source) override;
    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TPersistent {
public:
    TPen() = default;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    // At least 1; a smaller value is taken as 1, as a cosmetic pen is.
    int Width() const { return m_width; }
    void SetWidth(int value);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle value);

    void Assign(const TPersistent* Source) override;
    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
};

}  // namespace framework

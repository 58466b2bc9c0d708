#pragma once
// The text engine behind TCanvas: FreeType faces found through fontconfig, each opened once per
// pixel size, with the rendered grey coverage and advance of every glyph kept for reuse.
// Everything here runs on the thread that paints; nothing is locked.

#include "framework/graphics/GraphicsObjects.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace framework {

// One rendered glyph: an 8-bit coverage bitmap placed relative to the pen on the baseline.
struct TGlyph {
    int Advance = 0;  // whole pixels to the next pen position
    int Left = 0;     // from the pen to the bitmap's first column
    int Top = 0;      // from the baseline up to the bitmap's first row
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Coverage;  // Width * Height, row by row
};

class TFontEngine;

// A face at one pixel size, with its glyph cache.
class TFontInstance {
public:
    TFontInstance(const TFontInstance&) = delete;
    TFontInstance& operator=(const TFontInstance&) = delete;
    ~TFontInstance();

    // The classic text metrics: the cell is Ascent above the baseline and Descent below it.
    int Ascent() const { return m_ascent; }
    int Descent() const { return m_descent; }
    int Height() const { return m_ascent + m_descent; }
    int UnderlinePosition() const { return m_underlinePos; }  // rows below the baseline
    int LineThickness() const { return m_lineThickness; }
    int StrikeOutPosition() const { return m_strikeOutPos; }  // rows above the baseline

    // The glyph for a code point, from this face or, where it has none, from a fallback font.
    const TGlyph& Glyph(char32_t cp) {
        if (cp < 128 && m_ascii[cp])
            return *m_ascii[cp];
        return LoadGlyph(cp);
    }
    int TextWidth(std::string_view utf8);
    bool HasGlyph(char32_t cp) const;
    // Every code point below 0x10000 that this face maps to a glyph, ascending.
    std::vector<std::uint32_t> CharCodes16() const;

private:
    friend class TFontEngine;
    TFontInstance(TFontEngine& engine, void* face, int pixelSize, bool emboldenWanted, bool slantWanted);
    const TGlyph& LoadGlyph(char32_t cp);
    std::unique_ptr<TGlyph> Render(unsigned glyphIndex);

    TFontEngine& m_engine;
    void* m_face;  // FT_Face, kept opaque so callers need no FreeType headers
    int m_pixelSize;
    bool m_embolden;
    bool m_slant;
    int m_ascent = 0, m_descent = 0, m_underlinePos = 1, m_lineThickness = 1, m_strikeOutPos = 3;
    std::array<const TGlyph*, 128> m_ascii{};
    std::unordered_map<char32_t, const TGlyph*> m_byCode;
    std::vector<std::unique_ptr<TGlyph>> m_owned;
};

// The instance for a font's family, bold/italic style and height. A negative height is the em
// size in pixels, a positive one the cell height (ascent + descent), 0 the default 11 pixels.
// Raises EInvalidGraphic only when no usable font is installed at all.
TFontInstance& FindFontInstance(const TFont& font);
TFontInstance& FindFontInstance(const std::string& family, TFontStyles style, int height);

// How many of a text's characters an installed font family shows (the best of its faces).
struct TFontCoverage {
    std::string Family;
    int Shown = 0;
};
struct TTextCoverage {
    std::vector<char32_t> Characters;  // the distinct characters asked about, in text order
    std::vector<TFontCoverage> Fonts;  // families showing any of them: most first, then by name
    std::vector<char32_t> Unshown;     // the characters no installed font shows, in text order
    // The families that show every character.
    std::vector<std::string> Complete() const {
        std::vector<std::string> names;
        for (const TFontCoverage& f : Fonts)
            if (f.Shown == static_cast<int>(Characters.size()))
                names.push_back(f.Family);
        return names;
    }
};
// Asks fontconfig's character sets of every installed font about the text's characters;
// control characters are left out, as no font draws them.
TTextCoverage FontsForText(std::string_view text);

// Decodes the next code point of UTF-8 text; malformed bytes give U+FFFD and are skipped one by one.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

}  // namespace framework

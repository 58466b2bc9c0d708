#include "framework/graphics/FontEngine.h"

#include "framework/rtl/Exceptions.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <tuple>

namespace framework {

namespace {

// Glyphs beyond this em size would cost megabytes each; text that large is clamped.
constexpr int kMaxEmPixels = 1024;
constexpr int kDefaultEmPixels = 11;

FT_Face asFace(void* p) { return static_cast<FT_Face>(p); }

int round26_6(FT_Long v) { return static_cast<int>((v + 32) >> 6); }

// The unscaled cell of a face: the Windows ascent and descent when the font has them.
void unscaledCell(FT_Face face, long& ascent, long& descent) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    } else {
        ascent = face->ascender;
        descent = -face->descender;
    }
}

std::string lower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

}  // namespace

// Owns FreeType, the fontconfig configuration and every face instance, for the whole run.
class TFontEngine {
public:
    TFontEngine() {
        if (FT_Init_FreeType(&m_library) != 0)
            throw EInvalidGraphic("The font engine could not be started");
        m_config = FcInitLoadConfigAndFonts();
    }
    ~TFontEngine() {
        m_instances.clear();
        m_fallbacks.clear();
        FT_Done_FreeType(m_library);
        if (m_config)
            FcConfigDestroy(m_config);
        FcFini();
    }

    FcConfig* Config() const { return m_config; }

    TFontInstance& Find(const std::string& family, TFontStyles style, int height) {
        const bool bold = (style & fsBold) != 0, italic = (style & fsItalic) != 0;
        const Match& match = Resolve(family, bold, italic);
        int em = kDefaultEmPixels;
        if (height < 0) {
            em = -height;
        } else if (height > 0) {
            // A positive height asks for a cell of that many pixels.
            em = static_cast<int>((static_cast<long long>(height) * match.UnitsPerEm + match.CellUnits / 2) /
                                  std::max<long>(1, match.CellUnits));
        }
        em = std::clamp(em, 1, kMaxEmPixels);
        auto key = std::make_tuple(match.File, match.Index, em, match.Embolden, match.Slant);
        auto it = m_instances.find(key);
        if (it != m_instances.end())
            return *it->second;
        auto inst = Open(match, em);
        auto& ref = *inst;
        m_instances.emplace(key, std::move(inst));
        return ref;
    }

    // An instance of some installed font that has the code point; null when none has it.
    TFontInstance* Fallback(char32_t cp, int em, bool embolden, bool slant) {
        auto key = std::make_tuple(cp, em, embolden, slant);
        if (auto it = m_fallbackByCode.find(key); it != m_fallbackByCode.end())
            return it->second;
        TFontInstance* found = nullptr;
        if (m_config) {
            FcPattern* pattern = FcPatternCreate();
            FcCharSet* charset = FcCharSetCreate();
            FcCharSetAddChar(charset, static_cast<FcChar32>(cp));
            FcPatternAddCharSet(pattern, FC_CHARSET, charset);
            FcConfigSubstitute(m_config, pattern, FcMatchPattern);
            FcDefaultSubstitute(pattern);
            FcResult result = FcResultNoMatch;
            FcFontSet* set = FcFontSort(m_config, pattern, FcTrue, nullptr, &result);
            for (int i = 0; set && i < set->nfont && !found; ++i) {
                FcCharSet* has = nullptr;
                FcChar8* file = nullptr;
                int index = 0;
                if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &has) != FcResultMatch ||
                    !FcCharSetHasChar(has, static_cast<FcChar32>(cp)) ||
                    FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
                    continue;
                FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index);
                Match m{reinterpret_cast<const char*>(file), index, 0, 0, embolden, slant};
                auto fkey = std::make_tuple(m.File, index, em, embolden, slant);
                auto it = m_fallbacks.find(fkey);
                if (it == m_fallbacks.end())
                    it = m_fallbacks.emplace(fkey, Open(m, em)).first;
                if (it->second->HasGlyph(cp))
                    found = it->second.get();
            }
            if (set)
                FcFontSetDestroy(set);
            FcCharSetDestroy(charset);
            FcPatternDestroy(pattern);
        }
        m_fallbackByCode[key] = found;
        return found;
    }

private:
    struct Match {
        std::string File;
        int Index = 0;
        long UnitsPerEm = 2048;
        long CellUnits = 2048;
        bool Embolden = false;  // the family has no bold face: thicken the regular one
        bool Slant = false;     // the family has no italic face: slant the upright one
    };

    const Match& Resolve(const std::string& family, bool bold, bool italic) {
        auto key = std::make_tuple(lower(family), bold, italic);
        if (auto it = m_matches.find(key); it != m_matches.end())
            return it->second;
        Match m;
        if (m_config) {
            FcPattern* pattern = FcPatternCreate();
            FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
            FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
            FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
            FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
            FcConfigSubstitute(m_config, pattern, FcMatchPattern);
            FcDefaultSubstitute(pattern);
            FcResult result = FcResultNoMatch;
            if (FcPattern* found = FcFontMatch(m_config, pattern, &result)) {
                FcChar8* file = nullptr;
                int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
                if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch)
                    m.File = reinterpret_cast<const char*>(file);
                FcPatternGetInteger(found, FC_INDEX, 0, &m.Index);
                FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
                FcPatternGetInteger(found, FC_SLANT, 0, &slant);
                m.Embolden = bold && weight < FC_WEIGHT_DEMIBOLD;
                m.Slant = italic && slant == FC_SLANT_ROMAN;
                FcPatternDestroy(found);
            }
            FcPatternDestroy(pattern);
        }
        if (m.File.empty())
            throw EInvalidGraphic("No font is installed for '" + family + "'");
        FT_Face face = nullptr;
        if (FT_New_Face(m_library, m.File.c_str(), m.Index, &face) != 0)
            throw EInvalidGraphic("The font file " + m.File + " cannot be read");
        long ascent = 0, descent = 0;
        unscaledCell(face, ascent, descent);
        m.UnitsPerEm = face->units_per_EM ? face->units_per_EM : 2048;
        m.CellUnits = ascent + descent;
        FT_Done_Face(face);
        return m_matches.emplace(key, std::move(m)).first->second;
    }

    std::unique_ptr<TFontInstance> Open(const Match& m, int em) {
        FT_Face face = nullptr;
        if (FT_New_Face(m_library, m.File.c_str(), m.Index, &face) != 0)
            throw EInvalidGraphic("The font file " + m.File + " cannot be read");
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em)) != 0 && face->num_fixed_sizes > 0)
            FT_Select_Size(face, 0);
        return std::unique_ptr<TFontInstance>(new TFontInstance(*this, face, em, m.Embolden, m.Slant));
    }

    FT_Library m_library = nullptr;
    FcConfig* m_config = nullptr;
    std::map<std::tuple<std::string, bool, bool>, Match> m_matches;
    std::map<std::tuple<std::string, int, int, bool, bool>, std::unique_ptr<TFontInstance>> m_instances;
    std::map<std::tuple<std::string, int, int, bool, bool>, std::unique_ptr<TFontInstance>> m_fallbacks;
    std::map<std::tuple<char32_t, int, bool, bool>, TFontInstance*> m_fallbackByCode;
};

namespace {
TFontEngine& engine() {
    static TFontEngine instance;
    return instance;
}
}  // namespace

// --- TFontInstance ----------------------------------------------------------------------------

TFontInstance::TFontInstance(TFontEngine& engine, void* face, int pixelSize, bool emboldenWanted,
                             bool slantWanted)
    : m_engine(engine), m_face(face), m_pixelSize(pixelSize), m_embolden(emboldenWanted),
      m_slant(slantWanted) {
    FT_Face f = asFace(face);
    if (FT_IS_SCALABLE(f)) {
        // The classic cell: the font's Windows ascent and descent, each scaled and rounded to
        // whole pixels on its own. For DejaVu Sans at 11 pixels that is 10 + 3 = 13, the cell
        // height the classic 8-point UI fonts have, so item heights of (13 * 5) / 4 = 16 follow.
        // FreeType's own size metrics round the ascender up (11 + 3 = 14) and would not.
        long ascent = 0, descent = 0;
        unscaledCell(f, ascent, descent);
        const FT_Fixed scale = f->size->metrics.y_scale;
        m_ascent = round26_6(FT_MulFix(ascent, scale));
        m_descent = round26_6(FT_MulFix(descent, scale));
        m_underlinePos = std::max(1, round26_6(FT_MulFix(-f->underline_position, scale)));
        m_lineThickness = std::max(1, round26_6(FT_MulFix(f->underline_thickness, scale)));
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
        m_strikeOutPos = os2 && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0
                             ? round26_6(FT_MulFix(os2->yStrikeoutPosition, scale))
                             : m_ascent / 3;
    } else {
        m_ascent = round26_6(f->size->metrics.ascender);
        m_descent = round26_6(-f->size->metrics.descender);
        m_strikeOutPos = m_ascent / 3;
    }
}

TFontInstance::~TFontInstance() { FT_Done_Face(asFace(m_face)); }

bool TFontInstance::HasGlyph(char32_t cp) const { return FT_Get_Char_Index(asFace(m_face), cp) != 0; }

std::vector<std::uint32_t> TFontInstance::CharCodes16() const {
    std::vector<std::uint32_t> codes;
    FT_Face f = asFace(m_face);
    FT_UInt index = 0;
    for (FT_ULong c = FT_Get_First_Char(f, &index); index != 0 && c < 0x10000;
         c = FT_Get_Next_Char(f, c, &index))
        codes.push_back(static_cast<std::uint32_t>(c));
    std::sort(codes.begin(), codes.end());
    return codes;
}

std::unique_ptr<TGlyph> TFontInstance::Render(unsigned glyphIndex) {
    auto glyph = std::make_unique<TGlyph>();
    FT_Face f = asFace(m_face);
    if (FT_Load_Glyph(f, glyphIndex, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0 &&
        FT_Load_Glyph(f, glyphIndex, FT_LOAD_DEFAULT) != 0)
        return glyph;  // an unreadable glyph paints nothing and takes no room
    FT_GlyphSlot slot = f->glyph;
    if (m_slant && slot->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_GlyphSlot_Oblique(slot);
    if (m_embolden)
        FT_GlyphSlot_Embolden(slot);
    glyph->Advance = round26_6(slot->advance.x);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return glyph;
    const FT_Bitmap& bm = slot->bitmap;
    glyph->Left = slot->bitmap_left;
    glyph->Top = slot->bitmap_top;
    glyph->Width = static_cast<int>(bm.width);
    glyph->Height = static_cast<int>(bm.rows);
    glyph->Coverage.resize(static_cast<std::size_t>(glyph->Width) * static_cast<std::size_t>(glyph->Height));
    for (int y = 0; y < glyph->Height; ++y) {
        const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        std::uint8_t* out = glyph->Coverage.data() + static_cast<std::size_t>(y) * glyph->Width;
        for (int x = 0; x < glyph->Width; ++x) {
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                out[x] = row[x];
            else
                out[x] = 0;  // colour bitmaps (emoji) are not drawn
        }
    }
    return glyph;
}

const TGlyph& TFontInstance::LoadGlyph(char32_t cp) {
    if (auto it = m_byCode.find(cp); it != m_byCode.end())
        return *it->second;
    const TGlyph* glyph = nullptr;
    FT_UInt index = FT_Get_Char_Index(asFace(m_face), cp);
    if (index == 0 && cp >= 0x20) {
        if (TFontInstance* other = m_engine.Fallback(cp, m_pixelSize, m_embolden, m_slant);
            other && other != this)
            glyph = &other->Glyph(cp);
    }
    if (!glyph) {
        // Control characters and code points no font has show the face's missing-glyph box.
        m_owned.push_back(Render(index));
        glyph = m_owned.back().get();
    }
    m_byCode.emplace(cp, glyph);
    if (cp < 128)
        m_ascii[cp] = glyph;
    return *glyph;
}

int TFontInstance::TextWidth(std::string_view utf8) {
    int width = 0;
    for (std::size_t pos = 0; pos < utf8.size();)
        width += Glyph(NextCodePoint(utf8, pos)).Advance;
    return width;
}

// --- Lookup -----------------------------------------------------------------------------------

TFontInstance& FindFontInstance(const std::string& family, TFontStyles style, int height) {
    return engine().Find(family, style, height);
}

TFontInstance& FindFontInstance(const TFont& font) {
    return engine().Find(font.Name(), font.Style(), font.Height());
}

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + static_cast<std::size_t>(extra) >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return cp;
}

// --- Fonts for a text ------------------------------------------------------------------------

TTextCoverage FontsForText(std::string_view text) {
    TTextCoverage result;
    std::set<char32_t> seen;
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t cp = NextCodePoint(text, pos);
        const bool control = cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
        if (!control && seen.insert(cp).second)
            result.Characters.push_back(cp);
    }
    if (result.Characters.empty())
        return result;

    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_CHARSET, nullptr);
    FcFontSet* fonts = FcFontList(engine().Config(), pattern, objects);
    // A family shows as many characters as the best of its faces does.
    std::map<std::string, int> byFamily;
    std::vector<bool> shownAnywhere(result.Characters.size(), false);
    for (int f = 0; fonts && f < fonts->nfont; ++f) {
        FcChar8* family = nullptr;
        FcCharSet* charset = nullptr;
        if (FcPatternGetString(fonts->fonts[f], FC_FAMILY, 0, &family) != FcResultMatch ||
            FcPatternGetCharSet(fonts->fonts[f], FC_CHARSET, 0, &charset) != FcResultMatch)
            continue;
        int shown = 0;
        for (std::size_t i = 0; i < result.Characters.size(); ++i)
            if (FcCharSetHasChar(charset, static_cast<FcChar32>(result.Characters[i]))) {
                ++shown;
                shownAnywhere[i] = true;
            }
        if (shown > 0) {
            int& best = byFamily[reinterpret_cast<const char*>(family)];
            best = std::max(best, shown);
        }
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);

    for (const auto& [family, shown] : byFamily)
        result.Fonts.push_back(TFontCoverage{family, shown});
    std::stable_sort(result.Fonts.begin(), result.Fonts.end(),
                     [](const TFontCoverage& a, const TFontCoverage& b) { return a.Shown > b.Shown; });
    for (std::size_t i = 0; i < result.Characters.size(); ++i)
        if (!shownAnywhere[i])
            result.Unshown.push_back(result.Characters[i]);
    return result;
}

}  // namespace framework

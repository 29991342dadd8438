#include "platform/drawing/TextFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>
#include <tuple>

#include "platform/text/Encoding.h"
#include "platform/text/Gbk.h"

namespace platform {

namespace {

// FreeType and fontconfig objects are shared by all fonts; one lock keeps their use serial.
std::mutex& EngineMutex() {
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library created = nullptr;
        if (FT_Init_FreeType(&created) != 0) {
            return static_cast<FT_Library>(nullptr);
        }
        return created;
    }();
    return library;
}

// Our own fontconfig configuration, released at exit so that none of it outlives the program.
FcConfig* FontConfiguration() {
    static std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)> configuration(
        FcInitLoadConfigAndFonts(), &FcConfigDestroy);
    return configuration.get();
}

struct FaceName {
    std::string family;
    bool cell = false;
    bool chinese = false;
};

// The names programs ask for, as the installed fonts know them.
FaceName MapFaceName(const std::string& utf8) {
    struct Entry {
        std::u8string_view asked;
        std::string_view family;
        bool cell;
    };
    static constexpr Entry kEntries[] = {
        {u8"", "SimSun", true},
        {u8"宋体", "SimSun", true},
        {u8"simsun", "SimSun", true},
        {u8"新宋体", "NSimSun", true},
        {u8"nsimsun", "NSimSun", true},
        {u8"黑体", "SimHei", true},
        {u8"simhei", "SimHei", true},
        {u8"楷体", "KaiTi", true},
        {u8"楷体_gb2312", "KaiTi", true},
        {u8"kaiti", "KaiTi", true},
        {u8"仿宋", "FangSong", true},
        {u8"仿宋_gb2312", "FangSong", true},
        {u8"fangsong", "FangSong", true},
        {u8"system", "SimSun", true},
        {u8"微软雅黑", "Microsoft YaHei", false},
        {u8"ms sans serif", "sans-serif", false},
        {u8"microsoft sans serif", "sans-serif", false},
        {u8"ms shell dlg", "sans-serif", false},
        {u8"ms shell dlg 2", "sans-serif", false},
        {u8"courier", "monospace", false},
    };
    std::string lower = utf8;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    std::u8string_view asked(reinterpret_cast<const char8_t*>(lower.data()), lower.size());
    for (const Entry& entry : kEntries) {
        if (asked == entry.asked) {
            return FaceName{std::string(entry.family), entry.cell, entry.cell};
        }
    }
    bool non_ascii = std::any_of(utf8.begin(), utf8.end(),
                                 [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return FaceName{utf8, false, non_ascii};
}

struct Match {
    std::string file;
    int index = 0;
    bool bold = false;
    bool italic = false;
};

Match AskFontconfig(const std::string& family, bool chinese, bool monospaced, bool bold,
                    bool italic) {
    Match match;
    FcPattern* pattern = FcPatternCreate();
    if (!family.empty()) {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    }
    if (chinese) {
        FcLangSet* languages = FcLangSetCreate();
        FcLangSetAdd(languages, reinterpret_cast<const FcChar8*>("zh-cn"));
        FcPatternAddLangSet(pattern, FC_LANG, languages);
        FcLangSetDestroy(languages);
    }
    if (monospaced) {
        // Half-width Latin letters, so that they fit the cells of the Chinese faces.
        FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
    }
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfig* configuration = FontConfiguration();
    FcConfigSubstitute(configuration, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found =
        configuration != nullptr ? FcFontMatch(configuration, pattern, &result) : nullptr;
    if (found != nullptr) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
            match.file = reinterpret_cast<const char*>(file);
        }
        FcPatternGetInteger(found, FC_INDEX, 0, &match.index);
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(found, FC_SLANT, 0, &slant);
        // Fontconfig's synthetic rules report a regular face matched for a bold request as bold
        // and ask the renderer to embolden it; that face is not bold by itself.
        FcBool embolden = FcFalse;
        FcPatternGetBool(found, FC_EMBOLDEN, 0, &embolden);
        match.bold = weight >= FC_WEIGHT_DEMIBOLD && embolden != FcTrue;
        match.italic = slant != FC_SLANT_ROMAN;
        FcPatternDestroy(found);
    }
    FcPatternDestroy(pattern);
    return match;
}

// A cell face's em is its height either way.
int EmFor(LONG height) {
    return height > 0 ? height : (height < 0 ? -height : 12);
}

// Hand-tuned bitmaps of small sizes look like the programs' own screen fonts; when another face
// of the same collection has them at the size asked and the matched one does not, it is taken.
int SearchStrike(const std::string& file, int matched, int em) {
    if (file.empty() || Library() == nullptr) {
        return matched;
    }
    auto has_strike = [&](int index, long* faces) {
        FT_Face face = nullptr;
        if (FT_New_Face(Library(), file.c_str(), index, &face) != 0) {
            return false;
        }
        if (faces != nullptr) {
            *faces = face->num_faces;
        }
        bool found = false;
        for (int i = 0; i < face->num_fixed_sizes; ++i) {
            found = found || face->available_sizes[i].height == em;
        }
        FT_Done_Face(face);
        return found;
    };
    long faces = 0;
    if (has_strike(matched, &faces)) {
        return matched;
    }
    for (int index = 0; index < faces && index < 16; ++index) {
        if (index != matched && has_strike(index, nullptr)) {
            return index;
        }
    }
    return matched;
}

// Fonts of one face in several sizes and weights ask fontconfig the same questions and search
// the same collection for strikes; the answers are kept, under the engine lock, since each
// question costs a configuration walk or opening the font file.
Match MatchFont(const std::string& family, bool chinese, bool monospaced, bool bold, bool italic) {
    using Question = std::tuple<std::string, bool, bool, bool, bool>;
    static auto* answers = new std::map<Question, Match>;
    Question question{family, chinese, monospaced, bold, italic};
    auto known = answers->find(question);
    if (known == answers->end()) {
        known = answers->emplace(question, AskFontconfig(family, chinese, monospaced, bold, italic))
                    .first;
    }
    return known->second;
}

int FaceWithStrike(const std::string& file, int matched, int em) {
    using Question = std::tuple<std::string, int, int>;
    static auto* answers = new std::map<Question, int>;
    Question question{file, matched, em};
    auto known = answers->find(question);
    if (known == answers->end()) {
        known = answers->emplace(question, SearchStrike(file, matched, em)).first;
    }
    return known->second;
}

bool SameLogFont(const LOGFONTA& a, const LOGFONTA& b) {
    return std::memcmp(&a, &b, offsetof(LOGFONTA, lfFaceName)) == 0 &&
           std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

}  // namespace

struct TextFont::Face {
    FT_Face face = nullptr;
    bool syntheticBold = false;
    bool syntheticItalic = false;

    ~Face() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
    }
};

std::shared_ptr<const TextFont> TextFont::For(const LOGFONTA& logFont) {
    static std::mutex* cache_mutex = new std::mutex;
    static auto* cache = new std::vector<std::shared_ptr<const TextFont>>;
    std::lock_guard lock(*cache_mutex);
    for (const auto& font : *cache) {
        if (SameLogFont(font->logFont_, logFont)) {
            return font;
        }
    }
    std::shared_ptr<const TextFont> font(new TextFont(logFont));
    cache->push_back(font);
    return font;
}

TextFont::TextFont(const LOGFONTA& logFont) : logFont_(logFont) {
    logFont_.lfFaceName[LF_FACESIZE - 1] = '\0';
    std::string face_name =
        GbkToUtf8(std::string_view(logFont_.lfFaceName, std::strlen(logFont_.lfFaceName)));
    FaceName name = MapFaceName(face_name);
    cellFace_ = name.cell;
    bool chinese = name.chinese || logFont_.lfCharSet == GB2312_CHARSET ||
                   logFont_.lfCharSet == CHINESEBIG5_CHARSET;
    bool bold = logFont_.lfWeight >= FW_SEMIBOLD;
    bool italic = logFont_.lfItalic != 0;

    std::unique_lock lock(EngineMutex());
    auto open = [&](const Match& match) -> std::unique_ptr<Face> {
        if (match.file.empty() || Library() == nullptr) {
            return nullptr;
        }
        auto face = std::make_unique<Face>();
        if (FT_New_Face(Library(), match.file.c_str(), match.index, &face->face) != 0) {
            face->face = nullptr;
            return nullptr;
        }
        face->syntheticBold = bold && !match.bold;
        face->syntheticItalic = italic && !match.italic;
        return face;
    };
    Match primary = MatchFont(name.family, chinese, cellFace_, bold, italic);
    if (cellFace_) {
        primary.index = FaceWithStrike(primary.file, primary.index, EmFor(logFont_.lfHeight));
    }
    primary_ = open(primary);
    if (primary_ != nullptr) {
        file_ = primary.file;
    }
    Match fallback = MatchFont("", true, false, bold, italic);
    if (fallback.file != primary.file || fallback.index != primary.index) {
        fallback_ = open(fallback);
    }

    // The em size and the cell above and below the baseline.
    int height = logFont_.lfHeight;
    double ascent_share = 0.86;
    if (!cellFace_ && primary_ != nullptr && primary_->face->units_per_EM > 0) {
        FT_Face face = primary_->face;
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        double up = os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0 ? os2->usWinAscent
                                                                               : face->ascender;
        double down = os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0 ? os2->usWinDescent
                                                                                 : -face->descender;
        double cell = (up + down) / face->units_per_EM;
        ascent_share = up / (up + down);
        if (height > 0) {
            em_ = std::max(1, static_cast<int>(std::lround(height / cell)));
        } else {
            em_ = height < 0 ? -height : 12;
            height = static_cast<int>(std::lround(em_ * cell));
        }
    } else {
        // A cell face's cell is its em.
        em_ = EmFor(height);
        height = em_;
    }
    halfWidth_ = cellFace_ && logFont_.lfWidth > 0 ? logFont_.lfWidth : std::max(1, em_ / 2);
    for (Face* face : {primary_.get(), fallback_.get()}) {
        if (face != nullptr) {
            FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(em_));
        }
    }

    int max_advance = primary_ != nullptr
                          ? static_cast<int>((primary_->face->size->metrics.max_advance + 32) >> 6)
                          : em_;
    lock.unlock();

    metrics_.tmHeight = height;
    metrics_.tmAscent = static_cast<LONG>(std::lround(height * ascent_share));
    metrics_.tmDescent = height - metrics_.tmAscent;
    metrics_.tmInternalLeading = height - em_;
    metrics_.tmExternalLeading = 0;
    metrics_.tmWeight = logFont_.lfWeight == 0 ? FW_NORMAL : logFont_.lfWeight;
    metrics_.tmDigitizedAspectX = 96;
    metrics_.tmDigitizedAspectY = 96;
    metrics_.tmFirstChar = 0x20;
    metrics_.tmLastChar = 0xFE;
    metrics_.tmDefaultChar = 0x1F;
    metrics_.tmBreakChar = 0x20;
    metrics_.tmItalic = logFont_.lfItalic;
    metrics_.tmUnderlined = logFont_.lfUnderline;
    metrics_.tmStruckOut = logFont_.lfStrikeOut;
    // TMPF_FIXED_PITCH set means a variable pitch, as the original system defines it.
    metrics_.tmPitchAndFamily = static_cast<BYTE>(TMPF_TRUETYPE | TMPF_VECTOR | TMPF_FIXED_PITCH |
                                                  (logFont_.lfPitchAndFamily & 0xF0));
    metrics_.tmCharSet =
        logFont_.lfCharSet == DEFAULT_CHARSET ? GB2312_CHARSET : logFont_.lfCharSet;
    if (cellFace_) {
        metrics_.tmAveCharWidth = halfWidth_;
        metrics_.tmMaxCharWidth = halfWidth_ * 2;
    } else {
        metrics_.tmAveCharWidth = Advance('x');
        metrics_.tmMaxCharWidth = std::max(max_advance, metrics_.tmAveCharWidth);
    }
}

TextFont::~TextFont() {
    std::lock_guard lock(EngineMutex());
    primary_.reset();
    fallback_.reset();
}

int TextFont::Advance(char32_t character) const {
    if (cellFace_) {
        return character < 0x80 ? halfWidth_ : halfWidth_ * 2;
    }
    return GlyphFor(character).advance;
}

const TextFont::Glyph& TextFont::GlyphFor(char32_t character) const {
    std::lock_guard lock(mutex_);
    auto found = glyphs_.find(character);
    if (found != glyphs_.end()) {
        return found->second;
    }
    return glyphs_.emplace(character, Render(character)).first->second;
}

TextFont::Glyph TextFont::Render(char32_t character) const {
    Glyph glyph;
    int cell_advance = character < 0x80 ? halfWidth_ : halfWidth_ * 2;
    glyph.advance = cellFace_ ? cell_advance : std::max(1, em_ / 2);
    if (character < 0x20) {
        return glyph;
    }
    std::lock_guard lock(EngineMutex());
    Face* face = primary_.get();
    FT_UInt index = face != nullptr ? FT_Get_Char_Index(face->face, character) : 0;
    if (index == 0 && fallback_ != nullptr) {
        FT_UInt other = FT_Get_Char_Index(fallback_->face, character);
        if (other != 0) {
            face = fallback_.get();
            index = other;
        }
    }
    if (face == nullptr || FT_Load_Glyph(face->face, index, FT_LOAD_TARGET_LIGHT) != 0) {
        return glyph;
    }
    FT_GlyphSlot slot = face->face->glyph;
    if (face->syntheticBold) {
        FT_GlyphSlot_Embolden(slot);
    }
    if (face->syntheticItalic && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_GlyphSlot_Oblique(slot);
    }
    // Outlines are rendered in grey and cut at a low level: monochrome rendering of small sizes
    // drops the thin horizontal strokes of Chinese characters.
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
        return glyph;
    }
    int natural = static_cast<int>((slot->advance.x + 32) >> 6);
    if (!cellFace_) {
        glyph.advance = natural;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    // Emboldened monochrome bitmaps come back as grey levels 0 and 1.
    int grey_threshold = bitmap.num_grays <= 2 ? 1 : static_cast<int>(bitmap.num_grays) * 5 / 16;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.left = slot->bitmap_left + (cellFace_ ? (cell_advance - natural) / 2 : 0);
    glyph.top = -slot->bitmap_top;
    if (cellFace_) {
        // The installed font's glyphs may be taller than the cell of the face they stand in for;
        // they are moved into the cell rather than cut at its edge.
        int top_in_cell = metrics_.tmAscent + glyph.top;
        int overflow = top_in_cell + glyph.height - metrics_.tmHeight;
        if (top_in_cell < 0) {
            glyph.top -= top_in_cell;
        } else if (overflow > 0) {
            glyph.top -= std::min(overflow, top_in_cell);
        }
    }
    glyph.ink.assign(static_cast<size_t>(glyph.width) * glyph.height, 0);
    for (int y = 0; y < glyph.height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < glyph.width; ++x) {
            bool ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO   ? (row[x / 8] >> (7 - x % 8)) & 1
                       : bitmap.pixel_mode == FT_PIXEL_MODE_GRAY ? row[x] >= grey_threshold
                                                                 : false;
            glyph.ink[static_cast<size_t>(y) * glyph.width + x] = ink ? 1 : 0;
        }
    }
    return glyph;
}

}  // namespace platform

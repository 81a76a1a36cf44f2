#include "platform/gfx/TextEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

namespace qor {

namespace {

// Sizes beyond this are clamped: a hostile or mistaken height must not make each glyph megabytes.
constexpr double kMaxEmPixels = 512.0;
constexpr double kMinEmPixels = 1.0;
constexpr int kDefaultCellHeight = 16;
// Bounds on the caches; exceeding one empties it (the common case never comes close).
constexpr std::size_t kMaxFaces = 64;
constexpr std::size_t kMaxGlyphsPerFace = 8192;

int RoundPixels(FT_Pos v26_6) { return int((v26_6 + 32) >> 6); }

struct CachedGlyph {
    std::shared_ptr<const GlyphBitmap> bitmap;
    FT_Pos advance = 0; // 26.6
};

// One opened font file, shared by every size of it: opening parses the file's tables, and each opening
// maps the file again.
struct FaceFile {
    FT_Face face = nullptr;

    FaceFile() = default;
    FaceFile(const FaceFile&) = delete;
    FaceFile& operator=(const FaceFile&) = delete;
    ~FaceFile() {
        if (face) FT_Done_Face(face);
    }
};

struct SizedFace {
    std::shared_ptr<FaceFile> file;
    FT_Size size = nullptr;
    FT_F26Dot6 em = 0; // 26.6 pixels per em
    FontMetrics metrics;
    bool embolden = false;
    bool oblique = false;
    std::unordered_map<FT_UInt, CachedGlyph> glyphs;

    SizedFace() = default;
    SizedFace(const SizedFace&) = delete;
    SizedFace& operator=(const SizedFace&) = delete;
    ~SizedFace() {
        if (size) FT_Done_Size(size);
    }

    FT_Face Face() const { return file->face; }
    // The face scaled to this size, for loading glyphs and kerning.
    FT_Face Activate() {
        FT_Activate_Size(size);
        return file->face;
    }
};

// Vertical extent of the font's cell in font units: the Windows ascent and descent when the font has
// them (fonts made to match Arial's metrics set them for exactly this), else the typographic ones.
void CellUnits(FT_Face face, double& ascent, double& descent) {
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    } else {
        ascent = face->ascender;
        descent = -face->descender;
    }
    if (ascent + descent <= 0) {
        ascent = face->units_per_EM * 0.8;
        descent = face->units_per_EM * 0.2;
    }
}

std::shared_ptr<const GlyphBitmap> CopyBitmap(const FT_GlyphSlot slot) {
    auto out = std::make_shared<GlyphBitmap>();
    const FT_Bitmap& bm = slot->bitmap;
    out->left = slot->bitmap_left;
    out->top = slot->bitmap_top;
    if (bm.width == 0 || bm.rows == 0 || !bm.buffer) return out;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY && bm.pixel_mode != FT_PIXEL_MODE_MONO) return out;
    if (std::uint64_t(bm.width) * bm.rows > (std::uint64_t(1) << 22)) return out;
    out->width = int(bm.width);
    out->height = int(bm.rows);
    out->coverage.resize(std::size_t(bm.width) * bm.rows);
    for (unsigned y = 0; y < bm.rows; ++y) {
        const unsigned char* row = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
        std::uint8_t* dst = &out->coverage[std::size_t(y) * bm.width];
        if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
            int grays = std::max<int>(bm.num_grays, 2);
            for (unsigned x = 0; x < bm.width; ++x) dst[x] = std::uint8_t(grays == 256 ? row[x] : row[x] * 255 / (grays - 1));
        } else {
            for (unsigned x = 0; x < bm.width; ++x) dst[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        }
    }
    return out;
}

bool IsInvisibleControl(char32_t cp) { return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0); }

} // namespace

struct TextEngine::Impl {
    std::mutex mutex;
    FT_Library library = nullptr;
    std::map<std::string, std::unique_ptr<SizedFace>> faces;
    std::map<std::string, std::weak_ptr<FaceFile>> files;

    ~Impl() {
        faces.clear();
        if (library) FT_Done_FreeType(library);
    }

    // Opens file at a size given either by a cell height (primary faces) or by an em size taken from
    // the primary face (fallback faces, so that mixed text keeps one size).
    SizedFace* Face(const FontFile& file, int height, FT_F26Dot6 emOverride) {
        if (!library || file.path.empty()) return nullptr;
        std::string key = file.path + '\n' + std::to_string(file.index) + '\n' +
                          (emOverride ? "e" + std::to_string(emOverride) : "h" + std::to_string(height)) +
                          (file.syntheticBold ? "b" : "") + (file.syntheticItalic ? "i" : "");
        if (auto it = faces.find(key); it != faces.end()) return it->second.get();

        auto sized = std::make_unique<SizedFace>();
        sized->file = OpenFile(file);
        if (!sized->file || FT_New_Size(sized->file->face, &sized->size) != 0) {
            faces.emplace(key, nullptr); // remember the failure instead of reopening the file each time
            return nullptr;
        }
        FT_Face face = sized->Activate();
        double ascentUnits = 0, descentUnits = 0;
        CellUnits(face, ascentUnits, descentUnits);
        const double upem = face->units_per_EM;
        double em = 0;
        if (emOverride) em = emOverride / 64.0;
        else if (height < 0) em = -double(height);
        else em = (height > 0 ? height : kDefaultCellHeight) * upem / (ascentUnits + descentUnits);
        em = std::clamp(em, kMinEmPixels, kMaxEmPixels);
        sized->em = FT_F26Dot6(std::lround(em * 64));
        if (FT_Set_Char_Size(face, 0, sized->em, 72, 72) != 0) {
            faces.emplace(key, nullptr);
            return nullptr;
        }
        const double scale = em / upem;
        FontMetrics& m = sized->metrics;
        m.ascent = int(std::lround(ascentUnits * scale));
        m.descent = int(std::lround(descentUnits * scale));
        // A cell height asked for is the cell height delivered, whatever the rounding did.
        if (!emOverride && height > 0 && em < kMaxEmPixels && em > kMinEmPixels) m.descent = height - m.ascent;
        m.height = m.ascent + m.descent;
        m.underlineThickness = std::max(1, int(std::lround(face->underline_thickness * scale)));
        double underlineCentre = face->underline_position ? -face->underline_position * scale : em * 0.1;
        m.underlineOffset = std::max(1, int(std::lround(underlineCentre - m.underlineThickness / 2.0)));
        sized->embolden = file.syntheticBold;
        sized->oblique = file.syntheticItalic;
        SizedFace* result = sized.get();
        faces.emplace(key, std::move(sized));
        return result;
    }

    // The opened file, shared with the other sizes of it still cached; null when it cannot be used.
    std::shared_ptr<FaceFile> OpenFile(const FontFile& file) {
        const std::string key = file.path + '\n' + std::to_string(file.index);
        if (auto it = files.find(key); it != files.end()) {
            if (std::shared_ptr<FaceFile> open = it->second.lock()) return open;
        }
        for (auto it = files.begin(); it != files.end();) it = it->second.expired() ? files.erase(it) : std::next(it);
        auto open = std::make_shared<FaceFile>();
        if (FT_New_Face(library, file.path.c_str(), file.index, &open->face) != 0 || !FT_IS_SCALABLE(open->face) ||
            open->face->units_per_EM == 0)
            return nullptr;
        FT_Select_Charmap(open->face, FT_ENCODING_UNICODE);
        files[key] = open;
        return open;
    }

    SizedFace* PrimaryFace(const Font& font) { return Face(ResolveFontFile(font), font.height, 0); }

    const CachedGlyph& Glyph(SizedFace& sized, FT_UInt index) {
        if (auto it = sized.glyphs.find(index); it != sized.glyphs.end()) return it->second;
        if (sized.glyphs.size() >= kMaxGlyphsPerFace) sized.glyphs.clear();
        CachedGlyph glyph;
        glyph.bitmap = std::make_shared<GlyphBitmap>();
        FT_Face face = sized.Activate();
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) == 0) {
            FT_GlyphSlot slot = face->glyph;
            if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
                if (sized.oblique) FT_GlyphSlot_Oblique(slot);
                if (sized.embolden) FT_GlyphSlot_Embolden(slot);
            }
            glyph.advance = slot->advance.x;
            if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) glyph.bitmap = CopyBitmap(slot);
        }
        return sized.glyphs.emplace(index, std::move(glyph)).first->second;
    }

    // The face that shows cp: the primary one, else a fallback font that has it, else the primary's
    // missing-glyph box.
    std::pair<SizedFace*, FT_UInt> FaceFor(SizedFace* primary, const Font& font, char32_t cp) {
        FT_UInt index = FT_Get_Char_Index(primary->Face(), cp);
        if (index != 0) return {primary, index};
        FontFile fallback = ResolveFallbackFontFile(font, cp);
        if (SizedFace* other = fallback.path.empty() ? nullptr : Face(fallback, 0, primary->em)) {
            if (FT_UInt otherIndex = FT_Get_Char_Index(other->Face(), cp)) return {other, otherIndex};
        }
        return {primary, 0};
    }
};

TextEngine& TextEngine::Instance() {
    static TextEngine engine;
    return engine;
}

TextEngine::TextEngine() : impl_(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&impl_->library) != 0) impl_->library = nullptr;
}

TextEngine::~TextEngine() = default;

FontMetrics TextEngine::Metrics(const Font& font) {
    std::lock_guard lock(impl_->mutex);
    SizedFace* face = impl_->PrimaryFace(font);
    return face ? face->metrics : FontMetrics{};
}

TextLayout TextEngine::Layout(std::u32string_view text, const Font& font) {
    std::lock_guard lock(impl_->mutex);
    if (impl_->faces.size() > kMaxFaces) impl_->faces.clear(); // only here: no face pointer is held yet

    TextLayout out;
    out.advanceAfter.reserve(text.size());
    SizedFace* primary = impl_->PrimaryFace(font);
    if (!primary) {
        out.advanceAfter.assign(text.size(), 0);
        return out;
    }
    out.metrics = primary->metrics;
    out.glyphs.reserve(text.size());

    FT_Pos pen = 0;
    SizedFace* previousFace = nullptr;
    FT_UInt previousIndex = 0;
    for (char32_t cp : text) {
        if (IsInvisibleControl(cp)) {
            out.advanceAfter.push_back(RoundPixels(pen));
            previousFace = nullptr;
            continue;
        }
        auto [face, index] = impl_->FaceFor(primary, font, cp);
        if (face == previousFace && previousIndex != 0 && index != 0 && FT_HAS_KERNING(face->Face())) {
            FT_Vector kerning{};
            if (FT_Get_Kerning(face->Activate(), previousIndex, index, FT_KERNING_DEFAULT, &kerning) == 0) pen += kerning.x;
        }
        const CachedGlyph& glyph = impl_->Glyph(*face, index);
        if (glyph.bitmap->width > 0) out.glyphs.push_back({glyph.bitmap, RoundPixels(pen)});
        pen += glyph.advance;
        out.advanceAfter.push_back(RoundPixels(pen));
        previousFace = face;
        previousIndex = index;
    }
    out.width = RoundPixels(pen);
    return out;
}

} // namespace qor

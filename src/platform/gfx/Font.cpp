#include "platform/gfx/Font.h"

#include "platform/gfx/BackgroundThread.h"
#include "platform/gfx/FontChoices.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <tuple>

namespace qor {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetDeleter>;

int FcWeightFor(int weight) {
    if (weight <= 0) weight = kFontWeightNormal;
    return FcWeightFromOpenType(std::min(weight, 1000));
}

// The request with fontconfig's configuration applied (alias "Arial" to a metric-compatible family
// and so on), ready for matching.
PatternPtr RequestPattern(const Font& font) {
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) return nullptr;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(font.family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFor(font.weight));
    FcPatternAddInteger(pattern.get(), FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

// Reads the chosen file from a prepared match, and what FreeType must make up for it.
FontFile FromMatch(const Font& font, FcPattern* match) {
    FontFile file;
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) != FcResultMatch || !path) return {};
    file.path = reinterpret_cast<const char*>(path);
    int index = 0;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) file.index = index;
    FcChar8* family = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch && family) {
        file.family = reinterpret_cast<const char*>(family);
    }
    // Fontconfig marks a face that is only the nearest one (embolden, a shear matrix for an upright
    // face asked to lean); FreeType then makes up the difference.
    int weight = 0;
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcBool embolden = FcFalse;
    FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
    file.syntheticBold = embolden || (FcWeightFor(font.weight) >= FC_WEIGHT_DEMIBOLD && weight < FC_WEIGHT_DEMIBOLD);
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    FcMatrix* matrix = nullptr;
    bool sheared = FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix && matrix->xy != 0;
    file.syntheticItalic = font.italic && (slant == FC_SLANT_ROMAN || sheared);
    return file;
}

using StyleKey = std::tuple<std::string, int, bool>;
using CodepointKey = std::tuple<std::string, int, bool, char32_t>;

// All fontconfig work happens under one lock; results are cached, so it is taken briefly. Fontconfig
// starts only when a question needs it: answers kept from an earlier run (see FontChoices.h) need none.
class Resolver {
public:
    // Fontconfig keeps allocations that only FcFini releases; ending the session at exit keeps leak
    // checkers quiet about them. Everything fontconfig handed out is released first.
    ~Resolver() {
        {
            std::lock_guard lock(checkMutex_);
            stopping_ = true;
        }
        checkWake_.notify_all();
        if (checker_.joinable())
            checker_.join();
        fallbackLists_.clear();
        if (fontconfigStarted_)
            FcFini();
    }

    void SetChoiceFile(std::string path) {
        std::lock_guard lock(mutex_);
        choiceFile_ = std::move(path);
        kept_.clear();
        keptLoaded_ = false;
    }

    FontFile Primary(const Font& font) {
        std::lock_guard lock(mutex_);
        CodepointKey key{font.family, font.weight, font.italic, 0};
        if (auto it = files_.find(key); it != files_.end()) return it->second;
        if (const FontChoice* kept = Kept(font)) {
            CheckLater(kCheckDelay);
            return Remember(key, kept->file);
        }
        const FontFile file = AskFontconfig(font);
        // Fontconfig has started anyway: the file is brought up to date at once.
        CheckLater(std::chrono::milliseconds(0));
        return Remember(key, file);
    }

    // Asks fontconfig again for every request answered so far and stores its answers.
    void Refresh() {
        std::lock_guard lock(mutex_);
        if (choiceFile_.empty()) return;
        std::vector<FontChoice> answers;
        for (const auto& [key, file] : files_) {
            const auto& [family, weight, italic, codepoint] = key;
            if (codepoint != 0) continue;
            Font font;
            font.family = family;
            font.weight = weight;
            font.italic = italic;
            if (const FontFile answer = AskFontconfig(font); !answer.path.empty())
                answers.push_back(MakeFontChoice(font, answer));
        }
        const std::string fingerprint = FontSetupFingerprint();
        // Answers kept from before that were not asked for this time stay for the next run.
        for (const FontChoice& old : ReadFontChoices(choiceFile_, fingerprint)) {
            const bool asked = std::any_of(answers.begin(), answers.end(), [&](const FontChoice& c) {
                return c.family == old.family && c.weight == old.weight && c.italic == old.italic;
            });
            if (!asked && FontFileUnchanged(old)) answers.push_back(old);
        }
        if (answers != ReadFontChoices(choiceFile_, fingerprint))
            WriteFontChoices(choiceFile_, fingerprint, answers);
    }

    FontFile Fallback(const Font& font, char32_t codepoint) {
        std::lock_guard lock(mutex_);
        CodepointKey key{font.family, font.weight, font.italic, codepoint};
        if (auto it = files_.find(key); it != files_.end()) return it->second;
        StartFontconfig();
        FontFile file;
        const FallbackList& list = FallbackListFor(font);
        for (int i = 0; list.fonts && i < list.fonts->nfont; ++i) {
            FcPattern* candidate = list.fonts->fonts[i];
            FcCharSet* charset = nullptr;
            if (FcPatternGetCharSet(candidate, FC_CHARSET, 0, &charset) != FcResultMatch || !charset ||
                !FcCharSetHasChar(charset, FcChar32(codepoint))) {
                continue;
            }
            PatternPtr prepared(FcFontRenderPrepare(nullptr, list.request.get(), candidate));
            if (prepared) file = FromMatch(font, prepared.get());
            break;
        }
        return Remember(key, file);
    }

private:
    void StartFontconfig() {
        if (!fontconfigStarted_) {
            FcInit();
            fontconfigStarted_ = true;
        }
    }

    FontFile AskFontconfig(const Font& font) {
        StartFontconfig();
        FontFile file;
        if (PatternPtr pattern = RequestPattern(font)) {
            FcResult result = FcResultNoMatch;
            PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
            if (match) file = FromMatch(font, match.get());
        }
        return file;
    }

    // An answer from the file of kept choices, while it can be trusted.
    const FontChoice* Kept(const Font& font) {
        if (choiceFile_.empty()) return nullptr;
        if (!keptLoaded_) {
            kept_ = ReadFontChoices(choiceFile_, FontSetupFingerprint());
            keptLoaded_ = true;
        }
        for (const FontChoice& c : kept_)
            if (SameRequest(c, font)) return FontFileUnchanged(c) ? &c : nullptr;
        return nullptr;
    }

    // Once per run, after the first question, fontconfig is asked again and the file brought up to
    // date: a while later (when the program has started) if the answers came from the file. Low
    // priority: it must not slow the program down.
    void CheckLater(std::chrono::milliseconds delay) {
        if (choiceFile_.empty() || checker_.joinable()) return;
        try {
            checker_ = std::thread([this, delay] {
                {
                    std::unique_lock lock(checkMutex_);
                    if (checkWake_.wait_for(lock, delay, [this] { return stopping_; })) return;
                }
                GiveWayToForeground();
                Refresh();
            });
        } catch (const std::system_error&) {
            // No thread to spare: the file stays as it is.
        }
    }

    static constexpr std::chrono::milliseconds kCheckDelay{2000};

    // The installed fonts in order of preference for one style, trimmed to those that add coverage:
    // the first that has a code point is the one to show it with.
    struct FallbackList {
        PatternPtr request;
        FontSetPtr fonts;
    };

    const FallbackList& FallbackListFor(const Font& font) {
        StyleKey key{font.family, font.weight, font.italic};
        if (auto it = fallbackLists_.find(key); it != fallbackLists_.end()) return it->second;
        if (fallbackLists_.size() >= 32) fallbackLists_.clear();
        FallbackList list;
        list.request = RequestPattern(font);
        if (list.request) {
            FcResult result = FcResultNoMatch;
            list.fonts.reset(FcFontSort(nullptr, list.request.get(), FcTrue, nullptr, &result));
        }
        return fallbackLists_.emplace(key, std::move(list)).first->second;
    }

    FontFile Remember(const CodepointKey& key, const FontFile& file) {
        // Fallback answers are per code point; a bound keeps hostile text from growing this forever.
        if (files_.size() >= 8192) files_.clear();
        files_.emplace(key, file);
        return file;
    }

    std::mutex mutex_;
    std::map<CodepointKey, FontFile> files_;
    std::map<StyleKey, FallbackList> fallbackLists_;
    bool fontconfigStarted_ = false;
    std::string choiceFile_;
    std::vector<FontChoice> kept_;
    bool keptLoaded_ = false;

    std::mutex checkMutex_;
    std::condition_variable checkWake_;
    bool stopping_ = false;
    std::thread checker_; // last: its thread sees every member above
};

Resolver& TheResolver() {
    static Resolver resolver;
    return resolver;
}

} // namespace

FontFile ResolveFontFile(const Font& font) { return TheResolver().Primary(font); }

void SetFontChoiceFile(std::string path) { TheResolver().SetChoiceFile(std::move(path)); }

void RefreshFontChoices() { TheResolver().Refresh(); }

FontFile ResolveFallbackFontFile(const Font& font, char32_t codepoint) {
    if (codepoint == 0) return {};
    return TheResolver().Fallback(font, codepoint);
}

} // namespace qor

#pragma once
// Fontconfig's answers kept from one run to the next. Fontconfig reads its whole configuration (dozens
// of XML files) before it answers the first question, which takes longer than everything else a
// skinned window does before its first frame, while a program asks the same few questions on every
// start. The answers live in a small file that is trusted only while everything fontconfig's answer
// depends on looks unchanged (its environment, its configuration files and folders, the font folders)
// and while each chosen font file is the one that was chosen; fontconfig itself checks them again once
// the program has started, and the file is rewritten when it disagrees.

#include "platform/gfx/Font.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qor {

struct FontChoice {
    // The request.
    std::string family;
    int weight = kFontWeightNormal;
    bool italic = false;
    // Fontconfig's answer, and the chosen file as it was then.
    FontFile file;
    std::int64_t fileModifiedNs = 0;
    std::int64_t fileSize = 0;

    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// The answer for a request, with the chosen file's present state.
FontChoice MakeFontChoice(const Font& request, const FontFile& file);
// Whether the chosen file is still there, unchanged.
bool FontFileUnchanged(const FontChoice& choice);
bool SameRequest(const FontChoice& choice, const Font& request);

// A summary of what fontconfig's answers depend on that can be looked at without asking it; any
// change to those gives another string.
std::string FontSetupFingerprint();

// The choices stored at path for this fingerprint; none when the file is missing, damaged, too large
// or was written for another fingerprint.
std::vector<FontChoice> ReadFontChoices(const std::string& path, const std::string& fingerprint);
// Replaces the file (and makes its folder); choices that cannot be stored faithfully are left out.
bool WriteFontChoices(const std::string& path, const std::string& fingerprint, const std::vector<FontChoice>& choices);

// From now on answers are kept in this file (empty: nowhere, the default). Set it before the first
// font is resolved. About two seconds after the first answer fontconfig is asked again, on a thread of
// low priority, and the file is brought up to date.
void SetFontChoiceFile(std::string path);
// Brings the file up to date at once (what the delayed check does).
void RefreshFontChoices();

} // namespace qor

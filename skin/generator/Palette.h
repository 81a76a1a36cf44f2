#pragma once
// The skin's colours: a dark graphite theme with one red accent. Every picture takes its colours from
// here, so the whole look changes in one place.

namespace qor::skin {

struct Rgb {
    double r, g, b;
};

constexpr Rgb Hex(unsigned v) {
    return {double((v >> 16) & 0xFF) / 255.0, double((v >> 8) & 0xFF) / 255.0, double(v & 0xFF) / 255.0};
}

constexpr Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

namespace palette {

// Surfaces, darkest first.
constexpr Rgb kVoid = Hex(0x0B0C0F);      // insets, key display, list wells
constexpr Rgb kBase = Hex(0x131519);      // window body
constexpr Rgb kBaseHigh = Hex(0x1B1E24);  // top of the window's gradient
constexpr Rgb kPanel = Hex(0x1A1D23);     // content panel and dialog body; what controls sit on
constexpr Rgb kPanelLine = Hex(0x2A2E37); // hairlines on panels
constexpr Rgb kFrame = Hex(0x3A3F4A);     // window and control borders
constexpr Rgb kFace = Hex(0x2B2F38);      // button face, top
constexpr Rgb kFaceLow = Hex(0x21242B);   // button face, bottom
constexpr Rgb kFaceHover = Hex(0x363B46); // hovered face, top
constexpr Rgb kFaceHoverLow = Hex(0x2A2E37);

// The accent.
constexpr Rgb kAccent = Hex(0xE5283B);
constexpr Rgb kAccentHigh = Hex(0xFF5566);
constexpr Rgb kAccentLow = Hex(0x9E1424);
constexpr Rgb kAccentDeep = Hex(0x5A0B15);

// Light surfaces (lighting-mode buttons carry dark captions).
constexpr Rgb kSilver = Hex(0xB4B9C2);
constexpr Rgb kSilverLow = Hex(0x8E939D);
constexpr Rgb kSilverHigh = Hex(0xF0F1F4);
constexpr Rgb kSilverHighLow = Hex(0xD2D5DB);

// Ink.
constexpr Rgb kInk = Hex(0xECEEF2);
constexpr Rgb kInkDim = Hex(0x8A909B);
constexpr Rgb kInkFaint = Hex(0x5A606B);
constexpr Rgb kWhite = Hex(0xFFFFFF);
constexpr Rgb kBlack = Hex(0x000000);
constexpr Rgb kAmber = Hex(0xFFB020);

} // namespace palette
} // namespace qor::skin

#pragma once
// Every file of the skin the program loads, with the pixel size we draw it at, and every text number
// the program looks up. The generator draws exactly these files; the skin tests check them after a build.

#include <span>
#include <string_view>

namespace qor::skin {

// The main window takes the size of its background picture; every control of the main window lies
// inside 57..756 x 34..586, so 800 x 620 leaves a margin on every side.
constexpr int kMainWidth = 800;
constexpr int kMainHeight = 620;

// Dialog face and the outlines drawn to match it (the macro editor stretches the same face).
constexpr int kDialogWidth = 478;
constexpr int kDialogHeight = 292;
constexpr int kMacroEditorWidth = 757;
constexpr int kMacroEditorHeight = 582;

// Folder of the skin below the program's folder.
constexpr std::string_view kSkinFolder = "images/0409/";

struct ArtFile {
    std::string_view path; // below kSkinFolder, e.g. "buttons/ok-1.png"
    int width;
    int height;
};

// Image files in a fixed order (the order of the contact sheet).
std::span<const ArtFile> ArtFiles();

// The application icon (not looked up by the program's windows; the shell and the minimised window use it).
constexpr std::string_view kAppIconPath = "background/appicon.png";

struct TextKeys {
    std::string_view file;    // below kSkinFolder, e.g. "strings/skins.ini"
    std::string_view section; // as the program spells it
    std::span<const int> numbers;
};

// Every (file, section, number) the program reads; each must hold a non-empty text.
std::span<const TextKeys> RequiredTexts();

} // namespace qor::skin

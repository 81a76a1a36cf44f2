#pragma once
// Where the skin lives: every picture and both text files sit in one resource tree next to the
// executable, ExeFolder + "images/0409/", in four folders. Paths are plain concatenations.

#include <string>
#include <string_view>

namespace qor {

enum class SkinFolder {
    Background, // window and menu item backgrounds, outline bitmaps
    Buttons,    // image button faces, one file per state
    Controls,   // slider tracks and thumbs, check boxes, indicators, colour swatches
    Strings,    // general.ini and skins.ini
};

// The resource tree's root, ending with '/'.
std::string SkinRoot();

// Points the skin at another tree (tests); an empty root restores ExeFolder + "images/0409/". A root
// without a trailing '/' gets one. Use from the user-interface thread only.
void SetSkinRoot(std::string root);

// The root + the folder + the file name, e.g. SkinPath(SkinFolder::Buttons, "ok-1.png").
std::string SkinPath(SkinFolder folder, std::string_view fileName);

} // namespace qor

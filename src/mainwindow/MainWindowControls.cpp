#include "mainwindow/MainWindowControls.h"

#include "platform/gfx/ImageFile.h"
#include "skin/SkinPaths.h"
#include "skin/SkinText.h"

namespace qor {
namespace {

std::string FaceFile(std::string_view stem, int number) {
    return SkinPath(SkinFolder::Buttons, std::string(stem) + "-" + std::to_string(number) + ".png");
}

void SetUp(CBitmapBtn& button, const std::string& caption, int fontHeight, int fontWeight, int offset) {
    button.FontHeight = fontHeight;
    button.FontWeight = fontWeight;
    if (!caption.empty()) {
        button.ShowCaption = true;
        button.SetCaption(caption, offset, CaptionAlign::Centred);
    }
}

} // namespace

void CreateImageButton(CBitmapBtn& button, CWnd& parent, const Rect& rect, const Faces& faces,
                       const std::string& caption, int fontHeight, int fontWeight, int captionOffset) {
    button.Create(&parent, rect, 0);
    button.SetImageFiles(FaceFile(faces.stem, faces.numbers[0]), FaceFile(faces.stem, faces.numbers[1]),
                         FaceFile(faces.stem, faces.numbers[2]), FaceFile(faces.stem, faces.numbers[3]));
    SetUp(button, caption, fontHeight, fontWeight, captionOffset);
}

void CreateImageButton(CBitmapBtn& button, CWnd& parent, const Rect& rect, FaceFolder folder,
                       std::string_view file, const std::string& caption, int fontHeight, int fontWeight) {
    button.Create(&parent, rect, 0);
    const ImagePtr face = LoadSharedImage(
        SkinPath(folder == FaceFolder::Buttons ? SkinFolder::Buttons : SkinFolder::Controls, file));
    button.SetImages(face, face, face, face);
    SetUp(button, caption, fontHeight, fontWeight, 0);
}

void CreateCheckButton(CBitmapBtn& button, CWnd& parent, const Rect& rect, const std::string& caption) {
    CreateImageButton(button, parent, rect, Faces{"checkbox1", {1, 1, 2, 1}}, caption, 15, 400, 0);
}

std::string GeneralCaption(int number) { return SkinText("General", number); }

} // namespace qor

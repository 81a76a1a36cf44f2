// Draws every picture of the skin into <skin folder> (the build's bin/images/0409/).
//   qor_skin_generator <skin folder> [--contact-sheet <file.png>] [--preview <folder>]
// Fails when the manifest and the painters disagree or a file cannot be written.

#include "ArtRegistry.h"
#include "ContactSheet.h"
#include "Preview.h"
#include "SkinManifest.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;
using namespace qor::skin;

namespace {

bool CheckRegistry(const ArtRegistry& registry) {
    bool ok = true;
    for (const ArtFile& file : ArtFiles()) {
        if (!registry.Find(file.path)) {
            std::fprintf(stderr, "skin: no painter for %.*s\n", int(file.path.size()), file.path.data());
            ok = false;
        }
    }
    for (const auto& [path, painter] : registry.All()) {
        bool listed = false;
        for (const ArtFile& file : ArtFiles())
            listed = listed || file.path == path;
        if (!listed) {
            std::fprintf(stderr, "skin: %s is drawn but not in the manifest\n", path.c_str());
            ok = false;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <skin folder> [--contact-sheet <file.png>] [--preview <folder>]\n",
                     argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    fs::path sheetPath;
    fs::path previewFolder;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--contact-sheet")
            sheetPath = argv[i + 1];
        else if (option == "--preview")
            previewFolder = argv[i + 1];
    }

    ArtRegistry registry;
    AddAllArt(registry);
    if (!CheckRegistry(registry))
        return 1;

    std::vector<std::unique_ptr<Canvas>> pictures;
    std::vector<SheetEntry> sheet;
    for (const ArtFile& file : ArtFiles()) {
        auto canvas = std::make_unique<Canvas>(file.width, file.height);
        (*registry.Find(file.path))(*canvas);
        if (cairo_status(canvas->Cr()) != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "skin: drawing %.*s failed: %s\n", int(file.path.size()), file.path.data(),
                         cairo_status_to_string(cairo_status(canvas->Cr())));
            return 1;
        }
        const fs::path target = out / fs::path(std::string(file.path));
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        const bool bmp = target.extension() == ".bmp";
        if (!(bmp ? canvas->SaveBmp(target) : canvas->SavePng(target))) {
            std::fprintf(stderr, "skin: cannot write %s\n", target.c_str());
            return 1;
        }
        sheet.push_back({std::string(file.path), canvas.get()});
        pictures.push_back(std::move(canvas));
    }

    if (!sheetPath.empty() && !WriteContactSheet(sheet, sheetPath)) {
        std::fprintf(stderr, "skin: cannot write %s\n", sheetPath.c_str());
        return 1;
    }
    if (!previewFolder.empty() && !WritePreviews(sheet, previewFolder)) {
        std::fprintf(stderr, "skin: cannot write previews into %s\n", previewFolder.c_str());
        return 1;
    }
    return 0;
}

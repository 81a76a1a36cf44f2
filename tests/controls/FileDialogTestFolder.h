#pragma once
// A temporary folder of files and sub-folders for the file dialog tests, removed at the end.

#include "support/TempFolder.h"

#include <filesystem>
#include <string>

namespace qor::test {

class TestFolder {
public:
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    void File(const std::string& name, const std::string& content = "x") const {
        WriteAll(path_ + "/" + name, content);
    }
    void Folder(const std::string& name) const { std::filesystem::create_directories(path_ + "/" + name); }

private:
    TempFolder folder_{"qor-filedialog"};
    // Canonical, as the dialog shows and returns canonical paths.
    std::string path_ =
        folder_.Root().empty() ? std::string() : std::filesystem::canonical(folder_.Root()).string();
};

} // namespace qor::test

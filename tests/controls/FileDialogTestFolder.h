#pragma once
// A temporary folder of files and sub-folders for the file dialog tests, removed at the end.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace qor::test {

class TestFolder {
public:
    TestFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qor-filedialog-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path_ = std::filesystem::canonical(pattern).string();
    }
    ~TestFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    void File(const std::string& name, const std::string& content = "x") const {
        std::ofstream(path_ + "/" + name, std::ios::binary) << content;
    }
    void Folder(const std::string& name) const { std::filesystem::create_directories(path_ + "/" + name); }

private:
    std::string path_;
};

} // namespace qor::test

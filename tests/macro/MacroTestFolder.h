#pragma once
// A fresh folder under /tmp for one test, removed afterwards, with small file helpers.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace qor::test {

class TestFolder {
public:
    TestFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qor-macro-XXXXXX").string();
        root_ = mkdtemp(pattern.data()) ? pattern + "/" : std::string();
    }
    ~TestFolder()
    {
        std::error_code ignored;
        if (!root_.empty())
            std::filesystem::remove_all(root_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Root() const { return root_; } // ends with '/'
    std::string Path(const std::string& relative) const { return root_ + relative; }

    void Write(const std::string& relative, const std::string& bytes) const
    {
        const std::filesystem::path path = Path(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& relative) const
    {
        std::ifstream in(Path(relative), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool Exists(const std::string& relative) const
    {
        std::error_code ignored;
        return std::filesystem::exists(std::filesystem::symlink_status(Path(relative), ignored));
    }
    // Every file and folder below the root, relative to it: shows stray temporary files too.
    std::set<std::string> Listing() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_))
            names.insert(std::filesystem::relative(entry.path(), root_).string());
        return names;
    }

private:
    std::string root_;
};

} // namespace qor::test

#pragma once
// A fresh folder for one macro test, removed afterwards, addressed by paths relative to it.

#include "support/TempFolder.h"

#include <filesystem>
#include <set>
#include <string>
#include <system_error>

namespace qor::test {

class TestFolder {
public:
    const std::string& Root() const { return root_; } // ends with '/'
    std::string Path(const std::string& relative) const { return root_ + relative; }

    void Write(const std::string& relative, const std::string& bytes) const
    {
        std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
        WriteAll(Path(relative), bytes);
    }
    std::string Read(const std::string& relative) const { return ReadAll(Path(relative)); }
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
    TempFolder folder_{"qor-macro"};
    std::string root_ = folder_.Root().empty() ? std::string() : folder_.Slash();
};

} // namespace qor::test

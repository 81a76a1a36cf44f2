#pragma once
// A fresh folder for one test, removed with everything in it when the object goes, and small file
// helpers. Header-only: every test executable has tests/ on its include path.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace qor::test {

class TempFolder {
public:
    // `prefix` names the folder so that a leftover tells which tests made it; `parent` is where it
    // goes (socket tests keep to /tmp, as socket paths have a short length limit).
    explicit TempFolder(const std::string& prefix = "qor-test",
                        const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
        std::string pattern = (parent / (prefix + "-XXXXXX")).string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
        EXPECT_FALSE(path_.empty()) << pattern;
    }
    ~TempFolder() {
        if (path_.empty())
            return;
        // A test may have taken the folder's permissions away; removal needs them back.
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder without a trailing '/' (empty when it could not be made).
    const std::string& Root() const { return path_; }
    // The folder with a trailing '/'.
    std::string Slash() const { return path_ + "/"; }
    std::string Path(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Names in the folder, sorted, so a test can see that no temporary file was left behind.
inline std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace qor::test

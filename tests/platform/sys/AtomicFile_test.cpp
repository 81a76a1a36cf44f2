#include "platform/sys/AtomicFile.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace qor {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder_.Root().empty());
        dir_ = folder_.Root();
    }
    std::string Path(const std::string& name) const { return folder_.Path(name); }
    static std::string Read(const std::string& path) { return test::ReadAll(path); }
    std::size_t Entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }
    test::TempFolder folder_{"qor-atomic", "/tmp"};
    std::string dir_;
};

TEST_F(AtomicFileTest, CreatesAndReplacesKeepingPermissions) {
    const std::string path = Path("a.ini");
    ASSERT_TRUE(WriteFileAtomically(path, std::string("one\0two", 7)));
    EXPECT_EQ(Read(path), std::string("one\0two", 7));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path, "three"));
    EXPECT_EQ(Read(path), "three");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    ASSERT_TRUE(WriteFileAtomically(path, ""));
    EXPECT_EQ(Read(path), "");
    EXPECT_EQ(Entries(), 1u) << "no temporary file is left behind";
}

TEST_F(AtomicFileTest, RefusesWhatItMustNotReplace) {
    fs::create_directory(Path("folder"));
    EXPECT_FALSE(WriteFileAtomically(Path("folder"), "x"));
    EXPECT_TRUE(fs::is_directory(Path("folder")));
    ::mkfifo(Path("fifo").c_str(), 0644);
    EXPECT_FALSE(WriteFileAtomically(Path("fifo"), "x"));
    std::ofstream(Path("ro")) << "keep";
    ::chmod(Path("ro").c_str(), 0444);
    EXPECT_FALSE(WriteFileAtomically(Path("ro"), "x"));
    EXPECT_EQ(Read(Path("ro")), "keep");
    EXPECT_FALSE(WriteFileAtomically(Path("missing/a.ini"), "x"));
    EXPECT_FALSE(WriteFileAtomically(Path(""), "x"));
    EXPECT_EQ(Entries(), 3u);
}

TEST_F(AtomicFileTest, ReplacesASymlinkInsteadOfWritingThroughIt) {
    std::ofstream(Path("target")) << "outside";
    fs::create_symlink(Path("target"), Path("link"));
    ASSERT_TRUE(WriteFileAtomically(Path("link"), "new"));
    EXPECT_EQ(Read(Path("target")), "outside");
    EXPECT_FALSE(fs::is_symlink(Path("link")));
    EXPECT_EQ(Read(Path("link")), "new");
}

TEST_F(AtomicFileTest, ReadFileLimitedStatuses) {
    std::ofstream(Path("small")) << "12345";
    EXPECT_EQ(ReadFileLimited(Path("small"), 5).bytes, "12345");
    EXPECT_EQ(ReadFileLimited(Path("small"), 5).status, ReadStatus::Ok);
    EXPECT_EQ(ReadFileLimited(Path("small"), 4).status, ReadStatus::TooLarge);
    EXPECT_EQ(ReadFileLimited(Path("none"), 5).status, ReadStatus::Missing);
    EXPECT_EQ(ReadFileLimited(Path("small/x"), 5).status, ReadStatus::Missing);
    fs::create_directory(Path("folder"));
    EXPECT_EQ(ReadFileLimited(Path("folder"), 5).status, ReadStatus::Unreadable);
    ::mkfifo(Path("fifo").c_str(), 0644);
    EXPECT_EQ(ReadFileLimited(Path("fifo"), 5).status, ReadStatus::Unreadable) << "must not block on a pipe";
    EXPECT_EQ(ReadFileLimited("/dev/zero", 5).status, ReadStatus::Unreadable);
}

} // namespace
} // namespace qor

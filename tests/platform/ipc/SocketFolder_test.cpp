#include "platform/ipc/Ipc.h"
#include "platform/ipc/IpcTestSupport.h"

#include <sys/stat.h>
#include <unistd.h>

namespace qor::ipc {
namespace {

using SocketFolderTest = test::ScratchRuntime;

TEST_F(SocketFolderTest, CreatedPrivateUnderTheRuntimeFolder) {
    EXPECT_EQ(SocketFolder(), Folder());
    struct stat st {};
    ASSERT_EQ(::stat(Folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(SocketPathFor("QOR VR17 GAMING MOUSE"), Folder() + "/QOR VR17 GAMING MOUSE.sock");
}

TEST_F(SocketFolderTest, WithoutRuntimeFolderUsesTmpPerUser) {
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(SocketFolder(), "/tmp/qorvr17-" + std::to_string(::geteuid()));
}

TEST_F(SocketFolderTest, FolderOpenToOthersOrOfAnotherUserIsNotUsed) {
    ASSERT_EQ(SocketFolder(), Folder());
    ASSERT_EQ(::chmod(Folder().c_str(), 0770), 0);
    EXPECT_EQ(SocketFolder(), "");
    EXPECT_FALSE(Endpoint::Register("w", [](const Frame&, std::function<void(int64_t)>) {}));
    ASSERT_EQ(::chmod(Folder().c_str(), 0700), 0);
    EXPECT_EQ(SocketFolder(), Folder());

    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(Folder().c_str(), 65534, 65534), 0);
        EXPECT_EQ(SocketFolder(), "");
        ASSERT_EQ(::chown(Folder().c_str(), 0, 0), 0);
    }
    // A link in place of the folder is not followed.
    ASSERT_EQ(::rmdir(Folder().c_str()), 0);
    ASSERT_EQ(::mkdir((root_ + "/elsewhere").c_str(), 0700), 0);
    ASSERT_EQ(::symlink((root_ + "/elsewhere").c_str(), Folder().c_str()), 0);
    EXPECT_EQ(SocketFolder(), "");
}

} // namespace
} // namespace qor::ipc

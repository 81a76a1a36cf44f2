#include "platform/sys/SharedLibrary.h"

#include <gtest/gtest.h>

namespace qor::sys {
namespace {

TEST(SharedLibraryTest, MissingLibraryOrExportGivesNull) {
    SharedLibrary missing("/nonexistent/KBHook.so");
    EXPECT_FALSE(missing.Loaded());
    EXPECT_EQ(missing.Symbol("installhook"), nullptr);
    EXPECT_EQ(SharedLibrary().Symbol("installhook"), nullptr);

    SharedLibrary libm("libm.so.6");
    ASSERT_TRUE(libm.Loaded());
    auto cosine = libm.Find<double (*)(double)>("cos");
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(libm.Symbol("no_such_export"), nullptr);
}

} // namespace
} // namespace qor::sys

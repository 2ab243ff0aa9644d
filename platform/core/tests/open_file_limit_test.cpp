// The open-file limit is raised to the hard limit, which a process cannot raise itself.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "platform/core/open_file_limit.h"

namespace mvf::platform {
namespace {

TEST(OpenFileLimit, ALoweredSoftLimitIsRaisedToTheHardLimit) {
    rlimit before{};
    ASSERT_EQ(0, ::getrlimit(RLIMIT_NOFILE, &before));
    ASSERT_GT(before.rlim_max, 64u);
    rlimit low = before;
    low.rlim_cur = 64;
    ASSERT_EQ(0, ::setrlimit(RLIMIT_NOFILE, &low));

    RaiseOpenFileLimit();
    rlimit after{};
    ASSERT_EQ(0, ::getrlimit(RLIMIT_NOFILE, &after));
    EXPECT_EQ(before.rlim_max, after.rlim_cur);
    EXPECT_EQ(before.rlim_max, after.rlim_max) << "the hard limit is left alone";

    RaiseOpenFileLimit(); // already at the maximum: nothing changes
    ASSERT_EQ(0, ::getrlimit(RLIMIT_NOFILE, &after));
    EXPECT_EQ(before.rlim_max, after.rlim_cur);
}

} // namespace
} // namespace mvf::platform

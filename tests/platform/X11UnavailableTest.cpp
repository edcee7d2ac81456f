#include <gtest/gtest.h>

#include "platform/x11/X11Platform.h"

namespace agendix::platform {
namespace {

// Where no X server answers, the platform says so and every call does nothing.
TEST(X11Unavailable, WithoutADisplayEveryCallDoesNothing) {
    X11Platform platform = openX11Platform(":65000");
    ASSERT_TRUE(platform.windows);
    ASSERT_TRUE(platform.keyboard);
    EXPECT_FALSE(platform.windows->available());
    EXPECT_TRUE(platform.windows->topLevelWindows().empty());
    EXPECT_FALSE(platform.windows->activate(1));
    EXPECT_FALSE(platform.windows->restore(1));
    EXPECT_EQ(platform.windows->foregroundWindow(), 0u);
    EXPECT_FALSE(platform.windows->requestClose(1));

    EXPECT_FALSE(platform.keyboard->available());
    EXPECT_FALSE(platform.keyboard->typeText("abc"));
    EXPECT_FALSE(platform.keyboard->pressKey(13));
    EXPECT_FALSE(platform.keyboard->click(1));
}

}  // namespace
}  // namespace agendix::platform

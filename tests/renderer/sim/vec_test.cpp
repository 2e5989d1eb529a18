#include <gtest/gtest.h>
#include "renderer/sim/vec.h"
TEST(Vec, Placeholder) { EXPECT_EQ(1, 1); }

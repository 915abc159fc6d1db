#include "holidays/workdays.h"

#include <gtest/gtest.h>

namespace {
TEST(Weekend, Parse) { EXPECT_EQ(ParseWeekend("sat,sun").weekend.mask, 0x60); }
}  // namespace

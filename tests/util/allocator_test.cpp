#include <gtest/gtest.h>

#include "util/alu_memory.h"

namespace korvel {
TEST(Allocator, Placeholder) { EXPECT_NE(AluMalloc(1), nullptr); }
}  // namespace korvel

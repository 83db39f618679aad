#include <gtest/gtest.h>

#include "support/collection_builder.h"

namespace korvel {
TEST(RadioOrder, Placeholder) { auto c = test::MakeCollection(); EXPECT_EQ(c.radios.Count(), 0); }
}  // namespace korvel

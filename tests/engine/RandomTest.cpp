#include <gtest/gtest.h>

#include "engine/Random.h"

namespace {

TEST(Random, LinearCongruentialSequence) {
  engine::Random r;
  r.Seed(0);
  // s1 = 1: upper bits 0. s2 = M + 1: upper 32 bits 346.
  EXPECT_EQ(r.Next(), 0);
  EXPECT_EQ(r.Next(), 346);
  r.Seed(12345);
  std::uint64_t s = 12345;
  for (int i = 0; i < 1000; ++i) {
    s = s * 0x15A00004E35ull + 1;
    const std::int32_t v = r.Next();
    ASSERT_EQ(v, static_cast<std::int32_t>((s >> 32) & 0x7FFFFFFF));
    ASSERT_GE(v, 0);
  }
}

TEST(Random, SeedClearsTheUpperHalf) {
  engine::Random r;
  r.SetState(~0ull);
  r.Seed(7);
  EXPECT_EQ(r.State(), 7u);
}

}  // namespace

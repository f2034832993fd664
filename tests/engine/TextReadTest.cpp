#include <gtest/gtest.h>

#include <clocale>
#include <limits>

#include "engine/TextRead.h"

namespace {

TEST(ReadReal, StrtodRulesWithADot) {
  struct {
    const char* text;
    double value;
  } cases[] = {{"2", 2}, {"  -0.05xyz", -0.05}, {"abc", 0}, {"", 0}, {"1e2", 100}, {".5", 0.5}, {"+3", 3}};
  for (const auto& c : cases) EXPECT_EQ(engine::ReadReal(c.text), c.value) << c.text;
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
    EXPECT_EQ(engine::ReadReal("0,5"), 0.0);
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ReadInteger, AtolRulesSaturated) {
  struct {
    const char* text;
    int value;
  } cases[] = {{"200", 200}, {" 3x", 3}, {"-7", -7}, {"letters", 0}, {"0x10", 0}, {"010", 10},
               {"99999999999999", std::numeric_limits<int>::max()},
               {"-99999999999999", std::numeric_limits<int>::min()}, {"12.9", 12}};
  for (const auto& c : cases) EXPECT_EQ(engine::ReadInteger(c.text), c.value) << c.text;
}

TEST(Scanner, IntegerPrefixesAndUnreadableText) {
  engine::Scanner s(" 010\r\n0x10 -0x1F +7 zz 5");
  int a = -1, b = -1, c = -1, d = -1, e = 42;
  EXPECT_TRUE(s.ReadInt(a));
  EXPECT_TRUE(s.ReadInt(b));
  EXPECT_TRUE(s.ReadInt(c));
  EXPECT_TRUE(s.ReadInt(d));
  EXPECT_EQ(a, 8);
  EXPECT_EQ(b, 16);
  EXPECT_EQ(c, -31);
  EXPECT_EQ(d, 7);
  EXPECT_FALSE(s.ReadInt(e));  // "zz" stays unread and e keeps its value
  EXPECT_EQ(e, 42);
  std::string word;
  EXPECT_TRUE(s.ReadWord(word, 79));
  EXPECT_EQ(word, "zz");
  EXPECT_TRUE(s.ReadInt(e));
  EXPECT_EQ(e, 5);
  EXPECT_TRUE(s.AtEnd());
  EXPECT_FALSE(s.ReadInt(e));
}

TEST(Scanner, FloatsAndWordsOfLimitedLength) {
  engine::Scanner s("1.500000 -0.25\n3e-2 x ABCDEFGHIJ");
  float f = 0;
  EXPECT_TRUE(s.ReadFloat(f));
  EXPECT_EQ(f, 1.5f);
  EXPECT_TRUE(s.ReadFloat(f));
  EXPECT_EQ(f, -0.25f);
  EXPECT_TRUE(s.ReadFloat(f));
  EXPECT_EQ(f, 0.03f);
  EXPECT_FALSE(s.ReadFloat(f));
  EXPECT_EQ(f, 0.03f);
  std::string w;
  EXPECT_TRUE(s.ReadWord(w, 79));
  EXPECT_EQ(w, "x");
  EXPECT_TRUE(s.ReadWord(w, 4));  // the rest of the run stays for the next read
  EXPECT_EQ(w, "ABCD");
  EXPECT_TRUE(s.ReadWord(w, 79));
  EXPECT_EQ(w, "EFGHIJ");
  EXPECT_FALSE(s.ReadWord(w, 79));
  EXPECT_EQ(w, "EFGHIJ");
}

}  // namespace

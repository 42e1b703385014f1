#include "data/text_pool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallyer {
namespace {

// Many more distinct texts than the pool's cache of recent ones has places,
// so that texts share places and push each other out.
std::vector<std::string> ManyTexts() {
  std::vector<std::string> texts;
  for (int i = 0; i < 5000; ++i) {
    texts.push_back(std::to_string(i));
    texts.push_back("prefix shared by many texts " + std::to_string(i));
    texts.push_back(std::to_string(i) + " suffix shared by many texts");
  }
  return texts;
}

TEST(TextPoolTest, EqualTextsShareOneCopyWhateverCameBetween) {
  const std::vector<std::string> texts = ManyTexts();
  TextPool pool;
  std::vector<PooledText> first;
  for (const std::string& t : texts) first.push_back(pool.Intern(t));
  EXPECT_EQ(pool.Size(), texts.size());
  for (int round = 0; round < 2; ++round) {
    for (std::size_t i = texts.size(); i-- > 0;) {
      const std::string copy = texts[i];  // equal text, another address
      const PooledText v = pool.Intern(copy);
      ASSERT_EQ(v, texts[i]);
      ASSERT_EQ(v.Pointer(), first[i].Pointer()) << texts[i];
    }
  }
  EXPECT_EQ(pool.Size(), texts.size());
}

TEST(TextPoolTest, TextsDifferingOnlyInTheMiddleOrLengthStayApart) {
  TextPool pool;
  const std::string a = "abcdefgh-1-ijklmnop", b = "abcdefgh-2-ijklmnop";
  const std::string c = std::string("ab\0", 3), d = "ab";
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(pool.Intern(a), a);
    EXPECT_EQ(pool.Intern(b), b);
    EXPECT_EQ(pool.Intern(c), c);
    EXPECT_EQ(pool.Intern(d), d);
  }
  EXPECT_EQ(pool.Size(), 4u);
  EXPECT_TRUE(pool.Intern("").empty());
  EXPECT_EQ(pool.Intern("").Pointer(), nullptr);
  EXPECT_EQ(pool.Size(), 4u);
}

// Handles compare by text: equal texts held apart are equal, and the empty
// text is the same whether a string holds it or not.
TEST(TextPoolTest, HandlesCompareTheirTexts) {
  const std::string a = "ab", sameAsA = "ab", prefix = "a", empty;
  EXPECT_EQ(PooledText(a), PooledText(sameAsA));
  EXPECT_NE(PooledText(a), PooledText(prefix));
  EXPECT_EQ(PooledText(), PooledText(empty));
  EXPECT_NE(PooledText(), PooledText(prefix));
  EXPECT_TRUE(PooledText(a) == "ab");
  EXPECT_TRUE("ab" == PooledText(a));
  EXPECT_TRUE(PooledText(a) != std::string("a"));
  EXPECT_EQ(PooledText().View(), "");
  EXPECT_TRUE(PooledText(empty).empty());
  EXPECT_FALSE(PooledText(prefix).empty());
}

// After Clear() nothing may answer from the texts that went.
TEST(TextPoolTest, ClearForgetsEveryTextAndTheNextInternStoresAfresh) {
  TextPool pool;
  for (const std::string& t : ManyTexts()) pool.Intern(t);
  pool.Clear();
  EXPECT_EQ(pool.Size(), 0u);
  std::string text = "7";
  const std::string_view v = pool.Intern(text);
  text[0] = '8';  // the pool keeps its own copy
  EXPECT_EQ(v, "7");
  EXPECT_EQ(pool.Size(), 1u);
}

}  // namespace
}  // namespace tallyer

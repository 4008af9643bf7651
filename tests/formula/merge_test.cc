// Folding repeated elements of a composition list.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "formula/formula.h"

namespace {

using Entries = std::vector<std::pair<int32_t, int32_t>>;  // (index, count)

constexpr int32_t H = 0, C = 5, N = 6, O = 7;
constexpr int32_t LEFT_OVER = 77;  // what an earlier composition left behind

std::string describe(const Entries& entries) {
  std::string text;
  for (const auto& [index, count] : entries) {
    text += std::to_string(index) + ":" + std::to_string(count) + " ";
  }
  return text;
}

// A list as a composition screen leaves it: the entries from position 0, and
// behind them whatever an earlier composition wrote, marks included.
CompositionList list_with(const Entries& entries) {
  CompositionList list;
  for (int32_t i = 0; i < COMPOSITION_CAPACITY; ++i) {
    list.indices[i] = i % 2 == 0 ? COMPOSITION_MARK : entries.empty() ? H : entries[0].first;
    list.counts[i] = i % 3 == 0 ? COMPOSITION_MARK : LEFT_OVER;
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    list.indices[i] = entries[i].first;
    list.counts[i] = entries[i].second;
  }
  list.last = static_cast<int32_t>(entries.size()) - 1;
  return list;
}

Entries entries_of(const CompositionList& list, int32_t last) {
  Entries entries;
  for (int32_t i = 0; i <= last; ++i) entries.emplace_back(list.indices[i], list.counts[i]);
  return entries;
}

TEST(MergeRepeated, FoldsEachElementIntoItsFirstEntry) {
  struct Case {
    const char* what;
    Entries entries;
    Entries merged;
  };
  const Case cases[] = {
      {"CH3COOH", {{C, 1}, {H, 3}, {C, 1}, {O, 1}, {O, 1}, {H, 1}}, {{C, 2}, {H, 4}, {O, 2}}},
      {"empty", {}, {}},
      {"one entry", {{O, 3}}, {{O, 3}}},
      {"four of one element", {{C, 1}, {C, 2}, {C, 3}, {C, 4}}, {{C, 10}}},
      {"adjacent repeats", {{H, 1}, {O, 1}, {O, 1}, {O, 1}, {N, 1}}, {{H, 1}, {O, 3}, {N, 1}}},
      {"a count of 0 takes part", {{H, 0}, {O, 1}, {H, 2}}, {{H, 2}, {O, 1}}},
      {"a count of 0 stays", {{H, 0}, {O, 1}}, {{H, 0}, {O, 1}}},
      {"distinct, any order", {{O, 2}, {N, 1}, {H, 5}, {C, 1}}, {{O, 2}, {N, 1}, {H, 5}, {C, 1}}},
      {"repeats at the end", {{N, 1}, {H, 2}, {H, 2}, {H, 2}}, {{N, 1}, {H, 6}}},
      {"interleaved", {{H, 1}, {O, 1}, {H, 1}, {O, 1}, {H, 1}, {O, 1}}, {{H, 3}, {O, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CompositionList list = list_with(c.entries);
    const CompositionList before = list;
    ASSERT_TRUE(merged_counts_fit(list.indices, list.counts, list.last));
    const int32_t last = merge_repeated_elements(list.indices, list.counts, list.last);
    EXPECT_EQ(last, static_cast<int32_t>(c.merged.size()) - 1);
    EXPECT_EQ(describe(entries_of(list, last)), describe(c.merged));
    // Nothing behind the entries in use is touched.
    for (int32_t i = list.last + 1; i < COMPOSITION_CAPACITY; ++i) {
      ASSERT_EQ(list.indices[i], before.indices[i]) << "index at " << i;
      ASSERT_EQ(list.counts[i], before.counts[i]) << "count at " << i;
    }
  }
}

TEST(MergeRepeated, AFullListOfOneElement) {
  Entries entries(COMPOSITION_CAPACITY, {O, 2});
  CompositionList list = list_with(entries);
  ASSERT_TRUE(merged_counts_fit(list.indices, list.counts, list.last));
  EXPECT_EQ(merge_repeated_elements(list.indices, list.counts, list.last), 0);
  EXPECT_EQ(list.indices[0], O);
  EXPECT_EQ(list.counts[0], 2 * COMPOSITION_CAPACITY);
}

TEST(MergeRepeated, SumsBeyond32BitsAreReported) {
  struct Case {
    const char* what;
    Entries entries;
    bool fit;
  };
  const Case cases[] = {
      {"exactly the largest", {{H, INT32_MAX - 1}, {O, 5}, {H, 1}}, true},
      {"one more", {{H, INT32_MAX}, {O, 5}, {H, 1}}, false},
      {"two elements at the largest each", {{H, INT32_MAX}, {O, INT32_MAX}}, true},
      {"three halves", {{O, 1 << 30}, {O, 1 << 30}, {O, 1 << 30}}, false},
      {"the later element overflows", {{H, 1}, {O, INT32_MAX}, {O, 1}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CompositionList list = list_with(c.entries);
    EXPECT_EQ(merged_counts_fit(list.indices, list.counts, list.last), c.fit);
  }
}

TEST(MergeRepeated, ASumBeyond32BitsIsHeldAtTheLargest) {
  CompositionList list = list_with({{O, INT32_MAX}, {H, 3}, {O, 1}, {O, INT32_MAX}});
  EXPECT_EQ(merge_repeated_elements(list.indices, list.counts, list.last), 1);
  EXPECT_EQ(describe(entries_of(list, 1)), describe({{O, INT32_MAX}, {H, 3}}));
}

}  // namespace

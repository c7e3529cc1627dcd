// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing candidates with no function and no root twice: the choice grows
// as far as any choice can, moving chosen candidates aside where needed.
#include "app/distinct_choice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct ChoiceCase {
  std::string name;
  std::vector<app::Pairing> candidates;
  int lefts;
  int rights;
  std::vector<std::size_t> chosen;
  std::vector<int> order;
  std::size_t wanted;
  std::size_t expected_size;
};

TEST(DistinctChoice, GrowsToTheLargestChoiceKeepingPlaces) {
  const ChoiceCase cases[] = {
      // Function 1 has only root 0, which function 0 holds: function 0 must
      // move to its other root.
      {"a chosen candidate gives way", {{0, 0}, {0, 1}, {1, 0}}, 2, 2, {0}, {1}, 2, 2},
      // Both functions have only root 0: one of them is all there is.
      {"no larger choice exists", {{0, 0}, {1, 0}}, 2, 1, {0}, {1}, 2, 1},
      {"stops at the number wanted", {{0, 0}, {1, 1}, {2, 2}}, 3, 3, {}, {0, 1, 2}, 2, 2},
      // A chain of two moves: 2 takes root 1 from 1, which takes root 0
      // from 0, which moves to root 2.
      {"a longer path", {{0, 0}, {0, 2}, {1, 1}, {1, 0}, {2, 1}}, 3, 3, {0, 2}, {2}, 3, 3},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::size_t> grown =
        app::GrowDistinctChoice(c.candidates, c.lefts, c.rights, c.chosen, c.order, c.wanted);
    ASSERT_EQ(grown.size(), c.expected_size);
    std::set<int> lefts;
    std::set<int> rights;
    for (const std::size_t index : grown) {
      ASSERT_LT(index, c.candidates.size());
      EXPECT_TRUE(lefts.insert(c.candidates[index].left).second);
      EXPECT_TRUE(rights.insert(c.candidates[index].right).second);
    }
    // A chosen candidate keeps its place: its function stays there.
    for (std::size_t place = 0; place < std::min(c.chosen.size(), grown.size()); ++place)
      EXPECT_EQ(c.candidates[grown[place]].left, c.candidates[c.chosen[place]].left);
  }
}

}  // namespace

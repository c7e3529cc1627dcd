// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/distinct_choice.h"

namespace app {

namespace {

constexpr int kNone = -1;

class Matching {
 public:
  Matching(const std::vector<Pairing>& candidates, int left_count, int right_count)
      : candidates_(candidates),
        by_left_(static_cast<std::size_t>(left_count)),
        left_match_(static_cast<std::size_t>(left_count), kNone),
        right_match_(static_cast<std::size_t>(right_count), kNone) {
    for (std::size_t i = 0; i < candidates.size(); ++i)
      by_left_[static_cast<std::size_t>(candidates[i].left)].push_back(static_cast<int>(i));
  }

  void Take(std::size_t candidate) {
    const Pairing& pairing = candidates_[candidate];
    left_match_[static_cast<std::size_t>(pairing.left)] = static_cast<int>(candidate);
    right_match_[static_cast<std::size_t>(pairing.right)] = static_cast<int>(candidate);
  }

  bool IsMatched(int left) const { return left_match_[static_cast<std::size_t>(left)] != kNone; }
  std::size_t MatchOf(int left) const {
    return static_cast<std::size_t>(left_match_[static_cast<std::size_t>(left)]);
  }

  // Finds a path from `left` that alternates between free and taken
  // candidates and ends at a free right value, and flips it: one more
  // candidate is taken, and every left value taken before stays taken.
  bool Augment(int left) {
    visited_.assign(right_match_.size(), false);
    return Visit(left);
  }

 private:
  bool Visit(int left) {
    for (const int candidate : by_left_[static_cast<std::size_t>(left)]) {
      const auto right =
          static_cast<std::size_t>(candidates_[static_cast<std::size_t>(candidate)].right);
      if (visited_[right]) continue;
      visited_[right] = true;
      const int holder = right_match_[right];
      if (holder == kNone || Visit(candidates_[static_cast<std::size_t>(holder)].left)) {
        Take(static_cast<std::size_t>(candidate));
        return true;
      }
    }
    return false;
  }

  const std::vector<Pairing>& candidates_;
  std::vector<std::vector<int>> by_left_;
  std::vector<int> left_match_;
  std::vector<int> right_match_;
  std::vector<bool> visited_;
};

}  // namespace

std::vector<std::size_t> GrowDistinctChoice(const std::vector<Pairing>& candidates, int left_count,
                                            int right_count, std::vector<std::size_t> chosen,
                                            const std::vector<int>& left_order,
                                            std::size_t wanted) {
  Matching matching(candidates, left_count, right_count);
  std::vector<int> lefts;  // the left value of each place in the choice
  for (const std::size_t candidate : chosen) {
    matching.Take(candidate);
    lefts.push_back(candidates[candidate].left);
  }
  // Kuhn: a left value that finds no path now never finds one later, so
  // one try each gives the largest choice.
  for (const int left : left_order) {
    if (lefts.size() >= wanted) break;
    if (!matching.IsMatched(left) && matching.Augment(left)) lefts.push_back(left);
  }
  for (std::size_t place = 0; place < lefts.size(); ++place) {
    if (place < chosen.size()) {
      chosen[place] = matching.MatchOf(lefts[place]);
    } else {
      chosen.push_back(matching.MatchOf(lefts[place]));
    }
  }
  return chosen;
}

}  // namespace app

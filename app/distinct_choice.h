// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing candidates that differ in two respects at once: variants for a
// class must have different functions and different roots. Each candidate
// joins one "left" value (its function) to one "right" value (its root); a
// choice takes at most one candidate per left value and per right value.
// The most such candidates is a maximum matching of a bipartite graph, found
// by augmenting paths (Kuhn's algorithm): a choice that cannot grow by
// simply adding a candidate may still grow when some chosen candidates give
// way to others with the same function.
#pragma once

#include <cstddef>
#include <vector>

namespace app {

struct Pairing {
  int left = 0;   // 0 ≤ left < left_count
  int right = 0;  // 0 ≤ right < right_count
};

// Grows `chosen` (indices into `candidates`, no two sharing a left or a right
// value) towards `wanted` candidates, visiting the left values in
// `left_order` (the values not chosen yet, in the order to try them). Chosen
// candidates keep their places in the returned list, though one may be
// replaced by another of the same left value; new ones follow. The result is
// smaller than `wanted` only when no larger choice exists.
std::vector<std::size_t> GrowDistinctChoice(const std::vector<Pairing>& candidates, int left_count,
                                            int right_count, std::vector<std::size_t> chosen,
                                            const std::vector<int>& left_order, std::size_t wanted);

}  // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
// A failed property stops the fuzzer with a message; libFuzzer then saves the
// input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, ...)                                                \
  do {                                                                            \
    if (!(condition)) {                                                           \
      std::fprintf(stderr, "%s:%d: %s failed: ", __FILE__, __LINE__, #condition); \
      std::fprintf(stderr, __VA_ARGS__);                                          \
      std::fputc('\n', stderr);                                                   \
      std::abort();                                                               \
    }                                                                             \
  } while (false)

namespace fuzz {

// The first input byte picks the decimal separator: "," or "." or the
// two-byte U+066B.
inline const char* SeparatorFor(unsigned char selector) {
  static const char* const kSeparators[] = {",", ".", "\u066B"};
  return kSeparators[selector % 3];
}

}  // namespace fuzz

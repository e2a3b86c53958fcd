#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/ByteScan.h"

// The word scans against byte-by-byte answers, at random lengths and offsets, so that a break on either
// side of an eight-byte boundary is met.
TEST(ByteScan, WordScansAgreeWithAPlainLoop) {
  std::mt19937 random(3);
  for (int round = 0; round < 20000; ++round) {
    // Now and then longer than the 4 KB that the byte counters of the fast count hold.
    std::string text(random() % (round % 100 ? 40 : 9000), 'a');
    for (char& c : text) c = "\r\nab\r\n"[random() % (round % 3 ? 6 : 4)];
    // Only CR LF pairs, which then often straddle the scans' word and block boundaries.
    if (round % 4 == 0)
      for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n') {
          text.replace(i, 1, i + 1 < text.size() ? "\r\n" : "a");
          ++i;
        }
    const std::string_view view = std::string_view(text).substr(std::min<std::size_t>(random() % 3, text.size()));
    bool crLf = true;
    std::size_t crs = 0;
    for (std::size_t i = 0; i < view.size(); ++i) {
      if (view[i] == '\r') ++crs;
      if (view[i] == '\r' && (i + 1 == view.size() || view[i + 1] != '\n')) crLf = false;
      if (view[i] == '\n' && (i == 0 || view[i - 1] != '\r')) crLf = false;
    }
    ASSERT_EQ(OnlyCrLfBreaks(view), crLf) << round;
    ASSERT_EQ(CountByte(view, '\r'), crs) << round;
  }
}

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/ByteMasks.h"

// The vector masks against the plain ones and against each byte's own test, on blocks drawn from the
// bytes where the classes change (7F/80, BF/C0, C1/C2, DF/E0, the reserved bytes) and from any byte; the
// count of high bytes against a plain count, at lengths on both sides of its 64-byte steps and rounds.
TEST(ByteMasks, VectorMasksAgreeWithPlainOnesAndEachByte) {
  static const unsigned char kEdges[] = {0x00, 0x01, 0x7F, 0x80, 0x81, 0x83, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xFF};
  std::mt19937 random(64);
  for (int round = 0; round < 5000; ++round) {
    char block[64];
    for (char& c : block) c = static_cast<char>(random() % 2 ? kEdges[random() % std::size(kEdges)] : random() % 256);
    std::uint64_t high = 0, lead2 = 0, marks = 0;
    for (unsigned k = 0; k < 64; ++k) {
      const auto b = static_cast<unsigned char>(block[k]);
      high |= std::uint64_t{b >= 0x80} << k;
      lead2 |= std::uint64_t{b >= 0xC2 && b <= 0xDF} << k;
      marks |= std::uint64_t{(b | 0x02) == 0x83} << k;
    }
    const Utf8Masks masks = Utf8Masks64(block);
    const Utf8Masks plain = byte_masks_plain::Utf8Bytes(block);
    ASSERT_EQ(masks.high, high) << round;
    ASSERT_EQ(plain.high, high) << round;
    ASSERT_EQ(HighMask64(block), high) << round;
    ASSERT_EQ(masks.lead2, lead2) << round;
    ASSERT_EQ(plain.lead2, lead2) << round;
    ASSERT_EQ(EqualMask64(block, 0x83, 0x02), marks) << round;
    ASSERT_EQ(byte_masks_plain::EqualBytes(block, 0x83, 0x02), marks) << round;
  }
  for (int round = 0; round < 300; ++round) {
    std::string text(round % 10 ? random() % 300 : 4032 + random() % 9000, 'a');
    std::size_t high = 0;
    const bool allHigh = round % 20 == 0;  // what fills every byte counter of the vector count
    for (char& c : text) {
      c = static_cast<char>(allHigh ? 0x80 | random() : random() % 3 ? 'a' : random() % 256);
      high += static_cast<unsigned char>(c) >> 7;
    }
    ASSERT_EQ(CountHighBytes(text), high) << round;
  }
}

#pragma once
#include <cstdint>

// The record a stored line may carry. A line without one reads as LineFlag 0 and StartState 0.
struct TStringParams {
  // 1 = the stored line ends in a soft break (the next stored line continues the same document line).
  std::uint8_t LineFlag = 0;
  // The highlighter's scanner state at the first character of the line; 0 = unknown.
  std::uint16_t StartState = 0;
};

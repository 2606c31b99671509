#pragma once

#include <optional>

// The five text sizes of the browser's menu, from "最大" to "最小", and the
// zoom each gives a page. A size counts down from the largest (0) to the
// smallest (4), as it is kept in the profile ("DefFontSize"); the zoom
// value counts the other way.
namespace TextSize {

inline constexpr int kFirstCommand = 32884; // "最大(&G)   "
inline constexpr int kLastCommand = 32888;  // "最小(&A)"
inline constexpr int kLargest = 0;
inline constexpr int kMedium = 2;
inline constexpr int kSmallest = 4;

// The size a menu command chooses; nothing for another command.
std::optional<int> sizeOfCommand(int commandId);
int commandOfSize(int size);

// A value read from the profile, or kMedium when it is none of the sizes:
// a profile edited by hand must not leave pages unreadably small or large.
int validSize(int stored);

int zoomValueOf(int size);
// The page zoom for a zoom value (0.8 for 0 up to 1.3 for 4).
double zoomFactorOf(int zoomValue);
// The page zoom for a size, through its zoom value.
double zoomFactorOfSize(int size);

} // namespace TextSize

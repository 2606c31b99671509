#include "TextSize.h"

namespace TextSize {

std::optional<int> sizeOfCommand(int commandId) {
    if (commandId < kFirstCommand || commandId > kLastCommand)
        return std::nullopt;
    return commandId - kFirstCommand;
}

int commandOfSize(int size) {
    return kFirstCommand + validSize(size);
}

int validSize(int stored) {
    return stored >= kLargest && stored <= kSmallest ? stored : kMedium;
}

int zoomValueOf(int size) {
    return kSmallest - validSize(size);
}

double zoomFactorOf(int zoomValue) {
    static constexpr double factors[] = {0.8, 0.9, 1.0, 1.15, 1.3};
    if (zoomValue < 0 || zoomValue > 4)
        return 1.0;
    return factors[zoomValue];
}

double zoomFactorOfSize(int size) {
    return zoomFactorOf(zoomValueOf(size));
}

} // namespace TextSize

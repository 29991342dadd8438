#include "platform/resources/DialogUnits.h"

#include <cstdint>

namespace platform {

namespace {

int MulDivRounded(int value, int numerator, int denominator) {
    std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    std::int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

}  // namespace

int AverageCharWidthFromLetters(int extentOf52Letters) {
    return (extentOf52Letters / 26 + 1) / 2;
}

int DialogUnitsToPixelsX(int units, DialogBaseUnits base) {
    return MulDivRounded(units, base.x, 4);
}

int DialogUnitsToPixelsY(int units, DialogBaseUnits base) {
    return MulDivRounded(units, base.y, 8);
}

RECT DialogUnitsToPixels(const RECT& units, DialogBaseUnits base) {
    return RECT{DialogUnitsToPixelsX(units.left, base), DialogUnitsToPixelsY(units.top, base),
                DialogUnitsToPixelsX(units.right, base), DialogUnitsToPixelsY(units.bottom, base)};
}

}  // namespace platform

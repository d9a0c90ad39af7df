#include "widgets/RulerGeometry.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// Truncates toward zero, saturating instead of overflowing for values far off the ruler.
int32_t Truncate(double v) {
    if (std::isnan(v)) {
        return std::numeric_limits<int32_t>::min();
    }
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(v);
}

double Count(const RulerGeometry& g) {
    return static_cast<double>(g.maxValue) - g.minValue + 1;
}

double Span(const RulerGeometry& g) {
    return static_cast<double>(g.rulerWidth) - 2.0 * g.margin;
}

} // namespace

float RulerGeometry::Scale() const {
    return Count(*this) > 0 ? static_cast<float>(Span(*this) / Count(*this)) : 0.0F;
}

float RulerGeometry::MarkerPosition(int32_t value, int32_t hotspot) const {
    const float scale = Scale();
    return static_cast<float>(value) * scale - scale * 0.5F - static_cast<float>(hotspot);
}

int32_t RulerGeometry::DrawnX(int32_t value, int32_t hotspot) const {
    return Truncate(double{MarkerPosition(value, hotspot)} + margin - scrollOffset);
}

int32_t RulerGeometry::ValueAt(int32_t windowX) const {
    const double span = Span(*this);
    if (span <= 0 || Count(*this) <= 0) {
        return Truncate(static_cast<double>(minValue) - 1);
    }
    return Truncate(Count(*this) * (static_cast<double>(windowX) + scrollOffset - margin) / span +
                    minValue);
}

std::string RulerGeometry::Label(int32_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%d", seconds / 60, seconds % 60);
    return text;
}

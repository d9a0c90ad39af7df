#include "widgets/RulerValues.h"

void RulerValues::SetRange(int32_t minimum, int32_t maximum) {
    minValue = minimum;
    maxValue = maximum;
}

void RulerValues::SetValues(int32_t start, int32_t end) {
    const int32_t oldStart = startValue;
    const int32_t oldEnd = endValue;
    if ((start == oldStart && end == oldEnd) || start > end) {
        return;
    }
    startValue = start;
    endValue = end;
    if (start != oldStart) {
        ReportChange(1, start, oldStart);
    }
    if (endValue != oldEnd) {
        ReportChange(2, endValue, oldEnd);
    }
}

bool RulerValues::DragTo(int32_t marker, int32_t v) {
    if (v < minValue || v > maxValue) {
        return false;
    }
    if (marker == 1 && v != startValue && v <= endValue) {
        SetValues(v, endValue);
        return true;
    }
    if (marker == 2 && v != endValue && startValue <= v) {
        const int32_t oldEnd = endValue;
        endValue = v;
        ReportChange(2, v, oldEnd);
        return true;
    }
    return false;
}

void RulerValues::ReportChange(int32_t marker, int32_t newValue, int32_t oldValue) {
    if (onChange != nullptr) {
        onChange(marker, newValue, oldValue, changeUserData);
    }
}

#include "platform/CosmeticLine.h"

bool TDashPattern::IsOn(int64_t APosition) const {
    if (Count == 0)
        return true;
    int64_t period = 0;
    for (int i = 0; i < Count; ++i)
        period += Lengths[i];
    int64_t p = APosition % period;
    if (p < 0)
        p += period;
    for (int i = 0; i < Count; ++i) {
        if (p < Lengths[i])
            return i % 2 == 0;
        p -= Lengths[i];
    }
    return true;
}

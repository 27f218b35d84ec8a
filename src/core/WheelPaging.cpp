#include "WheelPaging.h"

#include <cstdlib>

namespace WheelPaging {

bool pagesPeriod(int deltaX, int deltaY, const Target& target)
{
    if (deltaX == 0 || std::abs(deltaY) > std::abs(deltaX))
        return false;
    return target.inMainWindow && !target.modalDialogOpen && !target.horizontallyScrollable;
}

int addDelta(int& accumulator, int deltaX)
{
    if ((deltaX > 0) != (accumulator > 0))
        accumulator = 0;
    accumulator += deltaX;
    int steps = 0;
    while (accumulator <= -240) {
        ++steps;
        accumulator += 240;
    }
    while (accumulator >= 240) {
        --steps;
        accumulator -= 240;
    }
    return steps;
}

} // namespace WheelPaging

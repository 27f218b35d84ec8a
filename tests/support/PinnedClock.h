#pragma once

#include "Clock.h"

// Pins the clock for the lifetime of a test scope.
class PinnedClock
{
public:
    explicit PinnedClock(const QDateTime& instant) { Clock::pin(instant); }
    ~PinnedClock() { Clock::reset(); }
    PinnedClock(const PinnedClock&) = delete;
    PinnedClock& operator=(const PinnedClock&) = delete;
};

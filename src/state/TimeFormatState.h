#pragma once

#include "TimeFormat.h"

class AppState;

// The TimeFormat choices over the state hub: they read its preferences.
namespace TimeFormat {

// Over the hub, reading the preference at every call (null hub or no preferences: 12-hour).
bool use24Hour(const AppState* state);
QString timePattern(const AppState* state);
QString formatTime(const AppState* state, const QDateTime& time);

} // namespace TimeFormat

#pragma once

#include <cstdint>

// Bounds for everything that reads untrusted input (files, servers, other devices, the command
// line). Each limit says why it exists; readers stop or skip, never crash, when one is reached.
namespace Limits {

// The largest iCalendar text read at all; a calendar export of 100,000 events with long
// descriptions stays well below it, a hostile or broken file above it is refused.
inline constexpr std::int64_t maxIcalendarBytes = 512LL * 1024 * 1024;

} // namespace Limits

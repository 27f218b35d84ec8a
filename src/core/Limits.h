#pragma once

#include <cstdint>

// Bounds for everything that reads untrusted input (files, servers, other devices, the command
// line). Each limit says why it exists; readers stop or skip, never crash, when one is reached.
namespace Limits {

// The largest iCalendar text read at all; a calendar export of 100,000 events with long
// descriptions stays well below it, a hostile or broken file above it is refused.
inline constexpr std::int64_t maxIcalendarBytes = 512LL * 1024 * 1024;

// Quick add: a phrase that reaches past this year ("in 2147483647 weeks") names no date that
// iCalendar can write (four-digit years), so it gives no event.
inline constexpr int maxQuickAddYear = 9999;

// Quick add: the longest duration accepted ("for N hours"). Ten years is far beyond any real
// event, and the bound keeps the minute arithmetic clear of overflow.
inline constexpr std::int64_t maxQuickAddDurationMinutes = 10LL * 366 * 24 * 60;

// Descriptions from servers: open elements kept by the sanitiser. Real descriptions nest a few
// levels; deeper start tags are dropped (their text kept), which keeps hostile unbalanced markup
// linear to clean.
inline constexpr int maxDescriptionNesting = 100;

} // namespace Limits

#pragma once

#include <cstdint>

// Bounds for everything that reads untrusted input (files, servers, other devices, the command
// line). Each limit says why it exists; readers stop or skip, never crash, when one is reached.
namespace Limits {

// The largest iCalendar text read at all; a calendar export of 100,000 events with long
// descriptions stays well below it, a hostile or broken file above it is refused.
inline constexpr std::int64_t maxIcalendarBytes = 512LL * 1024 * 1024;

// Calendar days one recurrence generation call may examine. Rules are untrusted (servers, feeds,
// files): a rule that never matches (BYMONTH=2;BYMONTHDAY=30) or a COUNT that has to be counted
// from a distant DTSTART would otherwise run for as long as the calendar has years. Two million
// days are more than five thousand years of a daily rule, and a few tens of milliseconds of work.
inline constexpr std::int64_t maxRecurrenceDaysExamined = 2'000'000;

// Starts one generation call returns. Bounds the time and memory of a window that spans
// centuries (each start becomes a copy of its event); a daily rule still fills fifty years.
inline constexpr int maxRecurrenceStarts = 20'000;

} // namespace Limits

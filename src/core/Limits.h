#pragma once

#include <cstdint>

// Bounds for everything that reads untrusted input (files, servers, other devices, the command
// line). Each limit says why it exists; readers stop or skip, never crash, when one is reached.
namespace Limits {

// The largest iCalendar text read at all; a calendar export of 100,000 events with long
// descriptions stays well below it, a hostile or broken file above it is refused.
inline constexpr std::int64_t maxIcalendarBytes = 512LL * 1024 * 1024;

// The largest secret the credential store keeps: the platform's own cap on a generic credential
// blob (5 * 512 bytes), so a value stored here would also fit the native store.
inline constexpr std::int64_t maxCredentialBlobBytes = 5 * 512;

// The largest credential file read at all; real files hold a few kilobytes, anything far larger
// is not ours and reads as empty.
inline constexpr std::int64_t maxCredentialFileBytes = 4LL * 1024 * 1024;

// The largest request the sign-in listener reads before it drops a connection; a browser's
// redirect with two tokens is a few kilobytes.
inline constexpr std::int64_t maxLoopbackRequestBytes = 64LL * 1024;

// The longest lifetime a token endpoint's "expires_in" is taken at; access tokens live an hour or
// so. A larger figure (up to 1e300 in a hostile reply) would overflow the expiry time.
inline constexpr std::int64_t maxAccessTokenLifetimeSeconds = 24LL * 3600;

// The largest reply body the account service transport accepts; cloud event pages stay far
// below it, a broken or hostile server is cut off.
inline constexpr std::int64_t maxServiceReplyBytes = 64LL * 1024 * 1024;

// The longest error text of a service reply that is shown to the user; a real one is a sentence,
// a hostile one must not fill a window.
inline constexpr int maxServiceErrorTextChars = 300;

// People listed with access to one shared calendar; a group has a handful of seats, a longer
// list comes from a broken server and would only fill the share dialog.
inline constexpr int maxShareMembers = 500;

// Entries read from each list of the account service: the group's members and its pending
// invitations, the account's devices and its sessions. A group has a handful of seats and a
// person a handful of devices and sign-ins; a longer list comes from a broken server, and the
// pages say how many entries they left out.
inline constexpr int maxGroupMembers = 50;
inline constexpr int maxGroupInvitations = 50;
inline constexpr int maxAccountDevices = 100;
inline constexpr int maxAccountSessions = 100;

// The longest unfolded iCalendar content line, in characters. An inline attachment of a few
// megabytes still fits; longer lines come only from broken or hostile files and are skipped
// (neither read nor kept in the stored text), so one line cannot hold gigabytes of memory.
inline constexpr std::int64_t maxIcalendarLineChars = 4LL * 1024 * 1024;

// Content lines in one VEVENT or VTODO. A long-running series with years of exceptions and a
// large attendee list needs a few thousand; a component beyond this is dropped whole rather
// than stored truncated, because a truncated copy would later be pushed back over the original.
inline constexpr int maxIcalendarPropertiesPerComponent = 20000;

// VEVENT or VTODO components read from one text; reading stops there. A decade of a busy shared
// calendar is some tens of thousands; the bound keeps one file from exhausting memory.
inline constexpr int maxIcalendarComponentsPerText = 1000000;

// Depth of components nested inside a VEVENT or VTODO (VALARM is one level; real files never
// go beyond two). Deeper nesting marks a broken component, which is dropped.
inline constexpr int maxIcalendarNesting = 16;

// Distinct TZID values resolved against the zone database for one text. Each new one costs a
// zone-database lookup; the database knows fewer than a thousand zones, so a text naming more
// is hostile, and the rest of its zones are read as local time without a lookup.
inline constexpr int maxIcalendarTimeZonesPerText = 1000;

// Time-zone definitions (VTIMEZONE) read from untrusted text: observances (STANDARD and
// DAYLIGHT blocks) kept per definition, and definitions interpreted per text. Real definitions
// hold a handful of observances; the few zones a text uses need few definitions.
inline constexpr int maxTimeZoneObservances = 64;
inline constexpr int maxCustomTimeZonesPerText = 16;

// A zone definition that no IANA zone matches travels with each of its events, as text. Real
// ones are well under a kilobyte (a zone with a century of history a few kilobytes); a longer
// one is still read for its instants, but its events are kept in UTC.
inline constexpr int maxTimeZoneDefinitionChars = 16384;

// Offset changes one observance contributes (its DTSTART, RDATEs and yearly RRULE), and the year
// its rule is followed to; later instants keep the last offset. A real rule changes once a year,
// so four centuries stay below the bound; a rule naming every day of the year reaches it at once.
inline constexpr int maxTimeZoneOnsetsPerObservance = 1000;
inline constexpr int lastTimeZoneRuleYear = 2400;

// Changes of such a definition compared with each candidate IANA zone when looking for the one
// with the same offsets: real zones change a few times a year.
inline constexpr int maxTimeZoneChangesMatched = 32;

// Years a written time-zone definition covers, counted from its first needed instant. A series
// that ends later (UNTIL in year 9999) still gets a definition of bounded size; the yearly
// rules that close it carry on beyond the span anyway.
inline constexpr int maxTimeZoneSpanYears = 100;

// Years ahead of "now" a written time-zone definition covers for a series without an end.
inline constexpr int timeZoneYearsAheadForEndlessSeries = 10;

// The longest DURATION (or alarm offset) accepted, in seconds: a hundred years. Longer values
// come from broken input and would push times out of the representable range; they count as
// unreadable.
inline constexpr std::int64_t maxIcalendarDurationSeconds = 100LL * 366 * 86400;

// Calendar days one recurrence generation call may examine. Rules are untrusted (servers, feeds,
// files): a rule that never matches (BYMONTH=2;BYMONTHDAY=30) or a COUNT that has to be counted
// from a distant DTSTART would otherwise run for as long as the calendar has years. Two million
// days are more than five thousand years of a daily rule, and a few tens of milliseconds of work.
inline constexpr std::int64_t maxRecurrenceDaysExamined = 2'000'000;

// Starts one generation call returns. Bounds the time and memory of a window that spans
// centuries (each start becomes a copy of its event); a daily rule still fills fifty years.
inline constexpr int maxRecurrenceStarts = 20'000;

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

// --- The platform layer (autostart entry, `.ics` association) ---

// The largest desktop entry or mimeapps.list read. Real ones are a few kilobytes; a larger file
// is not one we understand, so it is neither trusted nor rewritten.
inline constexpr std::int64_t maxDesktopFileBytes = 1024 * 1024;

// Characters of one character reference in a description ("&", name or number, ";"). The
// longest named reference in HTML ("&CounterClockwiseContourIntegral;") has 33; a longer run is
// read as text, so a long run of letters after "&" is never scanned to its end.
inline constexpr int maxCharacterReferenceChars = 34;

// The longest TZID handed to the zone database. IANA ids stay below 40 characters; a longer
// value is read as a Windows zone name or as local time, never looked up as a file name. A zone
// definition's TZID is matched to the id it ends with only within its last this many characters,
// so a TZID of thousands of parts costs no more than a short one.
inline constexpr int maxTimeZoneIdChars = 64;

// Zones (by id) whose lookups the recurrence expansion keeps. Ids come from stored data; unknown
// ids are remembered too, and the whole cache is dropped when it reaches this size.
inline constexpr int maxRecurrenceZonesCached = 1000;

// Years of UTC offsets (per zone) the recurrence expansion keeps. A series spanning a century in
// a dozen zones needs about a thousand; the cache is dropped when it reaches this size.
inline constexpr int maxRecurrenceOffsetYearsCached = 20000;

// The largest forecast reply read; sixteen days of daily values are a few kilobytes, so a reply
// far beyond that is not a forecast and is dropped unread.
inline constexpr std::int64_t maxWeatherReplyBytes = 1024 * 1024;

// Days kept from one forecast reply; the service offers at most sixteen, more marks a broken reply
// and the rest is ignored.
inline constexpr int maxForecastDays = 31;

// Calendars taken from one cloud calendar list, and pages followed in one calendar pull: far
// beyond any real account, they keep a looping or hostile server from running forever.
inline constexpr int maxCloudCalendars = 1000;
inline constexpr int maxCloudPullPages = 1000;

// Calendars taken from one CalDAV discovery or one Google calendar list, in the server's order.
// A real account has tens, a large shared server some hundreds; each calendar kept becomes a row,
// a line in the account dialog and requests on every sync, so a server that lists without end
// is cut here.
inline constexpr int maxDiscoveredCalendars = 2000;

// Names one log line lists, each bounded as a row shows it (ShownText::logged): the calendars a
// bound left out of a listing are named up to here and counted beyond, so a server that lists a
// million calendars more than are kept does not write them all into one line.
inline constexpr int maxNamesPerLogLine = 50;

// Characters of a server's reply that a failure text quotes: the first line of its body, room for
// a one-line error message. An error page (a proxy's HTML, a JSON document) would otherwise fill
// the status bar, the account's status and the log.
inline constexpr int maxReplyLineChars = 200;

// Characters of a calendar name that a combo box entry or a dialog's heading lays out. Both are
// as wide as their text; real names are a few words, and a longer one from a server would
// otherwise carry its dialog past the screen.
inline constexpr int maxShownCalendarNameChars = 80;

// The largest calendar feed downloaded; a public feed of several years of a busy calendar is a
// few megabytes, so a download beyond this is cut off and the calendar keeps its last copy.
inline constexpr std::int64_t maxWebcalFeedBytes = 64LL * 1024 * 1024;

// The release manifest read by the update check: a few hundred bytes of JSON in practice; a
// feed that sends more is broken or hostile, and the check fails instead of holding the body.
inline constexpr std::int64_t maxUpdateManifestBytes = 1024 * 1024;

// Release notes shown in the what's-new window: a few kilobytes of text; more is cut off.
inline constexpr std::int64_t maxReleaseNotesBytes = 1024 * 1024;

// One command line on the single-instance socket: a quick-add text or a file path is far
// shorter; a longer line comes from another program on the socket and is dropped unread.
inline constexpr std::int64_t maxSingleInstanceLineBytes = 64 * 1024;

// How long a launch waits for the running instance to answer that it has kept the command handed
// to it. The instance answers from its event loop, so one still opening its store answers after
// its start-up; one that is stopped, or cannot accept connections (no file descriptor left),
// never does, and the launch then says so instead of ending as if the command had been taken.
inline constexpr int singleInstanceReplyWaitMs = 10 * 1000;

// The longest answer a launch reads from the running instance; real ones are a dozen bytes.
inline constexpr std::int64_t maxSingleInstanceReplyBytes = 1024;

// The largest reply body a CalDAV server may send. A REPORT of 10,000 events is about 6 MB, so
// this leaves room for calendars twenty times larger; a broken or hostile server that streams
// without end is cut off instead of filling memory, and the request fails.
inline constexpr std::int64_t maxCalDavReplyBytes = 128LL * 1024 * 1024;

// Redirects followed for one request to a calendar server or feed. Servers move a collection or
// a feed once or twice (an old path, http to https); a longer chain is a loop.
inline constexpr int maxHttpRedirects = 5;

// --- Request deadlines ---
// Every request also has a stall timeout, which ends a server that falls silent; a deadline ends
// one that keeps sending a byte now and then and would otherwise hold the request for hours.

// One CalDAV request, in milliseconds. The largest reply allowed arrives well within it on an
// ordinary line, and the sync's watchdog gives up on a client silent this long anyway.
inline constexpr int calDavRequestDeadlineMs = 5 * 60 * 1000;

// One calendar feed download. A feed of the largest size allowed downloads in seconds; one still
// arriving after two minutes keeps its calendar busy and the periodic syncs waiting.
inline constexpr int webcalDownloadDeadlineMs = 2 * 60 * 1000;

// One forecast or place-name lookup: a few kilobytes, which a working service sends at once.
inline constexpr int weatherRequestDeadlineMs = 60 * 1000;

// One request to the update feed (manifest or release notes): a few kilobytes.
inline constexpr int updateRequestDeadlineMs = 60 * 1000;

// One request to the account and cloud sync service. Its largest pages stay far below the reply
// bound; two minutes leave room for a slow line without holding a sync for long.
inline constexpr int serviceRequestDeadlineMs = 2 * 60 * 1000;

// One request to the Google Calendar API. An event page of 2,500 events is a few megabytes and
// arrives in seconds; a reply still trickling in after two minutes holds its calendar busy.
inline constexpr int googleRequestDeadlineMs = 2 * 60 * 1000;

// The largest reply body the Google Calendar API may send. A page of 2,500 events with long
// descriptions and attendee lists stays far below it; a server that streams without end is cut
// off and the request fails.
inline constexpr std::int64_t maxGoogleReplyBytes = 64LL * 1024 * 1024;

// Pages followed in one Google event listing or calendar list. At 2,500 events a page this is
// two and a half million events, far beyond any real calendar; a server that keeps naming new
// pages fails the listing instead of running forever.
inline constexpr int maxGoogleListPages = 1000;

// Ancestors compared when a task is dragged over a row, to refuse dropping a task into its own
// subtree. Real task trees are a few levels deep; the bound keeps a parent loop in stored data
// from stalling the drag.
inline constexpr int maxTaskAncestorsChecked = 64;

// Characters of an event's title the filter form shows: each example its preview names ("e.g. A,
// B, C"), the event a specific rule is about, and the name it suggests from that title. A title is
// recognised by its start; a megabyte one would wrap over the whole screen and crush the fields.
inline constexpr int maxFilterTitleChars = 80;

// --- Text laid out on screen ---
// Outside text is stored whole; these bound what one widget lays out of it (ShownText::bounded).

// Characters of a title, location or name that a list row or a one-line label lays out. A row
// shows a few lines of it; a megabyte title wrapped and measured in full blocks the window for
// seconds on every reload.
inline constexpr int maxRowTextChars = 500;

// Characters of a description or a task's notes that a details card lays out, ending in an
// ellipsis: several screens of the card, enough to read any real description there. The card's
// title and location, headings, take a row's worth (maxRowTextChars).
inline constexpr int maxCardTextChars = 3000;

// Characters of a stored text that a form's line edit or text box holds for editing as the form
// opens. A line edit of 32,768 characters, or a paragraph of that length in a text box, lays out
// in a few tens of milliseconds; a megabyte takes seconds. A longer text is shown in part and
// goes in whole when the field is clicked; it is saved whole either way.
inline constexpr int maxFormFieldChars = 32768;

} // namespace Limits

#pragma once

#include <QString>
#include <QStringList>

// The iCalendar bodies a CalDAV push sends, built from the rows' stored texts. Pure text work:
// folded lines, unknown properties and nested components pass through as written.
namespace CalDavBody {

// One stored text as it is sent: split at LF or CR LF, one trailing empty line dropped, wrapped
// in a VCALENDAR with VERSION and PRODID when no line begins a VCALENDAR (in any letter case),
// joined with CR LF and ended by one CR LF. A TZID the text names without a VTIMEZONE for it
// gains a generated one (for zones the zone database knows), so every object defines its zones.
QString single(const QString& stored);

// The whole object of one UID from the stored texts of its live rows, the master first. The
// calendar's own properties come from the first text that has them; each time zone (by TZID)
// is kept once, and zones named but not defined are generated as `single` does; every VEVENT
// and VTODO of every text follows in order. The first VEVENT gains an EXDATE for each recurrence
// id it does not exclude yet ("yyyyMMdd" as a DATE value; a UTC date-time in the TZID of the
// VEVENT's DTSTART when it has one, or as floating digits on the clock of `zone`, the series'
// `timezone`, when its DTSTART is floating). One text and no exception dates give `single` of it.
QString compose(const QStringList& storedTexts, const QStringList& exceptionDates,
                const QString& zone = QString());

// The stored text with EXDATEs for the recurrence ids added to its first VEVENT, as `compose`
// does; the rest of the text is kept line by line (with its own line ends).
QString withExceptionDates(const QString& stored, const QStringList& recurrenceIds,
                           const QString& zone = QString());

// The stored text with the UID of every VEVENT and VTODO (not of the components nested in them)
// set to `uid`; the other lines are kept as written, with the text's own line ends. Text that
// holds no component is given back as it is.
QString withUid(const QString& stored, const QString& uid);

// The JSON array text of exception dates with the recurrence ids appended that it lacks.
// Text that is not a JSON array counts as empty.
QString addExceptionDates(const QString& json, const QStringList& recurrenceIds);

} // namespace CalDavBody

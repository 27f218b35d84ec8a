#pragma once

#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <memory>
#include <optional>

class VTimeZoneRules;

// Which zone an event belongs to: the zone new events take, and the zone an event's times are
// written in.
namespace EventZone {

// The zone the machine's zone database knows by `id` (an IANA id, or one of UTC's names); an
// invalid zone for any other text. Every zone name read from elsewhere (a TZID, an event's
// `timezone`, a provider's zone field) reaches the zone database through here only: it opens
// files named by the id, so an id that is no zone name ("../../etc/passwd") is never handed on.
// Thread-safe; looks each id up once.
QTimeZone named(QStringView id);

// The IANA id of `system` when it has one the zone database knows; "UTC" otherwise (a POSIX TZ
// rule such as "CET-1CEST", an offset-only zone, an invalid zone, UTC under another name).
QString forNewEvents(const QTimeZone& system);

// forNewEvents of the machine's zone.
QString forNewEvents();

// The zone a timed event's times are written in: the zone its `timezone` id names, when that is
// a real zone other than UTC; nothing for UTC, an empty or unknown id, a zone that is UTC by
// another name (no offset, no transitions), or a zone the event defines itself (definedZone).
std::optional<QTimeZone> writingZone(const QString& timezone);

// The rules of a zone that no IANA zone matches, which an event read from elsewhere carries as
// its `timezone`: that zone's VTIMEZONE definition (VTimeZoneRules::definition). Null for a
// zone id and for a definition that does not read. Thread-safe; reads each text once.
std::shared_ptr<const VTimeZoneRules> definedZone(const QString& timezone);

} // namespace EventZone

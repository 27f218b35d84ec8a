#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTimeZone>

#include <optional>

// A time zone as one VTIMEZONE component (RFC 5545) defines it, for TZIDs the zone database does
// not know: its observances (STANDARD, DAYLIGHT) with DTSTART, TZOFFSETFROM, TZOFFSETTO, RDATE
// and a yearly RRULE, turned into a list of offset changes.
//
// Such a zone cannot become a QTimeZone, so readers use it twice: to turn the wall-clock times
// that name it into the right instants, and to find the IANA zone with the same offsets
// (matchingZone), which the event then keeps as its zone so that its series repeats and is
// written back like any other. Where no IANA zone matches, the event keeps the definition itself
// as its zone (EventZone::definedZone): its series repeats by these rules and is written back
// with this TZID and definition.
class VTimeZoneRules
{
public:
    // The definition in one VTIMEZONE block (its BEGIN line to its END line); nothing when it
    // has no TZID or no observance with a readable DTSTART and offsets. Untrusted text: bounded
    // in observances and in the changes each one contributes.
    static std::optional<VTimeZoneRules> read(QStringView block);

    const QString& tzid() const { return m_tzid; }

    // The block as read, one unfolded line each ended by CR LF, without lines that are no
    // properties and without components other than STANDARD and DAYLIGHT. Empty when the block
    // is not one whole VTIMEZONE (every END closing the BEGIN before it), is longer than
    // Limits::maxTimeZoneDefinitionChars or has a TZID no parameter can name (a double quote, a
    // control character other than a tab).
    const QString& definition() const { return m_definition; }

    // The TZID of a VTIMEZONE block without reading the rest; empty when it has none.
    static QString tzidOf(QStringView block);

    // Seconds east of UTC in force at the instant (seconds since the epoch). Before the first
    // change, the offset that change leaves.
    int offsetAt(qint64 utcSeconds) const;

    // The instant (seconds since the epoch) of a wall-clock time given as seconds since the epoch
    // of its fields read as UTC. A time that occurs twice takes the earlier instant; one in a
    // gap is read with the offset before the gap.
    qint64 toUtc(qint64 wallSeconds) const;

    // The IANA zone with the same offsets as this definition at every change from the year
    // before `year` to two years after it, and at the start and middle of each of those years:
    // the zone whose id the TZID text ends with, else one whose city or country the text names,
    // else one with the definition's TZNAMEs, else the main zone of the first match's region.
    // Invalid when none matches or the definition is UTC in all but name.
    QTimeZone matchingZone(int year) const;

private:
    struct Change
    {
        qint64 utc = 0;
        int offsetTo = 0;
    };
    QString m_tzid;
    QString m_definition;
    QStringList m_names;
    int m_initialOffset = 0;
    QList<Change> m_changes; // ascending
    QList<int> m_offsets;    // the distinct offsets, largest first
};

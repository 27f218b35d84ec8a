#pragma once

// How the date-times of a timed event are said in iCalendar text: by the writer building an
// event anew and by the rewrite of a stored text's times, so that both say a time one way.
// Private to the core.

#include "DateText.h"
#include "IcalInternal.h"
#include "WallClock.h"

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTimeZone>

#include <memory>
#include <optional>

class IcalZoneCache;
class VTimeZoneRules;
struct Event;

// One way of saying an event's times:
// - in a zone: wall-clock digits with its TZID (an IANA zone, or one only its definition names);
// - floating: the digits of the clock of the zone the event was given when it was read, with no
//   TZID, so that every reader shows the same digits wherever it is;
// - in UTC.
// A time the digits cannot say (the later instant of a repeated hour) goes out in UTC with the
// zone held beside it (IcalInternal::heldZoneParam); a series' start is the exception
// (seriesStart).
class IcalTimeForm
{
public:
    // UTC.
    IcalTimeForm() = default;

    // The form of a timed event's times: floating where `storedStartLine` (the DTSTART line of
    // its stored text) is, on the clock of the event's `timezone`; else its zone's, or UTC.
    static IcalTimeForm ofEvent(const Event& event, QStringView storedStartLine);

    // The form one line of a stored text says its time in, as the reader read it: its TZID (one
    // nobody defines on the clock of `eventZone`, the event's `timezone`, with the TZID kept), the
    // zone held beside a UTC value, floating time on the clock of `eventZone`, or UTC.
    static IcalTimeForm ofLine(const IcalInternal::LineParts& parts, IcalZoneCache& zones,
                               const QString& eventZone);

    // Digits on a clock (a zone, or floating), not UTC.
    bool isLocal() const { return m_local; }
    bool isFloating() const { return m_local && m_tzid.isEmpty(); }
    // The IANA zone the TZID names, whose definition goes beside the event.
    std::optional<QTimeZone> databaseZone() const;
    // The zone's own definition, where only that names it.
    const std::shared_ptr<const VTimeZoneRules>& rules() const { return m_rules; }
    const QString& tzid() const { return m_tzid; }

    // Whether this form's digits say `time` (they read back as it: not the later instant of a
    // repeated hour). Never in UTC.
    bool canSay(const QDateTime& time) const { return !wallDigits(time).isEmpty(); }

    // Whether a DATE-TIME value of this form says `time`: its digits read on this form's clock,
    // or in UTC. A DATE says no time.
    bool reads(QStringView value, const QDateTime& time, IcalZoneCache& zones) const;

    // "NAME;TZID=…:digits", "NAME:digits" (floating), "NAME;X-ORVANDELLIC-TZID=…:…Z" or
    // "NAME:…Z", ended by CR LF.
    QString line(QLatin1String name, const QDateTime& time) const;

    // As line(), with the digits the clock shows at `time` even where they name the earlier
    // instant of a repeated hour: the start of a series held at the later one, and an exception
    // date of that start.
    QString shownLine(QLatin1String name, const QDateTime& time) const;

    // DTEND, or a DURATION of the exact length where the end's digits cannot say it but the
    // start's can: readers then keep the start's zone and the exact length.
    QString endLine(const QDateTime& start, const QDateTime& end) const;

    // A series repeats at the wall time its DTSTART's digits say, so they are written even where
    // they name the earlier instant of a repeated hour (a series held at the later one): every
    // reader then repeats it at its time of day, and begins it an hour early that night. Its
    // length goes out exactly, as a DURATION line. Empty where the start can be said.
    QString seriesStart(const QDateTime& start, const QDateTime& end) const;

    // Whether the stored `line` names this form's zone (or both are floating) and reads as
    // `time`: what another client wrote there may then stay as written (02:30 on the night the
    // clocks skip that hour, which reads as 03:30).
    bool keeps(QStringView line, const QDateTime& time, IcalZoneCache& zones) const;

    // Whether a stored DURATION `value` says `end` from `start` both to this program's reader
    // (exact seconds) and to RFC 5545 readers (days and weeks nominal, on the start's clock).
    bool durationSays(QStringView value, const QDateTime& start, const QDateTime& end) const;

    // "DURATION:PT…" of the exact length, whatever the clocks do, ended by CR LF.
    static QString exactLength(const QDateTime& start, const QDateTime& end);

private:
    // The digits of `time` on this form's clock where they read back as it; empty otherwise.
    QString wallDigits(const QDateTime& time) const;
    // The digits this form's clock shows at `time`.
    QString shownDigits(const QDateTime& time) const;
    QDateTime read(const DateText::Compact& digits, QStringView value, IcalZoneCache& zones) const;
    // "NAME;TZID=…:" or "NAME:".
    QString head(QLatin1String name) const;
    WallClock& clock() const;

    bool m_local = false;
    QTimeZone m_zone; // the clock, unless m_rules give it
    std::shared_ptr<const VTimeZoneRules> m_rules;
    QString m_tzid;     // written as TZID; empty for floating time and UTC
    QString m_heldName; // written beside a UTC value; empty where that is UTC
    bool m_databaseZone = false;
    mutable std::optional<WallClock> m_clock;
};

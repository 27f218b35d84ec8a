#include "VTimeZone.h"

#include "DateText.h"
#include "IcalInternal.h"
#include "Limits.h"
#include "Weekday.h"

#include <QList>

#include <algorithm>

namespace {

using IcalInternal::crlf;

// One change of offset, with what a yearly rule would need to reproduce it.
struct Onset
{
    QDateTime utc;
    QDateTime localBefore; // wall clock in the offset before the change (the observance's DTSTART)
    int offsetFrom = 0;
    int offsetTo = 0;
    bool daylight = false;
    QString name;
};

// Onsets that one yearly rule reproduces: same kind, offsets, month, weekday and local time, in
// consecutive years, on a weekday position that all of them share.
struct Run
{
    QList<Onset> onsets;
    bool nthFits = true;  // every onset is the same n-th weekday of its month
    bool lastFits = true; // every onset is the last such weekday of its month
};

int nthOf(QDate date)
{
    return (date.day() - 1) / 7 + 1;
}

bool isLastOf(QDate date)
{
    return date.day() + 7 > date.daysInMonth();
}

bool continues(const Run& run, const Onset& onset)
{
    const Onset& last = run.onsets.constLast();
    const QDate a = last.localBefore.date();
    const QDate b = onset.localBefore.date();
    if (last.daylight != onset.daylight || last.offsetFrom != onset.offsetFrom ||
        last.offsetTo != onset.offsetTo || b.year() != a.year() + 1 || a.month() != b.month() ||
        a.dayOfWeek() != b.dayOfWeek() || last.localBefore.time() != onset.localBefore.time())
        return false;
    const bool nth = run.nthFits && nthOf(a) == nthOf(b);
    const bool lastDay = run.lastFits && isLastOf(b);
    return nth || lastDay;
}

QString offsetText(int seconds)
{
    const QChar sign = seconds < 0 ? u'-' : u'+';
    const int magnitude = std::abs(seconds);
    QString text = sign + QStringLiteral("%1%2")
                              .arg(magnitude / 3600, 2, 10, QLatin1Char('0'))
                              .arg(magnitude / 60 % 60, 2, 10, QLatin1Char('0'));
    if (magnitude % 60 != 0)
        text += QStringLiteral("%1").arg(magnitude % 60, 2, 10, QLatin1Char('0'));
    return text;
}

QString localText(const QDateTime& wallClock)
{
    const QDate d = wallClock.date();
    const QTime t = wallClock.time();
    QString text =
        DateText::compactUtc(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
    text.chop(1);
    return text;
}

void appendObservance(QString& out, const Onset& first, const QString& rule)
{
    const QLatin1String kind(first.daylight ? "DAYLIGHT" : "STANDARD");
    out += QLatin1String("BEGIN:") + kind + crlf;
    out += QLatin1String("DTSTART:") + localText(first.localBefore) + crlf;
    out += QLatin1String("TZOFFSETFROM:") + offsetText(first.offsetFrom) + crlf;
    out += QLatin1String("TZOFFSETTO:") + offsetText(first.offsetTo) + crlf;
    if (!first.name.isEmpty())
        out += QLatin1String("TZNAME:") + IcalInternal::plainValue(first.name) + crlf;
    if (!rule.isEmpty())
        out += QLatin1String("RRULE:") + rule + crlf;
    out += QLatin1String("END:") + kind + crlf;
}

QString yearlyRule(const Run& run, bool open)
{
    const QDate date = run.onsets.constFirst().localBefore.date();
    const int position = run.nthFits ? nthOf(date) : -1;
    QString rule = QStringLiteral("FREQ=YEARLY;BYMONTH=%1;BYDAY=%2%3")
                       .arg(date.month())
                       .arg(position)
                       .arg(QLatin1String(Weekday::names[date.dayOfWeek() - 1].code));
    if (!open)
        rule += QLatin1String(";UNTIL=") + DateText::compactUtc(run.onsets.constLast().utc);
    return rule;
}

} // namespace

namespace VTimeZone {

QString write(const QString& tzid, const QTimeZone& zone, const QDateTime& from,
              const QDateTime& to)
{
    if (!zone.isValid() || !from.isValid() || tzid.isEmpty())
        return {};
    const QDateTime begin = from.toUTC().addYears(-1);
    QDateTime end = to.isValid() && to > from ? to.toUTC() : from.toUTC();
    end = std::min(end, from.toUTC().addYears(Limits::maxTimeZoneSpanYears));

    QList<Onset> onsets;
    const QTimeZone::OffsetData initial = zone.offsetData(begin);
    int offset = initial.offsetFromUtc;
    bool wasDaylight = initial.daylightTimeOffset > 0;
    for (const QTimeZone::OffsetData& data : zone.transitions(begin, end)) {
        const bool daylight = data.daylightTimeOffset > 0;
        if (data.offsetFromUtc == offset && daylight == wasDaylight)
            continue; // a new abbreviation alone
        wasDaylight = daylight;
        Onset onset;
        onset.utc = data.atUtc.toUTC();
        onset.offsetFrom = offset;
        onset.offsetTo = data.offsetFromUtc;
        onset.localBefore = onset.utc.addSecs(offset);
        onset.daylight = daylight;
        onset.name = data.abbreviation;
        onsets.append(onset);
        offset = data.offsetFromUtc;
    }

    QString out;
    out += QLatin1String("BEGIN:VTIMEZONE") + crlf;
    out += QLatin1String("TZID:") + IcalInternal::plainValue(tzid) + crlf;
    if (onsets.isEmpty()) {
        // One observance that holds from long before any time the text names.
        const QTimeZone::OffsetData data = zone.offsetData(from);
        Onset always;
        always.offsetFrom = always.offsetTo = data.offsetFromUtc;
        always.localBefore = QDateTime(QDate(1970, 1, 1), QTime(0, 0), QTimeZone::utc());
        always.daylight = data.daylightTimeOffset > 0;
        always.name = data.abbreviation;
        appendObservance(out, always, QString());
        out += QLatin1String("END:VTIMEZONE") + crlf;
        return out;
    }

    // Group the onsets into yearly runs; a run that reaches the last year of the span stays
    // open, so readers carry it on as the zone does.
    QList<Run> runs;
    for (const Onset& onset : std::as_const(onsets)) {
        auto found = std::find_if(runs.begin(), runs.end(), [&](const Run& run) {
            return run.onsets.constLast().daylight == onset.daylight && continues(run, onset);
        });
        if (found == runs.end()) {
            Run run;
            run.onsets.append(onset);
            run.nthFits = true;
            run.lastFits = isLastOf(onset.localBefore.date());
            runs.append(run);
            continue;
        }
        const QDate previous = found->onsets.constLast().localBefore.date();
        const QDate date = onset.localBefore.date();
        found->nthFits = found->nthFits && nthOf(previous) == nthOf(date);
        found->lastFits = found->lastFits && isLastOf(date);
        found->onsets.append(onset);
    }
    const int lastYear = end.date().year();
    for (qsizetype i = 0; i < runs.size(); ++i) {
        const Run& run = runs.at(i);
        if (run.onsets.size() < 2) {
            appendObservance(out, run.onsets.constFirst(), QString());
            continue;
        }
        // A rule that still held in the span's last year carries on (two rules of one kind do
        // where a zone's winter is its "daylight" time); one that stopped earlier is closed.
        const bool open = run.onsets.constLast().utc.date().year() >= lastYear - 1;
        appendObservance(out, run.onsets.constFirst(), yearlyRule(run, open));
    }
    out += QLatin1String("END:VTIMEZONE") + crlf;
    return out;
}

} // namespace VTimeZone

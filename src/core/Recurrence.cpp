#include "Recurrence.h"

#include "CivilDays.h"
#include "DateText.h"
#include "EventZone.h"
#include "ExceptionDates.h"
#include "Limits.h"
#include "RecurrenceStarts.h"
#include "VTimeZoneRules.h"
#include "WallClock.h"
#include "Weekday.h"

#include <QHash>
#include <QLoggingCategory>
#include <QTimeZone>

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

Q_LOGGING_CATEGORY(lcExpansion, "calendar.expansion", QtWarningMsg)

namespace {

using namespace CivilDays;

// "yyyyMMdd", "yyyyMMddTHHmmss" or "yyyyMMddTHHmmssZ": milliseconds of that wall-clock time
// counted as if it were UTC, with whether it was written in UTC; nothing for other texts.
struct WallTime
{
    qint64 ms;
    bool hasTime;
    bool utc;
};

std::optional<WallTime> readWallTime(QStringView text)
{
    const std::optional<DateText::Compact> read = DateText::readCompact(text);
    if (!read)
        return std::nullopt;
    const qint64 day = daysFromCivil(read->year, read->month, read->day);
    const qint64 second = read->hour * 3600 + read->minute * 60 + read->second;
    return WallTime{day * msPerDay + second * 1000, read->hasTime, read->utc};
}

qint64 msOrMin(const QDateTime& time)
{
    return time.isValid() ? time.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
}

qint64 occurrenceDuration(const Event& event)
{
    return event.endTime ? event.startTime.msecsTo(*event.endTime) : msPerHour;
}

QString recurrenceIdForMs(qint64 utcMs, bool allDay)
{
    const qint64 day = floorDiv(utcMs, msPerDay);
    const int secondOfDay = int((utcMs - day * msPerDay) / 1000);
    const Civil date = civilFromDays(day);
    const int year = int(std::clamp<qint64>(date.year, 0, 9999));
    if (allDay)
        return DateText::compactDate(year, date.month, date.day);
    return DateText::compactUtc(year, date.month, date.day, secondOfDay / 3600,
                                secondOfDay / 60 % 60, secondOfDay % 60);
}

// The instant a recurrence id names: "yyyyMMddTHHmmssZ", or "yyyyMMdd" at 00:00 UTC.
std::optional<qint64> recurrenceIdInstant(const QString& text)
{
    const std::optional<WallTime> read = readWallTime(text);
    if (!read || read->hasTime != read->utc)
        return std::nullopt;
    return read->ms;
}

// The rules of a timed series whose zone only its own definition names; null for any other.
std::shared_ptr<const VTimeZoneRules> definedRules(const Event& series)
{
    return series.isAllDay ? nullptr : EventZone::definedZone(series.timezone);
}

// The occurrences of a series within the window, built only for starts that overlap it.
QList<Event> seriesOccurrences(const Event& series, qint64 fromMs, qint64 toMs)
{
    QList<Event> result;
    if (!series.startTime.isValid())
        return result;
    const Recurrence::Rule rule = Recurrence::parseRRule(series.recurrenceRule);
    const QSet<qint64> exceptions = Recurrence::parseDateList(series.exceptionDates);
    const qint64 duration = occurrenceDuration(series);
    const qint64 notBefore = fromMs == std::numeric_limits<qint64>::min()
                                 ? fromMs
                                 : fromMs - std::max<qint64>(duration, 0);
    const QDateTime anchor = Recurrence::wallClockStart(series);
    WallClock clock(anchor, definedRules(series));
    const WallClock output(series.startTime);
    const QList<qint64> starts = RecurrenceStarts::generate(rule, anchor, toMs, notBefore, clock);
    result.reserve(starts.size());
    for (qint64 start : starts) {
        if (exceptions.contains(start) || start + duration <= fromMs || start >= toMs)
            continue;
        Event occurrence = series;
        occurrence.startTime = output.make(start);
        occurrence.endTime = output.make(start + duration);
        occurrence.recurrenceId = recurrenceIdForMs(start, series.isAllDay);
        result.append(std::move(occurrence));
    }
    return result;
}

// Whether `recurrenceId` names an occurrence the series really has (not removed by an
// exception date), wherever it lies.
bool isOccurrenceOf(const Event& series, const QString& recurrenceId)
{
    const std::optional<qint64> at = recurrenceIdInstant(recurrenceId);
    if (!at || !series.startTime.isValid())
        return false;
    if (Recurrence::parseDateList(series.exceptionDates).contains(*at))
        return false;
    const QDateTime anchor = Recurrence::wallClockStart(series);
    WallClock clock(anchor, definedRules(series));
    const QList<qint64> starts = RecurrenceStarts::generate(
        Recurrence::parseRRule(series.recurrenceRule), anchor, *at + 1, *at, clock);
    return starts.contains(*at);
}

bool overlapsWindow(const Event& event, qint64 fromMs, qint64 toMs)
{
    if (!event.startTime.isValid())
        return false;
    const qint64 start = event.startTime.toMSecsSinceEpoch();
    const qint64 end = event.endTime && event.endTime->isValid()
                           ? event.endTime->toMSecsSinceEpoch()
                           : start + msPerHour;
    return start < toMs && end > fromMs;
}

QString overrideKey(const QString& uid, const QString& recurrenceId)
{
    return uid + QLatin1Char('|') + recurrenceId;
}

} // namespace

namespace Recurrence {

// The start whose wall clock the series repeats. A timed series handed over in UTC while its
// `timezone` names a zone repeats at that zone's local time, so DST does not shift it by an
// hour; an all-day series stays on 00:00 UTC of its dates.
QDateTime wallClockStart(const Event& series)
{
    const bool inUtc =
        series.startTime.timeSpec() == Qt::UTC || (series.startTime.timeSpec() == Qt::TimeZone &&
                                                   series.startTime.timeZone() == QTimeZone::utc());
    if (!inUtc || series.isAllDay || series.timezone.isEmpty() ||
        series.timezone == QLatin1String("UTC"))
        return series.startTime;
    const QTimeZone zone = EventZone::named(series.timezone);
    return zone.isValid() ? series.startTime.toTimeZone(zone) : series.startTime;
}

WallClock wallClockOf(const Event& series)
{
    return WallClock(wallClockStart(series), definedRules(series));
}

int weekdayNumber(const QString& code)
{
    return Weekday::fromCode(code);
}

Rule parseRRule(const QString& text)
{
    return RecurrenceRule::parse(text);
}

QList<QDateTime> generateStarts(const Rule& rule, const QDateTime& dtstart, const QDateTime& to)
{
    return generateStarts(rule, dtstart, to, QDateTime());
}

QList<QDateTime> generateStarts(const Rule& rule, const QDateTime& dtstart, const QDateTime& to,
                                const QDateTime& notBefore)
{
    QList<QDateTime> result;
    if (!dtstart.isValid())
        return result;
    WallClock clock(dtstart);
    const QList<qint64> starts =
        RecurrenceStarts::generate(rule, dtstart, msOrMin(to), msOrMin(notBefore), clock);
    result.reserve(starts.size());
    for (qint64 start : starts)
        result.append(start == dtstart.toMSecsSinceEpoch() ? dtstart : clock.make(start));
    return result;
}

QSet<qint64> parseDateList(const QString& text)
{
    QSet<qint64> result;
    std::optional<WallClock> machine;
    for (const QString& item : ExceptionDates::read(text)) {
        const std::optional<WallTime> wall = readWallTime(item);
        if (!wall)
            continue;
        if (!wall->hasTime || wall->utc) {
            result.insert(wall->ms);
            continue;
        }
        // A floating time is the machine's wall clock.
        if (!machine)
            machine.emplace(QDateTime::fromMSecsSinceEpoch(0, QTimeZone::systemTimeZone()));
        result.insert(machine->toUtc(wall->ms));
    }
    return result;
}

QString recurrenceIdFor(const QDateTime& start, bool allDay)
{
    return recurrenceIdForMs(start.toMSecsSinceEpoch(), allDay);
}

QList<Event> occurrences(const Event& event, const QDateTime& from, const QDateTime& to)
{
    if (event.recurrenceRule.isEmpty()) {
        if (!event.startTime.isValid() || event.startTime >= to)
            return {};
        if (event.endTime && *event.endTime <= from)
            return {};
        return {event};
    }
    return seriesOccurrences(event, msOrMin(from), msOrMin(to));
}

QList<Event> expand(const QList<Event>& events, const QDateTime& from, const QDateTime& to)
{
    const qint64 fromMs = msOrMin(from);
    const qint64 toMs = msOrMin(to);
    QHash<QString, Event> overrides;
    QHash<QString, QStringList> overrideKeysByUid;
    QList<const Event*> series;
    QList<Event> result;
    for (const Event& event : events) {
        if (!event.masterEventUid.isEmpty() && !event.recurrenceId.isEmpty()) {
            const QString key = overrideKey(event.masterEventUid, event.recurrenceId);
            if (!overrides.contains(key))
                overrideKeysByUid[event.masterEventUid].append(key);
            overrides.insert(key, event);
        } else if (event.recurrenceRule.isEmpty()) {
            result.append(event);
        } else {
            series.append(&event);
        }
    }
    // The result is sized once for every occurrence: an Event is large, and each regrowth of the
    // list would move all the occurrences gathered so far.
    QList<QList<Event>> generated;
    generated.reserve(series.size());
    qsizetype total = result.size() + overrides.size();
    for (const Event* master : series) {
        generated.append(seriesOccurrences(*master, fromMs, toMs));
        total += generated.constLast().size();
    }
    result.reserve(total);

    QSet<QString> placedKeys;
    for (qsizetype index = 0; index < series.size(); ++index) {
        const Event* master = series[index];
        const qsizetype before = result.size();
        const QStringList ownOverrides = overrideKeysByUid.value(master->uid);
        QSet<QString> matchedKeys;
        QList<Event> occurrences = std::exchange(generated[index], {});
        for (Event& occurrence : occurrences) {
            if (ownOverrides.isEmpty()) {
                result.append(std::move(occurrence));
                continue;
            }
            QString key = overrideKey(master->uid, occurrence.recurrenceId);
            // An all-day override may name its occurrence as midnight UTC in date-time form.
            if (master->isAllDay && !overrides.contains(key))
                key =
                    overrideKey(master->uid,
                                recurrenceIdForMs(occurrence.startTime.toMSecsSinceEpoch(), false));
            const auto found = overrides.constFind(key);
            if (found == overrides.constEnd()) {
                result.append(std::move(occurrence));
                continue;
            }
            matchedKeys.insert(key);
            if (overlapsWindow(*found, fromMs, toMs) && !placedKeys.contains(key)) {
                result.append(*found);
                placedKeys.insert(key);
            }
        }
        // Overrides moved into the window from an occurrence outside it.
        for (const QString& key : ownOverrides) {
            if (matchedKeys.contains(key) || placedKeys.contains(key))
                continue;
            const Event& moved = *overrides.constFind(key);
            if (overlapsWindow(moved, fromMs, toMs) &&
                isOccurrenceOf(*master, moved.recurrenceId)) {
                result.append(moved);
                placedKeys.insert(key);
            }
        }
        if (result.size() == before) {
            qCDebug(lcExpansion).noquote()
                << "master uid=" << master->uid << "title=" << master->title
                << "rrule=" << master->recurrenceRule
                << "dtstart=" << master->startTime.toString(Qt::ISODate)
                << "→ 0 occurrences in range" << from.toString(Qt::ISODate) << "..."
                << to.toString(Qt::ISODate);
        }
    }
    return result;
}

} // namespace Recurrence

#include "Recurrence.h"

#include "DateText.h"
#include "EventZone.h"
#include "ExceptionDates.h"
#include "Limits.h"
#include "VTimeZoneRules.h"
#include "Weekday.h"

#include <QHash>
#include <QLoggingCategory>
#include <QMutex>
#include <QTimeZone>
#include <QVarLengthArray>

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

Q_LOGGING_CATEGORY(lcExpansion, "calendar.expansion", QtWarningMsg)

namespace {

constexpr qint64 msPerDay = 86400000;
constexpr qint64 msPerHour = 3600000;

constexpr qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

constexpr qint64 floorMod(qint64 a, qint64 b)
{
    return a - floorDiv(a, b) * b;
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back. Plain integer arithmetic: the
// hot loop never builds a QDate.
constexpr qint64 daysFromCivil(qint64 year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const qint64 era = floorDiv(year, 400);
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Civil
{
    qint64 year;
    int month;
    int day;
};

constexpr Civil civilFromDays(qint64 days)
{
    days += 719468;
    const qint64 era = floorDiv(days, 146097);
    const qint64 dayOfEra = days - era * 146097;
    const qint64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

constexpr bool isLeapYear(qint64 year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int daysInMonth(qint64 year, int month)
{
    constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

constexpr int isoWeekday(qint64 days)
{
    return int(floorMod(days + 3, 7)) + 1; // 1970-01-01 was a Thursday
}

// Dates outside the years 1 to 9999 have no iCalendar form; generation stops there.
constexpr qint64 firstValidDay = daysFromCivil(1, 1, 1);
constexpr qint64 lastValidDay = daysFromCivil(9999, 12, 31);

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

// --- time-zone offsets ---

// UTC offsets of one zone around one calendar year (from two days before it to two days after),
// built once from the platform's zone data and shared by every later call.
struct YearOffsets
{
    qint64 fromMs = 0;
    qint64 toMs = 0;
    int initialOffset = 0;                           // seconds, in force at fromMs
    std::vector<std::pair<qint64, int>> transitions; // UTC ms, offset in force from then on
};

class OffsetCache
{
public:
    std::shared_ptr<const YearOffsets> year(const QTimeZone& zone, qint64 year)
    {
        const QByteArray key = zone.id() + '/' + QByteArray::number(year);
        {
            QMutexLocker lock(&m_mutex);
            const auto it = m_tables.constFind(key);
            if (it != m_tables.constEnd())
                return *it;
        }
        auto table = std::make_shared<YearOffsets>();
        table->fromMs = (daysFromCivil(year, 1, 1) - 2) * msPerDay;
        table->toMs = (daysFromCivil(year + 1, 1, 1) + 2) * msPerDay;
        const QDateTime from = QDateTime::fromMSecsSinceEpoch(table->fromMs, Qt::UTC);
        const QDateTime to = QDateTime::fromMSecsSinceEpoch(table->toMs, Qt::UTC);
        table->initialOffset = zone.offsetFromUtc(from);
        for (const QTimeZone::OffsetData& data : zone.transitions(from, to)) {
            const qint64 at = data.atUtc.toMSecsSinceEpoch();
            if (at > table->fromMs && at < table->toMs)
                table->transitions.emplace_back(at, data.offsetFromUtc);
        }
        QMutexLocker lock(&m_mutex);
        // Zone ids and years come from stored data; the cache must not grow without bound.
        if (m_tables.size() > Limits::maxRecurrenceOffsetYearsCached)
            m_tables.clear();
        m_tables.insert(key, table);
        return table;
    }

private:
    QMutex m_mutex;
    QHash<QByteArray, std::shared_ptr<const YearOffsets>> m_tables;
};

OffsetCache& offsetCache()
{
    static OffsetCache cache;
    return cache;
}

// The wall clock of one series: converts between its local time and UTC with RFC 5545's rules
// for DST changes, and builds result times in the series' own representation.
class WallClock
{
public:
    // `rules`, when set, give the wall clock of a zone that only its definition names; results
    // are then made as `reference` is.
    explicit WallClock(const QDateTime& reference,
                       std::shared_ptr<const VTimeZoneRules> rules = nullptr)
        : m_spec(reference.timeSpec()), m_rules(std::move(rules))
    {
        if (m_spec == Qt::TimeZone)
            m_zone = reference.timeZone();
        else if (m_spec == Qt::LocalTime)
            m_zone = QTimeZone::systemTimeZone();
        else if (m_spec == Qt::OffsetFromUTC)
            m_fixedOffset = reference.offsetFromUtc();
        m_zoned = (m_spec == Qt::TimeZone || m_spec == Qt::LocalTime) && m_zone.isValid();
    }

    qint64 localMs(qint64 utcMs) { return utcMs + offsetAt(utcMs) * 1000LL; }

    // UTC instant of a local wall-clock time. A time that the clocks skip (DST gap) is read with
    // the offset in force before the gap, so it lands after the change by the gap's length; a
    // time that occurs twice takes the first (earlier) instant.
    qint64 toUtc(qint64 local)
    {
        if (m_rules) {
            const qint64 seconds = floorDiv(local, 1000);
            return m_rules->toUtc(seconds) * 1000 + (local - seconds * 1000);
        }
        if (!m_zoned)
            return local - m_fixedOffset * 1000LL;
        const qint64 guess = local - m_spanOffset * 1000LL;
        if (guess >= m_spanFrom + 2 * msPerDay && guess < m_spanTo - 2 * msPerDay)
            return guess;
        const int before = offsetAt(local - msPerDay);
        const int after = offsetAt(local + msPerDay);
        const qint64 first = local - before * 1000LL;
        const qint64 second = local - after * 1000LL;
        const bool firstValid = offsetAt(first) == before;
        const bool secondValid = offsetAt(second) == after;
        qint64 result = first;
        if (firstValid && secondValid)
            result = std::min(first, second);
        else if (secondValid)
            result = second;
        offsetAt(result); // leaves the span around the result for the next call's fast path
        return result;
    }

    QDateTime make(qint64 utcMs) const
    {
        switch (m_spec) {
        case Qt::TimeZone:
            return QDateTime::fromMSecsSinceEpoch(utcMs, m_zone);
        case Qt::OffsetFromUTC:
            return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::OffsetFromUTC, m_fixedOffset);
        case Qt::LocalTime:
            return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime);
        case Qt::UTC:
            break;
        }
        return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::UTC);
    }

private:
    // Offset in seconds at a UTC instant; remembers the span around it in which the offset holds.
    int offsetAt(qint64 utcMs)
    {
        if (m_rules)
            return m_rules->offsetAt(floorDiv(utcMs, 1000));
        if (!m_zoned)
            return m_fixedOffset;
        if (utcMs >= m_spanFrom && utcMs < m_spanTo)
            return m_spanOffset;
        const qint64 year = civilFromDays(floorDiv(utcMs, msPerDay)).year;
        if (year != m_tableYear) {
            m_table = offsetCache().year(m_zone, year);
            m_tableYear = year;
        }
        const auto& transitions = m_table->transitions;
        const auto next = std::upper_bound(
            transitions.begin(), transitions.end(), utcMs,
            [](qint64 value, const std::pair<qint64, int>& item) { return value < item.first; });
        m_spanFrom = next == transitions.begin() ? m_table->fromMs : std::prev(next)->first;
        m_spanOffset =
            next == transitions.begin() ? m_table->initialOffset : std::prev(next)->second;
        m_spanTo = next == transitions.end() ? m_table->toMs : next->first;
        return m_spanOffset;
    }

    Qt::TimeSpec m_spec;
    std::shared_ptr<const VTimeZoneRules> m_rules;
    QTimeZone m_zone;
    bool m_zoned = false;
    int m_fixedOffset = 0;
    std::shared_ptr<const YearOffsets> m_table;
    qint64 m_tableYear = std::numeric_limits<qint64>::min();
    qint64 m_spanFrom = 0;
    qint64 m_spanTo = 0;
    int m_spanOffset = 0;
};

// --- the rule, prepared for generation ---

enum class Frequency { Other, Daily, Weekly, Monthly, Yearly };

struct PositionedDay
{
    int position; // 1..53 or -53..-1
    int weekday;
};

// BYDAY item: optional sign and position, then a weekday code. Nothing when it does not read.
std::optional<PositionedDay> readDayItem(const QString& item)
{
    if (item.size() < 2)
        return std::nullopt;
    const int weekday = Weekday::fromCode(item.right(2));
    if (weekday == 0)
        return std::nullopt;
    const QString prefix = item.left(item.size() - 2);
    if (prefix.isEmpty())
        return PositionedDay{0, weekday};
    bool ok = false;
    const int position = prefix.toInt(&ok);
    if (!ok || position == 0 || position < -53 || position > 53)
        return std::nullopt;
    return PositionedDay{position, weekday};
}

struct Plan
{
    Frequency frequency = Frequency::Other;
    qint64 interval = 1;
    qint64 count = 0;
    bool hasUntil = false;
    qint64 untilMs = 0;
    bool byDay = false;
    unsigned weekdays = 0; // bit n: ISO weekday n
    QVarLengthArray<PositionedDay, 8> positioned;
    bool byMonthDay = false;
    quint32 monthDays = 0;        // bit n: day n
    quint32 monthDaysFromEnd = 0; // bit n: the n-th last day
    bool byMonth = false;
    unsigned months = 0; // bit n: month n
    QVarLengthArray<int, 8> setPositions;
    int weekStart = 1;
};

Plan makePlan(const Recurrence::Rule& rule, const Civil& start, int startWeekday)
{
    Plan plan;
    if (rule.freq == QLatin1String("DAILY"))
        plan.frequency = Frequency::Daily;
    else if (rule.freq == QLatin1String("WEEKLY"))
        plan.frequency = Frequency::Weekly;
    else if (rule.freq == QLatin1String("MONTHLY"))
        plan.frequency = Frequency::Monthly;
    else if (rule.freq == QLatin1String("YEARLY"))
        plan.frequency = Frequency::Yearly;
    plan.interval = std::max(1, rule.interval);
    plan.count = std::max(0, rule.count);
    plan.hasUntil = rule.until.isValid();
    plan.untilMs = plan.hasUntil ? rule.until.toMSecsSinceEpoch() : 0;
    plan.weekStart = rule.weekStart >= 1 && rule.weekStart <= 7 ? rule.weekStart : 1;

    // Positions mean "n-th in the month or year"; daily and weekly rules have no such period,
    // so positioned items count for nothing there.
    const bool positionsApply =
        plan.frequency == Frequency::Monthly || plan.frequency == Frequency::Yearly;
    for (const QString& item : rule.byDay) {
        const std::optional<PositionedDay> day = readDayItem(item);
        if (!day)
            continue;
        if (day->position == 0)
            plan.weekdays |= 1u << day->weekday;
        else if (positionsApply)
            plan.positioned.append(*day);
    }
    plan.byDay = plan.weekdays != 0 || !plan.positioned.isEmpty();
    for (int day : rule.byMonthDay) {
        if (day >= 1 && day <= 31)
            plan.monthDays |= 1u << day;
        else if (day <= -1 && day >= -31)
            plan.monthDaysFromEnd |= 1u << -day;
    }
    plan.byMonthDay = plan.monthDays != 0 || plan.monthDaysFromEnd != 0;
    for (int month : rule.byMonth) {
        if (month >= 1 && month <= 12)
            plan.months |= 1u << month;
    }
    plan.byMonth = plan.months != 0;
    for (int position : rule.bySetPos) {
        if (position != 0 && position >= -366 && position <= 366)
            plan.setPositions.append(position);
    }

    // What the rule leaves open comes from DTSTART.
    switch (plan.frequency) {
    case Frequency::Weekly:
        if (plan.weekdays == 0) {
            plan.weekdays = 1u << startWeekday;
            plan.byDay = true;
        }
        break;
    case Frequency::Monthly:
        if (!plan.byDay && !plan.byMonthDay) {
            plan.monthDays = 1u << start.day;
            plan.byMonthDay = true;
        }
        break;
    case Frequency::Yearly:
        if (!plan.byDay && !plan.byMonthDay) {
            if (!plan.byMonth) {
                plan.months = 1u << start.month;
                plan.byMonth = true;
            }
            plan.monthDays = 1u << start.day;
            plan.byMonthDay = true;
        }
        break;
    case Frequency::Daily:
    case Frequency::Other:
        break;
    }
    return plan;
}

// Whether one day of a period satisfies the rule's BYxxx parts.
bool dayMatches(const Plan& plan, qint64 dayNumber, const Civil& date, int monthLength)
{
    if (plan.byMonth && !(plan.months & (1u << date.month)))
        return false;
    if (plan.byMonthDay && !(plan.monthDays & (1u << date.day)) &&
        !(plan.monthDaysFromEnd & (1u << (monthLength - date.day + 1))))
        return false;
    if (!plan.byDay)
        return true;
    const int weekday = isoWeekday(dayNumber);
    if (plan.weekdays & (1u << weekday))
        return true;
    if (plan.positioned.isEmpty())
        return false;
    // Yearly rules without BYMONTH count positions through the year, all others in the month.
    int index = date.day;
    int length = monthLength;
    if (plan.frequency == Frequency::Yearly && !plan.byMonth) {
        index = int(dayNumber - daysFromCivil(date.year, 1, 1)) + 1;
        length = isLeapYear(date.year) ? 366 : 365;
    }
    const int fromStart = (index - 1) / 7 + 1;
    const int fromEnd = (length - index) / 7 + 1;
    for (const PositionedDay& item : plan.positioned) {
        if (item.weekday == weekday &&
            (item.position > 0 ? item.position == fromStart : -item.position == fromEnd))
            return true;
    }
    return false;
}

using DayList = QVarLengthArray<qint64, 32>;

void collectMonth(const Plan& plan, qint64 year, int month, DayList* days, qint64* work)
{
    const int length = daysInMonth(year, month);
    const qint64 first = daysFromCivil(year, month, 1);
    *work += length;
    for (int day = 1; day <= length; ++day) {
        if (dayMatches(plan, first + day - 1, Civil{year, month, day}, length))
            days->append(first + day - 1);
    }
}

void applySetPositions(const Plan& plan, DayList* days)
{
    if (plan.setPositions.isEmpty() || days->isEmpty())
        return;
    const qint64 size = days->size();
    DayList chosen;
    for (int position : plan.setPositions) {
        const qint64 index = position > 0 ? position - 1 : size + position;
        if (index >= 0 && index < size)
            chosen.append(days->at(index));
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    *days = chosen;
}

// The starts of a rule as UTC milliseconds. `notBeforeMs` lets a rule without COUNT skip whole
// periods that end before it, and keeps earlier starts out of the result for any rule.
QList<qint64> generateMs(const Recurrence::Rule& rule, const QDateTime& dtstart, qint64 toMs,
                         qint64 notBeforeMs, WallClock& clock)
{
    QList<qint64> result;
    if (!dtstart.isValid())
        return result;
    const qint64 startMs = dtstart.toMSecsSinceEpoch();
    const qint64 startLocal = clock.localMs(startMs);
    const qint64 startDay = floorDiv(startLocal, msPerDay);
    const qint64 timeOfDay = startLocal - startDay * msPerDay;
    if (startDay < firstValidDay || startDay > lastValidDay)
        return result;
    const Civil start = civilFromDays(startDay);
    const Plan plan = makePlan(rule, start, isoWeekday(startDay));
    if (plan.frequency == Frequency::Other) {
        result.append(startMs);
        return result;
    }

    // The last day on which a period may still hold a start: two days of margin cover any UTC
    // offset between the local dates and the UTC bounds.
    qint64 lastDay = std::min(lastValidDay, floorDiv(toMs, msPerDay) + 2);
    if (plan.hasUntil)
        lastDay = std::min(lastDay, floorDiv(plan.untilMs, msPerDay) + 2);

    const qint64 weekOffset = floorMod(isoWeekday(startDay) - plan.weekStart, 7);
    const qint64 firstWeekDay = startDay - weekOffset;
    const qint64 firstMonthIndex = start.year * 12 + (start.month - 1);

    qint64 period = 0;
    if (plan.count == 0 && notBeforeMs > startMs) {
        const qint64 skipDay = floorDiv(notBeforeMs, msPerDay) - 2;
        const Civil skipDate = civilFromDays(skipDay);
        switch (plan.frequency) {
        case Frequency::Daily:
            period = floorDiv(skipDay - startDay, plan.interval);
            break;
        case Frequency::Weekly:
            period = floorDiv(skipDay - firstWeekDay, 7 * plan.interval);
            break;
        case Frequency::Monthly:
            period =
                floorDiv(skipDate.year * 12 + skipDate.month - 1 - firstMonthIndex, plan.interval);
            break;
        case Frequency::Yearly:
            period = floorDiv(skipDate.year - start.year, plan.interval);
            break;
        case Frequency::Other:
            break;
        }
        period = std::max<qint64>(0, period);
    }

    qint64 emitted = 0;
    qint64 work = 0;
    qint64 lastEmitted = std::numeric_limits<qint64>::min();
    DayList days;
    for (;; ++period) {
        days.clear();
        ++work;
        switch (plan.frequency) {
        case Frequency::Daily: {
            const qint64 day = startDay + period * plan.interval;
            if (day > lastDay)
                return result;
            const Civil date = civilFromDays(day);
            if (dayMatches(plan, day, date, daysInMonth(date.year, date.month)))
                days.append(day);
            break;
        }
        case Frequency::Weekly: {
            const qint64 weekStart = firstWeekDay + period * 7 * plan.interval;
            if (weekStart > lastDay)
                return result;
            work += 7;
            for (qint64 day = weekStart; day < weekStart + 7; ++day) {
                const Civil date = civilFromDays(day);
                if (dayMatches(plan, day, date, daysInMonth(date.year, date.month)))
                    days.append(day);
            }
            break;
        }
        case Frequency::Monthly: {
            const qint64 monthIndex = firstMonthIndex + period * plan.interval;
            const qint64 year = floorDiv(monthIndex, 12);
            const int month = int(monthIndex - year * 12) + 1;
            if (daysFromCivil(year, month, 1) > lastDay)
                return result;
            if (!plan.byMonth || (plan.months & (1u << month)))
                collectMonth(plan, year, month, &days, &work);
            break;
        }
        case Frequency::Yearly: {
            const qint64 year = start.year + period * plan.interval;
            if (year > 9999 || daysFromCivil(year, 1, 1) > lastDay)
                return result;
            for (int month = 1; month <= 12; ++month) {
                if (!plan.byMonth || (plan.months & (1u << month)))
                    collectMonth(plan, year, month, &days, &work);
            }
            break;
        }
        case Frequency::Other:
            return result;
        }
        if (work > Limits::maxRecurrenceDaysExamined)
            return result;
        applySetPositions(plan, &days);
        for (qint64 day : days) {
            if (day < firstValidDay || day > lastValidDay)
                return result;
            const qint64 at = clock.toUtc(day * msPerDay + timeOfDay);
            if (at < startMs || at <= lastEmitted)
                continue;
            if ((plan.hasUntil && at > plan.untilMs) || at >= toMs)
                return result;
            lastEmitted = at;
            ++emitted;
            if (at >= notBeforeMs) {
                result.append(at);
                if (result.size() >= Limits::maxRecurrenceStarts)
                    return result;
            }
            if (plan.count > 0 && emitted >= plan.count)
                return result;
        }
    }
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

// Zones by id, built once: constructing a QTimeZone reads the zone database.
QTimeZone zoneNamed(const QString& id)
{
    static QMutex mutex;
    static QHash<QString, QTimeZone> zones;
    QMutexLocker lock(&mutex);
    const auto found = zones.constFind(id);
    if (found != zones.constEnd())
        return *found;
    if (zones.size() > Limits::maxRecurrenceZonesCached)
        zones.clear();
    const QTimeZone zone(id.toUtf8());
    zones.insert(id, zone);
    return zone;
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
    const QList<qint64> starts = generateMs(rule, anchor, toMs, notBefore, clock);
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
    const QList<qint64> starts =
        generateMs(Recurrence::parseRRule(series.recurrenceRule), anchor, *at + 1, *at, clock);
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
    const QTimeZone zone = zoneNamed(series.timezone);
    return zone.isValid() ? series.startTime.toTimeZone(zone) : series.startTime;
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
    const QList<qint64> starts = generateMs(rule, dtstart, msOrMin(to), msOrMin(notBefore), clock);
    result.reserve(starts.size());
    for (qint64 start : starts)
        result.append(start == dtstart.toMSecsSinceEpoch() ? dtstart : clock.make(start));
    return result;
}

QSet<qint64> parseDateList(const QString& text)
{
    QSet<qint64> result;
    for (const QString& item : ExceptionDates::read(text)) {
        const std::optional<WallTime> wall = readWallTime(item);
        if (!wall)
            continue;
        if (!wall->hasTime || wall->utc) {
            result.insert(wall->ms);
            continue;
        }
        const QDateTime local(QDate(1970, 1, 1).addDays(floorDiv(wall->ms, msPerDay)),
                              QTime::fromMSecsSinceStartOfDay(int(floorMod(wall->ms, msPerDay))),
                              QTimeZone::systemTimeZone());
        if (local.isValid())
            result.insert(local.toMSecsSinceEpoch());
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

#include "RecurrenceStarts.h"

#include "CivilDays.h"
#include "Limits.h"
#include "WallClock.h"
#include "Weekday.h"

#include <QVarLengthArray>

#include <algorithm>
#include <limits>
#include <optional>

using namespace CivilDays;

namespace {

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

Plan makePlan(const RecurrenceRule& rule, const Civil& start, int startWeekday)
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

} // namespace

namespace RecurrenceStarts {

QList<qint64> generate(const RecurrenceRule& rule, const QDateTime& dtstart, qint64 toMs,
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
    Plan plan = makePlan(rule, start, isoWeekday(startDay));
    if (plan.hasUntil && rule.untilIsWallTime)
        plan.untilMs = clock.toUtc(plan.untilMs);
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
            // The start is the first occurrence as it stands, even where its wall time reads
            // as another instant (the later one of a repeated hour).
            const qint64 at = day == startDay ? startMs : clock.toUtc(day * msPerDay + timeOfDay);
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

} // namespace RecurrenceStarts

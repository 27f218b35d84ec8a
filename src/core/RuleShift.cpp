#include "RuleShift.h"

#include "CivilDays.h"
#include "DateText.h"
#include "Recurrence.h"
#include "RecurrenceRule.h"
#include "WallClock.h"
#include "Weekday.h"

#include <QStringList>

namespace {

// Years over which the moved rule is read against the moved starts: a leap-year cycle, so that
// month and year days near February and month ends are seen at least once.
constexpr int checkedYears = 4;
// Month days and year days every month and every year has.
constexpr int daysEveryMonthHas = 28;
constexpr int daysEveryYearHas = 365;

QString weekdayCode(int isoDay)
{
    return QString::fromLatin1(Weekday::names[isoDay - 1].code);
}

std::optional<QString> movedWeekday(const QString& code, int days)
{
    const int day = Weekday::fromCode(code.trimmed().toUpper());
    if (day == 0)
        return std::nullopt; // an ordinal ("2TU") or no weekday at all
    return weekdayCode(((day - 1 + days) % 7 + 7) % 7 + 1);
}

// A month day moved by `days`, and by how many months it moved (-1, 0 or 1); nothing when the
// result depends on the month's length.
std::optional<std::pair<int, int>> movedMonthDay(int value, int days)
{
    if (value >= 1 && value <= daysEveryMonthHas) {
        const int moved = value + days;
        if (moved >= 1 && moved <= daysEveryMonthHas)
            return std::pair{moved, 0};
        // Into the month before, counted from its end: the 1st less one day is its last day.
        if (moved < 1 && moved - 1 >= -daysEveryMonthHas)
            return std::pair{moved - 1, -1};
        return std::nullopt;
    }
    if (value <= -1 && value >= -daysEveryMonthHas) {
        const int moved = value + days;
        if (moved <= -1 && moved >= -daysEveryMonthHas)
            return std::pair{moved, 0};
        // Into the month after, counted from its start: the last day plus one is the 1st.
        if (moved >= 0 && moved + 1 <= daysEveryMonthHas)
            return std::pair{moved + 1, 1};
    }
    return std::nullopt;
}

std::optional<int> movedYearDay(int value, int days)
{
    const int moved = value + days;
    if (value >= 1 && value <= daysEveryYearHas && moved >= 1 && moved <= daysEveryYearHas)
        return moved;
    if (value <= -1 && value >= -daysEveryYearHas && moved <= -1 && moved >= -daysEveryYearHas)
        return moved;
    return std::nullopt;
}

std::optional<QStringList> numbers(const QString& value)
{
    QStringList items = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString& item : items) {
        bool ok = false;
        item = QString::number(item.trimmed().toInt(&ok));
        if (!ok)
            return std::nullopt;
    }
    return items;
}

// `at` moved by whole days on the wall clock of `start`, as the expansion turns a wall time into
// an instant (a time the clocks skip lies after the gap, a repeated one is the earlier instant).
QDateTime byWallDays(const QDateTime& at, const QDateTime& start, int days)
{
    WallClock clock(start);
    const qint64 local = clock.localMs(at.toMSecsSinceEpoch());
    return clock.make(clock.toUtc(local + days * CivilDays::msPerDay));
}

QString movedUntil(const QString& value, const QDateTime& start, int days)
{
    const std::optional<DateText::Compact> read = DateText::readCompact(value.trimmed());
    if (!read)
        return value;
    if (!read->hasTime)
        return read->date().addDays(days).toString(QStringLiteral("yyyyMMdd"));
    if (!read->utc)
        return QDateTime(read->date(), read->time())
            .addDays(days)
            .toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
    const QDateTime until(read->date(), read->time(), Qt::UTC);
    return byWallDays(until, start, days).toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

// Whether the candidate gives exactly the old starts, each `days` days later. Every start of a
// rule is at its series' time of day, so its days say where it is, also on the nights the clocks
// move a start off that time.
bool sameStartsMoved(const QString& rule, const QString& moved, const QDateTime& start, int days)
{
    const QDateTime end = start.toUTC().addYears(checkedYears);
    const QList<QDateTime> before =
        Recurrence::generateStarts(RecurrenceRule::parse(rule), start, end);
    const QDateTime movedStart = byWallDays(start, start, days);
    RecurrenceRule movedRule = RecurrenceRule::parse(moved);
    // A start moved into the hour the clocks skip lies after the gap and the series repeats at
    // the time it reads there; its series moves its UNTIL by as much (SeriesMove::settledFor),
    // so the last day stays in.
    if (movedRule.until.isValid()) {
        WallClock clock(start);
        const qint64 settled = clock.localMs(movedStart.toMSecsSinceEpoch()) -
                               clock.localMs(start.toMSecsSinceEpoch()) -
                               days * CivilDays::msPerDay;
        if (settled > 0)
            movedRule.until = movedRule.until.addMSecs(settled);
    }
    const QList<QDateTime> after =
        Recurrence::generateStarts(movedRule, movedStart, end.addDays(days));
    if (before.size() != after.size())
        return false;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before.at(i).date().addDays(days) != after.at(i).date())
            return false;
    }
    return true;
}

} // namespace

namespace RuleShift {

std::optional<QString> byDays(const QString& rule, const QDateTime& start, int days)
{
    if (days == 0 || rule.trimmed().isEmpty())
        return rule;
    if (!start.isValid())
        return std::nullopt;
    const RecurrenceRule read = RecurrenceRule::parse(rule);
    QStringList parts = rule.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    int monthShift = 0;
    bool monthDays = false;
    qsizetype byMonth = -1;
    bool hasWeekStart = false;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString& part = parts[i];
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? QString() : part.left(equals).trimmed().toUpper();
        const QString value = part.mid(equals + 1);
        if (name == u"BYSETPOS" || name == u"BYWEEKNO")
            return std::nullopt;
        if (name == u"BYDAY" || name == u"WKST") {
            QStringList moved;
            for (const QString& code : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const std::optional<QString> day = movedWeekday(code, days);
                if (!day)
                    return std::nullopt;
                moved.append(*day);
            }
            part = name + QLatin1Char('=') + moved.join(QLatin1Char(','));
            hasWeekStart = hasWeekStart || name == u"WKST";
        } else if (name == u"BYMONTHDAY") {
            const std::optional<QStringList> values = numbers(value);
            if (!values)
                return std::nullopt;
            QStringList moved;
            for (const QString& item : *values) {
                const auto day = movedMonthDay(item.toInt(), days);
                // Every month day must land in the same month, or no BYMONTH can follow them.
                if (!day || (monthDays && day->second != monthShift))
                    return std::nullopt;
                monthShift = day->second;
                monthDays = true;
                moved.append(QString::number(day->first));
            }
            part = name + QLatin1Char('=') + moved.join(QLatin1Char(','));
        } else if (name == u"BYYEARDAY") {
            const std::optional<QStringList> values = numbers(value);
            if (!values)
                return std::nullopt;
            QStringList moved;
            for (const QString& item : *values) {
                const std::optional<int> day = movedYearDay(item.toInt(), days);
                if (!day)
                    return std::nullopt;
                moved.append(QString::number(*day));
            }
            part = name + QLatin1Char('=') + moved.join(QLatin1Char(','));
        } else if (name == u"BYMONTH") {
            byMonth = i;
        } else if (name == u"UNTIL") {
            part = name + QLatin1Char('=') + movedUntil(value, start, days);
        }
    }
    // Without month days of its own the rule takes the start's day, so its months follow the
    // start's.
    if (!monthDays) {
        const QDate from = start.date();
        const QDate to = from.addDays(days);
        monthShift = (to.year() - from.year()) * 12 + to.month() - from.month();
    }
    if (byMonth >= 0 && monthShift != 0) {
        const std::optional<QStringList> values =
            numbers(parts[byMonth].mid(parts[byMonth].indexOf(QLatin1Char('=')) + 1));
        if (!values)
            return std::nullopt;
        QStringList moved;
        for (const QString& item : *values)
            moved.append(QString::number(((item.toInt() - 1 + monthShift) % 12 + 12) % 12 + 1));
        parts[byMonth] = QStringLiteral("BYMONTH=") + moved.join(QLatin1Char(','));
    }
    // Weeks of more than one week's interval are counted from the week start, which moves with
    // the days so that no occurrence changes its week.
    if (!hasWeekStart && read.freq == u"WEEKLY" && read.interval > 1 && days % 7 != 0)
        parts.append(QStringLiteral("WKST=") + *movedWeekday(QStringLiteral("MO"), days));
    const QString moved = parts.join(QLatin1Char(';'));
    if (!sameStartsMoved(rule, moved, start, days))
        return std::nullopt;
    return moved;
}

} // namespace RuleShift

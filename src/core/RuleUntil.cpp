#include "RuleUntil.h"

#include "DateText.h"
#include "Event.h"
#include "Recurrence.h"
#include "WallClock.h"

#include <QStringList>
#include <QTimeZone>

namespace {

const QString utcFormat = QStringLiteral("yyyyMMdd'T'HHmmss'Z'");
const QString dateFormat = QStringLiteral("yyyyMMdd");

// A date-time UNTIL: "yyyyMMddTHHmmss" with an optional "Z" (UTC), else the machine's zone
// (read as WallClock reads a wall time).
QDateTime readDateTime(const QString& value)
{
    const bool utc = value.endsWith(QLatin1Char('Z'), Qt::CaseInsensitive);
    const QString digits = utc ? value.chopped(1) : value;
    if (digits.size() != 15)
        return {};
    // The digits are read as UTC first: in the machine's zone a skipped time would not parse.
    const QDateTime at =
        QDateTime::fromString(digits + QLatin1Char('Z'), QStringLiteral("yyyyMMdd'T'HHmmsst"));
    if (!at.isValid())
        return {};
    if (utc)
        return at;
    WallClock clock(QDateTime::fromMSecsSinceEpoch(0, QTimeZone::systemTimeZone()));
    return clock.make(clock.toUtc(at.toMSecsSinceEpoch()));
}

// The rule with every UNTIL value rewritten by `write` (given the value, trimmed); an empty
// result keeps the part as written. Empty parts are dropped.
template <typename Write> QString withUntil(const QString& rule, const Write& write)
{
    QStringList parts = rule.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& part : parts) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals < 0 ||
            part.left(equals).trimmed().compare(QLatin1String("UNTIL"), Qt::CaseInsensitive) != 0)
            continue;
        const QString written = write(part.mid(equals + 1).trimmed());
        if (!written.isEmpty())
            part = QStringLiteral("UNTIL=") + written;
    }
    return parts.join(QLatin1Char(';'));
}

} // namespace

namespace RuleUntil {

QString forLastDay(const QDate& lastDay, bool allDay)
{
    if (!lastDay.isValid())
        return {};
    if (allDay)
        return lastDay.toString(dateFormat);
    const QDateTime end(lastDay, QTime(23, 59, 59), QTimeZone::systemTimeZone());
    return end.toUTC().toString(utcFormat);
}

QString forInstant(const QDateTime& until, bool allDay)
{
    if (!until.isValid())
        return {};
    const QDateTime utc = until.toUTC();
    return allDay ? utc.date().toString(dateFormat) : utc.toString(utcFormat);
}

QDate lastDay(const QString& untilValue, bool allDay)
{
    const QString value = untilValue.trimmed();
    if (value.size() == 8)
        return QDate::fromString(value, dateFormat);
    const QDateTime at = readDateTime(value);
    if (!at.isValid())
        return {};
    return allDay ? at.toUTC().date() : at.toTimeZone(QTimeZone::systemTimeZone()).date();
}

QString normalize(const QString& rule, bool allDay)
{
    return withUntil(rule, [allDay](const QString& value) {
        if (value.size() == 8)
            return forLastDay(QDate::fromString(value, dateFormat), allDay);
        return forInstant(readDateTime(value), allDay);
    });
}

QString ofSeries(const Event& series, bool floating)
{
    if (series.recurrenceRule.isEmpty())
        return series.recurrenceRule;
    // The clock of the series' zone, whatever zone its start is held in (a form holds it in the
    // machine's).
    std::optional<WallClock> clock;
    const auto seriesClock = [&]() -> WallClock& {
        if (!clock) {
            Event inItsZone = series;
            if (!series.timezone.isEmpty())
                inItsZone.startTime = series.startTime.toUTC();
            clock.emplace(Recurrence::wallClockOf(inItsZone));
        }
        return *clock;
    };
    return withUntil(series.recurrenceRule, [&](const QString& value) {
        if (value.size() == 8)
            return forLastDay(QDate::fromString(value, dateFormat), series.isAllDay);
        const std::optional<DateText::Compact> digits = DateText::readCompact(value.toUpper());
        if (!digits || !digits->hasTime)
            return QString();
        const qint64 wall =
            QDateTime(digits->date(), digits->time(), QTimeZone::utc()).toMSecsSinceEpoch();
        const qint64 at = digits->utc ? wall : seriesClock().toUtc(wall);
        if (series.isAllDay || !floating)
            return forInstant(QDateTime::fromMSecsSinceEpoch(at, QTimeZone::utc()),
                              series.isAllDay);
        return DateText::compactLocal(
            QDateTime::fromMSecsSinceEpoch(seriesClock().localMs(at), QTimeZone::utc()),
            QTimeZone::utc());
    });
}

QString dateUntilAsInstant(const QString& rule)
{
    if (!rule.contains(QLatin1String("UNTIL"), Qt::CaseInsensitive))
        return rule;
    QStringList parts = rule.split(QLatin1Char(';'));
    for (QString& part : parts) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals < 0 ||
            part.left(equals).trimmed().compare(QLatin1String("UNTIL"), Qt::CaseInsensitive) != 0)
            continue;
        const QString value = part.mid(equals + 1).trimmed();
        const QDate date = value.size() == 8 ? QDate::fromString(value, dateFormat) : QDate();
        if (date.isValid())
            part =
                QStringLiteral("UNTIL=") + forInstant(QDateTime(date, QTime(0, 0), Qt::UTC), false);
    }
    return parts.join(QLatin1Char(';'));
}

} // namespace RuleUntil

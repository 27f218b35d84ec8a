// Fuzz target over (rule text, start, window). Input: four lines of text.
//   1: the RRULE value
//   2: the start, "yyyyMMddTHHmmss" with an optional zone id after a blank, or "yyyyMMdd"
//      for an all-day series
//   3: the window, two "yyyyMMddTHHmmssZ" texts separated by a blank
//   4: the exceptionDates JSON text
// Every call must return, and what it returns must hold the engine's promises; a broken promise
// aborts so the fuzzer keeps the input.
#include "Recurrence.h"

#include <QTimeZone>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

QDateTime readTime(const QString& text, const QTimeZone& zone)
{
    const QDateTime utc = QDateTime::fromString(text, QStringLiteral("yyyyMMddTHHmmssZ"));
    if (utc.isValid())
        return QDateTime(utc.date(), utc.time(), Qt::UTC);
    const QDateTime local = QDateTime::fromString(text, QStringLiteral("yyyyMMddTHHmmss"));
    if (local.isValid())
        return QDateTime(local.date(), local.time(), zone);
    const QDate date = QDate::fromString(text, QStringLiteral("yyyyMMdd"));
    return date.isValid() ? QDateTime(date, QTime(0, 0), Qt::UTC) : QDateTime();
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return 0;
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size))
            .split(QLatin1Char('\n'));
    const QString rule = lines.value(0);
    const QStringList startFields = lines.value(1).split(QLatin1Char(' '));
    const QTimeZone zone =
        startFields.size() > 1 ? QTimeZone(startFields.at(1).toLatin1()) : QTimeZone::utc();
    const QDateTime start =
        readTime(startFields.value(0), zone.isValid() ? zone : QTimeZone::utc());
    const QStringList windowFields = lines.value(2).split(QLatin1Char(' '));
    QDateTime from = readTime(windowFields.value(0), QTimeZone::utc());
    QDateTime to = readTime(windowFields.value(1), QTimeZone::utc());
    if (!from.isValid())
        from = start;
    if (!to.isValid() && from.isValid())
        to = from.addDays(42);

    Event series;
    series.uid = QStringLiteral("series");
    series.startTime = start;
    series.endTime = start.isValid() ? std::optional<QDateTime>(start.addSecs(5400)) : std::nullopt;
    series.isAllDay = startFields.value(0).size() == 8;
    series.recurrenceRule = rule;
    series.exceptionDates = lines.value(3);

    const Recurrence::Rule parsed = Recurrence::parseRRule(rule);
    require(parsed.interval >= 1 && parsed.count >= 0);

    const QList<QDateTime> starts = Recurrence::generateStarts(parsed, start, to, from);
    for (qsizetype i = 0; i < starts.size(); ++i) {
        require(starts.at(i).isValid());
        if (i > 0)
            require(starts.at(i - 1) < starts.at(i));
    }

    const QList<Event> occurrences = Recurrence::occurrences(series, from, to);
    for (const Event& occurrence : occurrences) {
        require(occurrence.startTime<to&& * occurrence.endTime> from);
        // Without a rule the event is returned as it is, with no recurrence id.
        require(rule.isEmpty() ||
                occurrence.recurrenceId ==
                    Recurrence::recurrenceIdFor(occurrence.startTime, series.isAllDay));
    }

    // An override of the first occurrence, moved by a day: it replaces that occurrence.
    QList<Event> events{series};
    if (!rule.isEmpty() && !occurrences.isEmpty()) {
        Event moved = occurrences.first();
        moved.masterEventUid = series.uid;
        moved.recurrenceRule.clear();
        moved.startTime = moved.startTime.addDays(1);
        moved.endTime = moved.endTime->addDays(1);
        events.append(moved);
    }
    const QList<Event> expanded = Recurrence::expand(events, from, to);
    // Without a rule the series is a plain event and passes as it is.
    require(expanded.size() <= std::max<qsizetype>(occurrences.size(), rule.isEmpty() ? 1 : 0));
    return 0;
}

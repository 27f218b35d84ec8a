#include "GoogleSeriesCopy.h"

#include "ExceptionDates.h"
#include "Recurrence.h"
#include "SeriesEdit.h"
#include "SeriesMove.h"

#include <QList>
#include <QStringList>

#include <cstdlib>

namespace Google::SeriesCopy {

namespace {

// Occurrences of one day lie within half a day of a start moved onto that day.
constexpr qint64 halfDaySeconds = 12 * 3600;

// Whether the rule of `series` gives that start, whatever its exception dates take away.
bool ruleGives(Event series, const QString& recurrenceId)
{
    series.exceptionDates.clear();
    return SeriesEdit::givesOccurrence(series, recurrenceId);
}

} // namespace

QString carried(const Event& copy, const Event& series, const QString& recurrenceId)
{
    if (copy.isAllDay != series.isAllDay || ruleGives(series, recurrenceId) ||
        !ruleGives(copy, recurrenceId))
        return recurrenceId;
    const QDateTime moved =
        SeriesMove::of(copy, copy.startTime, series.startTime)(SeriesEdit::instantOf(recurrenceId));
    Event rule = series;
    rule.exceptionDates.clear();
    const QList<Event> near = Recurrence::occurrences(rule, moved.addSecs(-halfDaySeconds),
                                                      moved.addSecs(halfDaySeconds));
    const Event* nearest = nullptr;
    for (const Event& occurrence : near) {
        if (!nearest || std::llabs(occurrence.startTime.secsTo(moved)) <
                            std::llabs(nearest->startTime.secsTo(moved)))
            nearest = &occurrence;
    }
    return nearest ? Recurrence::recurrenceIdFor(nearest->startTime, series.isAllDay)
                   : recurrenceId;
}

QString exceptionDates(const Event& copy, const Event& series)
{
    const QStringList dates = ExceptionDates::read(series.exceptionDates);
    if (dates.isEmpty())
        return series.exceptionDates;
    QStringList result;
    for (const QString& date : dates) {
        const QString at = carried(copy, series, date);
        if (!result.contains(at))
            result.append(at);
    }
    return result == dates ? series.exceptionDates : ExceptionDates::write(result);
}

} // namespace Google::SeriesCopy

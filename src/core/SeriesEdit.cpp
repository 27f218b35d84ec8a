#include "SeriesEdit.h"

#include "Recurrence.h"
#include "RuleUntil.h"

#include <QStringList>

#include <algorithm>

namespace {

QString partName(const QString& part)
{
    const qsizetype equals = part.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : part.left(equals).trimmed().toUpper();
}

// The fields a row made from the master carries over.
Event copyOfMaster(const Event& master, const QDateTime& newStart,
                   const std::optional<QDateTime>& newEnd, const QString& id, const QDateTime& now)
{
    Event event;
    event.id = id;
    event.uid = id;
    event.calendarId = master.calendarId;
    event.title = master.title;
    event.description = master.description;
    event.location = master.location;
    event.color = master.color;
    event.timezone = master.timezone;
    event.status = master.status;
    event.organizerEmail = master.organizerEmail;
    event.organizerName = master.organizerName;
    event.isAllDay = master.isAllDay;
    event.startTime = newStart;
    event.endTime = newEnd;
    event.created = now.toUTC();
    event.lastModified = event.created;
    event.syncStatus = QStringLiteral("pending");
    event.sequence = 0;
    return event;
}

} // namespace

namespace SeriesEdit {

Times shiftedSeries(const Event& master, const QDateTime& occurrenceStart,
                    const QDateTime& newStart, const std::optional<QDateTime>& newEnd)
{
    const qint64 shift = occurrenceStart.secsTo(newStart);
    qint64 endShift = shift;
    if (newEnd && master.endTime)
        endShift = newStart.secsTo(*newEnd) - master.startTime.secsTo(*master.endTime) + shift;
    Times times;
    times.start = master.startTime.addSecs(shift);
    if (master.endTime)
        times.end = master.endTime->addSecs(endShift);
    return times;
}

QString truncateRule(const QString& rule, const QDateTime& until, bool allDay)
{
    const QString untilPart = QStringLiteral("UNTIL=") + RuleUntil::forInstant(until, allDay);
    QStringList result;
    bool replaced = false;
    for (const QString& part : rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = partName(part);
        if (name == QLatin1String("COUNT"))
            continue;
        if (name == QLatin1String("UNTIL")) {
            result.append(untilPart);
            replaced = true;
            continue;
        }
        result.append(part);
    }
    if (!replaced)
        result.append(untilPart);
    return result.join(QLatin1Char(';'));
}

int occurrencesBefore(const Event& master, const QDateTime& instant)
{
    if (!instant.isValid() || !master.startTime.isValid() || instant <= master.startTime)
        return 0;
    // COUNT counts the instances the rule generates, before exception dates take any away.
    Event series = master;
    series.exceptionDates.clear();
    series.recurrenceDates.clear();
    return int(Recurrence::occurrences(series, master.startTime.addDays(-1), instant).size());
}

QString followingRule(const Event& master, const QDateTime& occurrenceStart)
{
    const QString rule = RuleUntil::normalize(master.recurrenceRule, master.isAllDay);
    QStringList result;
    for (const QString& part : rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (partName(part) == QLatin1String("COUNT")) {
            bool ok = false;
            const int count = part.mid(part.indexOf(QLatin1Char('=')) + 1).trimmed().toInt(&ok);
            if (!ok || count < 1)
                continue;
            const int remaining = count - occurrencesBefore(master, occurrenceStart);
            result.append(QStringLiteral("COUNT=%1").arg(std::max(remaining, 1)));
            continue;
        }
        result.append(part);
    }
    return result.join(QLatin1Char(';'));
}

Event occurrenceOverride(const Event& master, const QDateTime& occurrenceStart,
                         const QDateTime& newStart, const std::optional<QDateTime>& newEnd,
                         const QString& id, const QDateTime& now)
{
    Event event = copyOfMaster(master, newStart, newEnd, id, now);
    event.uid = master.uid;
    event.masterEventUid = master.uid;
    event.recurrenceId = Recurrence::recurrenceIdFor(occurrenceStart, master.isAllDay);
    return event;
}

Event followingSeries(const Event& master, const QDateTime& occurrenceStart,
                      const QDateTime& newStart, const std::optional<QDateTime>& newEnd,
                      const QString& id, const QDateTime& now)
{
    Event event = copyOfMaster(master, newStart, newEnd, id, now);
    event.recurrenceRule = followingRule(master, occurrenceStart);
    return event;
}

} // namespace SeriesEdit

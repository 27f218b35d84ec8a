#include "EventChange.h"

#include "Ical.h"

namespace EventChange {

QDateTime movedStart(const QDateTime& instanceStart, int offsetMinutes)
{
    return instanceStart.addSecs(qint64(offsetMinutes) * 60);
}

std::optional<QDateTime> movedEnd(const Event& record, const QDateTime& newStart)
{
    if (!record.endTime)
        return std::nullopt;
    return newStart.addSecs(record.startTime.secsTo(*record.endTime));
}

std::optional<QDateTime> resizedEnd(const Event& record, const QDateTime& instanceStart,
                                    int deltaMinutes)
{
    if (!record.endTime)
        return std::nullopt;
    const QDateTime instanceEnd = instanceStart.addSecs(record.startTime.secsTo(*record.endTime));
    const QDateTime newEnd = instanceEnd.addSecs(qint64(deltaMinutes) * 60);
    const QDateTime shortest = instanceStart.addSecs(15 * 60);
    return newEnd < shortest ? shortest : newEnd;
}

namespace {

Event withTimes(const Event& record, const QDateTime& start, const std::optional<QDateTime>& end,
                const QDateTime& now)
{
    Event updated = record;
    updated.startTime = start;
    if (updated.endTime)
        updated.endTime = end;
    updated.lastModified = now.toUTC();
    updated.syncStatus = QStringLiteral("pending");
    updated.rawIcalendar = Ical::rewriteTimes(record.rawIcalendar, updated.startTime,
                                              updated.endTime.value_or(updated.startTime));
    return updated;
}

} // namespace

Event moved(const Event& record, const QDateTime& instanceStart, int offsetMinutes,
            const QDateTime& now)
{
    const QDateTime start = movedStart(instanceStart, offsetMinutes);
    return withTimes(record, start, movedEnd(record, start), now);
}

Event resized(const Event& record, const QDateTime& instanceStart, int deltaMinutes,
              const QDateTime& now)
{
    return withTimes(record, record.startTime, resizedEnd(record, instanceStart, deltaMinutes),
                     now);
}

std::optional<Event> undoRecord(const Event& before, const Event& written,
                                const std::optional<Event>& current, const QDateTime& now)
{
    if (!current || current->deletedAt)
        return std::nullopt;
    const bool unpushed = current->syncStatus == QLatin1String("pending") &&
                          current->etag == written.etag && current->href == written.href &&
                          current->providerEventId == written.providerEventId;
    if (unpushed)
        return before;
    Event restored = before;
    restored.etag = current->etag;
    restored.href = current->href;
    restored.providerEventId = current->providerEventId;
    // A sync may have given the event the server's identity (Google's id as its UID).
    restored.uid = current->uid;
    restored.masterEventUid = current->masterEventUid;
    restored.syncStatus = QStringLiteral("pending");
    restored.lastModified = now.toUTC();
    return restored;
}

std::optional<Event> stillStored(const Event& read, const std::optional<Event>& current)
{
    if (!current || current->deletedAt || current->calendarId != read.calendarId)
        return std::nullopt;
    return current;
}

} // namespace EventChange

#include "TimelineGeometry.h"

#include "EventLayout.h"

#include <QTimeZone>

#include <algorithm>

namespace TimelineGeometry {

namespace {

QDateTime inLocalZone(const QDateTime& time)
{
    // A QTimeZone-held local time converts far faster than Qt::LocalTime.
    static const QTimeZone local = QTimeZone::systemTimeZone();
    return time.toTimeZone(local);
}

QDateTime localMidnight(const QDate& day)
{
    static const QTimeZone local = QTimeZone::systemTimeZone();
    return day.startOfDay(local);
}

} // namespace

int rowHeight(int hourHeight, int widgetHeight)
{
    return std::max(hourHeight, widgetHeight / 24);
}

int eventAreaWidth(int widgetWidth)
{
    return std::max(widgetWidth - eventAreaLeft - eventAreaRightMargin, 0);
}

int yForTime(const QTime& time, int rowHeight)
{
    if (!time.isValid())
        return 0;
    return (time.hour() * 60 + time.minute()) * rowHeight / 60;
}

int yForDateTime(const QDateTime& time, const QDate& day, int rowHeight)
{
    const QDateTime local = inLocalZone(time);
    if (local.date() < day)
        return 0;
    if (local.date() > day)
        return 24 * rowHeight;
    return yForTime(local.time(), rowHeight);
}

namespace {

struct Span
{
    QDateTime start;
    std::optional<QDateTime> end;
};

// The event's times cut to [dayStart, dayEnd); nothing when it lies outside.
std::optional<Span> clipSpan(const Event& event, const QDateTime& dayStart, const QDateTime& dayEnd)
{
    const QDateTime end = event.endTime ? *event.endTime : event.startTime;
    if (!event.startTime.isValid() || event.startTime >= dayEnd)
        return std::nullopt;
    if (end <= dayStart && event.startTime < dayStart)
        return std::nullopt;
    Span span{event.startTime, event.endTime};
    if (span.start < dayStart)
        span.start = dayStart;
    if (span.end && *span.end > dayEnd)
        span.end = dayEnd;
    return span;
}

} // namespace

std::optional<Event> clipToDay(const Event& event, const QDate& day)
{
    const std::optional<Span> span =
        clipSpan(event, localMidnight(day), localMidnight(day.addDays(1)));
    if (!span)
        return std::nullopt;
    Event clipped = event;
    clipped.startTime = span->start;
    clipped.endTime = span->end;
    return clipped;
}

bool isMultiDay(const Event& event)
{
    return event.endTime &&
           inLocalZone(*event.endTime).date() > inLocalZone(event.startTime).date();
}

int shownColumns(int areaWidth, int columnCount)
{
    const int fitting = (std::max(areaWidth, 0) + columnGap) / (minimumColumnWidth + columnGap);
    return std::clamp(columnCount, 1, std::max(fitting, 1));
}

std::optional<ColumnSpan> columnSpan(int areaLeft, int areaWidth, int column, int columnCount)
{
    areaWidth = std::max(areaWidth, 0);
    if (columnCount < 1)
        return ColumnSpan{areaLeft, areaWidth};
    const int shown = shownColumns(areaWidth, columnCount);
    if (column < 0 || column >= shown)
        return std::nullopt;
    // Below the minimum width the area holds one column, so the width never goes negative.
    const int width = std::max((areaWidth - columnGap * (shown - 1)) / shown, 0);
    return ColumnSpan{areaLeft + column * (width + columnGap), width};
}

QRect blockRect(const ColumnSpan& span, int top, int bottom, int minimumHeight)
{
    if (bottom - top < minimumHeight)
        bottom = top + minimumHeight;
    return QRect(span.x, top, span.width, bottom - top);
}

qint64 minimumBlockMsecs(int minimumHeight, int rowHeight)
{
    if (rowHeight <= 0 || minimumHeight <= 0)
        return 0;
    const qint64 hour = 60 * 60 * 1000;
    return (qint64(minimumHeight) * hour + rowHeight - 1) / rowHeight;
}

int textTop(const QRect& block, int visibleTop, int textHeight)
{
    const int lowest = std::max(block.top(), block.bottom() + 1 - textHeight);
    return std::min(std::max(block.top(), visibleTop), lowest);
}

QList<PlacedOccurrence> layoutDay(const QList<Event>& events, const QDate& day, qint64 instantMsecs)
{
    // The layout sees light copies that carry only the times and, as their id, the index of the
    // input they stand for, so every placed block leads back to its own occurrence (several
    // occurrences of one series share an id).
    const QDateTime dayStart = localMidnight(day);
    const QDateTime dayEnd = localMidnight(day.addDays(1));
    QList<Event> clipped;
    for (qsizetype i = 0; i < events.size(); ++i) {
        if (events[i].isAllDay)
            continue;
        const std::optional<Span> span = clipSpan(events[i], dayStart, dayEnd);
        if (!span)
            continue;
        Event light;
        light.id = QString::number(i);
        light.startTime = span->start;
        light.endTime = span->end;
        clipped.append(std::move(light));
    }
    QList<PlacedOccurrence> placed;
    placed.reserve(clipped.size());
    for (LaidOutEvent& item : EventLayout::layoutTimedEvents(std::move(clipped), instantMsecs))
        placed.append({item.event.id.toLongLong(), item.event.startTime, item.event.endTime,
                       item.column, item.columnCount});
    return placed;
}

QList<HiddenGroup> hiddenGroups(const QList<PlacedOccurrence>& placed, int areaWidth,
                                qint64 markMsecs)
{
    QList<HiddenGroup> groups;
    // The layout's order is by start, so a group only ever grows at its end.
    qint64 reach = 0; // the open group's end, or its mark's when that is later
    for (const PlacedOccurrence& item : placed) {
        if (item.column < shownColumns(areaWidth, item.columnCount))
            continue;
        const QDateTime end = item.end ? std::max(*item.end, item.start) : item.start;
        const qint64 startMsecs = item.start.toMSecsSinceEpoch();
        // Touching ones are apart; instants at one time, as the layout has it, are not.
        if (groups.isEmpty() || (startMsecs >= reach && item.start > groups.last().start)) {
            groups.append({{}, item.start, end});
            reach = startMsecs + std::max<qint64>(markMsecs, 0);
        }
        HiddenGroup& group = groups.last();
        group.indices.append(item.index);
        group.end = std::max(group.end, end);
        reach = std::max(reach, end.toMSecsSinceEpoch());
    }
    return groups;
}

QTime slotAt(int y, int rowHeight)
{
    if (rowHeight <= 0)
        return QTime(0, 0);
    int minutes = std::clamp(std::max(y, 0) * 60 / rowHeight, 0, lastSlotMinutes);
    minutes -= minutes % 15;
    return QTime(minutes / 60, minutes % 60);
}

} // namespace TimelineGeometry

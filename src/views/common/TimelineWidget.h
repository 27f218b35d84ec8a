#pragma once

#include "Event.h"
#include "FilterEngine.h"
#include "RoundedBlockPainter.h"
#include "TimelineDragSession.h"
#include "TimelineGeometry.h"
#include "TimelineHitRegions.h"

#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <QString>
#include <QTime>
#include <QWidget>

#include <optional>

class QPainter;

// What the day and the multi-day timelines share: one or more day columns on a 24-hour grid
// right of the hour gutter, its scale, and the pointer and keys over the blocks of the last paint
// (its hit regions), turned into signals. A press on a block drags it in quarter hours (a resize
// in its bottom band); the widget changes no data itself, its host reacts to the signals. Blocks
// a day column has no room for are counted by "+N" marks where they would start; a click on one
// lists them, and an event chosen there is selected as a click on its block selects it. A
// subclass lays out and paints the blocks and the marks into m_hits and names its columns' days.
class TimelineWidget : public QWidget
{
    Q_OBJECT

public:
    using HitRegion = TimelineHitRegions::Region;
    using HiddenMark = TimelineHitRegions::Mark;

    void setHourHeight(int pixels);
    int hourHeight() const { return m_hourHeight; }
    void setCompact(bool compact);
    bool isCompact() const { return m_compact; }
    QString selectedEventId() const { return m_selectedEventId; }

    // Pixels per hour as painted (the hour height, or more when the widget is taller) and per
    // day column at the current size.
    int rowHeight() const;
    int columnWidth() const;

    // The blocks of the last paint, in paint order, for the host and for tests.
    const QList<HitRegion>& hitRegions() const { return m_hits.regions(); }
    // The "+N" marks of the last paint, by day and time.
    const QList<HiddenMark>& hiddenMarks() const { return m_hits.marks(); }

Q_SIGNALS:
    // A click (an empty id and an invalid start when nothing is under the pointer), or Return.
    void eventSelected(const QString& eventId, const QDateTime& occurrenceStart,
                       const QRect& screenRect);
    // The keyboard walk reached the event.
    void eventFocused(const QString& eventId);
    void eventActivated(const QString& eventId, const QDateTime& occurrenceStart);
    void eventContextRequested(const QString& eventId, const QPoint& globalPos,
                               const QDateTime& occurrenceStart);
    // The Delete key over the selected event; the start of its occurrence shown here.
    void eventDeleteRequested(const QString& eventId, const QDateTime& occurrenceStart);
    void eventResizeRequested(const QString& eventId, const QDateTime& instanceStart,
                              int minuteDelta);
    void zoomRequested(int wheelNotches);

protected:
    // A press becomes a move by the travel along `axes`.
    explicit TimelineWidget(TimelineDragSession::Axes axes, QWidget* parent = nullptr);

    // The events shown (all-day ones are not on the timeline), the colour texts by calendar id,
    // the dimmed occurrences and the calendars that sync both ways.
    void setShownEvents(const QList<Event>& events, const QHash<QString, QString>& calendarColors,
                        const QSet<FilterEngine::OccurrenceKey>& dimmed,
                        const QSet<QString>& twoWayCalendarIds);
    // At least one; the columns share the width right of the gutter.
    void setColumnCount(int count) { m_columnCount = std::max(count, 1); }
    int columnCount() const { return m_columnCount; }
    // The day column under x, clamped to the shown ones.
    int columnAt(int x) const;

    // A finished move of a block by whole day columns and minutes.
    virtual void requestMove(const QString& eventId, const QDateTime& instanceStart, int dayShift,
                             int minutes) = 0;
    // A double click on the empty grid at `time` in `column`; false when the column shows no day.
    virtual bool activateSlot(int column, const QTime& time) = 0;
    // The selected occurrence's start; none where any occurrence of the selected id counts.
    virtual std::optional<QDateTime> selectedOccurrence() const { return std::nullopt; }
    // The occurrence a click, double click, menu or key walk chose. The day leaves that to its
    // host, which answers with setSelectedEventId.
    virtual void selectOccurrence(const QString& eventId, const QDateTime& start)
    {
        Q_UNUSED(eventId)
        Q_UNUSED(start)
    }
    // The time pattern of the texts, as TimeFormat gives it.
    virtual QString timePattern() const = 0;
    // Whether an event a "+N" list showed as `listed` is still stored, read when its row is
    // chosen or right-clicked; when it is not, the user has been told so.
    virtual bool stillStored(const Event& listed) = 0;
    // Counts the occurrences of `placed` (the layout of `day`) that an event area
    // [areaLeft, areaLeft + areaWidth) leaves out under "+N" marks at its right edge, each where
    // its first occurrence starts at `rowHeight` pixels an hour, and adds the marks to m_hits.
    void placeMarks(const QList<TimelineGeometry::PlacedOccurrence>& placed, const QDate& day,
                    int areaLeft, int areaWidth, int rowHeight);
    // Paints the marks that meet `exposed` over the blocks; the one holding the selected
    // occurrence is ringed.
    void paintMarks(QPainter& painter, const QRect& exposed) const;

    // The block a click at `point` means, `topmost` being the one painted last there.
    virtual const HitRegion& clickedRegion(const HitRegion& topmost, const QPoint& point) const
    {
        Q_UNUSED(point)
        return topmost;
    }

    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QSet<FilterEngine::OccurrenceKey> m_dimmed;
    QSet<QString> m_twoWayCalendarIds;
    QString m_selectedEventId;
    TimelineHitRegions m_hits;
    TimelineDragSession m_drag;
    RoundedBlockPainter m_blockPainter;

private:
    QFont markFont() const;
    // Lists the mark's occurrences in a card beside it.
    void openMarkList(const HiddenMark& mark);

    int m_hourHeight = 56;
    bool m_compact = false;
    int m_columnCount = 1;
};

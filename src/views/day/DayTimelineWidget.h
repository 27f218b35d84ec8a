#pragma once

#include "Defaults.h"
#include "Event.h"
#include "FilterEngine.h"
#include "RoundedBlockPainter.h"
#include "TimelineDragSession.h"
#include "TimelineHitRegions.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <QString>
#include <QTime>
#include <QWidget>

class AppState;

// The painted 24-hour column of one day: hour gutter, shading outside the working hours, the
// current-time line and the day's timed events side by side where they overlap. Pointer and keys
// are answered from the blocks of the last paint (its hit regions) and turned into signals; a
// block can be moved or resized by dragging, in quarter-hour steps, with a ghost showing where it
// goes. The widget changes no data itself: its host reacts to the signals.
class DayTimelineWidget : public QWidget
{
    Q_OBJECT

public:
    // In the order of the drag session's states.
    enum DragState { Idle = 0, Pressed = 1, Moving = 2, Resizing = 3 };

    // One painted block; an occurrence that began the day before starts then.
    using HitRegion = TimelineHitRegions::Region;

    // `appState` is not owned; it gives the time format and may be null.
    explicit DayTimelineWidget(AppState* appState, QWidget* parent = nullptr);

    // The day's visible occurrences (all-day ones are ignored here), the colour texts by
    // calendar id, the dimmed occurrences and the calendars that sync both ways.
    void setEvents(const QList<Event>& events, const QHash<QString, QString>& calendarColors,
                   const QSet<FilterEngine::OccurrenceKey>& dimmed,
                   const QSet<QString>& twoWayCalendarIds);
    const QList<Event>& events() const { return m_events; }

    void setDate(const QDate& date);
    QDate date() const { return m_date; }
    // Whole hours; shading covers the time before `start` and from `end` on.
    void setWorkdayHours(int start, int end);
    int workdayStart() const { return m_workdayStart; }
    int workdayEnd() const { return m_workdayEnd; }
    void setHourHeight(int pixels);
    int hourHeight() const { return m_hourHeight; }
    void setCompact(bool compact);
    bool isCompact() const { return m_compact; }
    void setSelectedEventId(const QString& eventId);
    QString selectedEventId() const { return m_selectedEventId; }

    // Pixels per hour as painted: the hour height, or more when the widget is taller.
    int rowHeight() const;
    int yForTime(const QTime& time) const;
    int yForDateTime(const QDateTime& time) const;

    // Read-only views of the state the pointer works on, for the host and for tests.
    const QList<HitRegion>& hitRegions() const { return m_hits.regions(); }
    DragState dragState() const { return static_cast<DragState>(m_drag.state()); }
    int dragMinutes() const { return m_drag.minutes(); }

    QSize sizeHint() const override;

Q_SIGNALS:
    // A click (an empty id and an invalid start when nothing is under the pointer), or Return.
    void eventSelected(const QString& eventId, const QDateTime& occurrenceStart,
                       const QRect& screenRect);
    void eventFocused(const QString& eventId);
    void eventActivated(const QString& eventId, const QDateTime& occurrenceStart);
    void eventContextRequested(const QString& eventId, const QPoint& globalPos,
                               const QDateTime& occurrenceStart);
    // The Delete key over the selected event; the start of its occurrence shown here.
    void eventDeleteRequested(const QString& eventId, const QDateTime& occurrenceStart);
    void emptySlotActivated(const QTime& time);
    void eventMoveRequested(const QString& eventId, const QDateTime& instanceStart,
                            int minuteOffset);
    void eventResizeRequested(const QString& eventId, const QDateTime& instanceStart,
                              int minuteDelta);
    void zoomRequested(int wheelNotches);

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void paintEvents(QPainter& painter);
    void paintGhost(QPainter& painter);

    AppState* m_appState;
    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QSet<FilterEngine::OccurrenceKey> m_dimmed;
    QSet<QString> m_twoWayCalendarIds;
    QDate m_date;
    QString m_selectedEventId;
    TimelineHitRegions m_hits;
    int m_workdayStart = Defaults::workdayStartHour;
    int m_workdayEnd = Defaults::workdayEndHour;
    int m_hourHeight = 56;
    bool m_compact = false;
    TimelineDragSession m_drag{TimelineDragSession::Axes::Vertical};
    RoundedBlockPainter m_blockPainter;
};

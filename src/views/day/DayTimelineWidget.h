#pragma once

#include "Defaults.h"
#include "Event.h"
#include "FilterEngine.h"
#include "TimelineWidget.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QTime>

class AppState;

// The painted 24-hour column of one day: hour gutter, shading outside the working hours, the
// current-time line and the day's timed events side by side where they overlap. Pointer and keys
// are answered from the blocks of the last paint (its hit regions) and turned into signals; a
// block can be moved or resized by dragging, in quarter-hour steps, with a ghost showing where it
// goes. Overlaps beyond the columns that fit are counted by "+N" marks that list them. The widget
// changes no data itself: its host reacts to the signals.
class DayTimelineWidget : public TimelineWidget
{
    Q_OBJECT

public:
    // In the order of the drag session's states.
    enum DragState { Idle = 0, Pressed = 1, Moving = 2, Resizing = 3 };

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
    // The host's selection; any occurrence of the id shows as selected.
    void setSelectedEventId(const QString& eventId);

    int yForTime(const QTime& time) const;
    int yForDateTime(const QDateTime& time) const;

    // The drag under way, for the host and for tests.
    DragState dragState() const { return static_cast<DragState>(m_drag.state()); }
    int dragMinutes() const { return m_drag.minutes(); }

    QSize sizeHint() const override;

Q_SIGNALS:
    void emptySlotActivated(const QTime& time);
    void eventMoveRequested(const QString& eventId, const QDateTime& instanceStart,
                            int minuteOffset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void requestMove(const QString& eventId, const QDateTime& instanceStart, int dayShift,
                     int minutes) override;
    bool activateSlot(int column, const QTime& time) override;
    QString timePattern() const override;
    bool stillStored(const Event& listed) override;

private:
    void paintEvents(QPainter& painter);
    void paintGhost(QPainter& painter);

    AppState* m_appState;
    QDate m_date;
    int m_workdayStart = Defaults::workdayStartHour;
    int m_workdayEnd = Defaults::workdayEndHour;
};

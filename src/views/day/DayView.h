#pragma once

#include "Event.h"
#include "SeriesMove.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTime>
#include <QWidget>

#include <optional>

class AllDayStrip;
class AppState;
class DayTimelineWidget;
class QScrollArea;
class QTimer;

// One day: the all-day strip above the painted timeline in a vertical scroll area. It reloads from
// the store when the active View, the calendars, the events or the filter rules change, opens an
// event's details on a click, edits it on a double-click, creates one on a double-click into empty
// time, offers a context menu, and writes the moves and resizes dragged on the timeline, with undo.
// Failed writes are reported to the user in a message box.
class DayView : public QWidget
{
    Q_OBJECT

public:
    // `appState` is not owned and must outlive the view.
    explicit DayView(AppState* appState, QWidget* parent = nullptr);

    // Shows another day, reading it from the event loop (days set together read once); the same
    // day does nothing.
    void setDate(const QDate& date);
    QDate date() const { return m_date; }

    // Reads the day's events again and hands them to the timeline.
    void reload();
    // Once, at the first viewport size: scrolls to the start of the working day, or (today,
    // outside working hours) so that the current time sits a third down the viewport.
    void scrollToWorkday();
    // Scrolls so that `time` sits a third down the viewport: now, or at the first viewport size
    // when the view has none yet (instead of the working day).
    void revealTime(const QTime& time);

    // Selects the event (an empty id clears the selection) and opens its details; an occurrence
    // of a series is shown with the times of the occurrence starting at `occurrenceStart`. An
    // event gone since the last reload is reported instead (ViewEventActions).
    void showEventDetails(const QString& eventId, const QDateTime& occurrenceStart,
                          const QRect& screenRect);
    // By value: the timeline asks with its painted region's own id and start, which a repaint
    // while the menu is open replaces.
    void showEventContextMenu(QString eventId, QPoint globalPos,
                              QDateTime occurrenceStart = QDateTime());
    // Writes a drag: a single event directly (with undo), a series after asking for the scope.
    void commitMove(const QString& eventId, const QDateTime& instanceStart, int minuteOffset);
    void commitResize(const QString& eventId, const QDateTime& instanceStart, int minuteDelta);

    AllDayStrip* allDayStrip() const { return m_allDayStrip; }
    DayTimelineWidget* timeline() const { return m_timeline; }
    QScrollArea* scrollArea() const { return m_scrollArea; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void editEvent(const QString& eventId, const QDateTime& occurrenceStart);
    void createEventAt(const QTime& time);
    void applyToSeries(const Event& record, const QDateTime& instanceStart,
                       const QDateTime& newStart, const std::optional<QDateTime>& newEnd,
                       const QString& summary,
                       const std::optional<SeriesMove::WallTime>& landing = std::nullopt);
    void report(const QString& message);

    AppState* m_appState;
    bool m_needsWorkdayScroll = true;
    std::optional<QTime> m_pendingReveal;
    AllDayStrip* m_allDayStrip = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    DayTimelineWidget* m_timeline = nullptr;
    QTimer* m_repaintTimer = nullptr;
    QTimer* m_dateReload = nullptr;
    QDate m_date;
    // The events of the last reload, which the timeline and the strip show.
    QList<Event> m_shown;
    // The data does not match the date: a reload was skipped while the page was hidden, or one
    // is due from the event loop; the next show catches up.
    bool m_stale = false;
};

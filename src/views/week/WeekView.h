#pragma once

#include "Event.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPoint>
#include <QWidget>

class AllDayStrip;
class AppState;
class QLabel;
class QScrollArea;
class QTimer;
class WeekTimelineWidget;

// A multi-day timeline page: day headers, the all-day strip and the scrolled timeline. Built
// week-aligned it shows the seven days of the week holding its anchor date ("week"); otherwise
// the week horizon's days from the anchor ("days"). Drags move and resize events with undo.
class WeekView : public QWidget
{
    Q_OBJECT

public:
    WeekView(AppState* appState, bool weekAligned, QWidget* parent = nullptr);

    // A different anchor date moves the range at once and reads it from the event loop (dates
    // set together read once); the headers and the timeline keep the range they show until then.
    void setDate(const QDate& date);
    QDate rangeStart() const;
    int dayCount() const;
    // "week" or "days": the mode word whose density this view follows.
    QString modeWord() const;

    // Reads the range and hands it to the timeline and the strip, rebuilding the day headers when
    // the range moved; while the page is hidden, marks it for the next show instead.
    void reload();
    // The headers of the days the timeline shows.
    void rebuildDayHeaders();
    void scrollToWorkday();

    void commitMove(const QString& eventId, const QDateTime& instanceStart, int dayDelta,
                    int minuteOffset);
    void commitResize(const QString& eventId, const QDateTime& instanceStart, int minuteDelta);
    void showEventContextMenu(const QString& eventId, const QPoint& globalPos,
                              const QDateTime& occurrenceStart = QDateTime());

    WeekTimelineWidget* timeline() const { return m_timeline; }
    AllDayStrip* allDayStrip() const { return m_allDayStrip; }
    QScrollArea* scrollArea() const { return m_scrollArea; }
    const QList<QLabel*>& dayLabels() const { return m_dayLabels; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Tells the user in a message box over the window: a failure, or the time a series now has.
    void report(const QString& message);

    AppState* m_appState;
    bool m_weekAligned;
    bool m_needsWorkdayScroll = true;
    // The timeline does not show the range's data yet: a reload was skipped while the page was
    // hidden, or one is due; the next show catches up.
    bool m_stale = false;
    QWidget* m_headerRow;
    QList<QLabel*> m_dayLabels;
    AllDayStrip* m_allDayStrip;
    QScrollArea* m_scrollArea;
    WeekTimelineWidget* m_timeline;
    QDate m_anchorDate;
    QTimer* m_dateReload;
    // The events of the last reload, which the timeline and the strip show.
    QList<Event> m_shown;
};

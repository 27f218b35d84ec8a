#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPoint>
#include <QWidget>

class AllDayStrip;
class AppState;
class QLabel;
class QScrollArea;
class WeekTimelineWidget;

// A multi-day timeline page: day headers, the all-day strip and the scrolled timeline. Built
// week-aligned it shows the seven days of the week holding its anchor date ("week"); otherwise
// the week horizon's days from the anchor ("days"). Drags move and resize events with undo.
class WeekView : public QWidget
{
    Q_OBJECT

public:
    WeekView(AppState* appState, bool weekAligned, QWidget* parent = nullptr);

    // A different anchor date rebuilds the headers and reloads.
    void setDate(const QDate& date);
    QDate rangeStart() const;
    int dayCount() const;
    // "week" or "days": the mode word whose density this view follows.
    QString modeWord() const;

    void reload();
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
    void reportFailure(const QString& message);

    AppState* m_appState;
    bool m_weekAligned;
    bool m_needsWorkdayScroll = true;
    // A reload was skipped while the page was hidden; the next show catches up.
    bool m_stale = false;
    QWidget* m_headerRow;
    QList<QLabel*> m_dayLabels;
    AllDayStrip* m_allDayStrip;
    QScrollArea* m_scrollArea;
    WeekTimelineWidget* m_timeline;
    QDate m_anchorDate;
};

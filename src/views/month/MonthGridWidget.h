#pragma once

#include "Event.h"
#include "FilterEngine.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QRect>
#include <QSet>
#include <QWidget>

class AppState;

// Six weeks of seven days: day names, then 42 cells, each with its number, weather label and
// event chips ending in "+N more" when the cell is full. An event shows in the cell of every day
// it covers (by the stored dates for all-day events, the local dates otherwise), in time order.
class MonthGridWidget : public QWidget
{
    Q_OBJECT

public:
    struct HitArea
    {
        QString eventId;
        QRect rect;
        QDateTime occurrenceStart;
    };

    MonthGridWidget(AppState* appState, QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // Replaces everything shown at once and repaints.
    void setData(const QDate& date, const QList<Event>& events,
                 const QHash<QString, QString>& calendarColors,
                 const QSet<FilterEngine::OccurrenceKey>& dimmed,
                 const QHash<QDate, QString>& weatherLabels);
    void setCompact(bool compact);
    void setFirstDayOfWeek(int day);

    QDate gridStart() const;
    const QList<HitArea>& hitAreas() const { return m_hitAreas; }

Q_SIGNALS:
    void eventSelected(const QString& eventId, const QDateTime& occurrenceStart,
                       const QRect& screenRect);
    void eventActivated(const QString& eventId, const QDateTime& occurrenceStart);
    void eventContextRequested(const QString& eventId, const QPoint& globalPos,
                               const QDateTime& occurrenceStart);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void rebuildDays();

    AppState* m_appState;
    QDate m_date;
    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QSet<FilterEngine::OccurrenceKey> m_dimmed;
    QHash<QDate, QString> m_weatherLabels;
    bool m_compact = false;
    int m_firstDayOfWeek = 1;
    QList<HitArea> m_hitAreas;
    // The events of each of the 42 cells, in time order: built once per change, not per paint.
    QList<QList<Event>> m_days;
};

#pragma once

#include "Event.h"
#include "FilterEngine.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QRect>
#include <QSet>
#include <QString>
#include <QWidget>

// The band of all-day events above a timeline: one rounded chip per event spanning the day
// columns it covers, overlapping chips stacked in lanes. With four lanes or more it collapses to
// two lanes plus a "+N more" chip per day until the user expands it; expanded, it shows nine
// lanes at most and counts the rest in the same chips. It reads no repository: the host hands
// it everything after each reload and handles the three signals.
class AllDayStrip : public QWidget
{
    Q_OBJECT

public:
    // One chip's place: columns are day offsets from the first date, endColumn inclusive;
    // eventIndex points into the list the layout was given.
    struct Segment
    {
        QString eventId;
        int startColumn = 0;
        int endColumn = 0;
        int lane = 0;
        int eventIndex = -1;
    };

    struct HitRegion
    {
        QString eventId;
        QRect rect;
        QDateTime occurrenceStart;
    };

    static constexpr int laneHeight = 22;
    static constexpr int chipHeight = 20;

    explicit AllDayStrip(QWidget* parent = nullptr);

    // Stores the data (dayCount at least 1), recounts the lanes and asks for a new size and a
    // repaint. Keeps the expanded state.
    void setEvents(int gutterWidth, const QDate& firstDate, int dayCount,
                   const QList<Event>& events, const QHash<QString, QString>& calendarColors,
                   const QSet<FilterEngine::OccurrenceKey>& dimmedIds);

    // The all-day events of the list that touch [firstDate, firstDate + dayCount), clipped to
    // those columns, sorted by start column then longest first, each in the lowest lane where it
    // overlaps nothing. Dates are the stored dates, never converted to the local zone; the stored
    // end is exclusive.
    static QList<Segment> layoutLanes(const QList<Event>& events, const QDate& firstDate,
                                      int dayCount);

    QSize sizeHint() const override;

    // What the last paint drew, for hit testing (and tests).
    const QList<HitRegion>& hitRegions() const { return m_hitRegions; }
    const QList<QRect>& moreRects() const { return m_moreRects; }
    QRect collapseRect() const { return m_collapseRect; }
    int laneCount() const { return m_laneCount; }
    bool isExpanded() const { return m_expanded; }
    // Collapsed: not expanded with four lanes or more.
    bool isCollapsed() const;

Q_SIGNALS:
    // A click: the chip's id, the start of the occurrence it shows and its rectangle in global
    // coordinates; an empty id, an invalid start and a null rectangle for a click on no chip.
    void eventSelected(const QString& eventId, const QDateTime& occurrenceStart,
                       const QRect& screenRect);
    void eventActivated(const QString& eventId, const QDateTime& occurrenceStart);
    void eventContextRequested(const QString& eventId, const QPoint& globalPos,
                               const QDateTime& occurrenceStart);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setExpanded(bool expanded);
    // The lanes painted as chips; a lane below them holds the "+N more" chips when it is fewer
    // than laneCount.
    int chipLanes() const;

    int m_gutterWidth = 0;
    QDate m_firstDate;
    int m_dayCount = 1;
    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QSet<FilterEngine::OccurrenceKey> m_dimmedIds;
    QList<HitRegion> m_hitRegions;
    int m_laneCount = 0;
    bool m_expanded = false;
    QList<QRect> m_moreRects;
    QRect m_collapseRect;
};

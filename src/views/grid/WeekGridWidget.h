#pragma once

#include "Event.h"
#include "FilterEngine.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QRect>
#include <QSet>
#include <QWidget>

// Eight day cards from the first date that reflow into 8, 4, 2 or 1 columns with the width.
// Each card lists its day's events in start order, one coloured line each, ending in
// "+N more" when they do not fit. An event shows on the day it starts (the stored date for
// all-day events, the local date otherwise).
class WeekGridWidget : public QWidget
{
    Q_OBJECT

public:
    struct HitRegion
    {
        QString eventId;
        QRect rect;
        QDateTime occurrenceStart;
    };
    struct DayCell
    {
        QDate date;
        QRect rect;
    };

    explicit WeekGridWidget(QWidget* parent = nullptr);

    QSize sizeHint() const override;

    void setData(const QDate& firstDate, const QList<Event>& events,
                 const QHash<QString, QString>& calendarColors,
                 const QSet<FilterEngine::OccurrenceKey>& dimmed,
                 const QHash<QDate, QString>& weatherLabels);
    void setCompact(bool compact);

    // "• Title" for an all-day event, else "9:05a  Title" (12-hour, local start).
    static QString lineLabel(const Event& event);

    QDate firstDate() const { return m_firstDate; }
    const QList<HitRegion>& hitRegions() const { return m_hitRegions; }
    const QList<DayCell>& dayCells() const { return m_dayCells; }

Q_SIGNALS:
    void eventSelected(const QString& eventId, const QDateTime& occurrenceStart,
                       const QRect& screenRect);
    void eventActivated(const QString& eventId, const QDateTime& occurrenceStart);
    void eventContextRequested(const QString& eventId, const QPoint& globalPos,
                               const QDateTime& occurrenceStart);
    void dayActivated(const QDate& date);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QDate m_firstDate;
    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QSet<FilterEngine::OccurrenceKey> m_dimmed;
    QHash<QDate, QString> m_weatherLabels;
    bool m_compact = false;
    QList<HitRegion> m_hitRegions;
    QList<DayCell> m_dayCells;
    QList<QList<Event>> m_days; // the events of each card, by start
};

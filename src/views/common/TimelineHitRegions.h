#pragma once

#include "Event.h"

#include <QDateTime>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <QString>

class QWidget;

// The blocks a timeline painted last, in paint order, as the pointer and the keys find them. A
// press or a hover means the first block under the pointer (the one a drag picks up); a click,
// double click or menu the last one, painted over the others. Events that cross midnight are
// painted in pieces and cannot be dragged.
class TimelineHitRegions
{
public:
    // One painted block.
    struct Region
    {
        QString eventId;
        QRect rect; // widget coordinates
        // The block's start as drawn (cut to the day, so midnight on a later day), and the
        // occurrence's own start, which a drag or a click hands on.
        QDateTime occurrenceStart;
        QDateTime instanceStart;
    };

    // The events the blocks are painted from; only which of them cross midnight is kept.
    void setEvents(const QList<Event>& events);

    void clear() { m_regions.clear(); }
    void append(const Region& region) { m_regions.append(region); }
    const QList<Region>& regions() const { return m_regions; }

    const Region* firstAt(const QPoint& point) const;
    const Region* lastAt(const QPoint& point) const;
    // The first block of `eventId` under `point`.
    const Region* firstAt(const QPoint& point, const QString& eventId) const;
    // The first block of `eventId`; of any occurrence, or of the one starting at `instanceStart`.
    const Region* find(const QString& eventId) const;
    const Region* find(const QString& eventId, const QDateTime& instanceStart) const;

    // The block a left press at `point` picks up: null over no block or over a fixed one.
    const Region* draggableAt(const QPoint& point) const;
    // The pointer's shape over `point` while no drag is under way: an arrow off the blocks and
    // over fixed ones, the resize arrows over a block's bottom band, a hand elsewhere on it.
    Qt::CursorShape cursorAt(const QPoint& point) const;

    // The block's rectangle in screen coordinates, where a card opened for it is placed.
    static QRect onScreen(const QWidget* widget, const Region& region);

private:
    QList<Region> m_regions;
    QSet<QString> m_fixedIds;
};

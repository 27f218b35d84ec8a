#pragma once

#include "Event.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <QString>

#include <optional>

class QWidget;

// The blocks a timeline painted last, in paint order, as the pointer and the keys find them. A
// press or a hover means the first block under the pointer (the one a drag picks up); a click,
// double click or menu the last one, painted over the others. Events that cross midnight are
// painted in pieces and cannot be dragged. The "+N" marks of blocks left out lie over the blocks
// and are found before them.
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

    // A "+N" mark: where the blocks a day column leaves out would start, and which they are.
    struct Mark
    {
        QRect rect; // widget coordinates
        QDate day;
        // The span of the blocks left out, cut to the day.
        QDateTime start;
        QDateTime end;
        QList<qsizetype> eventIndices; // into the events the blocks are painted from, by start
    };

    // The events the blocks are painted from; only which of them cross midnight is kept. The
    // marks, which point into the events, go with the events they were placed for.
    void setEvents(const QList<Event>& events);

    void clear()
    {
        m_regions.clear();
        m_marks.clear();
    }
    void append(const Region& region) { m_regions.append(region); }
    const QList<Region>& regions() const { return m_regions; }
    void appendMark(Mark mark) { m_marks.append(std::move(mark)); }
    const QList<Mark>& marks() const { return m_marks; }

    // The mark under `point`; null when there is none.
    const Mark* markAt(const QPoint& point) const;
    // An occurrence left out of the blocks: the mark that counts it and its index in the events.
    struct Hidden
    {
        const Mark* mark = nullptr;
        qsizetype eventIndex = -1;
    };
    // Where an occurrence of `eventId` among `events` (the list the marks' indices point into) is
    // counted: the one starting at `instanceStart`, or the first without it. No mark when it is
    // not left out.
    Hidden findHidden(const QList<Event>& events, const QString& eventId,
                      const std::optional<QDateTime>& instanceStart) const;

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

    // The block's or the mark's rectangle in screen coordinates, where a card opened for it is
    // placed.
    static QRect onScreen(const QWidget* widget, const Region& region);
    static QRect onScreen(const QWidget* widget, const QRect& rect);

private:
    QList<Region> m_regions;
    QList<Mark> m_marks;
    QSet<QString> m_fixedIds;
};

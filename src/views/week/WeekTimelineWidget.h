#pragma once

#include "Defaults.h"
#include "Event.h"
#include "FilterEngine.h"
#include "TimelineWidget.h"

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSet>
#include <QWidget>

class AppState;

// Consecutive days side by side on one 24-hour grid right of a 64-px hour gutter. Timed events
// are drawn as blocks in their day columns (cut at midnight), laid out side by side where they
// overlap, with "+N" marks listing those beyond the columns that fit. A block can be dragged to
// another time and day column, or resized at its bottom edge, in quarter hours; events crossing
// midnight cannot be dragged. Only today's column is tinted and carries the current-time line.
class WeekTimelineWidget : public TimelineWidget
{
    Q_OBJECT

public:
    using DragState = TimelineDragSession::State;

    explicit WeekTimelineWidget(QWidget* parent = nullptr);

    void setAppState(AppState* appState) { m_appState = appState; }
    void setEvents(const QDate& firstDate, int dayCount, const QList<Event>& events,
                   const QHash<QString, QString>& calendarColors,
                   const QSet<FilterEngine::OccurrenceKey>& dimmed,
                   const QSet<QString>& twoWaySyncCalendarIds);
    // Another event selected elsewhere: no occurrence of it is chosen yet, so its first one here
    // counts as selected. The same id again keeps the chosen occurrence.
    void setSelectedEventId(const QString& eventId);
    // Whole hours; true when either changed.
    bool setWorkdayHours(int startHour, int endHour);

    QSize sizeHint() const override;

    QDate firstDate() const { return m_firstDate; }
    int dayCount() const { return columnCount(); }
    DragState dragState() const { return m_drag.state(); }
    // The selected occurrence, by event id and the occurrence's own start: a series shows many
    // occurrences of one id, and a click, Tab or Enter means one of them.
    QDateTime selectedOccurrenceStart() const;

Q_SIGNALS:
    void emptySlotActivated(const QDate& date, const QTime& time);
    void eventMoveRequested(const QString& eventId, const QDateTime& instanceStart, int dayDelta,
                            int minuteOffset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void requestMove(const QString& eventId, const QDateTime& instanceStart, int dayShift,
                     int minutes) override;
    bool activateSlot(int column, const QTime& time) override;
    QString timePattern() const override;
    bool stillStored(const Event& listed) override;
    std::optional<QDateTime> selectedOccurrence() const override;
    void selectOccurrence(const QString& eventId, const QDateTime& start) override;
    // The first block of the clicked event under the pointer.
    const HitRegion& clickedRegion(const HitRegion& topmost, const QPoint& point) const override;

private:
    // One block as laid out for the current events and geometry: which event, where, and its
    // colours. Rebuilt only when the events or the sizes it depends on change.
    struct Block
    {
        qsizetype index = 0; // into m_events
        QRect rect;
        bool dimmed = false;
        QColor base;
    };
    struct BlockGeometry
    {
        int rowHeight = 0;
        int columnWidth = 0;
        int minimumHeight = 0;
        bool operator==(const BlockGeometry&) const = default;
    };
    void layoutBlocks(const BlockGeometry& geometry);
    // Everything the background grid (fill, workday shading, today's tint, hour and day lines)
    // depends on.
    struct GridKey
    {
        QSize size;
        qreal devicePixelRatio = 1;
        int rowHeight = 0;
        int columnWidth = 0;
        int dayCount = 0;
        int workdayStartHour = 0;
        int workdayEndHour = 0;
        int todayColumn = -1; // -1 when today is not shown
        qint64 palette = 0;
        QPalette::ColorGroup colorGroup = QPalette::Active;
        bool operator==(const GridKey&) const = default;
    };
    void paintGrid(QPainter& painter, const GridKey& grid) const;

    AppState* m_appState = nullptr;
    QDate m_firstDate;
    QDateTime m_selectedStart; // invalid: the first occurrence of the selected id
    int m_workdayStartHour = Defaults::workdayStartHour;
    int m_workdayEndHour = Defaults::workdayEndHour;
    QList<Block> m_blocks;
    BlockGeometry m_blockGeometry;
    bool m_blocksStale = true;
    QImage m_grid;
    GridKey m_gridKey;
};

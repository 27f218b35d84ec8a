#include "AllDayStrip.h"

#include "EventHitTest.h"
#include "Theme.h"
#include "ViewData.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int chipTop = 4;
constexpr int collapsedLanes = 2;
constexpr int collapseFromLanes = 4;
// Expanded, the strip grows by no more lanes than this, so that hundreds of all-day events on one
// day cannot stretch the window past the screen; its last lane then counts what it leaves out.
constexpr int expandedLaneLimit = 10;
constexpr int collapseBarHeight = 14;

QFont adjustedFont(QFont font, int pointDelta, int minimum)
{
    const qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    font.setPointSizeF(std::max<qreal>(size + pointDelta, minimum));
    return font;
}

} // namespace

AllDayStrip::AllDayStrip(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(28);
}

void AllDayStrip::setEvents(int gutterWidth, const QDate& firstDate, int dayCount,
                            const QList<Event>& events,
                            const QHash<QString, QString>& calendarColors,
                            const QSet<FilterEngine::OccurrenceKey>& dimmedIds)
{
    m_gutterWidth = gutterWidth;
    m_firstDate = firstDate;
    m_dayCount = std::max(dayCount, 1);
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmedIds = dimmedIds;
    int lanes = 0;
    for (const Segment& segment : layoutLanes(m_events, m_firstDate, m_dayCount))
        lanes = std::max(lanes, segment.lane + 1);
    m_laneCount = lanes;
    updateGeometry();
    update();
}

QList<AllDayStrip::Segment> AllDayStrip::layoutLanes(const QList<Event>& events,
                                                     const QDate& firstDate, int dayCount)
{
    QList<Segment> segments;
    if (!firstDate.isValid())
        return segments;
    dayCount = std::max(dayCount, 1);
    for (qsizetype i = 0; i < events.size(); ++i) {
        const Event& event = events[i];
        if (!event.isAllDay || !event.startTime.isValid())
            continue;
        // All-day times are 00:00 UTC of the stored dates: read the date without a zone change.
        const QDate startDate = event.startTime.toUTC().date();
        QDate endDate = startDate;
        if (event.endTime && event.endTime->isValid()) {
            endDate = event.endTime->toUTC().date();
            if (endDate > startDate)
                endDate = endDate.addDays(-1);
            else
                endDate = std::max(endDate, startDate);
        }
        const qint64 startColumn = firstDate.daysTo(startDate);
        const qint64 endColumn = firstDate.daysTo(endDate);
        if (endColumn < 0 || startColumn > dayCount - 1)
            continue;
        segments.append({event.id, int(std::max<qint64>(startColumn, 0)),
                         int(std::min<qint64>(endColumn, dayCount - 1)), 0, int(i)});
    }
    std::stable_sort(segments.begin(), segments.end(), [](const Segment& a, const Segment& b) {
        if (a.startColumn != b.startColumn)
            return a.startColumn < b.startColumn;
        return a.endColumn > b.endColumn;
    });
    // First fit: the lowest lane whose placed spans leave this one's columns free.
    QList<QList<std::pair<int, int>>> lanes;
    for (Segment& segment : segments) {
        int lane = 0;
        for (; lane < lanes.size(); ++lane) {
            const bool clash =
                std::any_of(lanes[lane].cbegin(), lanes[lane].cend(), [&segment](const auto& span) {
                    return segment.startColumn <= span.second && segment.endColumn >= span.first;
                });
            if (!clash)
                break;
        }
        if (lane == lanes.size())
            lanes.append(QList<std::pair<int, int>>());
        lanes[lane].append({segment.startColumn, segment.endColumn});
        segment.lane = lane;
    }
    return segments;
}

QSize AllDayStrip::sizeHint() const
{
    if (m_expanded && m_laneCount >= collapseFromLanes)
        return {1, 20 + std::min(m_laneCount, expandedLaneLimit) * laneHeight};
    return {1, 6 + laneHeight * std::min(std::max(m_laneCount, 1), 3)};
}

bool AllDayStrip::isCollapsed() const
{
    return !m_expanded && m_laneCount >= collapseFromLanes;
}

int AllDayStrip::chipLanes() const
{
    if (isCollapsed())
        return collapsedLanes;
    if (m_laneCount > expandedLaneLimit)
        return expandedLaneLimit - 1;
    return m_laneCount;
}

void AllDayStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const int w = width();
    const int h = height();

    painter.fillRect(rect(), pal.base());
    painter.setPen(QPen(pal.color(QPalette::Mid), 1));
    painter.drawLine(0, h - 1, w, h - 1);

    // A translation longer than the gutter wraps between its words, smaller where it must.
    const QRect gutter(0, 0, m_gutterWidth, h);
    const QString label = tr("all-day");
    const int labelFlags = Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap;
    QFont labelFont = adjustedFont(font(), -2, 7);
    while (labelFont.pointSizeF() > 6) {
        const QRect needed = QFontMetrics(labelFont).boundingRect(gutter, labelFlags, label);
        if (needed.width() <= gutter.width() && needed.height() <= gutter.height())
            break;
        labelFont.setPointSizeF(labelFont.pointSizeF() - 0.5);
    }
    painter.setFont(labelFont);
    // The palette's Mid is nearly the background in both modes: the label takes the muted text
    // colour secondary text has everywhere else.
    painter.setPen(Theme::textMuted());
    painter.drawText(gutter, labelFlags, label);

    const int columnWidth = std::max(w - m_gutterWidth, 0) / m_dayCount;
    QFont chipFont = adjustedFont(font(), -1, 8);
    chipFont.setWeight(QFont::Bold);

    const QList<Segment> segments = layoutLanes(m_events, m_firstDate, m_dayCount);
    const int chipLaneCount = chipLanes();
    const bool hiding = chipLaneCount < m_laneCount;
    QList<int> hiddenPerColumn(m_dayCount, 0);
    if (hiding) {
        for (const Segment& segment : segments) {
            if (segment.lane < chipLaneCount)
                continue;
            for (int column = segment.startColumn; column <= segment.endColumn; ++column)
                ++hiddenPerColumn[column];
        }
    }

    QList<HitRegion> hits;
    QList<QRect> moreRects;
    const QColor windowText = pal.color(QPalette::WindowText);
    painter.setFont(chipFont);
    const QFontMetrics chipMetrics(chipFont);
    for (const Segment& segment : segments) {
        if (segment.lane >= chipLaneCount)
            continue;
        if (segment.eventIndex < 0 || segment.eventIndex >= m_events.size())
            continue;
        const Event& event = m_events[segment.eventIndex];
        const QRect chip(m_gutterWidth + 2 + segment.startColumn * columnWidth,
                         segment.lane * laneHeight + chipTop,
                         (segment.endColumn - segment.startColumn + 1) * columnWidth - 4,
                         chipHeight);
        hits.append({segment.eventId, chip, event.startTime});

        const QColor base = ViewData::itemColor(event, m_calendarColors);
        const bool dimmed = m_dimmedIds.contains(FilterEngine::OccurrenceKey::of(event));
        QColor fill = base;
        fill.setAlpha(dimmed ? 30 : 90);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(chip, 4, 4);

        QColor text = base.darker(180);
        if (text.lightness() > windowText.lightness() + 40 || text.lightness() < 100)
            text = windowText;
        if (dimmed)
            text.setAlpha(140);
        painter.setPen(text);
        const QRect textRect = chip.adjusted(6, 0, -6, 0);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                         chipMetrics.elidedText(ViewData::shownTitle(event), Qt::ElideRight,
                                                std::max(chip.width() - 12, 0)));
    }

    if (m_expanded && m_laneCount >= collapseFromLanes) {
        m_collapseRect = QRect(0, h - collapseBarHeight, w, collapseBarHeight);
        QColor bar = pal.color(QPalette::Mid);
        bar.setAlpha(50);
        painter.setPen(Qt::NoPen);
        painter.setBrush(bar);
        painter.drawRect(m_collapseRect);
        const QPointF centre = QRectF(m_collapseRect).center();
        QPen chevron(windowText, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(chevron);
        painter.setBrush(Qt::NoBrush);
        const QPointF points[] = {centre + QPointF(-5, 2), centre + QPointF(0, -3),
                                  centre + QPointF(5, 2)};
        painter.drawPolyline(points, 3);
    } else {
        m_collapseRect = QRect();
    }

    if (hiding) {
        QFont moreFont = adjustedFont(font(), -1, 8);
        moreFont.setWeight(QFont::Normal);
        painter.setFont(moreFont);
        const QFontMetrics moreMetrics(moreFont);
        QColor chipFill = pal.color(QPalette::Mid);
        chipFill.setAlpha(80);
        for (int column = 0; column < m_dayCount; ++column) {
            const int hidden = hiddenPerColumn[column];
            if (hidden < 1)
                continue;
            const QRect more(m_gutterWidth + 2 + column * columnWidth,
                             chipLaneCount * laneHeight + chipTop, columnWidth - 4, chipHeight);
            painter.setPen(Qt::NoPen);
            painter.setBrush(chipFill);
            painter.drawRoundedRect(more, 4, 4);
            painter.setPen(windowText);
            painter.drawText(more.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter,
                             moreMetrics.elidedText(tr("+%1 more").arg(hidden), Qt::ElideRight,
                                                    std::max(more.width() - 12, 0)));
            moreRects.append(more);
        }
    }

    m_hitRegions = hits;
    m_moreRects = moreRects;
}

void AllDayStrip::setExpanded(bool expanded)
{
    m_expanded = expanded;
    updateGeometry();
    update();
}

void AllDayStrip::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint position = event->position().toPoint();
    if (!m_collapseRect.isNull() && m_collapseRect.contains(position)) {
        setExpanded(false);
        event->accept();
        return;
    }
    for (const QRect& more : std::as_const(m_moreRects)) {
        if (more.contains(position)) {
            // Expanded, the chips only count what did not fit; the bar below collapses.
            if (!m_expanded)
                setExpanded(true);
            event->accept();
            return;
        }
    }
    if (const HitRegion* hit = EventHitTest::topmost(m_hitRegions, position)) {
        const QRect screenRect(mapToGlobal(hit->rect.topLeft()), hit->rect.size());
        Q_EMIT eventSelected(hit->eventId, hit->occurrenceStart, screenRect);
        event->accept();
        return;
    }
    Q_EMIT eventSelected(QString(), QDateTime(), QRect());
    QWidget::mouseReleaseEvent(event);
}

void AllDayStrip::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!EventHitTest::doubleClick(m_hitRegions, event,
                                   [this](const QString& id, const QDateTime& start) {
                                       Q_EMIT eventActivated(id, start);
                                   }))
        QWidget::mouseDoubleClickEvent(event);
}

void AllDayStrip::contextMenuEvent(QContextMenuEvent* event)
{
    if (!EventHitTest::contextMenu(
            m_hitRegions, event,
            [this](const QString& id, const QPoint& globalPos, const QDateTime& start) {
                Q_EMIT eventContextRequested(id, globalPos, start);
            }))
        QWidget::contextMenuEvent(event);
}

#include "WeekTimelineWidget.h"

#include "DateLanguage.h"
#include "TimelineBlockText.h"

#include "Clock.h"
#include "Theme.h"
#include "TimeFormatState.h"
#include "TimelineDrag.h"
#include "TimelineGeometry.h"
#include "ViewData.h"
#include "ViewEventActions.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimeZone>

#include <algorithm>

namespace {

constexpr int gutter = TimelineGeometry::gutterWidth;

} // namespace

WeekTimelineWidget::WeekTimelineWidget(QWidget* parent)
    : TimelineWidget(TimelineDragSession::Axes::Both, parent)
{
    setColumnCount(7);
}

void WeekTimelineWidget::setEvents(const QDate& firstDate, int dayCount, const QList<Event>& events,
                                   const QHash<QString, QString>& calendarColors,
                                   const QSet<FilterEngine::OccurrenceKey>& dimmed,
                                   const QSet<QString>& twoWaySyncCalendarIds)
{
    m_firstDate = firstDate;
    setColumnCount(dayCount);
    setShownEvents(events, calendarColors, dimmed, twoWaySyncCalendarIds);
    m_blocksStale = true;
    update();
}

void WeekTimelineWidget::layoutBlocks(const BlockGeometry& geometry)
{
    m_blocks.clear();
    m_hits.clear();
    const int H = geometry.rowHeight;
    const int W = geometry.columnWidth;
    for (int c = 0; c < columnCount() && m_firstDate.isValid(); ++c) {
        const QDate day = m_firstDate.addDays(c);
        const QList<TimelineGeometry::PlacedOccurrence> placed = TimelineGeometry::layoutDay(
            m_events, day, TimelineGeometry::minimumBlockMsecs(geometry.minimumHeight, H));
        for (const TimelineGeometry::PlacedOccurrence& item : placed) {
            const Event& event = m_events[item.index];
            const int top = TimelineGeometry::yForDateTime(item.start, day, H);
            const int bottom = item.end ? TimelineGeometry::yForDateTime(*item.end, day, H) : top;
            // A column that does not fit the day at a legible width is neither drawn nor hit.
            const std::optional<TimelineGeometry::ColumnSpan> span = TimelineGeometry::columnSpan(
                gutter + c * W + 4, W - 8, item.column, item.columnCount);
            if (!span || span->width < 1)
                continue;
            const QRect block =
                TimelineGeometry::blockRect(*span, top, bottom, geometry.minimumHeight);
            m_hits.append({event.id, block, item.start, event.startTime});
            m_blocks.append({item.index, block,
                             m_dimmed.contains(FilterEngine::OccurrenceKey::of(event)),
                             ViewData::itemColor(event, m_calendarColors)});
        }
        placeMarks(placed, day, gutter + c * W + 4, W - 8, H);
    }
    m_blockGeometry = geometry;
    m_blocksStale = false;
}

void WeekTimelineWidget::setSelectedEventId(const QString& eventId)
{
    if (eventId == m_selectedEventId)
        return;
    m_selectedEventId = eventId;
    m_selectedStart = QDateTime();
    update();
}

void WeekTimelineWidget::selectOccurrence(const QString& eventId, const QDateTime& start)
{
    m_selectedEventId = eventId;
    m_selectedStart = eventId.isEmpty() ? QDateTime() : start;
    update();
}

QDateTime WeekTimelineWidget::selectedOccurrenceStart() const
{
    if (m_selectedStart.isValid() || m_selectedEventId.isEmpty())
        return m_selectedStart;
    QDateTime first;
    for (const Event& event : m_events) {
        if (event.id == m_selectedEventId && !event.isAllDay &&
            (!first.isValid() || event.startTime < first))
            first = event.startTime;
    }
    return first;
}

bool WeekTimelineWidget::setWorkdayHours(int startHour, int endHour)
{
    if (startHour == m_workdayStartHour && endHour == m_workdayEndHour)
        return false;
    m_workdayStartHour = startHour;
    m_workdayEndHour = endHour;
    update();
    return true;
}

QSize WeekTimelineWidget::sizeHint() const
{
    return QSize(1000, 24 * hourHeight());
}

void WeekTimelineWidget::paintGrid(QPainter& painter, const GridKey& grid) const
{
    const QPalette& pal = palette();
    const int H = grid.rowHeight;
    const int W = grid.columnWidth;
    const int gridWidth = W * columnCount();
    painter.fillRect(rect(), pal.color(QPalette::Base));
    if (m_workdayStartHour > 0 || m_workdayEndHour < 24) {
        QColor shade = pal.color(QPalette::WindowText);
        shade.setAlpha(18);
        if (m_workdayStartHour > 0)
            painter.fillRect(QRect(gutter, 0, gridWidth, H * m_workdayStartHour), shade);
        if (m_workdayEndHour < 24)
            painter.fillRect(
                QRect(gutter, H * m_workdayEndHour, gridWidth, height() - H * m_workdayEndHour),
                shade);
    }
    if (grid.todayColumn >= 0) {
        QColor tint = pal.color(QPalette::Highlight);
        tint.setAlpha(20);
        painter.fillRect(QRect(gutter + grid.todayColumn * W, 0, W, height()), tint);
    }
    painter.setPen(pal.color(QPalette::Mid));
    for (int hour = 0; hour <= 24; ++hour)
        painter.drawLine(gutter, H * hour, gutter + gridWidth, H * hour);
    for (int c = 0; c <= columnCount(); ++c)
        painter.drawLine(gutter + c * W, 0, gutter + c * W, 24 * H);
}

void WeekTimelineWidget::paintEvent(QPaintEvent* paintEvent)
{
    const QRect exposed = paintEvent->rect();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const int H = rowHeight();
    const int W = columnWidth();

    const QDateTime now = Clock::nowLocal();
    const int todayColumn = m_firstDate.isValid() ? int(m_firstDate.daysTo(now.date())) : -1;
    const bool todayShown = todayColumn >= 0 && todayColumn < columnCount();
    const GridKey grid{size(),
                       devicePixelRatio(),
                       H,
                       W,
                       columnCount(),
                       m_workdayStartHour,
                       m_workdayEndHour,
                       todayShown ? todayColumn : -1,
                       pal.cacheKey(),
                       pal.currentColorGroup()};
    if (pal.color(QPalette::Base).alpha() == 255 && !size().isEmpty()) {
        // The grid only changes with the sizes, the workday, the day and the palette, and
        // its large translucent fills and antialiased lines cost more than a copy.
        if (m_grid.isNull() || grid != m_gridKey) {
            const qreal ratio = devicePixelRatio();
            m_grid = QImage(size() * ratio, QImage::Format_RGB32);
            m_grid.setDevicePixelRatio(ratio);
            QPainter gridPainter(&m_grid);
            gridPainter.setRenderHint(QPainter::Antialiasing);
            paintGrid(gridPainter, grid);
            m_gridKey = grid;
        }
        const qreal ratio = m_grid.devicePixelRatio();
        painter.drawImage(exposed, m_grid,
                          QRectF(exposed.x() * ratio, exposed.y() * ratio, exposed.width() * ratio,
                                 exposed.height() * ratio));
    } else {
        paintGrid(painter, grid);
    }

    QFont labelFont = font();
    labelFont.setPointSizeF(std::max(labelFont.pointSizeF() - 1, 1.0));
    painter.setFont(labelFont);
    painter.setPen(pal.color(QPalette::WindowText));
    for (int hour = 1; hour < 24; ++hour)
        painter.drawText(QRect(0, H * hour - 8, TimelineGeometry::labelWidth, 16),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QTime(hour, 0).toString(QStringLiteral("h AP")));

    if (todayShown) {
        const QColor red(220, 53, 69);
        const int y = TimelineGeometry::yForTime(now.time(), H);
        const int x = gutter + todayColumn * W;
        painter.setPen(QPen(red, 2));
        painter.drawLine(x, y, x + W, y);
        painter.setPen(Qt::NoPen);
        painter.setBrush(red);
        painter.drawEllipse(QPointF(x, y), 4, 4);
        painter.setBrush(Qt::NoBrush);
    }

    QFont bold = font();
    bold.setWeight(QFont::Bold);
    QFont small = labelFont;
    const QFontMetrics boldMetrics(bold);
    const QFontMetrics smallMetrics(small);
    const int p = isCompact() ? 1 : 3;
    const int minimumHeight = boldMetrics.height() + 2 * p;
    QFont iconFont(Theme::iconFontFamily());
    iconFont.setPixelSize(13);
    const QFontMetrics iconMetrics(iconFont);
    const QString pattern = TimeFormat::timePattern(m_appState);
    const QTimeZone local = QTimeZone::systemTimeZone();

    // Every block gets its hit region; only those in the exposed part are drawn.
    const BlockGeometry geometry{H, W, minimumHeight};
    if (m_blocksStale || geometry != m_blockGeometry)
        layoutBlocks(geometry);
    const QDateTime selectedStart = selectedOccurrenceStart();
    const int visibleTop = std::max(-y(), 0);
    for (const Block& item : std::as_const(m_blocks)) {
        const QRect& block = item.rect;
        if (!block.intersects(exposed))
            continue;
        const Event& event = m_events[item.index];
        const bool dimmed = item.dimmed;
        const QColor& base = item.base;
        QColor fill = base;
        fill.setAlpha(dimmed ? 28 : 96);
        m_blockPainter.fill(painter, block, 4, fill);
        QColor stripe = base;
        if (dimmed)
            stripe.setAlpha(80);
        m_blockPainter.fill(painter, QRect(block.x(), block.y(), 3, block.height()), 4, stripe);
        painter.setBrush(Qt::NoBrush);
        if (event.id == m_selectedEventId && event.startTime == selectedStart) {
            painter.setPen(QPen(base, 2));
            painter.drawRoundedRect(block.adjusted(1, 1, -1, -1), 4, 4);
        }

        const int x = block.x();
        const int w = block.width();
        const bool timeShown =
            block.height() >= smallMetrics.height() + 2 * p + boldMetrics.height() + 1 && w >= 81;
        const int textHeight =
            boldMetrics.height() + (timeShown ? smallMetrics.height() : 0) + 2 * p;
        const int textTop = TimelineGeometry::textTop(block, visibleTop, textHeight);
        const QRect textRect(x + 9, textTop + p, w - 15, block.bottom() + 1 - textTop - 2 * p);
        QColor textColor = pal.color(QPalette::WindowText);
        if (dimmed)
            textColor.setAlpha(140);
        QColor glyphColor = textColor;
        glyphColor.setAlpha(170);
        // Glyphs too stay in the block: a narrow one leaves no room for both.
        painter.save();
        painter.setClipRect(block);
        painter.setFont(iconFont);
        painter.setPen(glyphColor);
        const int glyphWidth = TimelineBlockText::paintGlyphs(
            painter, iconMetrics, textRect.left(), x + w - 3, textRect.top() + iconMetrics.ascent(),
            TimelineBlockText::statusGlyphs(event, m_twoWayCalendarIds.contains(event.calendarId)));
        painter.setFont(bold);
        painter.setPen(textColor);
        const int titleWidth = textRect.width() - glyphWidth;
        if (titleWidth <= 0) {
            painter.restore();
            continue;
        }
        painter.drawText(
            QRect(textRect.left(), textRect.top(), titleWidth, boldMetrics.height()),
            Qt::AlignLeft | Qt::AlignVCenter,
            boldMetrics.elidedText(ViewData::shownTitle(event), Qt::ElideRight, titleWidth));
        if (timeShown) {
            const QString text = TimelineBlockText::timeRange(event, pattern, local);
            painter.setFont(small);
            painter.drawText(QRect(textRect.left(), textRect.top() + boldMetrics.height(),
                                   textRect.width(), smallMetrics.height()),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             smallMetrics.elidedText(text, Qt::ElideRight, textRect.width()));
        }
        painter.restore();
    }

    paintMarks(painter, exposed);

    if (m_drag.showsGhost()) {
        const bool resizing = m_drag.state() == DragState::Resizing;
        QRect ghost = TimelineDrag::ghostRect(m_drag.block(), resizing, m_drag.minutes(), H);
        if (!resizing)
            ghost.translate(W * m_drag.dayShift(), 0);
        QColor highlight = pal.color(QPalette::Highlight);
        QPen pen(highlight, 1.6, Qt::DashLine);
        highlight.setAlpha(40);
        painter.setPen(pen);
        painter.setBrush(highlight);
        painter.drawRoundedRect(ghost, 4, 4);
        QFont ghostFont = font();
        ghostFont.setWeight(QFont::Bold);
        ghostFont.setPointSizeF(std::max(ghostFont.pointSizeF() - 1, 8.0));
        painter.setFont(ghostFont);
        painter.setPen(pal.color(QPalette::WindowText));
        QString label;
        if (resizing) {
            label = tr("%1 min").arg(TimelineDrag::resizeLabelMinutes(ghost, H));
        } else {
            const int minutes = TimelineDrag::moveLabelMinutes(ghost, H);
            label =
                DateLanguage::format(m_firstDate.addDays(m_drag.pressColumn() + m_drag.dayShift()),
                                     QStringLiteral("ddd")) +
                QStringLiteral("  ") + QTime(minutes / 60, minutes % 60).toString(pattern);
        }
        painter.drawText(QRect(ghost.x() + 4, ghost.y() - 18, ghost.width() - 8, 16),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
    }
}

void WeekTimelineWidget::requestMove(const QString& eventId, const QDateTime& instanceStart,
                                     int dayShift, int minutes)
{
    Q_EMIT eventMoveRequested(eventId, instanceStart, dayShift, minutes);
}

bool WeekTimelineWidget::activateSlot(int column, const QTime& time)
{
    if (!m_firstDate.isValid())
        return false;
    Q_EMIT emptySlotActivated(m_firstDate.addDays(column), time);
    return true;
}

QString WeekTimelineWidget::timePattern() const
{
    return TimeFormat::timePattern(m_appState);
}

bool WeekTimelineWidget::stillStored(const Event& listed)
{
    return ViewEventActions::stillStored(m_appState, this, listed);
}

std::optional<QDateTime> WeekTimelineWidget::selectedOccurrence() const
{
    return selectedOccurrenceStart();
}

const WeekTimelineWidget::HitRegion& WeekTimelineWidget::clickedRegion(const HitRegion& topmost,
                                                                       const QPoint& point) const
{
    const HitRegion* first = m_hits.firstAt(point, topmost.eventId);
    return first ? *first : topmost;
}

#include "WeekTimelineWidget.h"

#include "TimelineRepaint.h"

#include "Clock.h"
#include "EventSort.h"
#include "Glyphs.h"
#include "Theme.h"
#include "TimeFormatState.h"
#include "TimelineDrag.h"
#include "TimelineGeometry.h"
#include "ViewData.h"
#include "WeekDrag.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimeZone>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int gutter = TimelineGeometry::gutterWidth;

} // namespace

WeekTimelineWidget::WeekTimelineWidget(QWidget* parent) : QWidget(parent) {}

void WeekTimelineWidget::setEvents(const QDate& firstDate, int dayCount, const QList<Event>& events,
                                   const QHash<QString, QString>& calendarColors,
                                   const QSet<FilterEngine::OccurrenceKey>& dimmed,
                                   const QSet<QString>& twoWaySyncCalendarIds)
{
    m_firstDate = firstDate;
    m_dayCount = std::max(dayCount, 1);
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmed = dimmed;
    m_twoWaySyncCalendarIds = twoWaySyncCalendarIds;
    m_multiDayIds.clear();
    for (const Event& event : std::as_const(m_events))
        if (TimelineGeometry::isMultiDay(event))
            m_multiDayIds.insert(event.id);
    m_blocksStale = true;
    update();
}

void WeekTimelineWidget::layoutBlocks(const BlockGeometry& geometry)
{
    m_blocks.clear();
    m_hitRegions.clear();
    const int H = geometry.rowHeight;
    const int W = geometry.columnWidth;
    for (int c = 0; c < m_dayCount && m_firstDate.isValid(); ++c) {
        const QDate day = m_firstDate.addDays(c);
        const QList<TimelineGeometry::PlacedOccurrence> placed = TimelineGeometry::layoutDay(
            m_events, day, TimelineGeometry::minimumBlockMsecs(geometry.minimumHeight, H));
        for (const TimelineGeometry::PlacedOccurrence& item : placed) {
            const Event& event = m_events[item.index];
            const int top = TimelineGeometry::yForDateTime(item.start, day, H);
            const int bottom = item.end ? TimelineGeometry::yForDateTime(*item.end, day, H) : top;
            const TimelineGeometry::ColumnSpan span = TimelineGeometry::columnSpan(
                gutter + c * W + 4, W - 8, item.column, item.columnCount);
            const QRect block =
                TimelineGeometry::blockRect(span, top, bottom, geometry.minimumHeight);
            m_hitRegions.append({event.id, block, item.start, event.startTime});
            m_blocks.append({item.index, block,
                             m_dimmed.contains(FilterEngine::OccurrenceKey::of(event)),
                             ViewData::itemColor(event, m_calendarColors)});
        }
    }
    m_blockGeometry = geometry;
    m_blocksStale = false;
}

void WeekTimelineWidget::setHourHeight(int pixels)
{
    if (pixels == m_hourHeight)
        return;
    m_hourHeight = pixels;
    updateGeometry();
    update();
}

void WeekTimelineWidget::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    update();
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
    return QSize(1000, 24 * m_hourHeight);
}

int WeekTimelineWidget::rowHeight() const
{
    return TimelineGeometry::rowHeight(m_hourHeight, height());
}

int WeekTimelineWidget::columnWidth() const
{
    return std::max(width() - gutter, 0) / m_dayCount;
}

void WeekTimelineWidget::paintGrid(QPainter& painter, const GridKey& grid) const
{
    const QPalette& pal = palette();
    const int H = grid.rowHeight;
    const int W = grid.columnWidth;
    const int gridWidth = W * m_dayCount;
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
    for (int c = 0; c <= m_dayCount; ++c)
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
    const bool todayShown = todayColumn >= 0 && todayColumn < m_dayCount;
    const GridKey grid{size(),
                       devicePixelRatio(),
                       H,
                       W,
                       m_dayCount,
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
    const int p = m_compact ? 1 : 3;
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
        int glyphWidth = 0;
        int glyphRight = x + w - 3;
        QColor glyphColor = textColor;
        glyphColor.setAlpha(170);
        painter.setFont(iconFont);
        painter.setPen(glyphColor);
        const int baseline = textRect.top() + iconMetrics.ascent();
        if (!event.reminders.isEmpty()) {
            const int advance = iconMetrics.horizontalAdvance(Glyphs::bell);
            painter.drawText(QPoint(glyphRight - advance, baseline), QString(Glyphs::bell));
            glyphWidth += advance + 4;
            glyphRight -= advance + 4;
        }
        if (event.syncStatus == QLatin1String("pending") &&
            m_twoWaySyncCalendarIds.contains(event.calendarId)) {
            const int advance = iconMetrics.horizontalAdvance(Glyphs::cloudUpload);
            painter.drawText(QPoint(glyphRight - advance, baseline), QString(Glyphs::cloudUpload));
            glyphWidth += advance + 4;
        }
        painter.save();
        painter.setClipRect(block);
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
            const QDateTime start = event.startTime.toTimeZone(local);
            QString text;
            if (event.endTime) {
                const QDateTime end = event.endTime->toTimeZone(local);
                if (end.date() > start.date())
                    text = start.toString(QStringLiteral("ddd ")) +
                           TimeFormat::format(start, pattern) + QStringLiteral(" \u2013 ") +
                           end.toString(QStringLiteral("ddd ")) + TimeFormat::format(end, pattern);
                else
                    text = TimeFormat::format(start, pattern) + QStringLiteral(" \u2013 ") +
                           TimeFormat::format(end, pattern);
            } else {
                text = TimeFormat::format(start, pattern);
            }
            painter.setFont(small);
            painter.drawText(QRect(textRect.left(), textRect.top() + boldMetrics.height(),
                                   textRect.width(), smallMetrics.height()),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             smallMetrics.elidedText(text, Qt::ElideRight, textRect.width()));
        }
        painter.restore();
    }

    if ((m_dragState == DragState::Moving || m_dragState == DragState::Resizing) &&
        !m_dragEventId.isEmpty() && (m_dragMinutes != 0 || m_dragDayShift != 0)) {
        const bool resizing = m_dragState == DragState::Resizing;
        QRect ghost = TimelineDrag::ghostRect(m_dragRect, resizing, m_dragMinutes, H);
        if (!resizing)
            ghost.translate(W * m_dragDayShift, 0);
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
            label = m_firstDate.addDays(m_pressColumn + m_dragDayShift)
                        .toString(QStringLiteral("ddd")) +
                    QStringLiteral("  ") + QTime(minutes / 60, minutes % 60).toString(pattern);
        }
        painter.drawText(QRect(ghost.x() + 4, ghost.y() - 18, ghost.width() - 8, 16),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
    }
}

const WeekTimelineWidget::HitRegion* WeekTimelineWidget::firstHitAt(const QPoint& point) const
{
    for (const HitRegion& region : m_hitRegions)
        if (region.rect.contains(point))
            return &region;
    return nullptr;
}

const WeekTimelineWidget::HitRegion* WeekTimelineWidget::lastHitAt(const QPoint& point) const
{
    for (auto it = m_hitRegions.crbegin(); it != m_hitRegions.crend(); ++it)
        if (it->rect.contains(point))
            return &*it;
    return nullptr;
}

void WeekTimelineWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    TimelineRepaint::afterScroll(this, event);
}

void WeekTimelineWidget::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const HitRegion* hit = event->button() == Qt::LeftButton ? firstHitAt(point) : nullptr;
    if (!hit || m_multiDayIds.contains(hit->eventId)) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressColumn = std::clamp((hit->rect.center().x() - gutter) / std::max(columnWidth(), 1), 0,
                               m_dayCount - 1);
    m_dragEventId = hit->eventId;
    // The pressed block's own occurrence, not the first one sharing its id.
    m_dragInstanceStart = hit->instanceStart;
    m_pressPos = point;
    m_dragRect = hit->rect;
    m_dragMinutes = 0;
    m_dragDayShift = 0;
    m_dragState =
        TimelineDrag::inResizeZone(hit->rect, point.y()) ? DragState::Resizing : DragState::Pressed;
    event->accept();
}

void WeekTimelineWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const QPoint delta = point - m_pressPos;
    if (m_dragState == DragState::Pressed) {
        if (std::abs(delta.x()) < TimelineDrag::moveThreshold &&
            std::abs(delta.y()) < TimelineDrag::moveThreshold) {
            QWidget::mouseMoveEvent(event);
            return;
        }
        m_dragState = DragState::Moving;
        setCursor(Qt::ClosedHandCursor);
    }
    if (m_dragState == DragState::Moving) {
        m_dragMinutes = TimelineDrag::snappedMinutes(delta.y(), rowHeight());
        m_dragDayShift = WeekDrag::dayShift(delta.x(), columnWidth(), m_pressColumn, m_dayCount);
        update();
        event->accept();
        return;
    }
    if (m_dragState == DragState::Resizing) {
        m_dragMinutes = TimelineDrag::snappedMinutes(delta.y(), rowHeight());
        update();
        event->accept();
        return;
    }
    const HitRegion* hit = firstHitAt(point);
    if (!hit || m_multiDayIds.contains(hit->eventId))
        setCursor(Qt::ArrowCursor);
    else if (TimelineDrag::inResizeZone(hit->rect, point.y()))
        setCursor(Qt::SizeVerCursor);
    else
        setCursor(Qt::PointingHandCursor);
    QWidget::mouseMoveEvent(event);
}

void WeekTimelineWidget::emitSelectedAt(const QString& eventId, const QPoint& point)
{
    QDateTime start;
    QRect screenRect;
    for (const HitRegion& region : std::as_const(m_hitRegions)) {
        if (region.eventId == eventId && region.rect.contains(point)) {
            start = region.instanceStart;
            screenRect = QRect(mapToGlobal(region.rect.topLeft()), region.rect.size());
            break;
        }
    }
    selectOccurrence(eventId, start);
    Q_EMIT eventSelected(eventId, start, screenRect);
}

void WeekTimelineWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const DragState state = m_dragState;
    const QString id = m_dragEventId;
    const QDateTime instanceStart = m_dragInstanceStart;
    const int minutes = m_dragMinutes;
    const int shift = m_dragDayShift;
    m_dragState = DragState::Idle;
    m_dragEventId.clear();
    m_dragInstanceStart = QDateTime();
    m_dragMinutes = 0;
    m_dragDayShift = 0;
    setCursor(Qt::ArrowCursor);
    update();

    if (state == DragState::Moving && (minutes != 0 || shift != 0)) {
        Q_EMIT eventMoveRequested(id, instanceStart, shift, minutes);
        event->accept();
        return;
    }
    if (state == DragState::Resizing && minutes != 0) {
        Q_EMIT eventResizeRequested(id, instanceStart, minutes);
        event->accept();
        return;
    }
    const QPoint point = event->position().toPoint();
    const HitRegion* hit = lastHitAt(point);
    const QString hitId = hit ? hit->eventId : QString();
    if (hitId.isEmpty()) {
        Q_EMIT eventSelected(QString(), QDateTime(), QRect());
        QWidget::mouseReleaseEvent(event);
        return;
    }
    emitSelectedAt(hitId, point);
    event->accept();
}

void WeekTimelineWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (const HitRegion* hit = lastHitAt(point)) {
            selectOccurrence(hit->eventId, hit->instanceStart);
            Q_EMIT eventActivated(hit->eventId, hit->instanceStart);
            event->accept();
            return;
        }
        if (point.x() >= gutter && m_firstDate.isValid()) {
            const int column =
                std::clamp((point.x() - gutter) / std::max(columnWidth(), 1), 0, m_dayCount - 1);
            Q_EMIT emptySlotActivated(m_firstDate.addDays(column),
                                      TimelineGeometry::slotAt(point.y(), rowHeight()));
            event->accept();
            return;
        }
    }
    QWidget::mouseDoubleClickEvent(event);
}

void WeekTimelineWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (const HitRegion* hit = lastHitAt(event->pos())) {
        selectOccurrence(hit->eventId, hit->instanceStart);
        Q_EMIT eventContextRequested(hit->eventId, event->globalPos(), hit->instanceStart);
        event->accept();
        return;
    }
    QWidget::contextMenuEvent(event);
}

void WeekTimelineWidget::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QWidget::wheelEvent(event);
        return;
    }
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        Q_EMIT zoomRequested(notches);
    event->accept();
}

bool WeekTimelineWidget::focusNextPrevChild(bool)
{
    return false;
}

void WeekTimelineWidget::focusStep(bool forward)
{
    QList<Event> timed;
    for (const Event& event : std::as_const(m_events))
        if (!event.isAllDay)
            timed.append(event);
    EventSort::sortByStart(timed);
    qsizetype index = -1;
    const QDateTime selectedStart = selectedOccurrenceStart();
    for (qsizetype i = 0; i < timed.size(); ++i)
        if (timed[i].id == m_selectedEventId && timed[i].startTime == selectedStart) {
            index = i;
            break;
        }
    qsizetype next;
    if (index < 0)
        next = forward ? 0 : timed.size() - 1;
    else
        next = (index + (forward ? 1 : -1) + timed.size()) % timed.size();
    selectOccurrence(timed[next].id, timed[next].startTime);
    Q_EMIT eventFocused(timed[next].id);
}

void WeekTimelineWidget::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool forward =
        key == Qt::Key_Down || (key == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
    const bool backward = key == Qt::Key_Up || key == Qt::Key_Backtab ||
                          (key == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier));
    if (forward || backward) {
        const bool anyTimed = std::any_of(m_events.cbegin(), m_events.cend(),
                                          [](const Event& e) { return !e.isAllDay; });
        if (!anyTimed) {
            QWidget::keyPressEvent(event);
            return;
        }
        focusStep(forward);
        event->accept();
        return;
    }
    if (key == Qt::Key_Delete && !m_selectedEventId.isEmpty()) {
        Q_EMIT eventDeleteRequested(m_selectedEventId, selectedOccurrenceStart());
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_selectedEventId.isEmpty()) {
        QDateTime start;
        QRect screenRect;
        const QDateTime selectedStart = selectedOccurrenceStart();
        for (const HitRegion& region : std::as_const(m_hitRegions)) {
            if (region.eventId == m_selectedEventId && region.instanceStart == selectedStart) {
                start = region.instanceStart;
                screenRect = QRect(mapToGlobal(region.rect.topLeft()), region.rect.size());
                break;
            }
        }
        Q_EMIT eventSelected(m_selectedEventId, start, screenRect);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

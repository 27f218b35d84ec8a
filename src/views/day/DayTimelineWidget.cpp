#include "DayTimelineWidget.h"

#include "TimelineRepaint.h"

#include "Clock.h"
#include "EventSort.h"
#include "Glyphs.h"
#include "Theme.h"
#include "TimeFormatState.h"
#include "TimelineDrag.h"
#include "TimelineGeometry.h"
#include "ViewData.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimeZone>
#include <QWheelEvent>

#include <algorithm>

namespace {

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

// The font one point smaller, never below `floor` points.
QFont smallerFont(const QFont& base, int floor = 1)
{
    QFont font = base;
    if (font.pointSize() > 0)
        font.setPointSize(std::max(font.pointSize() - 1, floor));
    return font;
}

QFont boldFont(const QFont& base)
{
    QFont font = base;
    font.setWeight(QFont::Bold);
    return font;
}

} // namespace

DayTimelineWidget::DayTimelineWidget(AppState* appState, QWidget* parent)
    : QWidget(parent), m_appState(appState)
{
    setMinimumWidth(320);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void DayTimelineWidget::setEvents(const QList<Event>& events,
                                  const QHash<QString, QString>& calendarColors,
                                  const QSet<FilterEngine::OccurrenceKey>& dimmed,
                                  const QSet<QString>& twoWayCalendarIds)
{
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmed = dimmed;
    m_twoWayCalendarIds = twoWayCalendarIds;
    m_multiDayIds.clear();
    for (const Event& event : m_events) {
        if (TimelineGeometry::isMultiDay(event))
            m_multiDayIds.insert(event.id);
    }
    update();
}

void DayTimelineWidget::setDate(const QDate& date)
{
    m_date = date;
    update();
}

void DayTimelineWidget::setWorkdayHours(int start, int end)
{
    if (start == m_workdayStart && end == m_workdayEnd)
        return;
    m_workdayStart = start;
    m_workdayEnd = end;
    update();
}

void DayTimelineWidget::setHourHeight(int pixels)
{
    if (pixels == m_hourHeight)
        return;
    m_hourHeight = pixels;
    updateGeometry();
    update();
}

void DayTimelineWidget::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    update();
}

void DayTimelineWidget::setSelectedEventId(const QString& eventId)
{
    if (eventId == m_selectedEventId)
        return;
    m_selectedEventId = eventId;
    update();
}

int DayTimelineWidget::rowHeight() const
{
    return TimelineGeometry::rowHeight(m_hourHeight, height());
}

int DayTimelineWidget::yForTime(const QTime& time) const
{
    return TimelineGeometry::yForTime(time, rowHeight());
}

int DayTimelineWidget::yForDateTime(const QDateTime& time) const
{
    return TimelineGeometry::yForDateTime(time, m_date, rowHeight());
}

QSize DayTimelineWidget::sizeHint() const
{
    return QSize(800, 24 * m_hourHeight);
}

void DayTimelineWidget::paintEvent(QPaintEvent*)
{
    using namespace TimelineGeometry;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int row = rowHeight();
    const int w = width();

    painter.fillRect(rect(), palette().base());

    if (m_workdayStart > 0 || m_workdayEnd < 24) {
        const QColor shade = withAlpha(palette().color(QPalette::WindowText), 18);
        if (m_workdayStart > 0)
            painter.fillRect(QRect(gutterWidth, 0, w - gutterWidth, row * m_workdayStart), shade);
        if (m_workdayEnd < 24)
            painter.fillRect(QRect(gutterWidth, row * m_workdayEnd, w - gutterWidth,
                                   height() - row * m_workdayEnd),
                             shade);
    }

    painter.setPen(palette().color(QPalette::Mid));
    for (int i = 0; i <= 24; ++i)
        painter.drawLine(gutterWidth, row * i, w, row * i);

    painter.setFont(smallerFont(font()));
    painter.setPen(palette().color(QPalette::WindowText));
    const QLocale english(QLocale::English);
    for (int h = 1; h < 24; ++h)
        painter.drawText(QRect(0, row * h - 8, labelWidth, 16), Qt::AlignRight | Qt::AlignVCenter,
                         english.toString(QTime(h, 0), QStringLiteral("h AP")));

    const QDateTime now = Clock::nowLocal();
    if (m_date.isValid() && m_date == now.date()) {
        const int y = yForTime(now.time());
        painter.setPen(QPen(Theme::danger(), 2));
        painter.drawLine(gutterWidth, y, w, y);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::danger());
        painter.drawEllipse(QPoint(gutterWidth, y), 5, 5);
    }

    paintEvents(painter);
    paintGhost(painter);
}

void DayTimelineWidget::paintEvents(QPainter& painter)
{
    using namespace TimelineGeometry;
    m_hitRegions.clear();
    if (!m_date.isValid())
        return;
    const int inset = m_compact ? 1 : 4;
    const QFont titleFont = boldFont(font());
    const QFont smallFont = smallerFont(font());
    const QFontMetrics titleMetrics(titleFont);
    const QFontMetrics smallMetrics(smallFont);
    const int minimumHeight = titleMetrics.height() + 2 * inset;
    const QList<PlacedOccurrence> placed =
        layoutDay(m_events, m_date, minimumBlockMsecs(minimumHeight, rowHeight()));
    if (placed.isEmpty())
        return;

    QFont glyphFont(Theme::iconFontFamily());
    glyphFont.setPixelSize(13);
    const QFontMetrics glyphMetrics(glyphFont);
    const int visibleTop = std::max(-y(), 0);
    const int areaWidth = eventAreaWidth(width());
    const QString pattern = TimeFormat::timePattern(m_appState);
    const QTimeZone local = QTimeZone::systemTimeZone();
    const QLocale english(QLocale::English);
    const QColor windowText = palette().color(QPalette::WindowText);

    for (const PlacedOccurrence& item : placed) {
        const Event& event = m_events[item.index];
        const int top = yForDateTime(item.start);
        const int bottom = item.end ? yForDateTime(*item.end) : top;
        const QRect block =
            blockRect(columnSpan(eventAreaLeft, areaWidth, item.column, item.columnCount), top,
                      bottom, minimumHeight);
        m_hitRegions.append({event.id, block, item.start, event.startTime});

        const QColor colour = ViewData::itemColor(event, m_calendarColors);
        const bool dimmed = m_dimmed.contains(FilterEngine::OccurrenceKey::of(event));
        m_blockPainter.fill(painter, block, 4, withAlpha(colour, dimmed ? 28 : 96));
        m_blockPainter.fill(painter, QRect(block.left(), block.top(), 4, block.height()), 4,
                            dimmed ? withAlpha(colour, 80) : colour);
        if (event.id == m_selectedEventId) {
            painter.setPen(QPen(colour, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(block.adjusted(1, 1, -1, -1), 4, 4);
        }

        const bool timeShown =
            block.height() >= titleMetrics.height() + smallMetrics.height() + 2 * inset + 1;
        const int textHeight =
            titleMetrics.height() + (timeShown ? smallMetrics.height() : 0) + 2 * inset;
        const int shift = textTop(block, visibleTop, textHeight) - block.top();
        const QRect text(block.left() + 12, block.top() + shift + inset, block.width() - 20,
                         block.height() - shift - 2 * inset);
        const QColor textColour = dimmed ? withAlpha(windowText, 140) : windowText;

        int glyphWidth = 0;
        int glyphRight = block.right() - 4;
        const int baseline = text.top() + glyphMetrics.ascent();
        painter.setFont(glyphFont);
        painter.setPen(withAlpha(textColour, 170));
        const auto drawGlyph = [&](QChar glyph) {
            const int advance = glyphMetrics.horizontalAdvance(glyph);
            painter.drawText(QPoint(glyphRight - advance, baseline), QString(glyph));
            glyphRight -= advance + 4;
            glyphWidth += advance + 4;
        };
        if (!event.reminders.isEmpty())
            drawGlyph(Glyphs::bell);
        if (event.syncStatus == QLatin1String("pending") &&
            m_twoWayCalendarIds.contains(event.calendarId))
            drawGlyph(Glyphs::cloudUpload);

        painter.save();
        painter.setClipRect(block);
        painter.setFont(titleFont);
        painter.setPen(textColour);
        const int titleWidth = text.width() - glyphWidth;
        painter.drawText(
            QRect(text.left(), text.top(), titleWidth, titleMetrics.height()),
            Qt::AlignLeft | Qt::AlignVCenter,
            titleMetrics.elidedText(ViewData::shownTitle(event), Qt::ElideRight, titleWidth));
        if (timeShown) {
            const QDateTime start = event.startTime.toTimeZone(local);
            QString line;
            if (event.endTime) {
                const QDateTime end = event.endTime->toTimeZone(local);
                if (end.date() > start.date())
                    line = english.toString(start, QStringLiteral("ddd ")) +
                           TimeFormat::format(start, pattern) + QStringLiteral(" – ") +
                           english.toString(end, QStringLiteral("ddd ")) +
                           TimeFormat::format(end, pattern);
                else
                    line = TimeFormat::format(start, pattern) + QStringLiteral(" – ") +
                           TimeFormat::format(end, pattern);
            } else {
                line = TimeFormat::format(start, pattern);
            }
            painter.setFont(smallFont);
            painter.drawText(QRect(text.left(), text.top() + titleMetrics.height(), text.width(),
                                   smallMetrics.height()),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             smallMetrics.elidedText(line, Qt::ElideRight, text.width()));
        }
        painter.restore();
    }
}

void DayTimelineWidget::paintGhost(QPainter& painter)
{
    const bool resizing = m_dragState == Resizing;
    if ((m_dragState != Moving && !resizing) || m_dragEventId.isEmpty() || m_dragMinutes == 0)
        return;
    const int row = rowHeight();
    const QRect ghost = TimelineDrag::ghostRect(m_dragRect, resizing, m_dragMinutes, row);
    QPen pen(Theme::accent(), 1.6);
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(withAlpha(Theme::accent(), 40));
    painter.drawRoundedRect(ghost, 4, 4);

    QString label;
    if (resizing) {
        label = QStringLiteral("%1 min").arg(TimelineDrag::resizeLabelMinutes(ghost, row));
    } else {
        const int minutes = TimelineDrag::moveLabelMinutes(ghost, row);
        label = TimeFormat::format(
            QDateTime(QDate(2000, 1, 1), QTime(minutes / 60, minutes % 60), QTimeZone::utc()),
            TimeFormat::timePattern(m_appState));
    }
    painter.setFont(smallerFont(boldFont(font()), 8));
    painter.setPen(Theme::textPrimary());
    painter.drawText(QRect(ghost.x() + 4, ghost.y() - 18, ghost.width() - 8, 16),
                     Qt::AlignLeft | Qt::AlignVCenter, label);
}

const DayTimelineWidget::HitRegion* DayTimelineWidget::firstRegionAt(const QPoint& point) const
{
    for (const HitRegion& region : m_hitRegions) {
        if (region.rect.contains(point))
            return &region;
    }
    return nullptr;
}

const DayTimelineWidget::HitRegion* DayTimelineWidget::lastRegionAt(const QPoint& point) const
{
    for (auto it = m_hitRegions.crbegin(); it != m_hitRegions.crend(); ++it) {
        if (it->rect.contains(point))
            return &*it;
    }
    return nullptr;
}

void DayTimelineWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    TimelineRepaint::afterScroll(this, event);
}

void DayTimelineWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint position = event->position().toPoint();
    const HitRegion* region = firstRegionAt(position);
    if (!region || m_multiDayIds.contains(region->eventId)) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The pressed occurrence itself, not the first one that shares its series' id.
    m_dragEventId = region->eventId;
    m_dragOccurrenceStart = region->instanceStart;
    m_pressPosition = position;
    m_dragRect = region->rect;
    m_dragMinutes = 0;
    m_dragState = TimelineDrag::inResizeZone(region->rect, position.y()) ? Resizing : Pressed;
    event->accept();
}

void DayTimelineWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if (m_dragState != Idle) {
        const int dy = position.y() - m_pressPosition.y();
        if (m_dragState == Pressed && std::abs(dy) >= TimelineDrag::moveThreshold) {
            m_dragState = Moving;
            setCursor(Qt::ClosedHandCursor);
        }
        if (m_dragState == Moving || m_dragState == Resizing) {
            m_dragMinutes = TimelineDrag::snappedMinutes(dy, rowHeight());
            update();
            event->accept();
            return;
        }
        QWidget::mouseMoveEvent(event);
        return;
    }
    const HitRegion* region = firstRegionAt(position);
    if (!region || m_multiDayIds.contains(region->eventId))
        setCursor(Qt::ArrowCursor);
    else if (TimelineDrag::inResizeZone(region->rect, position.y()))
        setCursor(Qt::SizeVerCursor);
    else
        setCursor(Qt::PointingHandCursor);
    QWidget::mouseMoveEvent(event);
}

void DayTimelineWidget::resetDrag()
{
    m_dragState = Idle;
    m_dragEventId.clear();
    m_dragOccurrenceStart = QDateTime();
    m_dragMinutes = 0;
}

void DayTimelineWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const DragState state = m_dragState;
    const QString eventId = m_dragEventId;
    const QDateTime occurrenceStart = m_dragOccurrenceStart;
    const int minutes = m_dragMinutes;
    resetDrag();
    setCursor(Qt::ArrowCursor);
    update();

    if (state == Moving && minutes != 0) {
        Q_EMIT eventMoveRequested(eventId, occurrenceStart, minutes);
        event->accept();
        return;
    }
    if (state == Resizing && minutes != 0) {
        Q_EMIT eventResizeRequested(eventId, occurrenceStart, minutes);
        event->accept();
        return;
    }

    const QPoint position = event->position().toPoint();
    const HitRegion* region = lastRegionAt(position);
    if (!region) {
        Q_EMIT eventSelected(QString(), QDateTime(), QRect());
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QRect screenRect(mapToGlobal(region->rect.topLeft()), region->rect.size());
    Q_EMIT eventSelected(region->eventId, region->instanceStart, screenRect);
    event->accept();
}

void DayTimelineWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    const QPoint position = event->position().toPoint();
    if (const HitRegion* region = lastRegionAt(position)) {
        Q_EMIT eventActivated(region->eventId, region->instanceStart);
        return;
    }
    if (position.x() >= TimelineGeometry::gutterWidth) {
        Q_EMIT emptySlotActivated(TimelineGeometry::slotAt(position.y(), rowHeight()));
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void DayTimelineWidget::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        Q_EMIT zoomRequested(notches);
    event->accept();
}

void DayTimelineWidget::walk(bool forward)
{
    QList<Event> candidates;
    for (const Event& event : m_events) {
        if (!event.isAllDay)
            candidates.append(event);
    }
    EventSort::sortByStart(candidates);
    const auto found =
        std::find_if(candidates.cbegin(), candidates.cend(),
                     [this](const Event& event) { return event.id == m_selectedEventId; });
    qsizetype index;
    if (found == candidates.cend()) {
        index = forward ? 0 : candidates.size() - 1;
    } else {
        const qsizetype current = found - candidates.cbegin();
        index = (current + (forward ? 1 : candidates.size() - 1)) % candidates.size();
    }
    Q_EMIT eventFocused(candidates[index].id);
}

void DayTimelineWidget::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool previous =
        key == Qt::Key_Up || key == Qt::Key_Backtab || (key == Qt::Key_Tab && shift);
    const bool next = key == Qt::Key_Down || (key == Qt::Key_Tab && !shift);
    if (previous || next) {
        const bool anyTimed = std::any_of(m_events.cbegin(), m_events.cend(),
                                          [](const Event& e) { return !e.isAllDay; });
        if (!anyTimed) {
            QWidget::keyPressEvent(event);
            return;
        }
        walk(next);
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_selectedEventId.isEmpty()) {
        const auto region =
            std::find_if(m_hitRegions.cbegin(), m_hitRegions.cend(),
                         [this](const HitRegion& r) { return r.eventId == m_selectedEventId; });
        if (region == m_hitRegions.cend())
            Q_EMIT eventSelected(m_selectedEventId, QDateTime(), QRect());
        else
            Q_EMIT eventSelected(m_selectedEventId, region->instanceStart,
                                 QRect(mapToGlobal(region->rect.topLeft()), region->rect.size()));
        event->accept();
        return;
    }
    if (key == Qt::Key_Delete && !m_selectedEventId.isEmpty()) {
        const auto region =
            std::find_if(m_hitRegions.cbegin(), m_hitRegions.cend(),
                         [this](const HitRegion& r) { return r.eventId == m_selectedEventId; });
        Q_EMIT eventDeleteRequested(
            m_selectedEventId, region == m_hitRegions.cend() ? QDateTime() : region->instanceStart);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DayTimelineWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (const HitRegion* region = lastRegionAt(event->pos())) {
        Q_EMIT eventContextRequested(region->eventId, event->globalPos(), region->instanceStart);
        event->accept();
        return;
    }
    QWidget::contextMenuEvent(event);
}

bool DayTimelineWidget::focusNextPrevChild(bool)
{
    return false;
}

#include "TimelineWidget.h"

#include "DateLanguage.h"
#include "EventListCard.h"
#include "PopoverPlacement.h"
#include "TimelineBlockText.h"
#include "TimelineGeometry.h"
#include "TimelineRepaint.h"
#include "TimelineWalk.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QTimeZone>
#include <QWheelEvent>

#include <algorithm>

TimelineWidget::TimelineWidget(TimelineDragSession::Axes axes, QWidget* parent)
    : QWidget(parent), m_drag(axes)
{
}

void TimelineWidget::setShownEvents(const QList<Event>& events,
                                    const QHash<QString, QString>& calendarColors,
                                    const QSet<FilterEngine::OccurrenceKey>& dimmed,
                                    const QSet<QString>& twoWayCalendarIds)
{
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmed = dimmed;
    m_twoWayCalendarIds = twoWayCalendarIds;
    m_hits.setEvents(m_events);
}

void TimelineWidget::setHourHeight(int pixels)
{
    if (pixels == m_hourHeight)
        return;
    m_hourHeight = pixels;
    updateGeometry();
    update();
}

void TimelineWidget::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    update();
}

int TimelineWidget::rowHeight() const
{
    return TimelineGeometry::rowHeight(m_hourHeight, height());
}

int TimelineWidget::columnWidth() const
{
    return std::max(width() - TimelineGeometry::gutterWidth, 0) / m_columnCount;
}

int TimelineWidget::columnAt(int x) const
{
    return std::clamp((x - TimelineGeometry::gutterWidth) / std::max(columnWidth(), 1), 0,
                      m_columnCount - 1);
}

QFont TimelineWidget::markFont() const
{
    QFont font = this->font();
    font.setPointSizeF(std::max(font.pointSizeF() - 1, 8.0));
    font.setWeight(QFont::DemiBold);
    return font;
}

void TimelineWidget::placeMarks(const QList<TimelineGeometry::PlacedOccurrence>& placed,
                                const QDate& day, int areaLeft, int areaWidth, int rowHeight)
{
    const QFontMetrics metrics(markFont());
    // Shorter than any block, so that a block under a mark keeps a part a pointer finds.
    const int height = metrics.height() + 2;
    const qint64 markMsecs = TimelineGeometry::minimumBlockMsecs(height, rowHeight);
    areaWidth = std::max(areaWidth, 0);
    for (TimelineGeometry::HiddenGroup& group :
         TimelineGeometry::hiddenGroups(placed, areaWidth, markMsecs)) {
        const QString text = tr("+%1").arg(group.indices.size());
        const int width = std::min(metrics.horizontalAdvance(text) + 12, areaWidth);
        const int top = std::clamp(TimelineGeometry::yForDateTime(group.start, day, rowHeight), 0,
                                   std::max(24 * rowHeight - height, 0));
        m_hits.appendMark({QRect(areaLeft + areaWidth - width, top, width, height), day,
                           group.start, group.end, std::move(group.indices)});
    }
}

void TimelineWidget::paintMarks(QPainter& painter, const QRect& exposed) const
{
    const QList<HiddenMark>& marks = m_hits.marks();
    if (marks.isEmpty())
        return;
    const QPalette& pal = palette();
    const HiddenMark* selected =
        m_hits.findHidden(m_events, m_selectedEventId, selectedOccurrence()).mark;
    QColor fill = pal.color(QPalette::Mid);
    fill.setAlpha(80);
    painter.save();
    painter.setFont(markFont());
    for (const HiddenMark& mark : marks) {
        if (!mark.rect.intersects(exposed))
            continue;
        // Opaque under the chip's tint: it lies over blocks, whose colours would show through.
        const QRectF chip = QRectF(mark.rect).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.color(QPalette::Base));
        painter.drawRoundedRect(chip, 4, 4);
        painter.setBrush(fill);
        if (&mark == selected)
            painter.setPen(QPen(pal.color(QPalette::Highlight), 2));
        else
            painter.setPen(QPen(pal.color(QPalette::Mid), 1));
        painter.drawRoundedRect(chip, 4, 4);
        painter.setPen(pal.color(QPalette::WindowText));
        painter.drawText(mark.rect, Qt::AlignCenter, tr("+%1").arg(mark.eventIndices.size()));
    }
    painter.restore();
}

void TimelineWidget::openMarkList(const HiddenMark& mark)
{
    QList<Event> hidden;
    hidden.reserve(mark.eventIndices.size());
    for (const qsizetype index : mark.eventIndices)
        hidden.append(m_events.at(index));
    Event span;
    span.startTime = mark.start;
    span.endTime = mark.end;
    const QString pattern = timePattern();
    const QString heading =
        DateLanguage::format(mark.day, QStringLiteral("ddd, MMM d")) + QStringLiteral(" · ") +
        TimelineBlockText::timeRange(span, pattern, QTimeZone::systemTimeZone());
    auto* card = new EventListCard(heading, tr("%n more events", nullptr, int(hidden.size())),
                                   hidden, m_calendarColors, pattern, this);
    const QRect anchor = TimelineHitRegions::onScreen(this, mark.rect);
    // The list stays as it opened while a sync may delete its events: a row's event is read
    // again when the row is chosen or its menu asked for.
    const auto stillListed = [this, hidden](const QString& eventId, const QDateTime& start) {
        const auto listed = std::ranges::find_if(hidden, [&](const Event& event) {
            return event.id == eventId && event.startTime == start;
        });
        return listed == hidden.end() || stillStored(*listed);
    };
    // The card of a chosen event opens beside the mark, where its block would be.
    connect(card, &EventListCard::eventChosen, this,
            [this, anchor, stillListed](const QString& eventId, const QDateTime& start) {
                if (!stillListed(eventId, start))
                    return;
                selectOccurrence(eventId, start);
                Q_EMIT eventSelected(eventId, start, anchor);
            });
    connect(card, &EventListCard::eventContextRequested, this,
            [this, stillListed](const QString& eventId, const QPoint& globalPos,
                                const QDateTime& start) {
                if (!stillListed(eventId, start))
                    return;
                selectOccurrence(eventId, start);
                Q_EMIT eventContextRequested(eventId, globalPos, start);
            });
    showPopoverAnchored(card, anchor);
}

void TimelineWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    TimelineRepaint::afterScroll(this, event);
}

void TimelineWidget::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const HitRegion* hit = event->button() == Qt::LeftButton ? m_hits.draggableAt(point) : nullptr;
    if (!hit) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The pressed block's own occurrence, not the first one sharing its series' id.
    m_drag.press(hit->eventId, hit->instanceStart, hit->rect, point,
                 columnAt(hit->rect.center().x()));
    event->accept();
}

void TimelineWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const bool pressed = m_drag.state() == TimelineDragSession::State::Pressed;
    if (m_drag.follow(point, rowHeight(), columnWidth(), m_columnCount)) {
        if (pressed)
            setCursor(Qt::ClosedHandCursor);
        update();
        event->accept();
        return;
    }
    if (!pressed)
        setCursor(m_hits.cursorAt(point));
    QWidget::mouseMoveEvent(event);
}

void TimelineWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const TimelineDragSession::Outcome outcome = m_drag.release();
    setCursor(Qt::ArrowCursor);
    update();

    using Kind = TimelineDragSession::Outcome::Kind;
    if (outcome.kind == Kind::Move) {
        requestMove(outcome.eventId, outcome.instanceStart, outcome.dayShift, outcome.minutes);
        event->accept();
        return;
    }
    if (outcome.kind == Kind::Resize) {
        Q_EMIT eventResizeRequested(outcome.eventId, outcome.instanceStart, outcome.minutes);
        event->accept();
        return;
    }

    const QPoint point = event->position().toPoint();
    if (const HiddenMark* mark = m_hits.markAt(point)) {
        openMarkList(HiddenMark(*mark));
        event->accept();
        return;
    }
    const HitRegion* hit = m_hits.lastAt(point);
    if (!hit || hit->eventId.isEmpty()) {
        Q_EMIT eventSelected(QString(), QDateTime(), QRect());
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const HitRegion& shown = clickedRegion(*hit, point);
    selectOccurrence(shown.eventId, shown.instanceStart);
    Q_EMIT eventSelected(shown.eventId, shown.instanceStart,
                         TimelineHitRegions::onScreen(this, shown));
    event->accept();
}

void TimelineWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    // The click before it opened the mark's list; the block under the mark is not meant.
    if (event->button() == Qt::LeftButton && m_hits.markAt(point)) {
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        if (const HitRegion* hit = m_hits.lastAt(point)) {
            selectOccurrence(hit->eventId, hit->instanceStart);
            Q_EMIT eventActivated(hit->eventId, hit->instanceStart);
            event->accept();
            return;
        }
        if (point.x() >= TimelineGeometry::gutterWidth &&
            activateSlot(columnAt(point.x()), TimelineGeometry::slotAt(point.y(), rowHeight()))) {
            event->accept();
            return;
        }
    }
    QWidget::mouseDoubleClickEvent(event);
}

void TimelineWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_hits.markAt(event->pos())) {
        event->accept();
        return;
    }
    if (const HitRegion* hit = m_hits.lastAt(event->pos())) {
        selectOccurrence(hit->eventId, hit->instanceStart);
        Q_EMIT eventContextRequested(hit->eventId, event->globalPos(), hit->instanceStart);
        event->accept();
        return;
    }
    QWidget::contextMenuEvent(event);
}

void TimelineWidget::wheelEvent(QWheelEvent* event)
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

void TimelineWidget::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const TimelineWalk::Step step = TimelineWalk::stepFor(key, event->modifiers());
    if (step != TimelineWalk::Step::None) {
        const std::optional<TimelineWalk::Target> target = TimelineWalk::step(
            m_events, m_selectedEventId, selectedOccurrence(), step == TimelineWalk::Step::Forward);
        if (!target) {
            QWidget::keyPressEvent(event);
            return;
        }
        selectOccurrence(target->eventId, target->start);
        Q_EMIT eventFocused(target->eventId);
        event->accept();
        return;
    }
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((enter || key == Qt::Key_Delete) && !m_selectedEventId.isEmpty()) {
        const std::optional<QDateTime> occurrence = selectedOccurrence();
        const HitRegion* region = occurrence ? m_hits.find(m_selectedEventId, *occurrence)
                                             : m_hits.find(m_selectedEventId);
        // The walk also reaches occurrences left out of the blocks: their mark stands for them.
        const TimelineHitRegions::Hidden hidden =
            region ? TimelineHitRegions::Hidden()
                   : m_hits.findHidden(m_events, m_selectedEventId, occurrence);
        QDateTime regionStart;
        QRect anchor;
        if (region) {
            regionStart = region->instanceStart;
            anchor = TimelineHitRegions::onScreen(this, *region);
        } else if (hidden.mark) {
            regionStart = m_events.at(hidden.eventIndex).startTime;
            anchor = TimelineHitRegions::onScreen(this, hidden.mark->rect);
        }
        if (enter)
            Q_EMIT eventSelected(m_selectedEventId, regionStart, anchor);
        else
            Q_EMIT eventDeleteRequested(m_selectedEventId, occurrence.value_or(regionStart));
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TimelineWidget::focusNextPrevChild(bool)
{
    return false;
}

#include "WeekGridWidget.h"

#include "Clock.h"
#include "DateLanguage.h"
#include "EventHitTest.h"
#include "Theme.h"
#include "ViewData.h"
#include "ViewDays.h"
#include "ViewGrid.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimeZone>

namespace {

constexpr int dayCount = 8;

} // namespace

WeekGridWidget::WeekGridWidget(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(false);
    setMinimumSize(220, 240);
}

QSize WeekGridWidget::sizeHint() const
{
    return QSize(880, 480);
}

void WeekGridWidget::setData(const QDate& firstDate, const QList<Event>& events,
                             const QHash<QString, QString>& calendarColors,
                             const QSet<FilterEngine::OccurrenceKey>& dimmed,
                             const QHash<QDate, QString>& weatherLabels)
{
    m_firstDate = firstDate;
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmed = dimmed;
    m_weatherLabels = weatherLabels;
    m_days = ViewDays::eventsByDay(events, firstDate, dayCount, QTimeZone::systemTimeZone());
    update();
}

void WeekGridWidget::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    update();
}

QString WeekGridWidget::lineLabel(const Event& event)
{
    if (event.isAllDay)
        return QStringLiteral("\u2022 ") + ViewData::shownTitle(event);
    const QTime time = event.startTime.toLocalTime().time();
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2%3  %4")
        .arg(hour12)
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QLatin1Char('a') : QLatin1Char('p'))
        .arg(ViewData::shownTitle(event));
}

void WeekGridWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Theme::canvas());

    QFont headerFont = font();
    headerFont.setWeight(QFont::Bold);
    headerFont.setCapitalization(QFont::AllUppercase);
    headerFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    QFont bodyFont = font();
    if (bodyFont.pointSizeF() < 9)
        bodyFont.setPointSizeF(9);
    const QFontMetrics bodyMetrics(bodyFont);
    const int lineHeight = ViewGrid::weekGridLineHeight(m_compact);
    const int gap = ViewGrid::weekGridLineGap(m_compact);
    const QDate today = Clock::today();

    QList<HitRegion> hits;
    QList<DayCell> cells;
    for (int i = 0; i < dayCount && m_firstDate.isValid(); ++i) {
        const QDate date = m_firstDate.addDays(i);
        const bool isToday = date == today;
        const QRect card = ViewGrid::weekGridCard(i, size());
        cells.append({date, card});
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::surface());
        painter.drawRoundedRect(card, 10, 10);
        if (isToday) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(Theme::accent(), 1.6));
            painter.drawRoundedRect(card.adjusted(0, 0, -1, -1), 10, 10);
        }

        const QRect headerRect(card.x() + 10, card.y() + 10, card.width() - 20, 22);
        painter.setFont(headerFont);
        painter.setPen(isToday ? Theme::accent() : Theme::textMuted());
        painter.drawText(headerRect, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1 \u00b7 %2 %3")
                             .arg(DateLanguage::format(date, QStringLiteral("ddd")),
                                  DateLanguage::format(date, QStringLiteral("MMM")))
                             .arg(date.day()));
        const QString weather = m_weatherLabels.value(date);
        if (!weather.isEmpty()) {
            painter.setPen(Theme::textPrimary());
            painter.drawText(headerRect, Qt::AlignRight | Qt::AlignVCenter, weather);
        }

        painter.setFont(bodyFont);
        const int x = card.x() + 10;
        const int w = card.width() - 20;
        int y = card.y() + 37;
        const QList<Event>& events = m_days.value(i);
        const int count = int(events.size());
        const int capacity = ViewGrid::weekGridCapacity(card.height(), m_compact);
        const int shown = ViewGrid::shownLines(count, capacity);
        for (int n = 0; n < shown; ++n) {
            const Event& event = events[n];
            const bool dimmed = m_dimmed.contains(FilterEngine::OccurrenceKey::of(event));
            QColor fill = ViewData::itemColor(event, m_calendarColors);
            const double luminance =
                0.299 * fill.redF() + 0.587 * fill.greenF() + 0.114 * fill.blueF();
            QColor text = luminance > 0.55 ? QColor(0, 0, 0, 220) : QColor(255, 255, 255, 240);
            if (dimmed) {
                fill.setAlphaF(0.45f);
                text.setAlpha(text.alpha() / 2);
            }
            // A timed event seen on a day it continues into reads like an all-day line: its start
            // time belongs to another card.
            const bool continued =
                !event.isAllDay && ViewDays::startDay(event, QTimeZone::systemTimeZone()) != date;
            const QString label = continued
                                      ? QStringLiteral("\u2022 ") + ViewData::shownTitle(event)
                                      : lineLabel(event);
            const QRect line(x, y, w, lineHeight);
            painter.setPen(Qt::NoPen);
            painter.setBrush(fill);
            painter.drawRoundedRect(line, 8, 8);
            painter.setPen(text);
            painter.drawText(line.adjusted(8, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter,
                             bodyMetrics.elidedText(label, Qt::ElideRight, w - 12));
            hits.append({event.id, line, event.startTime});
            y += lineHeight + gap;
        }
        if (count > capacity) {
            painter.setPen(Theme::textMuted());
            painter.drawText(QRect(x, y, w, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             tr("+%n more", nullptr, count - shown));
        }
    }
    m_hitRegions = hits;
    m_dayCells = cells;
}

void WeekGridWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (const HitRegion* hit = EventHitTest::topmost(m_hitRegions, point)) {
        for (const HitRegion& region : std::as_const(m_hitRegions)) {
            if (region.eventId == hit->eventId && region.rect.contains(point)) {
                Q_EMIT eventSelected(region.eventId, region.occurrenceStart,
                                     QRect(mapToGlobal(region.rect.topLeft()), region.rect.size()));
                break;
            }
        }
        event->accept();
        return;
    }
    for (const DayCell& cell : std::as_const(m_dayCells)) {
        if (cell.rect.contains(point)) {
            Q_EMIT dayActivated(cell.date);
            event->accept();
            return;
        }
    }
    Q_EMIT eventSelected(QString(), QDateTime(), QRect());
    QWidget::mouseReleaseEvent(event);
}

void WeekGridWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!EventHitTest::doubleClick(m_hitRegions, event,
                                   [this](const QString& id, const QDateTime& start) {
                                       Q_EMIT eventActivated(id, start);
                                   }))
        QWidget::mouseDoubleClickEvent(event);
}

void WeekGridWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (!EventHitTest::contextMenu(
            m_hitRegions, event,
            [this](const QString& id, const QPoint& globalPos, const QDateTime& start) {
                Q_EMIT eventContextRequested(id, globalPos, start);
            }))
        QWidget::contextMenuEvent(event);
}

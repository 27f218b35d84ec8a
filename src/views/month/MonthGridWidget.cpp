#include "MonthGridWidget.h"

#include "Clock.h"
#include "DateLanguage.h"
#include "EventHitTest.h"
#include "TimeFormatState.h"
#include "ViewData.h"
#include "ViewDays.h"
#include "ViewGrid.h"
#include "ViewPeriod.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimeZone>

#include <algorithm>

MonthGridWidget::MonthGridWidget(AppState* appState, QWidget* parent)
    : QWidget(parent), m_appState(appState)
{
    setMinimumSize(420, 320);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize MonthGridWidget::sizeHint() const
{
    return QSize(1000, 720);
}

void MonthGridWidget::setData(const QDate& date, const QList<Event>& events,
                              const QHash<QString, QString>& calendarColors,
                              const QSet<FilterEngine::OccurrenceKey>& dimmed,
                              const QHash<QDate, QString>& weatherLabels)
{
    m_date = date;
    m_events = events;
    m_calendarColors = calendarColors;
    m_dimmed = dimmed;
    m_weatherLabels = weatherLabels;
    rebuildDays();
    update();
}

void MonthGridWidget::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    update();
}

void MonthGridWidget::setFirstDayOfWeek(int day)
{
    if (day == m_firstDayOfWeek)
        return;
    m_firstDayOfWeek = day;
    rebuildDays();
    update();
}

QDate MonthGridWidget::gridStart() const
{
    return ViewPeriod::monthGridStart(m_date, m_firstDayOfWeek);
}

void MonthGridWidget::rebuildDays()
{
    m_days = ViewDays::eventsByDay(m_events, gridStart(), 42, QTimeZone::systemTimeZone());
}

void MonthGridWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const QColor lineColor = palette().color(QPalette::Mid);
    const QColor textColor = palette().color(QPalette::WindowText);
    const QColor todayColor = palette().color(QPalette::Highlight);

    const int header = ViewGrid::monthHeaderHeight;
    const int colWidth = width() / 7;
    const int rowHeight = (height() - header) / 6;
    const QDate start = gridStart();
    QFont bold = font();
    bold.setWeight(QFont::Bold);

    painter.setPen(textColor);
    painter.setFont(bold);
    for (int i = 0; i < 7 && start.isValid(); ++i)
        painter.drawText(QRect(colWidth * i, 0, colWidth, header), Qt::AlignCenter,
                         DateLanguage::format(start.addDays(i), QStringLiteral("ddd")));

    painter.setPen(lineColor);
    for (int k = 0; k <= 6; ++k)
        painter.drawLine(0, header + k * rowHeight, width(), header + k * rowHeight);
    for (int k = 0; k <= 7; ++k)
        painter.drawLine(k * colWidth, header, k * colWidth, header + 6 * rowHeight);

    QList<HitArea> hits;
    if (!start.isValid()) {
        m_hitAreas = hits;
        return;
    }
    QFont small = font();
    small.setPointSizeF(std::max(small.pointSizeF() - 1, 1.0));
    const QFont normal = font();
    QFont weatherFont = font();
    weatherFont.setPointSizeF(std::max(weatherFont.pointSizeF() - 2.0, 7.0));
    const QFontMetrics normalMetrics(normal);
    const QFontMetrics smallMetrics(small);
    const int chipHeight = ViewGrid::monthChipHeight(m_compact);
    const int pitch = ViewGrid::monthChipPitch(m_compact);
    const QDate today = Clock::today();
    const QString pattern = TimeFormat::timePattern(m_appState);
    const QTimeZone local = QTimeZone::systemTimeZone();

    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 7; ++c) {
            const int index = 7 * r + c;
            const QDate day = start.addDays(index);
            const QRect cell(c * colWidth, header + r * rowHeight, colWidth, rowHeight);
            const bool inMonth = day.month() == m_date.month();
            if (day == today) {
                QColor tint = todayColor;
                tint.setAlpha(28);
                painter.fillRect(cell.adjusted(1, 1, -1, -1), tint);
            }
            QColor numberColor = textColor;
            if (!inMonth)
                numberColor.setAlpha(110);
            painter.setPen(numberColor);
            painter.setFont(day == today ? bold : normal);
            const QString number = QString::number(day.day());
            const int w = normalMetrics.horizontalAdvance(number);
            painter.drawText(QRect(cell.right() - 4 - w, cell.top() + 4, w, 18),
                             Qt::AlignRight | Qt::AlignTop, number);

            const QString weather = m_weatherLabels.value(day);
            if (!weather.isEmpty() && inMonth) {
                QColor weatherColor = textColor;
                weatherColor.setAlpha(200);
                painter.setPen(weatherColor);
                painter.setFont(weatherFont);
                painter.drawText(QRect(cell.left() + 4, cell.top() + 4,
                                       std::max(cell.right() - 10 - w - (cell.left() + 4), 0), 18),
                                 Qt::AlignLeft | Qt::AlignTop, weather);
            }

            const QList<Event>& events = m_days.value(index);
            const int top = cell.top() + 24;
            const int fit = ViewGrid::monthChipFit(cell.height(), m_compact);
            const int count = int(events.size());
            const int shown = ViewGrid::shownLines(count, fit);
            painter.setFont(small);
            for (int i = 0; i < shown; ++i) {
                const Event& event = events[i];
                const QRect chip(cell.left() + 4, top + pitch * i, cell.width() - 8, chipHeight);
                hits.append({event.id, chip, event.startTime});
                const bool dimmed = m_dimmed.contains(FilterEngine::OccurrenceKey::of(event));
                QColor color = ViewData::itemColor(event, m_calendarColors);
                if (dimmed)
                    color.setAlpha(110);
                painter.setPen(Qt::NoPen);
                painter.setBrush(color);
                painter.drawEllipse(QPointF(chip.left() + 5, chip.top() + chip.height() / 2), 4, 4);
                painter.setBrush(Qt::NoBrush);
                QString label = ViewData::shownTitle(event);
                // On the days a timed event continues into, its start time would read as that
                // day's.
                if (!event.isAllDay) {
                    const QDateTime localStart = event.startTime.toTimeZone(local);
                    if (localStart.date() == day)
                        label = TimeFormat::format(localStart, pattern) + QLatin1Char(' ') + label;
                }
                QColor labelColor = textColor;
                if (dimmed)
                    labelColor.setAlpha(120);
                else if (!inMonth)
                    labelColor.setAlpha(140);
                painter.setPen(labelColor);
                const int labelWidth = chip.right() - (chip.left() + 14);
                painter.drawText(QRect(chip.left() + 14, chip.top(), labelWidth, chip.height()),
                                 Qt::AlignLeft | Qt::AlignVCenter,
                                 smallMetrics.elidedText(label, Qt::ElideRight, labelWidth));
            }
            if (count > shown && fit >= 1) {
                painter.setPen(textColor);
                painter.drawText(
                    QRect(cell.left() + 4, top + pitch * shown, cell.width() - 8, chipHeight),
                    Qt::AlignLeft | Qt::AlignVCenter, tr("+%1 more").arg(count - shown));
            }
        }
    }
    m_hitAreas = hits;
}

void MonthGridWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const HitArea* hit = EventHitTest::topmost(m_hitAreas, point);
    QString id;
    QDateTime occurrenceStart;
    QRect screenRect;
    if (hit) {
        id = hit->eventId;
        for (const HitArea& area : std::as_const(m_hitAreas)) {
            if (area.eventId == id && area.rect.contains(point)) {
                screenRect = QRect(mapToGlobal(area.rect.topLeft()), area.rect.size());
                occurrenceStart = area.occurrenceStart;
                break;
            }
        }
    }
    Q_EMIT eventSelected(id, occurrenceStart, screenRect);
    if (id.isEmpty())
        QWidget::mouseReleaseEvent(event);
    else
        event->accept();
}

void MonthGridWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!EventHitTest::doubleClick(m_hitAreas, event,
                                   [this](const QString& id, const QDateTime& start) {
                                       Q_EMIT eventActivated(id, start);
                                   }))
        QWidget::mouseDoubleClickEvent(event);
}

void MonthGridWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (!EventHitTest::contextMenu(
            m_hitAreas, event,
            [this](const QString& id, const QPoint& globalPos, const QDateTime& start) {
                Q_EMIT eventContextRequested(id, globalPos, start);
            }))
        QWidget::contextMenuEvent(event);
}

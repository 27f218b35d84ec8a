#include "MiniMonthCalendar.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DateLanguage.h"
#include "DeferredReload.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "Theme.h"
#include "ViewData.h"
#include "ViewDays.h"
#include "ViewGrid.h"
#include "ViewPeriod.h"
#include "VisibleEvents.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimeZone>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

MiniMonthCalendar::MiniMonthCalendar(AppState* appState, QWidget* parent)
    : QWidget(parent), m_appState(appState),
      m_busyDaysReload(DeferredReload::create(this, [this] { reloadBusyDays(); }))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_StyledBackground, false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const QDate current = appState->currentDate();
    m_displayedMonth = QDate(current.year(), current.month(), 1);

    connect(appState, &AppState::currentDateChanged, this, [this](const QDate& date) {
        const QDate month(date.year(), date.month(), 1);
        if (month != m_displayedMonth)
            showMonth(month);
        update();
    });
    // The grid starts elsewhere and another View or rule set marks other days: the dots follow.
    connect(appState, &AppState::firstDayOfWeekChanged, this, [this] { reloadBusyDays(); });
    connect(appState, &AppState::activeViewChanged, this, [this] { reloadBusyDays(); });
    if (appState->events())
        connect(appState->events(), &EventRepository::eventsChanged, this,
                [this] { reloadBusyDays(); });
    if (appState->calendars())
        connect(appState->calendars(), &CalendarRepository::calendarsChanged, this,
                [this] { reloadBusyDays(); });
    if (appState->filterRules())
        connect(appState->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                [this] { reloadBusyDays(); });
    reloadBusyDays();
}

namespace {

// The font made smaller, down to a floor, until each text fits the width: in a narrow sidebar
// the day numbers and weekday initials would otherwise run into each other.
QFont fittingFont(QFont font, const QStringList& texts, int width)
{
    constexpr qreal smallest = 7.0;
    while (font.pointSizeF() > smallest) {
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString& text : texts)
            widest = std::max(widest, metrics.horizontalAdvance(text));
        if (widest <= width)
            break;
        font.setPointSizeF(std::max(font.pointSizeF() - 0.5, smallest));
    }
    return font;
}

} // namespace

QSize MiniMonthCalendar::sizeHint() const
{
    return QSize(240, 274);
}

QDate MiniMonthCalendar::gridStart() const
{
    return ViewPeriod::weekStart(m_displayedMonth, m_appState->firstDayOfWeek());
}

QDate MiniMonthCalendar::dateAt(const QPoint& point) const
{
    const QDate start = gridStart();
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 7; ++column)
            if (ViewGrid::miniMonthCell(width(), row, column).contains(point))
                return start.addDays(7 * row + column);
    return {};
}

void MiniMonthCalendar::reloadBusyDays()
{
    m_busyDaysReload->stop();
    const QDate start = gridStart();
    const VisibleEvents::Result shown =
        VisibleEvents::load(m_appState, ViewData::rangeStart(start), ViewData::rangeEnd(start, 42));
    m_busyDays =
        ViewDays::coveredDays(shown.filtered.visibleEvents, start, 42, QTimeZone::systemTimeZone());
    update();
}

void MiniMonthCalendar::showMonth(const QDate& firstOfMonth)
{
    m_displayedMonth = firstOfMonth;
    m_busyDaysReload->start();
    update();
}

void MiniMonthCalendar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int w = width();
    const int first = m_appState->firstDayOfWeek();

    QFont titleFont = font();
    titleFont.setWeight(QFont::Bold);
    titleFont.setPointSizeF(std::max(titleFont.pointSizeF() + 1, 11.0));
    painter.setFont(titleFont);
    painter.setPen(Theme::textPrimary());
    painter.drawText(QRect(4, 4, w - 8, 32), Qt::AlignLeft | Qt::AlignVCenter,
                     DateLanguage::monthName(m_displayedMonth.month()) + QLatin1Char(' ') +
                         QString::number(m_displayedMonth.year()));

    QFont weekdayFont = font();
    weekdayFont.setWeight(QFont::Bold);
    weekdayFont.setPointSizeF(std::max(weekdayFont.pointSizeF() - 2, 8.0));
    weekdayFont.setCapitalization(QFont::AllUppercase);
    QStringList initials;
    for (int i = 0; i < 7; ++i)
        initials << DateLanguage::weekdayInitials((first - 1 + i) % 7 + 1);
    const int columnWidth = (w - 8) / 7;
    weekdayFont = fittingFont(weekdayFont, initials, columnWidth - 2);
    painter.setFont(weekdayFont);
    painter.setPen(Theme::textMuted());
    for (int i = 0; i < 7; ++i) {
        const QString& name = initials.at(i);
        painter.drawText(QRect(4 + (w - 8) * i / 7, 40, (w - 8) / 7, 22), Qt::AlignCenter, name);
    }

    const QDate hover = m_hoverPos.isNull() ? QDate() : dateAt(m_hoverPos);
    const QDate selected = m_appState->currentDate();
    const QDate today = Clock::today();
    QFont dayFont = font();
    if (dayFont.pointSizeF() < 9)
        dayFont.setPointSizeF(9);
    dayFont = fittingFont(dayFont, {QStringLiteral("28")}, columnWidth - 4);
    painter.setFont(dayFont);

    const QDate start = gridStart();
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 7; ++column) {
            const QDate day = start.addDays(7 * row + column);
            const QRect cell = ViewGrid::miniMonthCell(w, row, column);
            const bool inMonth =
                day.month() == m_displayedMonth.month() && day.year() == m_displayedMonth.year();
            const bool isSelected = day == selected;
            const bool isToday = day == today;
            const bool hovered = day == hover && !isSelected;
            const QRect inner(cell.x(), cell.y(), cell.width(), 26);
            const int c = std::min(cell.width(), 26) - 4;
            const QRectF circle(cell.x() + (cell.width() - c) / 2, cell.y() + (26 - c) / 2, c, c);
            if (isSelected) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(Theme::accent());
                painter.drawEllipse(circle);
            } else if (hovered) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(Theme::accentMuted());
                painter.drawEllipse(circle);
            } else if (isToday) {
                painter.setPen(QPen(Theme::accent(), 1.4));
                painter.setBrush(Qt::NoBrush);
                painter.drawEllipse(circle);
            }
            QColor number = Theme::textPrimary();
            if (isSelected)
                number = Qt::white;
            else if (!inMonth)
                number = Theme::textDisabled();
            else if (isToday)
                number = Theme::accent();
            painter.setPen(number);
            painter.setBrush(Qt::NoBrush);
            painter.drawText(inner, Qt::AlignCenter, QString::number(day.day()));
            if (m_busyDays.contains(day) && !isSelected) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(inMonth ? Theme::accent() : Theme::textDisabled());
                painter.drawEllipse(QPointF(cell.x() + cell.width() / 2, cell.y() + 34 - 5), 2, 2);
            }
        }
    }
}

void MiniMonthCalendar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QDate day = dateAt(event->position().toPoint());
        if (day.isValid()) {
            m_appState->setCurrentDate(day);
            event->accept();
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void MiniMonthCalendar::mouseMoveEvent(QMouseEvent* event)
{
    m_hoverPos = event->position().toPoint();
    update();
    QWidget::mouseMoveEvent(event);
}

void MiniMonthCalendar::leaveEvent(QEvent* event)
{
    m_hoverPos = QPoint();
    update();
    QWidget::leaveEvent(event);
}

void MiniMonthCalendar::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    int direction = 0;
    if (delta.y() >= 60)
        direction = -1;
    else if (delta.y() <= -60)
        direction = 1;
    else if (delta.x() >= 60)
        direction = 1;
    else if (delta.x() <= -60)
        direction = -1;
    if (direction == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    showMonth(m_displayedMonth.addMonths(direction));
    event->accept();
}

#include "YearGridWidget.h"

#include "Clock.h"
#include "Theme.h"
#include "ViewPeriod.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

QColor dotColor(const QString& text)
{
    const QColor color = text.isEmpty() ? QColor() : QColor::fromString(text);
    return color.isValid() ? color : QColor(QStringLiteral("#4285F4"));
}

QFont sizedFont(QFont font, double delta, double minimum)
{
    font.setPointSizeF(std::max(font.pointSizeF() + delta, minimum));
    return font;
}

} // namespace

YearGridWidget::YearGridWidget(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(480, 360);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize YearGridWidget::sizeHint() const
{
    return QSize(1100, 720);
}

void YearGridWidget::setData(int year, const QHash<QDate, QString>& dayColors,
                             const QSet<QDate>& busyDays)
{
    m_year = year;
    m_dayColors = dayColors;
    m_busyDays = busyDays;
    update();
}

void YearGridWidget::setFirstDayOfWeek(int day)
{
    if (day == m_firstDayOfWeek)
        return;
    m_firstDayOfWeek = day;
    update();
}

void YearGridWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Theme::canvas());

    QFont titleFont = sizedFont(font(), 2, 1);
    titleFont.setWeight(QFont::Bold);
    const QFont weekdayFont = sizedFont(font(), -2, 7);
    const QFont dayFont = sizedFont(font(), -1, 8);
    const QDate today = Clock::today();

    QList<DayCell> cells;
    cells.reserve(12 * 42);
    const int slotWidth = width() / 4;
    const int slotHeight = height() / 3;
    for (int month = 1; month <= 12 && m_year > 0; ++month) {
        const QRect slot(((month - 1) % 4) * slotWidth, ((month - 1) / 4) * slotHeight, slotWidth,
                         slotHeight);
        const QRect card = slot.adjusted(8, 8, -8, -8);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::surface());
        painter.drawRoundedRect(card, 12, 12);
        const bool current = m_year == today.year() && month == today.month();
        painter.setBrush(Qt::NoBrush);
        painter.setPen(current ? QPen(Theme::accent(), 1.6) : QPen(Theme::border(), 1.0));
        painter.drawRoundedRect(card, 12, 12);

        const QRect inner = card.adjusted(14, 14, -14, -14);
        const QDate firstOfMonth(m_year, month, 1);
        painter.setPen(current ? Theme::accent() : Theme::textPrimary());
        painter.setFont(titleFont);
        painter.drawText(QRect(inner.left(), inner.top(), inner.width(), 24),
                         Qt::AlignLeft | Qt::AlignTop,
                         firstOfMonth.toString(QStringLiteral("MMMM")));

        const QDate start = ViewPeriod::weekStart(firstOfMonth, m_firstDayOfWeek);
        const int columnWidth = inner.width() / 7;
        painter.setFont(weekdayFont);
        painter.setPen(Theme::textMuted());
        for (int i = 0; i < 7; ++i)
            painter.drawText(
                QRect(inner.left() + i * columnWidth, inner.top() + 30, columnWidth, 16),
                Qt::AlignCenter, start.addDays(i).toString(QStringLiteral("ddd")).left(2));

        painter.setFont(dayFont);
        const int gridTop = inner.top() + 46;
        const int rowHeight = (inner.bottom() - gridTop) / 6;
        for (int row = 0; row < 6; ++row) {
            for (int column = 0; column < 7; ++column) {
                const QDate date = start.addDays(7 * row + column);
                const QRect cell(inner.left() + column * columnWidth, gridTop + row * rowHeight,
                                 columnWidth, rowHeight);
                cells.append({date, cell});
                const bool inMonth = date.month() == month;
                QColor text = inMonth ? Theme::textPrimary() : Theme::textDisabled();
                if (inMonth && date == today) {
                    const int diameter = std::min(columnWidth, rowHeight) - 4;
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(Theme::accent());
                    painter.drawEllipse(QRectF(cell.center().x() + 0.5 - diameter / 2.0,
                                               cell.center().y() + 0.5 - diameter / 2.0, diameter,
                                               diameter));
                    text = Qt::white;
                }
                painter.setPen(text);
                painter.setBrush(Qt::NoBrush);
                painter.drawText(cell.translated(0, 1), Qt::AlignCenter,
                                 QString::number(date.day()));
                if (inMonth && m_busyDays.contains(date)) {
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(dotColor(m_dayColors.value(date)));
                    painter.drawEllipse(QPointF(cell.center().x() + 0.5, cell.bottom() - 4), 2, 2);
                }
            }
        }
    }
    m_dayCells = cells;
}

void YearGridWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        for (const DayCell& cell : std::as_const(m_dayCells)) {
            if (cell.rect.contains(point)) {
                if (cell.date.isValid()) {
                    Q_EMIT dayActivated(cell.date);
                    event->accept();
                    return;
                }
                break;
            }
        }
    }
    QWidget::mouseReleaseEvent(event);
}

#include "YearGridWidget.h"

#include "Clock.h"
#include "DateLanguage.h"
#include "Defaults.h"
#include "Theme.h"
#include "ViewGrid.h"
#include "ViewPeriod.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <functional>

namespace {

QColor dotColor(const QString& text)
{
    const QColor color = text.isEmpty() ? QColor() : QColor::fromString(text);
    return color.isValid() ? color : QColor(Defaults::itemColour);
}

// The box the digits of `number` are inked in when drawn centred in `box`: as wide as the text,
// from the cap height above the baseline down to it (digits have no descenders).
QRect numberInk(const QFontMetrics& metrics, const QRect& box, const QString& number)
{
    const int width = metrics.horizontalAdvance(number);
    const int baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
    const int capHeight = metrics.capHeight();
    return QRect(box.left() + (box.width() - width) / 2, baseline - capHeight, width, capHeight);
}

QFont sizedFont(QFont font, double delta, double minimum)
{
    font.setPointSizeF(std::max(font.pointSizeF() + delta, minimum));
    return font;
}

// The font made smaller by half points, down to `minimum`, until its metrics pass `fits`: small
// cards would otherwise run their numbers into one another.
QFont fittedFont(QFont font, double minimum, const std::function<bool(const QFontMetrics&)>& fits)
{
    while (font.pointSizeF() - 0.5 >= minimum && !fits(QFontMetrics(font)))
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

// The disc behind a day number (today's, or a busy day's tint): a circle of min(cell) - 4 as long
// as it holds the number, else a pill around it.
QRectF backdrop(const QRect& cell, const QRect& ink)
{
    const qreal diameter = std::min(cell.width(), cell.height()) - 4;
    if (diameter >= ink.width() + 4)
        return QRectF(cell.center().x() + 0.5 - diameter / 2,
                      cell.center().y() + 0.5 - diameter / 2, diameter, diameter);
    const QPointF centre(cell.center().x() + 0.5, ink.center().y() + 0.5);
    const qreal width = std::min<qreal>(cell.width() - 1, ink.width() + 6);
    const qreal height = std::min<qreal>(cell.height() - 1, ink.height() + 6);
    return QRectF(centre.x() - width / 2, centre.y() - height / 2, width, height);
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
    const QDate today = Clock::today();

    QList<DayCell> cells;
    cells.reserve(12 * 42);
    const int slotWidth = width() / 4;
    const int slotHeight = height() / 3;
    // Every card has the same cells: the slot less 8 + 14 pixels on each side, the title and
    // weekday rows, then six rows.
    const int columnWidth = (slotWidth - 44) / 7;
    const int rowHeight = (slotHeight - 44 - 1 - 46) / 6;
    const QFont weekdayFont =
        fittedFont(sizedFont(font(), -2, 7), 6, [columnWidth](const QFontMetrics& metrics) {
            return metrics.horizontalAdvance(QStringLiteral("We")) <= columnWidth - 2;
        });
    QString widestNumber;
    const QFont dayFont = fittedFont(
        sizedFont(font(), -1, 8), 6,
        [&widestNumber, columnWidth, rowHeight](const QFontMetrics& metrics) {
            widestNumber.clear();
            for (int day = 1; day <= 31; ++day) {
                const QString number = QString::number(day);
                if (metrics.horizontalAdvance(number) > metrics.horizontalAdvance(widestNumber))
                    widestNumber = number;
            }
            return metrics.horizontalAdvance(widestNumber) <= columnWidth - 4 &&
                   metrics.capHeight() + 4 <= rowHeight;
        });
    const QFontMetrics dayMetrics(dayFont);
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
                         Qt::AlignLeft | Qt::AlignTop, DateLanguage::monthName(month));

        const QDate start = ViewPeriod::weekStart(firstOfMonth, m_firstDayOfWeek);
        painter.setFont(weekdayFont);
        painter.setPen(Theme::textMuted());
        for (int i = 0; i < 7; ++i)
            painter.drawText(
                QRect(inner.left() + i * columnWidth, inner.top() + 30, columnWidth, 16),
                Qt::AlignCenter, DateLanguage::weekdayInitials(start.addDays(i).dayOfWeek()));

        painter.setFont(dayFont);
        const int gridTop = inner.top() + 46;
        for (int row = 0; row < 6; ++row) {
            for (int column = 0; column < 7; ++column) {
                const QDate date = start.addDays(7 * row + column);
                const QRect cell(inner.left() + column * columnWidth, gridTop + row * rowHeight,
                                 columnWidth, rowHeight);
                cells.append({date, cell});
                const bool inMonth = date.month() == month;
                QColor text = inMonth ? Theme::textPrimary() : Theme::textDisabled();
                const QString number = QString::number(date.day());
                const QRect textBox = cell.translated(0, 1);
                // Placed for the widest number, so every day of the card has its dot alike.
                const QRect ink = numberInk(dayMetrics, textBox, widestNumber);
                const bool busy = inMonth && m_busyDays.contains(date);
                const ViewGrid::YearDot dot = ViewGrid::yearBusyDot(cell, ink, 2);
                const QRectF disc = backdrop(cell, ink);
                if (inMonth && date == today) {
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(Theme::accent());
                    painter.drawRoundedRect(disc, disc.height() / 2, disc.height() / 2);
                    text = Qt::white;
                } else if (busy && dot.place == ViewGrid::YearDot::Place::Behind) {
                    QColor tint = dotColor(m_dayColors.value(date));
                    tint.setAlpha(70);
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(tint);
                    painter.drawRoundedRect(disc, disc.height() / 2, disc.height() / 2);
                }
                painter.setPen(text);
                painter.setBrush(Qt::NoBrush);
                painter.drawText(textBox, Qt::AlignCenter, number);
                if (busy && dot.place != ViewGrid::YearDot::Place::Behind) {
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(dotColor(m_dayColors.value(date)));
                    painter.drawEllipse(dot.centre, 2, 2);
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

#include "AgendaEventRow.h"

#include "AgendaRowParts.h"
#include "AgendaRowText.h"
#include "AppState.h"
#include "Glyphs.h"
#include "Theme.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QTimeZone>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLabel* markLabel(QChar glyph)
{
    QLabel* mark = AgendaRowParts::mutedLabel(QString(glyph));
    QFont font(Theme::iconFontFamily());
    font.setPixelSize(14);
    mark->setFont(font);
    mark->setFixedWidth(16);
    mark->setAlignment(Qt::AlignCenter);
    return mark;
}

// Times of the agenda read the same whatever the time-format preference says.
QString timeText(const QDateTime& instant)
{
    return QLocale().toString(instant.toTimeZone(QTimeZone::systemTimeZone()).time(),
                              QStringLiteral("h:mm AP"));
}

} // namespace

AgendaEventRow::AgendaEventRow(AppState* appState, const Event& occurrence, QWidget* parent)
    : QWidget(parent), m_appState(appState), m_event(occurrence),
      m_colour(AgendaRowParts::rowColour(appState, occurrence.color, occurrence.calendarId))
{
    setObjectName(QStringLiteral("agendaEventRow"));
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(8);
    layout->addWidget(buildTimeColumn());
    auto* bar = new QFrame;
    bar->setFixedWidth(3);
    bar->setStyleSheet(QStringLiteral("background: %1; border-radius: 1px;").arg(m_colour));
    bar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::MinimumExpanding);
    layout->addWidget(bar);
    layout->addLayout(buildTextColumn(), 1);
    layout->addWidget(AgendaRowParts::chevron());
}

QWidget* AgendaEventRow::buildTimeColumn()
{
    const QFont small = AgendaRowParts::shiftedFont(font(), -1, 8);
    QFont bold = small;
    bold.setWeight(QFont::Bold);
    // 56 pixels hold the English texts. A translation of "All-day" wraps between its words, and
    // a word longer than that widens the column of every row alike, so the rows stay aligned, no
    // word is cut, and a narrow sidebar keeps room for the titles.
    int widestWord = 0;
    const QFontMetrics boldMetrics(bold);
    for (const QString& word : tr("All-day").split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widestWord = std::max(widestWord, boldMetrics.horizontalAdvance(word));
    auto* column = new QWidget;
    column->setFixedWidth(std::max(56, widestWord + 2));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    if (m_event.isAllDay) {
        auto* label = new QLabel(tr("All-day"));
        label->setFont(bold);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        layout->addStretch(1);
        layout->addWidget(label);
        layout->addStretch(1);
        return column;
    }
    auto* start = new QLabel(timeText(m_event.startTime));
    start->setFont(small);
    QLabel* end =
        AgendaRowParts::mutedLabel(m_event.endTime ? timeText(*m_event.endTime) : QString());
    end->setFont(small);
    layout->addWidget(start);
    layout->addWidget(end);
    layout->addStretch();
    return column;
}

QLayout* AgendaEventRow::buildTextColumn()
{
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    QLabel* title = AgendaRowParts::titleLabel(m_event.title, "AgendaEventRow");
    QList<QLabel*> marks;
    if (m_event.syncStatus == QLatin1String("pending") && m_appState &&
        m_appState->twoWaySyncCalendarIds().contains(m_event.calendarId))
        marks.append(markLabel(Glyphs::cloudUpload));
    if (!m_event.reminders.isEmpty())
        marks.append(markLabel(Glyphs::bell));
    if (marks.isEmpty()) {
        column->addWidget(title);
    } else {
        auto* line = new QHBoxLayout;
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(4);
        line->addWidget(title, 1);
        for (QLabel* mark : std::as_const(marks))
            line->addWidget(mark, 0, Qt::AlignTop);
        column->addLayout(line);
    }
    if (!m_event.location.isEmpty()) {
        auto* location = new AgendaRowText(QStringLiteral("\U0001F4CD  ") + m_event.location,
                                           AgendaRowParts::locationLines);
        location->setProperty("muted", true);
        location->setMinimumWidth(40);
        location->setFont(AgendaRowParts::shiftedFont(location->font(), -1, 8));
        column->addWidget(location);
    }
    return column;
}

void AgendaEventRow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    event->accept();
    Q_EMIT rowSelected(m_event.id, QRect(mapToGlobal(QPoint(0, 0)), size()));
}

void AgendaEventRow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    event->accept();
    Q_EMIT rowActivated(m_event.id);
}

void AgendaEventRow::enterEvent(QEnterEvent*)
{
    m_hovered = true;
    update();
}

void AgendaEventRow::leaveEvent(QEvent*)
{
    m_hovered = false;
    update();
}

void AgendaEventRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    AgendaRowParts::paintBackground(painter, this, m_hovered);
}

void AgendaEventRow::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    Q_EMIT rowContextRequested(m_event.id, event->globalPos());
}

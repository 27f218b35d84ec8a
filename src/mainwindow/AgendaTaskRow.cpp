#include "AgendaTaskRow.h"

#include "AgendaRowParts.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "TaskRepository.h"
#include "TaskStatusChange.h"
#include "Theme.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

AgendaTaskRow::AgendaTaskRow(AppState* appState, const Task& task, QWidget* parent)
    : QWidget(parent), m_appState(appState), m_task(task),
      m_colour(AgendaRowParts::rowColour(appState, task.color, task.calendarId))
{
    setObjectName(QStringLiteral("agendaTaskRow"));
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(8);
    // The tick box is painted in this gap.
    layout->addSpacing(22);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    QLabel* title = AgendaRowParts::titleLabel(m_task.title, "AgendaTaskRow");
    // Colours go through style sheets: the application's QLabel rule wins over a palette.
    if (m_task.isCompleted()) {
        QFont struck = title->font();
        struck.setStrikeOut(true);
        title->setFont(struck);
        QColor faded = Theme::textPrimary();
        faded.setAlpha(140);
        title->setStyleSheet(QStringLiteral("color: %1;").arg(faded.name(QColor::HexArgb)));
    }
    column->addWidget(title);
    if (TaskStatusChange::isOverdue(m_task, Clock::today())) {
        auto* overdue = new QLabel(tr("Overdue"));
        overdue->setObjectName(QStringLiteral("agendaOverdueLabel"));
        overdue->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::danger().name()));
        QFont font = AgendaRowParts::shiftedFont(overdue->font(), -1, 8);
        font.setWeight(QFont::Bold);
        overdue->setFont(font);
        column->addWidget(overdue);
    }
    layout->addLayout(column, 1);
    layout->addWidget(AgendaRowParts::chevron());
}

QRect AgendaTaskRow::tickBoxRect() const
{
    return QRect(12, (height() - 16) / 2, 16, 16);
}

void AgendaTaskRow::toggleCompleted()
{
    if (!m_appState || !m_appState->tasks())
        return;
    // The row may outlive its task by a reload: a removed task stays removed, and a task of a
    // read-only calendar is not changed (its server refuses it).
    const std::optional<Task> stored = m_appState->tasks()->getById(m_task.id);
    if (!stored || stored->deletedAt)
        return;
    const std::optional<Calendar> calendar =
        m_appState->calendars() ? m_appState->calendars()->getById(stored->calendarId)
                                : std::nullopt;
    if (calendar && calendar->isReadOnly)
        return;
    m_appState->tasks()->setCompleted(stored->id, !stored->isCompleted());
}

void AgendaTaskRow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    event->accept();
    if (tickBoxHitRect().contains(event->position().toPoint())) {
        toggleCompleted();
        return;
    }
    Q_EMIT rowSelected(m_task.id, QRect(mapToGlobal(QPoint(0, 0)), size()));
}

void AgendaTaskRow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    event->accept();
    if (!tickBoxHitRect().contains(event->position().toPoint()))
        Q_EMIT rowActivated(m_task.id);
}

void AgendaTaskRow::enterEvent(QEnterEvent*)
{
    m_hovered = true;
    update();
}

void AgendaTaskRow::leaveEvent(QEvent*)
{
    m_hovered = false;
    update();
}

void AgendaTaskRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    AgendaRowParts::paintBackground(painter, this, m_hovered);
    QColor colour = QColor::fromString(m_colour);
    if (!colour.isValid())
        colour = Theme::accent();
    const QRect box = tickBoxRect();
    if (m_task.isCompleted()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRoundedRect(box, 3, 3);
        painter.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        const QPointF tick[] = {{box.x() + 4.0, box.y() + 8.0},
                                {box.x() + 7.0, box.y() + 11.0},
                                {box.x() + 12.0, box.y() + 5.0}};
        painter.drawPolyline(tick, 3);
    } else {
        painter.setPen(QPen(colour, 1.6));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(box, 3, 3);
    }
}

void AgendaTaskRow::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    Q_EMIT rowContextRequested(m_task.id, event->globalPos());
}

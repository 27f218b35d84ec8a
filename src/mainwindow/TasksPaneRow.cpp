#include "TasksPaneRow.h"

#include "CalendarRepository.h"

#include "AgendaRowText.h"
#include "AppState.h"
#include "Clock.h"
#include "Glyphs.h"
#include "Limits.h"
#include "ShownText.h"
#include "TaskDetailsText.h"
#include "TaskPaneRules.h"
#include "TaskRepository.h"
#include "TaskStatusChange.h"
#include "Theme.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDate>
#include <QDrag>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

const QString TasksPaneRow::uidMimeType = QStringLiteral("application/x-orvandellic-task-uid");
const QString TasksPaneRow::refMimeType = QStringLiteral("application/x-orvandellic-task-ref");

namespace {

// Lines of a title a row shows at most, as the agenda's rows do: a long title ends in "…" there,
// and the card shows more of it. Notes and categories get as many lines at most; the notes stay
// selectable, so they are cut at the last line instead.
constexpr int titleLines = 3;
constexpr int notesLines = 3;

// At most `lines` lines of a word-wrapped label, from its top.
void capLines(QLabel* label, int lines)
{
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMaximumHeight(lines * label->fontMetrics().lineSpacing());
}

QFont shifted(const QFont& base, int points, int minimum)
{
    QFont font = base;
    if (font.pointSize() > 0)
        font.setPointSize(std::max(minimum, font.pointSize() + points));
    return font;
}

QLabel* makeMutedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setProperty("muted", true);
    label->setFont(shifted(label->font(), -1, 8));
    return label;
}

QLabel* makeChipLabel(const QString& text, const QColor& colour, bool filled, QWidget* parent)
{
    auto* chip = new QLabel(text, parent);
    QFont font = shifted(chip->font(), -3, 7);
    font.setWeight(QFont::Bold);
    chip->setFont(font);
    chip->setAlignment(Qt::AlignCenter);
    const QString name = colour.name(QColor::HexRgb);
    if (filled) {
        QColor fill = colour;
        fill.setAlpha(40);
        chip->setStyleSheet(QStringLiteral("QLabel { color: %1; background-color: %2; border: 1px "
                                           "solid %3; border-radius: %4px; padding: 0px 4px; }")
                                .arg(name, fill.name(QColor::HexArgb), name)
                                .arg(4));
    } else {
        chip->setStyleSheet(QStringLiteral("QLabel { color: %1; border: 1px solid %1; "
                                           "border-radius: %2px; padding: 0px 4px; }")
                                .arg(name)
                                .arg(4));
    }
    return chip;
}

} // namespace

TasksPaneRow::TasksPaneRow(AppState* appState, const TreeTask& task, bool showNotes,
                           bool showCategories, const QString& calendarColor, int depth,
                           QWidget* parent)
    : QWidget(parent), m_appState(appState), m_task(task.task), m_calendarColor(calendarColor),
      m_depth(depth)
{
    setObjectName(QStringLiteral("tasksPaneRow"));
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setAcceptDrops(true);
    buildContents(showNotes, showCategories);
}

void TasksPaneRow::buildContents(bool showNotes, bool showCategories)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(m_calendarColor.isEmpty() ? 12 : 20, 8, 12, 8);
    row->setSpacing(12);
    // The checkbox is painted at the left edge; only the text moves in with depth.
    row->addSpacing(20 + (m_depth > 0 ? m_depth * 16 : 0));

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    row->addLayout(column, 1);

    const bool completed = m_task.isCompleted();
    const bool cancelled = m_task.status == QLatin1String("cancelled");
    auto* title =
        new AgendaRowText(m_task.title.isEmpty() ? tr("(Untitled)") : m_task.title, titleLines, this);
    title->setMinimumWidth(40);
    if (completed || cancelled) {
        QFont font = title->font();
        font.setStrikeOut(true);
        title->setFont(font);
        // Through a style sheet: the application's QLabel rule wins over a palette colour.
        QColor faded = Theme::textPrimary();
        faded.setAlpha(140);
        title->setStyleSheet(QStringLiteral("color: %1;").arg(faded.name(QColor::HexArgb)));
    }
    column->addWidget(title);

    const bool inProcess = m_task.status == QLatin1String("in-process");
    const bool hasMeta = m_task.dueDate || m_task.startDate ||
                         (!completed && (inProcess || cancelled || m_task.priority > 0));
    if (hasMeta) {
        const QDate today = Clock::today();
        auto* meta = new QHBoxLayout;
        meta->setContentsMargins(0, 0, 0, 0);
        meta->setSpacing(8);
        if (m_task.startDate) {
            QLabel* start = makeMutedLabel(
                QStringLiteral("▶  ") +
                    TaskPaneRules::formatTaskDate(*m_task.startDate, m_task.startIsDateOnly, today),
                this);
            start->setWordWrap(true);
            meta->addWidget(start);
        }
        if (m_task.dueDate) {
            // The clock comes from the icon font: the text fonts have no glyph for it.
            QLabel* due = makeMutedLabel(
                QStringLiteral("<span style=\"font-family:'%1';\">%2</span>&nbsp;&nbsp;%3")
                    .arg(Theme::iconFontFamily(), QString(Glyphs::clock),
                         TaskPaneRules::formatTaskDate(*m_task.dueDate, m_task.dueIsDateOnly, today)
                             .toHtmlEscaped()),
                this);
            due->setTextFormat(Qt::RichText);
            due->setWordWrap(true);
            // The muted style sheet would win over a palette colour.
            if (TaskStatusChange::isOverdue(m_task, today))
                due->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::danger().name()));
            meta->addWidget(due);
        }
        meta->addStretch();
        if (!completed && inProcess)
            meta->addWidget(makeChipLabel(tr("IN PROGRESS"), QColor(255, 154, 0), false, this), 0,
                            Qt::AlignVCenter);
        else if (!completed && cancelled)
            meta->addWidget(makeChipLabel(tr("CANCELLED"), QColor(158, 158, 158), false, this), 0,
                            Qt::AlignVCenter);
        if (!completed && m_task.priority > 0) {
            meta->addWidget(makeChipLabel(TaskDetailsText::priorityWord(m_task.priority),
                                          QColor(TaskDetailsText::priorityColor(m_task.priority)),
                                          true, this),
                            0, Qt::AlignVCenter);
        }
        column->addLayout(meta);
    }

    // Notes and categories come from servers too: a row lays out a row's worth of each.
    const QString notes = m_task.description.trimmed();
    if (showNotes && !notes.isEmpty()) {
        QLabel* label = makeMutedLabel(ShownText::bounded(notes, Limits::maxRowTextChars), this);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        capLines(label, notesLines);
        column->addWidget(label);
    }

    if (showCategories) {
        QStringList chips;
        int room = Limits::maxRowTextChars;
        for (const QString& category : m_task.categories) {
            if (category.trimmed().isEmpty())
                continue;
            if (room <= 0)
                break;
            const QString shown = ShownText::bounded(category, room);
            room -= int(shown.size());
            chips.append(QStringLiteral("<span style=\"background:%1; color:%2; padding:1px 6px; "
                                        "border-radius:8px;\">%3</span>")
                             .arg(Theme::surfaceMuted().name(), Theme::textMuted().name(),
                                  shown.toHtmlEscaped()));
        }
        if (!chips.isEmpty()) {
            auto* label = new QLabel(chips.join(QStringLiteral("&nbsp;")), this);
            label->setTextFormat(Qt::RichText);
            label->setWordWrap(true);
            label->setFont(shifted(label->font(), -2, 7));
            capLines(label, notesLines);
            column->addWidget(label);
        }
    }

    auto* chevron = new QLabel(QStringLiteral("›"), this);
    chevron->setProperty("muted", true);
    chevron->setFont(shifted(chevron->font(), 4, 1));
    chevron->setFixedWidth(14);
    chevron->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(chevron);
}

QRect TasksPaneRow::checkboxRect() const
{
    return QRect(m_calendarColor.isEmpty() ? 12 : 20, 10, 16, 16);
}

QMimeData* TasksPaneRow::mimeDataFor(const Task& task)
{
    auto* data = new QMimeData;
    data->setData(uidMimeType, task.uid.toUtf8());
    data->setData(refMimeType, (task.id + QLatin1Char('\n') + task.calendarId).toUtf8());
    return data;
}

QStringList TasksPaneRow::refOf(const QMimeData* data)
{
    if (!data || !data->hasFormat(refMimeType))
        return {};
    const QStringList parts = QString::fromUtf8(data->data(refMimeType)).split(QLatin1Char('\n'));
    if (parts.size() != 2 || parts[0].isEmpty())
        return {};
    return parts;
}

void TasksPaneRow::showDropZone(int zone)
{
    setDropZone(zone);
}

void TasksPaneRow::setDropZone(int zone)
{
    m_dropZone = zone;
    // The "subtask" pill is a child so that it shows above the row's chips, which it overlaps.
    if (zone == TaskPaneRules::Into && !m_dropPill) {
        m_dropPill = new QLabel(QObject::tr("↳ subtask"), this);
        QFont font = shifted(this->font(), -1, 1);
        font.setWeight(QFont::Bold);
        m_dropPill->setFont(font);
        m_dropPill->setAlignment(Qt::AlignCenter);
        const QFontMetrics metrics(font);
        const int w = metrics.horizontalAdvance(m_dropPill->text()) + 16;
        const int h = metrics.height() + 6;
        m_dropPill->setFixedSize(w, h);
        m_dropPill->setStyleSheet(
            QStringLiteral("QLabel { background: %1; color: white; border-radius: %2px; }")
                .arg(Theme::accent().name())
                .arg(h / 2));
    }
    if (m_dropPill) {
        m_dropPill->move(width() - 12 - m_dropPill->width(), (height() - m_dropPill->height()) / 2);
        m_dropPill->setVisible(zone == TaskPaneRules::Into);
        m_dropPill->raise();
    }
    update();
}

void TasksPaneRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area = rect();
    if (m_hovered)
        painter.fillRect(area, Theme::surfaceMuted());

    const QColor accent = Theme::accent();
    if (m_dropZone == TaskPaneRules::Into) {
        QColor wash = accent;
        wash.setAlpha(36);
        painter.fillRect(area, wash);
        painter.fillRect(QRect(0, 0, 4, area.height()), accent);
    } else if (m_dropZone == TaskPaneRules::Above || m_dropZone == TaskPaneRules::Below) {
        const int x = 44 + m_depth * 16 + (m_calendarColor.isEmpty() ? 0 : 8);
        const int y = m_dropZone == TaskPaneRules::Above ? 0 : area.height() - 3;
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        painter.drawRect(QRect(x, y, std::max(0, area.width() - 12 - x), 3));
        painter.drawEllipse(QPointF(x, m_dropZone == TaskPaneRules::Above ? 0 : y + 1.5), 5, 5);
    }

    painter.setPen(QPen(Theme::border(), 0.5));
    painter.drawLine(QPointF(0, area.height() - 1), QPointF(area.width(), area.height() - 1));

    const QColor stripe(m_calendarColor);
    if (!m_calendarColor.isEmpty() && stripe.isValid()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(stripe);
        painter.drawRoundedRect(QRect(2, 6, 4, std::max(0, area.height() - 12)), 2, 2);
    }

    const QRect box = checkboxRect();
    if (m_task.isCompleted()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        painter.drawRoundedRect(box, 3, 3);
        QPen tick(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(tick);
        painter.setBrush(Qt::NoBrush);
        const QPointF points[] = {{box.x() + 4.0, box.y() + 8.5},
                                  {box.x() + 7.0, box.y() + 11.5},
                                  {box.x() + 12.0, box.y() + 5.0}};
        painter.drawPolyline(points, 3);
    } else {
        painter.setPen(QPen(Theme::borderStrong(), 1.4));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(box.adjusted(0, 0, -1, -1), 3, 3);
    }
}

void TasksPaneRow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressPos = event->position().toPoint();
    m_dragArmed = true;
    event->accept();
}

void TasksPaneRow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_dragArmed = false;
    event->accept();
    if (checkboxHitRect().contains(event->position().toPoint())) {
        // The row may outlive its task by a reload; a removed task is not brought back.
        // Nor is a task of a read-only calendar changed: its server refuses it.
        const std::optional<Task> stored = m_appState->tasks()->getById(m_task.id);
        const std::optional<Calendar> calendar =
            stored ? m_appState->calendars()->getById(stored->calendarId) : std::nullopt;
        if (stored && !stored->deletedAt && !(calendar && calendar->isReadOnly))
            m_appState->tasks()->setCompleted(m_task.id, !m_task.isCompleted());
        return;
    }
    Q_EMIT rowSelected(m_task.id, QRect(mapToGlobal(QPoint(0, 0)), size()));
}

void TasksPaneRow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    event->accept();
    if (!checkboxHitRect().contains(event->position().toPoint()))
        Q_EMIT rowActivated(m_task.id);
}

void TasksPaneRow::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragArmed || !(event->buttons() & Qt::LeftButton))
        return QWidget::mouseMoveEvent(event);
    event->accept();
    if (checkboxHitRect().contains(m_pressPos))
        return;
    if ((event->position().toPoint() - m_pressPos).manhattanLength() <
        QApplication::startDragDistance())
        return;
    // A reload during the drag may delete this row. The drag belongs to the list, which outlives
    // it (Qt deletes the drag once it is over): deleted along with the row, it would take no drop.
    auto* drag = new QDrag(parentWidget() ? parentWidget() : this);
    drag->setMimeData(mimeDataFor(m_task));
    const qreal ratio = devicePixelRatioF();
    QPixmap image(size() * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setOpacity(0.7);
        render(&painter, QPoint(), QRegion(), DrawWindowBackground | DrawChildren);
    }
    drag->setPixmap(image);
    drag->setHotSpot(m_pressPos);
    m_dragArmed = false;
    drag->exec(Qt::MoveAction);
}

void TasksPaneRow::enterEvent(QEnterEvent*)
{
    m_hovered = true;
    update();
}

void TasksPaneRow::leaveEvent(QEvent*)
{
    m_hovered = false;
    update();
}

void TasksPaneRow::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    Q_EMIT rowContextRequested(m_task.id, event->globalPos());
}

bool TasksPaneRow::acceptsDragged(const QString& draggedUid) const
{
    if (draggedUid.isEmpty() || draggedUid == m_task.uid)
        return false;
    QString ancestor = m_task.parentTaskUid;
    for (int step = 0; step < Limits::maxTaskAncestorsChecked && !ancestor.isEmpty(); ++step) {
        if (ancestor == draggedUid)
            return false;
        const std::optional<Task> parent =
            m_appState->tasks()->getByUid(ancestor, m_task.calendarId);
        ancestor = parent && !parent->deletedAt ? parent->parentTaskUid : QString();
    }
    return true;
}

void TasksPaneRow::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (!data->hasFormat(uidMimeType) || refOf(data).isEmpty())
        return event->ignore();
    if (!acceptsDragged(QString::fromUtf8(data->data(uidMimeType))))
        return event->ignore();
    setDropZone(TaskPaneRules::dropZoneAt(event->position().toPoint().y(), height()));
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void TasksPaneRow::dragMoveEvent(QDragMoveEvent* event)
{
    if (!event->mimeData()->hasFormat(uidMimeType))
        return event->ignore();
    const int zone = TaskPaneRules::dropZoneAt(event->position().toPoint().y(), height());
    if (zone != m_dropZone)
        setDropZone(zone);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void TasksPaneRow::dragLeaveEvent(QDragLeaveEvent*)
{
    setDropZone(0);
}

void TasksPaneRow::dropEvent(QDropEvent* event)
{
    const int zone = m_dropZone;
    setDropZone(0);
    const QStringList ref = refOf(event->mimeData());
    if (ref.isEmpty() || ref[0] == m_task.id || zone == 0)
        return event->ignore();
    event->setDropAction(Qt::MoveAction);
    event->accept();
    Q_EMIT rowDropTargeted(ref[0], m_task.id, zone);
}

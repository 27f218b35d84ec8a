#include "TasksPane.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "FirstFrameWait.h"
#include "Glyphs.h"
#include "Ical.h"
#include "LazyRowList.h"
#include "Limits.h"
#include "PopoverPlacement.h"
#include "PreferencesRepository.h"
#include "PushCopy.h"
#include "Savepoint.h"
#include "ShownText.h"
#include "StoredTask.h"
#include "TaskDetailsPopover.h"
#include "TaskFormDialog.h"
#include "TaskPaneRules.h"
#include "TaskRepository.h"
#include "TaskStatusChange.h"
#include "TasksPaneRow.h"
#include "Theme.h"
#include "TodayWatch.h"
#include "ViewRepository.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString filterKey = QStringLiteral("ui/tasksFilter");
const QString hideCompletedKey = QStringLiteral("ui/tasksHideCompleted");
const QString groupByCalendarKey = QStringLiteral("ui/tasksGroupByCalendar");
const QString showNotesKey = QStringLiteral("ui/tasksShowNotes");
const QString showCategoriesKey = QStringLiteral("ui/tasksShowCategories");
const QString neutralColour = QStringLiteral("#9aa0a6");

// Gathers bursts of store signals (the task store's own already trails its last write).
constexpr int reloadDelayMs = 120;

QFont bold(QFont font)
{
    font.setWeight(QFont::Bold);
    return font;
}

} // namespace

TasksPane::TasksPane(AppState* appState, QWidget* parent) : QWidget(parent), m_appState(appState)
{
    execDialog = [](QDialog* dialog) { return dialog->exec(); };
    setMinimumWidth(280);
    PreferencesRepository* preferences = m_appState->preferences();
    m_filterMode = TaskPaneRules::filterFromWord(preferences->get(filterKey).value_or(QString()));
    m_hideCompleted = preferences->getBool(hideCompletedKey, false);
    m_groupByCalendar = preferences->getBool(groupByCalendarKey, true);
    m_showNotes = preferences->getBool(showNotesKey, false);
    m_showCategories = preferences->getBool(showCategoriesKey, false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("tasksScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rows = new LazyRowList(m_scroll);
    layout->addWidget(m_scroll, 1);

    m_emptyState = buildEmptyState();
    m_emptyState->hide();
    layout->addWidget(m_emptyState, 1);
    layout->addWidget(buildFooter());

    m_reader = new StoreReader(m_appState, QStringLiteral("tasks-read"), this);
    m_firstFrame = new FirstFrameWait(this);
    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(reloadDelayMs);
    connect(m_reloadTimer, &QTimer::timeout, this, &TasksPane::reload);
    const auto restart = [this] { m_reloadTimer->start(); };
    connect(m_appState->tasks(), &TaskRepository::tasksChanged, this, restart);
    connect(m_appState->calendars(), &CalendarRepository::calendarsChanged, this, restart);
    connect(m_appState, &AppState::activeViewChanged, this, restart);
    connect(m_appState->views(), &ViewRepository::viewsChanged, this, restart);
    // "Today", "Tomorrow" and what is due or overdue move on at midnight, as in the agenda.
    connect(new TodayWatch(this), &TodayWatch::dayChanged, this, restart);

    reload();
}

TasksPane::~TasksPane()
{
    // Joins the read before the rows and the content it would answer go.
    delete m_reader;
}

QWidget* TasksPane::buildHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(12, 12, 12, 8);
    row->setSpacing(8);
    auto* title = new QLabel(tr("Tasks"), header);
    title->setFont(bold(title->font()));
    row->addWidget(title);
    row->addStretch();

    m_filterButton = new QToolButton(header);
    m_filterButton->setObjectName(QStringLiteral("tasksFilterButton"));
    paintFilterIcon();
    m_filterButton->setPopupMode(QToolButton::InstantPopup);
    m_filterButton->setAutoRaise(true);
    m_filterButton->setToolTip(tr("Filter tasks"));

    auto* menu = new QMenu(m_filterButton);
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    const QStringList filters{tr("All tasks"), tr("Due today"), tr("Due this week"), tr("Overdue")};
    for (int mode = 0; mode < filters.size(); ++mode) {
        QAction* action = menu->addAction(filters[mode]);
        action->setCheckable(true);
        action->setChecked(mode == m_filterMode);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { setFilter(mode); });
    }
    menu->addSeparator();
    const auto toggle = [this, menu](const QString& text, bool on,
                                     void (TasksPane::*setter)(bool)) {
        QAction* action = menu->addAction(text);
        action->setCheckable(true);
        action->setChecked(on);
        connect(action, &QAction::toggled, this, setter);
        return action;
    };
    m_groupByCalendarAction =
        toggle(tr("Group by calendar"), m_groupByCalendar, &TasksPane::setGroupByCalendar);
    m_hideCompletedAction =
        toggle(tr("Hide completed"), m_hideCompleted, &TasksPane::setHideCompleted);
    m_showNotesAction = toggle(tr("Show notes"), m_showNotes, &TasksPane::setShowNotes);
    m_showCategoriesAction =
        toggle(tr("Show categories"), m_showCategories, &TasksPane::setShowCategories);
    m_filterButton->setMenu(menu);
    row->addWidget(m_filterButton);
    return header;
}

void TasksPane::paintFilterIcon()
{
    m_filterIconColour = Theme::textPrimary();
    m_filterButton->setIcon(Theme::glyphIcon(Glyphs::filterLines, 18, m_filterIconColour));
}

void TasksPane::changeEvent(QEvent* event)
{
    // The glyph is drawn in the text colour of the theme: a new theme draws it again. The rows
    // follow by themselves.
    if ((event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) &&
        m_filterButton && Theme::textPrimary() != m_filterIconColour)
        paintFilterIcon();
    QWidget::changeEvent(event);
}

QWidget* TasksPane::buildEmptyState()
{
    auto* empty = new QWidget(this);
    empty->setObjectName(QStringLiteral("tasksEmptyState"));
    auto* column = new QVBoxLayout(empty);
    column->setContentsMargins(16, 16, 16, 16);
    column->setAlignment(Qt::AlignCenter);
    column->addStretch(1);
    m_emptyTitle = new QLabel(tr("No tasks yet"), empty);
    m_emptyTitle->setObjectName(QStringLiteral("tasksEmptyTitle"));
    QFont font = bold(m_emptyTitle->font());
    font.setPointSize(13);
    m_emptyTitle->setFont(font);
    m_emptyTitle->setAlignment(Qt::AlignCenter);
    column->addWidget(m_emptyTitle);
    column->addSpacing(8);
    m_emptySubtitle = new QLabel(tr("Create a task to track what needs doing."), empty);
    m_emptySubtitle->setObjectName(QStringLiteral("tasksEmptySubtitle"));
    m_emptySubtitle->setProperty("muted", true);
    m_emptySubtitle->setWordWrap(true);
    m_emptySubtitle->setAlignment(Qt::AlignCenter);
    column->addWidget(m_emptySubtitle);
    column->addStretch(2);
    return empty;
}

QWidget* TasksPane::buildFooter()
{
    auto* footer = new QWidget(this);
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(12, 8, 12, 12);
    auto* button = new QPushButton(tr("+ New Task"), footer);
    button->setObjectName(QStringLiteral("newTaskButton"));
    button->setCursor(Qt::PointingHandCursor);
    button->setFont(bold(button->font()));
    button->setMinimumHeight(36);
    connect(button, &QPushButton::clicked, this, [this] { newTask(); });
    row->addWidget(button);
    return footer;
}

QWidget* TasksPane::buildGroupHeader(const QString& text, const QString& color, int count)
{
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("tasksGroupHeader"));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(12, 12, 12, 8);
    row->setSpacing(8);
    const QColor parsed(color);
    auto* dot = new QLabel(QStringLiteral("●"), header);
    dot->setStyleSheet(
        QStringLiteral("color: %1;").arg(parsed.isValid() ? parsed.name() : neutralColour));
    QFont dotFont = dot->font();
    if (dotFont.pointSize() > 0)
        dotFont.setPointSize(dotFont.pointSize() + 2);
    dot->setFont(dotFont);
    row->addWidget(dot);
    // Account and calendar names come from servers: a row's worth of them.
    auto* name = new QLabel(ShownText::bounded(text, Limits::maxRowTextChars), header);
    name->setTextFormat(Qt::PlainText);
    name->setFont(bold(name->font()));
    row->addWidget(name);
    row->addStretch();
    auto* number = new QLabel(QString::number(count), header);
    number->setProperty("muted", true);
    row->addWidget(number);
    return header;
}

void TasksPane::showEmptyState(bool empty)
{
    m_emptyState->setVisible(empty);
    m_scroll->setVisible(!empty);
}

void TasksPane::reload()
{
    m_reloadTimer->stop();
    TasksPaneContent::Request request;
    request.activeViewId = m_appState->activeViewId();
    request.filterMode = m_filterMode;
    request.hideCompleted = m_hideCompleted;
    request.groupByCalendar = m_groupByCalendar;
    request.showNotes = m_showNotes;
    request.showCategories = m_showCategories;
    request.today = Clock::today();
    m_reader->read([this, request](const StoreReader::Repositories& store) {
        return [this, content = TasksPaneContent::read(request, store)]() mutable {
            showContent(std::move(content));
        };
    });
}

bool TasksPane::isLoading() const
{
    // A write not yet announced by the store (it gathers bursts) is a reload on its way.
    return m_appState->tasks()->changePending() || m_reloadTimer->isActive() ||
           m_reader->isBusy() || m_arrived || m_rows->isFilling();
}

int TasksPane::rowCount() const
{
    return m_content ? int(m_content->rows.size()) : 0;
}

TasksPane::RowKind TasksPane::rowKind(int index) const
{
    return m_content->rows.at(index).kind;
}

QWidget* TasksPane::showRow(int index)
{
    return m_rows->showRow(index);
}

void TasksPane::showContent(TasksPaneContent content)
{
    m_arrived = std::make_unique<TasksPaneContent>(std::move(content));
    // The window's first frame is not held up by the rows.
    m_firstFrame->run([this] { showArrived(); });
}

void TasksPane::showArrived()
{
    if (!m_arrived)
        return;
    // A list of thousands of tasks takes a while to free: the one replaced here goes on the
    // reader's thread.
    if (m_content)
        m_reader->release(std::shared_ptr<TasksPaneContent>(std::move(m_content)));
    m_content = std::move(m_arrived);
    const bool empty = m_content->noCalendars || m_content->tasks.isEmpty();
    // Without a calendar the empty state keeps the texts it last had.
    if (empty && !m_content->noCalendars) {
        static const char* const titles[] = {
            QT_TR_NOOP("No tasks yet"), QT_TR_NOOP("Nothing due today"),
            QT_TR_NOOP("Nothing due this week"), QT_TR_NOOP("Nothing overdue")};
        const int mode = std::clamp(m_content->filterMode, 0, 3);
        m_emptyTitle->setText(tr(titles[mode]));
        m_emptySubtitle->setText(mode == 0   ? tr("Create a task to track what needs doing.")
                                 : mode == 3 ? tr("You're caught up. Nice.")
                                             : tr("Switch the filter to see other tasks."));
    }
    showEmptyState(empty);
    m_rows->setRows(m_content->keys, m_content->shapes,
                    [this](int index) { return buildRow(index); });
}

QWidget* TasksPane::buildRow(int index)
{
    const TasksPaneContent::Row& row = m_content->rows.at(index);
    if (row.kind == RowKind::GroupHeader) {
        const TasksPaneContent::Header& header = m_content->headers.at(row.item);
        return buildGroupHeader(header.title, header.colour, header.count);
    }
    const TasksPaneContent::ListedTask& task = m_content->tasks.at(row.item);
    auto* widget = new TasksPaneRow(m_appState, task.tree, m_content->showNotes,
                                    m_content->showCategories, task.stripe, task.tree.depth);
    connectRow(widget);
    return widget;
}

void TasksPane::setFilter(int mode)
{
    if (mode == m_filterMode)
        return;
    m_filterMode = mode;
    m_appState->preferences()->set(filterKey, TaskPaneRules::filterWord(mode));
    reload();
}

void TasksPane::setHideCompleted(bool on)
{
    if (on == m_hideCompleted)
        return;
    m_hideCompleted = on;
    m_appState->preferences()->setBool(hideCompletedKey, on);
    reload();
}

void TasksPane::setGroupByCalendar(bool on)
{
    if (on == m_groupByCalendar)
        return;
    m_groupByCalendar = on;
    m_appState->preferences()->setBool(groupByCalendarKey, on);
    reload();
}

void TasksPane::setShowNotes(bool on)
{
    if (on == m_showNotes)
        return;
    m_showNotes = on;
    m_appState->preferences()->setBool(showNotesKey, on);
    reload();
}

void TasksPane::setShowCategories(bool on)
{
    if (on == m_showCategories)
        return;
    m_showCategories = on;
    m_appState->preferences()->setBool(showCategoriesKey, on);
    reload();
}

void TasksPane::connectRow(TasksPaneRow* row)
{
    connect(row, &TasksPaneRow::rowSelected, this, &TasksPane::showCard);
    connect(row, &TasksPaneRow::rowActivated, this, &TasksPane::editTask);
    connect(row, &TasksPaneRow::rowContextRequested, this, &TasksPane::showRowContextMenu);
    connect(row, &TasksPaneRow::rowDropTargeted, this, &TasksPane::handleRowDrop);
}

std::optional<Task> TasksPane::liveTask(const QString& taskId) const
{
    return StoredTask::live(m_appState, taskId);
}

std::optional<Task> TasksPane::taskAfterQuestion(const Task& read)
{
    return StoredTask::afterQuestion(m_appState, this, read);
}

bool TasksPane::inReadOnlyCalendar(const Task& task) const
{
    const std::optional<Calendar> calendar = m_appState->calendars()->getById(task.calendarId);
    return calendar && calendar->isReadOnly;
}

bool TasksPane::saveChanged(Task task)
{
    task.sequence = PushCopy::nextSequence(task.sequence);
    task.syncStatus = QStringLiteral("pending");
    task.rawIcalendar = Ical::buildTask(task);
    return m_appState->tasks()->update(task);
}

void TasksPane::showCard(const QString& taskId, const QRect& globalRowRect)
{
    if (!liveTask(taskId))
        return;
    // The card stands over the whole window beside the row, not squeezed into the pane.
    auto* card = new TaskDetailsPopover(m_appState, taskId, window());
    connect(card, &TaskDetailsPopover::editRequested, this, &TasksPane::editTask);
    connect(card, &TaskDetailsPopover::addSubtaskRequested, this, &TasksPane::newTask);
    if (card->hasTask())
        showPopoverAnchored(card, globalRowRect);
    else
        card->deleteLater();
}

void TasksPane::newTask(const QString& parentTaskId)
{
    if (m_appState->calendars()->getAll().isEmpty()) {
        QMessageBox::information(this, tr("No calendars"), tr("Create a calendar first."),
                                 QMessageBox::Ok);
        return;
    }
    TaskFormDialog dialog(m_appState, this);
    if (!parentTaskId.isEmpty()) {
        const std::optional<Task> parent = liveTask(parentTaskId);
        if (!parent) {
            QMessageBox::information(this, tr("Task not found"), tr("This task no longer exists."));
            return;
        }
        dialog.setParentTask(*parent);
    }
    execDialog(&dialog);
}

void TasksPane::editTask(const QString& taskId)
{
    // Read afresh: the card or the row that asked may show an older copy.
    const std::optional<Task> task = liveTask(taskId);
    if (!task) {
        QMessageBox::information(this, tr("Task not found"), tr("This task no longer exists."));
        return;
    }
    TaskFormDialog dialog(m_appState, *task, this);
    execDialog(&dialog);
}

void TasksPane::handleRowDrop(const QString& sourceTaskId, const QString& targetTaskId, int zone)
{
    std::optional<Task> dragged = liveTask(sourceTaskId);
    const std::optional<Task> target = liveTask(targetTaskId);
    // The drag ran its own event loop: either task may have gone meanwhile.
    if (!dragged || !target) {
        QMessageBox::information(this, tr("Task not found"), tr("This task no longer exists."));
        return;
    }
    if (dragged->id == target->id)
        return;
    // Across calendars the person is told why first, whichever side is read-only.
    if (dragged->calendarId != target->calendarId) {
        QMessageBox::information(
            this, tr("Can't move task"),
            tr("Subtasks must belong to the same calendar as their parent. Move \"%1\" to the "
               "same calendar first.")
                .arg(ShownText::bounded(dragged->title, Limits::maxRowTextChars)));
        return;
    }
    // The server of a read-only calendar refuses every change; nothing is written for it.
    if (inReadOnlyCalendar(*dragged))
        return;
    if (zone == TaskPaneRules::Into) {
        if (dragged->parentTaskUid == target->uid)
            return;
        dragged->parentTaskUid = target->uid;
        saveChanged(*dragged);
        return;
    }
    // Beside a task drawn at the top level (its parent removed, or left out by the filter) the
    // dropped task lands at the top level too, where the person put it.
    const bool drawnUnderParent = m_content && m_content->drawnUnderItsParent(*target);
    const QList<Task> written =
        TaskPaneRules::dropBeside(m_appState->tasks()->getByCalendar(target->calendarId), *dragged,
                                  *target, drawnUnderParent, zone);
    // A renumbering and the drop stand or fall together.
    Savepoint unit(m_appState->database()->database());
    for (const Task& task : written) {
        if (!saveChanged(task))
            return;
    }
    unit.commit();
}

void TasksPane::showRowContextMenu(QString taskId, QPoint globalPos)
{
    const std::optional<Task> found = liveTask(taskId);
    if (!found)
        return;
    const Task task = *found;
    const bool completed = task.isCompleted();
    const bool inProcess = task.status == QLatin1String("in-process");
    const bool cancelled = task.status == QLatin1String("cancelled");

    QMenu menu(this);
    QAction* edit = menu.addAction(tr("Edit…"));
    QAction* subtask = menu.addAction(tr("Add Subtask"));
    QAction* complete = menu.addAction(completed ? tr("Mark Incomplete") : tr("Mark Complete"));
    QAction* progress =
        menu.addAction(inProcess ? tr("Clear In Progress") : tr("Mark In Progress"));
    QAction* cancel = menu.addAction(cancelled ? tr("Restore Task") : tr("Mark Cancelled"));
    QAction* topLevel =
        task.parentTaskUid.isEmpty() ? nullptr : menu.addAction(tr("Make Top-Level"));
    menu.addSeparator();
    QAction* remove = menu.addAction(tr("Delete"));
    // A task of a read-only calendar can be looked at in its form, nothing more.
    if (inReadOnlyCalendar(task)) {
        for (QAction* change : {subtask, complete, progress, cancel, topLevel, remove})
            if (change)
                change->setEnabled(false);
    }

    QAction* chosen = menu.exec(globalPos);
    if (!chosen)
        return;
    // The menu ran its own event loop: a sync or another window may have changed or removed the
    // task meanwhile, so the entry chosen is carried out on what is stored now.
    const std::optional<Task> fresh = taskAfterQuestion(task);
    if (!fresh)
        return;
    if (chosen == edit) {
        editTask(taskId);
    } else if (chosen == subtask) {
        newTask(taskId);
    } else if (chosen == complete) {
        m_appState->tasks()->setCompleted(taskId, !completed);
    } else if (chosen == progress) {
        // A task that leaves "completed" keeps no completion date, or the pushed copy would
        // still say it was completed.
        Task changed = TaskStatusChange::withStatus(
            *fresh, inProcess ? QStringLiteral("needs-action") : QStringLiteral("in-process"),
            Clock::now());
        changed.percentComplete = inProcess ? 0 : 50;
        saveChanged(changed);
    } else if (chosen == cancel) {
        Task changed = TaskStatusChange::withStatus(
            *fresh, cancelled ? QStringLiteral("needs-action") : QStringLiteral("cancelled"),
            Clock::now());
        // Cancelling or restoring says nothing about how far the work got.
        changed.percentComplete = fresh->percentComplete;
        saveChanged(changed);
    } else if (topLevel && chosen == topLevel) {
        Task changed = *fresh;
        changed.parentTaskUid.clear();
        saveChanged(changed);
    } else if (chosen == remove) {
        const auto answer = QMessageBox::question(
            this, tr("Delete task?"),
            tr("Delete \"%1\"? This cannot be undone.")
                .arg(ShownText::bounded(fresh->title, Limits::maxRowTextChars)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer == QMessageBox::Yes && taskAfterQuestion(*fresh))
            m_appState->tasks()->remove(taskId);
    }
}

#include "TasksPane.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "CalendarView.h"
#include "Clock.h"
#include "Glyphs.h"
#include "Ical.h"
#include "PopoverPlacement.h"
#include "PreferencesRepository.h"
#include "TaskDetailsPopover.h"
#include "TaskFormDialog.h"
#include "TaskPaneRules.h"
#include "TaskRepository.h"
#include "TaskStatusChange.h"
#include "TaskTree.h"
#include "TasksPaneRow.h"
#include "Theme.h"
#include "ViewCalendars.h"
#include "ViewRepository.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHash>
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
    m_scroll->setWidgetResizable(true);
    m_listWidget = new QWidget(m_scroll);
    m_listLayout = new QVBoxLayout(m_listWidget);
    m_listLayout->setContentsMargins(0, 0, 0, 0);
    m_listLayout->setSpacing(0);
    m_listLayout->addStretch();
    m_scroll->setWidget(m_listWidget);
    layout->addWidget(m_scroll, 1);

    m_emptyState = buildEmptyState();
    m_emptyState->hide();
    layout->addWidget(m_emptyState, 1);
    layout->addWidget(buildFooter());

    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(reloadDelayMs);
    connect(m_reloadTimer, &QTimer::timeout, this, &TasksPane::reload);
    const auto restart = [this] { m_reloadTimer->start(); };
    connect(m_appState->tasks(), &TaskRepository::tasksChanged, this, restart);
    connect(m_appState->calendars(), &CalendarRepository::calendarsChanged, this, restart);
    connect(m_appState, &AppState::activeViewChanged, this, restart);
    connect(m_appState->views(), &ViewRepository::viewsChanged, this, restart);

    reload();
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
    m_filterButton->setIcon(Theme::glyphIcon(Glyphs::filterLines, 18, Theme::textPrimary()));
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
    auto* header = new QWidget(m_listWidget);
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
    auto* name = new QLabel(text, header);
    name->setTextFormat(Qt::PlainText);
    name->setFont(bold(name->font()));
    row->addWidget(name);
    row->addStretch();
    auto* number = new QLabel(QString::number(count), header);
    number->setProperty("muted", true);
    row->addWidget(number);
    return header;
}

void TasksPane::insertListWidget(QWidget* widget)
{
    m_listLayout->insertWidget(m_listLayout->count() - 1, widget);
}

void TasksPane::showEmptyState(bool empty)
{
    m_emptyState->setVisible(empty);
    m_scroll->setVisible(!empty);
}

void TasksPane::reload()
{
    // Rows made while the list is hidden are shown in one pass when it shows again; made in the
    // visible list, each would lay the whole list out anew.
    const bool listShown = m_listWidget->isVisibleTo(m_scroll);
    m_listWidget->setUpdatesEnabled(false);
    m_listWidget->hide();
    while (m_listLayout->count() > 1) {
        QLayoutItem* item = m_listLayout->takeAt(0);
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }

    const QList<Calendar> calendars = m_appState->calendars()->getAll();
    if (calendars.isEmpty()) {
        showEmptyState(true);
        m_listWidget->setVisible(listShown);
        m_listWidget->setUpdatesEnabled(true);
        return;
    }

    TaskRepository* tasks = m_appState->tasks();
    QHash<QString, QList<Task>> tasksOf;
    const auto tasksOfCalendar = [&](const QString& calendarId) -> const QList<Task>& {
        auto it = tasksOf.find(calendarId);
        if (it == tasksOf.end())
            it = tasksOf.insert(calendarId, tasks->getByCalendar(calendarId));
        return *it;
    };

    m_keptCompletedUids.clear();
    if (m_hideCompleted) {
        QList<Task> visible;
        for (const Calendar& calendar : calendars) {
            if (calendar.isVisible)
                visible += tasksOfCalendar(calendar.id);
        }
        m_keptCompletedUids = TaskTree::completedKeptByActiveTree(visible);
    }

    // The active group's calendars by the rule every view follows; the pane lists only the
    // visible ones among them.
    const QStringList groupIds =
        ViewCalendars::ids(m_appState->views()->getById(m_appState->activeViewId()), calendars);
    const QSet<QString> shownIds(groupIds.cbegin(), groupIds.cend());

    const QDate today = Clock::today();
    const TaskTree::Comparator order = TaskPaneRules::siblingOrder();
    const auto passing = [&](const Calendar& calendar) {
        QList<Task> result;
        for (const Task& task : tasksOfCalendar(calendar.id)) {
            if (TaskPaneRules::passesFilter(task, today, m_filterMode, m_hideCompleted,
                                            m_keptCompletedUids))
                result.append(task);
        }
        return result;
    };

    int rowCount = 0;
    QList<QWidget*> built;
    const auto addRow = [&](const TreeTask& row, const QString& colour) {
        auto* widget = new TasksPaneRow(m_appState, row, m_showNotes, m_showCategories, colour,
                                        row.depth, m_listWidget);
        connectRow(widget);
        built.append(widget);
        ++rowCount;
    };

    QList<Task> flat;
    QHash<QString, QString> colourOf;
    for (const Calendar& calendar : calendars) {
        if (!calendar.isVisible || !shownIds.contains(calendar.id))
            continue;
        const QList<Task> shown = passing(calendar);
        if (!m_groupByCalendar) {
            flat += shown;
            colourOf.insert(calendar.id, calendar.color);
            continue;
        }
        if (shown.isEmpty())
            continue;
        QString title = calendar.name;
        const std::optional<Account> account = m_appState->accounts()->getById(calendar.accountId);
        if (account && !account->name.isEmpty())
            title = QStringLiteral("%1 / %2").arg(account->name, calendar.name);
        const QList<TreeTask> rows = TaskTree::flatten(shown, order);
        built.append(buildGroupHeader(title, calendar.color, int(rows.size())));
        for (const TreeTask& row : rows)
            addRow(row, QString());
    }
    if (!m_groupByCalendar) {
        for (const TreeTask& row : TaskTree::flatten(flat, order))
            addRow(row, colourOf.value(row.task.calendarId, neutralColour));
    }
    // Every new widget has a polish request queued, and each insertion below queues a layout
    // request, which Qt merges by scanning the queue: polished first, that scan stays short.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::PolishRequest);
    for (QWidget* widget : built)
        insertListWidget(widget);

    if (rowCount == 0) {
        static const char* const titles[] = {
            QT_TR_NOOP("No tasks yet"), QT_TR_NOOP("Nothing due today"),
            QT_TR_NOOP("Nothing due this week"), QT_TR_NOOP("Nothing overdue")};
        const int mode = std::clamp(m_filterMode, 0, 3);
        m_emptyTitle->setText(tr(titles[mode]));
        m_emptySubtitle->setText(mode == 0   ? tr("Create a task to track what needs doing.")
                                 : mode == 3 ? tr("You're caught up. Nice.")
                                             : tr("Switch the filter to see other tasks."));
    }
    showEmptyState(rowCount == 0);
    m_listWidget->setVisible(listShown);
    m_listWidget->setUpdatesEnabled(true);
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
    std::optional<Task> task = m_appState->tasks()->getById(taskId);
    if (task && task->deletedAt)
        return std::nullopt;
    return task;
}

bool TasksPane::inReadOnlyCalendar(const Task& task) const
{
    const std::optional<Calendar> calendar = m_appState->calendars()->getById(task.calendarId);
    return calendar && calendar->isReadOnly;
}

bool TasksPane::saveChanged(Task task)
{
    task.sequence += 1;
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
    if (!dragged || !target || dragged->id == target->id)
        return;
    // Across calendars the person is told why first, whichever side is read-only.
    if (dragged->calendarId != target->calendarId) {
        QMessageBox::information(
            this, tr("Can't move task"),
            tr("Subtasks must belong to the same calendar as their parent. Move \"%1\" to the "
               "same calendar first.")
                .arg(dragged->title));
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
    if (zone != TaskPaneRules::Above && zone != TaskPaneRules::Below)
        return;

    const QString newParent = target->parentTaskUid;
    QList<Task> siblings;
    for (const Task& task : m_appState->tasks()->getByCalendar(target->calendarId)) {
        if (task.parentTaskUid == newParent && task.id != dragged->id)
            siblings.append(task);
    }
    std::sort(siblings.begin(), siblings.end(), TaskPaneRules::siblingOrder());
    qsizetype index = -1;
    QList<int> orders;
    for (qsizetype i = 0; i < siblings.size(); ++i) {
        if (siblings[i].id == target->id)
            index = i;
        orders.append(siblings[i].sortOrder);
    }
    if (index < 0)
        return;
    const TaskPaneRules::Placement placement = TaskPaneRules::placeBeside(orders, int(index), zone);
    for (qsizetype i = 0; i < placement.renumbered.size(); ++i) {
        if (siblings[i].sortOrder == placement.renumbered[i])
            continue;
        Task sibling = siblings[i];
        sibling.sortOrder = placement.renumbered[i];
        saveChanged(sibling);
    }
    dragged->parentTaskUid = newParent;
    dragged->sortOrder = placement.sortOrder;
    saveChanged(*dragged);
}

void TasksPane::showRowContextMenu(const QString& taskId, const QPoint& globalPos)
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
    const std::optional<Task> fresh = liveTask(taskId);
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
            this, tr("Delete task?"), tr("Delete \"%1\"? This cannot be undone.").arg(fresh->title),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer == QMessageBox::Yes && liveTask(taskId))
            m_appState->tasks()->remove(taskId);
    }
}

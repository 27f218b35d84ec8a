#include "TasksPane.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "CalendarView.h"
#include "Clock.h"
#include "Glyphs.h"
#include "Ical.h"
#include "FirstFrameWait.h"
#include "LazyRowList.h"
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
#include <QApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
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

// Row shapes: rows of one shape are laid out alike and differ in height only where a text wraps.
enum Shape {
    headerShape = 0,
    // + 1 a meta line, + 2 chips on it, + 4 notes, + 8 categories, + 16 a colour stripe
    taskShape = 1,
};

// A calendar's group header.
struct ListedHeader
{
    QString title;
    QString colour;
    int count = 0;
};

// A task of the flattened tree.
struct ListedTask
{
    TreeTask tree;
    // The stripe's colour; empty when a group header carries the calendar's.
    QString stripe;
    // The task this one is drawn under, as an index among the listed tasks; -1 at the top level.
    int drawnParent = -1;
};

// A row of the list: a group header or a task.
struct ListedRow
{
    TasksPane::RowKind kind = TasksPane::RowKind::Task;
    // Among the headers or the tasks.
    int item = 0;
};

QFont bold(QFont font)
{
    font.setWeight(QFont::Bold);
    return font;
}

} // namespace

// What one reload lists, read and laid out off the window's thread: the group headers and the
// flattened tree, each row with a key that stands for everything it shows.
struct TasksPane::Content
{
    // No calendar at all: the list gives way to the empty state as it last read.
    bool noCalendars = true;
    int filterMode = 0;
    bool showNotes = false;
    bool showCategories = false;
    QList<ListedHeader> headers;
    QList<ListedTask> tasks;
    QVector<ListedRow> rows;
    QVector<quint64> keys;
    QVector<quint8> shapes;
    // Task id to its index in `tasks`.
    QHash<QString, int> taskIndex;
    // The completed tasks that stay listed with "Hide completed" on: their tree holds open work.
    QSet<QString> keptCompletedUids;
};

// What a reload reads by: the pane's settings and the hub's state when it was asked for.
struct TasksPane::Request
{
    QString activeViewId;
    int filterMode = 0;
    bool hideCompleted = false;
    bool groupByCalendar = true;
    bool showNotes = false;
    bool showCategories = false;
    QDate today;
    // Rows drawn under another style sheet (a change of theme) are not kept.
    size_t styleSeed = 0;
};

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

void TasksPane::showEmptyState(bool empty)
{
    m_emptyState->setVisible(empty);
    m_scroll->setVisible(!empty);
}

void TasksPane::reload()
{
    m_reloadTimer->stop();
    Request request;
    request.activeViewId = m_appState->activeViewId();
    request.filterMode = m_filterMode;
    request.hideCompleted = m_hideCompleted;
    request.groupByCalendar = m_groupByCalendar;
    request.showNotes = m_showNotes;
    request.showCategories = m_showCategories;
    request.today = Clock::today();
    request.styleSeed = qHash(qApp->styleSheet());
    m_reader->read([this, request](const StoreReader::Repositories& store) {
        return
            [this, content = read(request, store)]() mutable { showContent(std::move(content)); };
    });
}

bool TasksPane::isLoading() const
{
    return m_reloadTimer->isActive() || m_reader->isBusy() || m_arrived || m_rows->isFilling();
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

namespace {

quint64 taskKey(const TreeTask& row, const QString& stripe, bool showNotes, bool showCategories,
                size_t seed)
{
    // Everything a row shows or acts on: a kept row is never out of date.
    const Task& task = row.task;
    return qHashMulti(seed, 't', task.id, task.calendarId, task.uid, task.parentTaskUid, task.title,
                      task.description, task.status, task.priority,
                      task.dueDate.value_or(QDateTime()), task.dueIsDateOnly,
                      task.startDate.value_or(QDateTime()), task.startIsDateOnly, task.categories,
                      row.depth, stripe, showNotes, showCategories);
}

// What the list sorts, filters and shows of a task. Every action reads the task afresh, so the
// rest (the stored iCalendar text above all) would only multiply what thousands of rows hold.
Task listedPart(const Task& stored)
{
    Task task;
    task.id = stored.id;
    task.calendarId = stored.calendarId;
    task.uid = stored.uid;
    task.title = stored.title;
    task.description = stored.description;
    task.status = stored.status;
    task.priority = stored.priority;
    task.dueDate = stored.dueDate;
    task.startDate = stored.startDate;
    task.dueIsDateOnly = stored.dueIsDateOnly;
    task.startIsDateOnly = stored.startIsDateOnly;
    task.categories = stored.categories;
    task.parentTaskUid = stored.parentTaskUid;
    task.sortOrder = stored.sortOrder;
    return task;
}

quint8 shapeOf(const Task& task, const QString& stripe, bool showNotes, bool showCategories)
{
    const bool chips =
        !task.isCompleted() && (task.status == QLatin1String("in-process") ||
                                task.status == QLatin1String("cancelled") || task.priority > 0);
    const bool meta = chips || task.dueDate || task.startDate;
    const bool notes = showNotes && !task.description.trimmed().isEmpty();
    const bool categories =
        showCategories && std::any_of(task.categories.cbegin(), task.categories.cend(),
                                      [](const QString& c) { return !c.trimmed().isEmpty(); });
    return quint8(taskShape + (meta ? 1 : 0) + (chips ? 2 : 0) + (notes ? 4 : 0) +
                  (categories ? 8 : 0) + (stripe.isEmpty() ? 0 : 16));
}

} // namespace

TasksPane::Content TasksPane::read(const Request& request, const StoreReader::Repositories& store)
{
    Content content;
    content.filterMode = request.filterMode;
    content.showNotes = request.showNotes;
    content.showCategories = request.showCategories;
    if (!store.calendars || !store.tasks)
        return content;
    const QList<Calendar> calendars = store.calendars->getAll();
    if (calendars.isEmpty())
        return content;
    content.noCalendars = false;

    QHash<QString, QList<Task>> tasksOf;
    const auto tasksOfCalendar = [&](const QString& calendarId) -> const QList<Task>& {
        auto it = tasksOf.find(calendarId);
        if (it == tasksOf.end()) {
            QList<Task> tasks = store.tasks->getByCalendar(calendarId);
            for (Task& task : tasks)
                task = listedPart(task);
            it = tasksOf.insert(calendarId, std::move(tasks));
        }
        return *it;
    };
    if (request.hideCompleted) {
        QList<Task> visible;
        for (const Calendar& calendar : calendars) {
            if (calendar.isVisible)
                visible += tasksOfCalendar(calendar.id);
        }
        content.keptCompletedUids = TaskTree::completedKeptByActiveTree(visible);
    }

    // The active group's calendars by the rule every view follows; the pane lists only the
    // visible ones among them.
    const std::optional<CalendarView> view =
        store.views ? store.views->getById(request.activeViewId) : std::nullopt;
    const QStringList groupIds = ViewCalendars::ids(view, calendars);
    const QSet<QString> shownIds(groupIds.cbegin(), groupIds.cend());

    const TaskTree::Comparator order = TaskPaneRules::siblingOrder();
    const auto passing = [&](const Calendar& calendar) {
        QList<Task> result;
        for (const Task& task : tasksOfCalendar(calendar.id)) {
            if (TaskPaneRules::passesFilter(task, request.today, request.filterMode,
                                            request.hideCompleted, content.keptCompletedUids))
                result.append(task);
        }
        return result;
    };

    const size_t seed = qHashMulti(request.styleSeed, request.today);
    // The rows of one flattened tree; each remembers the row it is drawn under, the last row
    // above it one level up.
    const auto addTree = [&](const QList<TreeTask>& tree, const auto& stripeOf) {
        QVector<int> lastAtDepth;
        for (const TreeTask& row : tree) {
            const int index = int(content.tasks.size());
            const QString stripe = stripeOf(row.task);
            const int drawnParent =
                row.depth > 0 && row.depth <= lastAtDepth.size() ? lastAtDepth[row.depth - 1] : -1;
            lastAtDepth.resize(row.depth + 1);
            lastAtDepth[row.depth] = index;
            content.tasks.append({row, stripe, drawnParent});
            content.taskIndex.insert(row.task.id, index);
            content.rows.append({RowKind::Task, index});
            content.keys.append(
                taskKey(row, stripe, request.showNotes, request.showCategories, seed));
            content.shapes.append(
                shapeOf(row.task, stripe, request.showNotes, request.showCategories));
        }
    };

    QList<Task> flat;
    QHash<QString, QString> colourOf;
    for (const Calendar& calendar : calendars) {
        if (!calendar.isVisible || !shownIds.contains(calendar.id))
            continue;
        const QList<Task> shown = passing(calendar);
        if (!request.groupByCalendar) {
            flat += shown;
            colourOf.insert(calendar.id, calendar.color);
            continue;
        }
        if (shown.isEmpty())
            continue;
        QString title = calendar.name;
        const std::optional<Account> account =
            store.accounts ? store.accounts->getById(calendar.accountId) : std::nullopt;
        if (account && !account->name.isEmpty())
            title = QStringLiteral("%1 / %2").arg(account->name, calendar.name);
        const QList<TreeTask> tree = TaskTree::flatten(shown, order);
        const int header = int(content.headers.size());
        content.headers.append({title, calendar.color, int(tree.size())});
        content.rows.append({RowKind::GroupHeader, header});
        content.keys.append(qHashMulti(seed, 'h', title, calendar.color, int(tree.size())));
        content.shapes.append(headerShape);
        addTree(tree, [](const Task&) { return QString(); });
    }
    if (!request.groupByCalendar) {
        addTree(TaskTree::flatten(flat, order), [&colourOf](const Task& task) {
            return colourOf.value(task.calendarId, neutralColour);
        });
    }
    return content;
}

void TasksPane::showContent(Content content)
{
    m_arrived = std::make_unique<Content>(std::move(content));
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
        m_reader->release(std::shared_ptr<Content>(std::move(m_content)));
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
    const ListedRow& row = m_content->rows.at(index);
    if (row.kind == RowKind::GroupHeader) {
        const ListedHeader& header = m_content->headers.at(row.item);
        return buildGroupHeader(header.title, header.colour, header.count);
    }
    const ListedTask& task = m_content->tasks.at(row.item);
    auto* widget = new TasksPaneRow(m_appState, task.tree, m_content->showNotes,
                                    m_content->showCategories, task.stripe, task.tree.depth);
    connectRow(widget);
    return widget;
}

bool TasksPane::drawnUnderItsParent(const Task& task) const
{
    if (!m_content || task.parentTaskUid.isEmpty())
        return false;
    const auto found = m_content->taskIndex.constFind(task.id);
    if (found == m_content->taskIndex.cend())
        return false;
    const int parent = m_content->tasks.at(*found).drawnParent;
    if (parent < 0)
        return false;
    const Task& above = m_content->tasks.at(parent).tree.task;
    return above.uid == task.parentTaskUid && above.calendarId == task.calendarId;
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

    // Beside a task drawn at the top level (its parent removed, or left out by the filter) the
    // dropped task lands at the top level too, where the person put it.
    const QList<Task> calendarTasks = m_appState->tasks()->getByCalendar(target->calendarId);
    const QString newParent =
        TaskPaneRules::parentBeside(*target, drawnUnderItsParent(*target), calendarTasks);
    const QList<Task> siblings =
        TaskPaneRules::siblingsBeside(calendarTasks, *target, newParent, dragged->id);
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

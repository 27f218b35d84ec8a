#include "AgendaListWidget.h"

#include "AccountRepository.h"
#include "AccountTypes.h"
#include "AgendaDays.h"
#include "AgendaEventRow.h"
#include "AgendaTaskRow.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DateLanguage.h"
#include "EventRepository.h"
#include "EventSort.h"
#include "FilterRuleRepository.h"
#include "FirstFrameWait.h"
#include "LazyRowList.h"
#include "Limits.h"
#include "PopoverPlacement.h"
#include "PreferencesRepository.h"
#include "ShownText.h"
#include "StoredTask.h"
#include "TaskDetailsPopover.h"
#include "TaskFormDialog.h"
#include "TaskRepository.h"
#include "TaskStatusChange.h"
#include "Theme.h"
#include "ViewData.h"
#include "ViewEventActions.h"
#include "VisibleEvents.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScrollArea>
#include <QSet>
#include <QStackedWidget>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString agendaMode = QStringLiteral("agenda");
const QString listMode = QStringLiteral("list");

// Row shapes: rows of one shape are laid out alike and differ in height only where a text wraps.
enum Shape {
    headerShape = 0,
    // + 1 all-day, + 2 with a location, + 4 per mark
    eventShape = 1,
    // + 1 overdue, + 2 completed
    taskShape = 16,
};

// A row of the list: a day's header, or an occurrence or a task of that day.
struct ListedRow
{
    AgendaListWidget::RowKind kind = AgendaListWidget::RowKind::DayHeader;
    int day = 0;
    int item = 0;
};

} // namespace

// What one reload lists, read off the window's thread: the days shown and a row for each header,
// occurrence and task, with a key that stands for what the row shows.
struct AgendaListWidget::Content
{
    // The View shows no calendar: the store was not asked.
    bool noCalendars = true;
    QDate today;
    QList<AgendaDays::Day> days;
    QVector<ListedRow> rows;
    QVector<quint64> keys;
    QVector<quint8> shapes;
    QDateTime clockChangeAt;
};

// What a reload reads by: the hub's state when it was asked for.
struct AgendaListWidget::Request
{
    QString activeViewId;
    QDate first;
    int days = 0;
    bool showEmptyDays = true;
    QDate today;
    QDateTime now;
};

AgendaListWidget::AgendaListWidget(AppState* appState, bool showEmptyDays, int days,
                                   const QString& modeKey, QWidget* parent)
    : QWidget(parent), m_appState(appState), m_showEmptyDays(showEmptyDays), m_days(days),
      m_modeKey(modeKey)
{
    if (!m_modeKey.isEmpty() && m_appState && m_appState->preferences()) {
        const QString stored = m_appState->preferences()->getString(m_modeKey);
        if (stored == agendaMode)
            m_showEmptyDays = true;
        else if (stored == listMode)
            m_showEmptyDays = false;
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pages = new QStackedWidget(this);
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rows = new LazyRowList(scroll);
    m_pages->addWidget(scroll);
    m_pages->addWidget(buildEmptyPage());
    layout->addWidget(m_pages);
    m_reader = new StoreReader(m_appState, QStringLiteral("agenda-read"), this);
    m_firstFrame = new FirstFrameWait(this);

    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(coalesceMs);
    connect(m_reloadTimer, &QTimer::timeout, this, &AgendaListWidget::reload);
    const auto schedule = [this] { m_reloadTimer->start(); };
    if (m_appState) {
        connect(m_appState, &AppState::activeViewChanged, this, schedule);
        connect(m_appState, &AppState::currentDateChanged, this, schedule);
        // The first listed day follows the view mode and the week start too.
        connect(m_appState, &AppState::viewModeChanged, this, schedule);
        connect(m_appState, &AppState::firstDayOfWeekChanged, this, schedule);
        if (m_appState->calendars())
            connect(m_appState->calendars(), &CalendarRepository::calendarsChanged, this, schedule);
        if (m_appState->events())
            connect(m_appState->events(), &EventRepository::eventsChanged, this, schedule);
        if (m_appState->tasks())
            connect(m_appState->tasks(), &TaskRepository::tasksChanged, this, schedule);
        if (m_appState->filterRules())
            connect(m_appState->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                    schedule);
    }
    // The minute's check reloads only when an event of today has ended or the day has changed
    // since the list was read; store changes reload through their signals.
    auto* refresh = new QTimer(this);
    refresh->setInterval(refreshMs);
    connect(refresh, &QTimer::timeout, this, [this] {
        if (!m_clockChangeAt.isValid() || Clock::now() >= m_clockChangeAt)
            m_reloadTimer->start();
    });
    refresh->start();

    reload();
}

AgendaListWidget::~AgendaListWidget()
{
    // Joins the read before the rows and the content it would answer go.
    delete m_reader;
}

QWidget* AgendaListWidget::buildEmptyPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setAlignment(Qt::AlignCenter);
    auto* label = new QLabel(tr("No upcoming events"));
    label->setObjectName(QStringLiteral("agendaEmptyLabel"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setProperty("muted", true);
    QFont font = label->font();
    if (font.pointSize() > 0 && font.pointSize() < 10)
        font.setPointSize(10);
    label->setFont(font);
    layout->addStretch(1);
    layout->addWidget(label);
    layout->addStretch(2);
    return page;
}

void AgendaListWidget::setShowEmptyDays(bool show)
{
    if (show == m_showEmptyDays)
        return;
    m_showEmptyDays = show;
    if (!m_modeKey.isEmpty() && m_appState && m_appState->preferences())
        m_appState->preferences()->set(m_modeKey, show ? agendaMode : listMode);
    Q_EMIT showEmptyDaysChanged(show);
    reload();
}

bool AgendaListWidget::isLoading() const
{
    // A write not yet announced by the store (it gathers bursts) is a reload on its way.
    const bool changeHeld =
        m_appState && ((m_appState->events() && m_appState->events()->changePending()) ||
                       (m_appState->tasks() && m_appState->tasks()->changePending()));
    return changeHeld || m_reloadTimer->isActive() || m_reader->isBusy() ||
           m_firstFrame->isWaiting() || m_rows->isFilling();
}

int AgendaListWidget::rowCount() const
{
    return m_content ? int(m_content->rows.size()) : 0;
}

AgendaListWidget::RowKind AgendaListWidget::rowKind(int index) const
{
    return m_content->rows.at(index).kind;
}

QWidget* AgendaListWidget::showRow(int index)
{
    return m_rows->showRow(index);
}

void AgendaListWidget::reload()
{
    m_reloadTimer->stop();
    if (!m_appState)
        return;
    Request request;
    request.activeViewId = m_appState->activeViewId();
    request.today = Clock::today();
    request.now = Clock::now();
    QDate navigation = m_appState->currentDate();
    if (!navigation.isValid())
        navigation = request.today;
    request.first =
        AgendaDays::firstDay(navigation, m_appState->viewMode(), m_appState->firstDayOfWeek());
    request.days = m_days;
    request.showEmptyDays = m_showEmptyDays;
    m_reader->read([this, request](const StoreReader::Repositories& store) {
        return
            [this, content = read(request, store)]() mutable { showContent(std::move(content)); };
    });
}

namespace {

quint64 eventKey(const Event& occurrence, const QString& colour, int marks, size_t seed)
{
    return qHashMulti(seed, 'e', occurrence.id, occurrence.startTime,
                      occurrence.endTime.value_or(QDateTime()), occurrence.isAllDay,
                      occurrence.title, occurrence.location, colour, marks);
}

quint64 taskKey(const Task& task, const QString& colour, bool overdue, size_t seed)
{
    return qHashMulti(seed, 't', task.id, task.title, task.isCompleted(), overdue, colour);
}

} // namespace

AgendaListWidget::Content AgendaListWidget::read(const Request& request,
                                                 const StoreReader::Repositories& store)
{
    Content content;
    content.today = request.today;
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDateTime from = ViewData::rangeStart(request.first);
    const QDateTime to = ViewData::rangeEnd(request.first, request.days);
    const VisibleEvents::Store visible{store.views, store.calendars, store.events,
                                       store.filterRules, request.activeViewId};
    VisibleEvents::Result shown = VisibleEvents::load(visible, from, to);
    if (shown.calendarIds.isEmpty())
        return content;
    content.noCalendars = false;

    QList<Event> occurrences = std::move(shown.filtered.visibleEvents);
    EventSort::sortByStart(occurrences);
    const QList<QList<Event>> events =
        AgendaDays::eventsByDay(occurrences, request.first, request.days, zone, request.now);
    content.clockChangeAt = AgendaDays::nextClockChange(
        events.value(request.first.daysTo(request.today)), request.now, zone);
    QList<Task> tasks;
    if (store.tasks) {
        // Date-only task dates lie at 00:00 UTC of their date: the search spans those of the
        // listed days too, which a zone far from UTC would otherwise cut off.
        const QDateTime utcFrom(request.first, QTime(0, 0), QTimeZone::utc());
        const QDateTime utcTo(request.first.addDays(request.days), QTime(0, 0), QTimeZone::utc());
        tasks = store.tasks->getInRange(std::min(from, utcFrom), std::max(to, utcTo),
                                        shown.calendarIds);
    }
    const QList<QList<Task>> tasksOfDays =
        AgendaDays::tasksByDay(tasks, request.first, request.days, zone);
    content.days = AgendaDays::shownDays(events, tasksOfDays, request.first, request.showEmptyDays);

    // What the rows show of their calendars: the colour, and whether a pending change waits for a
    // server.
    QHash<QString, QString> calendarColours;
    for (const Calendar& calendar : std::as_const(shown.calendars))
        calendarColours.insert(calendar.id, calendar.color);
    QSet<QString> twoWayCalendars;
    if (store.accounts) {
        QSet<QString> twoWayAccounts;
        for (const Account& account : store.accounts->getAll()) {
            if (AccountTypes::isTwoWay(account.type))
                twoWayAccounts.insert(account.id);
        }
        for (const Calendar& calendar : std::as_const(shown.calendars)) {
            if (twoWayAccounts.contains(calendar.accountId))
                twoWayCalendars.insert(calendar.id);
        }
    }
    const auto colourOf = [&](const QString& own, const QString& calendarId) {
        return own.isEmpty() ? calendarColours.value(calendarId) : own;
    };

    // "Today" and "Tomorrow" move with the day.
    const size_t seed = qHash(request.today);
    for (int d = 0; d < content.days.size(); ++d) {
        const AgendaDays::Day& day = content.days[d];
        content.rows.append({RowKind::DayHeader, d, 0});
        content.keys.append(qHashMulti(seed, 'h', day.date));
        content.shapes.append(headerShape);
        for (int i = 0; i < day.events.size(); ++i) {
            const Event& occurrence = day.events[i];
            const int marks = int(occurrence.syncStatus == QLatin1String("pending") &&
                                  twoWayCalendars.contains(occurrence.calendarId)) +
                              int(!occurrence.reminders.isEmpty());
            content.rows.append({RowKind::Event, d, i});
            content.keys.append(eventKey(
                occurrence, colourOf(occurrence.color, occurrence.calendarId), marks, seed));
            content.shapes.append(quint8(eventShape + (occurrence.isAllDay ? 1 : 0) +
                                         (occurrence.location.isEmpty() ? 0 : 2) + 4 * marks));
        }
        for (int i = 0; i < day.tasks.size(); ++i) {
            const Task& task = day.tasks[i];
            const bool overdue = TaskStatusChange::isOverdue(task, request.today);
            content.rows.append({RowKind::Task, d, i});
            content.keys.append(
                taskKey(task, colourOf(task.color, task.calendarId), overdue, seed));
            content.shapes.append(
                quint8(taskShape + (overdue ? 1 : 0) + (task.isCompleted() ? 2 : 0)));
        }
    }
    return content;
}

void AgendaListWidget::showContent(Content content)
{
    // The window's first frame is not held up by the rows.
    m_firstFrame->run(
        [this, content = std::move(content)]() mutable { showArrived(std::move(content)); });
}

void AgendaListWidget::showArrived(Content content)
{
    m_clockChangeAt = content.clockChangeAt;
    // A month of many occurrences takes a while to free: the previous one goes on the reader's
    // thread.
    if (m_content)
        m_reader->release(std::shared_ptr<Content>(std::move(m_content)));
    m_content = std::make_unique<Content>(std::move(content));
    const bool empty = m_content->noCalendars || m_content->rows.isEmpty();
    m_pages->setCurrentIndex(empty ? 1 : 0);
    m_rows->setRows(m_content->keys, m_content->shapes,
                    [this](int index) { return buildRow(index); });
}

QWidget* AgendaListWidget::buildRow(int index)
{
    const ListedRow& row = m_content->rows.at(index);
    const AgendaDays::Day& day = m_content->days.at(row.day);
    switch (row.kind) {
    case RowKind::DayHeader:
        return dayHeader(day.date, m_content->today);
    case RowKind::Event: {
        auto* eventRow = new AgendaEventRow(m_appState, day.events.at(row.item));
        connectEventRow(eventRow);
        return eventRow;
    }
    case RowKind::Task:
        break;
    }
    auto* taskRow = new AgendaTaskRow(m_appState, day.tasks.at(row.item));
    connectTaskRow(taskRow);
    return taskRow;
}

QWidget* AgendaListWidget::dayHeader(const QDate& day, const QDate& today)
{
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("agendaDayHeader"));
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(8);
    auto* dot = new QLabel(QString(QChar(0x25CF)));
    dot->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::accent().name()));
    QFont dotFont = dot->font();
    if (dotFont.pointSize() > 0)
        dotFont.setPointSize(dotFont.pointSize() + 2);
    dot->setFont(dotFont);
    QString text;
    if (day == today)
        text = QCoreApplication::translate("QObject", "Today");
    else if (day == today.addDays(1))
        text = QCoreApplication::translate("QObject", "Tomorrow");
    else
        text = DateLanguage::format(day, QStringLiteral("ddd MMM d"));
    auto* label = new QLabel(text);
    QFont bold = label->font();
    bold.setWeight(QFont::Bold);
    label->setFont(bold);
    layout->addWidget(dot);
    layout->addWidget(label);
    layout->addStretch();
    return header;
}

void AgendaListWidget::connectEventRow(AgendaEventRow* row)
{
    // The handlers act on the occurrence the row was built from, not on the row: a reload may
    // delete it while a card or a menu is open.
    const QDateTime start = row->occurrence().startTime;
    const QString title = row->occurrence().title;
    connect(row, &AgendaEventRow::rowSelected, this,
            [this, start, title](const QString& eventId, const QRect& screenRect) {
                ViewEventActions::showDetails(m_appState, this, eventId, start, screenRect, title);
            });
    connect(row, &AgendaEventRow::rowActivated, this, [this, start, title](const QString& eventId) {
        ViewEventActions::editEvent(m_appState, this, eventId, start, title);
    });
    connect(row, &AgendaEventRow::rowContextRequested, this,
            [this, start, title](const QString& eventId, const QPoint& globalPos) {
                ViewEventActions::showContextMenu(m_appState, this, eventId, globalPos,
                                                  "AgendaListWidget", start, title);
            });
}

void AgendaListWidget::connectTaskRow(AgendaTaskRow* row)
{
    connect(row, &AgendaTaskRow::rowSelected, this, &AgendaListWidget::showTaskCard);
    connect(row, &AgendaTaskRow::rowActivated, this, &AgendaListWidget::editTask);
    connect(row, &AgendaTaskRow::rowContextRequested, this, &AgendaListWidget::showTaskMenu);
}

std::optional<Task> AgendaListWidget::liveTask(const QString& taskId) const
{
    return StoredTask::live(m_appState, taskId);
}

std::optional<Task> AgendaListWidget::taskAfterQuestion(const Task& read)
{
    return StoredTask::afterQuestion(m_appState, this, read);
}

bool AgendaListWidget::inReadOnlyCalendar(const Task& task) const
{
    const std::optional<Calendar> calendar =
        m_appState->calendars() ? m_appState->calendars()->getById(task.calendarId) : std::nullopt;
    return calendar && calendar->isReadOnly;
}

void AgendaListWidget::showTaskCard(const QString& taskId, const QRect& screenRect)
{
    if (!liveTask(taskId))
        return;
    auto* card = new TaskDetailsPopover(m_appState, taskId, this);
    connect(card, &TaskDetailsPopover::editRequested, this, &AgendaListWidget::editTask);
    connect(card, &TaskDetailsPopover::addSubtaskRequested, this, &AgendaListWidget::newSubtask);
    if (!card->hasTask())
        card->deleteLater();
    else if (screenRect.isValid())
        showPopoverAnchored(card, screenRect);
    else
        showPopoverCentered(card);
}

void AgendaListWidget::editTask(const QString& taskId)
{
    // Read afresh: the card or the row that asked may show an older copy.
    const std::optional<Task> task = liveTask(taskId);
    if (!task)
        return;
    TaskFormDialog dialog(m_appState, *task, this);
    dialog.exec();
}

void AgendaListWidget::newSubtask(const QString& parentTaskId)
{
    const std::optional<Task> parent = liveTask(parentTaskId);
    if (!parent)
        return;
    TaskFormDialog dialog(m_appState, this);
    dialog.setParentTask(*parent);
    dialog.exec();
}

void AgendaListWidget::showTaskMenu(QString taskId, QPoint globalPos)
{
    const std::optional<Task> task = liveTask(taskId);
    if (!task)
        return;
    const bool completed = task->isCompleted();
    QMenu menu(this);
    QAction* edit = menu.addAction(tr("Edit…"));
    QAction* complete = menu.addAction(completed ? tr("Mark Incomplete") : tr("Mark Complete"));
    QAction* remove = menu.addAction(tr("Delete"));
    // A task of a read-only calendar can be looked at in its form, nothing more.
    if (inReadOnlyCalendar(*task)) {
        complete->setEnabled(false);
        remove->setEnabled(false);
    }
    QAction* chosen = menu.exec(globalPos);
    if (!chosen)
        return;
    // The menu ran its own event loop: a sync may have changed or removed the task meanwhile.
    const std::optional<Task> fresh = taskAfterQuestion(*task);
    if (!fresh)
        return;
    if (chosen == edit) {
        editTask(taskId);
    } else if (chosen == complete) {
        // What the entry said, even when a sync did it first.
        m_appState->tasks()->setCompleted(taskId, !completed);
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

#include "AgendaListWidget.h"

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
#include "PopoverPlacement.h"
#include "PreferencesRepository.h"
#include "TaskDetailsPopover.h"
#include "TaskFormDialog.h"
#include "TaskRepository.h"
#include "Theme.h"
#include "ViewData.h"
#include "ViewEventActions.h"
#include "VisibleEvents.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString agendaMode = QStringLiteral("agenda");
const QString listMode = QStringLiteral("list");

} // namespace

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
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_content = new QWidget;
    m_contentLayout = new QVBoxLayout(m_content);
    m_contentLayout->setContentsMargins(0, 0, 0, 0);
    m_contentLayout->setSpacing(0);
    m_contentLayout->addStretch();
    scroll->setWidget(m_content);
    m_pages->addWidget(scroll);
    m_pages->addWidget(buildEmptyPage());
    layout->addWidget(m_pages);

    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(coalesceMs);
    connect(m_reloadTimer, &QTimer::timeout, this, &AgendaListWidget::reload);
    const auto schedule = [this] { m_reloadTimer->start(); };
    if (m_appState) {
        connect(m_appState, &AppState::activeViewChanged, this, schedule);
        connect(m_appState, &AppState::currentDateChanged, this, schedule);
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
    // A rebuild costs about a millisecond a row: the minute's check rebuilds only when an event
    // of today has ended or the day has changed since the list was built; store changes reload
    // through their signals.
    auto* refresh = new QTimer(this);
    refresh->setInterval(refreshMs);
    connect(refresh, &QTimer::timeout, this, [this] {
        if (!m_clockChangeAt.isValid() || Clock::now() >= m_clockChangeAt)
            m_reloadTimer->start();
    });
    refresh->start();

    reload();
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

void AgendaListWidget::clearRows()
{
    // The final stretch stays; rows go deferred, as one of them may be handling the click that
    // led here.
    while (m_contentLayout->count() > 1) {
        QLayoutItem* item = m_contentLayout->takeAt(0);
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
}

void AgendaListWidget::insertRow(QWidget* row, int* position)
{
    m_contentLayout->insertWidget((*position)++, row);
}

void AgendaListWidget::reload()
{
    m_content->setUpdatesEnabled(false);
    // New rows of a hidden list are shown with it in one pass, not one queued show at a time.
    m_content->hide();
    clearRows();
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDate today = Clock::today();
    QDate navigation = m_appState->currentDate();
    if (!navigation.isValid())
        navigation = today;
    const QDate first =
        AgendaDays::firstDay(navigation, m_appState->viewMode(), m_appState->firstDayOfWeek());
    const QDateTime from = ViewData::rangeStart(first);
    const QDateTime to = ViewData::rangeEnd(first, m_days);

    VisibleEvents::Result shown = VisibleEvents::load(m_appState, from, to);
    const QStringList& calendarIds = shown.calendarIds;
    if (calendarIds.isEmpty()) {
        m_clockChangeAt = QDateTime();
        m_pages->setCurrentIndex(1);
        m_content->setUpdatesEnabled(true);
        return;
    }

    QList<Event> occurrences = std::move(shown.filtered.visibleEvents);
    EventSort::sortByStart(occurrences);
    const QDateTime now = Clock::now();
    const QList<QList<Event>> events =
        AgendaDays::eventsByDay(occurrences, first, m_days, zone, now);
    m_clockChangeAt = AgendaDays::nextClockChange(events.value(first.daysTo(today)), now, zone);
    QList<Task> tasks;
    if (m_appState->tasks()) {
        // Date-only task dates lie at 00:00 UTC of their date: the search spans those of the
        // listed days too, which a zone far from UTC would otherwise cut off.
        const QDateTime utcFrom(first, QTime(0, 0), QTimeZone::utc());
        const QDateTime utcTo(first.addDays(m_days), QTime(0, 0), QTimeZone::utc());
        tasks = m_appState->tasks()->getInRange(std::min(from, utcFrom), std::max(to, utcTo),
                                                calendarIds);
    }
    const QList<QList<Task>> tasksOfDays = AgendaDays::tasksByDay(tasks, first, m_days, zone);

    int position = 0;
    for (const AgendaDays::Day& day :
         AgendaDays::shownDays(events, tasksOfDays, first, m_showEmptyDays)) {
        insertRow(dayHeader(day.date, today), &position);
        for (const Event& occurrence : day.events) {
            auto* row = new AgendaEventRow(m_appState, occurrence);
            connectEventRow(row);
            insertRow(row, &position);
        }
        for (const Task& task : day.tasks) {
            auto* row = new AgendaTaskRow(m_appState, task);
            connectTaskRow(row);
            insertRow(row, &position);
        }
    }
    m_pages->setCurrentIndex(position == 0 ? 1 : 0);
    m_content->show();
    m_content->setUpdatesEnabled(true);
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
    connect(row, &AgendaEventRow::rowSelected, this,
            [this, start](const QString& eventId, const QRect& screenRect) {
                ViewEventActions::showDetails(m_appState, this, eventId, start, screenRect);
            });
    connect(row, &AgendaEventRow::rowActivated, this, [this, start](const QString& eventId) {
        ViewEventActions::editEvent(m_appState, this, eventId, start);
    });
    connect(row, &AgendaEventRow::rowContextRequested, this,
            [this, start](const QString& eventId, const QPoint& globalPos) {
                ViewEventActions::showContextMenu(m_appState, this, eventId, globalPos,
                                                  "AgendaListWidget", start);
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
    if (!m_appState || !m_appState->tasks())
        return std::nullopt;
    std::optional<Task> task = m_appState->tasks()->getById(taskId);
    if (task && task->deletedAt)
        return std::nullopt;
    return task;
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

void AgendaListWidget::showTaskMenu(const QString& taskId, const QPoint& globalPos)
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
    // The menu ran its own event loop: a sync may have changed or removed the task meanwhile.
    const std::optional<Task> fresh = chosen ? liveTask(taskId) : std::nullopt;
    if (!fresh)
        return;
    if (chosen == edit) {
        editTask(taskId);
    } else if (chosen == complete) {
        m_appState->tasks()->setCompleted(taskId, !fresh->isCompleted());
    } else if (chosen == remove) {
        const auto answer = QMessageBox::question(
            this, tr("Delete task?"), tr("Delete \"%1\"? This cannot be undone.").arg(fresh->title),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer == QMessageBox::Yes && liveTask(taskId))
            m_appState->tasks()->remove(taskId);
    }
}

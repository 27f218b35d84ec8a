// The tasks pane over one seeded store, light and dark: grouped by calendar, flat, empty, and
// with a task dragged into the middle of a row, as PNG files for a person to check.
//     xvfb-run -a build/tools/tasks_pane_shots /tmp/tasks

#include "AppState.h"
#include "Clock.h"
#include "GalleryCapture.h"
#include "Ical.h"
#include "TaskRepository.h"
#include "TasksPane.h"
#include "TasksPaneRow.h"
#include "ThemeManager.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimeZone>

namespace {

const QDate today(2026, 3, 11);

void addTask(AppState& state, const char* id, const char* calendarId, const char* title,
             int dueInDays, int priority = 0, const char* status = "needs-action",
             const char* parent = "", int startInDays = 99)
{
    Task task;
    task.id = task.uid = QString::fromLatin1(id);
    task.calendarId = QString::fromLatin1(calendarId);
    task.title = QString::fromUtf8(title);
    // Date-only, as the store holds a DATE value: 00:00 UTC of the day.
    if (dueInDays != 99)
        task.dueDate = QDateTime(today.addDays(dueInDays), QTime(0, 0), QTimeZone::utc());
    if (startInDays != 99)
        task.startDate = QDateTime(today.addDays(startInDays), QTime(0, 0), QTimeZone::utc());
    task.priority = priority;
    task.status = QString::fromLatin1(status);
    task.parentTaskUid = QString::fromLatin1(parent);
    task.created = task.lastModified = Clock::now();
    task.rawIcalendar = Ical::buildTask(task);
    state.tasks()->insert(task);
}

void seed(AppState& state)
{
    GalleryCapture::addAccount(state, QStringLiteral("work"), QStringLiteral("Work"));
    GalleryCapture::addCalendar(state, QStringLiteral("team"), QStringLiteral("work"),
                                QStringLiteral("Team"), QStringLiteral("#33b679"));
    GalleryCapture::addCalendar(state, QStringLiteral("home"), QStringLiteral("work"),
                                QStringLiteral("Home"), QStringLiteral("#e67c73"));
    addTask(state, "launch", "team", "Prepare the spring launch", 2, 1, "in-process", "", -1);
    addTask(state, "copy", "team", "Write the announcement copy", 0, 5, "needs-action", "launch");
    addTask(state, "review", "team", "Legal review of the copy", 1, 0, "needs-action", "copy");
    addTask(state, "slides", "team", "Slides for the all-hands", -2, 7);
    addTask(state, "budget", "team", "Budget sign-off", 99, 0, "completed");
    addTask(state, "plumber", "home", "Call the plumber about the leaking tap in the kitchen", 5,
            3);
    addTask(state, "tickets", "home", "Book concert tickets", 99, 0, "cancelled");
    addTask(state, "groceries", "home", "Groceries", 99);
}

QDateTime local(const QDate& date, int hour)
{
    return QDateTime(date, QTime(hour, 0), QTimeZone::systemTimeZone());
}

// The pane reads the store off the window's thread: its rows come with a later turn of the loop.
void settle(TasksPane* pane)
{
    QApplication::processEvents();
    const QDeadlineTimer deadline(10000);
    while (pane->isLoading() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    QApplication::processEvents();
}

} // namespace

int main(int argc, char* argv[])
{
    GalleryCapture capture(local(today, 10));
    QApplication app(argc, argv);
    if (const int status = capture.start(argc, argv, "tasks_pane_shots"))
        return status;
    AppState* state = capture.state();
    seed(*state);

    ThemeManager theme(nullptr);
    for (const char* mode : {"light", "dark"}) {
        theme.setMode(QString::fromLatin1(mode));
        const QString suffix = GalleryCapture::suffix(mode);
        auto* pane = new TasksPane(state);
        pane->resize(340, 640);
        pane->show();
        pane->setGroupByCalendar(true);
        pane->setFilter(0);
        settle(pane);
        capture.save(pane, QStringLiteral("grouped") + suffix);

        for (TasksPaneRow* row : pane->findChildren<TasksPaneRow*>()) {
            if (row->task().id == QLatin1String("slides") && row->isVisible())
                row->showDropZone(2);
        }
        capture.save(pane, QStringLiteral("drag-into") + suffix);

        pane->setGroupByCalendar(false);
        settle(pane);
        capture.save(pane, QStringLiteral("flat") + suffix);

        pane->setHideCompleted(true);
        pane->setFilter(1);
        settle(pane);
        capture.save(pane, QStringLiteral("due-today-hide-completed") + suffix);
        pane->setHideCompleted(false);
        delete pane;
    }
    // A theme chosen while the pane is on screen: the rows and the filter glyph follow it.
    {
        theme.setMode(QStringLiteral("light"));
        auto* pane = new TasksPane(state);
        pane->resize(340, 640);
        pane->show();
        pane->setFilter(0);
        pane->setGroupByCalendar(true);
        settle(pane);
        theme.setMode(QStringLiteral("dark"));
        settle(pane);
        capture.save(pane, QStringLiteral("switched-to-dark.png"));
        theme.setMode(QStringLiteral("light"));
        settle(pane);
        capture.saveAndDelete(pane, QStringLiteral("switched-back-to-light.png"));
    }
    // A task whose title, notes and category are a megabyte each: a few lines of each.
    {
        QString megabyte;
        while (megabyte.size() < 1024 * 1024)
            megabyte += QStringLiteral("LongText ");
        Task task = *state->tasks()->getById(QStringLiteral("groceries"));
        task.title = task.description = megabyte;
        task.categories = {megabyte, QStringLiteral("Errands")};
        task.rawIcalendar = Ical::buildTask(task);
        state->tasks()->update(task);
        for (const char* mode : {"light", "dark"}) {
            theme.setMode(QString::fromLatin1(mode));
            auto* pane = new TasksPane(state);
            pane->resize(340, 640);
            pane->show();
            pane->setFilter(0);
            pane->setGroupByCalendar(true);
            pane->setShowNotes(true);
            pane->setShowCategories(true);
            settle(pane);
            pane->showRow(pane->rowCount() - 1);
            settle(pane);
            capture.save(pane, QStringLiteral("megabyte-title") + GalleryCapture::suffix(mode));
            pane->setShowNotes(false);
            pane->setShowCategories(false);
            delete pane;
        }
    }
    for (const Task& task : state->tasks()->getByCalendar(QStringLiteral("team")) +
                                state->tasks()->getByCalendar(QStringLiteral("home")))
        state->tasks()->remove(task.id);
    for (const char* mode : {"light", "dark"}) {
        theme.setMode(QString::fromLatin1(mode));
        auto* pane = new TasksPane(state);
        pane->setFilter(0);
        pane->resize(340, 640);
        settle(pane);
        capture.saveAndDelete(pane, QStringLiteral("empty") + GalleryCapture::suffix(mode));
    }
    return capture.finish();
}

// The sidebar (small month over the agenda, in both modes) in the main window at 1024 by 640 and
// at full size, and the detached agenda and tasks windows, light and dark:
//     xvfb-run -a build/tools/sidebar_shots /tmp/sidebar

#include "AgendaListWidget.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DetachedAgendaWindow.h"
#include "DetachedTasksWindow.h"
#include "EventRepository.h"
#include "GalleryCapture.h"
#include "Ical.h"
#include "MainWindow.h"
#include "PreferencesRepository.h"
#include "Sidebar.h"
#include "TaskRepository.h"
#include "ThemeManager.h"

#include <QApplication>
#include <QTimeZone>
#include <QUuid>

namespace {

const QDate today(2026, 3, 11);

QDateTime local(const QDate& date, int hour, int minute = 0)
{
    return QDateTime(date, QTime(hour, minute), QTimeZone::systemTimeZone());
}

void addEvent(AppState& state, const QString& calendarId, const QString& title,
              const QDateTime& start, int minutes, const QString& location = {},
              bool allDay = false)
{
    Event event;
    event.id = event.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.calendarId = calendarId;
    event.title = title;
    event.location = location;
    event.isAllDay = allDay;
    if (allDay) {
        event.startTime = QDateTime(start.date(), QTime(0, 0), QTimeZone::utc());
        event.endTime = event.startTime.addDays(minutes / (24 * 60));
    } else {
        event.startTime = start.toUTC();
        event.endTime = event.startTime.addSecs(minutes * 60);
    }
    if (title == QLatin1String("Dentist")) {
        Reminder reminder;
        reminder.minutesBefore = 30;
        event.reminders.append(reminder);
    }
    event.created = event.lastModified = Clock::now();
    state.events()->insert(event);
}

void addTask(AppState& state, const char* id, const char* title, int dueInDays, int priority,
             const char* status = "needs-action")
{
    Task task;
    task.id = task.uid = QString::fromLatin1(id);
    task.calendarId = QStringLiteral("team");
    task.title = QString::fromUtf8(title);
    task.dueDate = QDateTime(today.addDays(dueInDays), QTime(0, 0), QTimeZone::utc());
    task.priority = priority;
    task.status = QString::fromLatin1(status);
    task.created = task.lastModified = Clock::now();
    task.rawIcalendar = Ical::buildTask(task);
    state.tasks()->insert(task);
}

void seed(AppState& state)
{
    GalleryCapture::addAccount(state, QStringLiteral("work"), QStringLiteral("Work"));
    GalleryCapture::addCalendar(state, QStringLiteral("team"), QStringLiteral("work"),
                                QStringLiteral("Team"), QStringLiteral("#33b679"));
    const QString home = AppState::localCalendarId;
    addEvent(state, QStringLiteral("team"), QStringLiteral("Standup"), local(today, 9, 30), 15);
    addEvent(state, QStringLiteral("team"), QStringLiteral("Design review with the platform team"),
             local(today, 11), 60, QStringLiteral("Room 4.12, second floor"));
    addEvent(state, home, QStringLiteral("Dentist"), local(today, 16), 45,
             QStringLiteral("Hauptstraße 5"));
    addEvent(state, home, QStringLiteral("Trade fair"), local(today.addDays(1), 0), 3 * 24 * 60,
             QStringLiteral("Messe Süd"), true);
    addEvent(state, QStringLiteral("team"), QStringLiteral("Late deploy"),
             local(today.addDays(1), 22), 180);
    addEvent(state, QStringLiteral("team"), QString(), local(today.addDays(5), 14), 30);
    addEvent(state, home, QStringLiteral("Concert"), local(today.addDays(9), 20), 120,
             QStringLiteral("Philharmonie"));
    addTask(state, "slides", "Slides for the all-hands", 0, 1);
    addTask(state, "budget", "Budget sign-off", 0, 0, "completed");
    addTask(state, "overdue", "Expense report", -3, 5);
    addTask(state, "plumber", "Call the plumber", 2, 3);
}

} // namespace

int main(int argc, char* argv[])
{
    GalleryCapture capture(local(today, 10, 20));
    QApplication app(argc, argv);
    if (const int status = capture.start(argc, argv, "sidebar_shots"))
        return status;
    AppState* state = capture.state();
    seed(*state);
    state->preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
    state->setViewMode(QStringLiteral("week"));

    for (const char* mode : {"light", "dark"}) {
        state->themeManager()->apply(QString::fromLatin1(mode));
        const QString suffix = GalleryCapture::suffix(mode);
        MainWindow window(state);
        window.show();
        Sidebar* sidebar = window.findChild<Sidebar*>();
        for (const bool emptyDays : {true, false}) {
            sidebar->agenda()->setShowEmptyDays(emptyDays);
            const QString modeName = emptyDays ? QStringLiteral("agenda") : QStringLiteral("list");
            for (const QSize& size : {QSize(1024, 640), QSize(1440, 900)}) {
                window.resize(size);
                QApplication::processEvents();
                capture.save(&window, QStringLiteral("main-%1-%2x%3")
                                              .arg(modeName)
                                              .arg(size.width())
                                              .arg(size.height()) +
                                          suffix);
            }
            capture.save(sidebar, QStringLiteral("sidebar-") + modeName + suffix);
        }
        sidebar->agenda()->setShowEmptyDays(true);

        DetachedAgendaWindow* agenda = window.openDetachedAgenda();
        QApplication::processEvents();
        capture.save(agenda, QStringLiteral("detached-agenda") + suffix);
        DetachedTasksWindow* tasks = window.openDetachedTasks();
        QApplication::processEvents();
        capture.save(tasks, QStringLiteral("detached-tasks") + suffix);
    }
    return capture.finish();
}

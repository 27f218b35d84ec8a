// The agenda list over one seeded store, light and dark, at the sidebar's size: the agenda mode
// with a week of events and tasks (all-day, overnight, pending with a reminder, a long title and
// location, a completed and an overdue task), the list mode, the empty page, and a day whose event
// has a megabyte title and location, with the card a click on it opens.
//     xvfb-run -a build/tools/agenda_list_shots /tmp/agenda

#include "AgendaEventRow.h"
#include "AgendaListWidget.h"
#include "AppState.h"
#include "Clock.h"
#include "EventRepository.h"
#include "GalleryCapture.h"
#include "Ical.h"
#include "TaskRepository.h"
#include "ThemeManager.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimeZone>

namespace {

const QDate today(2026, 3, 11);
// The day of an event with a megabyte title and location, alone in its week.
const QDate longDay = today.addDays(21);

QDateTime local(const QDate& date, int hour, int minute = 0)
{
    return QDateTime(date, QTime(hour, minute), QTimeZone::systemTimeZone());
}

void addEvent(AppState& state, const char* id, const char* calendarId, const char* title,
              const QDateTime& start, const QDateTime& end, const char* location = "",
              bool allDay = false)
{
    Event event;
    event.id = event.uid = QString::fromLatin1(id);
    event.calendarId = QString::fromLatin1(calendarId);
    event.title = QString::fromUtf8(title);
    event.location = QString::fromUtf8(location);
    event.isAllDay = allDay;
    event.startTime = start;
    event.endTime = end;
    event.created = event.lastModified = Clock::now();
    event.rawIcalendar = Ical::buildEvent(event);
    state.events()->insert(event);
}

void addTask(AppState& state, const char* id, const char* title, int dueInDays, int priority,
             const char* status = "needs-action")
{
    Task task;
    task.id = task.uid = QString::fromLatin1(id);
    task.calendarId = QStringLiteral("home");
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
    GalleryCapture::addCalendar(state, QStringLiteral("home"), QStringLiteral("work"),
                                QStringLiteral("Home"), QStringLiteral("#e67c73"));
    addEvent(state, "review", "team", "Design review", local(today, 14), local(today, 15),
             "Room 4");
    addEvent(state, "release", "team",
             "Release planning for the spring version with the whole product group",
             local(today, 16), local(today, 17, 30),
             "Main building, third floor, the large meeting room by the stairs");
    addEvent(state, "night", "home", "Night train to Vienna", local(today, 22),
             local(today.addDays(1), 6, 45), "Central station");
    addEvent(state, "fair", "home", "Book fair", QDateTime(today.addDays(2), QTime(0, 0), Qt::UTC),
             QDateTime(today.addDays(4), QTime(0, 0), Qt::UTC), "", true);
    addEvent(state, "dentist", "home", "Dentist", local(today.addDays(5), 9),
             local(today.addDays(5), 9, 30));
    Event pending = *state.events()->getById(QStringLiteral("review"));
    pending.syncStatus = QStringLiteral("pending");
    Reminder reminder;
    reminder.minutesBefore = 15;
    pending.reminders.append(reminder);
    state.events()->update(pending);
    addTask(state, "slides", "Slides for the all-hands", -2, 2);
    addTask(state, "plumber", "Call the plumber", 0, 0);
    addTask(state, "tickets", "Book concert tickets", 0, 1, "completed");
    addTask(state, "taxes", "File the taxes", 1, 5);

    Event extreme;
    extreme.id = extreme.uid = QStringLiteral("long");
    extreme.calendarId = QStringLiteral("team");
    extreme.title = QStringLiteral("Release planning for the spring version ").repeated(26000);
    extreme.location = QStringLiteral("Main building, third floor ").repeated(38000);
    extreme.description =
        QStringLiteral("Agenda: https://example.com/plan and more. ").repeated(24000);
    extreme.startTime = local(longDay, 11);
    extreme.endTime = local(longDay, 12);
    extreme.created = extreme.lastModified = Clock::now();
    extreme.rawIcalendar = Ical::buildEvent(extreme);
    state.events()->insert(extreme);
    addEvent(state, "after", "team", "Design review", local(longDay, 14), local(longDay, 15),
             "Room 4");
}

void settle(const AgendaListWidget& list)
{
    do
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    while (list.isLoading());
    QApplication::processEvents();
}

} // namespace

int main(int argc, char* argv[])
{
    GalleryCapture capture(local(today, 10));
    QApplication app(argc, argv);
    if (const int status = capture.start(argc, argv, "agenda_list_shots"))
        return status;
    AppState* state = capture.state();
    seed(*state);
    state->setViewModeAndDate(QStringLiteral("day"), today.addDays(-2));

    ThemeManager theme(nullptr);
    for (const char* mode : {"light", "dark"}) {
        theme.setMode(QString::fromLatin1(mode));
        const QString suffix = GalleryCapture::suffix(mode);
        auto* list = new AgendaListWidget(state, true, 8, QString());
        list->resize(380, 720);
        list->show();
        QApplication::processEvents();
        capture.save(list, QStringLiteral("agenda") + suffix);
        list->setShowEmptyDays(false);
        QApplication::processEvents();
        capture.save(list, QStringLiteral("list") + suffix);
        delete list;

        state->setCurrentDate(today.addYears(1));
        auto* empty = new AgendaListWidget(state, false, 30, QString());
        empty->resize(380, 720);
        capture.saveAndDelete(empty, QStringLiteral("empty") + suffix);

        // A megabyte title and location: a few lines of each in the row, the start of them on
        // the card a click opens.
        state->setCurrentDate(longDay);
        QWidget host;
        host.resize(1024, 720);
        auto* longList = new AgendaListWidget(state, false, 1, QString(), &host);
        longList->setGeometry(0, 0, 380, 720);
        host.show();
        settle(*longList);
        capture.save(&host, QStringLiteral("long-texts") + suffix);
        if (auto* row = longList->findChild<AgendaEventRow*>()) {
            const QPointF at(row->width() / 2, row->height() / 2);
            QMouseEvent release(QEvent::MouseButtonRelease, at, row->mapToGlobal(at),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(row, &release);
            settle(*longList);
            capture.save(&host, QStringLiteral("long-texts-card") + suffix);
        }
        state->setCurrentDate(today.addDays(-2));
    }
    return capture.finish();
}

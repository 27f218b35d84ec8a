// Renders the view area in every mode (day, days, week, grid, month, year) and the mini month
// over one seeded store, light and dark, in a narrow and a wide window, as PNG files for a person
// to look at. Works on a throw-away store with a pinned clock and contacts nothing. Run under a
// display:
//     xvfb-run -a view_modes_gallery <output folder>

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "GalleryCapture.h"
#include "Ical.h"
#include "MiniMonthCalendar.h"
#include "ThemeManager.h"
#include "ViewArea.h"

#include <QApplication>
#include <QTimeZone>

namespace {

const QDate today(2026, 3, 11);

QDateTime local(const QDate& date, int hour, int minute = 0)
{
    return QDateTime(date, QTime(hour, minute), QTimeZone::systemTimeZone());
}

void addCalendars(AppState& state)
{
    const QString account = QStringLiteral("work-account");
    GalleryCapture::addAccount(state, account, QStringLiteral("Work"));
    GalleryCapture::addCalendar(state, QStringLiteral("family"), account, QStringLiteral("Family"),
                                QStringLiteral("#e67c73"));
    GalleryCapture::addCalendar(state, QStringLiteral("projects"), account,
                                QStringLiteral("Projects"), QStringLiteral("#33b679"));
}

void addEvent(AppState& state, const QString& id, const QString& calendar, const QString& title,
              const QDateTime& start, const QDateTime& end, const QString& extra = QString())
{
    Event event;
    event.id = event.uid = id;
    event.calendarId = calendar;
    event.title = title;
    event.startTime = start;
    event.endTime = end;
    if (extra == QLatin1String("allday")) {
        event.isAllDay = true;
        event.startTime = QDateTime(start.date(), QTime(0, 0), QTimeZone::utc());
        event.endTime = QDateTime(end.date(), QTime(0, 0), QTimeZone::utc());
    } else if (extra == QLatin1String("weekly")) {
        event.recurrenceRule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO,WE,FR");
    } else if (extra == QLatin1String("pending")) {
        event.syncStatus = QStringLiteral("pending");
        Reminder reminder;
        reminder.minutesBefore = 10;
        event.reminders.append(reminder);
    } else if (extra == QLatin1String("purple")) {
        event.color = QStringLiteral("#8e24aa");
    }
    event.created = event.lastModified = Clock::now();
    event.rawIcalendar = Ical::buildEvent(event);
    state.events()->insert(event);
}

void seed(AppState& state)
{
    addCalendars(state);
    const QString family = QStringLiteral("family");
    const QString projects = QStringLiteral("projects");
    const QString personal = AppState::localCalendarId;
    addEvent(state, "standup", projects, "Standup", local(today.addDays(-14), 9),
             local(today.addDays(-14), 9, 15), "weekly");
    addEvent(state, "review", projects, "Quarterly review with the regional team", local(today, 10),
             local(today, 11, 30), "pending");
    addEvent(state, "design", projects, "Design critique", local(today, 10, 30), local(today, 12));
    addEvent(state, "lunch", family, "Lunch with Ana", local(today, 12, 30), local(today, 13, 30));
    addEvent(state, "dentist", personal, "Dentist", local(today.addDays(1), 15),
             local(today.addDays(1), 16), "purple");
    addEvent(state, "flight", family, "Night flight to Lisbon", local(today.addDays(2), 22),
             local(today.addDays(3), 2));
    addEvent(state, "holiday", family, "School holiday", local(today.addDays(3), 0),
             local(today.addDays(6), 0), "allday");
    addEvent(state, "birthday", family, "Mia's birthday", local(today.addDays(-2), 0),
             local(today.addDays(-1), 0), "allday");
    for (int i = 0; i < 7; ++i)
        addEvent(state, QStringLiteral("busy%1").arg(i), projects,
                 QStringLiteral("Interview slot %1").arg(i + 1), local(today.addDays(-1), 8 + i),
                 local(today.addDays(-1), 8 + i, 45));
    addEvent(state, "retro", projects, "Retrospective", local(today.addDays(8), 14),
             local(today.addDays(8), 15));
    addEvent(state, "trip", family, "Conference", local(today.addDays(20), 0),
             local(today.addDays(23), 0), "allday");
    addEvent(state, "summer", family, "Summer party", local(QDate(2026, 7, 4), 18),
             local(QDate(2026, 7, 4), 22));

    FilterRule dim;
    dim.id = QStringLiteral("dim-lunch");
    dim.name = QStringLiteral("Lunches");
    dim.type = QStringLiteral("pattern");
    dim.action = QStringLiteral("dim");
    dim.conditions = QStringLiteral(R"({"runtimeType":"pattern","titleContains":["Lunch"]})");
    dim.createdAt = dim.updatedAt = Clock::now();
    state.filterRules()->insert(dim);
}

} // namespace

int main(int argc, char* argv[])
{
    GalleryCapture capture(local(today, 10, 7));

    QApplication app(argc, argv);
    if (const int status = capture.start(argc, argv, "view_modes_gallery"))
        return status;
    AppState* state = capture.state();
    seed(*state);
    state->setCurrentDate(today);
    state->setWeekHorizon(5);

    ThemeManager theme(nullptr);
    for (const char* mode : {"light", "dark"}) {
        theme.setMode(QString::fromLatin1(mode));
        const QString suffix = GalleryCapture::suffix(mode);
        for (const QSize& size : {QSize(760, 620), QSize(1500, 900)}) {
            auto* area = new ViewArea(state);
            area->resize(size);
            area->show();
            for (const char* word : {"day", "days", "week", "grid", "month", "year"}) {
                area->setMode(QString::fromLatin1(word));
                QApplication::processEvents();
                const QString name =
                    QString::fromLatin1(word) + QLatin1Char('-') +
                    (size.width() < 1000 ? QStringLiteral("narrow") : QStringLiteral("wide")) +
                    suffix;
                capture.save(area, name);
            }
            delete area;
        }
        auto* mini = new MiniMonthCalendar(state);
        mini->resize(240, 274);
        capture.saveAndDelete(mini, QStringLiteral("minimonth") + suffix);
    }
    return capture.finish();
}

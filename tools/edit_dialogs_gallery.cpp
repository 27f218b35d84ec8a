// Renders the editing dialogs (date and time picker, repeat rule editor, event form new and edit,
// recurring edit question, filter form on each kind, template editor, quick add, calendar form
// in its three modes) in light and dark mode as PNG files for a person to look at.
// Works on a throw-away store with a pinned clock and contacts nothing. Run under a display,
// on a laptop's screen, where the tallest forms scroll inside the dialog:
//     xvfb-run -a -s "-screen 0 1280x720x24" edit_dialogs_gallery <output folder>
// (on a taller screen, such as 1920x1200, they show whole)

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarFormDialog.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "DateTimePicker.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "FilterFormDialog.h"
#include "FilterRuleRepository.h"
#include "GalleryCapture.h"
#include "Ical.h"
#include "QuickAddDialog.h"
#include "RecurrenceEditDialog.h"
#include "RecurringEdit.h"
#include "RecurringEditScopeDialog.h"
#include "TaskFormDialog.h"
#include "TaskRepository.h"
#include "TemplateEditorDialog.h"
#include "ThemeManager.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimeZone>
#include <QToolButton>

namespace {

const QDate today(2026, 3, 11);

QDateTime local(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, QTimeZone::systemTimeZone());
}

void addCalendars(AppState& state)
{
    GalleryCapture::addAccount(state, QStringLiteral("home"), QStringLiteral("Home"));
    GalleryCapture::addAccount(state, QStringLiteral("work"), QStringLiteral("Work"));
    GalleryCapture::addCalendar(state, QStringLiteral("family"), QStringLiteral("home"),
                                QStringLiteral("Family"), QStringLiteral("#e67c73"));
    GalleryCapture::addCalendar(state, QStringLiteral("projects"), QStringLiteral("work"),
                                QStringLiteral("Projects with a rather long calendar name"),
                                QStringLiteral("#33b679"));
}

Event sampleEvent()
{
    Event event;
    event.id = event.uid = QStringLiteral("sample");
    event.calendarId = QStringLiteral("family");
    event.title = QStringLiteral("Quarterly review with the regional team");
    event.location = QStringLiteral("Room 4.12, north building");
    event.description = QStringLiteral("Agenda:\n1. Numbers\n2. Hiring\n3. Next quarter");
    event.startTime = local(today, QTime(14, 0));
    event.endTime = local(today, QTime(15, 30));
    event.recurrenceRule = QStringLiteral("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;COUNT=10");
    event.color = QStringLiteral("#8e24aa");
    for (int minutes : {15, 45, 1440}) {
        Reminder reminder;
        reminder.minutesBefore = minutes;
        event.reminders.append(reminder);
    }
    const struct
    {
        const char* name;
        const char* email;
        const char* status;
    } people[] = {{"Ann Meyer", "ann.meyer@example.com", "accepted"},
                  {"Bo", "bo@example.com", "needs-action"},
                  {"", "carla.de.la.fuente@example.com", "tentative"}};
    for (const auto& person : people) {
        Attendee attendee;
        attendee.name = QString::fromLatin1(person.name);
        attendee.email = QString::fromLatin1(person.email);
        attendee.status = QString::fromLatin1(person.status);
        event.attendees.append(attendee);
    }
    event.created = event.lastModified = Clock::now();
    event.rawIcalendar = Ical::buildEvent(event);
    return event;
}

// A repeating task with a start, a due date and categories; in `calendarId`.
Task sampleTask(const QString& id, const QString& calendarId)
{
    Task task;
    task.id = task.uid = id;
    task.calendarId = calendarId;
    task.title = QStringLiteral("Prepare the quarterly report");
    task.description = QStringLiteral("Collect the numbers from finance first.");
    task.startDate = local(today, QTime(9, 0)).toUTC();
    task.dueDate = QDateTime(today.addDays(2), QTime(0, 0), Qt::UTC);
    task.dueIsDateOnly = true;
    task.startIsDateOnly = false;
    task.priority = 2;
    task.status = QStringLiteral("in-process");
    task.recurrenceRule = QStringLiteral("FREQ=MONTHLY;BYMONTHDAY=1");
    task.repeatMode = QStringLiteral("fromCompletionDate");
    task.categories = {QStringLiteral("Work"), QStringLiteral("Finance")};
    task.created = task.lastModified = Clock::now();
    task.rawIcalendar = Ical::buildTask(task);
    return task;
}

// A start and an end picker bound together, as the forms hold them.
QWidget* pickers()
{
    auto* box = new QWidget;
    auto* form = new QFormLayout(box);
    auto* start = new DateTimePicker(Qt::Monday);
    auto* end = new DateTimePicker(Qt::Monday);
    start->setDateTime(QDateTime(today, QTime(9, 10)));
    end->setDateTime(QDateTime(today, QTime(10, 30)));
    end->setReference(start);
    auto* allDay = new DateTimePicker(Qt::Monday);
    allDay->setAllDay(true);
    form->addRow(QStringLiteral("Starts"), start);
    form->addRow(QStringLiteral("Ends"), end);
    form->addRow(QStringLiteral("All day"), allDay);
    box->resize(480, box->sizeHint().height());
    return box;
}

FilterRule timeRule()
{
    FilterRule rule;
    rule.id = QStringLiteral("late");
    rule.name = QStringLiteral("Late meetings");
    rule.type = QStringLiteral("time");
    rule.action = QStringLiteral("dim");
    rule.suppressReminders = true;
    rule.conditions = QStringLiteral(R"({"daysOfWeek":["mon","fri"],"recurringOnly":false,)"
                                     R"("runtimeType":"time","timeRange":{"end":"23:00",)"
                                     R"("start":"18:00"}})");
    rule.calendarIds = QStringLiteral(R"(["family"])");
    return rule;
}

// The filter form switched to one kind by its button, as a person does.
QWidget* filterOnKind(AppState* state, const QString& kindButton)
{
    auto* dialog = new FilterFormDialog(state);
    for (QToolButton* button : dialog->findChildren<QToolButton*>()) {
        if (button->text() == kindButton)
            button->click();
    }
    return dialog;
}

// What a server may send: a megabyte title, location and description, 5,000 attendees or 2,000
// reminders.
Event extremeEvent(const QString& id, bool longTexts, int attendees, int reminders = 0)
{
    Event event = sampleEvent();
    event.id = event.uid = id;
    event.recurrenceRule.clear();
    if (longTexts) {
        event.title = QStringLiteral("Quarterly review with the regional team ").repeated(27000);
        event.location = QStringLiteral("Room 4.12, north building ").repeated(40000);
        event.description =
            QStringLiteral("Agenda: numbers, hiring, next quarter. ").repeated(27000);
    }
    for (int i = event.attendees.size(); i < attendees; ++i) {
        Attendee attendee;
        attendee.name = QStringLiteral("Person %1").arg(i);
        attendee.email = QStringLiteral("person%1@example.com").arg(i);
        attendee.status = QStringLiteral("accepted");
        event.attendees.append(attendee);
    }
    for (int i = event.reminders.size(); i < reminders; ++i) {
        Reminder reminder;
        reminder.minutesBefore = (i * 37) % 3000;
        reminder.action = QStringLiteral("display");
        event.reminders.append(reminder);
    }
    return event;
}

EventTemplate sampleTemplate()
{
    EventTemplate tmpl;
    tmpl.id = QStringLiteral("standup");
    tmpl.name = QStringLiteral("Team standup");
    tmpl.title = QStringLiteral("Standup");
    tmpl.description = QStringLiteral("Yesterday, today, blockers.");
    tmpl.location = QStringLiteral("Video call");
    tmpl.color = QStringLiteral("#33b679");
    tmpl.durationMinutes = 15;
    tmpl.recurrenceRule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR");
    tmpl.calendarId = QStringLiteral("projects");
    tmpl.reminders = {5, 45};
    return tmpl;
}

QWidget* quickAdd(AppState* state)
{
    auto* dialog = new QuickAddDialog(state);
    dialog->show();
    dialog->findChild<QLineEdit*>()->setText(QStringLiteral("lunch with Ann Thursday 1pm"));
    return dialog;
}

} // namespace

int main(int argc, char* argv[])
{
    GalleryCapture capture(local(today, QTime(10, 7)));

    QApplication app(argc, argv);
    if (const int status = capture.start(argc, argv, "edit_dialogs_gallery"))
        return status;
    AppState* state = capture.state();
    addCalendars(*state);
    const Event event = sampleEvent();
    state->events()->insert(event);
    GalleryCapture::addCalendar(*state, QStringLiteral("shared"), QStringLiteral("work"),
                                QStringLiteral("Shared holidays"), QStringLiteral("#f4511e"));
    if (auto shared = state->calendars()->getById(QStringLiteral("shared"))) {
        shared->isReadOnly = true;
        state->calendars()->update(*shared);
    }
    const Task task = sampleTask(QStringLiteral("task"), QStringLiteral("projects"));
    const Task lockedTask = sampleTask(QStringLiteral("locked"), QStringLiteral("shared"));
    state->tasks()->insert(task);
    state->tasks()->insert(lockedTask);

    ThemeManager theme(nullptr);
    const auto save = [&](QWidget* widget, const QString& name) {
        capture.saveAndDelete(widget, name);
    };
    for (const char* mode : {"light", "dark"}) {
        theme.setMode(QString::fromLatin1(mode));
        const QString suffix = GalleryCapture::suffix(mode);
        save(pickers(), QStringLiteral("pickers") + suffix);
        save(new RecurrenceEditDialog(QString(), today, 1),
             QStringLiteral("recurrence-weekly") + suffix);
        save(new RecurrenceEditDialog(
                 QStringLiteral("FREQ=MONTHLY;INTERVAL=2;BYDAY=-1FR;UNTIL=20261231"), today, 7),
             QStringLiteral("recurrence-monthly") + suffix);
        auto* noRepeat = new RecurrenceEditDialog(QStringLiteral("FREQ=DAILY;COUNT=5"), today, 1);
        auto* frequency = noRepeat->findChild<QComboBox*>();
        frequency->setCurrentIndex(frequency->findText(QStringLiteral("Does not repeat")));
        save(noRepeat, QStringLiteral("recurrence-none") + suffix);
        save(new EventFormDialog(state), QStringLiteral("event-new") + suffix);
        // One occurrence, as "This event only" opens it: no calendar, rule or all-day to change.
        Event second = event;
        second.startTime = event.startTime.addDays(14);
        second.endTime = event.endTime->addDays(14);
        auto* occurrence = new EventFormDialog(state, second);
        occurrence->setSeriesScope(event, second.startTime, 1);
        save(occurrence, QStringLiteral("event-occurrence") + suffix);
        save(new EventFormDialog(state, *state->events()->getById(event.id)),
             QStringLiteral("event-edit") + suffix);
        save(new EventFormDialog(state, extremeEvent(QStringLiteral("long"), true, 0)),
             QStringLiteral("event-long-texts") + suffix);
        save(new EventFormDialog(state, extremeEvent(QStringLiteral("many"), false, 5000)),
             QStringLiteral("event-5000-attendees") + suffix);
        save(new EventFormDialog(state, extremeEvent(QStringLiteral("alarms"), false, 0, 2000)),
             QStringLiteral("event-2000-reminders") + suffix);
        // Saved while an import writes: the form waits for its end.
        auto* waiting = new EventFormDialog(state, *state->events()->getById(event.id));
        state->holdStore();
        waiting->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        save(waiting, QStringLiteral("event-waiting") + suffix);
        state->releaseStore();
        save(new RecurringEditScopeDialog(event.title), QStringLiteral("scope") + suffix);
        save(new RecurringEditScopeDialog(event.title, nullptr,
                                          RecurringEditScopeDialog::Mode::Delete),
             QStringLiteral("scope-delete") + suffix);
        // What an undo tells when another client changed the series' frame since the change.
        save(new QMessageBox(QMessageBox::Warning, QStringLiteral("Calendar"),
                             RecurringEdit::changedElsewhereText(event.title)),
             QStringLiteral("undo-changed-elsewhere") + suffix);
        // What a Save tells when the clocks skip the time typed for a new series and for one
        // event (the spring night).
        Event skipped = event;
        skipped.startTime = local(QDate(2027, 3, 28), QTime(3, 30));
        skipped.endTime = local(QDate(2027, 3, 28), QTime(4, 30));
        save(new QMessageBox(QMessageBox::Warning, QStringLiteral("Calendar"),
                             EventFormDialog::skippedTimeText(state, skipped, QDate(2027, 3, 28))),
             QStringLiteral("event-skipped-time-series") + suffix);
        skipped.recurrenceRule.clear();
        save(new QMessageBox(QMessageBox::Warning, QStringLiteral("Calendar"),
                             EventFormDialog::skippedTimeText(state, skipped, QDate(2027, 3, 28))),
             QStringLiteral("event-skipped-time") + suffix);
        // What an undo tells when another client deleted the occurrence the change made.
        save(new QMessageBox(QMessageBox::Warning, QStringLiteral("Calendar"),
                             RecurringEdit::occurrenceGoneText(event.title, QDate(2027, 3, 29))),
             QStringLiteral("undo-occurrence-gone") + suffix);
        FilterFormDialog* pattern = new FilterFormDialog(state);
        pattern->findChildren<QLineEdit*>().value(0)->setText(QStringLiteral("Quiet reviews"));
        save(pattern, QStringLiteral("filter-pattern") + suffix);
        save(new FilterFormDialog(state, timeRule()), QStringLiteral("filter-time") + suffix);
        auto* specific = new FilterFormDialog(state);
        specific->setSpecificEvent(event);
        save(specific, QStringLiteral("filter-specific") + suffix);
        save(filterOnKind(state, QStringLiteral("All-Day Events")),
             QStringLiteral("filter-allday") + suffix);
        save(new TemplateEditorDialog(state, sampleTemplate()),
             QStringLiteral("template-edit") + suffix);
        save(new TemplateEditorDialog(state, EventTemplate()),
             QStringLiteral("template-new") + suffix);
        EventTemplate alarms = sampleTemplate();
        for (int i = 0; i < 2000; ++i)
            alarms.reminders.append((i * 37) % 3000);
        save(new TemplateEditorDialog(state, alarms),
             QStringLiteral("template-2000-reminders") + suffix);
        save(quickAdd(state), QStringLiteral("quickadd") + suffix);
        save(new TaskFormDialog(state), QStringLiteral("task-new") + suffix);
        save(new TaskFormDialog(state, task), QStringLiteral("task-edit") + suffix);
        save(new TaskFormDialog(state, lockedTask), QStringLiteral("task-readonly") + suffix);
        auto* subtask = new TaskFormDialog(state);
        subtask->setParentTask(task);
        save(subtask, QStringLiteral("task-subtask") + suffix);
        save(new CalendarFormDialog(state), QStringLiteral("calendar-new") + suffix);
        save(new CalendarFormDialog(state, *state->accounts()->getById("work")),
             QStringLiteral("calendar-account") + suffix);
        save(new CalendarFormDialog(state, *state->calendars()->getById("projects")),
             QStringLiteral("calendar-edit") + suffix);
    }

    // Megabyte texts from elsewhere: an event title the filter preview names, a template and a
    // task whose texts are each a megabyte.
    QString megabyte;
    while (megabyte.size() < 1024 * 1024)
        megabyte += QStringLiteral("LongText ");
    Event longEvent = event;
    longEvent.id = longEvent.uid = QStringLiteral("long");
    longEvent.title = megabyte;
    longEvent.recurrenceRule.clear();
    longEvent.startTime = local(today.addDays(1), QTime(9, 0));
    longEvent.endTime = local(today.addDays(1), QTime(10, 0));
    longEvent.rawIcalendar = Ical::buildEvent(longEvent);
    state->events()->insert(longEvent);
    EventTemplate longTemplate = sampleTemplate();
    longTemplate.name = longTemplate.title = longTemplate.description = longTemplate.location =
        megabyte;
    Task longTask = sampleTask(QStringLiteral("long"), QStringLiteral("projects"));
    longTask.title = longTask.description = megabyte;
    longTask.categories = {megabyte};
    longTask.rawIcalendar = Ical::buildTask(longTask);
    state->tasks()->insert(longTask);
    for (const char* mode : {"light", "dark"}) {
        theme.setMode(QString::fromLatin1(mode));
        const QString suffix = GalleryCapture::suffix(mode);
        auto* pattern = new FilterFormDialog(state);
        pattern->show();
        for (QLineEdit* edit : pattern->findChildren<QLineEdit*>()) {
            if (edit->placeholderText().contains(QLatin1String("comma separated")))
                edit->setText(QStringLiteral("LongText"));
        }
        // The preview waits for typing to pause.
        const QDeadlineTimer pause(FilterFormDialog::previewDelayMs * 2);
        while (!pause.hasExpired())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        save(pattern, QStringLiteral("filter-pattern-long") + suffix);
        auto* specific = new FilterFormDialog(state);
        specific->setSpecificEvent(longEvent);
        save(specific, QStringLiteral("filter-specific-long") + suffix);
        save(new TemplateEditorDialog(state, longTemplate),
             QStringLiteral("template-edit-long") + suffix);
        save(new TaskFormDialog(state, longTask), QStringLiteral("task-edit-long") + suffix);
    }
    return capture.finish();
}

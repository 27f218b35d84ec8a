#include "AccountRepository.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Database.h"
#include "DateTimePicker.h"
#include "EventFormDialog.h"
#include "EventRepository.h"
#include "Ical.h"
#include "ModalSeam.h"
#include "PreferencesRepository.h"
#include "RecurrenceEditDialog.h"
#include "RruleFormat.h"
#include "TemplateRepository.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>
#include <QToolButton>

namespace {

const QDate today(2026, 3, 11);

QDateTime local(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, QTimeZone::systemTimeZone());
}

// The form's widgets as a person finds them.
struct Form
{
    explicit Form(EventFormDialog& dialog) : dialog(dialog)
    {
        const auto lines = dialog.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly);
        title = lines.value(0);
        location = lines.value(1);
        calendar = dialog.findChild<QComboBox*>(QString(), Qt::FindDirectChildrenOnly);
        const auto pickers = dialog.findChildren<DateTimePicker*>();
        start = pickers.value(0);
        end = pickers.value(1);
        allDay = dialog.findChild<QCheckBox*>();
        notes = dialog.findChild<QPlainTextEdit*>();
    }

    QPushButton* button(const QString& text) const
    {
        for (QPushButton* candidate : dialog.findChildren<QPushButton*>()) {
            if (candidate->text() == text)
                return candidate;
        }
        return nullptr;
    }
    QPushButton* ok() const
    {
        return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }
    // Clicks OK (or emits the box's accepted signal when OK is disabled) and answers every
    // message box with OK; what was shown.
    QList<ModalSeam::Seen> save() const
    {
        return ModalSeam::run(
            [this] {
                if (ok()->isEnabled())
                    ok()->click();
                else
                    Q_EMIT dialog.findChild<QDialogButtonBox*>()->accepted();
            },
            [](QWidget* window) { ModalSeam::clickButton(window, QStringLiteral("OK")); });
    }
    QStringList calendarLabels() const
    {
        QStringList labels;
        for (int i = 0; i < calendar->count(); ++i)
            labels.append(calendar->itemText(i));
        return labels;
    }
    QList<QComboBox*> reminderCombos() const
    {
        QList<QComboBox*> combos;
        for (QComboBox* combo : dialog.findChildren<QComboBox*>()) {
            if (combo != calendar && !qobject_cast<DateTimePicker*>(combo->parentWidget()) &&
                combo->isVisibleTo(&dialog))
                combos.append(combo);
        }
        return combos;
    }

    EventFormDialog& dialog;
    QLineEdit* title = nullptr;
    QLineEdit* location = nullptr;
    QComboBox* calendar = nullptr;
    DateTimePicker* start = nullptr;
    DateTimePicker* end = nullptr;
    QCheckBox* allDay = nullptr;
    QPlainTextEdit* notes = nullptr;
};

Account account(const QString& id, const QString& name)
{
    Account account;
    account.id = id;
    account.name = name;
    account.type = QStringLiteral("caldav");
    account.createdAt = account.updatedAt = local(today, QTime(8, 0));
    return account;
}

Calendar calendar(const QString& id, const QString& accountId, const QString& name)
{
    Calendar calendar;
    calendar.id = id;
    calendar.accountId = accountId;
    calendar.name = name;
    calendar.url = QStringLiteral("https://dav.example/") + id + QLatin1Char('/');
    calendar.color = QStringLiteral("#e67c73");
    calendar.createdAt = calendar.updatedAt = local(today, QTime(8, 0));
    return calendar;
}

// Home and Work accounts with a visible calendar each, a hidden and a read-only one, and one
// whose account has no name; the hub has seeded "On This Device / Personal" (its default).
void addCalendars(AppState* state)
{
    QVERIFY(state->accounts()->insert(account(QStringLiteral("home"), QStringLiteral("Home"))));
    QVERIFY(state->accounts()->insert(account(QStringLiteral("work"), QStringLiteral("Work"))));
    QVERIFY(state->calendars()->insert(
        calendar(QStringLiteral("alpha"), QStringLiteral("work"), QStringLiteral("Alpha"))));
    QVERIFY(state->calendars()->insert(
        calendar(QStringLiteral("zed"), QStringLiteral("home"), QStringLiteral("Zed"))));
    Calendar hidden =
        calendar(QStringLiteral("hidden"), QStringLiteral("home"), QStringLiteral("Birthdays"));
    hidden.isVisible = false;
    QVERIFY(state->calendars()->insert(hidden));
    Calendar readOnly =
        calendar(QStringLiteral("shared"), QStringLiteral("work"), QStringLiteral("Holidays"));
    readOnly.isReadOnly = true;
    QVERIFY(state->calendars()->insert(readOnly));
    // An account without a name labels its calendar like a missing one would.
    QVERIFY(state->accounts()->insert(account(QStringLiteral("nameless"), QStringLiteral(""))));
    QVERIFY(state->calendars()->insert(
        calendar(QStringLiteral("orphan"), QStringLiteral("nameless"), QStringLiteral("Beta"))));
}

Event storedEvent(const QString& calendarId)
{
    Event event;
    event.id = event.uid = QStringLiteral("ev-1");
    event.calendarId = calendarId;
    event.title = QStringLiteral("Review");
    event.startTime = local(today, QTime(14, 0));
    event.endTime = local(today, QTime(15, 0));
    event.sequence = 4;
    event.etag = QStringLiteral("etag-1");
    event.href = QStringLiteral("/cal/ev-1.ics");
    event.providerEventId = QStringLiteral("provider-1");
    event.color = QStringLiteral("#123456");
    event.created = event.lastModified = local(today.addDays(-10), QTime(9, 0));
    event.rawIcalendar = Ical::buildEvent(event);
    Reminder reminder;
    reminder.minutesBefore = 45;
    event.reminders.append(reminder);
    reminder.minutesBefore = 90;
    event.reminders.append(reminder);
    Attendee going;
    going.email = QStringLiteral("ann@example.com");
    going.name = QStringLiteral("Ann");
    going.status = QStringLiteral("accepted");
    going.role = QStringLiteral("optional");
    event.attendees.append(going);
    return event;
}

QStringList column(AppState* state, const QString& sql)
{
    QStringList values;
    QSqlQuery query(state->database()->database());
    if (!query.exec(sql))
        return {QStringLiteral("error")};
    while (query.next())
        values.append(query.value(0).toString());
    return values;
}

Event sent(const Event& row)
{
    const QList<Event> parsed = Ical::parseEvents(row.rawIcalendar);
    return parsed.size() == 1 ? parsed.first() : Event();
}

} // namespace

class TestEventFormDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // A new event starts at the next half hour and lasts an hour.
    void defaultTimes_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("start");
        QTest::newRow("10:07") << local(today, QTime(10, 7, 42)) << local(today, QTime(10, 30));
        QTest::newRow("10:30") << local(today, QTime(10, 30, 59)) << local(today, QTime(10, 30));
        QTest::newRow("10:45") << local(today, QTime(10, 45)) << local(today, QTime(11, 0));
        QTest::newRow("23:50") << local(today, QTime(23, 50))
                               << local(today.addDays(1), QTime(0, 0));
    }
    void defaultTimes()
    {
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, start);
        AppStateFixture fixture(now);
        QVERIFY(fixture.start());
        EventFormDialog dialog(fixture.state());
        const Form form(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("New Event"));
        QCOMPARE(form.start->dateTime(), QDateTime(start.date(), start.time()));
        const QDateTime end = start.addSecs(3600);
        QCOMPARE(form.end->dateTime(), QDateTime(end.date(), end.time()));

        // A slot the views hand over may lie before the default start, even days before.
        dialog.setStartAndDuration(QDateTime(today.addDays(-3), QTime(8, 0)), 90);
        QCOMPARE(form.start->dateTime(), QDateTime(today.addDays(-3), QTime(8, 0)));
        QCOMPARE(form.end->dateTime(), QDateTime(today.addDays(-3), QTime(9, 30)));
    }

    // Only visible, writable calendars, labelled by account and sorted by label; the preferred
    // calendar when offered, else the default one.
    void calendarChoices_data()
    {
        QTest::addColumn<QString>("preferred");
        QTest::addColumn<QString>("selected");
        QTest::newRow("no preference") << ""
                                       << "orvandellic-personal-default";
        QTest::newRow("preferred offered") << "alpha"
                                           << "alpha";
        QTest::newRow("preferred hidden") << "hidden"
                                          << "orvandellic-personal-default";
    }
    void calendarChoices()
    {
        QFETCH(QString, preferred);
        QFETCH(QString, selected);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        addCalendars(fixture.state());
        if (!preferred.isEmpty())
            fixture.state()->preferences()->set(QStringLiteral("ui/defaultCalendarId"), preferred);
        EventFormDialog dialog(fixture.state());
        const Form form(dialog);
        QCOMPARE(form.calendarLabels(),
                 (QStringList{"Beta", "Home / Zed", "On This Device / Personal", "Work / Alpha"}));
        QCOMPARE(form.calendar->currentData().toString(), selected);
    }

    // A person fills in every field, sets a colour and a repeat rule in their dialogs, and
    // creates the event: it is stored pending, trimmed, with its reminders and attendees, and
    // the text a push sends says the same.
    void createEvent()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        EventFormDialog dialog(fixture.state());
        const Form form(dialog);
        form.title->setText(QStringLiteral("  Sprint planning  "));
        form.location->setText(QStringLiteral(" Room 4 "));
        form.notes->setPlainText(QStringLiteral("  agenda\n"));
        form.button(QStringLiteral("+ Add reminder"))->click();
        form.button(QStringLiteral("+ Add reminder"))->click();
        QCOMPARE(form.reminderCombos().size(), 2);
        form.reminderCombos().at(1)->setCurrentIndex(form.reminderCombos().at(1)->findData(1440));
        form.button(QStringLiteral("+ Add attendee"))->click();
        form.button(QStringLiteral("+ Add attendee"))->click();
        QList<QLineEdit*> attendeeFields;
        for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) {
            if (field->isVisibleTo(&dialog) &&
                (field->placeholderText() == QLatin1String("Name") ||
                 field->placeholderText() == QLatin1String("name@example.com")))
                attendeeFields.append(field);
        }
        QCOMPARE(attendeeFields.size(), 4); // name and e-mail of two rows
        QTest::keyClicks(attendeeFields.at(0), QStringLiteral("Bo"));
        QTest::keyClicks(attendeeFields.at(1), QStringLiteral(" bo@example.com "));
        QTest::keyClicks(attendeeFields.at(3), QStringLiteral("   "));

        const auto colour = ModalSeam::run([&] { dialog.findChild<QToolButton*>()->click(); },
                                           [](QWidget* window) {
                                               auto* picker = qobject_cast<QColorDialog*>(window);
                                               QVERIFY(picker);
                                               picker->setCurrentColor(QColor(0x33, 0xAA, 0x55));
                                               picker->accept();
                                           });
        QCOMPARE(colour.size(), 1);
        QCOMPARE(colour.first().title, QStringLiteral("Event color"));
        QVERIFY(form.button(QStringLiteral("Use calendar color"))->isVisibleTo(&dialog));

        QPushButton* repeat = form.button(QStringLiteral("Does not repeat"));
        QVERIFY(repeat);
        ModalSeam::run([&] { repeat->click(); },
                       [](QWidget* window) {
                           auto* editor = qobject_cast<RecurrenceEditDialog*>(window);
                           QVERIFY(editor);
                           for (QRadioButton* radio : editor->findChildren<QRadioButton*>()) {
                               if (radio->text() == QLatin1String("On"))
                                   radio->click();
                           }
                           editor->findChildren<QDateEdit*>().last()->setDate(QDate(2026, 6, 30));
                           editor->accept();
                       });
        QVERIFY(repeat->text() != QLatin1String("Does not repeat"));

        QVERIFY(form.save().isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const QStringList ids = column(fixture.state(), QStringLiteral("SELECT id FROM events"));
        QCOMPARE(ids.size(), 1);
        const Event stored = *fixture.state()->events()->getById(ids.first());
        QCOMPARE(stored.uid, stored.id);
        QCOMPARE(stored.title, QStringLiteral("Sprint planning"));
        QCOMPARE(stored.location, QStringLiteral("Room 4"));
        QCOMPARE(stored.description, QStringLiteral("  agenda\n"));
        QCOMPARE(stored.color, QStringLiteral("#33aa55"));
        QCOMPARE(stored.syncStatus, QStringLiteral("pending"));
        QCOMPARE(stored.sequence, 0);
        QCOMPARE(stored.calendarId, AppState::localCalendarId);
        QCOMPARE(stored.startTime, local(today, QTime(10, 0)));
        const QString until =
            QDateTime(QDate(2026, 6, 30), QTime(23, 59, 59), QTimeZone::systemTimeZone())
                .toUTC()
                .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
        QCOMPARE(stored.recurrenceRule, QStringLiteral("FREQ=WEEKLY;BYDAY=WE;UNTIL=") + until);
        QCOMPARE(stored.reminders.size(), 2);
        QCOMPARE(stored.reminders.at(0).minutesBefore, 15);
        QCOMPARE(stored.reminders.at(1).minutesBefore, 1440);
        QCOMPARE(stored.attendees.size(), 1);
        QCOMPARE(stored.attendees.first().email, QStringLiteral("bo@example.com"));
        QCOMPARE(stored.attendees.first().name, QStringLiteral("Bo"));
        QCOMPARE(stored.attendees.first().rsvp, true);

        const Event pushed = sent(stored);
        QCOMPARE(pushed.uid, stored.uid);
        QCOMPARE(pushed.title, stored.title);
        QCOMPARE(pushed.recurrenceRule, stored.recurrenceRule);
        QCOMPARE(pushed.startTime.toUTC(), stored.startTime.toUTC());
    }

    // Failed checks warn and keep the dialog open with nothing stored; an end equal to the start
    // is fine; with every calendar hidden there is nowhere to save.
    void checksBeforeSaving()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        EventFormDialog dialog(fixture.state());
        const Form form(dialog);
        form.title->setText(QStringLiteral("   "));
        QList<ModalSeam::Seen> seen = form.save();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("Title required"));
        QCOMPARE(seen.first().text, QStringLiteral("Please enter a title for the event."));

        form.title->setText(QStringLiteral("Call"));
        form.end->setReference(nullptr);
        form.end->setDateTime(form.start->dateTime().addSecs(-60));
        seen = form.save();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("End before start"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(column(fixture.state(), QStringLiteral("SELECT count(*) FROM events")),
                 QStringList{QStringLiteral("0")});

        form.end->setDateTime(form.start->dateTime());
        QVERIFY(form.save().isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        Calendar personal = *fixture.state()->calendars()->getById(AppState::localCalendarId);
        personal.isVisible = false;
        QVERIFY(fixture.state()->calendars()->update(personal));
        EventFormDialog noCalendar(fixture.state());
        const Form empty(noCalendar);
        empty.title->setText(QStringLiteral("Call"));
        seen = empty.save();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("No calendars"));
    }

    // An all-day event is stored from 00:00 UTC of its day to 00:00 UTC of the next, and opens
    // on the same day in both pickers, whatever the zone.
    void allDayEvent()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        EventFormDialog dialog(fixture.state());
        const Form form(dialog);
        form.title->setText(QStringLiteral("Holiday"));
        form.allDay->setChecked(true);
        QVERIFY(form.save().isEmpty());
        QCOMPARE(column(fixture.state(), QStringLiteral("SELECT start_time || ' ' || end_time || "
                                                        "' ' || is_all_day FROM events")),
                 QStringList{QStringLiteral("2026-03-11T00:00:00Z 2026-03-12T00:00:00Z 1")});

        const QString id = column(fixture.state(), QStringLiteral("SELECT id FROM events")).first();
        const Event stored = *fixture.state()->events()->getById(id);
        EventFormDialog reopened(fixture.state(), stored);
        const Form again(reopened);
        QVERIFY(again.allDay->isChecked());
        QCOMPARE(again.start->date(), today);
        QCOMPARE(again.end->date(), today);
        QCOMPARE(sent(stored).isAllDay, true);
    }

    // Editing shows the stored reminders and attendees, saves them back, raises the sequence,
    // and "Use calendar color" lets the event follow its calendar again.
    void editEvent()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        const Event original = storedEvent(AppState::localCalendarId);
        QVERIFY(fixture.state()->events()->insert(original));
        const Event loaded = *fixture.state()->events()->getById(original.id);
        EventFormDialog dialog(fixture.state(), loaded);
        const Form form(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Event"));
        QCOMPARE(form.ok()->text(), QStringLiteral("Save changes"));
        QVERIFY(!form.button(QStringLiteral("From template…")));
        QStringList reminders;
        for (QComboBox* combo : form.reminderCombos())
            reminders.append(combo->currentText());
        QCOMPARE(reminders, (QStringList{"45 minutes before", "1 hours before"}));
        QStringList labels;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            labels.append(label->text());
        QVERIFY(labels.contains(QStringLiteral("Going")));
        form.button(QStringLiteral("Use calendar color"))->click();

        QVERIFY(form.save().isEmpty());
        const Event stored = *fixture.state()->events()->getById(original.id);
        QCOMPARE(stored.sequence, 5);
        QCOMPARE(stored.color, QString());
        QCOMPARE(stored.reminders.size(), 2);
        QCOMPARE(stored.reminders.at(0).minutesBefore, 45);
        QCOMPARE(stored.reminders.at(1).minutesBefore, 90);
        QCOMPARE(stored.attendees.size(), 1);
        QCOMPARE(stored.attendees.first().role, QStringLiteral("optional"));
        QCOMPARE(stored.attendees.first().status, QStringLiteral("accepted"));
        QCOMPARE(stored.startTime.toUTC(), original.startTime.toUTC());
        QCOMPARE(stored.etag, original.etag);
        QCOMPARE(sent(stored).sequence, 5);
    }

    // Choosing another calendar moves the event: the old row becomes a pending deletion and a new
    // identity is stored, together; when the insert fails, the event stays where it was.
    void moveToAnotherCalendar()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        addCalendars(fixture.state());
        const Event original = storedEvent(QStringLiteral("zed"));
        QVERIFY(fixture.state()->events()->insert(original));
        {
            QVERIFY(QSqlQuery(fixture.state()->database()->database())
                        .exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON events "
                                             "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
            EventFormDialog dialog(fixture.state(), original);
            const Form form(dialog);
            form.calendar->setCurrentIndex(form.calendar->findData(QStringLiteral("alpha")));
            const QList<ModalSeam::Seen> seen = form.save();
            QCOMPARE(seen.size(), 1);
            QCOMPARE(seen.first().title, QStringLiteral("Database Error"));
            QCOMPARE(seen.first().text, QStringLiteral("Could not save the event."));
            QCOMPARE(column(fixture.state(),
                            QStringLiteral("SELECT calendar_id || ' ' || ifnull(deleted_at, "
                                           "'live') FROM events")),
                     QStringList{QStringLiteral("zed live")});
            QVERIFY(QSqlQuery(fixture.state()->database()->database())
                        .exec(QStringLiteral("DROP TRIGGER refuse")));
        }
        EventFormDialog dialog(fixture.state(), original);
        const Form form(dialog);
        form.calendar->setCurrentIndex(form.calendar->findData(QStringLiteral("alpha")));
        QVERIFY(form.save().isEmpty());

        const Event old = *fixture.state()->events()->getById(original.id);
        QVERIFY(old.deletedAt);
        QCOMPARE(old.syncStatus, QStringLiteral("pending"));
        const QStringList moved = column(
            fixture.state(), QStringLiteral("SELECT id FROM events WHERE calendar_id = 'alpha'"));
        QCOMPARE(moved.size(), 1);
        const Event copy = *fixture.state()->events()->getById(moved.first());
        QVERIFY(copy.id != original.id);
        QCOMPARE(copy.uid, copy.id);
        QCOMPARE(copy.sequence, 0);
        QVERIFY(copy.etag.isEmpty() && copy.href.isEmpty() && copy.providerEventId.isEmpty());
        QCOMPARE(copy.syncStatus, QStringLiteral("pending"));
        QCOMPARE(sent(copy).uid, copy.id);
    }

    // The event's own calendar is always offered, even hidden; an event of a read-only calendar
    // opens for viewing and is never changed, moved or deleted by saving.
    void ownCalendarAndReadOnly()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        addCalendars(fixture.state());
        const Event inHidden = storedEvent(QStringLiteral("hidden"));
        QVERIFY(fixture.state()->events()->insert(inHidden));
        {
            EventFormDialog dialog(fixture.state(), inHidden);
            const Form form(dialog);
            QCOMPARE(form.calendar->currentData().toString(), QStringLiteral("hidden"));
            QVERIFY(form.save().isEmpty());
            QCOMPARE(fixture.state()->events()->getById(inHidden.id)->calendarId,
                     QStringLiteral("hidden"));
            QVERIFY(!fixture.state()->events()->getById(inHidden.id)->deletedAt);
        }

        Event inShared = storedEvent(QStringLiteral("shared"));
        inShared.id = inShared.uid = QStringLiteral("ev-2");
        QVERIFY(fixture.state()->events()->insert(inShared));
        EventFormDialog dialog(fixture.state(), inShared);
        const Form form(dialog);
        QCOMPARE(form.calendar->currentData().toString(), QStringLiteral("shared"));
        QVERIFY(!form.ok()->isEnabled());
        form.title->setText(QStringLiteral("Changed"));
        form.calendar->setCurrentIndex(form.calendar->findData(QStringLiteral("alpha")));
        const QList<ModalSeam::Seen> seen = form.save();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("Read-only calendar"));
        const Event stored = *fixture.state()->events()->getById(inShared.id);
        QCOMPARE(stored.title, inShared.title);
        QCOMPARE(stored.calendarId, QStringLiteral("shared"));
        QVERIFY(!stored.deletedAt);
        QCOMPARE(column(fixture.state(), QStringLiteral("SELECT count(*) FROM events")),
                 QStringList{QStringLiteral("2")});
    }

    // "From template…": none stored says so; a chosen template fills only what it has.
    void templates()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        EventFormDialog dialog(fixture.state());
        const Form form(dialog);
        QPushButton* fromTemplate = form.button(QStringLiteral("From template…"));
        QVERIFY(fromTemplate);
        QList<ModalSeam::Seen> seen = ModalSeam::run([&] { fromTemplate->click(); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("No templates"));

        EventTemplate standUp;
        standUp.name = QStringLiteral("Stand-up");
        standUp.title = QStringLiteral("Daily stand-up");
        standUp.durationMinutes = 15;
        standUp.reminders = {5, 45};
        standUp.recurrenceRule = QStringLiteral("FREQ=DAILY");
        QVERIFY(fixture.state()->templates()->insert(standUp));
        EventTemplate blank;
        blank.name = QStringLiteral("Blank");
        blank.title = QStringLiteral("placeholder");
        blank.durationMinutes = 0;
        blank.color = QStringLiteral("#aa00aa");
        QVERIFY(fixture.state()->templates()->insert(blank));
        // A template without a title (one stored by another device).
        QVERIFY(QSqlQuery(fixture.state()->database()->database())
                    .exec(QStringLiteral("UPDATE event_templates SET title = '' WHERE name = "
                                         "'Blank'")));

        form.title->setText(QStringLiteral("Typed"));
        const QDateTime end = form.end->dateTime();
        seen = ModalSeam::run(
            [&] { fromTemplate->click(); },
            [](QWidget* menu) { ModalSeam::chooseMenuAction(menu, QStringLiteral("Blank")); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().text, QStringLiteral("Blank|Stand-up"));
        QCOMPARE(form.title->text(), QStringLiteral("Typed"));
        QCOMPARE(form.end->dateTime(), end);
        QVERIFY(form.reminderCombos().isEmpty());

        ModalSeam::run(
            [&] { fromTemplate->click(); },
            [](QWidget* menu) { ModalSeam::chooseMenuAction(menu, QStringLiteral("Stand-up")); });
        QCOMPARE(form.title->text(), QStringLiteral("Daily stand-up"));
        QCOMPARE(form.end->dateTime(), form.start->dateTime().addSecs(15 * 60));
        QStringList reminders;
        for (QComboBox* combo : form.reminderCombos())
            reminders.append(combo->currentText());
        QCOMPARE(reminders, (QStringList{"5 minutes before", "45 minutes before"}));
        QVERIFY(form.button(RruleFormat::describe(QStringLiteral("FREQ=DAILY"))));
    }
};

QTEST_MAIN(TestEventFormDialog)
#include "tst_eventformdialog.moc"

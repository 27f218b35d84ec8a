#include "AccountRepository.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "Application.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "DateTimePicker.h"
#include "EventAttendeeList.h"
#include "EventChangeState.h"
#include "EventFormDialog.h"
#include "EventReminderList.h"
#include "EventRepository.h"
#include "EventZone.h"
#include "FormScrollArea.h"
#include "Ical.h"
#include "Limits.h"
#include "ModalSeam.h"
#include "PreferencesRepository.h"
#include "Recurrence.h"
#include "RecurrenceEditDialog.h"
#include "RecurringEdit.h"
#include "RruleFormat.h"
#include "SeriesActions.h"
#include "SeriesEdit.h"
#include "StoreSeed.h"
#include "TemplateRepository.h"
#include "TestTime.h"
#include "UndoStack.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>
#include <QToolButton>
#include <QTranslator>

namespace {

const QDate today(2026, 3, 11);

QDateTime local(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, QTimeZone::systemTimeZone());
}

// What the form's fields sit in: the body of its scroll area.
QWidget* fields(const QWidget* dialog)
{
    return dialog->findChild<FormScrollArea*>()->widget();
}

// The dialog and its widgets as a person finds them.
struct Form
{
    template <typename... Args> explicit Form(Args&&... args) : dialog(std::forward<Args>(args)...)
    {
    }

    EventFormDialog dialog;
    QLineEdit* title =
        fields(&dialog)->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly).value(0);
    QLineEdit* location =
        fields(&dialog)->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly).value(1);
    QComboBox* calendar =
        fields(&dialog)->findChild<QComboBox*>(QString(), Qt::FindDirectChildrenOnly);
    DateTimePicker* start = dialog.findChildren<DateTimePicker*>().value(0);
    DateTimePicker* end = dialog.findChildren<DateTimePicker*>().value(1);
    QCheckBox* allDay = dialog.findChild<QCheckBox*>();
    QPlainTextEdit* notes = dialog.findChild<QPlainTextEdit*>();

    QPushButton* button(const QString& text) const
    {
        for (QPushButton* candidate : dialog.findChildren<QPushButton*>())
            if (candidate->text() == text)
                return candidate;
        return nullptr;
    }
    QPushButton* ok() const
    {
        return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }
    // Clicks OK (or emits the box's accepted signal when OK is disabled) and answers every
    // message box with OK; the titles shown.
    QStringList save() const
    {
        QStringList titles;
        const auto seen = ModalSeam::run(
            [this] {
                if (ok()->isEnabled())
                    ok()->click();
                else
                    Q_EMIT dialog.findChild<QDialogButtonBox*>()->accepted();
            },
            [](QWidget* window) { ModalSeam::clickButton(window, QStringLiteral("OK")); });
        for (const ModalSeam::Seen& window : seen)
            titles.append(window.title);
        return titles;
    }
    void chooseCalendar(const QString& id) const
    {
        calendar->setCurrentIndex(calendar->findData(id));
    }
    QList<QComboBox*> reminderCombos() const
    {
        QList<QComboBox*> combos;
        for (QComboBox* combo : dialog.findChildren<QComboBox*>())
            if (combo != calendar && !qobject_cast<DateTimePicker*>(combo->parentWidget()) &&
                combo->isVisibleTo(&dialog))
                combos.append(combo);
        return combos;
    }
    QStringList reminderTexts() const
    {
        QStringList texts;
        for (QComboBox* combo : reminderCombos())
            texts.append(combo->currentText());
        return texts;
    }
};

// Home and Work accounts with a visible calendar each, a hidden and a read-only one, and one
// whose account has no name; the hub has seeded "On This Device / Personal" (its default).
void addCalendars(AppState* state)
{
    struct Row
    {
        const char *id, *account, *accountName, *name;
        bool visible, readOnly;
    };
    for (const Row& row : {Row{"alpha", "work", "Work", "Alpha", true, false},
                           Row{"zed", "home", "Home", "Zed", true, false},
                           Row{"hidden", "home", "Home", "Birthdays", false, false},
                           Row{"shared", "work", "Work", "Holidays", true, true},
                           Row{"orphan", "nameless", "", "Beta", true, false}}) {
        Calendar calendar = StoreSeed::calendar(row.id, row.account, row.name, "#e67c73");
        calendar.isVisible = row.visible;
        calendar.isReadOnly = row.readOnly;
        QVERIFY(StoreSeed::addCalendar(
            state, StoreSeed::account(row.account, row.accountName, "caldav"), calendar));
    }
}

using TestTime::springNight;

// A synced event with two reminders and an attendee.
Event storedEvent(const QString& id, const QString& calendarId)
{
    Event event = StoreSeed::timedEvent(id, calendarId, QStringLiteral("Review"),
                                        local(today, QTime(14, 0)), local(today, QTime(15, 0)));
    event.sequence = 4;
    event.etag = QStringLiteral("etag-1");
    event.href = QStringLiteral("/cal/ev-1.ics");
    event.providerEventId = QStringLiteral("provider-1");
    event.color = QStringLiteral("#123456");
    event.reminders.resize(2);
    event.reminders[0].minutesBefore = 45;
    event.reminders[1].minutesBefore = 90;
    Attendee& ann = event.attendees.emplace_back();
    ann.email = QStringLiteral("ann@example.com");
    ann.name = QStringLiteral("Ann");
    ann.status = QStringLiteral("accepted");
    ann.role = QStringLiteral("optional");
    event.rawIcalendar = Ical::buildEvent(event);
    return event;
}

QList<int> minutes(const Event& event)
{
    QList<int> values;
    for (const Reminder& reminder : event.reminders)
        values.append(reminder.minutesBefore);
    return values;
}

Event sent(const Event& row)
{
    const QList<Event> parsed = Ical::parseEvents(row.rawIcalendar);
    return parsed.size() == 1 ? parsed.first() : Event();
}

// The instant the machine's clocks go back an hour in autumn 2027, where the repeated hour
// begins a second time (01:00 UTC in Berlin); invalid in a zone where they do not.
QDateTime autumnChange()
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDateTime from(QDate(2027, 1, 1), QTime(0, 0), QTimeZone::utc());
    for (const QTimeZone::OffsetData& change : zone.transitions(from, from.addYears(1))) {
        if (change.atUtc.addSecs(-1).toTimeZone(zone).offsetFromUtc() - change.offsetFromUtc ==
            3600)
            return change.atUtc.toUTC();
    }
    return {};
}

} // namespace

class TestEventFormDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppStateFixture> m_fixture;

    AppState* state() const { return m_fixture->state(); }
    void startAt(const QDateTime& now)
    {
        m_fixture.reset();
        m_fixture = std::make_unique<AppStateFixture>(now);
        QVERIFY(m_fixture->start());
    }
    QStringList column(const QString& sql) const
    {
        QStringList values;
        QSqlQuery query(state()->database()->database());
        if (!query.exec(sql))
            return {QStringLiteral("error")};
        while (query.next())
            values.append(query.value(0).toString());
        return values;
    }
    bool exec(const QString& sql) const
    {
        return QSqlQuery(state()->database()->database()).exec(sql);
    }
    Event only()
    {
        const QStringList ids = column(QStringLiteral("SELECT id FROM events"));
        return ids.size() == 1 ? *state()->events()->getById(ids.first()) : Event();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        // The English catalogue gives the counted texts their singular and plural.
        for (QTranslator* translator : Application::loadTranslators(QStringLiteral("en"), this))
            QCoreApplication::installTranslator(translator);
    }
    void init() { startAt(AppStateFixture::defaultNow()); }
    void cleanup() { m_fixture.reset(); }

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
        startAt(now);
        Form form(state());
        QCOMPARE(form.start->dateTime(), QDateTime(start.date(), start.time()));
        const QDateTime end = start.addSecs(3600);
        QCOMPARE(form.end->dateTime(), QDateTime(end.date(), end.time()));

        // A slot the views hand over may lie before the default start, even days before.
        form.dialog.setStartAndDuration(QDateTime(today.addDays(-3), QTime(8, 0)), 90);
        QCOMPARE(form.start->dateTime(), QDateTime(today.addDays(-3), QTime(8, 0)));
        QCOMPARE(form.end->dateTime(), QDateTime(today.addDays(-3), QTime(9, 30)));
    }

    // Only visible, writable calendars, labelled by account and sorted by label; the preferred
    // calendar when offered, else the default one.
    void calendarChoices_data()
    {
        QTest::addColumn<QString>("preferred");
        QTest::addColumn<QString>("selected");
        QTest::newRow("preferred offered") << QStringLiteral("alpha") << QStringLiteral("alpha");
        QTest::newRow("preferred hidden") << QStringLiteral("hidden") << AppState::localCalendarId;
    }
    void calendarChoices()
    {
        QFETCH(QString, preferred);
        addCalendars(state());
        state()->preferences()->set(QStringLiteral("ui/defaultCalendarId"), preferred);
        Form form(state());
        QStringList labels;
        for (int i = 0; i < form.calendar->count(); ++i)
            labels.append(form.calendar->itemText(i));
        QCOMPARE(labels,
                 (QStringList{"Beta", "Home / Zed", "On This Device / Personal", "Work / Alpha"}));
        QTEST(form.calendar->currentData().toString(), "selected");
    }

    // A person fills in every field, sets a colour and a repeat rule in their dialogs, and
    // creates the event: it is stored pending, trimmed, with its reminders and attendees, and
    // the text a push sends says the same.
    void createEvent()
    {
        Form form(state());
        form.title->setText(QStringLiteral("  Sprint planning  "));
        form.location->setText(QStringLiteral(" Room 4 "));
        form.notes->setPlainText(QStringLiteral("  agenda\n"));
        form.button(QStringLiteral("+ Add reminder"))->click();
        form.button(QStringLiteral("+ Add reminder"))->click();
        form.reminderCombos().at(1)->setCurrentIndex(form.reminderCombos().at(1)->findData(1440));
        form.button(QStringLiteral("+ Add attendee"))->click();
        form.button(QStringLiteral("+ Add attendee"))->click();
        QList<QLineEdit*> attendeeFields;
        for (QLineEdit* field : form.dialog.findChildren<QLineEdit*>())
            if (field->isVisibleTo(&form.dialog) &&
                (field->placeholderText() == QLatin1String("Name") ||
                 field->placeholderText() == QLatin1String("name@example.com")))
                attendeeFields.append(field);
        QCOMPARE(attendeeFields.size(), 4); // name and e-mail of two rows
        QTest::keyClicks(attendeeFields.at(0), QStringLiteral("Bo"));
        QTest::keyClicks(attendeeFields.at(1), QStringLiteral(" bo@example.com "));
        QTest::keyClicks(attendeeFields.at(3), QStringLiteral("   "));

        ModalSeam::run([&] { form.dialog.findChild<QToolButton*>()->click(); },
                       [](QWidget* window) {
                           auto* picker = qobject_cast<QColorDialog*>(window);
                           QVERIFY(picker);
                           picker->setCurrentColor(QColor(0x33, 0xAA, 0x55));
                           picker->accept();
                       });
        QVERIFY(form.button(QStringLiteral("Use calendar color"))->isVisibleTo(&form.dialog));
        ModalSeam::run([&] { form.button(QStringLiteral("Does not repeat"))->click(); },
                       [](QWidget* window) {
                           auto* editor = qobject_cast<RecurrenceEditDialog*>(window);
                           QVERIFY(editor);
                           for (QRadioButton* radio : editor->findChildren<QRadioButton*>())
                               if (radio->text() == QLatin1String("On"))
                                   radio->click();
                           editor->findChildren<QDateEdit*>().last()->setDate(QDate(2026, 6, 30));
                           editor->accept();
                       });

        QCOMPARE(form.save(), QStringList());
        QCOMPARE(form.dialog.result(), int(QDialog::Accepted));
        const Event stored = only();
        QCOMPARE((QStringList{stored.uid, QString::number(stored.sequence), stored.title,
                              stored.location, stored.description, stored.color, stored.syncStatus,
                              stored.calendarId}),
                 (QStringList{stored.id, "0", "Sprint planning", "Room 4", "  agenda\n", "#33aa55",
                              "pending", AppState::localCalendarId}));
        QCOMPARE(stored.startTime, local(today, QTime(10, 0)));
        // A new event belongs to the machine's zone, and its text says so.
        QCOMPARE(stored.timezone, EventZone::forNewEvents());
        QCOMPARE(stored.rawIcalendar.contains(QStringLiteral("DTSTART;TZID=") + stored.timezone),
                 stored.timezone != u"UTC");
        const QString until =
            QDateTime(QDate(2026, 6, 30), QTime(23, 59, 59), QTimeZone::systemTimeZone())
                .toUTC()
                .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
        QCOMPARE(stored.recurrenceRule, QStringLiteral("FREQ=WEEKLY;BYDAY=WE;UNTIL=") + until);
        QVERIFY(form.button(RruleFormat::describe(stored.recurrenceRule))); // the form shows it
        QCOMPARE(minutes(stored), (QList<int>{15, 1440}));
        QCOMPARE(stored.attendees.size(), 1);
        const Attendee& bo = stored.attendees.first();
        QCOMPARE(bo.email + u' ' + bo.name + u' ' + QString::number(bo.rsvp),
                 QStringLiteral("bo@example.com Bo 1"));

        const Event pushed = sent(stored);
        QCOMPARE((QStringList{pushed.uid, pushed.recurrenceRule}),
                 (QStringList{stored.uid, stored.recurrenceRule}));
        QCOMPARE(pushed.startTime.toUTC(), stored.startTime.toUTC());
    }

    // Failed checks warn and keep the dialog open with nothing stored; an end equal to the start
    // is fine; with every calendar hidden there is nowhere to save.
    void checksBeforeSaving()
    {
        Form form(state());
        form.title->setText(QStringLiteral("   "));
        QCOMPARE(form.save(), QStringList{"Title required"});

        form.title->setText(QStringLiteral("Call"));
        form.end->setReference(nullptr);
        form.end->setDateTime(form.start->dateTime().addSecs(-60));
        QCOMPARE(form.save(), QStringList{"End before start"});
        QCOMPARE(form.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(column(QStringLiteral("SELECT count(*) FROM events")), QStringList{"0"});

        form.end->setDateTime(form.start->dateTime());
        QCOMPARE(form.save(), QStringList());
        QCOMPARE(form.dialog.result(), int(QDialog::Accepted));

        Calendar personal = *state()->calendars()->getById(AppState::localCalendarId);
        personal.isVisible = false;
        QVERIFY(state()->calendars()->update(personal));
        Form empty(state());
        empty.title->setText(QStringLiteral("Call"));
        QCOMPARE(empty.save(), QStringList{"No calendars"});
    }

    // An all-day event is stored from 00:00 UTC of its day to 00:00 UTC of the next, and opens
    // on the same day in both pickers, whatever the zone.
    void allDayEvent()
    {
        Form form(state());
        form.title->setText(QStringLiteral("Holiday"));
        form.allDay->setChecked(true);
        QCOMPARE(form.save(), QStringList());
        QCOMPARE(column(QStringLiteral("SELECT start_time || ' ' || end_time || ' ' || is_all_day "
                                       "FROM events")),
                 QStringList{QStringLiteral("2026-03-11T00:00:00Z 2026-03-12T00:00:00Z 1")});

        const Event stored = only();
        QVERIFY(sent(stored).isAllDay);
        Form again(state(), stored);
        QVERIFY(again.allDay->isChecked());
        QCOMPARE(again.start->date(), today);
        QCOMPARE(again.end->date(), today);
    }

    // Ticking All day shows the days the slot covers, an end at midnight being the close of the
    // day before: the 23:00 slot a new form proposes at 22:40 stays on its day. Unticking gives
    // the times back, ticking again the same days, and saving stores those days.
    void allDayTakesTheDaysShown_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<QDate>("lastDay");
        QTest::addColumn<QDateTime>("timedAgain");
        const auto at = [](int days, int hour) {
            return QDateTime(today.addDays(days), QTime(hour, 0));
        };
        QTest::newRow("23:00 to midnight") << at(0, 23) << at(1, 0) << today << at(1, 0);
        QTest::newRow("22:00 to 01:00") << at(0, 22) << at(1, 1) << today.addDays(1) << at(1, 1);
        QTest::newRow("09:00 to midnight two days later")
            << at(0, 9) << at(2, 0) << today.addDays(1) << at(2, 0);
        QTest::newRow("10:00 to 11:00") << at(0, 10) << at(0, 11) << today << at(0, 11);
        QTest::newRow("midnight, no length") << at(0, 0) << at(0, 0) << today << at(1, 0);
    }
    void allDayTakesTheDaysShown()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(QDate, lastDay);
        QFETCH(QDateTime, timedAgain);
        startAt(local(start.date(), start.time()).addSecs(-20 * 60));
        Form form(state());
        form.title->setText(QStringLiteral("Away"));
        if (form.end->dateTime() != end)
            form.dialog.setStartAndDuration(start, int(start.secsTo(end) / 60));
        QCOMPARE(form.start->dateTime(), start);
        QCOMPARE(form.end->dateTime(), end);

        form.allDay->setChecked(true);
        QCOMPARE(form.start->date(), today);
        QCOMPARE(form.end->date(), lastDay);
        form.allDay->setChecked(false);
        QCOMPARE(form.start->dateTime(), start);
        QCOMPARE(form.end->dateTime(), timedAgain);
        form.allDay->setChecked(true);
        QCOMPARE(form.end->date(), lastDay);

        QCOMPARE(form.save(), QStringList());
        QCOMPARE(
            column(QStringLiteral("SELECT start_time || ' ' || end_time FROM events")),
            QStringList{QDateTime(today, QTime(0, 0), Qt::UTC).toString(Qt::ISODate) + u' ' +
                        QDateTime(lastDay.addDays(1), QTime(0, 0), Qt::UTC).toString(Qt::ISODate)});
    }

    // Editing shows the stored reminders and attendees, saves them back, raises the sequence,
    // and "Use calendar color" lets the event follow its calendar again.
    void editEvent()
    {
        Event original = storedEvent(QStringLiteral("ev-1"), AppState::localCalendarId);
        original.timezone = QStringLiteral("America/Sao_Paulo"); // read from elsewhere
        QVERIFY(state()->events()->insert(original));
        Form form(state(), *state()->events()->getById(original.id));
        QVERIFY(!form.button(QStringLiteral("From template…")));
        QCOMPARE(form.reminderTexts(), (QStringList{"45 minutes before", "1 hour before"}));
        QStringList labels;
        for (QLabel* label : form.dialog.findChildren<QLabel*>())
            labels.append(label->text());
        QVERIFY(labels.contains(QStringLiteral("Going")));
        QPushButton* calendarColour = form.button(QStringLiteral("Use calendar color"));
        QVERIFY(calendarColour->isVisibleTo(&form.dialog));
        calendarColour->click();

        QCOMPARE(form.save(), QStringList());
        const Event stored = *state()->events()->getById(original.id);
        QCOMPARE((QList<int>{stored.sequence, sent(stored).sequence}), (QList<int>{5, 5}));
        QCOMPARE(stored.color, QString());
        QCOMPARE(minutes(stored), (QList<int>{45, 90}));
        QCOMPARE((QStringList{stored.attendees.value(0).role, stored.attendees.value(0).status,
                              stored.timezone, stored.etag}),
                 (QStringList{"optional", "accepted", original.timezone, original.etag}));
        QCOMPARE(stored.startTime.toUTC(), original.startTime.toUTC());
        QVERIFY(stored.rawIcalendar.contains(QStringLiteral("DTSTART;TZID=America/Sao_Paulo:")));
    }

    // Choosing another calendar moves the event: the old row becomes a pending deletion and a new
    // identity is stored, together; when the insert fails, the event stays where it was.
    void moveToAnotherCalendar()
    {
        addCalendars(state());
        const Event original = storedEvent(QStringLiteral("ev-1"), QStringLiteral("zed"));
        QVERIFY(state()->events()->insert(original));
        QVERIFY(exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON events "
                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        {
            Form form(state(), original);
            form.chooseCalendar(QStringLiteral("alpha"));
            QCOMPARE(form.save(), QStringList{"Database Error"});
            QCOMPARE(column(QStringLiteral("SELECT calendar_id || ' ' || ifnull(deleted_at, "
                                           "'live') FROM events")),
                     QStringList{QStringLiteral("zed live")});
        }
        QVERIFY(exec(QStringLiteral("DROP TRIGGER refuse")));
        Form form(state(), original);
        form.chooseCalendar(QStringLiteral("alpha"));
        QCOMPARE(form.save(), QStringList());

        QCOMPARE(column(QStringLiteral("SELECT calendar_id || ' ' || (id = 'ev-1') || ' ' || "
                                       "(deleted_at IS NOT NULL) || ' ' || sync_status FROM events "
                                       "ORDER BY calendar_id DESC")),
                 (QStringList{"zed 1 1 pending", "alpha 0 0 pending"}));
        const Event copy = *state()->events()->getById(
            column(QStringLiteral("SELECT id FROM events WHERE calendar_id = 'alpha'")).value(0));
        QCOMPARE((QStringList{QString::number(copy.sequence), copy.etag, copy.href,
                              copy.providerEventId, sent(copy).uid}),
                 (QStringList{"0", "", "", "", copy.id}));
    }

    // Save plans from the row as stored when it is pressed: what a sync wrote while the form was
    // open and the form does not show is kept, and a row removed or moved to another calendar
    // meanwhile is reported and not written again.
    void saveReadsTheStoredRow_data()
    {
        QTest::addColumn<bool>("series");
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("event synced") << false << "synced" << QStringList()
                                      << QStringList{"local 6 etag-2 https://example.org/new live"};
        QTest::newRow("event removed") << false << "removed" << QStringList{"Calendar"}
                                       << QStringList{"local 4 etag-1  deleted"};
        QTest::newRow("event moved") << false << "moved" << QStringList{"Calendar"}
                                     << QStringList{"alpha 5 etag-1  live"};
        QTest::newRow("series synced")
            << true << "synced" << QStringList()
            << QStringList{"local 6 etag-2 https://example.org/new live"};
        QTest::newRow("series removed") << true << "removed" << QStringList{"Calendar"}
                                        << QStringList{"local 4 etag-1  deleted"};
    }
    void saveReadsTheStoredRow()
    {
        QFETCH(bool, series);
        QFETCH(QString, meanwhile);
        addCalendars(state());
        Event original = storedEvent(QStringLiteral("ev-1"), AppState::localCalendarId);
        if (series)
            original.recurrenceRule = QStringLiteral("FREQ=WEEKLY");
        QVERIFY(StoreSeed::addEvent(state(), original));
        const Event opened = *state()->events()->getById(original.id);
        Form form(state(), opened);
        if (series)
            form.dialog.setSeriesScope(opened, opened.startTime, 3);

        Event changed = opened;
        changed.sequence += 1;
        if (meanwhile == QLatin1String("synced")) {
            changed.etag = QStringLiteral("etag-2");
            changed.eventUrl = QStringLiteral("https://example.org/new");
            QVERIFY(state()->events()->update(changed));
        } else if (meanwhile == QLatin1String("moved")) {
            changed.calendarId = QStringLiteral("alpha");
            QVERIFY(state()->events()->update(changed));
        } else {
            QVERIFY(state()->events()->remove(opened.id));
        }
        QTEST(form.save(), "messages");
        QTEST(column(QStringLiteral(
                  "SELECT replace(calendar_id, '%1', 'local') || ' ' || sequence || ' ' || "
                  "ifnull(etag, '') || ' ' || ifnull(event_url, '') || ' ' || "
                  "iif(deleted_at IS NULL, 'live', 'deleted') FROM events")
                         .arg(AppState::localCalendarId)),
              "rows");
    }

    // A sync lands while the form is open and the user changes another field: Save keeps the
    // sync's values and the user's, for one event and for a series (all its events, or one
    // occurrence). Where both changed one field the user's value is saved and the user told.
    void saveKeepsWhatChangedElsewhere_data()
    {
        QTest::addColumn<int>("scope"); // 0: one event
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QStringList>("rows");
        const auto row = [](const char* texts, int hour, int days = 0) {
            return texts + local(today.addDays(days), QTime(hour, 0)).toUTC().toString(Qt::ISODate);
        };
        const QString none;
        // clang-format off
        QTest::newRow("texts") << 0 << "texts" << "location" << none << QStringList{row("Moved|New description|Room 2|", 14)};
        QTest::newRow("times") << 0 << "times" << "location" << none << QStringList{row("Review|Original description|Room 2|", 16)};
        QTest::newRow("same field") << 0 << "texts" << "notes" << "Your change to Notes replaced a change made elsewhere while the form was open." << QStringList{row("Moved|Typed notes|Room 1|", 14)};
        QTest::newRow("same two fields") << 0 << "texts" << "title and notes" << "Your changes to Title and Notes replaced changes made elsewhere while the form was open." << QStringList{row("Typed title|Typed notes|Room 1|", 14)};
        QTest::newRow("another calendar") << 0 << "texts" << "calendar" << none << QStringList{row("Moved|New description|Room 1|", 14)};
        QTest::newRow("series times") << 3 << "times" << "location" << none << QStringList{row("Review|Original description|Room 2|", 16)};
        QTest::newRow("series same field") << 3 << "texts" << "notes" << "Your change to Notes replaced a change made elsewhere while the form was open." << QStringList{row("Moved|Typed notes|Room 1|", 14)};
        QTest::newRow("occurrence texts") << 1 << "texts" << "location" << none << QStringList{row("Moved|New description|Room 1|", 14), row("Moved|New description|Room 2|", 14, 7)};
        // clang-format on
    }
    void saveKeepsWhatChangedElsewhere()
    {
        QFETCH(int, scope);
        QFETCH(QString, meanwhile);
        QFETCH(QString, typed);
        addCalendars(state());
        Event original = storedEvent(QStringLiteral("ev-1"), AppState::localCalendarId);
        original.description = QStringLiteral("Original description");
        original.location = QStringLiteral("Room 1");
        original.recurrenceRule = scope != 0 ? QStringLiteral("FREQ=WEEKLY;COUNT=3") : QString();
        QVERIFY(StoreSeed::addEvent(state(), original));
        const Event opened = *state()->events()->getById(original.id);
        // An occurrence opens as the series shows it a week later.
        Event shown = opened;
        shown.startTime = opened.startTime.addDays(scope == 1 ? 7 : 0);
        shown.endTime = opened.endTime->addDays(scope == 1 ? 7 : 0);
        Form form(state(), shown);
        if (scope != 0)
            form.dialog.setSeriesScope(opened, shown.startTime, scope);

        Event changed = opened;
        changed.etag = QStringLiteral("etag-2");
        if (meanwhile == QLatin1String("texts")) {
            changed.title = QStringLiteral("Moved");
            changed.description = QStringLiteral("New description");
        } else {
            changed.startTime = changed.startTime.addSecs(7200);
            changed.endTime = changed.endTime->addSecs(7200);
        }
        QVERIFY(state()->events()->update(changed));
        if (typed.startsWith(QLatin1String("title")))
            form.title->setText(QStringLiteral("Typed title"));
        if (typed == QLatin1String("location"))
            form.location->setText(QStringLiteral("Room 2"));
        else if (typed.endsWith(QLatin1String("notes")))
            form.notes->setPlainText(QStringLiteral("Typed notes"));
        else
            form.chooseCalendar(QStringLiteral("zed"));

        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&form] { form.ok()->click(); },
                           [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("OK")); });
        QTEST(seen.isEmpty() ? QString() : seen.first().text, "told");
        QCOMPARE(form.dialog.result(), int(QDialog::Accepted));
        QTEST(column(QStringLiteral("SELECT title || '|' || description || '|' || location || '|' "
                                    "|| start_time FROM events WHERE deleted_at IS NULL "
                                    "ORDER BY start_time")),
              "rows");
        // What the form does not show is the stored row's; every timed event keeps its zone.
        for (const QString& id : column(QStringLiteral("SELECT id FROM events WHERE deleted_at IS "
                                                       "NULL"))) {
            const Event row = *state()->events()->getById(id);
            QCOMPARE((QStringList{row.timezone, row.attendees.value(0).email}),
                     (QStringList{opened.timezone, "ann@example.com"}));
            QCOMPARE(minutes(row), (QList<int>{45, 90}));
        }
    }

    // Moving the start carries the end along, later or earlier, so the event keeps its length
    // (and is never saved with no length).
    void movedStartKeepsTheLength_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QDateTime>("end");
        QTest::newRow("two hours later") << 0 << "16:00" << local(today, QTime(17, 0));
        QTest::newRow("a day later") << 1 << "" << local(today.addDays(1), QTime(15, 0));
        QTest::newRow("earlier") << 0 << "12:00" << local(today, QTime(13, 0));
        QTest::newRow("a day earlier") << -1 << "" << local(today.addDays(-1), QTime(15, 0));
    }
    void movedStartKeepsTheLength()
    {
        QFETCH(int, days);
        QFETCH(QString, time);
        QFETCH(QDateTime, end);
        const Event original = storedEvent(QStringLiteral("ev-1"), AppState::localCalendarId);
        QVERIFY(state()->events()->insert(original));
        Form form(state(), original);
        if (days != 0)
            form.start->findChild<QDateEdit*>()->setDate(today.addDays(days));
        if (!time.isEmpty()) {
            form.start->findChild<QComboBox*>()->setEditText(time);
            form.start->onTimeCommit();
        }
        QCOMPARE(form.end->dateTime(), end.toLocalTime());
        QCOMPARE(form.save(), QStringList());
    }

    // A start date typed digit by digit passes through other days (typing 15 into the 7th goes
    // by the 1st); the event keeps the length it had before the typing began.
    void typedStartDateKeepsTheLength_data()
    {
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        const QDate typed(2026, 12, 15);
        QTest::newRow("timed") << false << QDateTime(typed, QTime(8, 30))
                               << QDateTime(typed, QTime(9, 30));
        QTest::newRow("all-day") << true << QDateTime(typed, QTime(0, 0))
                                 << QDateTime(typed, QTime(0, 0));
    }
    void typedStartDateKeepsTheLength()
    {
        QFETCH(bool, allDay);
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        startAt(local(QDate(2026, 12, 7), QTime(8, 10)));
        Form form(state());
        form.allDay->setChecked(allDay);
        // The day's digits selected, as a double click on them leaves them.
        auto* date = form.start->findChild<QDateEdit*>();
        date->setCurrentSectionIndex(2);
        auto* text = date->findChild<QLineEdit*>();
        text->setSelection(int(text->text().indexOf(QStringLiteral(" 7,"))) + 1, 1);
        QTest::keyClicks(date, QStringLiteral("15"));
        QCOMPARE(form.start->dateTime(), start);
        QCOMPARE(form.end->dateTime(), end);

        // Unticking all-day gives the times back as they were.
        form.allDay->setChecked(false);
        QCOMPARE(form.end->dateTime(), QDateTime(start.date(), QTime(9, 30)));
    }

    // A slot the views hand over, or a template's length, from the first of the hour the clocks
    // repeat in autumn ends as many minutes on: an hour on is the second of that hour.
    void lengthOverTheRepeatedHour_data()
    {
        QTest::addColumn<int>("slotMinutes");
        QTest::addColumn<int>("templateMinutes"); // 0: none chosen
        QTest::newRow("slot") << 60 << 0;
        QTest::newRow("template") << 30 << 60;
    }
    void lengthOverTheRepeatedHour()
    {
        QFETCH(int, slotMinutes);
        QFETCH(int, templateMinutes);
        const QDateTime change = autumnChange();
        if (!change.isValid())
            QSKIP("the clocks of this zone do not go back in 2027");
        EventTemplate hour;
        hour.name = hour.title = QStringLiteral("Hour");
        hour.durationMinutes = templateMinutes;
        QVERIFY(state()->templates()->insert(hour));
        Form form(state());
        form.dialog.setStartAndDuration(change.addSecs(-3600), slotMinutes);
        if (templateMinutes > 0)
            ModalSeam::run([&] { form.button(QStringLiteral("From template…"))->click(); },
                           [](QWidget* menu) { ModalSeam::chooseMenuAction(menu, "Hour"); });
        form.title->setText(QStringLiteral("Slot"));
        QCOMPARE(form.save(), QStringList());
        QCOMPARE(only().startTime, change.addSecs(-3600));
        QCOMPARE(*only().endTime, change);
    }

    // An override is an occurrence: opening it asks the scope like any other occurrence. This
    // event only edits it as it stands, without a rule of its own; all events edit the series
    // from the occurrence's place, and the override stays. Without its series it opens as one
    // event, still without a rule.
    void overrideAsksTheScope_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QDateTime>("shownStart");
        QTest::addColumn<QStringList>("rows");
        const QDate second = today.addDays(7);
        QTest::newRow("this event only")
            << "This event only" << local(second, QTime(16, 0))
            << QStringList{"ev-1|Review|FREQ=WEEKLY", "ev-1-second|Retro|"};
        QTest::newRow("all events") << "All events in the series" << local(second, QTime(14, 0))
                                    << QStringList{"ev-1|Retro|FREQ=WEEKLY", "ev-1-second|Review|"};
    }
    void overrideAsksTheScope()
    {
        QFETCH(QString, answer);
        QFETCH(QDateTime, shownStart);
        Event master = storedEvent(QStringLiteral("ev-1"), AppState::localCalendarId);
        master.recurrenceRule = QStringLiteral("FREQ=WEEKLY");
        QVERIFY(StoreSeed::addEvent(state(), master));
        const QDateTime occurrence = master.startTime.addDays(7);
        const Event moved = SeriesEdit::occurrenceOverride(
            master, occurrence, occurrence.addSecs(7200), occurrence.addSecs(3 * 3600),
            QStringLiteral("ev-1-second"), master.startTime);
        QVERIFY(StoreSeed::addEvent(state(), moved));

        QWidget host;
        bool handled = false;
        QDateTime formStart;
        bool ruleOffered = true;
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] {
                handled = SeriesActions::edit(state(), &host, *state()->events()->getById(moved.id),
                                              moved.startTime);
            },
            QList<ModalSeam::Answer>{
                [&](QWidget* window) { QVERIFY(ModalSeam::clickButton(window, answer)); },
                [&](QWidget* window) {
                    formStart = window->findChild<DateTimePicker*>()->dateTime();
                    for (QPushButton* button : window->findChildren<QPushButton*>())
                        if (button->text() == RruleFormat::describe(master.recurrenceRule) ||
                            button->text() == QLatin1String("Does not repeat"))
                            ruleOffered = button->isEnabled();
                    fields(window)
                        ->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly)
                        ->setText(QStringLiteral("Retro"));
                    QVERIFY(ModalSeam::clickButton(window, QStringLiteral("Save changes")));
                }});
        QVERIFY(handled);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.at(0).title, QStringLiteral("Edit Recurring Event"));
        QCOMPARE(formStart, shownStart.toLocalTime());
        QCOMPARE(ruleOffered, answer == QLatin1String("All events in the series"));
        QTEST(column(QStringLiteral("SELECT id || '|' || title || '|' || "
                                    "ifnull(recurrence_rule, '') FROM events WHERE deleted_at IS "
                                    "NULL ORDER BY id")),
              "rows");
        QVERIFY(!sent(*state()->events()->getById(moved.id)).recurrenceId.isEmpty());
        QVERIFY(sent(*state()->events()->getById(moved.id)).recurrenceRule.isEmpty());

        QVERIFY(state()->events()->hardDelete(master.id));
        Form alone(state(), *state()->events()->getById(moved.id));
        QVERIFY(!alone.button(QStringLiteral("Does not repeat"))->isEnabled());
    }

    // 02:30 typed into the start of the occurrence on the night the clocks skip 02:00 is read as
    // that night reads it: 03:30 summer time, with the length kept. This event only stores that;
    // all events take the series there, at 02:30 on every other day.
    void startTypedIntoTheSkippedHour_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("expected"); // on the machine's clock
        QTest::newRow("this event only")
            << "This event only"
            << QStringList{"03-27 09:00 60", "03-28 03:30 60", "03-29 09:00 60"};
        QTest::newRow("all events")
            << "All events in the series"
            << QStringList{"03-27 02:30 60", "03-28 03:30 60", "03-29 02:30 60"};
    }
    void startTypedIntoTheSkippedHour()
    {
        QFETCH(QString, answer);
        const QDate night = springNight();
        if (!night.isValid())
            QSKIP("the clocks of this zone skip no 02:00 in 2027");
        Event master = StoreSeed::timedEvent(
            QStringLiteral("ev-1"), AppState::localCalendarId, QStringLiteral("Review"),
            local(night.addDays(-1), QTime(9, 0)), local(night.addDays(-1), QTime(10, 0)));
        master.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=3");
        master.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
        QVERIFY(StoreSeed::addEvent(state(), master));

        QWidget host;
        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { SeriesActions::edit(state(), &host, master, local(night, QTime(9, 0))); },
            QList<ModalSeam::Answer>{
                [&](QWidget* window) { QVERIFY(ModalSeam::clickButton(window, answer)); },
                [&](QWidget* window) {
                    auto* start = window->findChild<DateTimePicker*>();
                    start->findChild<QComboBox*>()->lineEdit()->setText(QStringLiteral("2:30"));
                    start->onTimeCommit();
                    QVERIFY(ModalSeam::clickButton(window, QStringLiteral("Save changes")));
                    // A save refused leaves the form open.
                    if (window->isVisible())
                        qobject_cast<QDialog*>(window)->reject();
                }});
        QCOMPARE(seen.size(), 2);
        const QDateTime from = local(night.addDays(-2), QTime(12, 0));
        const QDateTime to = local(night.addDays(3), QTime(12, 0));
        QStringList shown;
        for (const Event& occurrence :
             Recurrence::expand(state()->events()->getInRange(from, to, {}), from, to))
            shown.append(occurrence.startTime.toLocalTime().toString("MM-dd HH:mm ") +
                         QString::number(occurrence.startTime.secsTo(*occurrence.endTime) / 60));
        const QDate day = night.addDays(-1);
        QFETCH(QStringList, expected);
        // The rows name Berlin's night; New York's comes two weeks earlier.
        for (QString& line : expected)
            line = day.addDays(line.mid(3, 2).toInt() - 27).toString("MM-dd") + line.mid(5);
        QCOMPARE(shown, expected);
    }

    // On the nights the clocks change, Save keeps the instants the user left alone and says
    // where the clocks moved a time typed. Renamed in autumn, an event whose fields show the
    // second of the repeated hour (which reads as the first) keeps its start, its length and, for
    // a series, its time of day, and its end is checked against its start as it is; a start
    // typed as the first of the repeated hour takes the end on to the second, keeping the length.
    // In spring, a time typed into the skipped hour is the hour after, and the user is told the
    // times the event has. Minutes count from the change (in Berlin 02:00 winter time in autumn,
    // 03:00 summer time in spring); the series are another client's, written in UTC, and the
    // occurrence is the series' second.
    void timesOnTheNightsTheClocksChange_data()
    {
        QTest::addColumn<bool>("spring");
        QTest::addColumn<int>("scope"); // 0: one event
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        // The field and the time typed into it; "=end": the time the end field shows.
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("told"); // %1: the night's date
        const QString none;
        // clang-format off
        QTest::newRow("series from the second start, all events") << false << 3 << 0 << 60 << none << QStringList{"Renamed 0 60"} << none;
        QTest::newRow("occurrence at the second half past, this event only") << false << 1 << 30 << 90 << none << QStringList{"Night -1410 -1350", "Renamed 30 90"} << none;
        QTest::newRow("occurrence ending at the second half past, this event only") << false << 1 << -15 << 30 << none << QStringList{"Night -1455 -1410", "Renamed -15 30"} << none;
        QTest::newRow("event from the first start to the second") << false << 0 << -60 << 0 << none << QStringList{"Renamed -60 0"} << none;
        QTest::newRow("event from half past the hour before to the second half past") << false << 0 << -90 << 30 << none << QStringList{"Renamed -90 30"} << none;
        QTest::newRow("start typed as the first half past it ends at") << false << 0 << -90 << -30 << "start =end" << QStringList{"Renamed -30 30"} << none;
        QTest::newRow("start typed into the skipped hour") << true << 0 << 360 << 420 << "start 2:30" << QStringList{"Renamed 30 90"} << "The clocks skip the time \"Renamed\" was set to on %1, so it begins at 3:30 AM and ends at 4:30 AM.";
        QTest::newRow("end typed into the skipped hour") << true << 0 << -60 << -30 << "end 2:30" << QStringList{"Renamed -60 30"} << "The clocks skip the time \"Renamed\" was set to on %1, so it begins at 1:00 AM and ends at 3:30 AM.";
        // clang-format on
    }
    void timesOnTheNightsTheClocksChange()
    {
        QFETCH(bool, spring);
        QFETCH(int, scope);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QString, typed);
        const QDateTime change = spring ? local(springNight(), QTime(3, 0)) : autumnChange();
        if (!change.isValid())
            QSKIP("the clocks of this zone do not change in 2027");
        const int first = scope == 1 ? -24 * 60 : 0;
        Event series = StoreSeed::timedEvent(
            QStringLiteral("night"), AppState::localCalendarId, QStringLiteral("Night"),
            change.addSecs((first + start) * 60), change.addSecs((first + end) * 60));
        series.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
        if (scope != 0) {
            series.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=3");
            series.timezone = QStringLiteral("UTC");
        }
        QVERIFY(StoreSeed::addEvent(state(), series));
        series = *state()->events()->getById(series.id);
        Event shown = series;
        shown.startTime = change.addSecs(start * 60);
        shown.endTime = change.addSecs(end * 60);

        Form form(state(), shown);
        if (scope != 0)
            form.dialog.setSeriesScope(series, shown.startTime, scope);
        form.title->setText(QStringLiteral("Renamed"));
        if (!typed.isEmpty()) {
            DateTimePicker* picker =
                typed.startsWith(QLatin1String("start")) ? form.start : form.end;
            QString time = typed.section(u' ', 1);
            if (time == QLatin1String("=end"))
                time = form.end->findChild<QComboBox*>()->lineEdit()->text();
            picker->findChild<QComboBox*>()->lineEdit()->setText(time);
            picker->onTimeCommit();
        }
        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&form] { form.ok()->click(); },
                           [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("OK")); });
        QStringList messages;
        for (const ModalSeam::Seen& window : seen)
            messages.append(window.text);
        QFETCH(QString, told);
        if (!told.isEmpty())
            told = told.arg(change.date().toString(QStringLiteral("MMM d, yyyy")));
        QCOMPARE(messages.join(u'\n'), told);
        QCOMPARE(form.dialog.result(), int(QDialog::Accepted));
        QStringList rows;
        for (const QString& id : column(QStringLiteral("SELECT id FROM events WHERE deleted_at IS "
                                                       "NULL ORDER BY start_time"))) {
            const Event row = *state()->events()->getById(id);
            rows.append(row.title + u' ' + QString::number(change.secsTo(row.startTime) / 60) +
                        u' ' + QString::number(change.secsTo(*row.endTime) / 60));
        }
        QTEST(rows, "rows");
    }

    // A new series typed into the hour the clocks skip begins at the hour after and repeats at
    // that time, and Save says so; a single event is told its times. As read in the row's
    // language (the form's own texts stay as built).
    void skippedHourMessageOfANewSeries_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("repeats");
        QTest::addColumn<QString>("told"); // %1: the night's date
        // clang-format off
        QTest::newRow("series") << "en" << true << "The clocks skip the time \"Run\" was set to on %1, so it begins at 3:30 AM and ends at 4:30 AM that day, and repeats at 3:30 AM.";
        QTest::newRow("series in Japanese") << "ja" << true << "「Run」の %1 の設定時刻は時計の切り替えで存在しないため、その日は 3:30 AM に始まり 4:30 AM に終わり、以後も 3:30 AM に繰り返します。";
        QTest::newRow("one event in Japanese") << "ja" << false << "「Run」の %1 の設定時刻は時計の切り替えで存在しないため、3:30 AM に始まり 4:30 AM に終わります。";
        // clang-format on
    }
    void skippedHourMessageOfANewSeries()
    {
        QFETCH(QString, language);
        QFETCH(bool, repeats);
        const QDate night = springNight();
        if (!night.isValid())
            QSKIP("the clocks of this zone skip no 02:00 in 2027");
        Form form(state());
        form.title->setText(QStringLiteral("Run"));
        form.start->findChild<QDateEdit*>()->setDate(night);
        form.start->findChild<QComboBox*>()->lineEdit()->setText(QStringLiteral("2:30"));
        form.start->onTimeCommit();
        if (repeats)
            ModalSeam::run([&] { form.button(QStringLiteral("Does not repeat"))->click(); },
                           [](QWidget* editor) { QVERIFY(ModalSeam::accept(editor)); });
        // A catalogue deleted leaves the application: the language lasts for this row.
        QObject catalogues;
        for (QTranslator* translator : Application::loadTranslators(language, &catalogues))
            QCoreApplication::installTranslator(translator);
        const QList<ModalSeam::Seen> seen = ModalSeam::run([&form] { form.ok()->click(); });
        QFETCH(QString, told);
        QCOMPARE(seen.value(0).text, told.arg(night.toString(QStringLiteral("MMM d, yyyy"))));
        QCOMPARE(form.dialog.result(), int(QDialog::Accepted));
        if (repeats) {
            // What it says holds: a week on, the series begins at that time too.
            const QDateTime from = local(night.addDays(1), QTime(0, 0));
            const QList<Event> later = Recurrence::expand({only()}, from, from.addDays(7));
            QCOMPARE(later.value(0).startTime.toLocalTime().time(), QTime(3, 30));
        }
    }

    // While an import holds the store the form stays open with the user's input, says why, and
    // saves as soon as the import has ended.
    void saveWaitsWhileTheStoreIsHeld()
    {
        Form form(state());
        form.title->setText(QStringLiteral("Standup"));
        state()->holdStore();
        QCOMPARE(form.save(), QStringList());
        QCOMPARE(column(QStringLiteral("SELECT count(*) FROM events")), QStringList{"0"});
        const auto* note = form.dialog.findChild<QLabel*>(QStringLiteral("storeWaitNote"));
        QVERIFY(note && note->isVisibleTo(&form.dialog));
        QVERIFY(!form.ok()->isEnabled());
        QCOMPARE(form.dialog.result(), int(QDialog::Rejected));

        Form cancelled(state());
        cancelled.title->setText(QStringLiteral("Retro"));
        QCOMPARE(cancelled.save(), QStringList());
        cancelled.dialog.reject();

        state()->releaseStore();
        QCOMPARE(form.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(column(QStringLiteral("SELECT title FROM events")), QStringList{"Standup"});
        QVERIFY(!note->isVisibleTo(&form.dialog));
    }

    // A drag, a delete or a change of one occurrence made while an import holds the store is
    // written, with its undo entry, when the import has ended; the undo then reverts it.
    void editsWaitWhileTheStoreIsHeld_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("move") << QStringLiteral("move");
        QTest::newRow("delete") << QStringLiteral("delete");
        QTest::newRow("one occurrence") << QStringLiteral("occurrence");
    }
    void editsWaitWhileTheStoreIsHeld()
    {
        QFETCH(QString, kind);
        Event event = storedEvent(QStringLiteral("ev-1"), AppState::localCalendarId);
        if (kind == QLatin1String("occurrence"))
            event.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=3");
        QVERIFY(StoreSeed::addEvent(state(), event));
        const Event stored = *state()->events()->getById(event.id);
        const QString live = QStringLiteral(
            "SELECT id || ' ' || start_time FROM events WHERE deleted_at IS NULL ORDER BY id");
        const QStringList before = column(live);
        QStringList reported;
        const EventChange::Reporter report = [&](const QString& text) { reported.append(text); };

        state()->holdStore();
        bool taken = false;
        if (kind == QLatin1String("move")) {
            taken = EventChange::updateWithUndo(
                state(), stored, EventChange::moved(stored, stored.startTime, 60, Clock::now()),
                QStringLiteral("Moved"), report);
        } else if (kind == QLatin1String("delete")) {
            taken = EventChange::deleteWithUndo(state(), stored, report);
        } else {
            const QDateTime second = stored.startTime.addDays(1);
            const std::optional<SeriesEdit::Plan> plan = RecurringEdit::planMove(
                state()->events(), stored, second, second.addSecs(3600), second.addSecs(7200), 1);
            taken = plan && RecurringEdit::carryOutWithUndo(state(), *plan, QStringLiteral("Moved"),
                                                            QStringLiteral("failed"), report);
        }
        QVERIFY(taken);
        QCOMPARE(column(live), before);
        QCOMPARE(state()->undoStack()->count(), 0);

        state()->releaseStore();
        QVERIFY(column(live) != before);
        QCOMPARE(state()->undoStack()->count(), 1);
        state()->undoStack()->undo();
        QCOMPARE(column(live), before);
        QCOMPARE(reported, QStringList());
    }

    // A series stops repeating through "Does not repeat" in the recurrence editor, for the scope
    // the form saves for: all events leave one event, this and following end the series before
    // the occurrence and leave one event there; the overrides after it go. The one event is
    // where the form showed it (opened on the second occurrence, or the series' first).
    void stopRepeating_data()
    {
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("daysLater"); // the form's start moved before saving
        QTest::addColumn<QStringList>("withoutRule");
        QTest::newRow("series form") << 0 << 0 << QStringList{"1"};
        QTest::newRow("all events") << 3 << 0 << QStringList{"1"};
        QTest::newRow("all events, moved") << 3 << 2 << QStringList{"1"};
        QTest::newRow("this and following") << 2 << 0 << QStringList{"0", "1"};
    }
    void stopRepeating()
    {
        QFETCH(int, scope);
        QFETCH(int, daysLater);
        Event master = storedEvent(QStringLiteral("ev-1"), AppState::localCalendarId);
        master.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=5");
        QVERIFY(StoreSeed::addEvent(state(), master));
        const QDateTime third = master.startTime.addDays(2);
        QVERIFY(StoreSeed::addEvent(
            state(),
            SeriesEdit::occurrenceOverride(master, third, third.addSecs(3600), third.addSecs(7200),
                                           QStringLiteral("ev-1-third"), master.startTime)));

        Event shown = *state()->events()->getById(master.id);
        const QDateTime occurrence = master.startTime.addDays(1);
        if (scope != 0) {
            shown.startTime = occurrence;
            shown.endTime = master.endTime->addDays(1);
        }
        Form form(state(), shown);
        if (scope != 0)
            form.dialog.setSeriesScope(master, occurrence, scope);
        ModalSeam::run([&] { form.button(RruleFormat::describe(master.recurrenceRule))->click(); },
                       [](QWidget* window) {
                           auto* frequency = window->findChild<QComboBox*>();
                           const int none = frequency->findText(QStringLiteral("Does not repeat"));
                           QVERIFY(none >= 0);
                           frequency->setCurrentIndex(none);
                           QVERIFY(ModalSeam::accept(window));
                       });
        QVERIFY(form.button(QStringLiteral("Does not repeat")));
        if (daysLater != 0)
            form.start->findChild<QDateEdit*>()->setDate(form.start->date().addDays(daysLater));
        const QDateTime shownStart = form.start->dateTime();
        const QDateTime shownEnd = form.end->dateTime();
        QCOMPARE(form.save(), QStringList());
        QTEST(column(QStringLiteral("SELECT ifnull(recurrence_rule, '') = '' FROM events WHERE "
                                    "deleted_at IS NULL ORDER BY start_time")),
              "withoutRule");
        // The override has nothing left to hang on: it goes with the next push of the series.
        QCOMPARE(column(QStringLiteral("SELECT id FROM events WHERE deleted_at IS NULL AND id = "
                                       "'ev-1-third'")),
                 QStringList());
        QCOMPARE(column(QStringLiteral("SELECT start_time FROM events WHERE deleted_at IS NULL "
                                       "ORDER BY start_time"))
                     .constLast(),
                 shownStart.toUTC().toString(Qt::ISODate));
        // It keeps the length the form showed, ending after it starts.
        QCOMPARE(column(QStringLiteral("SELECT end_time FROM events WHERE deleted_at IS NULL "
                                       "ORDER BY start_time"))
                     .constLast(),
                 shownEnd.toUTC().toString(Qt::ISODate));
        QCOMPARE(shownStart.secsTo(shownEnd), 3600);
        QCOMPARE(shownStart.addDays(-daysLater), scope == 0 ? master.startTime : occurrence);
    }

    // The form on a series edits all its events; another calendar takes the series with its
    // override as one resource: both rows leave tombstones (with the server's href) behind and
    // arrive under the same UID without one; undo brings them back.
    // Return saves the form even when the Repeats button had the focus last, as it has after its
    // editor closes; it does not open the editor again.
    void returnSavesFromTheRepeatButton()
    {
        Form form(state());
        form.dialog.show();
        form.title->setText(QStringLiteral("Focus"));
        QPushButton* repeat = form.button(QStringLiteral("Does not repeat"));
        repeat->setFocus();
        const auto seen = ModalSeam::run([&] { QTest::keyClick(repeat, Qt::Key_Return); });
        QCOMPARE(seen.size(), 0);
        QCOMPARE(form.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(column(QStringLiteral("SELECT title FROM events WHERE title = 'Focus'")),
                 QStringList{"Focus"});
    }

    void seriesMovesWithItsOverrides()
    {
        addCalendars(state());
        Event master = storedEvent(QStringLiteral("ev-1"), QStringLiteral("zed"));
        master.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=5");
        QVERIFY(state()->events()->insert(master));
        Event moved = SeriesEdit::occurrenceOverride(
            master, master.startTime.addDays(2), master.startTime.addDays(2).addSecs(3600),
            master.endTime->addDays(2).addSecs(3600), QStringLiteral("ev-1-third"),
            master.startTime);
        moved.href = master.href; // one server object for the series
        QVERIFY(state()->events()->insert(moved));

        Form form(state(), *state()->events()->getById(master.id));
        form.chooseCalendar(QStringLiteral("alpha"));
        QCOMPARE(form.save(), QStringList());
        QCOMPARE(
            column(QStringLiteral("SELECT calendar_id || ' ' || uid || ' ' || ifnull(href, '') "
                                  "|| ' ' || (deleted_at IS NOT NULL) FROM events ORDER BY "
                                  "calendar_id DESC, recurrence_id IS NOT NULL")),
            (QStringList{"zed ev-1 /cal/ev-1.ics 1", "zed ev-1 /cal/ev-1.ics 1", "alpha ev-1  0",
                         "alpha ev-1  0"}));
        state()->undoStack()->undo();
        QCOMPARE(column(QStringLiteral("SELECT calendar_id || ' ' || (deleted_at IS NOT NULL) "
                                       "FROM events ORDER BY calendar_id DESC, id")),
                 (QStringList{"zed 0", "zed 0", "alpha 1", "alpha 1"}));
    }

    // A store opened read-only refuses every save; the message says so instead of only failing.
    void saveOnReadOnlyStoreSaysWhy()
    {
        QVERIFY(exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
        QFile seeded(AppStateFixture::databasePath());
        QVERIFY(seeded.open(QIODevice::ReadOnly));
        const QByteArray store = seeded.readAll();
        m_fixture.reset();
        m_fixture = std::make_unique<AppStateFixture>(AppStateFixture::defaultNow());
        QFile copy(AppStateFixture::databasePath());
        QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write(store) == store.size());
        copy.close();
        QVERIFY(QFile::setPermissions(copy.fileName(), QFile::ReadOwner | QFile::ReadOther));
        QVERIFY(m_fixture->start());
        QVERIFY(state()->database()->isReadOnly());

        Form form(state());
        form.title->setText(QStringLiteral("Dentist"));
        const auto seen = ModalSeam::run(
            [&] { form.ok()->click(); },
            [](QWidget* window) { ModalSeam::clickButton(window, QStringLiteral("OK")); });
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().text,
                 QStringLiteral("Could not save the event: the calendar file is read-only."));
        QVERIFY(form.dialog.result() != QDialog::Accepted);
    }

    // The event's own calendar is always offered, even hidden; an event of a read-only calendar
    // opens for viewing and is never changed, moved or deleted by saving.
    void ownCalendarAndReadOnly()
    {
        addCalendars(state());
        const Event inHidden = storedEvent(QStringLiteral("ev-1"), QStringLiteral("hidden"));
        QVERIFY(state()->events()->insert(inHidden));
        {
            Form form(state(), inHidden);
            QCOMPARE(form.calendar->currentData().toString(), QStringLiteral("hidden"));
            QCOMPARE(form.save(), QStringList());
        }
        const Event inShared = storedEvent(QStringLiteral("ev-2"), QStringLiteral("shared"));
        QVERIFY(state()->events()->insert(inShared));
        Form form(state(), inShared);
        QCOMPARE(form.calendar->currentData().toString(), QStringLiteral("shared"));
        QVERIFY(!form.ok()->isEnabled());
        form.title->setText(QStringLiteral("Changed"));
        form.chooseCalendar(QStringLiteral("alpha"));
        QCOMPARE(form.save(), QStringList{"Read-only calendar"});
        QCOMPARE(column(QStringLiteral("SELECT id || ' ' || calendar_id || ' ' || title || ' ' || "
                                       "ifnull(deleted_at, 'live') FROM events ORDER BY id")),
                 (QStringList{"ev-1 hidden Review live", "ev-2 shared Review live"}));
    }

    // "From template…": none stored says so; a chosen template fills only what it has.
    void templates()
    {
        Form form(state());
        QPushButton* fromTemplate = form.button(QStringLiteral("From template…"));
        QVERIFY(fromTemplate);
        QList<ModalSeam::Seen> seen = ModalSeam::run([&] { fromTemplate->click(); });
        QCOMPARE(seen.value(0).title, QStringLiteral("No templates"));

        EventTemplate standUp;
        standUp.name = QStringLiteral("Stand-up");
        standUp.title = QStringLiteral("Daily stand-up");
        standUp.durationMinutes = 15;
        standUp.reminders = {5, 45};
        standUp.recurrenceRule = QStringLiteral("FREQ=DAILY");
        QVERIFY(state()->templates()->insert(standUp));
        EventTemplate blank;
        blank.name = blank.title = QStringLiteral("Blank");
        blank.durationMinutes = 0;
        QVERIFY(state()->templates()->insert(blank));
        // A template without a title (one stored by another device).
        QVERIFY(exec(QStringLiteral("UPDATE event_templates SET title = '' WHERE name = 'Blank'")));

        const auto choose = [&](const QString& name) {
            return ModalSeam::run([&] { fromTemplate->click(); },
                                  [&](QWidget* menu) { ModalSeam::chooseMenuAction(menu, name); });
        };
        form.title->setText(QStringLiteral("Typed"));
        const QDateTime end = form.end->dateTime();
        QCOMPARE(choose(QStringLiteral("Blank")).value(0).text, QStringLiteral("Blank|Stand-up"));
        QCOMPARE(form.title->text(), QStringLiteral("Typed"));
        QCOMPARE(form.end->dateTime(), end);
        QVERIFY(form.reminderCombos().isEmpty());

        choose(QStringLiteral("Stand-up"));
        QCOMPARE(form.title->text(), QStringLiteral("Daily stand-up"));
        QCOMPARE(form.end->dateTime(), form.start->dateTime().addSecs(15 * 60));
        QCOMPARE(form.reminderTexts(), (QStringList{"5 minutes before", "45 minutes before"}));
        QVERIFY(form.button(RruleFormat::describe(QStringLiteral("FREQ=DAILY"))));
    }

    // A stored text of any length survives the Save of an unchanged form, every character of it,
    // blanks and line ends too: whole in the field up to its bound (past a line edit's default
    // 32,767), beyond it shown in part and read-only until a click puts the whole text in.
    void unchangedTextsSaveWhole_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("partial");
        QTest::newRow("at the field's bound") << Limits::maxFormFieldChars << false;
        QTest::newRow("beyond it") << 200000 << true;
    }

    void unchangedTextsSaveWhole()
    {
        QFETCH(int, length);
        QFETCH(bool, partial);
        Event original = storedEvent(QStringLiteral("ev-1"), AppState::localCalendarId);
        original.title = QStringLiteral(" Title") + QString(length - 7, u't') + u' ';
        original.location = QString(length, u'l');
        original.description = QStringLiteral("a\r\nb\u00a0c ") + QString(length - 7, u'd');
        original.rawIcalendar = Ical::buildEvent(original);
        QVERIFY(state()->events()->insert(original));
        {
            Form form(state(), *state()->events()->getById(original.id));
            QCOMPARE((QList<bool>{form.title->isReadOnly(), form.location->isReadOnly(),
                                  form.notes->isReadOnly()}),
                     (QList<bool>{partial, partial, partial}));
            QCOMPARE(form.save(), QStringList());
        }
        Event stored = *state()->events()->getById(original.id);
        QCOMPARE((QList<qsizetype>{stored.title.size(), stored.location.size(),
                                   stored.description.size()}),
                 (QList<qsizetype>{length, length, length}));
        QVERIFY(stored.title == original.title && stored.location == original.location &&
                stored.description == original.description);
        QVERIFY(sent(stored).title == original.title);
        if (!partial)
            return;

        // A click puts the whole title in; typed at, it is saved as typed.
        Form form(state(), stored);
        form.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.dialog));
        QTest::mouseClick(form.title, Qt::LeftButton);
        QTRY_VERIFY(!form.title->isReadOnly());
        QCOMPARE(form.title->text().size(), length);
        form.title->end(false);
        QTest::keyClicks(form.title, QStringLiteral("!"));
        QCOMPARE(form.save(), QStringList());
        stored = *state()->events()->getById(original.id);
        QVERIFY(stored.title == (original.title + u'!').trimmed());
        QVERIFY(stored.location == original.location);
    }

    // Thousands of attendees from a server: the form stands as tall as with a few, builds the
    // rows near the view only, and saves every attendee with the edit of one scrolled to.
    void manyAttendees()
    {
        const auto withAttendees = [](const QString& id, int count) {
            Event event = storedEvent(id, AppState::localCalendarId);
            event.attendees.clear();
            for (int i = 0; i < count; ++i) {
                Attendee& attendee = event.attendees.emplace_back();
                attendee.email = QStringLiteral("p%1@example.com").arg(i);
                attendee.name = QStringLiteral("Person %1").arg(i);
                attendee.status = QStringLiteral("accepted");
            }
            event.rawIcalendar = Ical::buildEvent(event);
            return event;
        };
        QVERIFY(state()->events()->insert(withAttendees(QStringLiteral("many"), 5000)));
        const Event loaded = *state()->events()->getById(QStringLiteral("many"));
        Form few(state(), withAttendees(QStringLiteral("few"), 5));
        Form many(state(), loaded);
        QCOMPARE(many.dialog.sizeHint().height(), few.dialog.sizeHint().height());

        many.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&many.dialog));
        const auto nameFields = [&] {
            QList<QLineEdit*> fields;
            for (QLineEdit* field : many.dialog.findChildren<QLineEdit*>())
                if (field->isVisibleTo(&many.dialog) &&
                    field->placeholderText() == QLatin1String("Name"))
                    fields.append(field);
            return fields;
        };
        QVERIFY(nameFields().size() < 50);
        QScrollBar* bar = many.dialog.findChild<EventAttendeeList*>()
                              ->findChild<QScrollArea*>()
                              ->verticalScrollBar();
        bar->setValue(bar->maximum());
        const Attendee lastShown = loaded.attendees.last();
        QLineEdit* last = nullptr;
        for (QLineEdit* field : nameFields())
            if (field->text() == lastShown.name)
                last = field;
        QVERIFY(last);
        last->end(false);
        QTest::keyClicks(last, QStringLiteral(" B"));
        QCOMPARE(many.save(), QStringList());
        const Event stored = *state()->events()->getById(QStringLiteral("many"));
        QCOMPARE(stored.attendees.size(), 5000);
        QStringList renamed;
        for (const Attendee& attendee : stored.attendees)
            if (attendee.name.endsWith(QLatin1String(" B")))
                renamed.append(attendee.email + u' ' + attendee.name);
        QCOMPARE(renamed, QStringList{lastShown.email + u' ' + lastShown.name + " B"});
    }

    // An event with thousands of alarms opens in a form as tall as one with a screenful of them,
    // builds the rows near the view only, and saves every reminder, the one changed at the
    // bottom of the list included.
    void manyReminders()
    {
        const auto withReminders = [](const QString& id, int count) {
            Event event = storedEvent(id, AppState::localCalendarId);
            event.reminders.clear();
            for (int i = 0; i < count; ++i) {
                Reminder& reminder = event.reminders.emplace_back();
                // Presets and other offsets, repeated.
                reminder.minutesBefore = (i * 37) % 3000;
                reminder.action = QStringLiteral("display");
            }
            event.rawIcalendar = Ical::buildEvent(event);
            return event;
        };
        QVERIFY(state()->events()->insert(withReminders(QStringLiteral("many"), 2000)));
        const Event loaded = *state()->events()->getById(QStringLiteral("many"));
        QCOMPARE(loaded.reminders.size(), 2000);
        Form few(state(), withReminders(QStringLiteral("few"), EventReminderList::shownRows));
        Form many(state(), loaded);
        few.dialog.show();
        many.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&many.dialog));
        QCOMPARE(many.dialog.height(), few.dialog.height());
        auto* list = many.dialog.findChild<EventReminderList*>();
        QList<int> expected;
        for (const Reminder& reminder : loaded.reminders)
            expected.append(reminder.minutesBefore);
        QCOMPARE(list->minutes(), expected);
        const auto lowestShown = [&] {
            QComboBox* lowest = nullptr;
            int shown = 0;
            for (QComboBox* combo : list->findChildren<QComboBox*>()) {
                if (!combo->isVisibleTo(&many.dialog))
                    continue;
                ++shown;
                if (!lowest || combo->mapTo(list, QPoint()).y() > lowest->mapTo(list, QPoint()).y())
                    lowest = combo;
            }
            return std::pair(lowest, shown);
        };
        QVERIFY(lowestShown().second < 50);
        // A wheel turned over a row scrolls the list and leaves that row's reminder alone.
        QScrollBar* bar = list->findChild<QScrollArea*>()->verticalScrollBar();
        QComboBox* first = list->findChildren<QComboBox*>().value(0);
        QWheelEvent wheel(QPointF(5, 5), first->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(first, &wheel);
        QCOMPARE(first->currentData().toInt(), expected.first());
        QVERIFY(bar->value() > 0);
        bar->setValue(bar->maximum());
        const auto [last, shown] = lowestShown();
        QVERIFY(shown < 50);
        QCOMPARE(last->currentData().toInt(), expected.last());
        last->setCurrentIndex(last->findData(10080));
        expected.last() = 10080;

        QCOMPARE(many.save(), QStringList());
        const Event saved = *state()->events()->getById(QStringLiteral("many"));
        QList<int> stored;
        for (const Reminder& reminder : saved.reminders)
            stored.append(reminder.minutesBefore);
        std::sort(expected.begin(), expected.end());
        QCOMPARE(stored, expected);
    }

    // A row's × takes its own reminder and its row with it: the rows left show the reminders
    // left, and the button clicked is gone, so a second click on it cannot take another one.
    void removingARowTakesItsOwnReminder()
    {
        Event event = storedEvent(QStringLiteral("ev-1"), AppState::localCalendarId);
        event.reminders.clear();
        for (const int minutes : {5, 10, 15, 30})
            event.reminders.emplace_back().minutesBefore = minutes;
        event.rawIcalendar = Ical::buildEvent(event);
        QVERIFY(state()->events()->insert(event));
        Form form(state(), *state()->events()->getById(event.id));
        form.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.dialog));
        // A row's × sits beside its minutes.
        const auto removeRow = [&form](int row) {
            QPointer<QToolButton> remove =
                form.reminderCombos().at(row)->parentWidget()->findChild<QToolButton*>();
            remove->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return remove;
        };
        const QPointer<QToolButton> second = removeRow(1);
        QVERIFY(!second || !second->isVisibleTo(&form.dialog));
        QCOMPARE(form.reminderTexts(),
                 (QStringList{"5 minutes before", "15 minutes before", "30 minutes before"}));
        removeRow(2);
        QCOMPARE(form.reminderTexts(), (QStringList{"5 minutes before", "15 minutes before"}));
        QCOMPARE(form.save(), QStringList());
        QCOMPARE(minutes(*state()->events()->getById(event.id)), (QList<int>{5, 15}));
    }
};

QTEST_MAIN(TestEventFormDialog)
#include "tst_eventformdialog.moc"

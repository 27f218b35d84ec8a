#include "AppState.h"
#include "AppStateFixture.h"
#include "Application.h"
#include "CalendarRepository.h"
#include "Database.h"
#include "FilterConditions.h"
#include "FilterFormDialog.h"
#include "FilterRuleRepository.h"
#include "ModalSeam.h"
#include "StoreSeed.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSqlQuery>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <QTranslator>

namespace {

const QDate today(2026, 3, 11);
const QString personal = QStringLiteral("orvandellic-personal-default");

// The form's widgets as a person finds them, by their visible texts.
struct Form
{
    explicit Form(FilterFormDialog& dialog) : dialog(dialog) {}

    QLineEdit* name() const { return edit(QStringLiteral("Hide standups, Dim birthdays…")); }
    QLineEdit* phrases() const
    {
        return edit(QStringLiteral("e.g. standup, lunch, 1:1 — comma separated"));
    }
    QLineEdit* edit(const QString& placeholder) const
    {
        for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
            if (edit->placeholderText() == placeholder)
                return edit;
        }
        return nullptr;
    }
    template <typename T> T* byText(const QString& text) const
    {
        for (T* widget : dialog.findChildren<T*>()) {
            if (widget->text() == text)
                return widget;
        }
        return nullptr;
    }
    QCheckBox* box(const QString& text) const { return byText<QCheckBox>(text); }
    QToolButton* toggle(const QString& text) const { return byText<QToolButton>(text); }
    QList<QTimeEdit*> times() const { return dialog.findChildren<QTimeEdit*>(); }
    QComboBox* action() const { return dialog.findChild<QComboBox*>(); }
    QListWidget* calendars() const { return dialog.findChild<QListWidget*>(); }
    QLabel* preview() const
    {
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text().startsWith(QLatin1String("Would ")) ||
                label->text().startsWith(QLatin1String("No events in")))
                return label;
        }
        return nullptr;
    }
    void tick(const QString& calendarLabel, bool on) const
    {
        const auto items = calendars()->findItems(calendarLabel, Qt::MatchExactly);
        QVERIFY(items.size() == 1);
        items.first()->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    QStringList calendarLabels() const
    {
        QStringList labels;
        for (int i = 0; i < calendars()->count(); ++i)
            labels.append(calendars()->item(i)->text());
        return labels;
    }
    // Clicks the OK button and answers every message box with OK; what was shown.
    QList<ModalSeam::Seen> save() const
    {
        return ModalSeam::run(
            [this] {
                dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            },
            [](QWidget* window) { ModalSeam::clickButton(window, QStringLiteral("OK")); });
    }

    FilterFormDialog& dialog;
};

// Work and home accounts (home sorts first, case ignored), a hidden calendar and a nameless
// account's calendar (first of all), besides the hub's own "On This Device / Personal".
void addCalendars(AppState* state)
{
    using namespace StoreSeed;
    QVERIFY(addCalendar(state, account("work", "Work", "caldav"),
                        calendar("alpha", "work", "Alpha", "#e67c73")));
    QVERIFY(addCalendar(state, account("home", "home", "caldav"),
                        calendar("zed", "home", "Zed", "#33b679")));
    Calendar hidden = calendar("hidden", "home", "Birthdays", "#8e24aa");
    hidden.isVisible = false;
    QVERIFY(state->calendars()->insert(hidden));
    // An account without a name labels its calendar by the calendar's name alone.
    QVERIFY(addCalendar(state, account("nameless", "", "caldav"),
                        calendar("orphan", "nameless", "Beta", "#f4511e")));
}

// A daily standup for ten days from today, a lunch and an all-day offsite.
void addEvents(AppState* state)
{
    using namespace StoreSeed;
    Event standup = timedEvent("standup", personal, "Daily standup", local(today, QTime(9, 0)),
                               local(today, QTime(9, 15)));
    standup.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=10");
    QVERIFY(addEvent(state, standup));
    QVERIFY(addEvent(state, timedEvent("lunch", "alpha", "Lunch with <b>Ann</b>",
                                       local(today.addDays(1), QTime(12, 0)),
                                       local(today.addDays(1), QTime(13, 0)))));
    QVERIFY(addEvent(state,
                     allDayEvent("offsite", "zed", "Offsite", today.addDays(2), today.addDays(2))));
}

FilterRule storedRule(AppState* state)
{
    const QList<FilterRule> rules = state->filterRules()->getAll();
    return rules.size() == 1 ? rules.first() : FilterRule();
}

} // namespace

class TestFilterFormDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        // The English catalogue gives the counted texts their singular and plural.
        for (QTranslator* translator : Application::loadTranslators(QStringLiteral("en"), this))
            QCoreApplication::installTranslator(translator);
    }

    // Each kind stores exactly its condition object, members in key order, with the calendar
    // scope and event reference that belong to it.
    void conditionsPerKind_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("phrases");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<QString>("calendarIds");

        QTest::newRow("pattern phrases trimmed, empties dropped")
            << "Pattern Match"
            << "  standup , ,lunch,  " << QStringList{"Case sensitive"} << QStringList{}
            << "pattern"
            << R"({"caseSensitive":true,"descriptionContains":[],"locationContains":[],)"
               R"("runtimeType":"pattern","titleContains":["standup","lunch"],"titleExact":[]})"
            << R"(["zed","alpha"])";
        QTest::newRow("time with nothing ticked")
            << "Time-Based"
            << "" << QStringList{} << QStringList{} << "time"
            << R"({"daysOfWeek":[],"recurringOnly":false,"runtimeType":"time"})"
            << R"(["zed","alpha"])";
        QTest::newRow("time with both boxes and days")
            << "Time-Based"
            << "" << QStringList{"Exact start time", "Time range", "Recurring events only"}
            << QStringList{"Fri", "Mon"} << "time"
            << R"({"daysOfWeek":["mon","fri"],"recurringOnly":true,"runtimeType":"time",)"
               R"("timeExact":"09:05","timeRange":{"end":"17:30","start":"08:00"}})"
            << R"(["zed","alpha"])";
        QTest::newRow("all-day pairs all_day with allDay")
            << "All-Day Events"
            << "" << QStringList{"Only recurring all-day events"} << QStringList{} << "all_day"
            << R"({"recurringOnly":true,"runtimeType":"allDay"})"
            << R"(["zed","alpha"])";
        QTest::newRow("specific drops the ticked calendars")
            << "Specific Event"
            << "" << QStringList{} << QStringList{} << "specific"
            << R"({"runtimeType":"specific"})"
            << "[]";
    }
    void conditionsPerKind()
    {
        QFETCH(QString, kind);
        QFETCH(QString, phrases);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, days);
        QFETCH(QString, type);
        QFETCH(QString, conditions);
        QFETCH(QString, calendarIds);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        addCalendars(fixture.state());
        FilterFormDialog dialog(fixture.state());
        const Form form(dialog);
        form.name()->setText(QStringLiteral(" Quiet "));
        form.tick(QStringLiteral("Work / Alpha"), true);
        form.tick(QStringLiteral("home / Zed"), true);
        if (kind == QLatin1String("Specific Event")) {
            Event event = StoreSeed::timedEvent("ev", "zed", "Gym", StoreSeed::local(today, {}),
                                                StoreSeed::local(today, QTime(1, 0)));
            dialog.setSpecificEvent(event);
        } else {
            form.toggle(kind)->click();
        }
        form.phrases()->setText(phrases);
        for (const QString& box : boxes)
            form.box(box)->setChecked(true);
        for (const QString& day : days)
            form.toggle(day)->click();
        form.times().at(0)->setTime(QTime(9, 5));
        form.times().at(1)->setTime(QTime(8, 0));
        form.times().at(2)->setTime(QTime(17, 30));
        form.action()->setCurrentIndex(1);
        form.box(QStringLiteral("Suppress reminders for matched events"))->setChecked(true);

        QCOMPARE(form.save().size(), 0);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const FilterRule rule = storedRule(fixture.state());
        QCOMPARE(rule.name, QStringLiteral("Quiet"));
        QCOMPARE(rule.type, type);
        QCOMPARE(rule.conditions, conditions);
        QCOMPARE(rule.calendarIds, calendarIds);
        QCOMPARE(rule.action, QStringLiteral("dim"));
        QVERIFY(rule.suppressReminders);
        QCOMPARE(rule.priority, 100);
        QCOMPARE(rule.syncStatus, QStringLiteral("pending"));
        QCOMPARE(rule.eventUid, type == QLatin1String("specific") ? QStringLiteral("ev") : "");
        QCOMPARE(rule.eventCalendarId,
                 type == QLatin1String("specific") ? QStringLiteral("zed") : "");
    }

    // Reading a stored rule fills only what the form understands; saving it again writes what
    // the form shows.
    void storedRuleReadAndResaved_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("resaved");

        // What the form does not show stays as another device wrote it, so the rule does not
        // widen; what it shows is written back in its own shape.
        QTest::newRow("description, location and exact titles kept")
            << "pattern"
            << R"({"runtimeType":"pattern","titleContains":["a",3,"b"],"titleExact":["Standup"],)"
               R"("descriptionContains":["x"],"locationContains":["Room 1"],"caseSensitive":true})"
            << R"({"caseSensitive":true,"descriptionContains":["x"],"locationContains":["Room 1"],)"
               R"("runtimeType":"pattern","titleContains":["a","b"],"titleExact":["Standup"]})";
        QTest::newRow("day names in any case; times the form cannot read kept")
            << "time"
            << R"({"runtimeType":"time","timeExact":"7:05","timeRange":{"start":"08:00",)"
               R"("end":"25:00"},"daysOfWeek":["Mon","tue"],"recurringOnly":true})"
            << R"({"daysOfWeek":["mon","tue"],"recurringOnly":true,"runtimeType":"time",)"
               R"("timeExact":"7:05","timeRange":{"end":"25:00","start":"08:00"}})";
        QTest::newRow("unknown day names and members kept")
            << "time"
            << R"({"runtimeType":"time","daysOfWeek":["Monday","FRI"],"timeExact":"09:00",)"
               R"("source":"phone"})"
            << R"({"daysOfWeek":["fri","Monday"],"recurringOnly":false,"runtimeType":"time",)"
               R"("source":"phone","timeExact":"09:00"})";
        QTest::newRow("valid times kept")
            << "time"
            << R"({"runtimeType":"time","timeExact":"23:59","timeRange":{"start":"22:00",)"
               R"("end":"06:00"}})"
            << R"({"daysOfWeek":[],"recurringOnly":false,"runtimeType":"time",)"
               R"("timeExact":"23:59","timeRange":{"end":"06:00","start":"22:00"}})";
        QTest::newRow("not an object reads as defaults")
            << "all_day"
            << "[1,2]"
            << R"({"recurringOnly":false,"runtimeType":"allDay"})";
    }
    void storedRuleReadAndResaved()
    {
        QFETCH(QString, type);
        QFETCH(QString, stored);
        QFETCH(QString, resaved);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        FilterRule rule;
        rule.id = QStringLiteral("r1");
        rule.name = QStringLiteral("Synced");
        rule.type = type;
        rule.conditions = stored;
        rule.priority = 7;
        rule.syncStatus = QStringLiteral("synced");
        QVERIFY(fixture.state()->filterRules()->insert(rule));

        FilterFormDialog dialog(fixture.state(), rule);
        QCOMPARE(Form(dialog).save().size(), 0);
        const FilterRule saved = storedRule(fixture.state());
        QCOMPARE(saved.conditions, resaved);
        QCOMPARE(saved.id, QStringLiteral("r1"));
        QCOMPARE(saved.priority, 7);
        QCOMPARE(saved.syncStatus, QStringLiteral("pending"));
    }

    // The preview counts what the unsaved rule decides over the next 30 days: each hidden
    // occurrence, but a dimmed series once. It waits for typing to pause and ignores "Enabled".
    void previewCounts_data()
    {
        QTest::addColumn<QString>("phrases");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("text");

        QTest::newRow("hide a daily series") << "standup" << 0
                                             << "Would hide 10 of 12 events in the next 30 days.  "
                                                "e.g. Daily standup, Daily standup, Daily standup";
        QTest::newRow("dim a daily series counts it once")
            << "standup" << 1
            << "Would dim 1 of 12 events in the next 30 days.  "
               "e.g. Daily standup, Daily standup, Daily standup";
        QTest::newRow("markup in a title stays text")
            << "ann, offsite" << 0
            << "Would hide 2 of 12 events in the next 30 days.  e.g. Lunch with <b>Ann</b>, "
               "Offsite";
        QTest::newRow("only commas match nothing")
            << " , ," << 0 << "Would hide 0 of 12 events in the next 30 days.";
    }
    void previewCounts()
    {
        QFETCH(QString, phrases);
        QFETCH(int, action);
        QFETCH(QString, text);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        addCalendars(fixture.state());
        addEvents(fixture.state());
        FilterFormDialog dialog(fixture.state());
        const Form form(dialog);
        QCOMPARE(form.preview()->text(),
                 QStringLiteral("Would hide 0 of 12 events in the next 30 days."));
        QCOMPARE(form.preview()->textFormat(), Qt::PlainText);
        form.box(QStringLiteral("Enabled"))->setChecked(false);
        form.action()->setCurrentIndex(action);
        QTest::keyClicks(form.phrases(), phrases);
        QTRY_COMPARE(form.preview()->text(), text);
    }

    // An event titled a megabyte: the preview and the specific-event page name its start, the
    // name suggested from it is short, and the form keeps every field usable and fits the screen.
    void megabyteTitleShownShort()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        QString title;
        while (title.size() < 1024 * 1024)
            title += QStringLiteral("LongText ");
        Event event = StoreSeed::timedEvent("long", personal, title,
                                            StoreSeed::local(today.addDays(1), QTime(9, 0)),
                                            StoreSeed::local(today.addDays(1), QTime(10, 0)));
        QVERIFY(StoreSeed::addEvent(fixture.state(), event));
        const auto checkFits = [](const FilterFormDialog& dialog, const QList<QWidget*>& fields) {
            QVERIFY(dialog.screen()->availableGeometry().contains(dialog.frameGeometry()));
            for (QWidget* field : fields) {
                QVERIFY2(field->width() >= 300, field->metaObject()->className());
                QVERIFY2(field->height() >= field->minimumSizeHint().height(),
                         field->metaObject()->className());
            }
        };

        FilterFormDialog dialog(fixture.state());
        const Form form(dialog);
        dialog.show();
        form.phrases()->setText(QStringLiteral("LongText"));
        QTRY_VERIFY(form.preview()->text().startsWith(QLatin1String("Would hide 1 of 1 event")));
        QVERIFY(form.preview()->text().size() < 200);
        QVERIFY(form.preview()->text().endsWith(QStringLiteral("LongText…")));
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        checkFits(dialog, {form.name(), form.phrases(), form.action(), form.calendars()});

        FilterFormDialog specific(fixture.state());
        specific.setSpecificEvent(event);
        specific.show();
        const Form specificForm(specific);
        QVERIFY(specificForm.name()->text().size() < 200);
        QVERIFY(specificForm.name()->text().startsWith(QLatin1String("LongText LongText")));
        QVERIFY(QTest::qWaitForWindowExposed(&specific));
        checkFits(specific, {specificForm.name(), specificForm.action()});
        QCOMPARE(specificForm.save().size(), 0);
        QCOMPARE(storedRule(fixture.state()).eventUid, event.uid);
    }

    // A person tries to save an incomplete rule: the name is asked first, then the kind's own
    // requirement; a failing store says so. Nothing is written and the dialog stays open.
    void saveChecksInOrder()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        FilterFormDialog dialog(fixture.state());
        const Form form(dialog);
        // The new form as it opens.
        QVERIFY(form.toggle(QStringLiteral("Pattern Match"))->isChecked());
        QVERIFY(form.byText<QLabel>(QStringLiteral("Filter events matching text patterns")));
        QVERIFY(form.box(QStringLiteral("Enabled"))->isChecked());
        QVERIFY(!form.box(QStringLiteral("Suppress reminders for matched events"))
                     ->isVisibleTo(&dialog));
        QCOMPARE(form.calendarLabels(), QStringList{"On This Device / Personal"});
        QCOMPARE(form.preview()->text(),
                 QStringLiteral("No events in the next 30 days to preview against."));

        QList<ModalSeam::Seen> seen = form.save();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("Name required"));
        QCOMPARE(seen.first().text, QStringLiteral("Please enter a name for the filter."));

        form.name()->setText(QStringLiteral("Standups"));
        form.phrases()->setText(QStringLiteral(" ,  ,"));
        seen = form.save();
        QCOMPARE(seen.value(0).title, QStringLiteral("No patterns"));
        QCOMPARE(seen.value(0).text,
                 QStringLiteral("Add at least one phrase to \"Title contains\"."));

        form.toggle(QStringLiteral("Specific Event"))->click();
        QVERIFY(!dialog.findChild<QListWidget*>()->isVisibleTo(&dialog));
        seen = form.save();
        QCOMPARE(seen.value(0).title, QStringLiteral("No event selected"));

        form.toggle(QStringLiteral("All-Day Events"))->click();
        QSqlQuery drop(fixture.state()->database()->database());
        QVERIFY(drop.exec(QStringLiteral("DROP TABLE filter_rules")));
        seen = form.save();
        QCOMPARE(seen.value(0).className, QStringLiteral("QMessageBox"));
        QCOMPARE(seen.value(0).title, QStringLiteral("Database Error"));
        QCOMPARE(seen.value(0).text, QStringLiteral("Could not save the filter."));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    // The checklist shows the visible calendars only, by account then name; saving keeps the
    // ids the rule holds for calendars it does not show, so the rule never widens to every
    // calendar.
    void hiddenCalendarIdsKept()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        addCalendars(fixture.state());
        FilterRule rule;
        rule.id = QStringLiteral("r1");
        rule.name = QStringLiteral("Birthdays");
        rule.type = QStringLiteral("all_day");
        rule.conditions = QStringLiteral(R"({"runtimeType":"allDay"})");
        rule.calendarIds = QStringLiteral(R"(["hidden","alpha","deleted"])");
        QVERIFY(fixture.state()->filterRules()->insert(rule));

        FilterFormDialog dialog(fixture.state(), rule);
        const Form form(dialog);
        QCOMPARE(form.calendarLabels(),
                 (QStringList{"Beta", "home / Zed", "On This Device / Personal", "Work / Alpha"}));
        QCOMPARE(form.calendars()->item(3)->checkState(), Qt::Checked);
        form.tick(QStringLiteral("Work / Alpha"), false);
        QCOMPARE(form.save().size(), 0);
        QCOMPARE(storedRule(fixture.state()).calendarIds,
                 QStringLiteral(R"(["hidden","deleted"])"));

        FilterFormDialog again(fixture.state(), storedRule(fixture.state()));
        const Form second(again);
        second.tick(QStringLiteral("home / Zed"), true);
        QCOMPARE(second.save().size(), 0);
        QCOMPARE(storedRule(fixture.state()).calendarIds,
                 QStringLiteral(R"(["zed","hidden","deleted"])"));
    }

    // A specific rule whose event is gone still opens and saves its event reference.
    void specificRuleOfDeletedEvent()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        FilterRule rule;
        rule.id = QStringLiteral("r1");
        rule.name = QStringLiteral("Gym");
        rule.type = QStringLiteral("specific");
        rule.conditions = QStringLiteral(R"({"runtimeType":"specific"})");
        rule.eventUid = QStringLiteral("gone");
        rule.eventCalendarId = personal;
        QVERIFY(fixture.state()->filterRules()->insert(rule));
        FilterFormDialog dialog(fixture.state(), rule);
        const Form form(dialog);
        QVERIFY(form.byText<QLabel>(QStringLiteral("(Event no longer exists)")));
        QCOMPARE(form.save().size(), 0);
        QCOMPARE(storedRule(fixture.state()).eventUid, QStringLiteral("gone"));
        QCOMPARE(storedRule(fixture.state()).eventCalendarId, personal);
    }

    // The configuration sync changes the rule while the form is open: Save keeps its changes in
    // the fields the user left alone, tells when the user's value replaced one, and a rule
    // removed meanwhile is reported, not written again.
    void saveKeepsWhatChangedElsewhere_data()
    {
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("saved");
        // clang-format off
        QTest::newRow("another field") << "" << "" << "Synced|0|dim";
        QTest::newRow("same field") << "Mine" << "Changed elsewhere" << "Mine|0|dim";
        // clang-format on
    }
    void saveKeepsWhatChangedElsewhere()
    {
        QFETCH(QString, typedName);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        FilterRule rule;
        rule.id = QStringLiteral("r1");
        rule.name = QStringLiteral("Standups");
        rule.type = QStringLiteral("pattern");
        rule.conditions = FilterConditions::patternConditions({"standup"}, false);
        rule.syncStatus = QStringLiteral("synced");
        QVERIFY(fixture.state()->filterRules()->insert(rule));
        FilterFormDialog dialog(fixture.state(), rule);
        const Form form(dialog);
        FilterRule pulled = rule;
        pulled.name = QStringLiteral("Synced");
        pulled.enabled = false;
        QVERIFY(fixture.state()->filterRules()->update(pulled));
        form.action()->setCurrentIndex(1);
        if (!typedName.isEmpty())
            form.name()->setText(typedName);

        QTEST(form.save().value(0).title, "told");
        const FilterRule saved = storedRule(fixture.state());
        QTEST(QStringList({saved.name, QString::number(saved.enabled), saved.action}).join(u'|'),
              "saved");

        FilterFormDialog removed(fixture.state(), saved);
        QVERIFY(fixture.state()->filterRules()->remove(rule.id));
        QCOMPARE(Form(removed).save().value(0).title, QStringLiteral("Filter removed"));
        QVERIFY(fixture.state()->filterRules()->getAll().isEmpty());
    }
};

QTEST_MAIN(TestFilterFormDialog)
#include "tst_filterformdialog.moc"

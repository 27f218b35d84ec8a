#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "FormScrollArea.h"
#include "Limits.h"
#include "ModalSeam.h"
#include "StoreSeed.h"
#include "TemplateEditorDialog.h"
#include "TemplateRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeZone>
#include <QToolButton>

namespace {

struct Form
{
    explicit Form(TemplateEditorDialog& dialog) : dialog(dialog) {}

    // What the fields sit in: the body of the editor's scroll area.
    QWidget* fields() const { return dialog.findChild<FormScrollArea*>()->widget(); }

    QLineEdit* edit(int index) const
    {
        return fields()->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly).value(index);
    }
    QSpinBox* hours() const { return spins().value(0); }
    QSpinBox* minutes() const { return spins().value(1); }
    QList<QSpinBox*> spins() const
    {
        return fields()->findChildren<QSpinBox*>(Qt::FindDirectChildrenOnly);
    }
    QComboBox* calendar() const
    {
        return fields()->findChild<QComboBox*>(QString(), Qt::FindDirectChildrenOnly);
    }
    QPushButton* button(const QString& text) const
    {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    }
    // The combo boxes of the reminder rows not yet scheduled for deletion.
    QList<QComboBox*> reminderCombos() const
    {
        QList<QComboBox*> combos;
        for (QComboBox* combo : dialog.findChildren<QComboBox*>()) {
            if (combo != calendar() && combo->parentWidget()->isVisibleTo(&dialog))
                combos.append(combo);
        }
        return combos;
    }
    QList<ModalSeam::Seen> ok() const
    {
        return ModalSeam::run(
            [this] {
                dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            },
            [](QWidget* window) { ModalSeam::clickButton(window, QStringLiteral("OK")); });
    }

    TemplateEditorDialog& dialog;
};

EventTemplate named(int durationMinutes)
{
    EventTemplate tmpl;
    tmpl.name = QStringLiteral("Standup");
    tmpl.title = QStringLiteral("Standup");
    tmpl.durationMinutes = durationMinutes;
    return tmpl;
}

} // namespace

class TestTemplateEditorDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The spins show the stored duration; what is stored is never shorter than 15 minutes.
    void duration_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shownHours");
        QTest::addColumn<int>("shownMinutes");
        QTest::addColumn<int>("setHours");
        QTest::addColumn<int>("setMinutes");
        QTest::addColumn<int>("saved");
        QTest::newRow("zero") << 0 << 0 << 0 << 0 << 0 << 15;
        QTest::newRow("negative") << -30 << 0 << 0 << 0 << 0 << 15;
        QTest::newRow("ten minutes") << 60 << 1 << 0 << 0 << 10 << 15;
        QTest::newRow("fifteen minutes") << 60 << 1 << 0 << 0 << 15 << 15;
        QTest::newRow("hour and a half") << 95 << 1 << 35 << 1 << 30 << 90;
        QTest::newRow("beyond a day caps the hours") << 1600 << 24 << 40 << 24 << 40 << 1480;
    }
    void duration()
    {
        QFETCH(int, stored);
        QFETCH(int, shownHours);
        QFETCH(int, shownMinutes);
        QFETCH(int, setHours);
        QFETCH(int, setMinutes);
        QFETCH(int, saved);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        TemplateEditorDialog dialog(fixture.state(), named(stored));
        const Form form(dialog);
        QCOMPARE(form.hours()->value(), shownHours);
        QCOMPARE(form.minutes()->value(), shownMinutes);
        form.hours()->setValue(setHours);
        form.minutes()->setValue(setMinutes);
        QCOMPARE(form.ok().size(), 0);
        QCOMPARE(dialog.eventTemplate().durationMinutes, saved);
        QCOMPARE(dialog.eventTemplate().id.size(), 36); // a new template gets its id on Ok
    }

    // Reminder rows label each preset; a value that is no preset gets its own item on top.
    void reminderLabels_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("extraItem");
        QTest::newRow("at time") << 0 << "At time of event" << false;
        QTest::newRow("negative") << -5 << "At time of event" << true;
        QTest::newRow("minutes") << 45 << "45 minute(s) before" << true;
        QTest::newRow("one hour") << 60 << "1 hour before" << false;
        QTest::newRow("ninety minutes") << 90 << "90 minute(s) before" << true;
        QTest::newRow("hours") << 180 << "3 hour(s) before" << true;
        QTest::newRow("one day") << 1440 << "1 day(s) before" << false;
        QTest::newRow("days") << 2880 << "2 day(s) before" << true;
        QTest::newRow("a day and an hour") << 1500 << "25 hour(s) before" << true;
    }
    void reminderLabels()
    {
        QFETCH(int, minutes);
        QFETCH(QString, label);
        QFETCH(bool, extraItem);
        QCOMPARE(TemplateRules::reminderLabel(minutes), label);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        EventTemplate tmpl = named(60);
        tmpl.reminders = {minutes};
        TemplateEditorDialog dialog(fixture.state(), tmpl);
        const QList<QComboBox*> combos = Form(dialog).reminderCombos();
        QCOMPARE(combos.size(), 1);
        QCOMPARE(combos.first()->currentText(), label);
        QCOMPARE(combos.first()->count(), extraItem ? 9 : 8);
        QCOMPARE(combos.first()->currentIndex() == 0, extraItem || minutes == 0);
    }

    // OK keeps every character of the texts the person did not edit, however long (a line edit
    // holds 32,767 by default); a long text is shown in part until its field is clicked.
    void longTextsKept_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("clicked");
        QTest::newRow("40,000 characters") << 40000 << false;
        QTest::newRow("40,000 characters, clicked") << 40000 << true;
        QTest::newRow("a megabyte") << 1024 * 1024 << false;
        QTest::newRow("blanks around untouched texts") << 12 << false;
    }
    void longTextsKept()
    {
        QFETCH(int, length);
        QFETCH(bool, clicked);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        QString text = QStringLiteral(" LongText");
        while (text.size() < length)
            text += QStringLiteral(" LongText");
        text.truncate(length);
        EventTemplate tmpl = named(30);
        tmpl.id = QStringLiteral("t1");
        tmpl.name = tmpl.title = tmpl.location = text + QLatin1Char(' ');
        tmpl.description = text;
        TemplateEditorDialog dialog(fixture.state(), tmpl);
        const Form form(dialog);
        const bool inPart = length > Limits::maxFormFieldChars;
        QCOMPARE(form.edit(1)->isReadOnly(), inPart);
        QCOMPARE(form.edit(1)->text() == tmpl.title, !inPart);
        if (clicked) {
            QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
            QCoreApplication::sendEvent(form.edit(1), &focusIn);
            QCOMPARE(form.edit(1)->text(), tmpl.title);
        }
        form.hours()->setValue(2);
        QCOMPARE(form.ok().size(), 0);
        const EventTemplate saved = dialog.eventTemplate();
        QCOMPARE(saved.name, tmpl.name);
        QCOMPARE(saved.title, tmpl.title);
        QCOMPARE(saved.description, tmpl.description);
        QCOMPARE(saved.location, tmpl.location);
        QCOMPARE(saved.durationMinutes, 150);
    }

    // A person edits an existing template: the checks come name first, the reminders and the
    // repeat rule are edited in place, and the result keeps the record's identity.
    void editTemplate()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        Calendar readOnly = StoreSeed::calendar(
            "ro", fixture.state()->calendars()->getById("orvandellic-personal-default")->accountId,
            "Shared", "#000");
        readOnly.isReadOnly = true;
        QVERIFY(fixture.state()->calendars()->insert(readOnly));
        EventTemplate tmpl = named(30);
        tmpl.id = QStringLiteral("t1");
        tmpl.calendarId = QStringLiteral("ro");
        tmpl.sortOrder = 4;
        tmpl.createdAt = QDateTime(QDate(2025, 1, 1), QTime(8, 0), Qt::UTC);
        tmpl.isAllDay = true;
        TemplateEditorDialog dialog(fixture.state(), tmpl);
        const Form form(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Template"));
        QCOMPARE(form.calendar()->currentText(), QStringLiteral("(use default)"));
        QVERIFY(!form.button(QStringLiteral("Use calendar color"))->isVisibleTo(&dialog));
        QVERIFY(form.button(QStringLiteral("Does not repeat")));

        form.edit(0)->setText(QStringLiteral("   "));
        form.edit(1)->setText(QString());
        QList<ModalSeam::Seen> seen = form.ok();
        QCOMPARE(seen.value(0).title, QStringLiteral("Missing name"));
        QCOMPARE(seen.size(), 1);
        form.edit(0)->setText(QStringLiteral(" Daily sync "));
        seen = form.ok();
        QCOMPARE(seen.value(0).title, QStringLiteral("Missing event title"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        form.edit(1)->setText(QStringLiteral(" Sync "));

        form.button(QStringLiteral("+ Add reminder"))->click();
        form.button(QStringLiteral("+ Add reminder"))->click();
        QCOMPARE(form.reminderCombos().size(), 2);
        form.reminderCombos().at(1)->setCurrentIndex(form.reminderCombos().at(1)->findData(1440));

        // The series is all-day, so the repeat editor ends it on a date, not at an instant.
        seen = ModalSeam::run([&] { form.button(QStringLiteral("Does not repeat"))->click(); },
                              [](QWidget* window) {
                                  for (QRadioButton* radio : window->findChildren<QRadioButton*>())
                                      if (radio->text() == QLatin1String("On"))
                                          radio->setChecked(true);
                                  window->findChild<QDateEdit*>()->setDate(QDate(2026, 4, 30));
                                  ModalSeam::accept(window);
                              });
        QCOMPARE(seen.value(0).className, QStringLiteral("RecurrenceEditDialog"));

        QCOMPARE(form.ok().size(), 0);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const EventTemplate saved = dialog.eventTemplate();
        QCOMPARE(saved.id, QStringLiteral("t1"));
        QCOMPARE(saved.name, QStringLiteral("Daily sync"));
        QCOMPARE(saved.title, QStringLiteral("Sync"));
        QCOMPARE(saved.calendarId, QString());
        QCOMPARE(saved.sortOrder, 4);
        QCOMPARE(saved.createdAt, tmpl.createdAt);
        QCOMPARE(saved.updatedAt, Clock::now());
        QCOMPARE(saved.reminders, (QList<int>{15, 1440}));
        QVERIFY2(saved.recurrenceRule.endsWith(QLatin1String(";UNTIL=20260430")),
                 qPrintable(saved.recurrenceRule));
    }

    // A template from another device with thousands of reminders: the editor is as tall as with
    // a screenful, builds the rows near the view only, and keeps every reminder in its order.
    void manyReminders()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        const auto withReminders = [](int count) {
            EventTemplate tmpl = named(30);
            for (int i = 0; i < count; ++i)
                tmpl.reminders.append((i * 37) % 3000);
            return tmpl;
        };
        TemplateEditorDialog few(fixture.state(), withReminders(5));
        const EventTemplate tmpl = withReminders(2000);
        TemplateEditorDialog dialog(fixture.state(), tmpl);
        QCOMPARE(dialog.sizeHint().height(), few.sizeHint().height());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const Form form(dialog);
        QVERIFY(form.reminderCombos().size() < 50);
        form.button(QStringLiteral("+ Add reminder"))->click();
        QVERIFY(form.reminderCombos().size() < 50);
        QCOMPARE(form.ok().size(), 0);
        QCOMPARE(dialog.eventTemplate().reminders, tmpl.reminders + QList<int>{15});
    }
};

QTEST_MAIN(TestTemplateEditorDialog)
#include "tst_templateeditordialog.moc"

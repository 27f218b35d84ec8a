#include "RecurrenceEditDialog.h"
#include "RruleFormat.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeZone>
#include <QToolButton>
#include <algorithm>

namespace {

const QDate monday(2025, 3, 10);
const QDate wednesday(2025, 3, 12);

// The end of the local day in UTC, as a timed series' UNTIL reads.
QString endOfLocalDay(const QDate& day)
{
    return QDateTime(day, QTime(23, 59, 59), QTimeZone::systemTimeZone())
        .toUTC()
        .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

QList<QToolButton*> dayButtons(RecurrenceEditDialog& dialog)
{
    QList<QToolButton*> buttons;
    for (QToolButton* button : dialog.findChildren<QToolButton*>()) {
        if (button->isCheckable())
            buttons.append(button);
    }
    return buttons;
}

QRadioButton* radio(RecurrenceEditDialog& dialog, const QString& text)
{
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

class TestRecurrenceEditDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // What a rule shows as comes back from rrule(): the understood parts normalised, the rest
    // dropped, unreadable values replaced by the anchor's defaults. Reading the result again
    // gives the same rule.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDate>("anchor");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << wednesday << false << "FREQ=WEEKLY;BYDAY=WE";
        QTest::newRow("days in week order")
            << "FREQ=WEEKLY;BYDAY=TH,MO" << wednesday << false << "FREQ=WEEKLY;BYDAY=MO,TH";
        QTest::newRow("every 2 weeks, count")
            << "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH;COUNT=10" << monday << false
            << "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH;COUNT=10";
        QTest::newRow("second monday")
            << "FREQ=MONTHLY;BYDAY=+2MO" << wednesday << false << "FREQ=MONTHLY;BYDAY=2MO";
        QTest::newRow("weekday without number")
            << "FREQ=MONTHLY;BYDAY=MO" << wednesday << false << "FREQ=MONTHLY;BYDAY=1MO";
        QTest::newRow("month day out of range")
            << "FREQ=MONTHLY;BYMONTHDAY=40" << wednesday << false << "FREQ=MONTHLY;BYMONTHDAY=12";
        QTest::newRow("month day wins over weekday")
            << "FREQ=MONTHLY;BYDAY=2TU;BYMONTHDAY=3" << wednesday << false
            << "FREQ=MONTHLY;BYMONTHDAY=3";
        QTest::newRow("last friday until, timed")
            << "FREQ=MONTHLY;BYDAY=-1FR;UNTIL=20251231" << wednesday << false
            << "FREQ=MONTHLY;BYDAY=-1FR;UNTIL=" + endOfLocalDay(QDate(2025, 12, 31));
        QTest::newRow("utc until, all-day") << "FREQ=DAILY;UNTIL=20250310T120000Z" << wednesday
                                            << true << "FREQ=DAILY;UNTIL=20250310";
        QTest::newRow("count 0 hides until")
            << "FREQ=DAILY;COUNT=0;UNTIL=20251231" << wednesday << false << "FREQ=DAILY";
        QTest::newRow("lower-case frequency")
            << "FREQ=daily" << monday << false << "FREQ=WEEKLY;BYDAY=MO";
        QTest::newRow("lower-case keys and days")
            << "freq=MONTHLY; byday = -1fr ;" << monday << false << "FREQ=MONTHLY;BYDAY=-1FR";
        QTest::newRow("interval capped, others dropped")
            << "FREQ=WEEKLY;INTERVAL=1000;BYDAY=SU;WKST=SU;BYSETPOS=1" << monday << false
            << "FREQ=WEEKLY;INTERVAL=999;BYDAY=SU";
    }
    void roundTrip()
    {
        QFETCH(QString, rule);
        QFETCH(QDate, anchor);
        QFETCH(bool, allDay);
        QFETCH(QString, expected);
        RecurrenceEditDialog dialog(rule, anchor, 1);
        dialog.setSeriesAllDay(allDay);
        QCOMPARE(dialog.rrule(), expected);

        RecurrenceEditDialog again(expected, anchor, 1);
        again.setSeriesAllDay(allDay);
        QCOMPARE(again.rrule(), expected);
    }

    // A person edits a weekly rule into a monthly one: the summary and unit follow every change,
    // no checked day means no BYDAY, and the week start only touches the until calendar.
    void editingFlow()
    {
        RecurrenceEditDialog dialog(QString(), monday, 7);
        const QList<QToolButton*> days = dayButtons(dialog);
        QCOMPARE(days.first()->text(), QStringLiteral("M"));
        QVERIFY(days.first()->isChecked());
        QCOMPARE(dialog.findChild<QDateEdit*>()->calendarWidget()->firstDayOfWeek(), Qt::Sunday);
        auto* summary = dialog.findChildren<QLabel*>().last();

        days.first()->setChecked(false);
        QCOMPARE(dialog.rrule(), QStringLiteral("FREQ=WEEKLY"));
        QCOMPARE(summary->text(), RruleFormat::describe(QStringLiteral("FREQ=WEEKLY")));

        const auto spins = dialog.findChildren<QSpinBox*>();
        spins.first()->setValue(3);
        auto* frequency = dialog.findChildren<QComboBox*>().first();
        frequency->setCurrentIndex(2);
        radio(dialog, QStringLiteral("On the nth weekday"))->click();
        const auto combos = dialog.findChildren<QComboBox*>();
        combos.at(1)->setCurrentIndex(4); // last
        combos.at(2)->setCurrentIndex(4); // Friday
        radio(dialog, QStringLiteral("After"))->click();
        QCOMPARE(dialog.rrule(), QStringLiteral("FREQ=MONTHLY;INTERVAL=3;BYDAY=-1FR;COUNT=10"));
        QCOMPARE(summary->text(), RruleFormat::describe(dialog.rrule()));
        QStringList labels;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            labels.append(label->text());
        QVERIFY2(labels.contains(QStringLiteral("months")), qPrintable(labels.join(',')));

        // Back to weekly: the monthly page kept its values but only weekly reaches the rule.
        frequency->setCurrentIndex(1);
        QCOMPARE(dialog.rrule(), QStringLiteral("FREQ=WEEKLY;INTERVAL=3;COUNT=10"));
    }

    // "Does not repeat" takes the rule away and hides the rest of the editor; choosing a
    // frequency again brings the rule back as it was.
    void doesNotRepeat()
    {
        RecurrenceEditDialog dialog(QStringLiteral("FREQ=DAILY;INTERVAL=2;COUNT=5"), monday, 1);
        auto* frequency = dialog.findChildren<QComboBox*>().first();
        const int none = frequency->findText(QStringLiteral("Does not repeat"));
        QVERIFY(none > 0);
        frequency->setCurrentIndex(none);
        QCOMPARE(dialog.rrule(), QString());
        QCOMPARE(dialog.findChildren<QLabel*>().last()->text(), QStringLiteral("Does not repeat"));
        QVERIFY(!radio(dialog, QStringLiteral("After"))->isVisibleTo(&dialog));
        QVERIFY(!dialog.findChildren<QSpinBox*>().first()->isVisibleTo(&dialog));

        frequency->setCurrentIndex(0);
        QCOMPARE(dialog.rrule(), QStringLiteral("FREQ=DAILY;INTERVAL=2;COUNT=5"));
        QVERIFY(radio(dialog, QStringLiteral("After"))->isVisibleTo(&dialog));
    }
};

QTEST_MAIN(TestRecurrenceEditDialog)
#include "tst_recurrenceeditdialog.moc"

#include "AppState.h"
#include "AppStateFixture.h"
#include "Database.h"
#include "EventRepository.h"
#include "PreferencesRepository.h"
#include "QuickAddDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

namespace {

QLabel* preview(QuickAddDialog& dialog)
{
    return dialog.findChildren<QLabel*>().value(1);
}

QList<Event> eventsAround(AppState* state)
{
    const QDateTime from(QDate(2026, 3, 1), QTime(0, 0));
    return state->events()->getInRange(from, from.addDays(30), {});
}

} // namespace

class TestQuickAddDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The line read back at the pinned clock (Wednesday 2026-03-11 10:00), in the user's clock.
    void previews_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("timeFormat");
        QTest::addColumn<QString>("shown");
        QTest::newRow("blank") << "   "
                               << "12"
                               << "";
        QTest::newRow("timed, 12-hour") << "lunch Thursday 1pm"
                                        << "12"
                                        << "Thu, Mar 12  1:00 PM – 2:00 PM  ·  lunch";
        QTest::newRow("timed, 24-hour") << "lunch Thursday 1pm"
                                        << "24"
                                        << "Thu, Mar 12  13:00 – 14:00  ·  lunch";
        QTest::newRow("all-day") << "dentist tomorrow"
                                 << "12"
                                 << "Thu, Mar 12  \u2012  All-day  ·  dentist";
        QTest::newRow("no title part") << "tomorrow 3pm"
                                       << "24"
                                       << "Thu, Mar 12  15:00 – 16:00";
        QTest::newRow("markup stays text") << "<b>bold</b> tomorrow 3pm"
                                           << "24"
                                           << "Thu, Mar 12  15:00 – 16:00  ·  <b>bold</b>";
    }
    void previews()
    {
        QFETCH(QString, line);
        QFETCH(QString, timeFormat);
        QFETCH(QString, shown);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        fixture.state()->preferences()->set(QStringLiteral("ui/timeFormat"), timeFormat);
        QuickAddDialog dialog(fixture.state());
        dialog.findChild<QLineEdit*>()->setText(line);
        QCOMPARE(preview(dialog)->text(), shown);
        QCOMPARE(preview(dialog)->textFormat(), Qt::PlainText);
    }

    // A person adds an event; a failed write keeps the line; with no calendar at all the main
    // window is asked for instead.
    void addFlow()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        QuickAddDialog dialog(fixture.state());
        QSignalSpy openMain(&dialog, &QuickAddDialog::openMainWindow);
        dialog.show();
        auto* input = dialog.findChild<QLineEdit*>();
        QTRY_VERIFY(input->hasFocus());

        QTest::keyClicks(input, QStringLiteral("  "));
        QTest::keyClick(input, Qt::Key_Return);
        QVERIFY(dialog.isVisible());

        input->setText(QStringLiteral("gym tomorrow 7am"));
        QTest::keyClick(input, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QList<Event> stored = eventsAround(fixture.state());
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().title, QStringLiteral("gym"));
        QCOMPARE(stored.first().syncStatus, QStringLiteral("pending"));

        dialog.show();
        QCOMPARE(input->text(), QString());
        QCOMPARE(preview(dialog)->text(), QString());

        // A store that cannot take the event: the line stays for another try.
        QSqlQuery drop(fixture.state()->database()->database());
        QVERIFY(drop.exec(QStringLiteral("DROP TABLE events")));
        input->setText(QStringLiteral("tea at 4pm"));
        QTest::keyClick(input, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(preview(dialog)->text(), QStringLiteral("Couldn't save event"));
        QCOMPARE(input->text(), QStringLiteral("tea at 4pm"));

        QSqlQuery wipe(fixture.state()->database()->database());
        QVERIFY(wipe.exec(QStringLiteral("DELETE FROM calendars")));
        input->setText(QStringLiteral("swim friday 6pm"));
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(openMain.size(), 1);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestQuickAddDialog)
#include "tst_quickadddialog.moc"

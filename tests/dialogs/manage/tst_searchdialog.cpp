#include "AppState.h"
#include "AppStateFixture.h"
#include "GuiEnvironment.h"
#include "Limits.h"
#include "SearchDialog.h"
#include "StoreSeed.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

class SearchDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    // Typing searches once the typing pauses; Enter picks the highlighted result, which the
    // dialog announces with its id and closes as accepted.
    void typingThenEnterPicksTheEvent()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        const QDate day(2026, 3, 12);
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("a", "Work", "caldav"),
                                       StoreSeed::calendar("work", "a", "Work", "#33b679")));
        QVERIFY(StoreSeed::addEvent(
            state, StoreSeed::timedEvent("dentist", "work", "Dentist <b>appointment</b>",
                                         StoreSeed::local(day, QTime(9, 0)),
                                         StoreSeed::local(day, QTime(10, 0)))));
        QVERIFY(StoreSeed::addEvent(state,
                                    StoreSeed::timedEvent("standup", "work", "Standup",
                                                          StoreSeed::local(day, QTime(11, 0)),
                                                          StoreSeed::local(day, QTime(11, 15)))));

        SearchDialog dialog(state);
        dialog.show();
        QSignalSpy picked(&dialog, &SearchDialog::eventActivated);
        auto* query = dialog.findChild<QLineEdit*>();
        auto* results = dialog.findChild<QListWidget*>();
        QTest::keyClicks(query, QStringLiteral("dent"));
        QCOMPARE(results->count(), 0); // nothing until the pause
        QTRY_COMPARE(results->count(), 1);
        // The title is shown as typed on the server, tags and all.
        QVERIFY(results->item(0)->text().startsWith(QStringLiteral("Dentist <b>appointment</b>")));

        QTest::keyClick(query, Qt::Key_Return);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.first().first().toString(), QStringLiteral("dentist"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // A megabyte title from a server lists as a row's length of it; the store keeps it whole.
    void aLongTitleListsARowsLength()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        const QDate day(2026, 3, 12);
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("a", "Work", "caldav"),
                                       StoreSeed::calendar("work", "a", "Work", "#33b679")));
        const QString title = QStringLiteral("Keynote ") + QString(1'000'000, u'k');
        QVERIFY(
            StoreSeed::addEvent(state, StoreSeed::timedEvent("keynote", "work", title,
                                                             StoreSeed::local(day, QTime(9, 0)),
                                                             StoreSeed::local(day, QTime(10, 0)))));

        SearchDialog dialog(state);
        dialog.show();
        auto* results = dialog.findChild<QListWidget*>();
        QTest::keyClicks(dialog.findChild<QLineEdit*>(), QStringLiteral("keynote"));
        QTRY_COMPARE(results->count(), 1);
        const QString row = results->item(0)->text();
        QVERIFY(row.startsWith(title.left(Limits::maxRowTextChars) + QChar(0x2026) + u'\n'));
        QVERIFY(row.size() < Limits::maxRowTextChars + 100);
    }
};

QTEST_MAIN(SearchDialogTest)
#include "tst_searchdialog.moc"

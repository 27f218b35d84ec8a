#include "AccountRepository.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "EventRepository.h"
#include "GuiEnvironment.h"
#include "InvitationsDialog.h"
#include "Limits.h"
#include "StoreSeed.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

class InvitationsDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    // The pending invitation is listed first with the organizer's text as plain text; each
    // answer is recorded on the user's own attendee entry (matched in any case), which leaves
    // the event pending for the next push, and the list follows. A long title or organizer
    // lists as a row's length of it.
    void answersAreRecordedOnTheOwnAttendee_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("organizer");
        const QString boss = QStringLiteral("<i>Boss</i>");
        QTest::newRow("accept") << "Accept"
                                << "accepted"
                                << "Planning" << boss;
        QTest::newRow("maybe") << "Maybe"
                               << "tentative"
                               << "Planning" << boss;
        QTest::newRow("decline") << "Decline"
                                 << "declined"
                                 << "Planning" << boss;
        const QString longText = QString(Limits::maxRowTextChars + 1, u'p');
        QTest::newRow("accept, long title and organizer") << "Accept"
                                                          << "accepted" << longText << longText;
    }
    void answersAreRecordedOnTheOwnAttendee()
    {
        QFETCH(QString, button);
        QFETCH(QString, status);
        QFETCH(QString, title);
        QFETCH(QString, organizer);
        const auto shown = [](const QString& text) {
            return text.size() > Limits::maxRowTextChars
                       ? text.left(Limits::maxRowTextChars) + QChar(0x2026)
                       : text;
        };
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        Account account = StoreSeed::account("a", "Work", "caldav");
        account.username = QStringLiteral("Me@Example.org");
        QVERIFY(StoreSeed::addCalendar(state, account,
                                       StoreSeed::calendar("work", "a", "Work", "#33b679")));
        const QDate day = AppStateFixture::defaultNow().date().addDays(2);
        Event event =
            StoreSeed::timedEvent("inv", "work", title, StoreSeed::local(day, QTime(9, 0)),
                                  StoreSeed::local(day, QTime(10, 0)));
        event.organizerName = organizer;
        Attendee other;
        other.email = QStringLiteral("colleague@example.org");
        Attendee me;
        me.email = QStringLiteral("me@example.org");
        event.attendees = {other, me};
        QVERIFY(StoreSeed::addEvent(state, event));

        InvitationsDialog dialog(state);
        auto* list = dialog.findChild<QTreeWidget*>();
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), shown(title));
        QCOMPARE(list->topLevelItem(0)->text(2), shown(organizer));
        QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("No answer"));
        for (QPushButton* candidate : dialog.findChildren<QPushButton*>()) {
            if (candidate->text() == button)
                candidate->click();
        }
        const Event stored = *state->events()->getById(QStringLiteral("inv"));
        QCOMPARE(stored.syncStatus, QStringLiteral("pending"));
        for (const Attendee& attendee : stored.attendees)
            QCOMPARE(attendee.status, attendee.email == QStringLiteral("me@example.org")
                                          ? status
                                          : QStringLiteral("needs-action"));
        // Answered, it moves to the past list and nothing awaits an answer any more.
        QTRY_COMPARE(list->topLevelItemCount(), 1);
        QVERIFY(list->topLevelItem(0)->text(3) != QStringLiteral("No answer"));
        bool noneWaiting = false;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            noneWaiting =
                noneWaiting || label->text() == QStringLiteral("No invitations await your answer.");
        QVERIFY(noneWaiting);
    }
};

QTEST_MAIN(InvitationsDialogTest)
#include "tst_invitationsdialog.moc"

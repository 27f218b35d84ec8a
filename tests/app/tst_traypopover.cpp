#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "PreferencesRepository.h"
#include "TrayTesting.h"
#include "WinTrayPopover.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using TrayTesting::addEvent;
using TrayTesting::local;

namespace {

QStringList listTexts(const WinTrayPopover& popover)
{
    QStringList texts;
    for (int i = 0; i < popover.list()->count(); ++i)
        texts << popover.list()->item(i)->text();
    return texts;
}

} // namespace

class TestTrayPopover : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void relativeTime_data();
    void relativeTime();
    void showListQuickAddAndLeave();
    void withoutCalendarsOpensTheWindow();
    void eachOccurrenceListedOnce();
};

void TestTrayPopover::relativeTime_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("expected");
    QTest::newRow("started") << -7200 << "now";
    QTest::newRow("now") << 0 << "now";
    QTest::newRow("59 seconds") << 59 << "in 1 min";
    QTest::newRow("59 minutes") << 3599 << "in 59 min";
    QTest::newRow("one hour") << 3600 << "in 1h";
    QTest::newRow("ninety minutes") << 5400 << "in 1h 30m";
}

void TestTrayPopover::relativeTime()
{
    QFETCH(int, seconds);
    QFETCH(QString, expected);
    const QDateTime now = local(11, 10);
    QCOMPARE(WinTrayPopover::relativeTime(now.addSecs(seconds), now), expected);
}

void TestTrayPopover::showListQuickAddAndLeave()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    state->preferences()->set("ui/timeFormat", "24");
    const QString running =
        addEvent(state, "Workshop", local(11, 8), local(11, 11), false, "Room 4");
    addEvent(state, "Holiday", local(12, 0), {}, true);
    WinTrayPopover popover(state, nullptr);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    popover.showAt(screen.bottomRight()); // near the corner: stays 8 px inside
    QVERIFY(popover.isVisible());
    QCOMPARE(screen.right() - popover.geometry().right() - 1, 8); // free pixels to the edge
    QCOMPARE(screen.bottom() - popover.geometry().bottom() - 1, 8);
    QCOMPARE(popover.headerLabel()->text(), QStringLiteral("Wednesday, Mar 11  ·  10:00"));
    QCOMPARE(popover.cardTitle()->text(), QStringLiteral("Workshop"));
    QCOMPARE(popover.cardWhen()->text(), QStringLiteral("Today at 08:00 · now"));
    QCOMPARE(popover.cardLocation()->text(), QStringLiteral("Room 4"));
    // The holiday is tomorrow's by its stored date, whatever the zone.
    QCOMPARE(listTexts(popover),
             (QStringList{"Today", "08:00  Workshop", "Tomorrow", "All-day  Holiday"}));
    QCOMPARE(popover.list()->item(3)->data(WinTrayPopover::dateRole).toDate(), QDate(2026, 3, 12));

    popover.quickAddEdit()->setText("lunch Thursday 1pm");
    QCOMPARE(popover.previewLabel()->text(),
             QStringLiteral("Thu, Mar 12  13:00 – 14:00  ·  lunch"));
    popover.quickAddEdit()->setText("Conference friday");
    QCOMPARE(popover.previewLabel()->text(),
             QStringLiteral("Fri, Mar 13  ‒  All-day  ·  Conference"));
    QTest::keyClick(popover.quickAddEdit(), Qt::Key_Return);
    QVERIFY(!popover.isVisible());
    QCOMPARE(state->events()->search(QStringLiteral("Conference"), 5).size(), 1);

    popover.showAt(screen.center());
    QVERIFY(popover.quickAddEdit()->text().isEmpty());
    QSignalSpy focus(&popover, &WinTrayPopover::requestFocusOnEvent);
    QListWidgetItem* header = popover.list()->item(0);
    Q_EMIT popover.list()->itemClicked(header);
    QCOMPARE(focus.size(), 0);
    Q_EMIT popover.list()->itemClicked(popover.list()->item(1));
    QCOMPARE(focus.size(), 1);
    QCOMPARE(focus.first().at(0).toString(), running);
    QCOMPARE(focus.first().at(1).toDate(), QDate(2026, 3, 11));
    QVERIFY(!popover.isVisible());

    popover.showAt(screen.center());
    QTest::keyClick(&popover, Qt::Key_Escape);
    QVERIFY(!popover.isVisible());
}

void TestTrayPopover::withoutCalendarsOpensTheWindow()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    QVERIFY(state->calendars()->remove(AppState::localCalendarId));
    WinTrayPopover popover(state, nullptr);
    popover.showAt(QGuiApplication::primaryScreen()->availableGeometry().center());
    QCOMPARE(listTexts(popover), QStringList{"No calendars yet"});
    QVERIFY(popover.card()->isHidden());
    QSignalSpy open(&popover, &WinTrayPopover::openMainWindow);
    popover.quickAddEdit()->setText("lunch tomorrow 1pm");
    QTest::keyClick(popover.quickAddEdit(), Qt::Key_Return);
    QCOMPARE(open.size(), 1);
    QVERIFY(!popover.isVisible());
}

QTEST_MAIN(TestTrayPopover)
#include "tst_traypopover.moc"

// An occurrence over both days stands under "Today" only; one from tomorrow under "Tomorrow".
void TestTrayPopover::eachOccurrenceListedOnce()
{
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    AppState* state = fixture.state();
    state->preferences()->set("ui/timeFormat", "24");
    addEvent(state, "Night", local(11, 22), local(12, 1));
    std::optional<Event> fair =
        state->events()->getById(addEvent(state, "Fair", local(11, 0), {}, true));
    QVERIFY(fair);
    fair->endTime = fair->startTime.addDays(2);
    QVERIFY(state->events()->update(*fair));
    addEvent(state, "Breakfast", local(12, 8), local(12, 9));
    WinTrayPopover popover(state, nullptr);
    popover.showAt(QGuiApplication::primaryScreen()->availableGeometry().center());
    QCOMPARE(listTexts(popover), (QStringList{"Today", "All-day  Fair", "22:00  Night", "Tomorrow",
                                              "08:00  Breakfast"}));
}

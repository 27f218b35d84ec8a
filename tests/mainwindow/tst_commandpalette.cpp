#include "AppState.h"
#include "AppStateFixture.h"
#include "CommandPalette.h"
#include "EventRepository.h"
#include "GuiEnvironment.h"
#include "Limits.h"
#include "MainWindow.h"
#include "PreferencesRepository.h"
#include "StoreSeed.h"
#include "SyncClientFactory.h"
#include "ViewRepository.h"

#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QTest>
#include <QThread>

namespace {

const QString calendarId = AppState::localCalendarId;
const QStringList allCommands = {"today", "goto", "view",  "new",  "resync", "notifytest",
                                 "day",   "week", "days",  "grid", "month",  "year",
                                 "3day",  "5day", "10day", "14day"};

// No sync client ever starts.
class NoClients : public SyncClientFactory
{
public:
    SyncClientHandle* create(Kind, QObject*) override { return nullptr; }
    QString calDavPassword(const QString&) override { return {}; }
    void rediscover(const Account&, const CalDavLogin&, QObject*, DiscoveryDone done) override
    {
        done(false, 0, QStringLiteral("offline"));
    }
};

QLineEdit* textField(CommandPalette* palette)
{
    return palette->findChild<QLineEdit*>(QStringLiteral("commandPaletteText"));
}

QListWidget* resultList(CommandPalette* palette)
{
    return palette->findChild<QListWidget*>(QStringLiteral("commandPaletteResults"));
}

// The rows as their item data name them: a command by its name, an event as "event:<id>". A row
// whose data fit neither shape shows as "?".
QStringList listed(CommandPalette* palette)
{
    QStringList rows;
    QListWidget* list = resultList(palette);
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        const QVariant isEvent = item->data(Qt::UserRole + 1);
        const QString target = item->data(Qt::UserRole).toString();
        if (!isEvent.isValid())
            rows.append(target);
        else
            rows.append(isEvent.toBool() ? QStringLiteral("event:") + target : QStringLiteral("?"));
    }
    return rows;
}

} // namespace

class TestCommandPalette : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppStateFixture> m_fixture;
    AppState* state() const { return m_fixture->state(); }

    void addTimed(const QString& id, const QString& title, const QDateTime& start,
                  const QString& description = {})
    {
        Event event = StoreSeed::timedEvent(id, calendarId, title, start, start.addSecs(1800));
        event.description = description;
        QVERIFY(StoreSeed::addEvent(state(), event));
    }

    // Longer than a row shows.
    static QString longTitle()
    {
        return QStringLiteral("Keynote") + QString(Limits::maxRowTextChars, u'k');
    }

    // Types `text` the way setText does and waits for the event results it asks for.
    static void enter(CommandPalette* palette, const QString& text)
    {
        textField(palette)->setText(text);
        QTRY_VERIFY(!palette->isSearching());
    }

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        addTimed("standup", "Standup", StoreSeed::local(QDate(2026, 1, 5), QTime(9, 30)));
        addTimed("offsite", "Team offsite", StoreSeed::local(QDate(2026, 3, 2), QTime(10, 0)),
                 "Lunch provided");
        addTimed("ana", "Lunch with Ana", StoreSeed::local(QDate(2026, 3, 12), QTime(12, 0)));
        addTimed("untitled", "", StoreSeed::local(QDate(2026, 3, 13), QTime(16, 0)),
                 "Lunchbox inventory");
        addTimed("keynote", longTitle(), StoreSeed::local(QDate(2026, 4, 2), QTime(9, 0)));
        Event conference = StoreSeed::allDayEvent("conference", calendarId, "Conference",
                                                  QDate(2026, 4, 1), QDate(2026, 4, 2));
        conference.location = "Lunchroom";
        QVERIFY(StoreSeed::addEvent(state(), conference));
        CalendarView view;
        view.id = "workdays";
        view.name = "Workdays";
        view.sortOrder = 5;
        QVERIFY(state()->views()->insert(view));
        state()->setViewMode("month");
        state()->setCurrentDate(QDate(2026, 6, 1));
        state()->setWeekHorizon(7);
    }

    void cleanup() { m_fixture.reset(); }

    void filtering_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty: every command") << "" << allCommands;
        QTest::newRow("one letter: no event search")
            << "d" << QStringList{"today", "day", "days", "grid", "3day", "5day", "10day", "14day"};
        QTest::newRow("head only") << "view month" << QStringList{"view"};
        QTest::newRow("upper case head") << "  WEE" << QStringList{"week"};
        QTest::newRow("events by start, title, place or notes")
            << "lunch"
            << QStringList{"event:offsite", "event:ana", "event:untitled", "event:conference"};
        QTest::newRow("commands before events") << "on" << QStringList{"month", "event:conference"};
        QTest::newRow("nothing") << "zzz" << QStringList{};
    }

    void filtering()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        CommandPalette palette(state(), nullptr, nullptr);
        enter(&palette, text);
        QCOMPARE(listed(&palette), expected);
        QCOMPARE(resultList(&palette)->currentRow(), expected.isEmpty() ? -1 : 0);
    }

    void itemTexts_data()
    {
        QTest::addColumn<QString>("timeFormat");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("firstRow");
        QTest::newRow("24-hour") << "24"
                                 << "standup"
                                 << "Event: Standup   —   Mon Jan 5 · 09:30";
        QTest::newRow("12-hour") << "12"
                                 << "standup"
                                 << "Event: Standup   —   Mon Jan 5 · 9:30 AM";
        QTest::newRow("untitled") << "24"
                                  << "lunchbox"
                                  << "Event: (Untitled)   —   Fri Mar 13 · 16:00";
        QTest::newRow("all-day") << "12"
                                 << "lunchroom"
                                 << "Event: Conference   —   Wed Apr 1 · all-day";
        QTest::newRow("long title: a row's length")
            << "24"
            << "keynote"
            << "Event: " + longTitle().left(Limits::maxRowTextChars) + QChar(0x2026) +
                   "   —   Thu Apr 2 · 09:00";
        QTest::newRow("command") << "24"
                                 << "goto"
                                 << "goto YYYY-MM-DD   —   Jump to a specific date in Day view";
    }

    void itemTexts()
    {
        QFETCH(QString, timeFormat);
        QFETCH(QString, text);
        QFETCH(QString, firstRow);
        QVERIFY(state()->preferences()->set("ui/timeFormat", timeFormat));
        CommandPalette palette(state(), nullptr, nullptr);
        enter(&palette, text);
        QCOMPARE(resultList(&palette)->count(), 1);
        QCOMPARE(resultList(&palette)->item(0)->text(), firstRow);
    }

    // What Enter does, as "mode date horizon active-View open|closed"; before it the state is
    // "month 2026-06-01 7 <default View> open".
    void running_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty") << ""
                               << "month 2026-06-01 7 default open";
        QTest::newRow("unknown") << "zzz"
                                 << "month 2026-06-01 7 default open";
        QTest::newRow("exact head before the current row") << "day"
                                                           << "day 2026-06-01 7 default closed";
        QTest::newRow("the current row") << "wee"
                                         << "week 2026-06-01 7 default closed";
        QTest::newRow("today") << "today"
                               << "month 2026-03-11 7 default closed";
        QTest::newRow("horizon") << "3day"
                                 << "days 2026-06-01 3 default closed";
        QTest::newRow("horizon ignores its argument") << "14day x"
                                                      << "days 2026-06-01 14 default closed";
        QTest::newRow("view mode") << "view year"
                                   << "year 2026-06-01 7 default closed";
        QTest::newRow("view mode in capitals") << "View WEEK"
                                               << "week 2026-06-01 7 default closed";
        QTest::newRow("days: a View's name, not a mode") << "view days"
                                                         << "month 2026-06-01 7 workdays closed";
        QTest::newRow("view without a match") << "view holidays"
                                              << "month 2026-06-01 7 default open";
        QTest::newRow("view without an argument") << "view"
                                                  << "month 2026-06-01 7 default open";
        QTest::newRow("goto") << "goto 2026-03-01"
                              << "day 2026-03-01 7 default closed";
        QTest::newRow("goto with a capital") << "Goto 2026-01-05"
                                             << "day 2026-01-05 7 default closed";
        QTest::newRow("goto a local date form") << "goto 05.01.2026"
                                                << "month 2026-06-01 7 default open";
        QTest::newRow("goto an impossible date") << "goto 2026-02-30"
                                                 << "month 2026-06-01 7 default open";
        QTest::newRow("new without text") << "new   "
                                          << "month 2026-06-01 7 default open";
    }

    void running()
    {
        QFETCH(QString, text);
        QFETCH(QString, after);
        const QString defaultView = state()->activeViewId();
        CommandPalette palette(state(), nullptr, nullptr);
        palette.popup();
        enter(&palette, text);
        palette.runSelection();
        const QString view = state()->activeViewId();
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(state()->viewMode(), state()->currentDate().toString(Qt::ISODate))
                     .arg(state()->weekHorizon())
                     .arg(view == defaultView ? QStringLiteral("default") : view,
                          palette.isVisible() ? QStringLiteral("open") : QStringLiteral("closed")),
                 after);
        QCOMPARE(textField(&palette)->text(), text);
    }

    void newAddsAnEvent()
    {
        CommandPalette palette(state(), nullptr, nullptr);
        palette.popup();
        enter(&palette, "new Dinner with Sam tomorrow 7pm");
        palette.runSelection();
        QVERIFY(!palette.isVisible());
        const QList<Event> stored = state()->events()->search("Dinner with Sam", 5);
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().startTime.date(), QDate(2026, 3, 12));
    }

    // Ctrl+K on the window, typing, moving through the rows without leaving the text, Return on
    // an event result, and Escape.
    void keysFlow()
    {
        state()->preferences()->setBool("ui/firstLaunchSeen", true);
        MainWindow window(state(), std::make_unique<NoClients>());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QShortcut* shortcut = nullptr;
        for (QShortcut* candidate : window.findChildren<QShortcut*>()) {
            if (candidate->key() == QKeySequence(Qt::CTRL | Qt::Key_K))
                shortcut = candidate;
        }
        QVERIFY(shortcut && shortcut->isEnabled());
        Q_EMIT shortcut->activated();
        auto* palette = window.findChild<CommandPalette*>();
        QVERIFY(palette && palette->isVisible());
        // Centred under the top of the window; the offscreen platform shifts a top-level by the
        // frame margins it assumes.
        const QRect frame = window.geometry();
        const QPoint offset =
            palette->pos() -
            QPoint(frame.x() + frame.width() / 2 - palette->width() / 2, frame.y() + 80);
        QVERIFY2(offset.manhattanLength() <= 4, qPrintable(QString::number(offset.x())));
        QLineEdit* text = textField(palette);
        QCOMPARE(palette->focusWidget(), text);

        QTest::keyClicks(text, "lunch");
        QTRY_VERIFY(!palette->isSearching());
        QCOMPARE(listed(palette).size(), 4);
        QTest::keyClick(text, Qt::Key_Down);
        QTest::keyClick(text, Qt::Key_Down);
        QTest::keyClick(text, Qt::Key_Up);
        QCOMPARE(resultList(palette)->currentRow(), 1);
        QCOMPARE(palette->focusWidget(), text);
        QTest::keyClick(text, Qt::Key_Return);
        QVERIFY(!palette->isVisible());
        QCOMPARE(state()->viewMode(), QString("day"));
        QCOMPARE(state()->currentDate(), QDate(2026, 3, 12));
        QCOMPARE(state()->selectedEventId(), QString("ana"));

        // The same palette again, emptied.
        Q_EMIT shortcut->activated();
        QCOMPARE(window.findChildren<CommandPalette*>().size(), 1);
        QVERIFY(palette->isVisible());
        QCOMPARE(text->text(), QString());
        QCOMPARE(listed(palette), allCommands);
        QTest::keyClicks(text, "year");
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!palette->isVisible());
        QCOMPARE(state()->viewMode(), QString("day"));

        Q_EMIT shortcut->activated();
        QTest::keyClicks(text, "notifytest");
        QTest::keyClick(text, Qt::Key_Return);
        QVERIFY(!palette->isVisible());
        QVERIFY(window.statusText().startsWith("Test notification"));
    }

    // Results of a text typed over before they came are not listed: the search of "lunch" is
    // given the time to end and post its results while the window's loop is held, as a long
    // paint would hold it.
    void latestSearchWins()
    {
        CommandPalette palette(state(), nullptr, nullptr);
        textField(&palette)->setText("lunch");
        QThread::msleep(200);
        textField(&palette)->setText("standup");
        QTRY_VERIFY(!palette.isSearching());
        QCoreApplication::processEvents();
        QCOMPARE(listed(&palette), QStringList{"event:standup"});
        textField(&palette)->setText("lunch with");
        QThread::msleep(200);
        textField(&palette)->setText("s");
        QCoreApplication::processEvents();
        QCOMPARE(listed(&palette), (QStringList{"resync", "notifytest", "days"}));
    }

    // The window may go while a search is still running: it waits for that one query, then ends.
    void closingWhileSearching()
    {
        auto palette = std::make_unique<CommandPalette>(state(), nullptr, nullptr);
        palette->popup();
        textField(palette.get())->setText("lunch");
        QVERIFY(palette->isSearching());
        palette.reset();
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(TestCommandPalette)
#include "tst_commandpalette.moc"

#include "EventRepository.h"
#include "Ical.h"
#include "ModalSeam.h"
#include "PinnedClock.h"
#include "Recurrence.h"
#include "RecurringEdit.h"
#include "RecurringEditScopeDialog.h"
#include "StoreFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimeZone>

#include <algorithm>

namespace {

QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

Event series(const QString& rule, bool allDay)
{
    Event master = StoreFixture::event(QStringLiteral("master"), QStringLiteral("cal-a"),
                                       allDay ? utc(2025, 3, 1) : utc(2025, 3, 1, 9));
    master.uid = QStringLiteral("series@test");
    master.title = QStringLiteral("Stand-up");
    master.isAllDay = allDay;
    master.endTime = master.startTime.addSecs(allDay ? 86400 : 3600);
    master.recurrenceRule = rule;
    master.sequence = 2;
    return master;
}

// The row as a push would send it: its stored iCalendar text read back.
Event sent(const Event& row)
{
    const QList<Event> parsed = Ical::parseEvents(row.rawIcalendar);
    return parsed.size() == 1 ? parsed.first() : Event();
}

// One drag of an occurrence answered with `scope`, and the rows it leaves: the series' master
// and the added row (its rule "-" when none is added).
struct Drag
{
    int scope;
    QString rule;
    bool allDay;
    QDateTime occurrence, newStart, newEnd;
    QString masterRule;
    QDateTime masterStart, masterEnd;
    QString newRule, newRecurrenceId;
};

} // namespace

Q_DECLARE_METATYPE(Drag)

class TestRecurringEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each answer writes its rows, pending, sent as stored: the exception keeps the series' UID,
    // the split keeps the series' end, the whole series takes the new duration.
    void dragOccurrence_data()
    {
        QTest::addColumn<Drag>("drag");
        const auto at = [](int day, int hour, int minute = 0) {
            return utc(2025, 3, day, hour, minute);
        };
        const QString untilYearEnd = QStringLiteral("FREQ=DAILY;UNTIL=20251231T000000Z");
        const QString splitAt10th = QStringLiteral("FREQ=DAILY;UNTIL=20250310T085959Z");
        const auto row = [](const char* name, const Drag& drag) { QTest::newRow(name) << drag; };
        row("this only", {1, untilYearEnd, false, at(5, 9), at(5, 14), at(5, 15), untilYearEnd,
                          at(1, 9), at(1, 10), "", "20250305T090000Z"});
        row("this only, all-day", {1, "FREQ=DAILY", true, at(5, 0), at(7, 0), at(8, 0),
                                   "FREQ=DAILY", at(1, 0), at(2, 0), "", "20250305"});
        // Every later occurrence moves with the drag, the last one included: UNTIL moves too.
        row("following, until moved",
            {2, untilYearEnd, false, at(10, 9), at(10, 11), at(10, 12), splitAt10th, at(1, 9),
             at(1, 10), "FREQ=DAILY;UNTIL=20251231T020000Z", ""});
        row("following, count split",
            {2, "FREQ=DAILY;COUNT=20", false, at(10, 9), at(10, 11), at(10, 12), splitAt10th,
             at(1, 9), at(1, 10), "FREQ=DAILY;COUNT=11", ""});
        row("following, all-day",
            {2, "FREQ=DAILY;UNTIL=20251231", true, at(10, 0), at(11, 0), at(12, 0),
             "FREQ=DAILY;UNTIL=20250309", at(1, 0), at(2, 0), "FREQ=DAILY;UNTIL=20260101", ""});
        row("following from the first moves all",
            {2, "FREQ=DAILY;COUNT=5", false, at(1, 9), at(1, 10), at(1, 11), "FREQ=DAILY;COUNT=5",
             at(1, 10), at(1, 11), "-", ""});
        row("all, new duration", {3, "FREQ=DAILY", false, at(4, 9), at(4, 11), at(4, 12, 30),
                                  "FREQ=DAILY", at(1, 11), at(1, 12, 30), "-", ""});
    }
    void dragOccurrence()
    {
        QFETCH(Drag, drag);
        const auto& [scope, rule, allDay, occurrence, newStart, newEnd, masterRule, masterStart,
                     masterEnd, newRule, newRecurrenceId] = drag;
        const PinnedClock clock(utc(2025, 3, 20, 8));
        StoreFixture store;
        EventRepository events(store.database());
        const Event master = series(rule, allDay);
        QVERIFY(events.insert(master));

        QVERIFY(RecurringEdit::apply(&events, master, occurrence, newStart, newEnd, scope));

        const Event storedMaster = *events.getById(master.id);
        QCOMPARE(storedMaster.recurrenceRule, masterRule);
        QCOMPARE(storedMaster.startTime.toUTC(), masterStart);
        QCOMPARE(storedMaster.endTime->toUTC(), masterEnd);
        const bool masterChanged = scope != 1;
        QCOMPARE(storedMaster.sequence, masterChanged ? 3 : 2);
        QCOMPARE(storedMaster.syncStatus, QLatin1String(masterChanged ? "pending" : "synced"));
        if (masterChanged) {
            QCOMPARE(sent(storedMaster).recurrenceRule, masterRule);
            QCOMPARE(sent(storedMaster).startTime.toUTC(), masterStart);
        }

        const QStringList ids =
            store.strings(QStringLiteral("SELECT id FROM events WHERE id <> 'master' ORDER BY id"));
        QCOMPARE(ids.size(), newRule == QLatin1String("-") ? 0 : 1);
        if (ids.isEmpty())
            return;
        const Event added = *events.getById(ids.first());
        QCOMPARE(added.syncStatus, QStringLiteral("pending"));
        QCOMPARE(added.recurrenceRule, newRule);
        QCOMPARE(added.recurrenceId, newRecurrenceId);
        QCOMPARE(added.uid == master.uid, scope == 1);
        QCOMPARE(added.masterEventUid, scope == 1 ? master.uid : QString());
        QCOMPARE(added.startTime.toUTC(), newStart);
        QCOMPARE(added.sequence, 0);
        if (scope == 1) {
            // Shown once, at its new time, in place of the occurrence it replaces.
            const QList<Event> shown = Recurrence::expand(
                {storedMaster, added}, occurrence.addDays(-1), newStart.addDays(1));
            const auto isOverride = [&](const Event& event) { return event.id == added.id; };
            const auto isReplaced = [&](const Event& event) {
                return event.id == master.id && event.startTime.toUTC() == occurrence;
            };
            QCOMPARE(std::count_if(shown.cbegin(), shown.cend(), isOverride), 1);
            QCOMPARE(std::count_if(shown.cbegin(), shown.cend(), isReplaced), 0);
        }
        const Event pushed = sent(added);
        QCOMPARE(pushed.uid, added.uid);
        QCOMPARE(pushed.recurrenceId, newRecurrenceId);
        QCOMPARE(pushed.recurrenceRule, newRule);
        QCOMPARE(pushed.startTime.toUTC(), newStart);
        QCOMPARE(pushed.title, master.title);
    }

    // Nothing, or all: scope 0 writes nothing; a second move of the same occurrence rewrites its
    // exception; a failed write leaves the series as it was; unknown scopes and a missing
    // repository are refused.
    void writesAreWholeOrNothing()
    {
        const PinnedClock clock(utc(2025, 3, 20, 8));
        StoreFixture store;
        EventRepository events(store.database());
        const Event master = series(QStringLiteral("FREQ=DAILY;COUNT=20"), false);
        QVERIFY(events.insert(master));
        const QDateTime occurrence = utc(2025, 3, 5, 9);

        QVERIFY(RecurringEdit::apply(&events, master, occurrence, occurrence, {}, 0));
        QVERIFY(!RecurringEdit::apply(&events, master, occurrence, occurrence, {}, 4));
        QVERIFY(!RecurringEdit::apply(nullptr, master, occurrence, occurrence, {}, 1));

        QVERIFY(RecurringEdit::apply(&events, master, occurrence, utc(2025, 3, 5, 12), {}, 1));
        QVERIFY(RecurringEdit::apply(&events, master, occurrence, utc(2025, 3, 5, 13), {}, 1));
        QCOMPARE(store.strings(QStringLiteral("SELECT start_time FROM events WHERE id <> "
                                              "'master'")),
                 QStringList{QStringLiteral("2025-03-05T13:00:00Z")});

        QVERIFY(store.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON events BEGIN "
                                          "SELECT RAISE(ABORT, 'refused'); END")));
        QVERIFY(!RecurringEdit::apply(&events, master, utc(2025, 3, 10, 9), utc(2025, 3, 10, 11),
                                      {}, 2));
        const Event stored = *events.getById(master.id);
        QCOMPARE(stored.recurrenceRule, master.recurrenceRule);
        QCOMPARE(stored.sequence, master.sequence);
        QCOMPARE(store.strings(QStringLiteral("SELECT count(*) FROM events")),
                 QStringList{QStringLiteral("2")});
    }

    // The question: each button answers with its scope; Cancel leaves 0 and rejects.
    void scopeQuestion_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("scope");
        const QStringList buttons{"Cancel", "This event only", "This and following events",
                                  "All events in the series"};
        for (int scope = 0; scope < 4; ++scope)
            QTest::newRow(qPrintable(buttons[scope]))
                << buttons[scope] << int(scope ? QDialog::Accepted : QDialog::Rejected) << scope;
    }
    void scopeQuestion()
    {
        QFETCH(QString, button);
        QFETCH(int, result);
        QFETCH(int, scope);
        RecurringEditScopeDialog dialog(QStringLiteral("<b>Stand-up</b>"));
        int answer = -1;
        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { answer = dialog.exec(); },
                           [&](QWidget* window) { ModalSeam::clickButton(window, button); });
        QCOMPARE(seen.value(0).title, QStringLiteral("Edit Recurring Event"));
        QCOMPARE(answer, result);
        QCOMPARE(dialog.scope, scope);
    }

    // A megabyte title, of words or of one long word, leaves the scope question on the screen.
    void scopeQuestionFitsALongTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("words") << QStringLiteral("word ").repeated(200'000);
        QTest::newRow("one word") << QString(1'000'000, u'w');
    }
    void scopeQuestionFitsALongTitle()
    {
        QFETCH(QString, title);
        RecurringEditScopeDialog dialog(title, nullptr, RecurringEditScopeDialog::Mode::Delete);
        dialog.show();
        const QSize screen = dialog.screen()->availableGeometry().size();
        QVERIFY2(dialog.width() <= screen.width() && dialog.height() <= screen.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(dialog.width()).arg(dialog.height())));
        const QLabel* heading = dialog.findChild<QLabel*>();
        QVERIFY(heading->text().startsWith(QStringLiteral("Delete \"") + title.left(10)));
        QVERIFY(heading->text().endsWith(QStringLiteral("\u2026\"")));
    }
};

QTEST_MAIN(TestRecurringEdit)
#include "tst_recurringedit.moc"

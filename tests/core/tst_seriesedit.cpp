#include "Recurrence.h"
#include "RuleUntil.h"
#include "SeriesEdit.h"

#include <QTest>
#include <QTimeZone>

#include <algorithm>

namespace {

QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

// The last second of the day in the machine's zone, as a UTC value.
QString endOfLocalDay(const QDate& day)
{
    return QDateTime(day, QTime(23, 59, 59), QTimeZone::systemTimeZone())
        .toUTC()
        .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

Event dailySeries(const QString& rule, bool allDay = false)
{
    Event master;
    master.id = master.uid = QStringLiteral("series-1");
    master.calendarId = QStringLiteral("cal-a");
    master.title = QStringLiteral("Stand-up");
    master.isAllDay = allDay;
    master.startTime = allDay ? utc(2025, 3, 1) : utc(2025, 3, 1, 9);
    master.endTime = allDay ? utc(2025, 3, 2) : utc(2025, 3, 1, 10);
    master.recurrenceRule = rule;
    return master;
}

// Ten daily stand-ups from March 1 at 09:00 UTC, the 8th excluded, the 3rd moved to 14:00 and
// the 7th retitled, with a reminder and a guest on the master.
QList<Event> storedSeries()
{
    Event master = dailySeries(QStringLiteral("FREQ=DAILY;COUNT=10"));
    master.exceptionDates = QStringLiteral("[\"20250308T090000Z\"]");
    Reminder reminder;
    reminder.id = QStringLiteral("r1");
    reminder.eventId = master.id;
    reminder.minutesBefore = 10;
    master.reminders = {reminder};
    Attendee guest;
    guest.id = QStringLiteral("a1");
    guest.eventId = master.id;
    guest.email = QStringLiteral("ann@example.com");
    master.attendees = {guest};
    const auto override = [&master](const char* id, int day, int hour, const char* title) {
        Event row = SeriesEdit::occurrenceOverride(
            master, utc(2025, 3, day, 9), utc(2025, 3, day, hour), utc(2025, 3, day, hour + 1),
            QString::fromLatin1(id), utc(2025, 1, 1));
        row.title = QString::fromLatin1(title);
        return row;
    };
    return {master, override("o3", 3, 14, "Moved"), override("o7", 7, 9, "Special")};
}

// The rows after the plan, as the store would hold them (removed rows left out).
QList<Event> afterPlan(QList<Event> rows, const SeriesEdit::Plan& plan)
{
    rows.removeIf([&plan](const Event& row) { return plan.removals.contains(row.id); });
    for (const Event& updated : plan.updates) {
        for (Event& row : rows) {
            if (row.id == updated.id)
                row = updated;
        }
    }
    rows.append(plan.inserts);
    return rows;
}

// "day hour title" of every occurrence in March, in UTC.
QStringList shown(const QList<Event>& rows)
{
    QStringList lines;
    for (const Event& occurrence : Recurrence::expand(rows, utc(2025, 2, 20), utc(2025, 4, 1)))
        lines.append(occurrence.startTime.toUTC().toString(QStringLiteral("d H ")) +
                     occurrence.title);
    std::sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        return a.section(QLatin1Char(' '), 0, 0).toInt() <
               b.section(QLatin1Char(' '), 0, 0).toInt();
    });
    return lines;
}

int counter = 0;
QString nextId()
{
    return QStringLiteral("new-%1").arg(++counter);
}

// One change of an occurrence: `edit` false deletes it.
struct Change
{
    bool edit;
    int scope;
    int day;          // the occurrence's date in March (09:00 UTC)
    int newHour;      // edits: its new start hour
    QString title;    // edits: its new title
    QString calendar; // edits: its calendar
    QStringList occurrences;
    QString rule = {}; // edits: a new rule, empty for the master's
};

} // namespace

Q_DECLARE_METATYPE(Change)

class TestSeriesEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A written UNTIL follows the series' start: a DATE for all-day series, a UTC date-time for
    // timed ones, so the last day's occurrences stay in the series whatever the zone.
    void normalizedUntil_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("expected");
        const QString endOfMarch10 = endOfLocalDay(QDate(2025, 3, 10));
        QTest::newRow("timed, date")
            << "FREQ=DAILY;UNTIL=20250310" << false << "FREQ=DAILY;UNTIL=" + endOfMarch10;
        QTest::newRow("timed, utc kept")
            << "FREQ=DAILY;UNTIL=20250310T085959Z" << false << "FREQ=DAILY;UNTIL=20250310T085959Z";
        QTest::newRow("timed, floating")
            << "FREQ=DAILY;UNTIL=20250310T235959" << false << "FREQ=DAILY;UNTIL=" + endOfMarch10;
        QTest::newRow("all-day, date kept")
            << "FREQ=DAILY;UNTIL=20250310" << true << "FREQ=DAILY;UNTIL=20250310";
        QTest::newRow("all-day, utc") << "FREQ=DAILY;until=20250310T235959Z;;BYDAY=MO" << true
                                      << "FREQ=DAILY;UNTIL=20250310;BYDAY=MO";
        QTest::newRow("unreadable kept")
            << "FREQ=DAILY;UNTIL=soon" << false << "FREQ=DAILY;UNTIL=soon";
    }
    void normalizedUntil()
    {
        QFETCH(QString, rule);
        QFETCH(bool, allDay);
        QFETCH(QString, expected);
        QCOMPARE(RuleUntil::normalize(rule, allDay), expected);
        // The day a person chose survives being written and read back.
        QCOMPARE(RuleUntil::lastDay(RuleUntil::forLastDay(QDate(2025, 3, 10), allDay), allDay),
                 QDate(2025, 3, 10));
    }

    // The timed series with its UNTIL at the end of the local day keeps its last occurrence,
    // which a bare DATE (midnight UTC) would have cut off in zones west of UTC.
    void lastDayKeepsItsOccurrence()
    {
        Event master =
            dailySeries(RuleUntil::normalize(QStringLiteral("FREQ=DAILY;UNTIL=20250305"), false));
        master.startTime = QDateTime(QDate(2025, 3, 1), QTime(18, 0), QTimeZone::systemTimeZone());
        master.endTime = master.startTime.addSecs(3600);
        const QList<Event> all = Recurrence::occurrences(master, utc(2025, 2, 1), utc(2025, 4, 1));
        QCOMPARE(all.size(), 5);
    }

    void truncatedRule_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("until");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("expected");
        QTest::newRow("count dropped, until appended")
            << "FREQ=WEEKLY;COUNT=10;BYDAY=MO" << utc(2025, 3, 9, 8, 59, 59) << false
            << "FREQ=WEEKLY;BYDAY=MO;UNTIL=20250309T085959Z";
        QTest::newRow("lower-case names")
            << "FREQ=DAILY;until=20251231;count=4" << utc(2025, 3, 10, 8, 59, 59) << false
            << "FREQ=DAILY;UNTIL=20250310T085959Z";
        QTest::newRow("all-day gives the day before")
            << "FREQ=DAILY;;COUNT=9" << utc(2025, 3, 9, 23, 59, 59) << true
            << "FREQ=DAILY;UNTIL=20250309";
    }
    void truncatedRule()
    {
        QFETCH(QString, rule);
        QFETCH(QDateTime, until);
        QFETCH(bool, allDay);
        QFETCH(QString, expected);
        QCOMPARE(SeriesEdit::truncateRule(rule, until, allDay), expected);
    }

    // The continuing series ends where the whole series ended: the remaining count, exception
    // dates included as COUNT counts them. (Carried UNTILs are checked through the store.)
    void followingRuleKeepsTheEnd_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QDateTime>("occurrence");
        QTest::addColumn<QString>("expected");
        QTest::newRow("count counts exceptions")
            << "FREQ=DAILY;COUNT=10" << false << utc(2025, 3, 3, 9) << "FREQ=DAILY;COUNT=8";
        QTest::newRow("count beyond the end")
            << "FREQ=DAILY;COUNT=3" << false << utc(2025, 3, 8, 9) << "FREQ=DAILY;COUNT=1";
    }
    void followingRuleKeepsTheEnd()
    {
        QFETCH(QString, rule);
        QFETCH(bool, allDay);
        QFETCH(QDateTime, occurrence);
        QFETCH(QString, expected);
        Event master = dailySeries(rule, allDay);
        master.exceptionDates = QStringLiteral("[\"20250302T090000Z\"]");
        QCOMPARE(SeriesEdit::followingRule(master, occurrence), expected);
    }

    // Each change read back as the occurrences it leaves: exception dates and overrides stay
    // with the part of the series they belong to, across a split and a move of the start.
    void seriesChanges_data()
    {
        QTest::addColumn<Change>("change");
        const QString a = QStringLiteral("cal-a");
        const QStringList all = {"1 9 Stand-up", "2 9 Stand-up", "3 14 Moved",
                                 "4 9 Stand-up", "5 9 Stand-up", "6 9 Stand-up",
                                 "7 9 Special",  "9 9 Stand-up", "10 9 Stand-up"};
        QStringList soloFifth = all;
        soloFifth[4] = QStringLiteral("5 9 Solo");
        QTest::newRow("edit this only") << Change{true, 1, 5, 9, "Solo", a, soloFifth};
        QTest::newRow("edit this and following, an hour later")
            << Change{true,
                      2,
                      6,
                      10,
                      "Later",
                      a,
                      {"1 9 Stand-up", "2 9 Stand-up", "3 14 Moved", "4 9 Stand-up", "5 9 Stand-up",
                       "6 10 Later", "7 9 Special", "9 10 Later", "10 10 Later"}};
        QTest::newRow("edit this and following on the first is all")
            << Change{true,
                      2,
                      1,
                      9,
                      "Daily",
                      a,
                      {"1 9 Daily", "2 9 Daily", "3 14 Moved", "4 9 Daily", "5 9 Daily",
                       "6 9 Daily", "7 9 Special", "9 9 Daily", "10 9 Daily"}};
        QTest::newRow("edit all, title only")
            << Change{true,
                      3,
                      5,
                      9,
                      "Daily",
                      a,
                      {"1 9 Daily", "2 9 Daily", "3 14 Moved", "4 9 Daily", "5 9 Daily",
                       "6 9 Daily", "7 9 Special", "9 9 Daily", "10 9 Daily"}};
        QTest::newRow("edit all, two hours later from the 4th") << Change{
            true,
            3,
            4,
            11,
            "Stand-up",
            a,
            {"1 11 Stand-up", "2 11 Stand-up", "3 14 Moved", "4 11 Stand-up", "5 11 Stand-up",
             "6 11 Stand-up", "7 9 Special", "9 11 Stand-up", "10 11 Stand-up"}};
        QTest::newRow("move all to another calendar")
            << Change{true, 3, 5, 9, "Stand-up", QStringLiteral("cal-b"), all};
        QTest::newRow("move following to another calendar")
            << Change{true, 2, 6, 9, "Stand-up", QStringLiteral("cal-b"), all};
        QTest::newRow("edit all with a new rule drops the overrides")
            << Change{true,
                      3,
                      5,
                      9,
                      "Stand-up",
                      a,
                      {"1 9 Stand-up", "3 9 Stand-up", "5 9 Stand-up", "7 9 Stand-up"},
                      "FREQ=DAILY;INTERVAL=2;COUNT=4"};
        QStringList withoutFifth = all;
        withoutFifth.removeAt(4);
        QTest::newRow("delete this only") << Change{false, 1, 5, 0, {}, {}, withoutFifth};
        QStringList withoutThird = all;
        withoutThird.removeAt(2);
        QTest::newRow("delete this only, overridden")
            << Change{false, 1, 3, 0, {}, {}, withoutThird};
        QTest::newRow("delete this and following") << Change{false, 2, 6, 0, {}, {}, all.mid(0, 5)};
        QTest::newRow("delete this and following on the first")
            << Change{false, 2, 1, 0, {}, {}, {}};
        QTest::newRow("delete all") << Change{false, 3, 5, 0, {}, {}, {}};
    }

    void seriesChanges()
    {
        QFETCH(Change, change);
        const QList<Event> rows = storedSeries();
        const Event& master = rows.first();
        const QList<Event> overrides = rows.mid(1);
        const QDateTime occurrence = utc(2025, 3, change.day, 9);
        SeriesEdit::Plan plan;
        if (change.edit) {
            Event edited = master;
            edited.startTime = utc(2025, 3, change.day, change.newHour);
            edited.endTime = edited.startTime.addSecs(3600);
            edited.title = change.title;
            edited.calendarId = change.calendar;
            edited.recurrenceRule = change.rule.isEmpty()
                                        ? RuleUntil::normalize(master.recurrenceRule, false)
                                        : change.rule;
            plan = SeriesEdit::edit(master, overrides, std::nullopt, occurrence, edited,
                                    change.scope, nextId, utc(2025, 6, 1));
        } else {
            plan = SeriesEdit::remove(master, overrides, occurrence, change.scope, utc(2025, 6, 1));
        }
        const QList<Event> after = afterPlan(rows, plan);
        QCOMPARE(shown(after), change.occurrences);

        // Every row written is pending; every override hangs on a live master of its UID in the
        // master's calendar; new rows carry the series' reminders and guests as rows of their own.
        for (const Event& row : plan.updates + plan.inserts)
            QCOMPARE(row.syncStatus, QStringLiteral("pending"));
        for (const Event& row : after) {
            if (row.recurrenceId.isEmpty())
                continue;
            const auto owner = std::find_if(after.cbegin(), after.cend(), [&row](const Event& m) {
                return m.recurrenceId.isEmpty() && m.uid == row.uid;
            });
            QVERIFY2(owner != after.cend(), qPrintable(row.id));
            QCOMPARE(owner->calendarId, row.calendarId);
            QCOMPARE(row.masterEventUid, row.uid);
        }
        for (const Event& row : plan.inserts) {
            QCOMPARE(row.reminders.size(), 1);
            QCOMPARE(row.attendees.size(), 1);
            QVERIFY(row.reminders.first().id.isEmpty());
            QVERIFY(row.attendees.first().id.isEmpty());
            // A move to another calendar keeps the UID; the server object there is new.
            if (change.edit && change.scope == 3 && change.calendar != master.calendarId) {
                QCOMPARE(row.uid, master.uid);
                QCOMPARE(row.calendarId, change.calendar);
                QVERIFY(row.href.isEmpty());
            }
        }
    }

    // Undo after the rule for single events: untouched since, the old row exactly; pushed since,
    // the old fields as a new edit on the server's current copy; purged after a pushed delete, a
    // new row; created by the change, removed.
    void undoRows_data()
    {
        QTest::addColumn<bool>("hadBefore");
        QTest::addColumn<QString>("currentState"); // "unpushed", "pushed", "gone", "deleted"
        QTest::addColumn<QString>("expected");     // "update-exact", "update-rebased", ...
        QTest::newRow("not pushed since") << true << "unpushed"
                                          << "update-exact";
        QTest::newRow("pushed since") << true << "pushed"
                                      << "update-rebased";
        QTest::newRow("tombstone not pushed") << true << "deleted"
                                              << "update-exact";
        QTest::newRow("purged after push") << true << "gone"
                                           << "insert";
        QTest::newRow("created, still there") << false << "unpushed"
                                              << "remove";
        QTest::newRow("created, already deleted") << false << "deleted"
                                                  << "nothing";
    }

    void undoRows()
    {
        QFETCH(bool, hadBefore);
        QFETCH(QString, currentState);
        QFETCH(QString, expected);
        Event before = dailySeries(QStringLiteral("FREQ=DAILY"));
        before.href = QStringLiteral("/cal/a.ics");
        before.etag = QStringLiteral("e1");
        before.syncStatus = QStringLiteral("synced");
        Event written = before;
        written.title = QStringLiteral("Changed");
        written.syncStatus = QStringLiteral("pending");
        std::optional<Event> current = written;
        if (currentState == QLatin1String("pushed")) {
            current->etag = QStringLiteral("e2");
            current->syncStatus = QStringLiteral("synced");
        } else if (currentState == QLatin1String("deleted")) {
            current->deletedAt = utc(2025, 6, 1);
            written.deletedAt = current->deletedAt;
        } else if (currentState == QLatin1String("gone")) {
            current.reset();
        }
        const SeriesEdit::Plan plan = SeriesEdit::undo(
            {{hadBefore ? std::optional<Event>(before) : std::nullopt, written, current}},
            utc(2025, 6, 2));
        QString got = QStringLiteral("nothing");
        if (!plan.removals.isEmpty())
            got = QStringLiteral("remove");
        if (!plan.inserts.isEmpty()) {
            got = QStringLiteral("insert");
            QVERIFY(plan.inserts.first().href.isEmpty());
            QCOMPARE(plan.inserts.first().title, before.title);
        }
        if (!plan.updates.isEmpty()) {
            const Event& row = plan.updates.first();
            QCOMPARE(row.title, before.title);
            QVERIFY(!row.deletedAt);
            got = row.syncStatus == QLatin1String("synced") && row.etag == QLatin1String("e1")
                      ? QStringLiteral("update-exact")
                  : row.syncStatus == QLatin1String("pending") && row.etag == QLatin1String("e2")
                      ? QStringLiteral("update-rebased")
                      : QStringLiteral("update-other");
        }
        QCOMPARE(got, expected);
    }
};

QTEST_GUILESS_MAIN(TestSeriesEdit)
#include "tst_seriesedit.moc"

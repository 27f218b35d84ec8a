#include "Recurrence.h"
#include "RuleUntil.h"
#include "SeriesEdit.h"
#include "SeriesMove.h"
#include "SeriesUndo.h"

#include <QRegularExpression>
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
    master.reminders = {Reminder()};
    master.reminders[0].id = QStringLiteral("r1");
    master.attendees = {Attendee()};
    master.attendees[0].id = QStringLiteral("a1");
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
    rows.removeIf([&plan](const Event& row) {
        return plan.removals.contains(row.id) || plan.purges.contains(row.id);
    });
    for (const Event& updated : plan.updates)
        std::replace_if(
            rows.begin(), rows.end(), [&](const Event& row) { return row.id == updated.id; },
            updated);
    rows.append(plan.inserts);
    return rows;
}

// "dd hour title" of every occurrence in March, in UTC.
QStringList shown(const QList<Event>& rows)
{
    QStringList lines;
    for (const Event& occurrence : Recurrence::expand(rows, utc(2025, 2, 20), utc(2025, 4, 1)))
        lines.append(occurrence.startTime.toUTC().toString(QStringLiteral("dd H ")) +
                     occurrence.title);
    lines.sort();
    return lines;
}

int counter = 0;
QString nextId()
{
    return QStringLiteral("new-%1").arg(++counter);
}

// Every occurrence, days from `from` on (overrides aside) at `hour` with `title`.
QStringList later(int from, int hour, const QString& title)
{
    QStringList lines;
    for (int day : {1, 2, 3, 4, 5, 6, 7, 9, 10})
        lines << QStringLiteral("%1 ").arg(day, 2, 10, QLatin1Char('0')) +
                     (day == 3     ? QStringLiteral("14 Moved")
                      : day == 7   ? QStringLiteral("9 Special")
                      : day < from ? QStringLiteral("9 Stand-up")
                                   : QStringLiteral("%1 %2").arg(hour).arg(title));
    return lines;
}

// A weekly series in Berlin from Monday 2 March 2026 at `time`, eight times, the 16th excluded
// and the 23rd moved to 14:00 that day.
QList<Event> weeklyInBerlin(const QString& rule, const QTime& time)
{
    const QTimeZone zone("Europe/Berlin");
    Event master;
    master.id = master.uid = QStringLiteral("weekly-1");
    master.calendarId = QStringLiteral("cal-a");
    master.title = QStringLiteral("Planning");
    master.timezone = QStringLiteral("Europe/Berlin");
    master.startTime = QDateTime(QDate(2026, 3, 2), time, zone);
    master.endTime = master.startTime.addSecs(1800);
    master.recurrenceRule = rule;
    master.exceptionDates =
        QStringLiteral("[\"%1\"]")
            .arg(Recurrence::recurrenceIdFor(QDateTime(QDate(2026, 3, 16), time, zone), false));
    const QDateTime moved(QDate(2026, 3, 23), QTime(14, 0), zone);
    Event row =
        SeriesEdit::occurrenceOverride(master, QDateTime(QDate(2026, 3, 23), time, zone), moved,
                                       moved.addSecs(1800), QStringLiteral("o23"), utc(2026, 1, 1));
    return {master, row};
}

// "MM-dd HH:mm" in Berlin of every occurrence in March and April 2026.
QStringList berlinWalls(const QList<Event>& rows)
{
    QStringList lines;
    for (const Event& occurrence : Recurrence::expand(rows, utc(2026, 2, 1), utc(2026, 5, 1)))
        lines.append(occurrence.startTime.toTimeZone(QTimeZone("Europe/Berlin"))
                         .toString(QStringLiteral("MM-dd HH:mm")));
    lines.sort();
    return lines;
}

} // namespace

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

    // Each edit of the occurrence on `day` of March read back as the occurrences it leaves:
    // exception dates and overrides stay with the part of the series they belong to, across a
    // split and a move of the start. (Deletes are checked through the store's histories.)
    void seriesChanges_data()
    {
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("calendar");
        QTest::addColumn<QString>("rule"); // empty keeps the master's, "none" stops repeating
        QTest::addColumn<QStringList>("occurrences");
        const QStringList all = later(11, 0, {});
        QStringList solo = all;
        solo[4] = QStringLiteral("05 9 Solo");
        const auto add = [](const char* name, int scope, int day, int hour, const char* title,
                            const QStringList& occurrences, const char* calendar = "cal-a",
                            const char* rule = "") {
            QTest::newRow(name) << scope << day << hour << QString::fromLatin1(title)
                                << QString::fromLatin1(calendar) << QString::fromLatin1(rule)
                                << occurrences;
        };
        add("edit this only", 1, 5, 9, "Solo", solo);
        add("edit following, an hour later", 2, 6, 10, "Later", later(6, 10, "Later"));
        add("move all", 3, 5, 9, "Stand-up", all, "cal-b");
        add("move following", 2, 6, 9, "Stand-up", all, "cal-b");
        add("edit all with a new rule drops the overrides", 3, 5, 9, "Stand-up",
            {"01 9 Stand-up", "03 9 Stand-up", "05 9 Stand-up", "07 9 Stand-up"}, "cal-a",
            "FREQ=DAILY;INTERVAL=2;COUNT=4");
        // A series that stops repeating is left as the edited occurrence, not its first one.
        add("all events stop repeating", 3, 5, 9, "Stand-up", {"05 9 Stand-up"}, "cal-a", "none");
        add("following stop repeating", 2, 6, 10, "Later",
            {"01 9 Stand-up", "02 9 Stand-up", "03 14 Moved", "04 9 Stand-up", "05 9 Stand-up",
             "06 10 Later"},
            "cal-a", "none");
    }

    void seriesChanges()
    {
        QFETCH(int, scope);
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(QString, title);
        QFETCH(QString, calendar);
        QFETCH(QString, rule);
        const QList<Event> rows = storedSeries();
        const Event& master = rows.first();
        Event edited = master;
        edited.startTime = utc(2025, 3, day, hour);
        edited.endTime = edited.startTime.addSecs(3600);
        edited.title = title;
        edited.calendarId = calendar;
        edited.recurrenceRule = rule.isEmpty() ? RuleUntil::normalize(master.recurrenceRule, false)
                                : rule == QLatin1String("none") ? QString()
                                                                : rule;
        const SeriesEdit::Plan plan =
            SeriesEdit::edit(master, rows.mid(1), std::nullopt, utc(2025, 3, day, 9), edited, scope,
                             nextId, utc(2025, 6, 1));
        const QList<Event> after = afterPlan(rows, plan);
        QTEST(shown(after), "occurrences");

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
            QVERIFY2(owner != after.cend() && owner->calendarId == row.calendarId &&
                         row.masterEventUid == row.uid,
                     qPrintable(row.id));
        }
        // A tombstone of an override makes the push exclude its start from the series: none
        // may name a start the series still has.
        for (const Event& row : rows) {
            if (row.recurrenceId.isEmpty() || !plan.removals.contains(row.id))
                continue;
            for (const Event& owner : after) {
                const QDateTime original = SeriesEdit::instantOf(row.recurrenceId);
                if (owner.recurrenceId.isEmpty() && owner.uid == row.uid &&
                    owner.calendarId == row.calendarId)
                    QVERIFY2(
                        Recurrence::occurrences(owner, original, original.addSecs(1)).isEmpty(),
                        qPrintable(row.id));
            }
        }
        for (const Event& row : plan.inserts) {
            QVERIFY(row.reminders.value(0).id.isEmpty() && row.attendees.value(0).id.isEmpty());
            QCOMPARE(row.reminders.size() + row.attendees.size(), 2);
            // A move to another calendar keeps the UID; the server object there is new.
            if (scope == 3 && calendar == QLatin1String("cal-b"))
                QVERIFY(row.uid == master.uid && row.calendarId == calendar && row.href.isEmpty());
        }
    }

    // A series that stops repeating leaves one event at the edited occurrence's start and end,
    // with the length the edit gave it: neither the first occurrence's end nor no length.
    void stoppedSeriesKeepsTheEditedTimes_data()
    {
        QTest::addColumn<int>("scope");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<int>("day"); // of March: the occurrence edited
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::newRow("all events, as it was")
            << 3 << false << 5 << utc(2025, 3, 5, 9) << utc(2025, 3, 5, 10);
        QTest::newRow("all events, later and longer")
            << 3 << false << 5 << utc(2025, 3, 5, 14) << utc(2025, 3, 5, 15, 30);
        QTest::newRow("all events, to another day, shorter")
            << 3 << false << 5 << utc(2025, 3, 9, 9) << utc(2025, 3, 9, 9, 20);
        QTest::newRow("all events, the first occurrence")
            << 3 << false << 1 << utc(2025, 3, 1, 11) << utc(2025, 3, 1, 13);
        QTest::newRow("this and following")
            << 2 << false << 6 << utc(2025, 3, 6, 10) << utc(2025, 3, 6, 10, 45);
        QTest::newRow("all-day, all events, two days")
            << 3 << true << 5 << utc(2025, 3, 5) << utc(2025, 3, 7);
        QTest::newRow("all-day, this and following")
            << 2 << true << 6 << utc(2025, 3, 6) << utc(2025, 3, 7);
    }
    void stoppedSeriesKeepsTheEditedTimes()
    {
        QFETCH(int, scope);
        QFETCH(bool, allDay);
        QFETCH(int, day);
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        const QList<Event> rows =
            allDay ? QList<Event>{dailySeries(QStringLiteral("FREQ=DAILY;COUNT=10"), true)}
                   : storedSeries();
        Event edited = rows.first();
        edited.startTime = start;
        edited.endTime = end;
        edited.recurrenceRule.clear();
        const SeriesEdit::Plan plan =
            SeriesEdit::edit(rows.first(), rows.mid(1), std::nullopt,
                             allDay ? utc(2025, 3, day) : utc(2025, 3, day, 9), edited, scope,
                             nextId, utc(2025, 6, 1));
        QVERIFY(!plan.refused);
        QList<Event> single;
        for (const Event& row : plan.updates + plan.inserts)
            if (row.recurrenceRule.isEmpty() && row.recurrenceId.isEmpty())
                single.append(row);
        QCOMPARE(single.size(), 1);
        QCOMPARE(single.first().startTime, start);
        QVERIFY(single.first().endTime);
        QCOMPARE(*single.first().endTime, end);
        QCOMPARE(single.first().isAllDay, allDay);
    }

    // A frame is compared by what it means: a rule written another way is the same rule; the
    // end, the zone (even one with the same offsets) and the rule's values are not to be missed.
    void sameFrameByMeaning_data()
    {
        QTest::addColumn<QString>("there"); // the rule another client wrote, or "end", "zone"
        QTest::addColumn<bool>("same");
        QTest::newRow("weekdays in another order") << "FREQ=WEEKLY;BYDAY=WE,MO;COUNT=6" << true;
        QTest::newRow("defaults written out")
            << "FREQ=WEEKLY;INTERVAL=1;WKST=MO;BYDAY=MO,WE;COUNT=6" << true;
        QTest::newRow("lower case, parts reordered") << "count=6;byday=mo,we;freq=weekly" << true;
        QTest::newRow("a weekday added") << "FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=6" << false;
        QTest::newRow("a weekday changed") << "FREQ=WEEKLY;BYDAY=MO,TH;COUNT=6" << false;
        QTest::newRow("every other week") << "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;COUNT=6" << false;
        QTest::newRow("another count") << "FREQ=WEEKLY;BYDAY=MO,WE;COUNT=7" << false;
        QTest::newRow("lengthened") << "end" << false;
        QTest::newRow("a zone of the same offsets") << "zone" << false;
    }
    void sameFrameByMeaning()
    {
        QFETCH(QString, there);
        Event written = dailySeries(QStringLiteral("FREQ=WEEKLY;BYDAY=MO,WE;COUNT=6"));
        written.timezone = QStringLiteral("Europe/Berlin");
        Event current = written;
        if (there == u"end")
            current.endTime = current.endTime->addSecs(1800);
        else if (there == u"zone")
            current.timezone = QStringLiteral("Europe/Paris");
        else
            current.recurrenceRule = there;
        QTEST(SeriesUndo::sameFrame(current, written), "same");
    }

    // Undo after the rule for single events: untouched since, the old row exactly; pushed since,
    // the old fields as a new edit on the server's current copy; purged after a pushed delete, a
    // new row; created by the change, removed.
    void undoRows_data()
    {
        QTest::addColumn<QString>("now"); // the row as it stands: "", "pushed", "gone", "deleted"
        QTest::addColumn<bool>("hadBefore");
        QTest::addColumn<QString>("expected");
        QTest::newRow("not pushed since") << "" << true << "update synced e1 /cal/a.ics Stand-up";
        QTest::newRow("pushed since")
            << "pushed" << true << "update pending e2 /cal/a.ics Stand-up";
        QTest::newRow("pushed, then a sync brought another client's description")
            << "pushed-there" << true << "update pending e2 /cal/a.ics Stand-up";
        // The floating UNTIL the rename read and the UTC one it wrote are one end: the undo
        // leaves the rule another client wrote since.
        QTest::newRow("pushed, then a sync brought another client's rule")
            << "pushed-rule-there" << true << "update pending e2 /cal/a.ics Stand-up";
        QTest::newRow("tombstone not pushed")
            << "deleted" << true << "update synced e1 /cal/a.ics Stand-up";
        QTest::newRow("deleted, purged after push")
            << "gone" << true << "insert pending   Stand-up";
        // Another client deleted the series: it is not made again, and the caller is told.
        QTest::newRow("deleted elsewhere") << "gone elsewhere" << true << "gone Changed";
        QTest::newRow("created, still there") << "" << false << "remove";
        // Nothing left to take away: the user is told, as for a series deleted elsewhere.
        QTest::newRow("created, already deleted") << "deleted" << false << "gone Changed";
    }
    void undoRows()
    {
        QFETCH(bool, hadBefore);
        QFETCH(QString, now);
        Event before = dailySeries(QStringLiteral("FREQ=DAILY"));
        if (now == QLatin1String("pushed-rule-there")) {
            before.timezone = QStringLiteral("Pacific/Auckland");
            before.recurrenceRule = QStringLiteral("FREQ=MONTHLY;UNTIL=20250601T220000");
        }
        before.href = QStringLiteral("/cal/a.ics");
        before.etag = QStringLiteral("e1");
        before.syncStatus = QStringLiteral("synced");
        Event written = before;
        written.title = QStringLiteral("Changed");
        written.recurrenceRule = RuleUntil::ofSeries(written);
        written.syncStatus = QStringLiteral("pending");
        std::optional<Event> current = written;
        if (now.startsWith(QLatin1String("pushed"))) {
            current->etag = QStringLiteral("e2");
            current->syncStatus = QStringLiteral("synced");
            if (now == QLatin1String("pushed-there"))
                current->description = QStringLiteral("Dial-in");
            if (now == QLatin1String("pushed-rule-there"))
                current->recurrenceRule = QStringLiteral("FREQ=MONTHLY;COUNT=8");
        } else if (now == QLatin1String("deleted")) {
            current->deletedAt = written.deletedAt = utc(2025, 6, 1);
        } else if (now.startsWith(QLatin1String("gone"))) {
            if (now == QLatin1String("gone"))
                written.deletedAt = utc(2025, 6, 1);
            current.reset();
        }
        const SeriesEdit::Plan plan = SeriesUndo::undo(
            {{hadBefore ? std::optional<Event>(before) : std::nullopt, written, current}},
            utc(2025, 6, 2));
        const QList<Event> rows = plan.updates + plan.inserts;
        const QString got = !plan.gone.isEmpty()       ? QStringLiteral("gone ") + plan.gone.first()
                            : !plan.removals.isEmpty() ? QStringLiteral("remove")
                            : rows.isEmpty()
                                ? QString()
                                : QStringList{plan.updates.isEmpty() ? "insert" : "update",
                                              rows[0].syncStatus, rows[0].etag, rows[0].href,
                                              rows[0].deletedAt ? "deleted" : rows[0].title}
                                      .join(QLatin1Char(' '));
        QTEST(got, "expected");
        if (current && !plan.updates.isEmpty()) {
            QCOMPARE(plan.updates[0].description, current->description);
            QCOMPARE(plan.updates[0].recurrenceRule, current->recurrenceRule);
        }
    }
    // A change pushed, then another client changes the series, then the undo: what came in
    // since stays attached to the series and is not made again, and only what the change changed
    // goes back. "All events" one hour later (scope 3) or the 4th at 12:00 alone (scope 1).
    void undoKeepsWhatCameInSince_data()
    {
        QTest::addColumn<int>("scope");
        QTest::addColumn<QString>("there");
        QTest::addColumn<QStringList>("expected"); // "dd H title[ +description]", or "gone"
        const QStringList original{"01 9 Stand-up", "02 9 Stand-up", "03 14 Moved",
                                   "04 9 Stand-up", "05 9 Stand-up", "06 9 Stand-up",
                                   "07 9 Special",  "09 9 Stand-up", "10 9 Stand-up"};
        QStringList deleted = original;
        deleted.removeAll("05 9 Stand-up");
        QStringList changed = deleted;
        changed.insert(4, "05 16 There");
        QStringList restored = original;
        restored.insert(7, "08 9 Stand-up");
        QStringList described = original;
        described[3] = "04 9 Stand-up +Dial-in";
        QTest::newRow("all events, nothing changed there") << 3 << "" << original;
        QTest::newRow("all events, an occurrence deleted there") << 3 << "exclude" << deleted;
        QTest::newRow("all events, an exclusion taken back there") << 3 << "include" << restored;
        QStringList withoutThird = original;
        withoutThird.removeAll("03 14 Moved");
        QTest::newRow("all events, a changed occurrence deleted there")
            << 3 << "exclude changed" << withoutThird;
        QTest::newRow("all events, an occurrence changed there") << 3 << "override" << changed;
        QTest::newRow("all events, the series deleted there")
            << 3 << "delete" << QStringList{"gone"};
        QTest::newRow("one event, nothing changed there") << 1 << "" << original;
        QTest::newRow("one event, described there") << 1 << "describe" << described;
        QTest::newRow("one event, moved on there") << 1 << "move" << original;
    }
    void undoKeepsWhatCameInSince()
    {
        QFETCH(int, scope);
        QFETCH(QString, there);
        const QList<Event> rows = storedSeries();
        const Event& master = rows.first();
        const int day = scope == 3 ? 1 : 4;
        Event edited = master;
        edited.startTime = utc(2025, 3, day, scope == 3 ? 10 : 12);
        edited.endTime = edited.startTime.addSecs(3600);
        edited.recurrenceRule = RuleUntil::normalize(master.recurrenceRule, false);
        const SeriesEdit::Plan change =
            SeriesEdit::edit(master, rows.mid(1), std::nullopt, utc(2025, 3, day, 9), edited, scope,
                             nextId, utc(2025, 6, 1));

        // Pushed, then changed by another client and pulled.
        QList<Event> now = afterPlan(rows, change);
        for (Event& row : now)
            row.etag = QStringLiteral("e2");
        Event& changedMaster = now.first();
        const QString movedFifth =
            changedMaster.startTime.addDays(4).toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
        const QString excluded = there == u"exclude changed" ? now.at(1).recurrenceId : movedFifth;
        if (there.startsWith(u"exclude"))
            changedMaster.exceptionDates.replace(QStringLiteral("\"]"),
                                                 QStringLiteral("\",\"%1\"]").arg(excluded));
        if (there == u"exclude changed")
            now.removeAt(1);
        else if (there == u"include")
            changedMaster.exceptionDates.clear();
        else if (there == u"delete")
            now.clear();
        if (there == u"override") {
            Event row = SeriesEdit::occurrenceOverride(
                changedMaster, SeriesEdit::instantOf(movedFifth), utc(2025, 3, 5, 16),
                utc(2025, 3, 5, 17), QStringLiteral("there"), utc(2025, 6, 1));
            row.title = QStringLiteral("There");
            now.append(row);
        }
        if (there == u"describe" || there == u"move") {
            Event& row = now.last();
            row.description = there == u"describe" ? QStringLiteral("Dial-in") : QString();
            if (there == u"move")
                row.startTime = row.startTime.addSecs(3600);
        }

        QList<SeriesUndo::Touched> touched;
        const auto stands = [&now](const QString& id) -> std::optional<Event> {
            for (const Event& row : now)
                if (row.id == id)
                    return row;
            return std::nullopt;
        };
        for (const Event& row : change.updates) {
            const auto before = std::find_if(rows.cbegin(), rows.cend(),
                                             [&row](const Event& r) { return r.id == row.id; });
            touched.append({*before, row, stands(row.id)});
        }
        for (const Event& row : change.inserts)
            touched.append({std::nullopt, row, stands(row.id), master});
        const SeriesEdit::Plan undo = SeriesUndo::undo(touched, utc(2025, 6, 2), now);

        QStringList got = undo.gone.isEmpty() ? QStringList() : QStringList{"gone"};
        const QList<Event> after = afterPlan(now, undo);
        for (const Event& occurrence : Recurrence::expand(after, utc(2025, 2, 20), utc(2025, 4, 1)))
            got.append(
                occurrence.startTime.toUTC().toString(QStringLiteral("dd H ")) + occurrence.title +
                (occurrence.description.isEmpty() ? QString()
                                                  : QStringLiteral(" +") + occurrence.description));
        got.sort();
        QTEST(got, "expected");
        // Nothing of the undo is left unsent.
        for (const Event& row : undo.updates + undo.inserts)
            QCOMPARE(row.syncStatus, QStringLiteral("pending"));
    }

    // "All events" moved to other days takes the rule's weekdays along on the series' own wall
    // clock, so every occurrence, exception and override moves by the same days; a rule that
    // cannot follow refuses and changes nothing.
    void wholeSeriesToOtherDays_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QDateTime>("newStart"); // of the occurrence on Monday 9 March
        QTest::addColumn<QStringList>("expected");
        const QTimeZone zone("Europe/Berlin");
        QTest::newRow("Monday to Tuesday")
            << "FREQ=WEEKLY;BYDAY=MO;COUNT=8" << QTime(9, 0)
            << QDateTime(QDate(2026, 3, 10), QTime(9, 0), zone)
            << QStringList{"03-03 09:00", "03-10 09:00", "03-24 14:00", "03-31 09:00",
                           "04-07 09:00", "04-14 09:00", "04-21 09:00"};
        // Just after midnight in Berlin is the evening before in UTC: the days are Berlin's.
        QTest::newRow("Monday night to Sunday night")
            << "FREQ=WEEKLY;BYDAY=MO;COUNT=8" << QTime(0, 30)
            << QDateTime(QDate(2026, 3, 8), QTime(23, 30), zone)
            << QStringList{"03-01 23:30", "03-08 23:30", "03-22 14:00", "03-29 23:30",
                           "04-05 23:30", "04-12 23:30", "04-19 23:30"};
        QTest::newRow("first Monday of the month")
            << "FREQ=MONTHLY;BYDAY=MO;BYSETPOS=1;COUNT=3" << QTime(9, 0)
            << QDateTime(QDate(2026, 3, 10), QTime(9, 0), zone) << QStringList();
    }
    void wholeSeriesToOtherDays()
    {
        QFETCH(QString, rule);
        QFETCH(QTime, time);
        QFETCH(QDateTime, newStart);
        QFETCH(QStringList, expected);
        const QList<Event> rows = weeklyInBerlin(rule, time);
        Event edited = rows.first();
        edited.startTime = newStart;
        edited.endTime = newStart.addSecs(1800);
        edited.recurrenceRule = RuleUntil::normalize(rule, false);
        const SeriesEdit::Plan plan =
            SeriesEdit::edit(rows.first(), rows.mid(1), std::nullopt,
                             QDateTime(QDate(2026, 3, 9), time, QTimeZone("Europe/Berlin")), edited,
                             3, nextId, utc(2026, 6, 1));
        QCOMPARE(plan.refused, expected.isEmpty());
        if (plan.refused) {
            QVERIFY(plan.updates.isEmpty() && plan.inserts.isEmpty() && plan.removals.isEmpty());
            return;
        }
        QCOMPARE(berlinWalls(afterPlan(rows, plan)), expected);
    }

    // "All events" from an occurrence of the night Berlin's clocks skip 02:00 (28 March 2027),
    // given as an instant or as the wall time a form or a timeline row shows: a move by whole
    // days from the hour after keeps the series' time of day; a wall time the clocks skip that
    // night is the series' new time; a first start that lands there is the hour after, which
    // the plan names for the user.
    void wholeSeriesOnTheSpringNight_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("first");
        QTest::addColumn<QDateTime>("toInstant"); // the target as an instant, or
        QTest::addColumn<QTime>("toWall");        // as a wall time on the occurrence's day + days
        QTest::addColumn<int>("days");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QDateTime>("settled");
        const QTimeZone zone("Europe/Berlin");
        const auto at = [&zone](int day, int hour, int minute = 0) {
            return QDateTime(QDate(2027, 3, day), QTime(hour, minute), zone);
        };
        QTest::newRow("Sunday 02:30 shown 03:30, to Monday 03:30")
            << "FREQ=WEEKLY;COUNT=3" << at(21, 2, 30) << at(29, 3, 30) << QTime() << 0
            << QStringList{"03-22 02:30", "03-29 02:30", "04-05 02:30"} << QDateTime();
        QTest::newRow("Sunday 02:30 shown 03:30, to the Monday 03:30 row")
            << "FREQ=WEEKLY;COUNT=3" << at(21, 2, 30) << QDateTime() << QTime(3, 30) << 1
            << QStringList{"03-22 02:30", "03-29 02:30", "04-05 02:30"} << QDateTime();
        QTest::newRow("daily 09:00 to the 02:30 row that night")
            << "FREQ=DAILY;COUNT=3" << at(27, 9) << QDateTime() << QTime(2, 30) << 0
            << QStringList{"03-27 02:30", "03-28 03:30", "03-29 02:30"} << QDateTime();
        QTest::newRow("daily 01:30 to the 02:30 row that night")
            << "FREQ=DAILY;COUNT=3" << at(27, 1, 30) << QDateTime() << QTime(2, 30) << 0
            << QStringList{"03-27 02:30", "03-28 03:30", "03-29 02:30"} << QDateTime();
        QTest::newRow("first start to the 02:00 row that night")
            << "FREQ=DAILY;COUNT=3" << at(28, 14) << QDateTime() << QTime(2, 0) << 0
            << QStringList{"03-28 03:00", "03-29 03:00", "03-30 03:00"} << at(28, 3);
    }
    void wholeSeriesOnTheSpringNight()
    {
        QFETCH(QString, rule);
        QFETCH(QDateTime, first);
        QFETCH(QDateTime, toInstant);
        QFETCH(QTime, toWall);
        QFETCH(int, days);
        QFETCH(QDateTime, settled);
        const QTimeZone zone("Europe/Berlin");
        Event master;
        master.id = master.uid = QStringLiteral("night-1");
        master.calendarId = QStringLiteral("cal-a");
        master.title = QStringLiteral("Night");
        master.timezone = QStringLiteral("Europe/Berlin");
        master.startTime = first;
        master.endTime = first.addSecs(1800);
        master.recurrenceRule = rule;
        // The occurrence on the night, or the first.
        const QList<Event> near =
            Recurrence::occurrences(master, QDateTime(QDate(2027, 3, 28), QTime(0, 0), zone),
                                    QDateTime(QDate(2027, 3, 29), QTime(0, 0), zone));
        const QDateTime occurrence = near.isEmpty() ? first : near.first().startTime;
        const SeriesMove move =
            toInstant.isValid()
                ? SeriesMove::of(master, occurrence, toInstant)
                : SeriesMove::of(
                      master, occurrence,
                      SeriesMove::WallTime{occurrence.toTimeZone(zone).date().addDays(days), toWall,
                                           zone});
        Event edited = master;
        edited.startTime = toInstant.isValid() ? toInstant : move(occurrence);
        edited.endTime = edited.startTime.addSecs(1800);
        edited.recurrenceRule = RuleUntil::normalize(rule, false);
        const SeriesEdit::Plan plan = SeriesEdit::edit(master, {}, std::nullopt, occurrence, edited,
                                                       move, 3, nextId, utc(2027, 6, 1));
        QCOMPARE(plan.refused, false);
        QStringList walls;
        const QList<Event> after = afterPlan({master}, plan);
        for (const Event& row : Recurrence::expand(after, utc(2027, 3, 1), utc(2027, 5, 1))) {
            walls.append(row.startTime.toTimeZone(zone).toString(QStringLiteral("MM-dd HH:mm")));
            QCOMPARE(row.startTime.secsTo(*row.endTime), 1800);
        }
        QTEST(walls, "expected");
        QCOMPARE(plan.settledStart.value_or(QDateTime()).toUTC(), settled.toUTC());
    }

    // Deleting one occurrence excludes it on the master and takes its override away with it.
    void deleteOneOccurrence_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<QStringList>("removed");
        QTest::newRow("overridden") << 3 << QStringList{"o3"};
        QTest::newRow("retitled") << 7 << QStringList{"o7"};
        QTest::newRow("plain") << 5 << QStringList();
    }
    void deleteOneOccurrence()
    {
        QFETCH(int, day);
        const QList<Event> rows = storedSeries();
        const SeriesEdit::Plan plan =
            SeriesEdit::remove(rows.first(), rows.mid(1), utc(2025, 3, day, 9), 1, utc(2025, 6, 1));
        QTEST(plan.removals, "removed");
        const QStringList left = shown(afterPlan(rows, plan));
        QCOMPARE(left.filter(
                     QRegularExpression(QStringLiteral("^%1 ").arg(day, 2, 10, QLatin1Char('0')))),
                 QStringList());
    }

    // Undo gives back what the change found. A new override goes without a tombstone (which the
    // push would turn into an exclusion), and a master whose server copy holds it is sent again
    // without it. SEQUENCE never drops below what was sent.
    void undo_data()
    {
        QTest::addColumn<bool>("override"); // the change made an override, else changed the master
        QTest::addColumn<QString>("now");   // what became of the written row since
        QTest::addColumn<QString>("expected");
        QTest::newRow("override, not pushed") << true << ""
                                              << "purge o3";
        QTest::newRow("override, pushed") << true << "pushed"
                                          << "purge o3; update series-1 pending 3";
        // Google keeps a changed occurrence as an item of its own, which a series sent again
        // leaves as it is: the override goes back to what the series gives, and out again.
        QTest::newRow("override, pushed to a server keeping occurrences apart")
            << true << "apart"
            << "update o3 pending 1";
        QTest::newRow("master, not pushed") << false << ""
                                            << "update series-1 synced 3";
        QTest::newRow("master, pushed") << false << "pushed"
                                        << "update series-1 pending 4";
        QTest::newRow("master, pushed and given the server's UID") << false << "renamed"
                                                                   << "update series-1 pending 4";
        // Its create found its place taken and failed after: it keeps the UID it went under.
        QTest::newRow("master, not pushed, given a UID of its own") << false << "renamed here"
                                                                    << "update series-1 synced 3";
        QTest::newRow("master, deleted elsewhere") << false << "gone"
                                                   << "gone Stand-up";
        // The user is told that the changed occurrence went, and which, not its series.
        QTest::newRow("override, deleted elsewhere") << true << "gone"
                                                     << "gone Moved on 2025-03-03";
        QTest::newRow("override, its series deleted elsewhere") << true << "series gone"
                                                                << "gone Moved";
    }
    void undo()
    {
        QFETCH(bool, override);
        QFETCH(QString, now);
        const QList<Event> rows = storedSeries();
        Event master = rows.first();
        master.href = QStringLiteral("/cal/series-1.ics");
        master.etag = QStringLiteral("e1");
        master.sequence = 2;
        master.syncStatus = QStringLiteral("synced");
        Event written = override ? rows.at(1) : master;
        if (!override) {
            written.sequence = 3;
            written.syncStatus = QStringLiteral("pending");
        }
        std::optional<Event> current = written;
        if (now == QLatin1String("pushed") || now == QLatin1String("renamed") ||
            now == QLatin1String("apart")) {
            current->href = master.href;
            current->etag = QStringLiteral("e2");
            current->syncStatus = QStringLiteral("synced");
            if (now == QLatin1String("renamed"))
                current->uid = QStringLiteral("given-by-the-server");
        } else if (now == QLatin1String("renamed here")) {
            current->uid = QStringLiteral("a-place-of-its-own");
        } else if (now.endsWith(QLatin1String("gone"))) {
            current.reset();
        }
        const std::optional<Event> before = override ? std::nullopt : std::optional<Event>(master);
        const QSet<QString> apart =
            now == QLatin1String("apart") ? QSet<QString>{master.calendarId} : QSet<QString>();
        const SeriesEdit::Plan plan = SeriesUndo::undo(
            {{before, written, current}}, utc(2025, 6, 2),
            now == QLatin1String("series gone") ? QList<Event>() : QList<Event>{master}, apart);
        QStringList got;
        for (const QString& id : plan.purges)
            got << QStringLiteral("purge ") + id;
        for (const QString& id : plan.removals)
            got << QStringLiteral("remove ") + id;
        for (const Event& row : plan.updates + plan.inserts)
            got << QStringLiteral("update %1 %2 %3").arg(row.id, row.syncStatus).arg(row.sequence);
        for (const QString& title : plan.gone)
            got << QStringLiteral("gone ") + title +
                       (plan.goneOccurrenceDay.isValid()
                            ? plan.goneOccurrenceDay.toString(QStringLiteral(" 'on' yyyy-MM-dd"))
                            : QString());
        QTEST(got.join(QStringLiteral("; ")), "expected");
        if (current && !plan.updates.isEmpty())
            QCOMPARE(plan.updates.constLast().uid, current->uid);
        if (now == QLatin1String("apart")) {
            const Event& given = plan.updates.constFirst();
            QCOMPARE(given.title, master.title);
            QCOMPARE(given.startTime, SeriesEdit::instantOf(written.recurrenceId));
            QCOMPARE(given.etag, current->etag);
        }
    }
};

QTEST_GUILESS_MAIN(TestSeriesEdit)
#include "tst_seriesedit.moc"

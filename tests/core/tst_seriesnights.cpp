// Series on the nights the clocks change, generated rather than listed: a daily series in each of
// three zones at each half hour of the small hours around both nights, with an exception date and
// a changed occurrence, moved a day or an hour either way from each occurrence of the night's
// week, for all events and for this and following, and undone, on a real store; and every wall
// time of those nights written as iCalendar text and read back.
#include "AppState.h"
#include "AppStateFixture.h"
#include "Database.h"
#include "EventRepository.h"
#include "Ical.h"
#include "Recurrence.h"
#include "RecurringEdit.h"
#include "StoreSeed.h"
#include "UndoStack.h"
#include "WallClock.h"
#include "WeekDrag.h"

#include <QHash>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

namespace {

const QString calendar = QStringLiteral("cal");
const QDateTime windowFrom(QDate(2027, 1, 1), QTime(0, 0), Qt::UTC);
const QDateTime windowTo(QDate(2028, 1, 1), QTime(0, 0), Qt::UTC);
const char* const moveNames[] = {"a day later", "a day earlier", "an hour later",
                                 "an hour earlier"};

QString utc(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODate);
}

QString utc(const QDateTime& at)
{
    return at.isValid() ? utc(at.toMSecsSinceEpoch()) : QStringLiteral("invalid");
}

// The instant a wall time reads on the zone's clock, as a series' own clock reads it.
QDateTime wall(const QTimeZone& zone, const QDate& date, const QTime& time)
{
    WallClock clock(QDateTime(date, QTime(12, 0), zone));
    return clock.make(clock.toUtc(QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch()));
}

// Every live row's times, recurrence id and exception dates, and every occurrence shown.
QStringList storedInstants(EventRepository* events)
{
    QStringList lines;
    const QList<Event> rows = events->getByCalendar(calendar);
    for (const Event& row : rows) {
        QStringList excluded;
        for (qint64 ms : Recurrence::parseDateList(row.exceptionDates))
            excluded << utc(ms);
        excluded.sort();
        lines << QStringList{row.uid,
                             row.recurrenceId.isEmpty()
                                 ? QStringLiteral("-")
                                 : utc(SeriesEdit::instantOf(row.recurrenceId)),
                             utc(row.startTime), utc(row.endTime.value_or(QDateTime())),
                             excluded.join(QLatin1Char(','))}
                     .join(QLatin1Char(' '));
    }
    for (const Event& occurrence : Recurrence::expand(rows, windowFrom, windowTo))
        lines << QStringLiteral("shown ") + utc(occurrence.startTime);
    lines.sort();
    return lines;
}

// The overrides and exception dates of the stored series that name none of its occurrences, and
// how many occurrences it shows when that is not `shown`.
QStringList detached(EventRepository* events, qsizetype shown)
{
    QHash<QString, QPair<QSet<qint64>, QSet<qint64>>> series; // UID: rule starts, excluded
    const QList<Event> rows = events->getByCalendar(calendar);
    const auto seriesName = [](const Event& row) {
        return row.uid == QLatin1String("night") ? "the series" : "the series split off";
    };
    QStringList wrong;
    for (const Event& row : rows) {
        if (!row.recurrenceId.isEmpty() || row.recurrenceRule.isEmpty())
            continue;
        Event rule = row;
        rule.exceptionDates.clear();
        QSet<qint64>& starts = series[row.uid].first;
        for (const Event& occurrence : Recurrence::occurrences(rule, windowFrom, windowTo))
            starts.insert(occurrence.startTime.toMSecsSinceEpoch());
        series[row.uid].second = Recurrence::parseDateList(row.exceptionDates);
        for (qint64 ms : std::as_const(series[row.uid].second))
            if (!starts.contains(ms))
                wrong << QStringLiteral("exception date %1 of %2 excludes nothing")
                             .arg(utc(ms), QLatin1String(seriesName(row)));
    }
    for (const Event& row : rows) {
        if (row.recurrenceId.isEmpty())
            continue;
        const qint64 ms = SeriesEdit::instantOf(row.recurrenceId).toMSecsSinceEpoch();
        if (!series.contains(row.uid) || !series[row.uid].first.contains(ms) ||
            series[row.uid].second.contains(ms))
            wrong << QStringLiteral("override %1 of %2 detached")
                         .arg(utc(ms), QLatin1String(seriesName(row)));
    }
    const qsizetype now = Recurrence::expand(rows, windowFrom, windowTo).size();
    if (now != shown)
        wrong << QStringLiteral("%1 occurrences shown, %2 before").arg(now).arg(shown);
    return wrong;
}

// The store holding `rows` alone: every other row, deleted ones too, gone for good.
bool restore(EventRepository* events, const QList<Event>& rows)
{
    QSqlQuery query(events->database()->database());
    if (!query.exec(QStringLiteral("SELECT id FROM events")))
        return false;
    QStringList ids;
    while (query.next())
        ids << query.value(0).toString();
    for (const QString& id : std::as_const(ids))
        if (!events->hardDelete(id))
            return false;
    for (const Event& row : rows)
        if (!events->insert(row))
            return false;
    return true;
}

// A daily series at `time` for seven days from `first`, to a COUNT or an UNTIL, with the occurrence
// of day `excluded` deleted and that of day `changed` moved 90 minutes on as the views do it, all
// of it synced: its rows, and its occurrences as the rule gives them in `starts`.
QList<Event> seed(EventRepository* events, const QTimeZone& zone, const QDate& first,
                  const QTime& time, bool until, int excluded, int changed,
                  QList<QDateTime>& starts)
{
    const QDateTime start = wall(zone, first, time);
    Event row = StoreSeed::timedEvent(QStringLiteral("night"), calendar, "Night", start,
                                      start.addSecs(1800));
    row.timezone = QString::fromLatin1(zone.id());
    row.recurrenceRule =
        until ? QStringLiteral("FREQ=DAILY;UNTIL=") +
                    Recurrence::recurrenceIdFor(wall(zone, first.addDays(6), time), false)
              : QStringLiteral("FREQ=DAILY;COUNT=7");
    row.rawIcalendar = Ical::buildEvent(row);
    if (!restore(events, {row}))
        return {};
    starts.clear();
    for (const Event& occurrence : Recurrence::occurrences(row, windowFrom, windowTo))
        starts << occurrence.startTime;
    std::optional<SeriesEdit::Plan> plan =
        starts.size() == 7 ? RecurringEdit::planRemove(events, row, starts[excluded], 1)
                           : std::nullopt;
    if (!plan || !RecurringEdit::carryOut(events, *plan))
        return {};
    const QDateTime moved = starts[changed].addSecs(5400);
    plan = RecurringEdit::planMove(events, *events->getById(row.id), starts[changed], moved,
                                   moved.addSecs(1800), 1);
    if (!plan || !RecurringEdit::carryOut(events, *plan))
        return {};
    for (const Event& stored : events->getByCalendar(calendar))
        events->markSynced(stored.id, QStringLiteral("/night.ics"), QStringLiteral("e1"));
    return events->getByCalendar(calendar);
}

// What differs between two lists, in a line.
QString difference(const QStringList& before, const QStringList& after)
{
    QStringList lost = before, gained = after;
    lost.removeIf([&after](const QString& line) { return after.contains(line); });
    gained.removeIf([&before](const QString& line) { return before.contains(line); });
    return QStringLiteral("lost {%1} gained {%2}").arg(lost.join("; "), gained.join("; "));
}

// What the reader makes otherwise than meant of a series starting at `start`, its first
// occurrence excluded, or of the override of that occurrence, written as `text`.
// `original`: the occurrence the exception date or recurrence id names, where not the start.
QStringList misread(const QString& text, const QDateTime& start, const QDateTime& end,
                    QDateTime original = {})
{
    if (!original.isValid())
        original = start;
    const QList<Event> read = Ical::parseEvents(text);
    if (read.size() != 1)
        return {QStringLiteral("%1 events read").arg(read.size())};
    const Event& back = read.first();
    QStringList wrong;
    if (back.startTime != start)
        wrong << "start " + utc(back.startTime);
    if (back.endTime.value_or(QDateTime()) != end)
        wrong << "end " + utc(back.endTime.value_or(QDateTime()));
    if (back.recurrenceId.isEmpty() && Recurrence::parseDateList(back.exceptionDates) !=
                                           QSet<qint64>{original.toMSecsSinceEpoch()})
        wrong << "exception dates " + back.exceptionDates;
    if (!back.recurrenceId.isEmpty() && SeriesEdit::instantOf(back.recurrenceId) != original)
        wrong << "recurrence id " + back.recurrenceId;
    return wrong;
}

// Whether there are no faults; the first ones told, and how many there are.
bool told(const QStringList& faults)
{
    for (const QString& fault : faults.mid(0, 24))
        qWarning().noquote() << fault;
    if (faults.size() > 24)
        qWarning("... %d faults in all", int(faults.size()));
    return faults.isEmpty();
}

void nights()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QDate>("night");
    const std::pair<const char*, QDate> rows[] = {
        {"Europe/Berlin", QDate(2027, 3, 28)},    {"Europe/Berlin", QDate(2027, 10, 31)},
        {"America/New_York", QDate(2027, 3, 14)}, {"America/New_York", QDate(2027, 11, 7)},
        {"Pacific/Auckland", QDate(2027, 4, 4)},  {"Pacific/Auckland", QDate(2027, 9, 26)}};
    for (const auto& [zone, night] : rows)
        QTest::addRow("%s %s", zone, qPrintable(night.toString(Qt::ISODate)))
            << QString::fromLatin1(zone) << night;
}

} // namespace

class TestSeriesNights : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // After each move every override and exception date names an occurrence of its series as
    // stored and as many occurrences show as before; the undo gives back every instant there was.
    void movesAndUndo_data() { nights(); }
    void movesAndUndo()
    {
        QFETCH(QString, zone);
        QFETCH(QDate, night);
        const QTimeZone clock(zone.toLatin1());
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        EventRepository* events = state->events();
        // Thousands of small writes, none of which a crash must keep.
        QSqlQuery(events->database()->database()).exec(QStringLiteral("PRAGMA synchronous = OFF"));
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("acc", "Work", "caldav"),
                                       StoreSeed::calendar(calendar, "acc", "Work", "")));
        QStringList messages;
        const EventChange::Reporter report = [&messages](const QString& m) { messages << m; };
        QStringList failures;
        int cases = 0;
        int sampled = 0;
        for (int half = 0; half <= 8; ++half) {
            const QTime time(half / 2, half % 2 * 30);
            // The deleted and the changed occurrence either side of the night, which way round
            // by turns, or both after it; the series ended by UNTIL or COUNT by turns.
            for (int layout = 0; layout < 2; ++layout) {
                const int excluded = layout ? 5 : half % 2 ? 1 : 3;
                const int changed = layout ? 4 : 4 - excluded;
                QList<QDateTime> starts;
                const QList<Event> rows = seed(events, clock, night.addDays(-2), time,
                                               (half + layout) % 2, excluded, changed, starts);
                QCOMPARE(rows.size(), 2);
                const Event& master = rows[0].recurrenceId.isEmpty() ? rows[0] : rows[1];
                const QStringList before = storedInstants(events);
                const qsizetype shown = before.filter(QStringLiteral("shown ")).size();
                for (int from = 0; from < 7; ++from) {
                    for (int kind = 0; kind < 8; ++kind) {
                        // Every move from within a day of the night, a fifth of the others.
                        if (from == excluded || from == changed ||
                            (std::abs(from - 2) > 1 && ++sampled % 5))
                            continue;
                        const int move = kind / 2;
                        const int scope = kind % 2 ? 2 : 3;
                        QVERIFY(restore(events, rows));
                        const QString name =
                            QStringLiteral("%1 %2, %3, from %4")
                                .arg(time.toString(QStringLiteral("HH:mm")),
                                     QString::fromLatin1(moveNames[move]),
                                     scope == 3 ? QStringLiteral("all events")
                                                : QStringLiteral("this and following"),
                                     starts[from].toString(QStringLiteral("MM-dd HH:mm t")));
                        // Dropped as a timeline drops it: on the wall time of the row it lands
                        // on, whole days or an hour of the wall clock away.
                        const QDateTime at = starts[from];
                        const SeriesMove::WallTime landing =
                            WeekDrag::landing(at, move < 2 ? (move == 0 ? 1 : -1) : 0,
                                              move < 2 ? 0 : (move == 2 ? 60 : -60), clock);
                        const QDateTime to = WeekDrag::instantOf(landing);
                        ++cases;
                        messages.clear();
                        const std::optional<SeriesEdit::Plan> plan = RecurringEdit::planMove(
                            events, master, at, to, to.addSecs(1800), scope, landing);
                        if (!plan || !RecurringEdit::carryOutWithUndo(state, *plan, "Moved",
                                                                      "not written", report)) {
                            // A daily rule's days can always follow its start: any refusal is
                            // a fault.
                            failures << name + ": not moved: " + messages.join(' ');
                            continue;
                        }
                        for (const QString& wrong : detached(events, shown))
                            failures << name + ": " + wrong;
                        // The dragged occurrence lands on the row's wall time; moved by whole
                        // days it keeps the series' time of day, where the clocks showed it
                        // elsewhere too.
                        const QDateTime lands =
                            move < 2 ? WeekDrag::instantOf({landing.date, time, clock}) : to;
                        const QList<Event> moved = Recurrence::expand(
                            events->getByCalendar(calendar), windowFrom, windowTo);
                        if (std::none_of(moved.begin(), moved.end(), [&lands](const Event& shown) {
                                return shown.startTime == lands;
                            }))
                            failures << name + ": not shown where it was dropped, " + utc(lands);
                        state->undoStack()->undo();
                        const QStringList after = storedInstants(events);
                        if (!messages.isEmpty())
                            failures << name + ": undo said " + messages.join(' ');
                        else if (after != before)
                            failures << name + ": undo " + difference(before, after);
                    }
                }
            }
        }
        qInfo("%s %s: %d moves", qPrintable(zone), qPrintable(night.toString(Qt::ISODate)), cases);
        QVERIFY2(told(failures), qPrintable(QStringLiteral("faults in %1 moves").arg(cases)));
    }

    // Each wall time of the night as a series' start excluded and as a changed occurrence's: every
    // instant it reads as, written and read back, and its digits as another client writes them,
    // read as the series' clock reads them.
    void wallTimesRoundTrip_data() { nights(); }
    void wallTimesRoundTrip()
    {
        QFETCH(QString, zone);
        QFETCH(QDate, night);
        const QTimeZone clock(zone.toLatin1());
        QStringList failures;
        const auto check = [&failures](const QString& name, const QString& text,
                                       const QDateTime& start, const QDateTime& end,
                                       const QDateTime& original = {}) {
            const QStringList wrong = misread(text, start, end, original);
            if (!wrong.isEmpty())
                failures << QStringLiteral("%1 (%2): %3%4")
                                .arg(name, utc(start), wrong.join(", "),
                                     failures.isEmpty() ? " in\n" + QString(text).remove('\r')
                                                        : QString());
        };
        for (int half = 0; half <= 8; ++half) {
            const QTime time(half / 2, half % 2 * 30);
            const QString digits = QStringLiteral("TZID=%1:%2T%3")
                                       .arg(zone, night.toString(QStringLiteral("yyyyMMdd")));
            const QString other =
                QStringLiteral("BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VEVENT\nUID:o\nDTSTART;%1\n"
                               "DTEND;%2\n%3;%1\nEND:VEVENT\nEND:VCALENDAR\n")
                    .arg(digits.arg(time.toString(QStringLiteral("HHmmss"))),
                         digits.arg(time.addSecs(1800).toString(QStringLiteral("HHmmss"))));
            const QDateTime first = wall(clock, night, time);
            QDateTime end = wall(clock, night, time.addSecs(1800));
            // An end the clocks put before its start keeps the length its digits say.
            if (end < first)
                end = first.addSecs(1800);
            const QString name = time.toString(QStringLiteral("HH:mm"));
            check(name + " series by another client", other.arg("RRULE:FREQ=DAILY\nEXDATE"), first,
                  end);
            check(name + " override by another client", other.arg("RECURRENCE-ID"), first, end);
            QList<QDateTime> instants{first};
            if (first.addSecs(3600).time() == time)
                instants << first.addSecs(3600); // the wall time comes twice
            for (const QDateTime& at : std::as_const(instants)) {
                Event master = StoreSeed::timedEvent(QStringLiteral("trip"), calendar, "Trip", at,
                                                     at.addSecs(1800));
                master.timezone = zone;
                master.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=3");
                master.exceptionDates =
                    QStringLiteral("[\"%1\"]").arg(Recurrence::recurrenceIdFor(at, false));
                const Event override = SeriesEdit::occurrenceOverride(
                    master, at, at, at.addSecs(1800), QStringLiteral("trip-1"), at);
                const QString written = at.toString(QStringLiteral("HH:mm t "));
                // A series held at the later instant repeats at its digits' wall time for every
                // reader, and begins at the earlier one with the exception of its start.
                check(written + "series", Ical::buildEvent(master), first, first.addSecs(1800));
                // A stored text whose times are rewritten, as a push of a move writes it.
                Event noon = master;
                noon.startTime = wall(clock, night, QTime(12, 0));
                noon.endTime = noon.startTime.addSecs(1800);
                check(
                    written + "series rewritten",
                    Ical::rewriteTimes(Ical::buildEvent(noon), at, at.addSecs(1800), noon.timezone),
                    first, first.addSecs(1800), at);
                check(written + "override", Ical::buildEvent(override), at, at.addSecs(1800));
            }
        }
        QVERIFY2(told(failures), "times read as other instants");
    }
};

QTEST_MAIN(TestSeriesNights)
#include "tst_seriesnights.moc"

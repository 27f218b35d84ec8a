// Random histories of the window's own series operations on a real store, each step checked
// against a model that knows nothing of rules: a list of occurrences per series.
#include "AppState.h"
#include "AppStateFixture.h"
#include "EventChange.h"
#include "EventRepository.h"
#include "Recurrence.h"
#include "RecurringEdit.h"
#include "SeriesEdit.h"
#include "StoreSeed.h"
#include "UidChange.h"
#include "UndoStack.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTimeZone>

namespace {

const QDateTime windowStart(QDate(2026, 2, 1), QTime(0, 0), Qt::UTC);
const QDateTime windowEnd(QDate(2027, 6, 1), QTime(0, 0), Qt::UTC);
const QStringList calendars = {QStringLiteral("cal-a"), QStringLiteral("cal-b")};

struct Slot
{
    QDateTime original, start, end; // original: the start the rule gives it (its recurrence id)
    QString title;
    bool overridden = false;
};

struct Series
{
    QString uid, calendar, title;
    QDateTime dtstart;
    bool allDay = false;
    QList<Slot> slots;
};

using Model = QList<Series>;

// A series written as another client or the form stores it, and the occurrences it must show.
Series makeSeries(QRandomGenerator& random, int number, Event& row)
{
    static const char* const freqs[] = {"DAILY", "WEEKLY", "MONTHLY", "YEARLY"};
    static const char* const zones[] = {"UTC", "Europe/Berlin", "America/New_York"};
    const int freq = random.bounded(4);
    const int end = random.bounded(3); // COUNT, UNTIL, none
    const int count = 3 + random.bounded(6);
    Series series;
    series.uid = QStringLiteral("s%1").arg(number);
    series.calendar = calendars.first();
    series.title = QStringLiteral("S%1").arg(number);
    series.allDay = random.bounded(4) == 0;
    const QTimeZone zone(series.allDay ? "UTC" : zones[random.bounded(3)]);
    const QDate first = QDate(2026, 3, 1).addDays(random.bounded(28));
    const QTime time = series.allDay ? QTime(0, 0) : QTime(9 + random.bounded(4), 0);
    for (int k = 0;; ++k) {
        const QDate date = freq < 2 ? first.addDays((freq == 0 ? 1 : 7) * k)
                                    : (freq == 2 ? first.addMonths(k) : first.addYears(k));
        const QDateTime start = QDateTime(date, time, zone).toUTC();
        if (start >= windowEnd || (end == 0 && k == count))
            break;
        series.slots.append(
            {start, start, start.addSecs(series.allDay ? 86400 : 3600), series.title});
        if (end == 1 && k + 1 == count)
            break;
    }
    series.dtstart = series.slots.first().original;
    QString rule = QStringLiteral("FREQ=") + QLatin1String(freqs[freq]);
    if (end == 0)
        rule += QStringLiteral(";COUNT=%1").arg(count);
    if (end == 1) // the last occurrence exactly, the hardest UNTIL to keep
        rule += QStringLiteral(";UNTIL=") +
                Recurrence::recurrenceIdFor(series.slots.last().original, series.allDay);

    row = StoreSeed::timedEvent(series.uid, series.calendar, series.title,
                                series.dtstart.toTimeZone(zone), series.slots.first().end);
    row.isAllDay = series.allDay;
    row.timezone = QString::fromLatin1(zone.id());
    row.recurrenceRule = rule;
    row.href = QStringLiteral("/%1.ics").arg(series.uid);
    row.etag = QStringLiteral("e0");
    return series;
}

QString line(const QString& uid, const QDateTime& start, const QDateTime& end, const QString& title)
{
    return QStringList{uid, start.toUTC().toString(Qt::ISODate), end.toUTC().toString(Qt::ISODate),
                       title}
        .join(QLatin1Char(' '));
}

QStringList modelLines(const Model& model)
{
    QStringList lines;
    for (const Series& series : model)
        for (const Slot& slot : series.slots)
            if (slot.start < windowEnd && slot.end > windowStart)
                lines.append(line(series.uid, slot.start, slot.end, slot.title));
    lines.sort();
    return lines;
}

QStringList storeLines(EventRepository* events)
{
    QStringList lines;
    for (const Event& occurrence :
         Recurrence::expand(events->getInRange(windowStart, windowEnd, {}), windowStart, windowEnd))
        lines.append(
            line(occurrence.uid, occurrence.startTime, *occurrence.endTime, occurrence.title));
    lines.sort();
    return lines;
}

// Every override hangs on a live master of its UID in the same calendar, at one of its rule's
// starts that the master does not exclude; there is one live master per series of the model.
QString brokenRows(EventRepository* events, const Model& model)
{
    QSet<QString> masters;
    for (const QString& calendar : calendars)
        for (const Event& row : events->getByCalendar(calendar)) {
            if (row.recurrenceId.isEmpty()) {
                masters.insert(row.uid);
                continue;
            }
            std::optional<Event> master = events->getByUidAndRecurrenceId(row.uid, calendar, {});
            if (!master || master->deletedAt || row.masterEventUid != row.uid)
                return QStringLiteral("orphan override ") + row.id;
            const QDateTime original = SeriesEdit::instantOf(row.recurrenceId);
            // A deleted occurrence takes its override with it.
            if (Recurrence::parseDateList(master->exceptionDates)
                    .contains(original.toMSecsSinceEpoch()))
                return QStringLiteral("override of a deleted occurrence ") + row.id;
            master->exceptionDates.clear();
            const QList<Event> at = Recurrence::occurrences(*master, original, original.addSecs(1));
            if (at.isEmpty() || at.first().startTime != original)
                return QStringLiteral("override off its rule ") + row.id;
        }
    return masters.size() == model.size() ? QString()
                                          : QStringLiteral("%1 masters").arg(masters.size());
}

// A store holding the first of `calendars`.
bool startWithOneCalendar(AppStateFixture& fixture)
{
    return fixture.start() &&
           StoreSeed::addCalendar(fixture.state(), StoreSeed::account("acc", "Work", "caldav"),
                                  StoreSeed::calendar(calendars.first(), "acc", "Work", ""));
}

} // namespace

class TestSeriesHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomHistories()
    {
        QRandomGenerator random(20261207);
        int number = 0;
        for (int history = 0; history < 12; ++history) {
            AppStateFixture fixture;
            QVERIFY(fixture.start());
            AppState* state = fixture.state();
            EventRepository* events = state->events();
            for (const QString& id : calendars)
                QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("acc", "Work", "caldav"),
                                               StoreSeed::calendar(id, "acc", id, "")));
            Model model;
            for (int i = 0; i < 2; ++i) {
                Event row;
                model.append(makeSeries(random, ++number, row));
                QVERIFY(StoreSeed::addEvent(state, row));
            }
            QList<Model> undoModels;
            QStringList log;
            for (int step = 0; step < 25; ++step) {
                // Each series first loses one occurrence and has one moved, as series pulled
                // from a server often have; then anything: edit, drag, delete, move, undo, sync,
                // a new UID (a create whose place on the server was taken).
                const bool opening = step < 4;
                const int op = opening ? (step % 2 == 0 ? 2 : 1) : random.bounded(8);
                const Model before = model; // taken before `series` below detaches the model
                const qsizetype s =
                    opening ? step / 2 : random.bounded(model.size() > 0 ? int(model.size()) : 1);
                if (op == 4) {
                    if (undoModels.isEmpty())
                        continue;
                    state->undoStack()->undo();
                    model = undoModels.takeLast();
                    log << QStringLiteral("undo");
                } else if (op == 5) {
                    // A push settled: deletions purged, the rest synced with new tags.
                    for (const QString& calendar : calendars)
                        for (const Event& row : events->getPending(calendar))
                            row.deletedAt ? events->hardDelete(row.id)
                                          : events->markSynced(row.id, "/" + row.uid + ".ics",
                                                               QStringLiteral("e%1").arg(step));
                    log << QStringLiteral("sync");
                } else if (op == 7) {
                    if (model.isEmpty())
                        continue;
                    Series& series = model[s];
                    const QString uid = series.uid + QLatin1Char('\'');
                    QVERIFY(UidChange(events, state->tasks(), state->filterRules())
                                .event(series.calendar, series.uid, uid));
                    log << QStringLiteral("%1 renamed").arg(series.uid);
                    series.uid = uid;
                    // The undo entries made before name the series as it is now.
                    for (Model& earlier : undoModels)
                        for (Series& other : earlier)
                            if (other.uid + QLatin1Char('\'') == uid &&
                                other.calendar == series.calendar)
                                other.uid = uid;
                } else {
                    if (model.isEmpty() || model[s].slots.isEmpty())
                        continue;
                    Series& series = model[s];
                    const qsizetype k = random.bounded(int(series.slots.size()));
                    const Slot slot = series.slots[k];
                    const bool remove = op == 2;
                    if (slot.overridden && !remove)
                        continue; // an override opens as a single event
                    int scope = opening ? 1 : 1 + random.bounded(3);
                    const bool move = op == 3;
                    if (move)
                        scope = 3;
                    const qint64 shift = series.allDay || move ? 0
                                         : opening             ? 3600
                                                               : 3600 * (random.bounded(3) - 1);
                    const QString title = op == 1 ? series.title : series.title + QLatin1Char('+');
                    const QString calendar =
                        move ? calendars.at(1 - calendars.indexOf(series.calendar))
                             : series.calendar;
                    const std::optional<Event> master =
                        events->getByUidAndRecurrenceId(series.uid, series.calendar, {});
                    QVERIFY(master);
                    Event edited = *master;
                    edited.startTime = slot.start.addSecs(shift);
                    edited.endTime = slot.end.addSecs(shift);
                    edited.title = title;
                    edited.calendarId = calendar;
                    const std::optional<SeriesEdit::Plan> plan =
                        remove ? RecurringEdit::planRemove(events, *master, slot.original, scope)
                        : op == 1
                            ? RecurringEdit::planMove(events, *master, slot.original,
                                                      edited.startTime, *edited.endTime, scope)
                            : RecurringEdit::planEdit(events, *master, slot.original, edited,
                                                      scope);
                    QVERIFY(plan);
                    log << QString::asprintf(
                        "op %d %s scope %d at %s shift %lld", op, qPrintable(series.uid), scope,
                        qPrintable(slot.original.toString(Qt::ISODate)), qlonglong(shift));
                    QVERIFY(RecurringEdit::carryOutWithUndo(state, *plan, log.last(), {}, {}));
                    undoModels.append(before);
                    if (undoModels.size() > UndoStack::maxEntries)
                        undoModels.removeFirst();

                    const bool whole =
                        scope == 3 || (scope == 2 && slot.original <= series.dtstart);
                    if (remove && whole) {
                        model.removeAt(s);
                    } else if (remove) {
                        series.slots.removeIf([&](const Slot& other) {
                            return scope == 1 ? other.original == slot.original
                                              : other.original >= slot.original;
                        });
                    } else if (scope == 1) {
                        series.slots[k] = {slot.original, slot.start.addSecs(shift),
                                           slot.end.addSecs(shift), title, true};
                    } else {
                        // Everything from the occurrence on (all, for the whole series) moves
                        // to the new or kept master; only overrides keep their own times.
                        Series tail = series;
                        for (const Event& row : plan->inserts)
                            if (row.recurrenceId.isEmpty() && !whole)
                                tail.uid = row.uid;
                        tail.dtstart = (whole ? series.dtstart : slot.original).addSecs(shift);
                        tail.calendar = calendar;
                        tail.title = title;
                        const auto later = [&](const Slot& other) {
                            return whole || other.original >= slot.original;
                        };
                        tail.slots.removeIf([&](const Slot& other) { return !later(other); });
                        series.slots.removeIf(later);
                        for (Slot& other : tail.slots)
                            other = {other.original.addSecs(shift),
                                     other.overridden ? other.start : other.start.addSecs(shift),
                                     other.overridden ? other.end : other.end.addSecs(shift),
                                     other.overridden ? other.title : title, other.overridden};
                        if (whole)
                            series = tail;
                        else
                            model.append(tail);
                    }
                }
                if (storeLines(events) != modelLines(model))
                    qWarning().noquote() << "history" << history << log.join(" / ");
                QCOMPARE(storeLines(events), modelLines(model));
                const QString broken = brokenRows(events, model);
                QVERIFY2(broken.isEmpty(), qPrintable(broken + " after " + log.join(" / ")));
            }
        }
    }

    // A daily series with its 3rd, 4th and 5th occurrences changed on their own: every event moved
    // a day later or earlier takes each changed occurrence onto its neighbour's date, and the undo
    // takes them back, neither failing half-way on a date still held.
    void changedNeighboursMoveTogether_data()
    {
        QTest::addColumn<int>("days");
        QTest::newRow("a day later") << 1;
        QTest::newRow("a day earlier") << -1;
    }
    void changedNeighboursMoveTogether()
    {
        QFETCH(int, days);
        AppStateFixture fixture;
        QVERIFY(startWithOneCalendar(fixture));
        AppState* state = fixture.state();
        EventRepository* events = state->events();
        const QTimeZone berlin("Europe/Berlin");
        Series series;
        series.uid = QStringLiteral("daily");
        series.calendar = calendars.first();
        series.title = QStringLiteral("Daily");
        for (int k = 0; k < 8; ++k) {
            const QDateTime start = QDateTime(QDate(2026, 3, 2 + k), QTime(9, 0), berlin).toUTC();
            series.slots.append({start, start, start.addSecs(1800), series.title});
        }
        series.dtstart = series.slots.first().original;
        Event row = StoreSeed::timedEvent(series.uid, series.calendar, series.title,
                                          series.dtstart.toTimeZone(berlin),
                                          series.slots.first().end.toTimeZone(berlin));
        row.timezone = QStringLiteral("Europe/Berlin");
        row.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=8");
        QVERIFY(StoreSeed::addEvent(state, row));
        QStringList messages;
        const EventChange::Reporter report = [&messages](const QString& m) { messages << m; };
        for (int k : {2, 3, 4}) {
            Slot& slot = series.slots[k];
            const std::optional<SeriesEdit::Plan> plan = RecurringEdit::planMove(
                events, *events->getById(row.id), slot.original, slot.start.addSecs(3600 * k),
                slot.end.addSecs(3600 * k), 1);
            QVERIFY(plan && RecurringEdit::carryOutWithUndo(state, *plan, "Moved", {}, report));
            slot = {slot.original, slot.start.addSecs(3600 * k), slot.end.addSecs(3600 * k),
                    slot.title, true};
        }
        const Model before{series};
        QCOMPARE(storeLines(events), modelLines(before));

        const Slot first = series.slots.first();
        const std::optional<SeriesEdit::Plan> plan =
            RecurringEdit::planMove(events, *events->getById(row.id), first.original,
                                    first.start.addDays(days), first.end.addDays(days), 3);
        QVERIFY(plan &&
                RecurringEdit::carryOutWithUndo(state, *plan, "Moved", "move failed", report));
        Model moved = before;
        for (Slot& slot : moved[0].slots)
            slot = {slot.original.addDays(days), slot.start.addDays(days), slot.end.addDays(days),
                    slot.title, slot.overridden};
        QCOMPARE(storeLines(events), modelLines(moved));
        QCOMPARE(brokenRows(events, moved), QString());

        state->undoStack()->undo();
        QCOMPARE(messages, QStringList());
        QCOMPARE(storeLines(events), modelLines(before));
        QCOMPARE(brokenRows(events, before), QString());
    }

    // "This and following" near the nights the clocks change in Berlin, after one occurrence was
    // deleted and one changed on its own: the new series, its end, its exclusions and its changed
    // occurrences move as one, it begins at a start its clock has, and the undo takes all back.
    // `rule` runs from `first`; `deleted` is deleted and `changed` goes to 12:00 on their own,
    // then `from` goes to `to` (or, without `to`, is renamed) for it and the following ones.
    void followingOverTheClockChange_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("first");
        QTest::addColumn<QDate>("deleted");
        QTest::addColumn<QDate>("changed");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<QStringList>("expected"); // "MM-dd HH:mm UTC+h title" in Berlin
        const QTimeZone berlin("Europe/Berlin");
        const auto wall = [&berlin](int month, int day, int hour, int minute) {
            return QDateTime(QDate(2026, month, day), QTime(hour, minute), berlin);
        };
        // The 29th at 02:30 is 03:30 summer time: the new series begins and repeats there.
        QTest::newRow("daily 02:30, a day later onto the spring night")
            << "FREQ=DAILY;COUNT=9" << wall(3, 26, 2, 30) << QDate(2026, 4, 2) << QDate(2026, 4, 3)
            << wall(3, 28, 2, 30) << wall(3, 29, 3, 30)
            << QStringList{"03-26 02:30 +1 Daily", "03-27 02:30 +1 Daily", "03-29 03:30 +2 Daily",
                           "03-30 03:30 +2 Daily", "03-31 03:30 +2 Daily", "04-01 03:30 +2 Daily",
                           "04-02 03:30 +2 Daily", "04-04 12:00 +2 Daily"};
        QTest::newRow("daily 02:15, renamed from the spring night's occurrence")
            << "FREQ=DAILY;COUNT=6" << wall(3, 27, 2, 15) << QDate(2026, 4, 1) << QDate(2026, 3, 30)
            << wall(3, 29, 3, 15) << QDateTime()
            << QStringList{"03-27 02:15 +1 Daily", "03-28 02:15 +1 Daily", "03-29 03:15 +2 Renamed",
                           "03-30 12:00 +2 Daily", "03-31 02:15 +2 Renamed"};
        // A Sunday series begun on a Saturday: no start of it before the spring night's Sunday,
        // shown at 03:30; the later Sundays keep 02:30.
        QTest::newRow("weekly Sunday 02:30 from a Saturday, renamed from the spring night")
            << "FREQ=WEEKLY;BYDAY=SU;COUNT=6" << wall(3, 28, 2, 30) << QDate(2026, 4, 12)
            << QDate(2026, 4, 19) << wall(3, 29, 3, 30) << QDateTime()
            << QStringList{"03-29 03:30 +2 Renamed", "04-05 02:30 +2 Renamed",
                           "04-19 12:00 +2 Daily", "04-26 02:30 +2 Renamed",
                           "05-03 02:30 +2 Renamed"};
        // 02:30 on 25 October comes twice; the drop gives the later instant, the new series
        // begins at the earlier one, the wall time its clock has.
        QTest::newRow("weekly Sunday 03:00, the last dropped onto the autumn night")
            << "FREQ=WEEKLY;BYDAY=SU;UNTIL=20261025T020000Z" << wall(10, 4, 3, 0)
            << QDate(2026, 10, 11) << QDate(2026, 10, 18) << wall(10, 25, 3, 0)
            << wall(10, 25, 2, 30)
            << QStringList{"10-04 03:00 +2 Daily", "10-18 12:00 +2 Daily", "10-25 02:30 +2 Daily"};
    }
    void followingOverTheClockChange()
    {
        QFETCH(QString, rule);
        QFETCH(QDateTime, first);
        QFETCH(QDate, deleted);
        QFETCH(QDate, changed);
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, to);
        AppStateFixture fixture;
        QVERIFY(startWithOneCalendar(fixture));
        AppState* state = fixture.state();
        EventRepository* events = state->events();
        const QTimeZone berlin("Europe/Berlin");
        Event row = StoreSeed::timedEvent(QStringLiteral("daily"), calendars.first(),
                                          QStringLiteral("Daily"), first, first.addSecs(1800));
        row.timezone = QStringLiteral("Europe/Berlin");
        row.recurrenceRule = rule;
        QVERIFY(StoreSeed::addEvent(state, row));
        const auto walls = [&] {
            QStringList lines;
            for (const Event& occurrence : Recurrence::expand(
                     events->getInRange(windowStart, windowEnd, {}), windowStart, windowEnd)) {
                const QDateTime start = occurrence.startTime.toTimeZone(berlin);
                lines.append(start.toString(QStringLiteral("MM-dd HH:mm")) +
                             QStringLiteral(" +%1 ").arg(start.offsetFromUtc() / 3600) +
                             occurrence.title);
            }
            lines.sort();
            return lines;
        };
        // The start the series gives on a day.
        const auto startOn = [&](const QDate& day) {
            for (const Event& occurrence : Recurrence::expand(
                     events->getInRange(windowStart, windowEnd, {}), windowStart, windowEnd))
                if (occurrence.startTime.toTimeZone(berlin).date() == day)
                    return occurrence.startTime;
            return QDateTime();
        };
        QStringList messages;
        const EventChange::Reporter report = [&messages](const QString& m) { messages << m; };
        std::optional<SeriesEdit::Plan> plan =
            RecurringEdit::planRemove(events, *events->getById(row.id), startOn(deleted), 1);
        QVERIFY(plan && RecurringEdit::carryOutWithUndo(state, *plan, "Deleted", {}, report));
        const QDateTime noon(changed, QTime(12, 0), berlin);
        plan = RecurringEdit::planMove(events, *events->getById(row.id), startOn(changed), noon,
                                       noon.addSecs(1800), 1);
        QVERIFY(plan && RecurringEdit::carryOutWithUndo(state, *plan, "Moved", {}, report));
        const QStringList before = walls();

        const Event master = *events->getById(row.id);
        if (to.isValid()) {
            plan = RecurringEdit::planMove(events, master, from, to, to.addSecs(1800), 2);
        } else {
            Event edited = master;
            edited.title = QStringLiteral("Renamed");
            edited.startTime = from;
            edited.endTime = from.addSecs(1800);
            plan = RecurringEdit::planEdit(events, master, from, edited, 2);
        }
        QVERIFY(plan && RecurringEdit::carryOutWithUndo(state, *plan, "Following", {}, report));
        QTEST(walls(), "expected");
        // Every changed occurrence stays one its series gives.
        for (const Event& stored : events->getByCalendar(calendars.first()))
            if (!stored.recurrenceId.isEmpty() && !stored.deletedAt)
                QVERIFY2(SeriesEdit::givesOccurrence(
                             *events->getByUidAndRecurrenceId(stored.uid, stored.calendarId, {}),
                             stored.recurrenceId),
                         qPrintable(stored.recurrenceId));

        state->undoStack()->undo();
        QCOMPARE(messages, QStringList());
        QCOMPARE(walls(), before);
    }

    // A series held at the later 02:00 of the autumn night (another client's UTC time) moved
    // whole an hour on, its moved first occurrence then changed or excluded elsewhere, and the
    // move undone: the change, or the exclusion, goes back to the start restored, and that day
    // shows the change alone, or nothing.
    void undoneMoveOfASeriesAtTheLaterInstant_data()
    {
        QTest::addColumn<bool>("excluded");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("its first occurrence changed there")
            << false << QStringList{"10-25 11:00 There", "10-26 01:00 Daily", "10-27 01:00 Daily"};
        QTest::newRow("its first occurrence excluded there")
            << true << QStringList{"10-26 01:00 Daily", "10-27 01:00 Daily"};
    }
    void undoneMoveOfASeriesAtTheLaterInstant()
    {
        QFETCH(bool, excluded);
        AppStateFixture fixture;
        QVERIFY(startWithOneCalendar(fixture));
        AppState* state = fixture.state();
        EventRepository* events = state->events();
        const QDateTime second(QDate(2026, 10, 25), QTime(1, 0), Qt::UTC);
        Event row = StoreSeed::timedEvent(QStringLiteral("later"), calendars.first(),
                                          QStringLiteral("Daily"), second, second.addSecs(1800));
        row.timezone = QStringLiteral("Europe/Berlin");
        row.recurrenceRule = QStringLiteral("FREQ=DAILY;COUNT=3");
        QVERIFY(StoreSeed::addEvent(state, row));
        const auto plan = RecurringEdit::planMove(events, row, second, second.addSecs(3600),
                                                  second.addSecs(5400), 3);
        QVERIFY(plan && RecurringEdit::carryOutWithUndo(state, *plan, "Moved", {}, {}));
        Event moved = *events->getById(row.id);
        QString there;
        if (excluded) {
            moved.exceptionDates = QStringLiteral("[\"20261025T020000Z\"]");
            moved.etag = QStringLiteral("there");
            moved.syncStatus = QStringLiteral("synced");
            QVERIFY(events->update(moved));
        } else {
            const QDateTime noon(QDate(2026, 10, 25), QTime(11, 0), Qt::UTC);
            Event override = SeriesEdit::occurrenceOverride(
                moved, moved.startTime, noon, noon.addSecs(1800), QStringLiteral("there"), noon);
            override.title = QStringLiteral("There");
            override.syncStatus = QStringLiteral("synced");
            QVERIFY(events->insert(override));
            there = override.id;
        }

        state->undoStack()->undo();
        QStringList shown;
        for (const Event& occurrence : Recurrence::expand(
                 events->getInRange(windowStart, windowEnd, {}), windowStart, windowEnd))
            shown << occurrence.startTime.toUTC().toString(QStringLiteral("MM-dd HH:mm ")) +
                         occurrence.title;
        shown.sort();
        QTEST(shown, "shown");
        if (excluded)
            QCOMPARE(events->getById(row.id)->exceptionDates,
                     QStringLiteral("[\"20261025T010000Z\"]"));
        else
            QCOMPARE(events->getById(there)->recurrenceId, QStringLiteral("20261025T010000Z"));
    }

    // An occurrence deleted here, the deletion pushed (its row purged), then the series takes a
    // new UID before the delete is undone: the occurrence comes back in the series by that UID.
    void undoneDeleteFollowsANewUid()
    {
        AppStateFixture fixture;
        QVERIFY(startWithOneCalendar(fixture));
        AppState* state = fixture.state();
        EventRepository* events = state->events();
        QRandomGenerator random(1);
        Event row;
        const Series series = makeSeries(random, 1, row);
        QVERIFY(StoreSeed::addEvent(state, row));
        const QDateTime second = series.slots.at(1).original;
        std::optional<SeriesEdit::Plan> plan = RecurringEdit::planMove(
            events, row, second, second.addSecs(3600), series.slots.at(1).end.addSecs(3600), 1);
        QVERIFY(plan && RecurringEdit::carryOutWithUndo(state, *plan, "Moved", {}, {}));
        plan = RecurringEdit::planRemove(events, *events->getById(row.id), second, 1);
        QVERIFY(plan && RecurringEdit::carryOutWithUndo(state, *plan, "Deleted", {}, {}));
        for (const Event& pending : events->getPending(series.calendar))
            pending.deletedAt ? events->hardDelete(pending.id)
                              : events->markSynced(pending.id, "/s1.ics", "e1");
        QVERIFY(UidChange(events, state->tasks(), state->filterRules())
                    .event(series.calendar, series.uid, QStringLiteral("s1'")));

        state->undoStack()->undo();
        Model model{series};
        model[0].uid = QStringLiteral("s1'");
        model[0].slots[1] = {second, second.addSecs(3600), series.slots.at(1).end.addSecs(3600),
                             series.title, true};
        QCOMPARE(storeLines(events), modelLines(model));
        const QString broken = brokenRows(events, model);
        QVERIFY2(broken.isEmpty(), qPrintable(broken));
    }
};

QTEST_MAIN(TestSeriesHistory)
#include "tst_serieshistory.moc"

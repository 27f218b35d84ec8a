// The undo of a series change after another client changed the series: what it puts back and what
// it leaves, as every reader of the rows would show it.
#include "Recurrence.h"
#include "RuleUntil.h"
#include "SeriesEdit.h"
#include "SeriesUndo.h"

#include <QTest>
#include <QTimeZone>

#include <algorithm>

namespace {

const QTimeZone berlin("Europe/Berlin");

QDateTime at(int month, int day, int hour = 9)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, 0), berlin);
}

QString idOf(const QDateTime& start)
{
    return Recurrence::recurrenceIdFor(start, false);
}

// Planning on Mondays in Berlin from 2 March 2026 at 09:00, eight times, the 16th excluded and
// the 23rd moved to 14:00 that day.
QList<Event> planning()
{
    Event master;
    master.id = master.uid = QStringLiteral("weekly");
    master.calendarId = QStringLiteral("cal-a");
    master.title = QStringLiteral("Planning");
    master.timezone = QStringLiteral("Europe/Berlin");
    master.startTime = at(3, 2);
    master.endTime = master.startTime.addSecs(1800);
    master.recurrenceRule = QStringLiteral("FREQ=WEEKLY;COUNT=8");
    master.exceptionDates = QStringLiteral("[\"%1\"]").arg(idOf(at(3, 16)));
    master.etag = QStringLiteral("e1");
    master.syncStatus = QStringLiteral("synced");
    Event moved = SeriesEdit::occurrenceOverride(master, at(3, 23), at(3, 23, 14),
                                                 at(3, 23, 14).addSecs(1800), QStringLiteral("o23"),
                                                 at(1, 1));
    moved.etag = QStringLiteral("e1");
    moved.syncStatus = QStringLiteral("synced");
    return {master, moved};
}

int counter = 0;
QString nextId()
{
    return QStringLiteral("new-%1").arg(++counter);
}

// "MM-dd HH:mm title" in Berlin of every occurrence in March and April.
QStringList shown(const QList<Event>& rows)
{
    QStringList lines;
    const QDateTime from = at(2, 1), to = at(5, 1);
    for (const Event& occurrence : Recurrence::expand(rows, from, to))
        lines.append(
            occurrence.startTime.toTimeZone(berlin).toString(QStringLiteral("MM-dd HH:mm ")) +
            occurrence.title);
    lines.sort();
    return lines;
}

Event* find(QList<Event>& rows, const std::function<bool(const Event&)>& which)
{
    const auto found = std::find_if(rows.begin(), rows.end(), which);
    return found == rows.end() ? nullptr : &*found;
}

void addDate(Event& master, const QDateTime& start)
{
    QStringList dates =
        Recurrence::parseDateList(master.exceptionDates).isEmpty()
            ? QStringList()
            : QStringList{master.exceptionDates.mid(1, master.exceptionDates.size() - 2)};
    dates.append(QStringLiteral("\"%1\"").arg(idOf(start)));
    master.exceptionDates = QLatin1Char('[') + dates.join(QLatin1Char(',')) + QLatin1Char(']');
}

// The whole series moved by another client: its start, exclusions and occurrences' ids, by
// `seconds` (its overrides keep their own times).
void moveSeries(QList<Event>& rows, const QString& uid, qint64 seconds)
{
    for (Event& row : rows) {
        if (row.uid != uid)
            continue;
        if (!row.recurrenceId.isEmpty()) {
            row.recurrenceId = idOf(SeriesEdit::instantOf(row.recurrenceId).addSecs(seconds));
            continue;
        }
        row.startTime = row.startTime.addSecs(seconds);
        row.endTime = row.endTime->addSecs(seconds);
        QStringList dates;
        for (qint64 ms : Recurrence::parseDateList(row.exceptionDates))
            dates.append(QStringLiteral("\"%1\"").arg(
                idOf(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).addSecs(seconds))));
        row.exceptionDates =
            dates.isEmpty() ? QString() : QLatin1Char('[') + dates.join(u',') + QLatin1Char(']');
    }
}

} // namespace

class TestSeriesUndo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A change pushed (the push turns the overrides it deleted into exclusions of their series,
    // then drops them), another client's change pulled, then the undo. A change of fields puts
    // back its own whatever happened to the frame; a change of the frame or the exclusions is
    // undone only where the frames it wrote stand, and writes nothing otherwise.
    void undoOnlyWhereTheFrameStands_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("there");
        QTest::addColumn<bool>("apart"); // the server keeps changed occurrences apart (Google)
        QTest::addColumn<QStringList>("expected"); // or {"changed"}
        const auto planningAt = [](QStringList times) {
            for (QString& time : times)
                time += QStringLiteral(" Planning");
            return times;
        };
        const QStringList original =
            planningAt({"03-02 09:00", "03-09 09:00", "03-23 14:00", "03-30 09:00", "04-06 09:00",
                        "04-13 09:00", "04-20 09:00"});
        const QStringList changed{"changed"};
        const auto without = [](QStringList lines, const QString& line) {
            lines.removeAll(line);
            return lines;
        };
        QTest::newRow("renamed") << "rename"
                                 << "" << false << original;
        QTest::newRow("renamed, series moved there")
            << "rename"
            << "move" << false
            << planningAt({"03-02 10:00", "03-09 10:00", "03-23 14:00", "03-30 10:00",
                           "04-06 10:00", "04-13 10:00", "04-20 10:00"});
        QTest::newRow("one deleted") << "delete one"
                                     << "" << false << original;
        QTest::newRow("one deleted, series moved there") << "delete one"
                                                         << "move" << false << changed;
        QTest::newRow("moved") << "move"
                               << "" << false << original;
        QTest::newRow("moved, an end set there") << "move"
                                                 << "until" << false << changed;
        QTest::newRow("moved, to another weekday there") << "move"
                                                         << "weekday" << false << changed;
        QTest::newRow("moved, a changed occurrence deleted there")
            << "move"
            << "delete changed" << false << without(original, "03-23 14:00 Planning");
        QTest::newRow("moved, an occurrence changed there")
            << "move"
            << "override" << false << [&] {
                   QStringList lines = without(original, "03-30 09:00 Planning");
                   lines.insert(3, "03-30 15:00 There");
                   return lines;
               }();
        QTest::newRow("moved, an occurrence changed there, kept apart")
            << "move"
            << "override" << true << changed;
        QTest::newRow("moved a day, an occurrence changed there")
            << "move a day"
            << "override" << false << [&] {
                   QStringList lines = without(original, "03-30 09:00 Planning");
                   lines.insert(3, "03-30 15:00 There");
                   return lines;
               }();
        QTest::newRow("split") << "split"
                               << "" << false << original;
        QTest::newRow("split, head excluded there")
            << "split"
            << "head exclude" << false << without(original, "03-02 09:00 Planning");
        QTest::newRow("split, new series deleted there") << "split"
                                                         << "tail delete" << false << changed;
        QTest::newRow("split, occurrence of the new series deleted there")
            << "split"
            << "tail exclude" << false << changed;
        QTest::newRow("split, occurrence of the new series changed there")
            << "split"
            << "tail override" << false << changed;
    }
    void undoOnlyWhereTheFrameStands()
    {
        QFETCH(QString, change);
        QFETCH(QString, there);
        QFETCH(bool, apart);
        const QList<Event> rows = planning();
        const Event& master = rows.first();
        const QDateTime now = at(6, 1);

        SeriesEdit::Plan plan;
        Event edited = master;
        edited.recurrenceRule = RuleUntil::normalize(master.recurrenceRule, false);
        const QDateTime ninth = at(3, 9);
        if (change == u"delete one") {
            plan = SeriesEdit::remove(master, rows.mid(1), at(3, 30), 1, now);
        } else {
            edited.startTime = change == u"move a day" ? at(3, 10) : at(3, 9, 10);
            edited.title = change == u"rename" ? QStringLiteral("Renamed") : master.title;
            if (change == u"rename")
                edited.startTime = ninth;
            edited.endTime = edited.startTime.addSecs(1800);
            plan = SeriesEdit::edit(master, rows.mid(1), std::nullopt, ninth, edited,
                                    change == u"split" ? 2 : 3, nextId, now);
        }
        QVERIFY(!plan.refused);

        // Written and pushed: deleted overrides become exclusions of their series and go.
        QList<Event> stored = rows;
        QList<SeriesUndo::Touched> touched;
        const auto before = [&rows](const QString& id) {
            return *std::find_if(rows.cbegin(), rows.cend(),
                                 [&id](const Event& row) { return row.id == id; });
        };
        for (const Event& row : plan.updates) {
            touched.append({before(row.id), row, std::nullopt});
            *find(stored, [&row](const Event& r) { return r.id == row.id; }) = row;
        }
        for (const QString& id : plan.removals) {
            Event tombstone = before(id);
            tombstone.deletedAt = now;
            touched.append({before(id), tombstone, std::nullopt});
            stored.removeIf([&id](const Event& row) { return row.id == id; });
            if (!tombstone.recurrenceId.isEmpty())
                if (Event* series = find(stored, [&](const Event& r) {
                        return r.uid == tombstone.uid && r.recurrenceId.isEmpty();
                    }))
                    addDate(*series, SeriesEdit::instantOf(tombstone.recurrenceId));
        }
        for (const Event& row : plan.inserts) {
            touched.append({std::nullopt, row, std::nullopt, master});
            stored.append(row);
        }
        for (Event& row : stored) {
            row.etag = QStringLiteral("e2");
            row.syncStatus = QStringLiteral("synced");
        }

        // Then changed by another client and pulled.
        Event* head = find(stored, [](const Event& r) { return r.id == u"weekly"; });
        Event* tail = find(
            stored, [&](const Event& r) { return r.uid != u"weekly" && r.recurrenceId.isEmpty(); });
        if (there == u"move") {
            moveSeries(stored, QStringLiteral("weekly"), 3600);
        } else if (there == u"until") {
            head->recurrenceRule = QStringLiteral("FREQ=WEEKLY;UNTIL=20260410T000000Z");
        } else if (there == u"weekday") {
            moveSeries(stored, QStringLiteral("weekly"), 2 * 86400);
        } else if (there == u"delete changed") {
            addDate(*head, SeriesEdit::instantOf(stored.at(1).recurrenceId));
            stored.removeAt(1);
        } else if (there == u"override") {
            const QDateTime thirtieth = change == u"move a day" ? at(3, 31) : at(3, 30, 10);
            Event row = SeriesEdit::occurrenceOverride(*head, thirtieth, thirtieth.addDays(0), {},
                                                       QStringLiteral("there"), now);
            row.startTime = QDateTime(thirtieth.date(), QTime(15, 0), berlin);
            row.endTime = row.startTime.addSecs(1800);
            row.title = QStringLiteral("There");
            stored.append(row);
        } else if (there == u"head exclude") {
            addDate(*head, at(3, 2));
        } else if (there == u"tail delete") {
            const QString uid = tail->uid;
            stored.removeIf([&uid](const Event& row) { return row.uid == uid; });
        } else if (there == u"tail exclude") {
            addDate(*tail, at(3, 30, 10));
        } else if (there == u"tail override") {
            Event row = SeriesEdit::occurrenceOverride(*tail, at(3, 30, 10), at(3, 30, 16),
                                                       at(3, 30, 17), QStringLiteral("there"), now);
            stored.append(row);
        }

        for (SeriesUndo::Touched& row : touched) {
            const Event* current =
                find(stored, [&row](const Event& r) { return r.id == row.written.id; });
            row.current = current ? std::optional<Event>(*current) : std::nullopt;
        }
        const QSet<QString> occurrencesApart =
            apart ? QSet<QString>{master.calendarId} : QSet<QString>();
        const SeriesEdit::Plan undo =
            SeriesUndo::undo(touched, now.addDays(1), stored, occurrencesApart);

        QStringList got;
        if (!undo.changedElsewhere.isEmpty() || !undo.gone.isEmpty()) {
            got = QStringList{"changed"};
            QVERIFY(undo.updates.isEmpty() && undo.inserts.isEmpty() && undo.removals.isEmpty() &&
                    undo.purges.isEmpty());
        } else {
            QList<Event> after = stored;
            after.removeIf([&undo](const Event& row) {
                return undo.removals.contains(row.id) || undo.purges.contains(row.id);
            });
            for (const Event& row : undo.updates)
                *find(after, [&row](const Event& r) { return r.id == row.id; }) = row;
            after.append(undo.inserts);
            got = shown(after);
        }
        QTEST(got, "expected");
        // Only what the change itself deleted is made again: not what another client took away.
        for (const Event& row : undo.inserts)
            QVERIFY2(plan.removals.contains(row.id), qPrintable(row.id));
    }
};

QTEST_GUILESS_MAIN(TestSeriesUndo)
#include "tst_seriesundo.moc"

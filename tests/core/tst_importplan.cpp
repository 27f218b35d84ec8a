#include "Ical.h"
#include "ImportBatches.h"
#include "ImportPlan.h"

#include <QTest>

namespace {

QByteArray vevent(const QByteArray& uid, const QByteArray& inside = {})
{
    QByteArray text = "BEGIN:VEVENT\r\n";
    if (!uid.isEmpty())
        text += "UID:" + uid + "\r\n";
    return text + "DTSTART:20260312T090000Z\r\nSUMMARY:" + (uid.isEmpty() ? "none" : uid) + "\r\n" +
           inside + "END:VEVENT\r\n";
}

QByteArray calendar(const QByteArray& body)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + body + "END:VCALENDAR\r\n";
}

const QByteArray zone = "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\n"
                        "DTSTART:19701025T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
                        "END:STANDARD\r\nEND:VTIMEZONE\r\n";

} // namespace

class TestImportPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void batchesKeepComponentsWhole_data();
    void batchesKeepComponentsWhole();
    void repeatsAreFoundAcrossBatches();
    void eventsWithoutStartAreLeftOut_data();
    void eventsWithoutStartAreLeftOut();
};

void TestImportPlan::batchesKeepComponentsWhole_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("perBatch");
    // Per batch: "<events>/<tasks>:<uids of the events read from it>".
    QTest::addColumn<QStringList>("expected");

    const QByteArray task = "BEGIN:VTODO\r\nUID:t1\r\nSUMMARY:Task\r\nEND:VTODO\r\n";
    QTest::newRow("one per batch") << calendar(vevent("a") + vevent("b") + vevent("c")) << 1
                                   << QStringList{"1/0:a", "1/0:b", "1/0:c"};
    QTest::newRow("events and tasks counted apart")
        << calendar(vevent("a") + task + vevent("b")) << 2 << QStringList{"1/1:a", "1/0:b"};
    QTest::newRow("an alarm stays with its event")
        << calendar(vevent("a", "BEGIN:VALARM\r\nTRIGGER:-PT15M\r\nACTION:DISPLAY\r\n"
                                "END:VALARM\r\n") +
                    vevent("b"))
        << 1 << QStringList{"1/0:a", "1/0:b"};
    QTest::newRow("an event without UID is counted but gives no event")
        << calendar(vevent("") + vevent("b")) << 5 << QStringList{"2/0:b"};
    QTest::newRow("a component cut off by the end is dropped")
        << QByteArray("BEGIN:VCALENDAR\r\n" + vevent("a") + "BEGIN:VEVENT\r\nUID:b\r\n") << 5
        << QStringList{"1/0:a"};
    QTest::newRow("bare line feeds and lower case")
        << QByteArray(
               calendar(vevent("a")).replace("\r\n", "\n").replace("BEGIN:VEVENT", "begin:vevent"))
        << 5 << QStringList{"1/0:a"};
    QTest::newRow("nothing to read") << calendar(zone) << 5 << QStringList{};
    // Unfolded, the END line reads "END:VEVENTBEGIN:VEVENT": the event goes on to the next END.
    QTest::newRow("a folded line neither ends nor begins a component")
        << calendar(vevent("a") + " BEGIN:VEVENT\r\nSUMMARY:more\r\nEND:VEVENT\r\n" + vevent("c"))
        << 1 << QStringList{"1/0:a", "1/0:c"};
    // The reader starts an event at each BEGIN:VEVENT, nested or not; none may go uncounted.
    QTest::newRow("events nested in an event and a task are counted")
        << calendar("BEGIN:VEVENT\r\nUID:outer\r\n" + vevent("a") + vevent("b") +
                    "END:VEVENT\r\nBEGIN:VTODO\r\nUID:t\r\n" + vevent("c") + "END:VTODO\r\n")
        << 5 << QStringList{"4/1:a,b,c"};
    // Read whole, event "a" is still open at END:VTODO and ends at the END:VEVENT in the task.
    QTest::newRow("only its own END line ends a component")
        << calendar("BEGIN:VEVENT\r\nUID:a\r\nEND:VTODO\r\nBEGIN:VTODO\r\nUID:b\r\n"
                    "DTSTART:20260312T090000Z\r\nEND:VEVENT\r\nEND:VTODO\r\n" +
                    vevent("c"))
        << 1 << QStringList{"1/1:a", "1/0:c"};
    // Read whole, "s" would run on to the END:VEVENT in the next task: it ends with its own task,
    // so the pieces read the same however the file is cut.
    QTest::newRow("an event left open in a task ends with it")
        << calendar("BEGIN:VTODO\r\nUID:t\r\nBEGIN:VEVENT\r\nUID:s\r\n"
                    "DTSTART:20260312T090000Z\r\nEND:VTODO\r\n"
                    "BEGIN:VTODO\r\nUID:u\r\nEND:VEVENT\r\nEND:VTODO\r\n")
        << 1 << QStringList{"1/1:s", "0/1:"};
    QTest::newRow("a zone holding an event is left out")
        << calendar(QByteArray(zone).replace("END:VTIMEZONE", vevent("z") + "END:VTIMEZONE") +
                    vevent("a") + vevent("b"))
        << 1 << QStringList{"1/0:a", "1/0:b"};
}

void TestImportPlan::batchesKeepComponentsWhole()
{
    QFETCH(QByteArray, text);
    QFETCH(int, perBatch);
    QFETCH(QStringList, expected);
    ImportBatches batches(text, perBatch);
    QStringList got;
    qsizetype position = 0;
    while (batches.next()) {
        QStringList uids;
        for (const Event& parsed : Ical::parseEvents(batches.text()))
            uids << parsed.uid;
        got << QStringLiteral("%1/%2:%3")
                   .arg(batches.events())
                   .arg(batches.tasks())
                   .arg(uids.join(QLatin1Char(',')));
        QVERIFY(batches.position() > position);
        position = batches.position();
    }
    QCOMPARE(got, expected);
    QVERIFY(!batches.next());
}

void TestImportPlan::repeatsAreFoundAcrossBatches()
{
    // The zone definitions come before the events, so every batch carries them.
    const QByteArray text = calendar(zone + vevent("a") + vevent("b") + vevent("a") + vevent("c"));
    ImportBatches batches(text, 2);
    QSet<QString> seen;
    ImportPlan::Split total;
    while (batches.next()) {
        QVERIFY(batches.text().contains(QLatin1String("TZID:Europe/Berlin")));
        const ImportPlan::Split split =
            ImportPlan::split(Ical::parseEvents(batches.text()), seen,
                              [](const Event& e) { return e.uid == QLatin1String("c"); });
        total.fresh += split.fresh;
        total.present += split.present;
        total.repeated += split.repeated;
    }
    QCOMPARE(total.fresh.size(), 2);
    QCOMPARE(total.repeated, 1);
    QCOMPARE(total.present, 1);
}

void TestImportPlan::eventsWithoutStartAreLeftOut_data()
{
    QTest::addColumn<QByteArray>("body");
    // "<fresh uids> <without start> <repeated> <present>"
    QTest::addColumn<QString>("expected");

    const QByteArray noStart = "BEGIN:VEVENT\r\nUID:a\r\nSUMMARY:a\r\nEND:VEVENT\r\n";
    const QByteArray badStart =
        "BEGIN:VEVENT\r\nUID:a\r\nDTSTART:2026031\r\nSUMMARY:a\r\nEND:VEVENT\r\n";
    QTest::newRow("no DTSTART") << QByteArray(noStart + vevent("b")) << "b 1 0 0";
    QTest::newRow("unreadable DTSTART") << QByteArray(badStart + vevent("b")) << "b 1 0 0";
    // The first copy of a key decides; a later one is a repeat, not a second chance.
    QTest::newRow("a later copy with a start") << QByteArray(noStart + vevent("a")) << " 1 1 0";
    QTest::newRow("present in the calendar") << QByteArray(vevent("c") + noStart) << " 1 0 1";
}

void TestImportPlan::eventsWithoutStartAreLeftOut()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QSet<QString> seen;
    const ImportPlan::Split split =
        ImportPlan::split(Ical::parseEvents(QString::fromUtf8(calendar(body))), seen,
                          [](const Event& e) { return e.uid == QLatin1String("c"); });
    QStringList fresh;
    for (const Event& event : split.fresh)
        fresh << event.uid;
    QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                 .arg(fresh.join(QLatin1Char(',')))
                 .arg(split.withoutStart)
                 .arg(split.repeated)
                 .arg(split.present),
             expected);
}

QTEST_GUILESS_MAIN(TestImportPlan)
#include "tst_importplan.moc"

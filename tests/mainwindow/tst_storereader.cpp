#include "AppState.h"
#include "AppStateFixture.h"
#include "StoreReader.h"
#include "TaskRepository.h"

#include <QTest>
#include <QThread>

class TestStoreReader : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppStateFixture> m_fixture;

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
    }

    void cleanup() { m_fixture.reset(); }

    // Reads run on a thread of their own and answer on the caller's, later, never from inside
    // read(); of several reads asked for in a row only the newest answers, and a cancelled one
    // never does.
    void onlyTheNewestReadAnswers()
    {
        StoreReader reader(m_fixture->state(), QStringLiteral("test-read"));
        QStringList answers;
        QThread* readThread = nullptr;
        const auto ask = [&](const QString& name) {
            reader.read([&, name](const StoreReader::Repositories& store) {
                readThread = QThread::currentThread();
                const bool read = store.tasks && store.tasks->getByCalendar(QString()).isEmpty();
                return [&, name, read] { answers.append(name + (read ? "" : " (no store)")); };
            });
        };
        ask(QStringLiteral("first"));
        ask(QStringLiteral("second"));
        ask(QStringLiteral("third"));
        QVERIFY(reader.isBusy());
        QVERIFY(answers.isEmpty());
        QTRY_VERIFY(!reader.isBusy());
        QCOMPARE(answers, QStringList{"third"});
        QVERIFY(readThread && readThread != QThread::currentThread());

        ask(QStringLiteral("cancelled"));
        reader.cancel();
        QVERIFY(!reader.isBusy());
        QTest::qWait(50);
        QCOMPARE(answers, QStringList{"third"});
    }
};

QTEST_MAIN(TestStoreReader)
#include "tst_storereader.moc"

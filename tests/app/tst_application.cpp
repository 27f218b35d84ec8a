#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One launch of the program (the test harness build of it) with its own data directory.
class Launch
{
public:
    Launch(const QString& dataDir, const QStringList& arguments,
           const QString& workingDirectory = {}, const QString& instance = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CALENDAR_DATA_DIR", dataDir);
        environment.insert("UPDATE_FEED_URL", "http://127.0.0.1:9");
        environment.insert("QT_LOGGING_RULES", "*.info=true");
        environment.remove("DBUS_SESSION_BUS_ADDRESS");
        if (instance.isEmpty())
            environment.remove("CALENDAR_INSTANCE");
        else
            environment.insert("CALENDAR_INSTANCE", instance);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        if (!workingDirectory.isEmpty())
            process.setWorkingDirectory(workingDirectory);
        process.start(QStringLiteral(APP_HARNESS), arguments);
    }
    ~Launch()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            process.waitForFinished(5000);
        }
    }

    // Waits until the output holds `text`; false when the process ended or time ran out.
    bool waitFor(const QString& text)
    {
        for (int i = 0; i < 200 && !output.contains(text); ++i) {
            process.waitForReadyRead(100);
            output += QString::fromUtf8(process.readAll());
            if (process.state() == QProcess::NotRunning) {
                output += QString::fromUtf8(process.readAll());
                break;
            }
        }
        return output.contains(text);
    }
    int finish()
    {
        process.waitForFinished(20000);
        output += QString::fromUtf8(process.readAll());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QProcess process;
    QString output;
};

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void unusableDataDirectoryEndsWithDatabaseError_data();
    void unusableDataDirectoryEndsWithDatabaseError();
    void laterLaunchesHandTheirCommandToTheFirst();
    void firstLaunchRunsItsOwnCommand();
    void secondProcessOnTheSameDataNeverOpensIt();

private:
    QTemporaryDir m_work;
};

void TestApplication::initTestCase()
{
    QDir().mkpath(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    QFile::setPermissions(qEnvironmentVariable("XDG_RUNTIME_DIR"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestApplication::unusableDataDirectoryEndsWithDatabaseError_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("corrupt database") << "corrupt";
    QTest::newRow("data directory is a file") << "file";
}

void TestApplication::unusableDataDirectoryEndsWithDatabaseError()
{
    QFETCH(QString, kind);
    const QString dataDir = m_work.filePath(kind);
    if (kind == QLatin1String("corrupt")) {
        QDir().mkpath(dataDir);
        QFile database(dataDir + "/calendar.db");
        QVERIFY(database.open(QIODevice::WriteOnly));
        database.write(QByteArray(8192, 'x'));
    } else {
        QFile file(dataDir);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    Launch launch(dataDir, {});
    QCOMPARE(launch.finish(), 1);
    QVERIFY2(launch.output.contains("critical: Database Error|Failed to initialize the database."
                                    "\n\nData directory: " +
                                    dataDir + "\n\nPlease check file permissions and try again."),
             qPrintable(launch.output));
    QVERIFY(!launch.output.contains("ready"));
}

void TestApplication::laterLaunchesHandTheirCommandToTheFirst()
{
    const QString dataDir = m_work.filePath("handoff");
    Launch first(dataDir, {});
    QVERIFY2(first.waitFor("ready visible=1"), qPrintable(first.output));

    QTemporaryDir elsewhere;
    QFile ics(elsewhere.filePath("rel.ics"));
    QVERIFY(ics.open(QIODevice::WriteOnly));
    ics.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:rel-1\r\nSUMMARY:Dentist\r\n"
              "DTSTART:20260312T090000Z\r\nDTEND:20260312T100000Z\r\nEND:VEVENT\r\n"
              "END:VCALENDAR\r\n");
    ics.close();

    const QList<QPair<QStringList, QStringList>> launches = {
        {{"--show-today"}, {"command: show-today"}},
        {{"--quick-add=lunch tomorrow 1pm"}, {"status: Added: lunch"}},
        {{"--ics", "rel.ics"},
         {"command: open-ics " + elsewhere.filePath("rel.ics"), "confirm: Import events?",
          "status: Imported 1 event(s)."}},
    };
    for (const auto& [arguments, expected] : launches) {
        Launch second(dataDir, arguments, elsewhere.path());
        QCOMPARE(second.finish(), 0);
        QVERIFY(!second.output.contains("ready"));
        for (const QString& line : expected)
            QVERIFY2(first.waitFor(line), qPrintable(first.output));
    }
}

void TestApplication::firstLaunchRunsItsOwnCommand()
{
    Launch first(m_work.filePath("own"), {"--background", "--quick-add", "tea at 5pm"});
    QVERIFY2(first.waitFor("ready visible=0"), qPrintable(first.output));
    QVERIFY2(first.waitFor("status: Added: tea"), qPrintable(first.output));
}

void TestApplication::secondProcessOnTheSameDataNeverOpensIt()
{
    const QString dataDir = m_work.filePath("shared");
    Launch first(dataDir, {});
    QVERIFY2(first.waitFor("ready"), qPrintable(first.output));
    // Another instance name has its own socket, so it does not hand over; the lock stops it.
    Launch second(dataDir, {}, {}, "other");
    QCOMPARE(second.finish(), 1);
    QVERIFY2(second.output.contains("critical: Database Error|The data directory is in use"),
             qPrintable(second.output));
    QVERIFY(!second.output.contains("Opening database"));
    QVERIFY(first.output.contains("Opening database"));
}

QTEST_GUILESS_MAIN(TestApplication)
#include "tst_application.moc"

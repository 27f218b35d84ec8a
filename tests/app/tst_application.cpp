#include "Application.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One launch of the program (the test harness build of it) with its own data directory.
class Launch
{
public:
    Launch(const QString& dataDir, const QStringList& arguments,
           const QString& workingDirectory = {}, const QString& instance = {},
           const QString& loggingRules = QStringLiteral("*.info=true"))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CALENDAR_DATA_DIR", dataDir);
        environment.insert("UPDATE_FEED_URL", "http://127.0.0.1:9");
        environment.remove("DBUS_SESSION_BUS_ADDRESS");
        environment.remove("QT_LOGGING_RULES");
        environment.remove("CALENDAR_INSTANCE");
        if (!loggingRules.isEmpty())
            environment.insert("QT_LOGGING_RULES", loggingRules);
        if (!instance.isEmpty())
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
    void launchesHandTheirCommandToTheFirst();
    void secondProcessOnTheSameDataNeverOpensIt();
    void infoLoggingOnlyForDevOrChosenRules_data();
    void infoLoggingOnlyForDevOrChosenRules();
    void languageAndFeed();

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

void TestApplication::launchesHandTheirCommandToTheFirst()
{
    // The first launch runs its own command, in the background.
    const QString dataDir = m_work.filePath("handoff");
    Launch first(dataDir, {"--background", "--quick-add", "tea at 5pm"});
    QVERIFY2(first.waitFor("ready visible=0"), qPrintable(first.output));
    QVERIFY2(first.waitFor("status: Added: tea"), qPrintable(first.output));

    QTemporaryDir elsewhere;
    QFile ics(elsewhere.filePath("rel.ics"));
    QVERIFY(ics.open(QIODevice::WriteOnly));
    ics.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:rel-1\r\nSUMMARY:Dentist\r\n"
              "DTSTART:20260312T090000Z\r\nDTEND:20260312T100000Z\r\nEND:VEVENT\r\n"
              "END:VCALENDAR\r\n");
    ics.close();

    const QList<QPair<QStringList, QStringList>> launches = {
        {{"--show-today"}, {"command: show-today"}},
        {{"--new-event"}, {"dialog: New Event"}},
        {{"--quick-add=lunch tomorrow 1pm"}, {"status: Added: lunch"}},
        {{"--ics", "rel.ics"},
         {"command: open-ics " + elsewhere.filePath("rel.ics"), "confirm: Import events?",
          "status: Imported 1 event(s) into Personal."}},
    };
    for (const auto& [arguments, expected] : launches) {
        Launch second(dataDir, arguments, elsewhere.path());
        QCOMPARE(second.finish(), 0);
        QVERIFY(!second.output.contains("ready"));
        for (const QString& line : expected)
            QVERIFY2(first.waitFor(line), qPrintable(first.output));
    }
}

void TestApplication::secondProcessOnTheSameDataNeverOpensIt()
{
    const QString dataDir = m_work.filePath("shared");
    Launch first(dataDir, {});
    QVERIFY2(first.waitFor("ready visible=1"), qPrintable(first.output));
    // Another instance name has its own socket, so it does not hand over; the lock stops it.
    Launch second(dataDir, {}, {}, "other");
    QCOMPARE(second.finish(), 1);
    QVERIFY2(second.output.contains("critical: Database Error|The data directory is in use"),
             qPrintable(second.output));
    QVERIFY(!second.output.contains("Opening database"));
    QVERIFY(first.output.contains("Opening database"));
}

void TestApplication::infoLoggingOnlyForDevOrChosenRules_data()
{
    QTest::addColumn<QString>("instance");
    QTest::addColumn<QString>("rules");
    QTest::addColumn<bool>("infoShown");
    QTest::newRow("plain") << QString() << QString() << false;
    QTest::newRow("dev instance") << "dev" << QString() << true;
    QTest::newRow("rules of the user") << QString() << "*.info=true" << true;
}

void TestApplication::infoLoggingOnlyForDevOrChosenRules()
{
    QFETCH(QString, instance);
    QFETCH(QString, rules);
    QFETCH(bool, infoShown);
    Launch launch(m_work.filePath("logging-" + QString(QTest::currentDataTag()).replace(' ', '-')),
                  {}, {}, instance, rules);
    QVERIFY2(launch.waitFor("ready"), qPrintable(launch.output));
    QCOMPARE(launch.output.contains("[AppState] Opening database"), infoShown);
}

void TestApplication::languageAndFeed()
{
    QCoreApplication::setOrganizationName("Orvandellic");
    QCoreApplication::setApplicationName("Calendar");
    QSettings settings("Orvandellic", "Calendar");
    const QList<std::tuple<QString, QString, QString>> cases = {
        {"system", "fr_FR", "fr"}, {"system", "it_IT", "en"}, {"de", "ja_JP", "de"}};
    for (const auto& [stored, locale, expected] : cases) {
        settings.setValue("ui/language", stored);
        settings.sync();
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(Application::resolveLanguage(), expected);
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    qputenv("UPDATE_FEED_URL", "http://127.0.0.1:8765/");
    QCOMPARE(Application::updateFeedConfig().manifestBaseUrl,
             QUrl("http://127.0.0.1:8765/calendar/stable/"));
    qunsetenv("UPDATE_FEED_URL");
    QCOMPARE(Application::updateFeedConfig().manifestBaseUrl.scheme(), QStringLiteral("https"));
}

QTEST_GUILESS_MAIN(TestApplication)
#include "tst_application.moc"

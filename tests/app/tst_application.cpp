#include "Application.h"
#include "IcsImportFlow.h"
#include "Limits.h"
#include "SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>
#include <QTranslator>

#include <sys/resource.h>

#include <csignal>
#include <memory>
#include <vector>

namespace {

const QString notAnswered = QStringLiteral(
    "The calendar is running but does not answer; the command was not handed to it.");

// SIGSTOP takes effect some time after kill() returns; true once the process shows as stopped.
bool waitUntilStopped(pid_t pid)
{
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        // The state follows the command name, which is in parentheses and may hold any text.
        const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        const qsizetype nameEnd = line.lastIndexOf(')');
        if (nameEnd >= 0 && line.mid(nameEnd + 2, 1) == "T")
            return true;
        QThread::msleep(10);
    }
    return false;
}

// The lowest descriptor number the process has free: with its limit set there, it can open none.
rlim_t lowestFreeDescriptor(pid_t pid)
{
    const QStringList open = QDir(QStringLiteral("/proc/%1/fd").arg(pid))
                                 .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    rlim_t free = 0;
    while (open.contains(QString::number(free)))
        ++free;
    return free;
}

// An iCalendar file of `count` one-hour events with the UIDs "<prefix><n>".
QString writeEvents(const QString& path, int count, const QByteArray& prefix)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n");
    for (int i = 0; i < count; ++i)
        file.write("BEGIN:VEVENT\r\nUID:" + prefix + QByteArray::number(i) +
                   "\r\nSUMMARY:" + prefix +
                   "\r\nDTSTART:20260312T090000Z\r\nDTEND:20260312T100000Z\r\n"
                   "END:VEVENT\r\n");
    file.write("END:VCALENDAR\r\n");
    return path;
}

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
        // Into a file, not a pipe: a launch nobody reads at the moment (while the test waits for
        // another) must never block on a full pipe and so stop answering.
        if (m_outputFile.open()) {
            m_outputFile.close();
            process.setStandardOutputFile(m_outputFile.fileName());
        }
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
    bool waitFor(const QString& text, int timeoutMs = 20000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired() && !output.contains(text)) {
            process.waitForFinished(100);
            readOutput();
            if (process.state() == QProcess::NotRunning) {
                readOutput();
                break;
            }
        }
        return output.contains(text);
    }
    int finish()
    {
        process.waitForFinished(20000);
        readOutput();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QProcess process;
    QString output;

private:
    // Appends what the process wrote since the last read.
    void readOutput()
    {
        QFile file(m_outputFile.fileName());
        if (!file.open(QIODevice::ReadOnly) || !file.seek(m_outputRead))
            return;
        const QByteArray more = file.readAll();
        m_outputRead += more.size();
        m_pending += more;
        // A line cut in the middle of a UTF-8 sequence waits for its end.
        const qsizetype complete = m_pending.lastIndexOf('\n') + 1;
        output += QString::fromUtf8(m_pending.left(complete));
        m_pending.remove(0, complete);
        if (process.state() == QProcess::NotRunning) {
            output += QString::fromUtf8(m_pending);
            m_pending.clear();
        }
    }

    QTemporaryFile m_outputFile;
    qint64 m_outputRead = 0;
    QByteArray m_pending;
};

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void unusableDataDirectoryEndsWithDatabaseError_data();
    void unusableDataDirectoryEndsWithDatabaseError();
    void readOnlyStoreIsShownAndNotWritten();
    void launchesHandTheirCommandToTheFirst();
    void secondProcessOnTheSameDataNeverOpensIt();
    void simultaneousLaunchesLeaveOneReachableInstance();
    void launchAtAnUnreachableInstanceLeavesItsSocket();
    void commandsAnInstanceCannotAcceptAreNotTaken();
    void commandsDuringAnImportAreKept();
    void commandLineOverTheCapIsRefused();
    void infoLoggingOnlyForDevOrChosenRules_data();
    void infoLoggingOnlyForDevOrChosenRules();
    void languageAndFeed();
    void importTextsHaveEnglishPluralForms();

private:
    QByteArray storeAtVersion(int version);

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
    QTest::addColumn<QString>("message");
    QTest::newRow("not a database") << "corrupt"
                                    << "is not a database.\n\nThe file was left unchanged.";
    QTest::newRow("newer schema")
        << "newer"
        << "was made by a newer version of this program (schema 99; this version "
           "reads up to 11). Update the program to open it.\n\nThe file was left "
           "unchanged.";
    QTest::newRow("data directory is a file")
        << "file"
        << "Failed to initialize the database.\n\nData directory: %1\n\nThis is a file, not a "
           "folder. Move or rename the file, then start again.";
    QTest::newRow("database is a folder")
        << "folder"
        << "Failed to initialize the database.\n\nThe calendar file %1/calendar.db is a folder, "
           "not a database file. Move or rename the folder, then start again.";
    QTest::newRow("data directory cannot be made")
        << "beneath a file"
        << "Failed to initialize the database.\n\nData directory: %1\n\nPlease check "
           "file permissions and try again.";
}

void TestApplication::unusableDataDirectoryEndsWithDatabaseError()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QString dataDir = m_work.filePath(kind);
    QByteArray content;
    if (kind == QLatin1String("file")) {
        QFile file(dataDir);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(dataDir + "/calendar.db"));
    } else if (kind == QLatin1String("beneath a file")) {
        QFile file(m_work.filePath("plain"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        dataDir = file.fileName() + "/data";
    } else {
        QDir().mkpath(dataDir);
        content = kind == QLatin1String("corrupt") ? QByteArray(8192, 'x') : storeAtVersion(99);
        QFile database(dataDir + "/calendar.db");
        QVERIFY(database.open(QIODevice::WriteOnly));
        database.write(content);
    }
    Launch launch(dataDir, {});
    QCOMPARE(launch.finish(), 1);
    QVERIFY2(launch.output.contains("critical: Database Error|"), qPrintable(launch.output));
    QVERIFY2(launch.output.contains(message.arg(dataDir)), qPrintable(launch.output));
    QVERIFY(!launch.output.contains("ready"));
    if (!content.isEmpty()) {
        QFile after(dataDir + "/calendar.db");
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), content);
    }
}

void TestApplication::readOnlyStoreIsShownAndNotWritten()
{
    const QString dataDir = m_work.filePath("read-only");
    QDir().mkpath(dataDir);
    const QByteArray content = storeAtVersion(11);
    {
        QFile database(dataDir + "/calendar.db");
        QVERIFY(database.open(QIODevice::WriteOnly));
        database.write(content);
    }
    QVERIFY(QFile::setPermissions(dataDir + "/calendar.db", QFile::ReadOwner | QFile::ReadUser));
    Launch launch(dataDir, {"--background", "--quick-add", "tea at 5pm"});
    QVERIFY2(launch.waitFor("critical: Read-Only Calendar|The calendar file " + dataDir +
                            "/calendar.db is read-only."),
             qPrintable(launch.output));
    QVERIFY2(
        launch.waitFor("status: The calendar file is read-only; \"tea at 5pm\" was not added."),
        qPrintable(launch.output));
    launch.process.terminate();
    launch.finish();
    QFile after(dataDir + "/calendar.db");
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), content);
}

QByteArray TestApplication::storeAtVersion(int version)
{
    // A store the program itself made, its recorded schema version then set by hand.
    const QString dataDir = m_work.filePath(QStringLiteral("seed-%1").arg(version));
    {
        Launch launch(dataDir, {"--background"}, {}, QStringLiteral("seed"));
        if (!launch.waitFor("ready"))
            return {};
        launch.process.terminate();
        launch.finish();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "seed");
        db.setDatabaseName(dataDir + "/calendar.db");
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(
                QStringLiteral("DELETE FROM schema_version WHERE version > %1").arg(version));
            query.exec(QStringLiteral("INSERT OR IGNORE INTO schema_version (version, name) "
                                      "VALUES (%1, 'later')")
                           .arg(version));
            query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("seed");
    QFile file(dataDir + "/calendar.db");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
          "status: Imported 1 event into Personal."}},
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

void TestApplication::simultaneousLaunchesLeaveOneReachableInstance()
{
    for (int round = 0; round < 4; ++round) {
        const QString dataDir = m_work.filePath(QStringLiteral("race-%1").arg(round));
        std::vector<std::unique_ptr<Launch>> launches;
        for (int i = 0; i < 4; ++i)
            launches.push_back(
                std::make_unique<Launch>(dataDir, QStringList{"--background", "--quick-add",
                                                              QStringLiteral("race%1").arg(i)}));

        // Every launch either ends, having handed its command over, or becomes the instance.
        Launch* running = nullptr;
        for (auto& launch : launches) {
            QVERIFY2(launch->waitFor("ready") || launch->finish() == 0, qPrintable(launch->output));
            if (launch->output.contains("ready")) {
                QVERIFY2(!running, qPrintable(running ? running->output : QString()));
                running = launch.get();
            }
            QVERIFY2(!launch->output.contains("critical:"), qPrintable(launch->output));
        }
        QVERIFY(running);
        for (int i = 0; i < 4; ++i)
            QVERIFY2(running->waitFor(QStringLiteral("status: Added: race%1").arg(i)),
                     qPrintable(running->output));

        // The socket still belongs to the instance: a later launch reaches it.
        Launch later(dataDir, {"--show-today"});
        QCOMPARE(later.finish(), 0);
        QVERIFY2(running->waitFor("command: show-today"), qPrintable(running->output));
    }
}

void TestApplication::launchAtAnUnreachableInstanceLeavesItsSocket()
{
    const QString dataDir = m_work.filePath("stopped");
    Launch first(dataDir, {"--background"});
    QVERIFY2(first.waitFor("ready"), qPrintable(first.output));
    // Stopped, with its queue of connections full, the instance cannot be reached for a while.
    const auto pid = pid_t(first.process.processId());
    QCOMPARE(::kill(pid, SIGSTOP), 0);
    QVERIFY(waitUntilStopped(pid));
    std::vector<std::unique_ptr<QLocalSocket>> backlog;
    for (int i = 0; i < 200; ++i) {
        backlog.push_back(std::make_unique<QLocalSocket>());
        backlog.back()->connectToServer(SingleInstance::serverName());
    }
    Launch second(dataDir, {"--show-today"});
    const int secondResult = second.finish();
    ::kill(pid, SIGCONT);
    backlog.clear();
    // It says so and ends, instead of trying the data directory and leaving a message behind.
    QCOMPARE(secondResult, 3);
    QVERIFY2(second.output.contains(notAnswered), qPrintable(second.output));
    QVERIFY2(!second.output.contains("critical:"), qPrintable(second.output));

    // Its socket was left alone: once it runs again, launches reach it.
    Launch third(dataDir, {"--show-today"});
    QCOMPARE(third.finish(), 0);
    QVERIFY2(first.waitFor("command: show-today"), qPrintable(first.output));
}

void TestApplication::commandsAnInstanceCannotAcceptAreNotTaken()
{
    const QString dataDir = m_work.filePath("starved");
    Launch first(dataDir, {"--background"});
    // Once its update check is over it opens and closes no descriptors of its own.
    QVERIFY2(first.waitFor("update check failed"), qPrintable(first.output));
    const auto pid = pid_t(first.process.processId());
    rlimit original{};
    QCOMPARE(::prlimit(pid, RLIMIT_NOFILE, nullptr, &original), 0);
    rlimit starved = original;
    starved.rlim_cur = lowestFreeDescriptor(pid);
    QCOMPARE(::prlimit(pid, RLIMIT_NOFILE, &starved, nullptr), 0);

    // Out of descriptors, the instance cannot accept a connection: none of these is taken.
    std::vector<std::unique_ptr<Launch>> launches;
    for (int i = 0; i < 5; ++i)
        launches.push_back(std::make_unique<Launch>(
            dataDir, QStringList{"--quick-add", QStringLiteral("lost%1").arg(i)}));
    for (auto& launch : launches) {
        QCOMPARE(launch->finish(), 3);
        QVERIFY2(launch->output.contains(notAnswered), qPrintable(launch->output));
    }

    QCOMPARE(::prlimit(pid, RLIMIT_NOFILE, &original, nullptr), 0);
    Launch later(dataDir, {"--quick-add", "kept"});
    QCOMPARE(later.finish(), 0);
    QVERIFY2(first.waitFor("status: Added: kept"), qPrintable(first.output));
    QVERIFY2(!first.output.contains("Added: lost"), qPrintable(first.output));
}

void TestApplication::commandsDuringAnImportAreKept()
{
    const QString dataDir = m_work.filePath("importing");
    Launch first(dataDir, {"--background"});
    QVERIFY2(first.waitFor("ready"), qPrintable(first.output));
    // Large enough that its one transaction is still being written when the next launches come.
    QTemporaryDir files;
    const QString many = writeEvents(files.filePath("many.ics"), 100000, "m");
    const QString one = writeEvents(files.filePath("one.ics"), 1, "o");
    Launch import(dataDir, {"--ics", many});
    QCOMPARE(import.finish(), 0);
    QVERIFY2(first.waitFor("confirm: Import events?", 120000), qPrintable(first.output));

    Launch quickAdd(dataDir, {"--quick-add", "tea at 5pm"});
    Launch another(dataDir, {"--ics", one});
    QCOMPARE(quickAdd.finish(), 0);
    QCOMPARE(another.finish(), 0);
    // The quick add is stored once the import has ended, then the second file is imported.
    QVERIFY2(first.waitFor("status: Added: tea", 180000), qPrintable(first.output));
    const qsizetype imported = first.output.indexOf("status: Imported 100000 events");
    QVERIFY2(imported >= 0 && imported < first.output.indexOf("status: Added: tea"),
             qPrintable(first.output));
    QVERIFY2(first.output.contains("status: \"tea at 5pm\" is added once the import ends."),
             qPrintable(first.output));
    QVERIFY2(first.waitFor("status: Imported 1 event into Personal."), qPrintable(first.output));
}

void TestApplication::commandLineOverTheCapIsRefused()
{
    const QString dataDir = m_work.filePath("cap");
    Launch first(dataDir, {"--background"});
    QVERIFY2(first.waitFor("ready"), qPrintable(first.output));
    Launch second(dataDir, {"--quick-add", QString(Limits::maxSingleInstanceLineBytes, 'x')});
    QCOMPARE(second.finish(), 2);
    QVERIFY2(second.output.contains("The command line is too long"), qPrintable(second.output));
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
    // Later launches of the program read the same settings store: leave it as it was.
    settings.remove("ui/language");
    settings.sync();

    qputenv("UPDATE_FEED_URL", "http://127.0.0.1:8765/");
    QCOMPARE(Application::updateFeedConfig().manifestBaseUrl,
             QUrl("http://127.0.0.1:8765/calendar/stable/"));
    qunsetenv("UPDATE_FEED_URL");
    QCOMPARE(Application::updateFeedConfig().manifestBaseUrl.scheme(), QStringLiteral("https"));
}

void TestApplication::importTextsHaveEnglishPluralForms()
{
    Q_INIT_RESOURCE(i18n);
    QTranslator english;
    QVERIFY(english.load(QStringLiteral(":/i18n/calendar_en.qm")));
    QCoreApplication::installTranslator(&english);
    const auto text = [](const char* source, int n) {
        return QCoreApplication::translate("IcsImportFlow", source, nullptr, n);
    };
    QCOMPARE(text("Import %n event(s) from \"%1\" into \"%2\"?", 1),
             QStringLiteral("Import 1 event from \"%1\" into \"%2\"?"));
    QCOMPARE(text("Imported %n event(s) into %1.", 2),
             QStringLiteral("Imported 2 events into %1."));
    QCOMPARE(text("Imported %n event(s) into %1; skipped %2.", 1),
             QStringLiteral("Imported 1 event into %1; skipped %2."));
    ImportPlan::Counts counts;
    counts.tasks = 1;
    counts.withoutStart = 2;
    QCOMPARE(IcsImportFlow::skippedText(counts), QStringLiteral("2 without start time, 1 task"));
    QCoreApplication::removeTranslator(&english);
}

QTEST_GUILESS_MAIN(TestApplication)
#include "tst_application.moc"

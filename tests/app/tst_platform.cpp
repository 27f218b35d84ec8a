#include "Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Sets an environment variable for one scope and restores the previous state afterwards.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_previous(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_wasSet)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    QByteArray m_previous;
    bool m_wasSet;
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// desktop-file-validate prints nothing and exits 0 for a clean entry; hints count as findings.
QString validate(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("desktop-file-validate"), {path});
    if (!process.waitForFinished(30000))
        return QStringLiteral("desktop-file-validate did not finish");
    const QString output =
        QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("exit %1: %2").arg(process.exitCode()).arg(output);
    return output.trimmed();
}

const char* const hostileExecutables[] = {
    "/opt/Orvandellic Calendar/bin/calendar",
    "/home/ann/My Apps/cal $HOME `id` \"quoted\" 100% done/calendar",
    "/tmp/back\\slash and 'single' ; & | < > ( ) # * ? ~/calendar",
};

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void dataDirectory_data();
    void dataDirectory();
    void instanceIdentity_data();
    void instanceIdentity();

    void desktopEntriesPassValidation_data();
    void desktopEntriesPassValidation();
    void execLineStartsTheExactExecutable_data();
    void execLineStartsTheExactExecutable();

    void autostartRoundTripStaysInTemporaryConfig();
    void autostartEntryStates_data();
    void autostartEntryStates();
    void autostartFollowsInstanceName();

    void associationBecomesDefaultWhenNoneChosen();
    void associationKeepsUserChoice_data();
    void associationKeepsUserChoice();
    void associationAddsDefaultBesideOtherLines();

    void oauthCredentialsFromEnvironment_data();
    void oauthCredentialsFromEnvironment();

private:
    QTemporaryDir* m_xdg = nullptr;
    ScopedEnv* m_config = nullptr;
    ScopedEnv* m_data = nullptr;
    ScopedEnv* m_desktop = nullptr;
    QString configHome() const { return m_xdg->filePath(QStringLiteral("config")); }
    QString dataHome() const { return m_xdg->filePath(QStringLiteral("data")); }
};

void TestPlatform::init()
{
    // Every case gets fresh XDG folders of its own, so nothing reaches the real home.
    m_xdg = new QTemporaryDir;
    QVERIFY(m_xdg->isValid());
    m_config = new ScopedEnv("XDG_CONFIG_HOME", configHome().toUtf8());
    m_data = new ScopedEnv("XDG_DATA_HOME", dataHome().toUtf8());
    m_desktop = new ScopedEnv("XDG_CURRENT_DESKTOP", "Test");
    qunsetenv("CALENDAR_INSTANCE");
    qunsetenv("CALENDAR_DATA_DIR");
}

void TestPlatform::cleanup()
{
    delete m_desktop;
    delete m_data;
    delete m_config;
    delete m_xdg;
    m_xdg = nullptr;
    qunsetenv("CALENDAR_INSTANCE");
    qunsetenv("CALENDAR_DATA_DIR");
}

void TestPlatform::dataDirectory_data()
{
    QTest::addColumn<bool>("setVariable");
    QTest::addColumn<QString>("variable"); // relative to the temporary folder
    QTest::addColumn<QString>("expected"); // relative to the temporary folder

    QTest::newRow("unset") << false << QString() << "data/Orvandellic/Calendar";
    QTest::newRow("empty counts as unset") << true << QString() << "data/Orvandellic/Calendar";
    QTest::newRow("missing nested folder") << true << "custom/a b/c"
                                           << "custom/a b/c";
    QTest::newRow("trailing separators") << true << "custom/d//"
                                         << "custom/d";
}

void TestPlatform::dataDirectory()
{
    QFETCH(bool, setVariable);
    QFETCH(QString, variable);
    QFETCH(QString, expected);

    const QString root = m_xdg->path() + QLatin1Char('/');
    if (setVariable)
        qputenv("CALENDAR_DATA_DIR",
                variable.isEmpty() ? QByteArray() : (root + variable).toUtf8());

    QCOMPARE(Platform::dataDirectory(), root + expected);
    QVERIFY(QFileInfo(root + expected).isDir());
    QCOMPARE(Platform::databasePath(), root + expected + QStringLiteral("/calendar.db"));
}

void TestPlatform::instanceIdentity_data()
{
    QTest::addColumn<QByteArray>("instance");
    QTest::addColumn<bool>("dev");
    QTest::addColumn<QString>("appIdSuffix");
    QTest::addColumn<QString>("valueName");

    QTest::newRow("none") << QByteArray() << false << QString() << "OrvandellicCalendar";
    QTest::newRow("dev") << QByteArray("dev") << true << ".dev"
                         << "OrvandellicCalendar-dev";
    QTest::newRow("Dev is no developer instance") << QByteArray("Dev") << false << ".Dev"
                                                  << "OrvandellicCalendar-Dev";
    QTest::newRow("named") << QByteArray("work") << false << ".work"
                           << "OrvandellicCalendar-work";
    QTest::newRow("utf-8 name") << QByteArray("b\xc3\xbcro") << false
                                << QString::fromUtf8(".b\xc3\xbcro")
                                << QString::fromUtf8("OrvandellicCalendar-b\xc3\xbcro");
}

void TestPlatform::instanceIdentity()
{
    QFETCH(QByteArray, instance);
    QFETCH(bool, dev);
    QFETCH(QString, appIdSuffix);
    QFETCH(QString, valueName);

    qunsetenv("CALENDAR_INSTANCE");
    const QString baseId = Platform::applicationId();
    QCOMPARE(baseId.split(QLatin1Char('.')).size(), 3);
    QVERIFY(baseId.endsWith(QLatin1String(".calendar")));

    qputenv("CALENDAR_INSTANCE", instance);
    QCOMPARE(Platform::isDevInstance(), dev);
    QCOMPARE(Platform::applicationId(), baseId + appIdSuffix);
    QCOMPARE(Platform::autostartValueName(), valueName);
}

void TestPlatform::desktopEntriesPassValidation_data()
{
    QTest::addColumn<QString>("executable");
    for (const char* path : hostileExecutables)
        QTest::newRow(path) << QString::fromUtf8(path);
}

void TestPlatform::desktopEntriesPassValidation()
{
    QFETCH(QString, executable);
    if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
        QSKIP("desktop-file-validate (desktop-file-utils) is not installed");

    const QString autostart = m_xdg->filePath(QStringLiteral("OrvandellicCalendar.desktop"));
    writeFile(autostart, Platform::autostartEntryText(executable).toUtf8());
    QCOMPARE(validate(autostart), QString());

    const QString ics = m_xdg->filePath(Platform::icsDesktopFileName());
    writeFile(ics, Platform::icsDesktopEntryText(executable).toUtf8());
    QCOMPARE(validate(ics), QString());
    QVERIFY(readFile(ics).contains("MimeType=text/calendar;\n"));
}

void TestPlatform::execLineStartsTheExactExecutable_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("blanks") << "Orvandellic Calendar/bin dir";
    // No "%" here: GLib checks the program before it undoes the "%%" that the format asks for,
    // so it cannot load such an entry although desktop-file-validate accepts it.
    QTest::newRow("shell characters") << "a $HOME `x` \"q\" \\ ; & (b) 'c'";
}

// Launches the entries through GLib's desktop-entry launcher with a stand-in executable that
// records its arguments, so the quoting is checked by a real reader of the format.
void TestPlatform::execLineStartsTheExactExecutable()
{
    QFETCH(QString, folder);
    if (QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty())
        QSKIP("gio (libglib2.0-bin) is not installed");

    const QString executable = m_xdg->filePath(folder + QStringLiteral("/calendar"));
    const QString record = m_xdg->filePath(QStringLiteral("arguments.txt"));
    writeFile(executable,
              "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$RECORD.tmp\"\n"
              "mv \"$RECORD.tmp\" \"$RECORD\"\n");
    QVERIFY(
        QFile::setPermissions(executable, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const ScopedEnv recordPath("RECORD", record.toUtf8());

    struct Launch
    {
        QString text;
        QStringList fileArguments;
        QByteArray expected;
    };
    const QString icsFile = m_xdg->filePath(QStringLiteral("my events $1 %f.ics"));
    const Launch launches[] = {
        {Platform::autostartEntryText(executable), {}, "--background\n"},
        {Platform::icsDesktopEntryText(executable), {icsFile}, "--ics\n" + icsFile.toUtf8() + "\n"},
    };
    for (const Launch& launch : launches) {
        QFile::remove(record);
        const QString entry = m_xdg->filePath(QStringLiteral("launch.desktop"));
        writeFile(entry, launch.text.toUtf8());
        QProcess gio;
        gio.start(QStringLiteral("gio"),
                  QStringList{QStringLiteral("launch"), entry} + launch.fileArguments);
        QVERIFY(gio.waitForFinished(30000));
        QCOMPARE(gio.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(record), 30000);
        QCOMPARE(readFile(record), launch.expected);
    }
}

void TestPlatform::autostartRoundTripStaysInTemporaryConfig()
{
    const QString path = Platform::autostartFilePath();
    QCOMPARE(path, configHome() + QStringLiteral("/autostart/OrvandellicCalendar.desktop"));
    QVERIFY(!Platform::isAutostartEnabled());

    QVERIFY(Platform::setAutostartEnabled(true));
    QVERIFY(Platform::isAutostartEnabled());
    const QByteArray text = readFile(path);
    QVERIFY(text.contains(QFile::encodeName(QCoreApplication::applicationFilePath())));
    QVERIFY(text.contains("\" --background\n"));

    QVERIFY(Platform::setAutostartEnabled(false));
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!Platform::isAutostartEnabled());
    QVERIFY(Platform::setAutostartEnabled(false));
}

void TestPlatform::autostartEntryStates_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("exec") << QByteArray("[Desktop Entry]\nType=Application\nExec=/x --background\n")
                          << true;
    QTest::newRow("empty exec") << QByteArray("[Desktop Entry]\nType=Application\nExec=\n")
                                << false;
    QTest::newRow("no exec") << QByteArray("[Desktop Entry]\nType=Application\n") << false;
    QTest::newRow("hidden by the user")
        << QByteArray("[Desktop Entry]\nExec=/x --background\nHidden=true\n") << false;
    QTest::newRow("switched off in GNOME's settings")
        << QByteArray("[Desktop Entry]\nExec=/x --background\nX-GNOME-Autostart-enabled=false\n")
        << false;
    QTest::newRow("exec in another group")
        << QByteArray("[Desktop Action new]\nExec=/x\n[Desktop Entry]\nName=x\n") << false;
}

void TestPlatform::autostartEntryStates()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, enabled);
    writeFile(Platform::autostartFilePath(), text);
    QCOMPARE(Platform::isAutostartEnabled(), enabled);
}

void TestPlatform::autostartFollowsInstanceName()
{
    QVERIFY(Platform::setAutostartEnabled(true));
    qputenv("CALENDAR_INSTANCE", "work");
    QVERIFY(!Platform::isAutostartEnabled());
    QVERIFY(Platform::setAutostartEnabled(true));
    QVERIFY(QFileInfo::exists(configHome() +
                              QStringLiteral("/autostart/OrvandellicCalendar-work.desktop")));
    QVERIFY(Platform::setAutostartEnabled(false));
    qunsetenv("CALENDAR_INSTANCE");
    QVERIFY(Platform::isAutostartEnabled());
}

void TestPlatform::associationBecomesDefaultWhenNoneChosen()
{
    QVERIFY(Platform::registerIcsFileAssociation());
    QCOMPARE(Platform::icsDesktopFilePath(),
             dataHome() + QStringLiteral("/applications/") + Platform::icsDesktopFileName());
    const QByteArray entry = readFile(Platform::icsDesktopFilePath());
    QVERIFY(entry.contains("\" --ics %f\n"));
    QVERIFY(entry.contains(QFile::encodeName(QCoreApplication::applicationFilePath())));
    const QByteArray mimeApps = readFile(configHome() + QStringLiteral("/mimeapps.list"));
    QCOMPARE(mimeApps, "[Default Applications]\ntext/calendar=" +
                           Platform::icsDesktopFileName().toUtf8() + ";\n");

    // A second start finds itself as the default and changes nothing.
    QVERIFY(Platform::registerIcsFileAssociation());
    QCOMPARE(readFile(configHome() + QStringLiteral("/mimeapps.list")), mimeApps);
}

void TestPlatform::associationKeepsUserChoice_data()
{
    QTest::addColumn<QString>("file"); // relative to the temporary folder
    QTest::addColumn<QByteArray>("text");

    const QByteArray ours = Platform::icsDesktopFileName().toUtf8();
    QTest::newRow("default in config")
        << "config/mimeapps.list"
        << QByteArray("[Added Associations]\nimage/png=viewer.desktop;\n\n"
                      "[Default Applications]\ntext/calendar=org.example.Other.desktop;\n");
    QTest::newRow("default in desktop-specific list")
        << "config/test-mimeapps.list"
        << QByteArray("[Default Applications]\ntext/calendar = org.example.Other.desktop\n");
    QTest::newRow("default in legacy data list")
        << "data/applications/mimeapps.list"
        << QByteArray("[Default Applications]\ntext/calendar=org.example.Other.desktop;\n");
    QTest::newRow("our entry removed by the user")
        << "config/mimeapps.list"
        << QByteArray("[Removed Associations]\ntext/calendar=" + ours + ";\n");
}

void TestPlatform::associationKeepsUserChoice()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, text);
    const QString path = m_xdg->filePath(file);
    writeFile(path, text);

    QVERIFY(Platform::registerIcsFileAssociation());
    QVERIFY(QFileInfo::exists(Platform::icsDesktopFilePath()));
    QCOMPARE(readFile(path), text);
    if (path != configHome() + QStringLiteral("/mimeapps.list"))
        QVERIFY(!QFileInfo::exists(configHome() + QStringLiteral("/mimeapps.list")));
}

void TestPlatform::associationAddsDefaultBesideOtherLines()
{
    const QString path = configHome() + QStringLiteral("/mimeapps.list");
    writeFile(path, "# kept\n[Added Associations]\ntext/calendar=org.example.Other.desktop;\n\n"
                    "[Default Applications]\nimage/png=viewer.desktop;\ntext/calendar=\n");

    QVERIFY(Platform::registerIcsFileAssociation());
    QCOMPARE(readFile(path),
             "# kept\n[Added Associations]\ntext/calendar=org.example.Other.desktop;\n\n"
             "[Default Applications]\ntext/calendar=" +
                 Platform::icsDesktopFileName().toUtf8() + ";\nimage/png=viewer.desktop;\n");
}

void TestPlatform::oauthCredentialsFromEnvironment_data()
{
    QTest::addColumn<QByteArray>("clientId");
    QTest::addColumn<QByteArray>("secret");
    QTest::addColumn<bool>("hasId");
    QTest::addColumn<bool>("hasCredentials");

    QTest::newRow("none") << QByteArray() << QByteArray() << false << false;
    QTest::newRow("id only") << QByteArray("client-1") << QByteArray() << true << false;
    QTest::newRow("secret only") << QByteArray() << QByteArray("s3cret") << false << false;
    QTest::newRow("both") << QByteArray("client-1") << QByteArray("s3cret") << true << true;
}

void TestPlatform::oauthCredentialsFromEnvironment()
{
    QFETCH(QByteArray, clientId);
    QFETCH(QByteArray, secret);
    QFETCH(bool, hasId);
    QFETCH(bool, hasCredentials);

    const ScopedEnv id("CALENDAR_OAUTH_CLIENT_ID", clientId);
    const ScopedEnv key("CALENDAR_OAUTH_CLIENT_SECRET", secret);
    QCOMPARE(Platform::defaultOAuthClientId(), QString::fromUtf8(clientId));
    QCOMPARE(Platform::defaultOAuthClientSecret(), QString::fromUtf8(secret));
    QCOMPARE(Platform::hasBuiltInClientId(), hasId);
    QCOMPARE(Platform::hasBuiltInClientCredentials(), hasCredentials);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"

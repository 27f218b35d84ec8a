#include "Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Runs a program to its end; false when it fails. Its output goes to `output`.
bool run(const QString& program, const QStringList& arguments, QString* output)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(30000);
    *output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())
                  .trimmed();
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

const char* const variables[] = {"CALENDAR_INSTANCE", "CALENDAR_DATA_DIR", "RECORD",
                                 "CALENDAR_OAUTH_CLIENT_ID", "CALENDAR_OAUTH_CLIENT_SECRET"};

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_xdg;

    QString path(const QString& relative) const { return m_xdg->filePath(relative); }
    QString mimeApps() const { return path(QStringLiteral("config/mimeapps.list")); }

private Q_SLOTS:
    void init()
    {
        // Every case gets fresh XDG folders of its own, so nothing reaches the real home.
        m_xdg = std::make_unique<QTemporaryDir>();
        QVERIFY(m_xdg->isValid());
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CURRENT_DESKTOP", "Test");
        for (const char* name : variables)
            qunsetenv(name);
    }

    void cleanup() { m_xdg.reset(); }

    void dataDirectory_data()
    {
        QTest::addColumn<bool>("setVariable");
        QTest::addColumn<QString>("variable"); // relative to the temporary folder
        QTest::addColumn<QString>("expected"); // relative to the temporary folder
        QTest::newRow("empty counts as unset") << true << QString() << "data/Orvandellic/Calendar";
        QTest::newRow("missing nested folder")
            << true << "custom/a b/c" << QStringLiteral("custom/a b/c");
        QTest::newRow("trailing separators") << true << "custom/d//" << QStringLiteral("custom/d");
    }

    void dataDirectory()
    {
        QFETCH(bool, setVariable);
        QFETCH(QString, variable);
        QFETCH(QString, expected);
        if (setVariable)
            qputenv("CALENDAR_DATA_DIR",
                    variable.isEmpty() ? QByteArray() : path(variable).toUtf8());
        QCOMPARE(Platform::dataDirectory(), path(expected));
        QVERIFY(QFileInfo(path(expected)).isDir());
        QCOMPARE(Platform::databasePath(), path(expected) + QStringLiteral("/calendar.db"));
    }

    void instanceIdentity_data()
    {
        QTest::addColumn<QByteArray>("instance");
        QTest::addColumn<bool>("dev");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("none") << QByteArray() << false << QString();
        QTest::newRow("dev") << QByteArray("dev") << true << "dev";
        QTest::newRow("Dev is no developer instance") << QByteArray("Dev") << false << "Dev";
    }

    void instanceIdentity()
    {
        QFETCH(QByteArray, instance);
        QFETCH(bool, dev);
        QFETCH(QString, suffix);
        qputenv("CALENDAR_INSTANCE", instance);
        const QString id = Platform::applicationId();
        QCOMPARE(id, suffix.isEmpty() ? QStringLiteral("com.orvandellic.calendar")
                                      : QStringLiteral("com.orvandellic.calendar.") + suffix);
        QCOMPARE(Platform::isDevInstance(), dev);
        QCOMPARE(Platform::autostartValueName(),
                 suffix.isEmpty() ? QStringLiteral("OrvandellicCalendar")
                                  : QStringLiteral("OrvandellicCalendar-") + suffix);
    }

    void desktopEntriesPassValidation_data()
    {
        QTest::addColumn<QString>("executable");
        for (const char* executable :
             {"/opt/Orvandellic Calendar/bin/calendar",
              "/home/ann/My Apps/cal $HOME `id` \"quoted\" 100% done/calendar",
              "/tmp/back\\slash and 'single' ; & | < > ( ) # * ? ~/calendar"})
            QTest::newRow(executable) << QString::fromUtf8(executable);
    }

    void desktopEntriesPassValidation()
    {
        QFETCH(QString, executable);
        if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
            QSKIP("desktop-file-validate (desktop-file-utils) is not installed");
        const QString autostart = path(QStringLiteral("OrvandellicCalendar.desktop"));
        const QString ics = path(Platform::icsDesktopFileName());
        QVERIFY(writeFile(autostart, Platform::autostartEntryText(executable).toUtf8()));
        QVERIFY(writeFile(ics, Platform::icsDesktopEntryText(executable).toUtf8()));
        // A clean entry passes silently; hints count as findings.
        for (const QString& entry : {autostart, ics}) {
            QString findings;
            QVERIFY2(run(QStringLiteral("desktop-file-validate"), {entry}, &findings),
                     qPrintable(findings));
            QCOMPARE(findings, QString());
        }
        QVERIFY(readFile(ics).contains("MimeType=text/calendar;\n"));
    }

    void execLineStartsTheExactExecutable_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("blanks") << "Orvandellic Calendar/bin dir";
        // No "%" here: GLib checks the program before it undoes the "%%" that the format asks
        // for, so it cannot load such an entry although desktop-file-validate accepts it.
        QTest::newRow("shell characters") << "a $HOME `x` \"q\" \\ ; & (b) 'c'";
    }

    // Launches the entries through GLib's desktop-entry launcher with a stand-in executable that
    // records its arguments, so the quoting is checked by a real reader of the format.
    void execLineStartsTheExactExecutable()
    {
        QFETCH(QString, folder);
        if (QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty())
            QSKIP("gio (libglib2.0-bin) is not installed");
        const QString executable = path(folder + QStringLiteral("/calendar"));
        const QString record = path(QStringLiteral("arguments.txt"));
        QVERIFY(writeFile(executable, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done"
                                      " > \"$RECORD.tmp\"\nmv \"$RECORD.tmp\" \"$RECORD\"\n"));
        QVERIFY(QFile::setPermissions(executable,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("RECORD", record.toUtf8());

        const QString icsFile = path(QStringLiteral("my events $1 %f.ics"));
        const QString entry = path(QStringLiteral("launch.desktop"));
        const std::tuple<QString, QStringList, QByteArray> launches[] = {
            {Platform::autostartEntryText(executable), {}, "--background\n"},
            {Platform::icsDesktopEntryText(executable),
             {icsFile},
             "--ics\n" + icsFile.toUtf8() + "\n"},
        };
        for (const auto& [text, files, expected] : launches) {
            QFile::remove(record);
            QVERIFY(writeFile(entry, text.toUtf8()));
            QString output;
            QVERIFY2(run(QStringLiteral("gio"),
                         QStringList{QStringLiteral("launch"), entry} + files, &output),
                     qPrintable(output));
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(record), 30000);
            QCOMPARE(readFile(record), expected);
        }
    }

    void autostartRoundTripFollowsTheInstance()
    {
        const QString path = Platform::autostartFilePath();
        QCOMPARE(path, this->path(QStringLiteral("config/autostart/OrvandellicCalendar.desktop")));
        QVERIFY(!Platform::isAutostartEnabled());
        QVERIFY(Platform::setAutostartEnabled(true));
        QVERIFY(Platform::isAutostartEnabled());
        const QByteArray text = readFile(path);
        QVERIFY(text.contains(QFile::encodeName(QCoreApplication::applicationFilePath())));
        QVERIFY(text.contains("\" --background\n"));

        // Another instance has an entry of its own.
        qputenv("CALENDAR_INSTANCE", "work");
        QVERIFY(!Platform::isAutostartEnabled());
        QVERIFY(Platform::setAutostartEnabled(true));
        QVERIFY(QFileInfo::exists(
            this->path(QStringLiteral("config/autostart/OrvandellicCalendar-work.desktop"))));
        QVERIFY(Platform::setAutostartEnabled(false));
        qunsetenv("CALENDAR_INSTANCE");
        QVERIFY(Platform::isAutostartEnabled());

        QVERIFY(Platform::setAutostartEnabled(false));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!Platform::isAutostartEnabled());
        QVERIFY(Platform::setAutostartEnabled(false));
    }

    void autostartEntryStates_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("exec") << QByteArray(
                                     "[Desktop Entry]\nType=Application\nExec=/x --background\n")
                              << true;
        QTest::newRow("no exec") << QByteArray("[Desktop Entry]\nType=Application\n") << false;
        QTest::newRow("empty exec")
            << QByteArray("[Desktop Entry]\nType=Application\nExec=\n") << false;
        QTest::newRow("hidden by the user")
            << QByteArray("[Desktop Entry]\nExec=/x --background\nHidden=true\n") << false;
        QTest::newRow("switched off in GNOME's settings")
            << QByteArray(
                   "[Desktop Entry]\nExec=/x --background\nX-GNOME-Autostart-enabled=false\n")
            << false;
        QTest::newRow("exec in another group")
            << QByteArray("[Desktop Action new]\nExec=/x\n[Desktop Entry]\nName=x\n") << false;
    }

    void autostartEntryStates()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, enabled);
        QVERIFY(writeFile(Platform::autostartFilePath(), text));
        QCOMPARE(Platform::isAutostartEnabled(), enabled);
    }

    // Our entry is always written; it becomes the default only where the user chose none, and
    // a second start changes nothing.
    void icsAssociation_data()
    {
        QTest::addColumn<QString>("file"); // relative to the temporary folder; empty: none
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("mimeApps"); // the config list afterwards; empty: none
        const QByteArray ours = "text/calendar=" + Platform::icsDesktopFileName().toUtf8() + ";\n";
        const QByteArray other = "text/calendar=org.example.Other.desktop;\n";
        const QByteArray chosen = "[Default Applications]\n" + other;
        const QString config = QStringLiteral("config/mimeapps.list");
        QTest::newRow("none chosen")
            << QString() << QByteArray() << "[Default Applications]\n" + ours;
        QTest::newRow("added beside other lines")
            << config
            << "# kept\n[Added Associations]\n" + other +
                   "\n[Default Applications]\nimage/png=viewer.desktop;\ntext/calendar=\n"
            << "# kept\n[Added Associations]\n" + other + "\n[Default Applications]\n" + ours +
                   "image/png=viewer.desktop;\n";
        const QByteArray inConfig = "[Added Associations]\nimage/png=viewer.desktop;\n\n" + chosen;
        QTest::newRow("default in config") << config << inConfig << inConfig;
        QTest::newRow("default in desktop-specific list")
            << "config/test-mimeapps.list"
            << QByteArray("[Default Applications]\ntext/calendar = org.example.Other.desktop\n")
            << QByteArray();
        QTest::newRow("default in legacy data list")
            << "data/applications/mimeapps.list" << chosen << QByteArray();
        const QByteArray removed = "[Removed Associations]\n" + ours;
        QTest::newRow("our entry removed by the user") << config << removed << removed;
    }

    void icsAssociation()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, mimeApps);
        if (!file.isEmpty())
            QVERIFY(writeFile(path(file), text));
        for (int start = 0; start < 2; ++start) {
            QVERIFY(Platform::registerIcsFileAssociation());
            QCOMPARE(readFile(this->mimeApps()), mimeApps);
            if (!file.isEmpty())
                QCOMPARE(readFile(path(file)), path(file) == this->mimeApps() ? mimeApps : text);
        }
        QCOMPARE(Platform::icsDesktopFilePath(),
                 path(QStringLiteral("data/applications/") + Platform::icsDesktopFileName()));
        const QByteArray entry = readFile(Platform::icsDesktopFilePath());
        QVERIFY(entry.contains("\" --ics %f\n"));
        QVERIFY(entry.contains(QFile::encodeName(QCoreApplication::applicationFilePath())));
    }

    void oauthCredentialsFromEnvironment_data()
    {
        QTest::addColumn<QByteArray>("clientId");
        QTest::addColumn<QByteArray>("secret");
        QTest::newRow("id only") << QByteArray("client-1") << QByteArray();
        QTest::newRow("secret only") << QByteArray() << QByteArray("s3cret");
    }

    void oauthCredentialsFromEnvironment()
    {
        QFETCH(QByteArray, clientId);
        QFETCH(QByteArray, secret);
        qputenv("CALENDAR_OAUTH_CLIENT_ID", clientId);
        qputenv("CALENDAR_OAUTH_CLIENT_SECRET", secret);
        QCOMPARE(Platform::defaultOAuthClientId(), QString::fromUtf8(clientId));
        QCOMPARE(Platform::defaultOAuthClientSecret(), QString::fromUtf8(secret));
        QCOMPARE(Platform::hasBuiltInClientId(), !clientId.isEmpty());
        QCOMPARE(Platform::hasBuiltInClientCredentials(), !clientId.isEmpty() && !secret.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"

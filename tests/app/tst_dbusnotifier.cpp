// One real notification through the desktop's notification service: a dunst daemon on an Xvfb
// display, on the session bus this test runs under (dbus-run-session). Skipped, with the
// reason, where any of them cannot start.
#include "DBusNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class TestDBusNotifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void notifyReachesTheDaemon();
    void cleanupTestCase();

private:
    QProcess m_display;
    QProcess m_daemon;
};

void TestDBusNotifier::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus: run under dbus-run-session");
    for (const char* program : {"Xvfb", "dunst"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(program)));

    // A display number of our own, so parallel runs do not meet.
    const int display = 200 + int(QCoreApplication::applicationPid() % 500);
    m_display.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(display),
                                             QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    m_display.waitForStarted();
    const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
    for (int i = 0; i < 100 && !QFile::exists(socket) && m_display.state() == QProcess::Running;
         ++i)
        QTest::qWait(50);
    if (!QFile::exists(socket))
        QSKIP("Xvfb could not start");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(display));
    m_daemon.setProcessEnvironment(environment);
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    m_daemon.start(QStringLiteral("dunst"), {});
    m_daemon.waitForStarted();
    const auto registered = [] {
        return QDBusConnection::sessionBus()
            .interface()
            ->isServiceRegistered(QStringLiteral("org.freedesktop.Notifications"))
            .value();
    };
    for (int i = 0; i < 100 && !registered() && m_daemon.state() == QProcess::Running; ++i)
        QTest::qWait(50);
    if (!registered())
        QSKIP(qPrintable("dunst could not start: " + QString::fromUtf8(m_daemon.readAll())));
}

void TestDBusNotifier::notifyReachesTheDaemon()
{
    DBusNotifier notifier(nullptr);
    QVERIFY(notifier.isAvailable());
    QVERIFY(notifier.notify({QStringLiteral("Standup"),
                             QStringLiteral("In 15 minutes (10:00) · <b>R&D</b>"), 15000,
                             QStringLiteral("event-1\n2026-03-11")}));
}

void TestDBusNotifier::cleanupTestCase()
{
    for (QProcess* process : {&m_daemon, &m_display}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            process->waitForFinished(3000);
        }
    }
}

QTEST_GUILESS_MAIN(TestDBusNotifier)
#include "tst_dbusnotifier.moc"

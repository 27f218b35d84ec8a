// Notifications through the desktop's notification service, on the session bus this test runs
// under (dbus-run-session): a server of the test's own that answers when told, then one real
// notification to a dunst daemon on an Xvfb display. Skipped, with the reason, where any of them
// cannot start.
#include "AppStateFixture.h"
#include "DBusNotifier.h"
#include "EventRepository.h"
#include "NotificationService.h"
#include "RecordingNotifier.h"
#include "StoreSeed.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");

// A notification server that holds every Notify until the test answers it.
class HeldServer : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public Q_SLOTS:
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    uint Notify(const QString&, uint, const QString&, const QString&, const QString&,
                const QStringList&, const QVariantMap&, int)
    {
        setDelayedReply(true);
        held.append(message());
        return 0;
    }

public:
    QList<QDBusMessage> held;
};

} // namespace

class TestDBusNotifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void slowServerShowsEachReminderOnce();
    void notifyReachesTheDaemon();
    void cleanupTestCase();

private:
    QString startDaemon();

    QProcess m_display;
    QProcess m_daemon;
};

void TestDBusNotifier::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("no session bus: run under dbus-run-session");
}

// The poll hands each reminder over without waiting for the answer, and the reminders window
// (here a recording) shows only the one the server refused, never one it left unanswered.
void TestDBusNotifier::slowServerShowsEachReminderOnce()
{
    const QString name = QStringLiteral("held-server");
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    HeldServer server;
    // The real daemon takes the name next, whatever happens here.
    const auto release = qScopeGuard([&] {
        bus.unregisterService(service);
        QDBusConnection::disconnectFromBus(name);
    });
    QVERIFY(bus.registerObject(path, &server, QDBusConnection::ExportAllSlots));
    QVERIFY(bus.registerService(service));
    AppStateFixture fixture;
    QVERIFY(fixture.start());
    // An event starting `minutes` from now, reminded 15 minutes before.
    const auto add = [&](const QString& title, int minutes) {
        const QDateTime start = AppStateFixture::defaultNow().addSecs(60 * minutes);
        Event event = StoreSeed::timedEvent(title, AppState::localCalendarId, title, start, start);
        event.reminders = {Reminder()};
        event.reminders[0].minutesBefore = 15;
        return StoreSeed::addEvent(fixture.state(), event);
    };
    QVERIFY(add(QStringLiteral("Standup"), 10) && add(QStringLiteral("Review"), 11));
    const auto acknowledged = [&](const QString& id) {
        return fixture.state()->events()->getById(id)->reminders.value(0).acknowledged;
    };
    DBusNotifier desktop(nullptr);
    RecordingNotifier window;
    NotificationService notifications(fixture.state(), QList<Notifier*>{&desktop, &window},
                                      nullptr);

    notifications.poll();
    QTRY_COMPARE(server.held.size(), 2);
    notifications.poll(); // unanswered yet: handed over, not shown again
    QVERIFY(window.shown.isEmpty() && !acknowledged("Standup"));
    bus.send(server.held[0].createReply(QVariant::fromValue(1u)));
    bus.send(server.held[1].createErrorReply(QDBusError::Failed, QStringLiteral("refused")));
    QTRY_VERIFY(acknowledged("Standup") && acknowledged("Review"));
    notifications.poll();
    // A call after the polls reaches the server after anything they sent.
    const QDBusPendingCall last = QDBusConnection::sessionBus().asyncCall(
        QDBusMessage::createMethodCall(service, path, service, QStringLiteral("GetCapabilities")));
    QTRY_VERIFY(last.isFinished());
    QCOMPARE(server.held.size(), 2);
    QCOMPARE(window.shown.size(), 1);
    QCOMPARE(window.shown.first().title, QStringLiteral("Review"));

    // After a refusal the next reminder is offered to the server again.
    QVERIFY(add(QStringLiteral("Retro"), 12));
    notifications.poll();
    QTRY_COMPARE(server.held.size(), 3);
    bus.send(server.held[2].createReply(QVariant::fromValue(2u)));
    QTRY_VERIFY(acknowledged("Retro"));

    // One it leaves unanswered past the call's time-out may still be shown: it counts as shown,
    // and the window does not show it a second time.
    DBusNotifier silent(nullptr, QStringLiteral("Calendar test"), 100);
    NotificationService timingOut(fixture.state(), QList<Notifier*>{&silent, &window}, nullptr);
    QVERIFY(add(QStringLiteral("Demo"), 13));
    timingOut.poll();
    QTRY_VERIFY(acknowledged("Demo"));
    QCOMPARE(server.held.size(), 4);
    QCOMPARE(window.shown.size(), 1);
}

QString TestDBusNotifier::startDaemon()
{
    for (const char* program : {"Xvfb", "dunst"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return QStringLiteral("%1 is not installed").arg(program);

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
        return QStringLiteral("Xvfb could not start");

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
        return "dunst could not start: " + QString::fromUtf8(m_daemon.readAll());
    return {};
}

void TestDBusNotifier::notifyReachesTheDaemon()
{
    if (const QString failure = startDaemon(); !failure.isEmpty())
        QSKIP(qPrintable(failure));
    DBusNotifier notifier(nullptr);
    QSignalSpy confirmed(&notifier, &Notifier::confirmed);
    QVERIFY(notifier.isAvailable());
    QVERIFY(notifier.notify({QStringLiteral("Standup"),
                             QStringLiteral("In 15 minutes (10:00) · <b>R&D</b>"), 15000,
                             QStringLiteral("event-1\n2026-03-11"), QStringLiteral("r1")}));
    QTRY_COMPARE(confirmed.size(), 1);
    QCOMPARE(confirmed.first().first().toString(), QStringLiteral("r1"));
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

QTEST_MAIN(TestDBusNotifier)
#include "tst_dbusnotifier.moc"

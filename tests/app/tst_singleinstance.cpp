#include "Limits.h"
#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utime.h>

#include <algorithm>
#include <vector>

namespace {

// Every request signal of the instance, as "<signal> <argument>" in arrival order.
struct Received
{
    explicit Received(SingleInstance& instance)
    {
        QObject::connect(&instance, &SingleInstance::focusRequested, [this] { log << "focus"; });
        QObject::connect(&instance, &SingleInstance::showTodayRequested,
                         [this] { log << "show-today"; });
        QObject::connect(&instance, &SingleInstance::newEventRequested,
                         [this] { log << "new-event"; });
        QObject::connect(&instance, &SingleInstance::quickAddRequested,
                         [this](const QString& text) { log << "quick-add " + text; });
        QObject::connect(&instance, &SingleInstance::openIcsRequested,
                         [this](const QString& path) { log << "open-ics " + path; });
    }
    QStringList log;
};

// A socket bound at the instance's name that does not listen: connecting to it is refused.
int bindAtServerName()
{
    const QByteArray path = QFile::encodeName(SingleInstance::serverName());
    QFile::remove(SingleInstance::serverName());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::copy(path.cbegin(), path.cend(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

ino_t inodeOf(const QString& path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void buildMessage_data();
    void buildMessage();
    void socketInputIsUntrusted();
    void socketIsPrivateToTheUser();
    void serverThatStopsListeningListensAgain();
    void replySaysWhetherTheCommandIsKept();
    void lineOfASenderThatHungUpIsNotRun();
    void liveHolderKeepsItsNameAndSocket_data();
    void liveHolderKeepsItsNameAndSocket();

private:
    QTemporaryDir m_work;
};

void TestSingleInstance::initTestCase()
{
    QDir().mkpath(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    QFile::setPermissions(qEnvironmentVariable("XDG_RUNTIME_DIR"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile file(m_work.filePath(QStringLiteral("Trip.ICS")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(QDir(m_work.path()).mkdir(QStringLiteral("folder.ics")));
}

void TestSingleInstance::buildMessage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray trip = m_work.filePath(QStringLiteral("Trip.ICS")).toUtf8();
    const QByteArray missing = m_work.filePath(QStringLiteral("missing.ics")).toUtf8();

    const QByteArray focus = R"({"cmd":"focus"})";
    QTest::newRow("nothing") << QStringList{} << focus;
    QTest::newRow("quick-add with argument")
        << QStringList{"--quick-add", "lunch 1pm"}
        << QByteArray(R"({"cmd":"quick-add","text":"lunch 1pm"})");
    QTest::newRow("quick-add joined")
        << QStringList{"--quick-add=tea"} << QByteArray(R"({"cmd":"quick-add","text":"tea"})");
    QTest::newRow("quick-add joined empty")
        << QStringList{"--quick-add="} << QByteArray(R"({"cmd":"quick-add","text":""})");
    QTest::newRow("quick-add last is ignored") << QStringList{"--quick-add"} << focus;
    QTest::newRow("last option wins")
        << QStringList{"--new-event", "--show-today"} << QByteArray(R"({"cmd":"show-today"})");
    QTest::newRow("text kept from earlier option")
        << QStringList{"--quick-add=x", "--new-event"}
        << QByteArray(R"({"cmd":"new-event","text":"x"})");
    QTest::newRow("bare existing ics in capitals, relative")
        << QStringList{"Trip.ICS"} << R"({"cmd":"open-ics","path":")" + trip + R"("})";
    QTest::newRow("bare missing ics ignored") << QStringList{"missing.ics"} << focus;
    // Handed on like --ics, so that the import says why it reads nothing.
    QTest::newRow("bare ics that is not a file")
        << QStringList{"folder.ics"}
        << R"({"cmd":"open-ics","path":")" +
               m_work.filePath(QStringLiteral("folder.ics")).toUtf8() + R"("})";
    QTest::newRow("--ics relative, missing file")
        << QStringList{"--ics", "missing.ics"}
        << R"({"cmd":"open-ics","path":")" + missing + R"("})";
    QTest::newRow("background ignored") << QStringList{"--background"} << focus;
}

void TestSingleInstance::buildMessage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, expected);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_work.path());
    const QByteArray message =
        SingleInstance::buildMessage(QStringList{"/usr/bin/calendar"} + arguments);
    QDir::setCurrent(previous);
    QCOMPARE(message, expected + '\n');
}

void TestSingleInstance::socketInputIsUntrusted()
{
    SingleInstance instance(nullptr);
    QCOMPARE(instance.forwardOrListen({"/usr/bin/calendar"}), SingleInstance::Start::Run);
    Received received(instance);

    QLocalSocket client;
    client.connectToServer(SingleInstance::serverName());
    QVERIFY(client.waitForConnected(2000));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^\\[SingleInstance\\] bad command:"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^\\[SingleInstance\\] bad command:"));
    QTest::ignoreMessage(QtWarningMsg,
                         "[SingleInstance] refused to open a path that is not absolute: trip.ics");
    client.write(
        "{not json\n[1,2]\n{\"cmd\":\"new-event\"}\n{\"cmd\":\"quick-add\",\"text\":\"a\"}\n"
        "{\"cmd\":\"open-ics\",\"path\":\"trip.ics\"}\n"
        "{\"cmd\":\"open-ics\",\"path\":\"/tmp/trip.ics\"}\n{\"cmd\":\"sh");
    client.flush();
    QTRY_COMPARE(received.log, (QStringList{"focus", "focus", "new-event", "quick-add a", "focus",
                                            "open-ics /tmp/trip.ics"}));
    client.write("ow-today\"}\n");
    QTRY_COMPARE(received.log.size(), 7);
    QCOMPARE(received.log.last(), QStringLiteral("show-today"));

    // A line over the cap drops the connection; nothing of it is dispatched.
    QTest::ignoreMessage(QtWarningMsg, "[SingleInstance] command too long; connection dropped");
    const QByteArray huge = "{\"cmd\":\"quick-add\",\"text\":\"" +
                            QByteArray(Limits::maxSingleInstanceLineBytes, 'x') + "\"}\n";
    client.write(huge);
    client.flush();
    QTRY_VERIFY(client.state() == QLocalSocket::UnconnectedState);
    QCOMPARE(received.log.size(), 7);
}

void TestSingleInstance::socketIsPrivateToTheUser()
{
    qputenv("CALENDAR_INSTANCE", "dev");
    const QString name = SingleInstance::serverName();
    qunsetenv("CALENDAR_INSTANCE");
    QCOMPARE(name, QDir(qEnvironmentVariable("XDG_RUNTIME_DIR"))
                       .filePath(QStringLiteral("orvandellic-calendar-%1-dev").arg(::getuid())));

    SingleInstance instance(nullptr);
    QCOMPARE(instance.forwardOrListen({"/usr/bin/calendar"}), SingleInstance::Start::Run);
    const QFileInfo socket(SingleInstance::serverName());
    QVERIFY(socket.exists());
    QCOMPARE(socket.permissions() &
                 (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
}

void TestSingleInstance::serverThatStopsListeningListensAgain()
{
    SingleInstance instance(nullptr);
    QCOMPARE(instance.forwardOrListen({"/usr/bin/calendar"}), SingleInstance::Start::Run);
    Received received(instance);

    // Use up the descriptors but one, which the client takes: the server's accept then fails.
    rlimit limit{};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    const rlimit original = limit;
    limit.rlim_cur = std::min<rlim_t>(limit.rlim_cur, 1024);
    QCOMPARE(::setrlimit(RLIMIT_NOFILE, &limit), 0);
    std::vector<int> fillers;
    for (int fd = ::open("/dev/null", O_RDONLY); fd >= 0; fd = ::open("/dev/null", O_RDONLY))
        fillers.push_back(fd);
    QVERIFY(fillers.size() > 1);
    ::close(fillers.back());
    fillers.pop_back();
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^\\[SingleInstance\\] server stopped listening:"));
    {
        QLocalSocket starved;
        starved.connectToServer(SingleInstance::serverName());
        QTRY_VERIFY(!instance.isListening());
    }
    for (const int fd : fillers)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &original);

    QTest::ignoreMessage(QtWarningMsg, qPrintable("[SingleInstance] listening again on " +
                                                  SingleInstance::serverName()));
    QTRY_VERIFY_WITH_TIMEOUT(instance.isListening(), 3 * SingleInstance::listenCheckMs);
    QLocalSocket client;
    client.connectToServer(SingleInstance::serverName());
    QVERIFY(client.waitForConnected(2000));
    client.write("{\"cmd\":\"new-event\"}\n");
    client.flush();
    QTRY_COMPARE(received.log, QStringList{"new-event"});
}

void TestSingleInstance::replySaysWhetherTheCommandIsKept()
{
    SingleInstance instance(nullptr);
    QCOMPARE(instance.forwardOrListen({"/usr/bin/calendar"}), SingleInstance::Start::Run);
    Received received(instance);
    QLocalSocket client;
    client.connectToServer(SingleInstance::serverName());
    QVERIFY(client.waitForConnected(2000));
    QTest::ignoreMessage(QtWarningMsg,
                         "[SingleInstance] refused to open a path that is not absolute: trip.ics");
    client.write("{\"cmd\":\"new-event\"}\n{\"cmd\":\"open-ics\",\"path\":\"trip.ics\"}\n");
    QByteArray replies;
    QTRY_VERIFY((replies += client.readAll()).count('\n') == 2);
    QCOMPARE(replies, QByteArray("{\"kept\":true}\n{\"kept\":false}\n"));
}

void TestSingleInstance::lineOfASenderThatHungUpIsNotRun()
{
    SingleInstance instance(nullptr);
    QCOMPARE(instance.forwardOrListen({"/usr/bin/calendar"}), SingleInstance::Start::Run);
    Received received(instance);
    auto* server = instance.findChild<QLocalServer*>();
    bool seen = false;
    QPointer<QLocalSocket> accepted;
    connect(server, &QLocalServer::newConnection, this, [&] {
        accepted = server->findChild<QLocalSocket*>();
        seen = true;
    });

    // The launch gave up (and said so) before the instance read its line.
    QLocalSocket client;
    client.connectToServer(SingleInstance::serverName());
    QVERIFY(client.waitForConnected(2000));
    client.write("{\"cmd\":\"show-today\"}\n");
    QVERIFY(client.waitForBytesWritten(2000));
    client.abort();
    QTest::ignoreMessage(QtWarningMsg,
                         "[SingleInstance] command dropped: its sender stopped waiting");
    // Its connection is gone once it has been read to its end.
    QTRY_VERIFY(seen && !accepted);
    QCOMPARE(received.log, QStringList());
}

void TestSingleInstance::liveHolderKeepsItsNameAndSocket_data()
{
    QTest::addColumn<bool>("agedLock");
    QTest::newRow("socket of a holder that does not listen") << false;
    QTest::newRow("lock of a holder aged an hour") << true;
}

void TestSingleInstance::liveHolderKeepsItsNameAndSocket()
{
    QFETCH(bool, agedLock);
    const QString name = SingleInstance::serverName();
    QLockFile holder(name + QStringLiteral(".lock"));
    QVERIFY(holder.tryLock(0));
    const int bound = bindAtServerName();
    QVERIFY(bound >= 0);
    if (agedLock) {
        const utimbuf epoch{0, 0};
        QCOMPARE(::utime(QFile::encodeName(name + ".lock").constData(), &epoch), 0);
    }
    const ino_t socket = inodeOf(name);
    const ino_t lock = inodeOf(name + ".lock");

    SingleInstance instance(nullptr);
    QTest::ignoreMessage(QtWarningMsg, qPrintable("[SingleInstance] the process holding " + name +
                                                  " does not answer"));
    QCOMPARE(instance.forwardOrListen({"/usr/bin/calendar"}), SingleInstance::Start::NotTaken);
    QVERIFY(!instance.isListening());
    QCOMPARE(inodeOf(name), socket);
    QCOMPARE(inodeOf(name + ".lock"), lock);
    ::close(bound);
    QFile::remove(name);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

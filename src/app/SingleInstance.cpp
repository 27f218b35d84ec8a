#include "SingleInstance.h"

#include "Limits.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <poll.h>
#include <unistd.h>

namespace {

const QByteArray keptReply = QByteArrayLiteral("{\"kept\":true}\n");
const QByteArray refusedReply = QByteArrayLiteral("{\"kept\":false}\n");

// False once the sender has hung up: it stopped waiting for the answer and has told its user
// that the command was not taken, so running it now would surprise them, or run it twice when
// they try again.
bool senderWaits(QLocalSocket* socket)
{
    if (socket->state() != QLocalSocket::ConnectedState)
        return false;
    pollfd descriptor{int(socket->socketDescriptor()), POLLIN, 0};
    return ::poll(&descriptor, 1, 0) >= 0 && !(descriptor.revents & (POLLHUP | POLLERR));
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName()
{
    QString directory = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (directory.isEmpty())
        directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString name = QStringLiteral("orvandellic-calendar-%1").arg(::getuid());
    const QString instance = qEnvironmentVariable("CALENDAR_INSTANCE");
    if (!instance.isEmpty())
        name += QLatin1Char('-') + instance;
    return QDir(directory).filePath(name);
}

QByteArray SingleInstance::buildMessage(const QStringList& arguments)
{
    QJsonObject message{{QStringLiteral("cmd"), QStringLiteral("focus")}};
    const QString quickAddPrefix = QStringLiteral("--quick-add=");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool hasNext = i + 1 < arguments.size();
        if (argument == QLatin1String("--show-today")) {
            message[QStringLiteral("cmd")] = QStringLiteral("show-today");
        } else if (argument == QLatin1String("--new-event")) {
            message[QStringLiteral("cmd")] = QStringLiteral("new-event");
        } else if (argument == QLatin1String("--quick-add") && hasNext) {
            message[QStringLiteral("cmd")] = QStringLiteral("quick-add");
            message[QStringLiteral("text")] = arguments.at(++i);
        } else if (argument.startsWith(quickAddPrefix)) {
            message[QStringLiteral("cmd")] = QStringLiteral("quick-add");
            message[QStringLiteral("text")] = argument.mid(quickAddPrefix.size());
        } else if (argument == QLatin1String("--ics") && hasNext) {
            message[QStringLiteral("cmd")] = QStringLiteral("open-ics");
            message[QStringLiteral("path")] = QFileInfo(arguments.at(++i)).absoluteFilePath();
        } else if (argument.endsWith(QLatin1String(".ics"), Qt::CaseInsensitive) &&
                   QFileInfo::exists(argument)) {
            // Whatever stands there (a pipe, a folder) goes to the import, which says why it
            // reads only regular files, as for --ics.
            message[QStringLiteral("cmd")] = QStringLiteral("open-ics");
            message[QStringLiteral("path")] = QFileInfo(argument).absoluteFilePath();
        }
    }
    return QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n';
}

SingleInstance::Start SingleInstance::forwardOrListen(const QStringList& arguments)
{
    return start(arguments, QString());
}

SingleInstance::Start SingleInstance::start(const QStringList& arguments,
                                            const QString& dataDirectory)
{
    const QByteArray message = buildMessage(arguments);
    switch (forward(message, connectTimeoutMs)) {
    case Reply::Kept:
        return Start::Handed;
    case Reply::NotKept:
        return Start::NotTaken;
    case Reply::Unreached:
        break;
    }
    const Start claimed = claimName(message);
    if (claimed != Start::Run)
        return claimed;
    // A launch that may not open the data leaves the socket alone: removing or taking it would
    // cut the running instance off from every later launch.
    if (!dataDirectory.isEmpty() && !lockDataDirectory(dataDirectory)) {
        m_nameLock.reset();
        return Start::Run;
    }
    if (m_nameLock)
        listen();
    return Start::Run;
}

SingleInstance::Reply SingleInstance::forward(const QByteArray& message, int connectWaitMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName(), QIODevice::ReadWrite);
    if (!socket.waitForConnected(connectWaitMs))
        return Reply::Unreached;
    socket.write(message);
    socket.flush();
    // Connected is not taken: a stopped instance, or one whose accept fails, holds or drops the
    // line unread. Only its answer says the command is kept.
    const QDeadlineTimer deadline(Limits::singleInstanceReplyWaitMs);
    while (!socket.canReadLine() &&
           socket.bytesAvailable() <= Limits::maxSingleInstanceReplyBytes &&
           socket.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    const QByteArray reply = socket.canReadLine()
                                 ? socket.readLine(Limits::maxSingleInstanceReplyBytes + 1)
                                 : QByteArray();
    socket.abort();
    const QJsonDocument answer = QJsonDocument::fromJson(reply);
    return answer.object().value(QStringLiteral("kept")).toBool() ? Reply::Kept : Reply::NotKept;
}

SingleInstance::Start SingleInstance::claimName(const QByteArray& message)
{
    const QString name = serverName();
    auto lock = std::make_unique<QLockFile>(name + QStringLiteral(".lock"));
    // Only the death of the holder frees the name, never the age of the lock.
    lock->setStaleLockTime(0);
    const QDeadlineTimer deadline(ownerWaitMs);
    for (;;) {
        if (lock->tryLock(0)) {
            m_nameLock = std::move(lock);
            return Start::Run;
        }
        if (lock->error() != QLockFile::LockFailedError) {
            qWarning().noquote() << "[SingleInstance] cannot lock" << name
                                 << "; running without accepting commands";
            return Start::Run;
        }
        // The holder is alive: it is starting up or restoring its server. It answers soon.
        switch (forward(message, 100)) {
        case Reply::Kept:
            return Start::Handed;
        case Reply::NotKept:
            return Start::NotTaken;
        case Reply::Unreached:
            break;
        }
        // A holder that stays silent (stopped, or hung) still owns the name and the data: running
        // beside it would only end at its data directory's lock.
        if (deadline.hasExpired()) {
            qWarning().noquote() << "[SingleInstance] the process holding" << name
                                 << "does not answer";
            return Start::NotTaken;
        }
        QThread::msleep(50);
    }
}

void SingleInstance::listen()
{
    const QString name = serverName();
    // Holding the name's lock, any socket file left there belongs to a process that is gone.
    QLocalServer::removeServer(name);
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
        auto* check = new QTimer(this);
        check->setInterval(listenCheckMs);
        connect(check, &QTimer::timeout, this, &SingleInstance::checkListening);
        check->start();
    }
    // A failure is said once; the check retries quietly until listening works again.
    if (!m_server->listen(name) && !m_reportedStop) {
        qWarning().noquote() << "[SingleInstance] failed to listen on" << name + QLatin1Char(':')
                             << m_server->errorString();
        m_reportedStop = true;
    }
}

void SingleInstance::checkListening()
{
    if (m_server->isListening())
        return;
    // The toolkit closes a server whose accept fails (no file descriptor left) without a signal.
    if (!m_reportedStop) {
        qWarning().noquote() << "[SingleInstance] server stopped listening:"
                             << m_server->errorString();
        m_reportedStop = true;
    }
    listen();
    if (m_server->isListening()) {
        qWarning().noquote() << "[SingleInstance] listening again on" << serverName();
        m_reportedStop = false;
    }
}

bool SingleInstance::lockDataDirectory(const QString& directory)
{
    if (m_dataLock && m_dataDirectory == directory)
        return true;
    auto lock =
        std::make_unique<QLockFile>(QDir(directory).filePath(QStringLiteral("calendar.lock")));
    // Age never makes the lock stale: only the death of its holder does.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_dataLock = std::move(lock);
        m_dataDirectory = directory;
        return true;
    }
    // A directory where no lock can be made holds no usable database either: opening it fails
    // next and says so; only a live holder means "in use".
    return lock->error() != QLockFile::LockFailedError;
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->setInterval(idleTimeoutMs);
        connect(idle, &QTimer::timeout, socket, [socket]() {
            qWarning().noquote() << "[SingleInstance] idle connection dropped";
            socket->abort();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket]() { readLines(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        idle->start();
        if (socket->bytesAvailable() > 0)
            readLines(socket);
    }
}

void SingleInstance::readLines(QLocalSocket* socket)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(Limits::maxSingleInstanceLineBytes + 1);
        if (!line.endsWith('\n')) {
            qWarning().noquote() << "[SingleInstance] command too long; connection dropped";
            socket->abort();
            return;
        }
        if (!senderWaits(socket)) {
            qWarning().noquote() << "[SingleInstance] command dropped: its sender stopped waiting";
            socket->abort();
            return;
        }
        socket->write(dispatchCommand(line) ? keptReply : refusedReply);
    }
    if (socket->bytesAvailable() > Limits::maxSingleInstanceLineBytes) {
        qWarning().noquote() << "[SingleInstance] command too long; connection dropped";
        socket->abort();
        return;
    }
    if (auto* idle = socket->findChild<QTimer*>())
        idle->start();
}

bool SingleInstance::dispatchCommand(const QByteArray& jsonLine)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(jsonLine, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        qWarning().noquote() << "[SingleInstance] bad command:"
                             << (error.error != QJsonParseError::NoError
                                     ? error.errorString()
                                     : QStringLiteral("not an object"));
        Q_EMIT focusRequested();
        return true;
    }
    const QJsonObject message = document.object();
    const QString command = message.value(QStringLiteral("cmd")).toString();
    if (command == QLatin1String("show-today"))
        Q_EMIT showTodayRequested();
    else if (command == QLatin1String("new-event"))
        Q_EMIT newEventRequested();
    else if (command == QLatin1String("quick-add"))
        Q_EMIT quickAddRequested(message.value(QStringLiteral("text")).toString());
    else if (command == QLatin1String("open-ics"))
        return openIcs(message.value(QStringLiteral("path")).toString());
    else
        Q_EMIT focusRequested();
    return true;
}

bool SingleInstance::openIcs(const QString& path)
{
    // Launches send absolute paths; a relative one would be read against this process's
    // working directory, which is not the sender's.
    if (!QDir::isAbsolutePath(path)) {
        qWarning().noquote() << "[SingleInstance] refused to open a path that is not absolute:"
                             << path.left(200);
        Q_EMIT focusRequested();
        return false;
    }
    Q_EMIT openIcsRequested(path);
    return true;
}

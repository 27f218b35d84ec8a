#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One running instance per user and instance name. A launch first hands its command line, as
// one JSON line, to a running instance over a local socket and ends; otherwise it listens and
// turns each received line into one of the request signals.
//
// The socket is user-only and lives in the per-user runtime directory. Only the holder of the
// lock file beside it ever removes or creates it, so a launch that cannot reach the running
// instance never takes its socket away. Lines are untrusted: one longer than
// Limits::maxSingleInstanceLineBytes drops its connection, a connection that sends no complete
// line for idleTimeoutMs is closed, and an "open-ics" path that is not absolute is refused.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    static constexpr int connectTimeoutMs = 800;
    static constexpr int writeTimeoutMs = 800;
    static constexpr int idleTimeoutMs = 5000;
    // How long a launch keeps trying to reach an instance that holds the socket's lock but does
    // not answer yet (it is starting, or its server is being restored).
    static constexpr int ownerWaitMs = 5000;
    // How often the running instance checks that its server still listens.
    static constexpr int listenCheckMs = 1000;

    explicit SingleInstance(QObject* parent);
    ~SingleInstance() override;

    // "<runtime dir>/orvandellic-calendar-<user id>", plus "-<instance>" when CALENDAR_INSTANCE
    // is set. The runtime dir is XDG_RUNTIME_DIR, else the toolkit's per-user fallback.
    static QString serverName();

    // The one-line command (compact JSON and "\n") for a command line whose first entry is the
    // program path. The last recognised option wins; file paths are made absolute against the
    // current directory, because the receiving process runs elsewhere.
    static QByteArray buildMessage(const QStringList& arguments);

    // True when a running instance took the command (this launch should end with 0). Otherwise
    // claims the socket's lock and listens on serverName() and returns false, also when
    // listening failed (logged). When another live process holds the lock, it keeps handing the
    // command over for up to ownerWaitMs, then runs without a server.
    bool forwardOrListen(const QStringList& arguments);

    // The start of a launch: forwardOrListen, with the data directory's lock taken before the
    // socket is touched. True when a running instance took the command. When the data directory
    // is in use the socket is left alone and isListening() is false; lockDataDirectory() then
    // reports it.
    bool start(const QStringList& arguments, const QString& dataDirectory);

    // Takes the lock file "calendar.lock" in `directory`, so a second process never opens the
    // same database (two instance names may share one data directory). False only while another
    // live process holds it; a lock left by a dead process is taken over. True again when this
    // object already holds it.
    bool lockDataDirectory(const QString& directory);

    bool isListening() const;

    Q_INVOKABLE void dispatchCommand(const QByteArray& jsonLine);

Q_SIGNALS:
    void focusRequested();
    void showTodayRequested();
    void newEventRequested();
    void quickAddRequested(const QString& text);
    void openIcsRequested(const QString& path);

private Q_SLOTS:
    void onNewConnection();

private:
    bool forward(const QByteArray& message, int connectWaitMs);
    // True when this process now holds the socket's lock, or waited in vain for its holder;
    // false when the holder took the command meanwhile.
    bool claimName(const QByteArray& message);
    void listen();
    void checkListening();
    void openIcs(const QString& path);
    void readLines(QLocalSocket* socket);

    QLocalServer* m_server = nullptr;
    std::unique_ptr<QLockFile> m_nameLock;
    std::unique_ptr<QLockFile> m_dataLock;
    QString m_dataDirectory;
    bool m_reportedStop = false;
};

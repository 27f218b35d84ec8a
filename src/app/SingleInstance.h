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
// one JSON line, to a running instance over a local socket and waits for its one-line answer
// ({"kept":true} once the command is dispatched); otherwise it listens and turns each received
// line into one of the request signals. A launch that gets no such answer within
// Limits::singleInstanceReplyWaitMs has not handed its command over, and says so.
//
// The socket is user-only and lives in the per-user runtime directory. Only the holder of the
// lock file beside it ever removes or creates it, so a launch that cannot reach the running
// instance never takes its socket away. Lines are untrusted: one longer than
// Limits::maxSingleInstanceLineBytes drops its connection, a connection that sends no complete
// line for idleTimeoutMs is closed, and an "open-ics" path that is not absolute is refused
// ({"kept":false}). A line whose sender has already hung up is not run: that launch has told its
// user the command was not taken.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    static constexpr int connectTimeoutMs = 800;
    static constexpr int idleTimeoutMs = 5000;
    // How long a launch keeps trying to reach an instance that holds the socket's lock but does
    // not answer yet (it is starting, or its server is being restored).
    static constexpr int ownerWaitMs = 5000;
    // How often the running instance checks that its server still listens.
    static constexpr int listenCheckMs = 1000;

    // What the start of a launch came to.
    enum class Start {
        Handed,   // a running instance kept the command: the launch ends with 0
        Run,      // this process runs as the instance (listening, or without a server)
        NotTaken, // an instance runs but did not take the command (it does not answer)
    };

    explicit SingleInstance(QObject* parent);
    ~SingleInstance() override;

    // "<runtime dir>/orvandellic-calendar-<user id>", plus "-<instance>" when CALENDAR_INSTANCE
    // is set. The runtime dir is XDG_RUNTIME_DIR, else the toolkit's per-user fallback.
    static QString serverName();

    // The one-line command (compact JSON and "\n") for a command line whose first entry is the
    // program path. The last recognised option wins; file paths are made absolute against the
    // current directory, because the receiving process runs elsewhere.
    static QByteArray buildMessage(const QStringList& arguments);

    // Handed when a running instance kept the command; NotTaken when one was reached but did not
    // answer that it kept it. Otherwise claims the socket's lock, listens on serverName() and
    // returns Run, also when listening failed (logged). When another live process holds the lock,
    // it keeps handing the command over for up to ownerWaitMs, then gives up with NotTaken: that
    // process's lock and socket are never taken from it.
    Start forwardOrListen(const QStringList& arguments);

    // The start of a launch: forwardOrListen, with the data directory's lock taken before the
    // socket is touched. When the data directory is in use the socket is left alone and
    // isListening() is false; lockDataDirectory() then reports it.
    Start start(const QStringList& arguments, const QString& dataDirectory);

    // Takes the lock file "calendar.lock" in `directory`, so a second process never opens the
    // same database (two instance names may share one data directory). False only while another
    // live process holds it; a lock left by a dead process is taken over. True again when this
    // object already holds it.
    bool lockDataDirectory(const QString& directory);

    bool isListening() const;

    // Emits the request signal of one line; false when the line is refused (a relative path).
    Q_INVOKABLE bool dispatchCommand(const QByteArray& jsonLine);

Q_SIGNALS:
    void focusRequested();
    void showTodayRequested();
    void newEventRequested();
    void quickAddRequested(const QString& text);
    void openIcsRequested(const QString& path);

private Q_SLOTS:
    void onNewConnection();

private:
    enum class Reply { Kept, NotKept, Unreached };
    Reply forward(const QByteArray& message, int connectWaitMs);
    // Run when this process now holds the socket's lock (or no lock can be made there); else what
    // handing the command to the lock's holder came to.
    Start claimName(const QByteArray& message);
    void listen();
    void checkListening();
    bool openIcs(const QString& path);
    void readLines(QLocalSocket* socket);

    QLocalServer* m_server = nullptr;
    std::unique_ptr<QLockFile> m_nameLock;
    std::unique_ptr<QLockFile> m_dataLock;
    QString m_dataDirectory;
    bool m_reportedStop = false;
};

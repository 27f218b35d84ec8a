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
// The socket is user-only and lives in the per-user runtime directory. Lines are untrusted: one
// longer than Limits::maxSingleInstanceLineBytes drops its connection, and a connection that
// sends no complete line for idleTimeoutMs is closed.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    static constexpr int connectTimeoutMs = 800;
    static constexpr int writeTimeoutMs = 800;
    static constexpr int idleTimeoutMs = 5000;

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
    // listens on serverName() and returns false, also when listening failed (logged).
    bool forwardOrListen(const QStringList& arguments);

    // Takes the lock file "calendar.lock" in `directory`, so a second process never opens the
    // same database (two instance names may share one data directory). False only while another
    // live process holds it; a lock left by a dead process is taken over.
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
    void readLines(QLocalSocket* socket);

    QLocalServer* m_server = nullptr;
    std::unique_ptr<QLockFile> m_dataLock;
};

#pragma once

#include "Notifier.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <optional>

class QDBusPendingCallWatcher;

// Notifications through the desktop's org.freedesktop.Notifications service on the session
// bus. The body is escaped when the server reads markup ("body-markup"), so text from events is
// never rendered; a click on the default action reports the notification's tag. No call waits
// for the server: a slow one holds neither the reminders nor the window they are shown from.
class DBusNotifier : public Notifier
{
    Q_OBJECT

public:
    // How long a call may go unanswered before the server is taken to have shown it anyway.
    static constexpr int defaultCallTimeoutMs = 25000;

    // `callTimeoutMs` in place of the default: tests do not wait that long.
    explicit DBusNotifier(QObject* parent,
                          const QString& appName = QStringLiteral("Orvandellic Calendar"),
                          int callTimeoutMs = defaultCallTimeoutMs);

    // True while the server's capabilities are known or still being asked for: the question is
    // asked on first use (which also starts an activatable server) and again after the server
    // refused a notification. After the question failed, false until it is asked again, then,
    // and answered.
    bool isAvailable() const override;
    // Sends the notification (once the capabilities are in) without waiting: confirmed() follows
    // when the server took it, or when it never answered (it may show it still, and showing it a
    // second time elsewhere is the worse fault); failed() when it refused it.
    bool notify(const Notification& notification) override;
    bool confirmsLater() const override { return true; }

    // The body as sent to a server with the given capabilities.
    static QString bodyFor(const QString& text, const QStringList& capabilities);

private Q_SLOTS:
    void onActionInvoked(uint id, const QString& action);
    void onNotificationClosed(uint id, uint reason);

private:
    void askCapabilities() const;
    void onCapabilities(QDBusPendingCallWatcher* call);
    void send(const Notification& notification);

    QString m_appName;
    int m_callTimeoutMs;
    mutable std::optional<QStringList> m_capabilities;
    mutable QDBusPendingCallWatcher* m_asking = nullptr;
    bool m_questionFailed = false; // the last question went unanswered or was refused
    QList<Notification> m_waitingForCapabilities;
    QHash<uint, QString> m_tags;
};

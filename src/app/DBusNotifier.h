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
    static constexpr int callTimeoutMs = 25000;

    explicit DBusNotifier(QObject* parent,
                          const QString& appName = QStringLiteral("Orvandellic Calendar"));

    // True while the server's capabilities are known or still being asked for: the question is
    // asked on first use (which also starts an activatable server). After it went unanswered, or
    // the server refused a notification, false until it is asked again, then, and answered.
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
    mutable std::optional<QStringList> m_capabilities;
    mutable QDBusPendingCallWatcher* m_asking = nullptr;
    mutable bool m_asked = false;
    mutable bool m_firstQuestion = false; // the question out is the first one
    QList<Notification> m_waitingForCapabilities;
    QHash<uint, QString> m_tags;
};

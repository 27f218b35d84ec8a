#pragma once

#include "Notifier.h"

#include <QHash>
#include <QStringList>

#include <optional>

// Notifications through the desktop's org.freedesktop.Notifications service on the session
// bus. The body is escaped when the server reads markup ("body-markup"), so text from events is
// never rendered; a click on the default action reports the notification's tag.
class DBusNotifier : public Notifier
{
    Q_OBJECT

public:
    static constexpr int callTimeoutMs = 2000;

    explicit DBusNotifier(QObject* parent,
                          const QString& appName = QStringLiteral("Orvandellic Calendar"));

    // Asks the server for its capabilities on first use (the call also starts an activatable
    // server); false when no server answers.
    bool isAvailable() const override;
    bool notify(const Notification& notification) override;

    // The body as sent to a server with the given capabilities.
    static QString bodyFor(const QString& text, const QStringList& capabilities);

private Q_SLOTS:
    void onActionInvoked(uint id, const QString& action);
    void onNotificationClosed(uint id, uint reason);

private:
    QString m_appName;
    mutable std::optional<QStringList> m_capabilities;
    QHash<uint, QString> m_tags;
};

#include "DBusNotifier.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QVariantMap>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interfaceName = QStringLiteral("org.freedesktop.Notifications");

} // namespace

DBusNotifier::DBusNotifier(QObject* parent, const QString& appName)
    : Notifier(parent), m_appName(appName)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(service, path, interfaceName, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint, QString)));
    bus.connect(service, path, interfaceName, QStringLiteral("NotificationClosed"), this,
                SLOT(onNotificationClosed(uint, uint)));
}

bool DBusNotifier::isAvailable() const
{
    if (!m_capabilities) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return false;
        QDBusInterface notifications(service, path, interfaceName, bus);
        notifications.setTimeout(callTimeoutMs);
        const QDBusReply<QStringList> reply = notifications.call(QStringLiteral("GetCapabilities"));
        if (!reply.isValid())
            return false; // asked again next time: a server may start later
        m_capabilities = reply.value();
    }
    return true;
}

QString DBusNotifier::bodyFor(const QString& text, const QStringList& capabilities)
{
    return capabilities.contains(QStringLiteral("body-markup")) ? text.toHtmlEscaped() : text;
}

bool DBusNotifier::notify(const Notification& notification)
{
    if (!isAvailable())
        return false;
    QDBusInterface notifications(service, path, interfaceName, QDBusConnection::sessionBus());
    notifications.setTimeout(callTimeoutMs);
    QStringList actions;
    if (m_capabilities->contains(QStringLiteral("actions")))
        actions = {QStringLiteral("default"), tr("Open")};
    const QDBusReply<uint> reply = notifications.call(
        QStringLiteral("Notify"), m_appName, uint(0), QStringLiteral("dialog-information"),
        notification.title, bodyFor(notification.body, *m_capabilities), actions, QVariantMap(),
        notification.timeoutMs);
    if (!reply.isValid()) {
        qWarning().noquote() << "[Notifications] Notify failed:" << reply.error().message();
        m_capabilities.reset();
        return false;
    }
    if (!notification.tag.isEmpty())
        m_tags.insert(reply.value(), notification.tag);
    return true;
}

void DBusNotifier::onActionInvoked(uint id, const QString& action)
{
    const auto it = m_tags.constFind(id);
    if (it != m_tags.constEnd() && action == QLatin1String("default"))
        Q_EMIT activated(*it);
}

void DBusNotifier::onNotificationClosed(uint id, uint reason)
{
    Q_UNUSED(reason)
    m_tags.remove(id);
}

#include "DBusNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>
#include <QVariantMap>

#include <utility>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interfaceName = QStringLiteral("org.freedesktop.Notifications");

// No answer in time is not a refusal: the call reached the bus and the server may act on it.
bool unanswered(const QDBusError& error)
{
    return error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout ||
           error.type() == QDBusError::TimedOut;
}

} // namespace

DBusNotifier::DBusNotifier(QObject* parent, const QString& appName, int callTimeoutMs)
    : Notifier(parent), m_appName(appName), m_callTimeoutMs(callTimeoutMs)
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
    if (m_capabilities)
        return true;
    if (!m_asking) {
        if (!QDBusConnection::sessionBus().isConnected())
            return false;
        // Asked again after a failure, for a later pass: a server may start later.
        askCapabilities();
    }
    // The notifications wait for the answer, unless the question failed last time: then they go
    // elsewhere until a server answers again.
    return m_asking && !m_questionFailed;
}

void DBusNotifier::askCapabilities() const
{
    const QDBusMessage call = QDBusMessage::createMethodCall(service, path, interfaceName,
                                                             QStringLiteral("GetCapabilities"));
    auto* self = const_cast<DBusNotifier*>(this);
    m_asking = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, m_callTimeoutMs), self);
    connect(m_asking, &QDBusPendingCallWatcher::finished, self, &DBusNotifier::onCapabilities);
}

void DBusNotifier::onCapabilities(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    m_asking = nullptr;
    const QDBusPendingReply<QStringList> reply = *call;
    const QList<Notification> waiting = std::exchange(m_waitingForCapabilities, {});
    m_questionFailed = reply.isError();
    if (reply.isError()) {
        qInfo().noquote() << "[Notifications] no notification service:" << reply.error().message();
        for (const Notification& notification : waiting)
            Q_EMIT failed(notification.id);
        return;
    }
    m_capabilities = reply.value();
    for (const Notification& notification : waiting)
        send(notification);
}

QString DBusNotifier::bodyFor(const QString& text, const QStringList& capabilities)
{
    return capabilities.contains(QStringLiteral("body-markup")) ? text.toHtmlEscaped() : text;
}

bool DBusNotifier::notify(const Notification& notification)
{
    if (!isAvailable())
        return false;
    if (m_capabilities)
        send(notification);
    else
        m_waitingForCapabilities.append(notification);
    return true;
}

void DBusNotifier::send(const Notification& notification)
{
    QStringList actions;
    if (m_capabilities->contains(QStringLiteral("actions")))
        actions = {QStringLiteral("default"), tr("Open")};
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, interfaceName, QStringLiteral("Notify"));
    call << m_appName << uint(0) << QStringLiteral("dialog-information") << notification.title
         << bodyFor(notification.body, *m_capabilities) << actions << QVariantMap()
         << notification.timeoutMs;
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, m_callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, id = notification.id, tag = notification.tag](QDBusPendingCallWatcher* answer) {
                answer->deleteLater();
                const QDBusPendingReply<uint> reply = *answer;
                if (!reply.isError()) {
                    if (!tag.isEmpty())
                        m_tags.insert(reply.value(), tag);
                } else if (unanswered(reply.error())) {
                    qInfo().noquote()
                        << "[Notifications] Notify went unanswered:" << reply.error().message();
                } else {
                    qWarning().noquote()
                        << "[Notifications] Notify failed:" << reply.error().message();
                    m_capabilities.reset();
                    Q_EMIT failed(id);
                    return;
                }
                Q_EMIT confirmed(id);
            });
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

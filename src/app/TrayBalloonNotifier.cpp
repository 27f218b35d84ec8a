#include "TrayBalloonNotifier.h"

#include "TrayIcon.h"

TrayBalloonNotifier::TrayBalloonNotifier(TrayIcon* icon, QObject* parent)
    : Notifier(parent), m_icon(icon)
{
    if (icon)
        connect(icon, &TrayIcon::messageClicked, this, [this]() {
            if (!m_lastTag.isEmpty())
                Q_EMIT activated(m_lastTag);
        });
}

bool TrayBalloonNotifier::isAvailable() const
{
    return m_icon && m_icon->isVisible() && m_icon->supportsMessages();
}

bool TrayBalloonNotifier::notify(const Notification& notification)
{
    if (!isAvailable())
        return false;
    m_lastTag = notification.tag;
    m_icon->showMessage(notification.title, notification.body, notification.timeoutMs);
    return true;
}

#include "SystemTrayIcon.h"

SystemTrayIcon::SystemTrayIcon(QObject* parent)
    : TrayIcon(parent), m_icon(new QSystemTrayIcon(this))
{
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::activated);
    connect(m_icon, &QSystemTrayIcon::messageClicked, this, &TrayIcon::messageClicked);
}

void SystemTrayIcon::setIcon(const QIcon& icon)
{
    m_icon->setIcon(icon);
}

QIcon SystemTrayIcon::icon() const
{
    return m_icon->icon();
}

void SystemTrayIcon::setToolTip(const QString& text)
{
    m_icon->setToolTip(text);
}

QString SystemTrayIcon::toolTip() const
{
    return m_icon->toolTip();
}

void SystemTrayIcon::setContextMenu(QMenu* menu)
{
    m_icon->setContextMenu(menu);
}

void SystemTrayIcon::setVisible(bool visible)
{
    m_icon->setVisible(visible);
}

bool SystemTrayIcon::isVisible() const
{
    return m_icon->isVisible();
}

QRect SystemTrayIcon::geometry() const
{
    return m_icon->geometry();
}

bool SystemTrayIcon::supportsMessages() const
{
    return QSystemTrayIcon::supportsMessages();
}

void SystemTrayIcon::showMessage(const QString& title, const QString& body, int timeoutMs)
{
    m_icon->showMessage(title, body, QSystemTrayIcon::Information, timeoutMs);
}

#pragma once

#include "TrayIcon.h"

#include <QList>
#include <QMenu>
#include <QPointer>

// A tray icon that exists where the platform has none: it keeps what it is given, reports the
// geometry a test sets and records balloons.
class FakeTrayIcon : public TrayIcon
{
    Q_OBJECT

public:
    struct Message
    {
        QString title;
        QString body;
        int timeoutMs = 0;
    };

    using TrayIcon::TrayIcon;

    void setIcon(const QIcon& icon) override { m_icon = icon; }
    QIcon icon() const override { return m_icon; }
    void setToolTip(const QString& text) override { m_toolTip = text; }
    QString toolTip() const override { return m_toolTip; }
    void setContextMenu(QMenu* menu) override { m_menu = menu; }
    QMenu* contextMenu() const { return m_menu; }
    void setVisible(bool visible) override { m_visible = visible; }
    bool isVisible() const override { return m_visible; }
    QRect geometry() const override { return m_geometry; }
    void setGeometry(const QRect& geometry) { m_geometry = geometry; }
    bool supportsMessages() const override { return true; }
    void showMessage(const QString& title, const QString& body, int timeoutMs) override
    {
        messages.append({title, body, timeoutMs});
    }
    // As if the user acted on the icon.
    void activate(QSystemTrayIcon::ActivationReason reason) { Q_EMIT activated(reason); }

    QList<Message> messages;

private:
    QIcon m_icon;
    QString m_toolTip;
    QPointer<QMenu> m_menu;
    QRect m_geometry;
    bool m_visible = false;
};

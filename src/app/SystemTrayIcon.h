#pragma once

#include "TrayIcon.h"

// The platform's tray icon (QSystemTrayIcon), a child of this object.
class SystemTrayIcon : public TrayIcon
{
    Q_OBJECT

public:
    explicit SystemTrayIcon(QObject* parent);

    void setIcon(const QIcon& icon) override;
    QIcon icon() const override;
    void setToolTip(const QString& text) override;
    QString toolTip() const override;
    void setContextMenu(QMenu* menu) override;
    void setVisible(bool visible) override;
    bool isVisible() const override;
    QRect geometry() const override;
    bool supportsMessages() const override;
    void showMessage(const QString& title, const QString& body, int timeoutMs) override;
    QSystemTrayIcon* systemTrayIcon() const override { return m_icon; }

private:
    QSystemTrayIcon* m_icon;
};

#pragma once

#include <QIcon>
#include <QObject>
#include <QRect>
#include <QString>
#include <QSystemTrayIcon>

class QMenu;

// The tray icon as the program uses it, so the tray can be faked where no tray exists (the
// offscreen platform has none). SystemTrayIcon is the real one.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void setIcon(const QIcon& icon) = 0;
    virtual QIcon icon() const = 0;
    virtual void setToolTip(const QString& text) = 0;
    virtual QString toolTip() const = 0;
    virtual void setContextMenu(QMenu* menu) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;
    // The icon's place on screen; empty where the platform does not tell.
    virtual QRect geometry() const = 0;
    virtual bool supportsMessages() const = 0;
    virtual void showMessage(const QString& title, const QString& body, int timeoutMs) = 0;
    // The real icon, for code that needs the toolkit's own object; null for fakes.
    virtual QSystemTrayIcon* systemTrayIcon() const { return nullptr; }

Q_SIGNALS:
    void activated(QSystemTrayIcon::ActivationReason reason);
    void messageClicked();
};

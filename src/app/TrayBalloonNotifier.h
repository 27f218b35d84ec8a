#pragma once

#include "Notifier.h"

#include <QPointer>

class TrayIcon;

// Notifications as balloons on the tray icon: shown only while the icon is visible. A balloon
// replaces the one before, so a click reports the tag of the last one shown.
class TrayBalloonNotifier : public Notifier
{
    Q_OBJECT

public:
    TrayBalloonNotifier(TrayIcon* icon, QObject* parent);

    bool isAvailable() const override;
    bool notify(const Notification& notification) override;

private:
    QPointer<TrayIcon> m_icon;
    QString m_lastTag;
};

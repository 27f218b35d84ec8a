#pragma once

#include "Notifier.h"
#include "ReminderWindow.h"

#include <QPointer>

// Notifications in a ReminderWindow of our own: the last resort when neither the desktop's
// notification service nor a tray icon can show a reminder, so that none goes unseen while the
// program runs. A notification counts as seen once the user dismisses it; "Open" reports its tag
// like a click on a desktop notification. The window is made on first use.
class ReminderWindowNotifier : public Notifier
{
    Q_OBJECT

public:
    explicit ReminderWindowNotifier(QObject* parent);
    ~ReminderWindowNotifier() override;

    // True wherever widgets can be shown.
    bool isAvailable() const override;
    bool notify(const Notification& notification) override;
    bool waitsForDismissal() const override { return true; }

    // Null until the first notification.
    ReminderWindow* window() const { return m_window; }

private:
    QPointer<ReminderWindow> m_window;
};

#pragma once

#include "Notifier.h"

#include <QList>

// Records every notification instead of showing it; unavailable on request, like a desktop
// without a notification service or tray.
class RecordingNotifier : public Notifier
{
    Q_OBJECT

public:
    using Notifier::Notifier;

    bool isAvailable() const override { return available; }
    bool notify(const Notification& notification) override
    {
        if (!available)
            return false;
        shown.append(notification);
        return true;
    }
    bool confirmsLater() const override { return answersLater; }
    // As if the user clicked the shown notification at `index`.
    void click(int index) { Q_EMIT activated(shown.at(index).tag); }

    bool available = true;
    bool answersLater = false; // then the test emits confirmed() or failed()
    QList<Notification> shown;
};

#pragma once

#include <QObject>
#include <QString>

// A desktop notification as the reminders show it.
struct Notification
{
    QString title;
    QString body; // plain text; a notifier escapes it where its server reads markup
    int timeoutMs = 15000;
    QString tag;     // given back by activated() when the user clicks the notification
    QString id = {}; // given back by dismissed(); empty when nothing waits for the dismissal
};

// Where reminders are shown: the desktop's notification service, the tray balloon, a window of
// our own, or a test's recording. notify() says whether the notification reached the user's
// screen (or, where the answer comes later, was handed over), so a reminder that could not be
// shown is not marked as shown.
class Notifier : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // False when nothing could be shown right now (no service, no visible tray icon).
    virtual bool isAvailable() const = 0;
    // True when the notification was handed to the screen.
    virtual bool notify(const Notification& notification) = 0;
    // True when what it shows stays until the user dismisses it and counts as seen only then;
    // each dismissal is reported by dismissed().
    virtual bool waitsForDismissal() const { return false; }
    // True when notify() only hands the notification over, without waiting for the answer: for
    // each, confirmed() or failed() follows with its id.
    virtual bool confirmsLater() const { return false; }

Q_SIGNALS:
    // The user clicked (the default action of) a notification shown with this tag.
    void activated(const QString& tag);
    // The user dismissed the notification shown with this id (only where waitsForDismissal()).
    void dismissed(const QString& id);
    // The notification handed over with this id counts as shown (only where confirmsLater()).
    void confirmed(const QString& id);
    // The notification handed over with this id could not be shown (only where confirmsLater()).
    void failed(const QString& id);
};

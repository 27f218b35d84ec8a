#pragma once

#include "Event.h"
#include "Notifier.h"
#include "ReminderRepository.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

#include <optional>

class AppState;
class QTimer;
class TrayIcon;

// Turns stored reminders into desktop notifications. Every 30 s (and once 2 s after start) it
// reads the reminder rows whose trigger is due, shows one notification per due occurrence
// (every occurrence of a series reminds), and records each row as handled only when its
// notification reached the screen: where the notifier answers later, at its answer (a refusal
// hands the notification to the next notifier), and where it keeps it until the user dismisses
// it, at the dismissal; meanwhile the row is not shown again. A reminder whose event started 30
// minutes or more ago is passed over as missed, once. Reminders that a filter rule suppresses
// are not shown. While an import holds the store (AppState::holdStore) the rows handled are kept
// and recorded when it ends.
class NotificationService : public QObject
{
    Q_OBJECT

public:
    static constexpr int pollIntervalMs = 30000;
    static constexpr int firstPollDelayMs = 2000;
    // Rows read per pass; the rest follow in the next passes.
    static constexpr int maxRowsPerPoll = 500;

    // Shows through the desktop's notification service, else as balloons on `trayIcon` (may be
    // null), else in a reminder window of our own; starts polling.
    NotificationService(AppState* state, TrayIcon* trayIcon, QObject* parent);
    // Shows through `notifiers`, tried in order; does not poll by itself (tests call poll()).
    NotificationService(AppState* state, const QList<Notifier*>& notifiers, QObject* parent);

    // The body of a reminder for `occurrence` shown at `now`. Timed events say how far off
    // their start is from `now` (not from the offset the reminder was set with) and name their
    // local start time with the pattern; all-day events name their stored date.
    static QString reminderBody(const Event& occurrence, const QString& timePattern,
                                const QDateTime& now);

    QString lastEventId() const { return m_lastEventId; }
    QDate lastEventDate() const { return m_lastEventDate; }
    // Missed reminders passed over since start.
    int missedCount() const { return m_missedCount; }

public Q_SLOTS:
    void poll();
    // True when a notifier took the test notification; where it fails it later, the next
    // notifier shows it (or a warning says none could).
    bool showTestNotification();

Q_SIGNALS:
    void reminderClicked(const QString& eventId, const QDate& date);

private:
    using Update = ReminderRepository::Handled;
    // A row whose notifications wait for the user's dismissal.
    struct Waiting
    {
        Update update;
        QSet<QString> open; // ids of its notifications not yet dismissed
    };
    // A notification handed to a notifier that answers later, kept for the next one.
    struct HandedOver
    {
        Notification notification;
        Notifier* notifier = nullptr;
    };
    void connectNotifiers();
    // The notifier that showed it, trying those after `after` (all when null); null when none
    // could.
    Notifier* deliver(const Notification& notification, const Notifier* after = nullptr);
    // Waits for what `notifier` still owes for the notification; false when nothing.
    bool awaits(const Notification& notification, Notifier* notifier);
    void onActivated(const QString& tag);
    // One notification of a waiting row is done with (dismissed, or confirmed by a notifier
    // that answers later); the row is recorded when all of its are.
    void settle(const QString& id);
    void onFailed(const QString& id);
    void record(const QList<Update>& updates);

    QPointer<AppState> m_state;
    QList<Notifier*> m_notifiers;
    QTimer* m_pollTimer = nullptr;
    QString m_lastEventId;
    QDate m_lastEventDate;
    int m_missedCount = 0;
    int m_testNotifications = 0;
    QHash<QString, Waiting> m_waiting;       // by reminder id
    QHash<QString, HandedOver> m_handedOver; // by notification id
    QHash<QString, Update> m_kept;           // recorded while the store was held, by reminder id
};

#pragma once

#include "Calendar.h"

#include <QHash>
#include <QObject>
#include <QString>

class AppState;
class QNetworkAccessManager;
class QNetworkReply;

namespace Webcal {

// Mirrors a published calendar feed into its calendar, one way: every download replaces the
// synced rows with the feed's events (new ones added, changed ones rewritten, vanished ones
// removed) in one transaction, and never touches a pending row. The download is bounded in
// size and time. Created for one run; several calendars may run at once.
class SyncClient : public QObject
{
    Q_OBJECT

public:
    // A feed that sends nothing for this long fails.
    static constexpr int defaultTransferTimeoutMs = 30000;

    explicit SyncClient(AppState* state, QObject* parent = nullptr);

    // Starts the download of the calendar's feed (its url) and returns at once. Emits
    // calendarSyncStarted, then calendarSyncCompleted with the number of events the feed
    // added, changed or removed here, or calendarSyncFailed with a reason fit for the user. A
    // calendar already running is not started twice.
    void syncCalendar(const Calendar& calendar);

    void setTransferTimeoutMs(int milliseconds) { m_timeoutMs = milliseconds; }
    // A feed still arriving after this long fails, however steadily it trickles.
    void setDeadlineMs(int milliseconds) { m_deadlineMs = milliseconds; }
    void setMaxFeedBytes(qint64 bytes) { m_maxBytes = bytes; }

Q_SIGNALS:
    void calendarSyncStarted(const QString& calendarId);
    void calendarSyncCompleted(const QString& calendarId, int changed);
    void calendarSyncFailed(const QString& calendarId, const QString& reason);
    // Before calendarSyncCompleted: feed events that could not be stored (no start).
    void feedEventsSkipped(const QString& calendarId, int count);

private:
    void onFinished(QNetworkReply* reply, const Calendar& calendar);
    // Applies the feed; the count of feed events stored, or -1 when the write failed. `skipped`
    // receives the count of feed events left out.
    int apply(const Calendar& calendar, const QString& feedText, int* skipped);

    AppState* m_state;
    QNetworkAccessManager* m_network;
    QHash<QString, QNetworkReply*> m_running;
    int m_timeoutMs = defaultTransferTimeoutMs;
    int m_deadlineMs;
    qint64 m_maxBytes;
};

} // namespace Webcal

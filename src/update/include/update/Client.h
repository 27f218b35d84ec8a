#pragma once

#include "Artifact.h"
#include "Config.h"

#include <QObject>
#include <QPointer>

class QNetworkAccessManager;

namespace OrvaUpdate {

class FeedRequest;

// Checks the release manifest of the configured feed and reports one of three outcomes.
class Client : public QObject
{
    Q_OBJECT

public:
    static constexpr int defaultTransferTimeoutMs = 20000;

    Client(const Config& config, QObject* parent);

    const Config& config() const { return m_config; }
    void setTransferTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    // A check still running after this long fails, however steadily the feed trickles.
    void setRequestDeadline(int milliseconds) { m_deadlineMs = milliseconds; }

    // Fetches the manifest and emits exactly one of the three signals. A call while a check is
    // in flight is ignored; that check reports for both.
    void checkNow();

Q_SIGNALS:
    void updateAvailable(const OrvaUpdate::Artifact& artifact);
    void upToDate();
    void checkFailed(const QString& reason);

private:
    Config m_config;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<FeedRequest> m_pending;
    int m_timeoutMs = defaultTransferTimeoutMs;
    int m_deadlineMs;
};

} // namespace OrvaUpdate

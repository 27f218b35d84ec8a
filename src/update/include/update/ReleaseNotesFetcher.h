#pragma once

#include "Config.h"

#include <QObject>
#include <QPointer>

class QNetworkAccessManager;

namespace OrvaUpdate {

class FeedRequest;

// Loads the plain-text release notes of one version from the feed.
class ReleaseNotesFetcher : public QObject
{
    Q_OBJECT

public:
    ReleaseNotesFetcher(const Config& config, QObject* parent);

    void setTransferTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // Emits loaded or failed once per call; a call while one is in flight is ignored.
    void fetch(const QString& version);

Q_SIGNALS:
    void loaded(const QString& text);
    void failed(const QString& reason);

private:
    Config m_config;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<FeedRequest> m_pending;
    int m_timeoutMs = 20000;
};

} // namespace OrvaUpdate

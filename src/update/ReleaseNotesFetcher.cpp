#include "ReleaseNotesFetcher.h"

#include "FeedRequest.h"
#include "Limits.h"
#include "ReleaseManifest.h"

#include <QNetworkAccessManager>

namespace OrvaUpdate {

ReleaseNotesFetcher::ReleaseNotesFetcher(const Config& config, QObject* parent)
    : QObject(parent), m_config(config), m_network(new QNetworkAccessManager(this))
{
}

void ReleaseNotesFetcher::fetch(const QString& version)
{
    if (m_pending)
        return;
    m_pending = new FeedRequest(m_network, ReleaseManifest::releaseNotesUrl(m_config, version),
                                Limits::maxReleaseNotesBytes, m_timeoutMs,
                                Limits::updateRequestDeadlineMs, this);
    connect(m_pending, &FeedRequest::finished, this,
            [this](bool ok, const QByteArray& body, const QString& reason) {
                m_pending->deleteLater();
                m_pending = nullptr;
                if (ok)
                    Q_EMIT loaded(QString::fromUtf8(body));
                else
                    Q_EMIT failed(reason);
            });
}

} // namespace OrvaUpdate

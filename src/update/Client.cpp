#include "Client.h"

#include "FeedRequest.h"
#include "Limits.h"
#include "ReleaseManifest.h"

#include <QLoggingCategory>
#include <QNetworkAccessManager>

namespace OrvaUpdate {

Q_LOGGING_CATEGORY(updateClient, "orvaupdate.client")

Client::Client(const Config& config, QObject* parent)
    : QObject(parent), m_config(config), m_network(new QNetworkAccessManager(this)),
      m_deadlineMs(Limits::updateRequestDeadlineMs)
{
    qRegisterMetaType<OrvaUpdate::Artifact>();
}

void Client::checkNow()
{
    if (m_pending)
        return;
    const QUrl url = ReleaseManifest::manifestUrl(m_config);
    qCDebug(updateClient) << "checking" << url.toString();
    m_pending = new FeedRequest(m_network, url, Limits::maxUpdateManifestBytes, m_timeoutMs,
                                m_deadlineMs, this);
    connect(m_pending, &FeedRequest::finished, this,
            [this](bool ok, const QByteArray& body, const QString& reason) {
                m_pending->deleteLater();
                m_pending = nullptr;
                if (!ok) {
                    Q_EMIT checkFailed(reason);
                    return;
                }
                const ReleaseManifest::Outcome outcome =
                    ReleaseManifest::evaluate(body, m_config.currentVersion);
                switch (outcome.kind) {
                case ReleaseManifest::Outcome::Kind::UpdateAvailable:
                    Q_EMIT updateAvailable(outcome.artifact);
                    break;
                case ReleaseManifest::Outcome::Kind::UpToDate:
                    Q_EMIT upToDate();
                    break;
                case ReleaseManifest::Outcome::Kind::Unreadable:
                    Q_EMIT checkFailed(outcome.reason);
                    break;
                }
            });
}

} // namespace OrvaUpdate

#include "FeedRequest.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace OrvaUpdate {

FeedRequest::FeedRequest(QNetworkAccessManager* network, const QUrl& url, qint64 maxBytes,
                         int timeoutMs, int deadlineMs, QObject* parent)
    : QObject(parent), m_maxBytes(maxBytes)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    m_reply = network->get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > m_maxBytes && !m_tooLarge) {
            m_tooLarge = true;
            m_reply->abort();
        }
    });
    // The transfer timeout ends a silent server; this ends one that trickles.
    QTimer::singleShot(deadlineMs, m_reply, [reply = m_reply] { reply->abort(); });
    connect(m_reply, &QNetworkReply::finished, this, &FeedRequest::onFinished);
}

void FeedRequest::onFinished()
{
    m_reply->deleteLater();
    const auto tr = [](const char* text) {
        return QCoreApplication::translate("OrvaUpdate::Client", text);
    };
    if (m_tooLarge) {
        Q_EMIT finished(false, {}, tr("The update server sent too much data."));
        return;
    }
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_reply->error() == QNetworkReply::OperationCanceledError) {
        Q_EMIT finished(false, {}, tr("The update server did not answer in time."));
        return;
    }
    if (m_reply->error() != QNetworkReply::NoError && status == 0) {
        Q_EMIT finished(false, {}, m_reply->errorString());
        return;
    }
    if (status < 200 || status > 299) {
        Q_EMIT finished(false, {}, tr("The update server answered with status %1.").arg(status));
        return;
    }
    const QByteArray body = m_reply->readAll();
    if (body.size() > m_maxBytes) {
        Q_EMIT finished(false, {}, tr("The update server sent too much data."));
        return;
    }
    Q_EMIT finished(true, body, {});
}

} // namespace OrvaUpdate

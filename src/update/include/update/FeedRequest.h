#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace OrvaUpdate {

// One GET against the update feed with a transfer timeout, a deadline and a cap on the body, so
// a stalled, trickling or flooding server becomes an ordinary failure. Emits finished exactly
// once.
class FeedRequest : public QObject
{
    Q_OBJECT

public:
    // Starts at once. ok means a 2xx status with a complete body of at most maxBytes; otherwise
    // reason is a translated text for the user.
    FeedRequest(QNetworkAccessManager* network, const QUrl& url, qint64 maxBytes, int timeoutMs,
                int deadlineMs, QObject* parent);

Q_SIGNALS:
    void finished(bool ok, const QByteArray& body, const QString& reason);

private:
    void onFinished();

    QNetworkReply* m_reply = nullptr;
    qint64 m_maxBytes = 0;
    bool m_tooLarge = false;
};

} // namespace OrvaUpdate

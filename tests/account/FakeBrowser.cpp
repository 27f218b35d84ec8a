#include "FakeBrowser.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

FakeBrowser::FakeBrowser(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
    m_network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
}

FakeBrowser::~FakeBrowser()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

QUrl FakeBrowser::onLoopback(QUrl url)
{
    if (url.host() == QLatin1String("localhost"))
        url.setHost(QStringLiteral("127.0.0.1"));
    return url;
}

void FakeBrowser::openUrl(const QUrl& url)
{
    m_opened.append(url);
    if (m_following)
        QTimer::singleShot(0, this, [this, url]() { follow(url); });
}

void FakeBrowser::follow(const QUrl& url)
{
    QNetworkReply* login = m_network->get(QNetworkRequest(onLoopback(url)));
    connect(login, &QNetworkReply::finished, this, [this, login]() {
        login->deleteLater();
        const QUrl target = login->header(QNetworkRequest::LocationHeader).toUrl();
        if (!target.isValid()) {
            Q_EMIT redirectAnswered(0, {});
            return;
        }
        QNetworkReply* callback = m_network->get(QNetworkRequest(onLoopback(target)));
        connect(callback, &QNetworkReply::finished, this, [this, callback]() {
            callback->deleteLater();
            Q_EMIT redirectAnswered(
                callback->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                callback->readAll());
        });
    });
}

FakeBrowser::Answer FakeBrowser::visit(const QUrl& url, const QByteArray& method)
{
    QNetworkRequest request(onLoopback(url));
    request.setTransferTimeout(10000);
    QNetworkReply* reply = m_network->sendCustomRequest(request, method);
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply->deleteLater();
    return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll()};
}

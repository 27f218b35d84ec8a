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

void FakeBrowser::openUrl(const QUrl& url)
{
    m_opened.append(url);
    if (!m_following)
        return;
    // Later, as a browser would: the sign-in that opened the page returns first.
    QTimer::singleShot(0, this, [this, url]() {
        const Answer login = visit(url);
        const Answer landed = login.location.isValid() ? visit(login.location) : Answer();
        Q_EMIT redirectAnswered(landed.status, landed.body);
    });
}

FakeBrowser::Answer FakeBrowser::visit(const QUrl& url, const QByteArray& method)
{
    QUrl target = url;
    if (target.host() == QLatin1String("localhost"))
        target.setHost(QStringLiteral("127.0.0.1"));
    QNetworkRequest request(target);
    request.setTransferTimeout(10000);
    QNetworkReply* reply = m_network->sendCustomRequest(request, method);
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply->deleteLater();
    return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll(),
            reply->header(QNetworkRequest::LocationHeader).toUrl()};
}

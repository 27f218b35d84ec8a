#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

class QNetworkAccessManager;

// Stands in for the system browser while it lives: QDesktopServices hands it every http(s) URL.
// When following, it loads the opened page and, like a browser, goes on to the redirect target,
// reaching "localhost" at 127.0.0.1. Needs a QGuiApplication.
class FakeBrowser : public QObject
{
    Q_OBJECT

public:
    struct Answer
    {
        int status = 0;
        QByteArray body;
        QUrl location;
    };

    explicit FakeBrowser(QObject* parent = nullptr);
    ~FakeBrowser() override;

    void setFollowing(bool following) { m_following = following; }
    QList<QUrl> openedUrls() const { return m_opened; }
    // Loads the URL and waits for the answer, following no redirect.
    Answer visit(const QUrl& url, const QByteArray& method = "GET");

public Q_SLOTS:
    void openUrl(const QUrl& url);

Q_SIGNALS:
    // The page the login redirect led to has answered.
    void redirectAnswered(int status, const QByteArray& body);

private:
    QNetworkAccessManager* m_network;
    QList<QUrl> m_opened;
    bool m_following = true;
};

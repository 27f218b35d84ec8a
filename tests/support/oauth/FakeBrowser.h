#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;

// The user's browser for the sign-in tests: while it lives, QDesktopServices::openUrl of an http
// address comes here. It loads the authorisation URL from the fake provider, takes the redirect
// the provider answers and sends it to the program's loopback listener the way a browser does
// (request line and headers), optionally first with a wrong state, or split into fragments that
// arrive in separate reads. It records what the listener answered.
class FakeBrowser : public QObject
{
    Q_OBJECT

public:
    explicit FakeBrowser(QObject* parent = nullptr);
    ~FakeBrowser() override;

    // Off: the browser only records the URL, as if the user left the tab alone.
    void setFollowRedirects(bool follow) { m_follow = follow; }
    // Before the real redirect, one to the same listener with another state.
    void setWrongStateFirst(bool wrong) { m_wrongStateFirst = wrong; }
    // The redirect request goes out in three fragments, a few milliseconds apart.
    void setSplitRequest(bool split) { m_split = split; }

    QList<QUrl> openedUrls() const { return m_opened; }
    // The status the listener answered to each request, in order (0: no answer, refused).
    QList<int> listenerStatuses() const { return m_statuses; }
    // The last redirect target taken from the provider.
    QUrl lastRedirect() const { return m_lastRedirect; }

    // Sends `bytes` as one request to the listener on `port` (split as configured).
    void sendRaw(quint16 port, const QByteArray& bytes);

public Q_SLOTS:
    // The URL handler QDesktopServices calls.
    bool openUrl(const QUrl& url);

private:
    void followRedirect(const QUrl& redirect);
    void send(quint16 port, const QByteArray& bytes, std::function<void()> then);
    static QByteArray requestFor(const QUrl& target);

    QNetworkAccessManager* m_network;
    bool m_follow = true;
    bool m_wrongStateFirst = false;
    bool m_split = false;
    QList<QUrl> m_opened;
    QList<int> m_statuses;
    QUrl m_lastRedirect;
};

#pragma once

#include "CalDavParse.h"

#include <QList>
#include <QObject>
#include <QUrl>

class CalDavClient;

// Finds the calendars of a CalDAV account from one URL (server, principal or calendar home) in
// three PROPFIND steps: current-user-principal, calendar-home-set, then the calendar collections
// of the home set. A reply that names no principal keeps the start URL as the principal; one that
// names no home set keeps the principal. Every start ends in exactly one signal.
class CalDavDiscovery : public QObject
{
    Q_OBJECT

public:
    // The client is not owned; the caller sets its credentials and pinned fingerprint and keeps
    // it alive until a signal arrives.
    CalDavDiscovery(CalDavClient* client, QObject* parent = nullptr);

    // Starts a discovery; may be called again after a failure (for instance once the user has
    // pinned the server's certificate on the same client).
    void start(const QUrl& url);

Q_SIGNALS:
    // The calendars of the home set, in the server's order; never empty.
    void completed(const QList<CalDavParse::DiscoveredCalendar>& calendars);
    // A translated text naming the step that failed.
    void failed(const QString& reason);

private:
    void onPrincipal(int statusCode, const QByteArray& body, const QString& errorString);
    void onHomeSet(int statusCode, const QByteArray& body, const QString& errorString);
    void onCalendarList(int statusCode, const QByteArray& body, const QString& errorString);
    void fail(const QString& reason);

    CalDavClient* m_client;
    QUrl m_serverRoot;
    QUrl m_currentUrl;
    int m_generation = 0;
};

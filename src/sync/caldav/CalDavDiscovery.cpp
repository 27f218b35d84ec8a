#include "CalDavDiscovery.h"

#include "CalDavClient.h"
#include "DavXml.h"

#include <QPointer>

CalDavDiscovery::CalDavDiscovery(CalDavClient* client, QObject* parent)
    : QObject(parent), m_client(client)
{
    qRegisterMetaType<QList<CalDavParse::DiscoveredCalendar>>();
}

void CalDavDiscovery::start(const QUrl& url)
{
    // A reply of an earlier start that is still on its way must not continue the new chain.
    ++m_generation;
    if (!url.isValid() || url.scheme().isEmpty()) {
        fail(tr("Enter a CalDAV URL starting with http:// or https://"));
        return;
    }
    m_serverRoot = url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment);
    m_currentUrl = url;
    QPointer<CalDavDiscovery> self(this);
    const int generation = m_generation;
    m_client->propfind(m_currentUrl, DavXml::principalPropfind(), 0,
                       [self, generation](const CalDavClient::Response& response) {
                           if (self && self->m_generation == generation)
                               self->onPrincipal(response.statusCode, response.body,
                                                 response.errorString);
                       });
}

void CalDavDiscovery::onPrincipal(int statusCode, const QByteArray& body,
                                  const QString& errorString)
{
    if (!errorString.isEmpty()) {
        fail(tr("Could not reach the server: %1").arg(errorString));
        return;
    }
    if (statusCode == 401) {
        fail(tr("The server rejected the username or password."));
        return;
    }
    if (statusCode < 200 || statusCode > 299) {
        fail(tr("Server returned HTTP %1 during principal discovery.").arg(statusCode));
        return;
    }
    if (const auto principal = DavXml::parsePrincipal(body, m_serverRoot))
        m_currentUrl = *principal;
    QPointer<CalDavDiscovery> self(this);
    const int generation = m_generation;
    m_client->propfind(m_currentUrl, DavXml::homeSetPropfind(), 0,
                       [self, generation](const CalDavClient::Response& response) {
                           if (self && self->m_generation == generation)
                               self->onHomeSet(response.statusCode, response.body,
                                               response.errorString);
                       });
}

void CalDavDiscovery::onHomeSet(int statusCode, const QByteArray& body, const QString& errorString)
{
    if (!errorString.isEmpty()) {
        fail(tr("Lost connection during calendar-home-set discovery: %1").arg(errorString));
        return;
    }
    if (statusCode < 200 || statusCode > 299) {
        fail(tr("Server returned HTTP %1 during home-set discovery.").arg(statusCode));
        return;
    }
    if (const auto homeSet = DavXml::parseHomeSet(body, m_serverRoot))
        m_currentUrl = *homeSet;
    QPointer<CalDavDiscovery> self(this);
    const int generation = m_generation;
    m_client->propfind(m_currentUrl, DavXml::calendarListPropfind(), 1,
                       [self, generation](const CalDavClient::Response& response) {
                           if (self && self->m_generation == generation)
                               self->onCalendarList(response.statusCode, response.body,
                                                    response.errorString);
                       });
}

void CalDavDiscovery::onCalendarList(int statusCode, const QByteArray& body,
                                     const QString& errorString)
{
    if (!errorString.isEmpty()) {
        fail(tr("Lost connection during calendar enumeration: %1").arg(errorString));
        return;
    }
    if (statusCode < 200 || statusCode > 299) {
        fail(tr("Server returned HTTP %1 during calendar enumeration.").arg(statusCode));
        return;
    }
    const QList<CalDavParse::DiscoveredCalendar> calendars =
        DavXml::parseCalendars(body, m_serverRoot);
    if (calendars.isEmpty()) {
        fail(tr("No calendars found at the discovered home set."));
        return;
    }
    Q_EMIT completed(calendars);
}

void CalDavDiscovery::fail(const QString& reason)
{
    // The network layer names the host in some of its texts; the log keeps no address.
    QString logged = reason;
    for (const QUrl& url : {m_currentUrl, m_serverRoot}) {
        if (!url.host().isEmpty())
            logged.replace(url.host(), QStringLiteral("<server>"));
    }
    qWarning().noquote() << "[CalDAV discovery]" << logged;
    Q_EMIT failed(reason);
}

#include "FakeCloudSyncServer.h"

#include <QJsonArray>
#include <QUrl>

namespace {

const QString prefix = QStringLiteral("/calendar/v1");
const QStringList sections{QStringLiteral("views"), QStringLiteral("filter_rules"),
                           QStringLiteral("templates"), QStringLiteral("accounts")};

} // namespace

FakeCloudSyncServer::FakeCloudSyncServer(QObject* parent)
    : QObject(parent),
      m_http(new LoopbackHttpServer(
          [this](const LoopbackHttpServer::Request& request) { return handle(request); }, this))
{
}

QString FakeCloudSyncServer::baseUrl() const
{
    return m_http->origin() + prefix;
}

void FakeCloudSyncServer::exportEnvironment() const
{
    qputenv("SYNC_API_URL", baseUrl().toUtf8());
}

void FakeCloudSyncServer::addCalendar(const QString& id, const QString& name)
{
    m_calendars.insert(id, name);
    m_members.insert(
        id, QJsonArray{QJsonObject{{QStringLiteral("user_id"), QStringLiteral("acct-1")},
                                   {QStringLiteral("email"), QStringLiteral("ada@example.org")},
                                   {QStringLiteral("display_name"), QStringLiteral("Ada Lovelace")},
                                   {QStringLiteral("role"), QStringLiteral("owner")}}});
}

void FakeCloudSyncServer::removeCalendar(const QString& id)
{
    m_calendars.remove(id);
    m_events.remove(id);
    m_members.remove(id);
}

void FakeCloudSyncServer::setMembers(const QString& calendarId, const QJsonArray& members)
{
    m_members.insert(calendarId, members);
}

void FakeCloudSyncServer::holdPath(const QByteArray& method, const QString& path)
{
    m_held.insert(QString::fromLatin1(method) + QLatin1Char(' ') + path);
}

QString FakeCloudSyncServer::putEvent(const QString& calendarId, const QString& uid,
                                      const QString& ical)
{
    StoredEvent stored;
    stored.ical = ical;
    stored.sequence = ++m_sequence;
    stored.etag = QStringLiteral("etag-%1").arg(stored.sequence);
    m_events[calendarId].insert(uid, stored);
    return stored.etag;
}

void FakeCloudSyncServer::deleteEvent(const QString& calendarId, const QString& uid)
{
    StoredEvent& stored = m_events[calendarId][uid];
    stored.deleted = true;
    stored.ical.clear();
    stored.sequence = ++m_sequence;
    stored.etag = QStringLiteral("etag-%1").arg(stored.sequence);
}

std::optional<FakeCloudSyncServer::StoredEvent>
FakeCloudSyncServer::event(const QString& calendarId, const QString& uid) const
{
    const auto calendar = m_events.constFind(calendarId);
    if (calendar == m_events.cend() || !calendar->contains(uid)) {
        return std::nullopt;
    }
    return calendar->value(uid);
}

void FakeCloudSyncServer::putConfig(const QString& section, const QJsonObject& record)
{
    storeConfig(section, record);
}

QJsonObject FakeCloudSyncServer::config(const QString& section, const QString& id) const
{
    return m_config.value(section).value(id);
}

void FakeCloudSyncServer::storeConfig(const QString& section, QJsonObject record)
{
    const QString id = record.value(QLatin1String("id")).toString();
    m_config[section].insert(id, record);
    m_configSequence.insert(section + QLatin1Char('/') + id, ++m_sequence);
}

void FakeCloudSyncServer::failPath(const QByteArray& method, const QString& path, int status)
{
    m_failures.insert(QString::fromLatin1(method) + QLatin1Char(' ') + path, status);
}

FakeCloudSyncServer::Reply FakeCloudSyncServer::handle(const LoopbackHttpServer::Request& request)
{
    if (!request.path.startsWith(prefix)) {
        return LoopbackHttpServer::json(404, {});
    }
    // Split the encoded path, then decode each segment: an id may hold an encoded "/".
    QStringList parts = request.encodedPath.mid(prefix.size()).split(QLatin1Char('/'));
    for (QString& part : parts) {
        part = QUrl::fromPercentEncoding(part.toLatin1());
    }
    const QString path = parts.join(QLatin1Char('/'));
    const QString key = QString::fromLatin1(request.method) + QLatin1Char(' ') + path;
    const auto failure = m_failures.constFind(key);
    if (failure != m_failures.cend()) {
        Reply reply = LoopbackHttpServer::json(
            *failure, {{QStringLiteral("error"), QStringLiteral("injected failure")}});
        reply.stall = *failure == 0;
        return reply;
    }
    if (!request.headers.value("authorization").startsWith("Bearer ")) {
        return LoopbackHttpServer::json(
            401, {{QStringLiteral("error"), QStringLiteral("unauthorized")}});
    }

    if (std::optional<Reply> reply = sharing(request, parts)) {
        reply->hold = m_held.contains(key);
        return *reply;
    }

    if (request.method == "GET" && path == QLatin1String("/calendars")) {
        QJsonArray calendars;
        for (auto it = m_calendars.cbegin(); it != m_calendars.cend(); ++it) {
            calendars.append(QJsonObject{{QStringLiteral("id"), it.key()},
                                         {QStringLiteral("name"), it.value()},
                                         {QStringLiteral("color"), QStringLiteral("#336699")}});
        }
        return LoopbackHttpServer::json(200, {{QStringLiteral("calendars"), calendars}});
    }
    if (path == QLatin1String("/sync/push") && request.method == "POST") {
        if (m_pushHook) {
            m_pushHook();
        }
        const QJsonObject body = request.json();
        m_pushes.append(body);
        for (const QString& section : sections) {
            for (const QJsonValue& record : body.value(section).toArray()) {
                storeConfig(section, record.toObject());
            }
        }
        if (body.contains(QLatin1String("settings"))) {
            m_settings = body.value(QLatin1String("settings")).toObject();
            m_settingsSequence = ++m_sequence;
        }
        return LoopbackHttpServer::json(
            200, {{QStringLiteral("timestamp"), QString::number(m_sequence)}});
    }
    if (path == QLatin1String("/sync/pull") && request.method == "GET") {
        return pullConfig(request);
    }

    // "/calendars/<id>/events" and "/calendars/<id>/events/<uid>"
    if (parts.size() >= 4 && parts.at(1) == QLatin1String("calendars") &&
        parts.at(3) == QLatin1String("events") && m_calendars.contains(parts.at(2))) {
        const QString calendarId = parts.at(2);
        if (parts.size() == 4 && request.method == "GET") {
            return pullEvents(calendarId, request);
        }
        if (parts.size() == 5 && request.method == "PUT") {
            const QString ical = request.json().value(QLatin1String("ical")).toString();
            if (ical.isEmpty()) {
                return LoopbackHttpServer::json(400, {});
            }
            return LoopbackHttpServer::json(
                200, {{QStringLiteral("etag"), putEvent(calendarId, parts.at(4), ical)}});
        }
        if (parts.size() == 5 && request.method == "DELETE") {
            if (!event(calendarId, parts.at(4))) {
                return LoopbackHttpServer::json(404, {});
            }
            deleteEvent(calendarId, parts.at(4));
            return LoopbackHttpServer::json(200, {});
        }
    }
    return LoopbackHttpServer::json(404, {});
}

std::optional<FakeCloudSyncServer::Reply>
FakeCloudSyncServer::sharing(const LoopbackHttpServer::Request& request, const QStringList& parts)
{
    // "/calendars/<id>/members", "/calendars/<id>/share", "/calendars/<id>/share/<user>"
    if (parts.size() < 4 || parts.at(1) != QLatin1String("calendars") ||
        (parts.at(3) != QLatin1String("members") && parts.at(3) != QLatin1String("share"))) {
        return std::nullopt;
    }
    const QString calendarId = parts.at(2);
    if (!m_members.contains(calendarId)) {
        return LoopbackHttpServer::json(
            404, {{QStringLiteral("error"), QStringLiteral("no such calendar")}});
    }
    QJsonArray& members = m_members[calendarId];
    const auto indexOf = [&members](const QString& userId) {
        for (qsizetype i = 0; i < members.size(); ++i) {
            if (members.at(i).toObject().value(QLatin1String("user_id")).toString() == userId) {
                return i;
            }
        }
        return qsizetype(-1);
    };
    if (parts.size() == 4 && parts.at(3) == QLatin1String("members") && request.method == "GET") {
        return LoopbackHttpServer::json(200, {{QStringLiteral("members"), members}});
    }
    if (parts.size() == 4 && parts.at(3) == QLatin1String("share") && request.method == "POST") {
        const QJsonObject body = request.json();
        const QString userId = body.value(QLatin1String("user_id")).toString();
        if (userId.isEmpty()) {
            return LoopbackHttpServer::json(
                400, {{QStringLiteral("error"), QStringLiteral("user_id required")}});
        }
        if (indexOf(userId) >= 0) {
            return LoopbackHttpServer::json(
                409, {{QStringLiteral("error"), QStringLiteral("already shared")}});
        }
        members.append(
            QJsonObject{{QStringLiteral("user_id"), userId},
                        {QStringLiteral("role"), body.value(QLatin1String("role"))},
                        {QStringLiteral("joined_at"), QStringLiteral("2026-03-11T09:00:00Z")}});
        return LoopbackHttpServer::json(200, {});
    }
    if (parts.size() == 5 && parts.at(3) == QLatin1String("share") && request.method == "DELETE") {
        const qsizetype index = indexOf(parts.at(4));
        if (index < 0) {
            return LoopbackHttpServer::json(
                404, {{QStringLiteral("error"), QStringLiteral("not shared")}});
        }
        members.removeAt(index);
        LoopbackHttpServer::Reply reply;
        reply.status = 204;
        return reply;
    }
    return std::nullopt;
}

FakeCloudSyncServer::Reply
FakeCloudSyncServer::pullEvents(const QString& calendarId,
                                const LoopbackHttpServer::Request& request)
{
    const int since = request.query.queryItemValue(QStringLiteral("since")).toInt();
    QList<std::pair<int, QString>> changed; // sequence, uid
    const QMap<QString, StoredEvent> events = m_events.value(calendarId);
    for (auto it = events.cbegin(); it != events.cend(); ++it) {
        if (it->sequence > since) {
            changed.append({it->sequence, it.key()});
        }
    }
    std::sort(changed.begin(), changed.end());
    QJsonArray page;
    int cursor = since;
    for (const auto& [sequence, uid] : changed) {
        if (page.size() >= m_pageSize) {
            break;
        }
        const StoredEvent& stored = events[uid];
        page.append(QJsonObject{{QStringLiteral("uid"), uid},
                                {QStringLiteral("etag"), stored.etag},
                                {QStringLiteral("ical"), stored.ical},
                                {QStringLiteral("deleted"), stored.deleted}});
        cursor = sequence;
    }
    return LoopbackHttpServer::json(200,
                                    {{QStringLiteral("events"), page},
                                     {QStringLiteral("cursor"), QString::number(cursor)},
                                     {QStringLiteral("has_more"), changed.size() > page.size()}});
}

FakeCloudSyncServer::Reply
FakeCloudSyncServer::pullConfig(const LoopbackHttpServer::Request& request)
{
    const int since = request.query.queryItemValue(QStringLiteral("since")).toInt();
    QJsonObject reply{{QStringLiteral("timestamp"), QString::number(m_sequence)}};
    for (const QString& section : sections) {
        QJsonArray records;
        const QMap<QString, QJsonObject> stored = m_config.value(section);
        for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
            if (m_configSequence.value(section + QLatin1Char('/') + it.key()) > since) {
                records.append(it.value());
            }
        }
        reply.insert(section, records);
    }
    if (m_settingsSequence > since) {
        reply.insert(QStringLiteral("settings"), m_settings);
    }
    return LoopbackHttpServer::json(200, reply);
}

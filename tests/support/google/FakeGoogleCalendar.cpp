#include "FakeGoogleCalendar.h"

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>
#include <optional>

namespace {

const QString apiPrefix = QStringLiteral("/calendar/v3");

// Ids Google accepts from a client: base32hex digits, 5 to 1024 of them.
bool isClientId(const QString& id)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-v]{5,1024}$"));
    return pattern.match(id).hasMatch();
}

QString etagOf(int revision)
{
    return QStringLiteral("\"r%1\"").arg(revision);
}

QString updatedOf(int revision)
{
    return QDateTime(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc())
        .addSecs(revision)
        .toString(Qt::ISODateWithMs);
}

// "<offset>.<from revision>.<last revision>": where a listing goes on and what it lists.
QString pageToken(int offset, int from, int last)
{
    return QStringLiteral("%1.%2.%3").arg(offset).arg(from).arg(last);
}

// A "start" or "end" member at `instant`: a date for an all-day series, else the wall-clock time
// in the series' zone with that zone.
QJsonObject timeMember(const QDateTime& instant, bool allDay, const QString& zone)
{
    if (allDay)
        return {{QLatin1String("date"), instant.date().toString(Qt::ISODate)}};
    const QTimeZone timeZone(zone.toUtf8());
    const QDateTime local = timeZone.isValid() ? instant.toTimeZone(timeZone) : instant.toUTC();
    return {{QLatin1String("dateTime"), local.toString(Qt::ISODate)},
            {QLatin1String("timeZone"), zone}};
}

// The instant a wall-clock time of `zone` names, computed here rather than by the program's own
// conversion, so that a fault there is not copied into what the tests compare against. Google reads
// a time the clocks skip with the offset before the gap, and a repeated one as the earlier instant.
QDateTime wallTimeIn(const QDate& date, const QTime& time, const QTimeZone& zone)
{
    const QDateTime wall(date, time, QTimeZone::utc());
    // The offsets on either side of any change of the clocks near that day.
    const int before = zone.offsetFromUtc(wall.addDays(-1));
    const int after = zone.offsetFromUtc(wall.addDays(1));
    std::optional<QDateTime> earliest;
    for (const int offset : {before, after}) {
        const QDateTime instant = wall.addSecs(-offset);
        if (zone.offsetFromUtc(instant) == offset && (!earliest || instant < *earliest))
            earliest = instant;
    }
    return earliest.value_or(wall.addSecs(-before));
}

QDateTime instantOf(const QJsonObject& member)
{
    const QString date = member.value(QLatin1String("date")).toString();
    if (!date.isEmpty())
        return QDateTime(QDate::fromString(date, Qt::ISODate), QTime(0, 0), QTimeZone::utc());
    const QDateTime read =
        QDateTime::fromString(member.value(QLatin1String("dateTime")).toString(), Qt::ISODate);
    // A time without an offset is the wall-clock time of the member's zone.
    const QTimeZone zone(member.value(QLatin1String("timeZone")).toString().toUtf8());
    if (!read.isValid() || read.timeSpec() != Qt::LocalTime || !zone.isValid())
        return read;
    return wallTimeIn(read.date(), read.time(), zone);
}

// Whether the series' rule has an occurrence starting at `start`: the rules the tests write
// (DAILY, WEEKLY with or without BYDAY, MONTHLY and YEARLY on the start's day; INTERVAL, COUNT,
// UNTIL), stepped on the wall clock of the series' zone. Any other part gives no occurrence.
bool seriesStartsAt(const QJsonObject& series, const QDateTime& start, bool allDay)
{
    QString rule;
    for (const QJsonValue& line : series.value(QLatin1String("recurrence")).toArray()) {
        if (line.toString().startsWith(QLatin1String("RRULE:")))
            rule = line.toString().mid(6);
    }
    QHash<QString, QString> parts;
    for (const QString& part : rule.split(u';', Qt::SkipEmptyParts))
        parts.insert(part.section(u'=', 0, 0).toUpper(), part.section(u'=', 1).toUpper());
    const QString frequency = parts.take(QStringLiteral("FREQ"));
    const int interval = std::max(1, parts.take(QStringLiteral("INTERVAL")).toInt());
    const QString countText = parts.take(QStringLiteral("COUNT"));
    const int count = countText.isEmpty() ? -1 : countText.toInt();
    const QString untilText = parts.take(QStringLiteral("UNTIL"));
    // A date alone ends the series with that day.
    const QDateTime until =
        untilText.isEmpty()
            ? QDateTime()
            : QDateTime(QDate::fromString(untilText.left(8), QStringLiteral("yyyyMMdd")),
                        untilText.size() > 8
                            ? QTime::fromString(untilText.mid(9, 6), QStringLiteral("HHmmss"))
                            : QTime(23, 59, 59),
                        QTimeZone::utc());
    QList<int> weekdays; // Qt's 1 (Monday) to 7
    static const QStringList dayNames{"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    if (frequency == u"WEEKLY" && parts.contains(QStringLiteral("BYDAY"))) {
        for (const QString& day : parts.take(QStringLiteral("BYDAY")).split(u',')) {
            if (!dayNames.contains(day))
                return false;
            weekdays.append(int(dayNames.indexOf(day)) + 1);
        }
    }
    parts.remove(QStringLiteral("WKST"));
    if (!parts.isEmpty() || (!untilText.isEmpty() && !until.isValid()))
        return false;
    const QJsonObject seriesStart = series.value(QLatin1String("start")).toObject();
    const QString zoneName = seriesStart.value(QLatin1String("timeZone")).toString();
    const QTimeZone zone(allDay || zoneName.isEmpty() ? QByteArray("UTC") : zoneName.toUtf8());
    const QDateTime first = instantOf(seriesStart);
    if (!first.isValid() || !zone.isValid())
        return false;
    const QDateTime wallStart = first.toTimeZone(zone);
    const QDate firstDay = wallStart.date();
    if (weekdays.isEmpty())
        weekdays.append(firstDay.dayOfWeek());
    const auto occursOn = [&](const QDate& day) {
        const qint64 days = firstDay.daysTo(day);
        if (frequency == u"DAILY")
            return days % interval == 0;
        if (frequency == u"WEEKLY") {
            const qint64 weeks = firstDay.addDays(1 - firstDay.dayOfWeek())
                                     .daysTo(day.addDays(1 - day.dayOfWeek())) /
                                 7;
            return weeks % interval == 0 && weekdays.contains(day.dayOfWeek());
        }
        const int months = (day.year() - firstDay.year()) * 12 + day.month() - firstDay.month();
        if (frequency == u"MONTHLY")
            return day.day() == firstDay.day() && months % interval == 0;
        if (frequency == u"YEARLY")
            return day.day() == firstDay.day() && months % (12 * interval) == 0;
        return false;
    };
    // Day by day from the series' first day: the starts come in order, so COUNT counts them.
    const QDate last = start.toTimeZone(zone).date().addDays(1);
    int taken = 0;
    for (QDate day = firstDay; day <= last && (count < 0 || taken < count); day = day.addDays(1)) {
        if (!occursOn(day))
            continue;
        const QDateTime at = allDay ? QDateTime(day, QTime(0, 0), QTimeZone::utc())
                                    : wallTimeIn(day, wallStart.time(), zone);
        if (until.isValid() && at > until)
            return false;
        ++taken;
        if (at.toSecsSinceEpoch() == start.toSecsSinceEpoch())
            return true;
    }
    return false;
}

// Whether two "start" or "originalStartTime" members name one time.
bool sameTime(const QJsonObject& a, const QJsonObject& b)
{
    const QDateTime first = instantOf(a);
    const QDateTime second = instantOf(b);
    return first.isValid() == second.isValid() &&
           (!first.isValid() || first.toSecsSinceEpoch() == second.toSecsSinceEpoch());
}

// Google knows two kinds of reminder, "email" and "popup"; every other kind a client names comes
// back as "popup".
QJsonObject remindersAsGoogleKeeps(QJsonObject reminders)
{
    QJsonArray overrides;
    for (const QJsonValue& value : reminders.value(QLatin1String("overrides")).toArray()) {
        QJsonObject entry = value.toObject();
        if (entry.value(QLatin1String("method")).toString() != u"email")
            entry.insert(QLatin1String("method"), QLatin1String("popup"));
        overrides.append(entry);
    }
    if (reminders.contains(QLatin1String("overrides")))
        reminders.insert(QLatin1String("overrides"), overrides);
    return reminders;
}

} // namespace

FakeGoogleCalendar::FakeGoogleCalendar(QObject* parent)
    : QObject(parent), m_http(std::make_unique<LoopbackHttpServer>(
                           [this](const Request& request) { return handle(request); }))
{
}

FakeGoogleCalendar::~FakeGoogleCalendar() = default;

QString FakeGoogleCalendar::apiBase() const
{
    return m_http->origin() + apiPrefix;
}

void FakeGoogleCalendar::exportEnvironment() const
{
    qputenv("GOOGLE_API_URL", apiBase().toUtf8());
}

void FakeGoogleCalendar::addCalendar(const QString& id, const QString& summary,
                                     const QString& accessRole, bool primary)
{
    if (!m_calendars.contains(id))
        m_calendarOrder.append(id);
    CalendarData& calendar = m_calendars[id];
    calendar.id = id;
    calendar.summary = summary;
    calendar.accessRole = accessRole;
    calendar.primary = primary;
}

FakeGoogleCalendar::Stored& FakeGoogleCalendar::store(CalendarData& calendar, QJsonObject item)
{
    QString id = item.value(QLatin1String("id")).toString();
    if (id.isEmpty()) {
        id = QStringLiteral("srv%1").arg(++m_nextId, 6, 10, QLatin1Char('0'));
        item.insert(QLatin1String("id"), id);
    }
    if (!calendar.byId.contains(id))
        calendar.order.append(id);
    Stored& stored = calendar.byId[id];
    stored.revision = ++m_revision;
    item.insert(QLatin1String("kind"), QLatin1String("calendar#event"));
    item.insert(QLatin1String("etag"), etagOf(stored.revision));
    item.insert(QLatin1String("updated"), updatedOf(stored.revision));
    if (!item.contains(QLatin1String("status")))
        item.insert(QLatin1String("status"), QLatin1String("confirmed"));
    // A cancellation is listed bare; every other item carries what Google keeps of its own.
    if (item.value(QLatin1String("status")).toString() != u"cancelled") {
        const QJsonObject owner{{QLatin1String("email"), calendar.id},
                                {QLatin1String("self"), true}};
        for (const QLatin1String key : {QLatin1String("organizer"), QLatin1String("creator")}) {
            if (!item.contains(key))
                item.insert(key, owner);
        }
        if (!item.contains(QLatin1String("htmlLink")))
            item.insert(QLatin1String("htmlLink"),
                        QStringLiteral("https://calendar.example/event?eid=") + id);
        if (!item.contains(QLatin1String("iCalUID"))) {
            const QString series = item.value(QLatin1String("recurringEventId")).toString();
            const QString seriesUid =
                calendar.byId.value(series).item.value(QLatin1String("iCalUID")).toString();
            item.insert(QLatin1String("iCalUID"),
                        !seriesUid.isEmpty()
                            ? seriesUid
                            : (series.isEmpty() ? id : series) + QStringLiteral("@google.com"));
        }
        if (item.contains(QLatin1String("reminders")))
            item.insert(QLatin1String("reminders"),
                        remindersAsGoogleKeeps(item.value(QLatin1String("reminders")).toObject()));
    }
    stored.item = item;
    return stored;
}

QJsonObject FakeGoogleCalendar::putEvent(const QString& calendarId, QJsonObject item)
{
    CalendarData& calendar = m_calendars[calendarId];
    calendar.id = calendarId;
    return store(calendar, std::move(item)).item;
}

void FakeGoogleCalendar::cancelEvent(const QString& calendarId, const QString& eventId)
{
    CalendarData& calendar = m_calendars[calendarId];
    // An occurrence never changed is cancelled as the series gives it.
    const QJsonObject old = calendar.byId.contains(eventId) ? calendar.byId.value(eventId).item
                                                            : occurrenceOf(calendar, eventId);
    if (old.isEmpty())
        return;
    QJsonObject cancelled{{QLatin1String("id"), eventId},
                          {QLatin1String("status"), QLatin1String("cancelled")}};
    for (const QLatin1String key :
         {QLatin1String("recurringEventId"), QLatin1String("originalStartTime")}) {
        if (old.contains(key))
            cancelled.insert(key, old.value(key));
    }
    store(calendar, cancelled);
    // Deleting a series deletes its changed occurrences too.
    if (!old.contains(QLatin1String("recurringEventId"))) {
        const QList<QString> ids = calendar.order;
        for (const QString& id : ids) {
            const QJsonObject& other = calendar.byId.value(id).item;
            if (other.value(QLatin1String("recurringEventId")).toString() == eventId &&
                other.value(QLatin1String("status")).toString() != u"cancelled")
                cancelEvent(calendarId, id);
        }
    }
}

void FakeGoogleCalendar::purgeEvent(const QString& calendarId, const QString& eventId)
{
    CalendarData& calendar = m_calendars[calendarId];
    calendar.byId.remove(eventId);
    calendar.order.removeAll(eventId);
}

QJsonObject FakeGoogleCalendar::event(const QString& calendarId, const QString& eventId) const
{
    return m_calendars.value(calendarId).byId.value(eventId).item;
}

QList<QJsonObject> FakeGoogleCalendar::liveEvents(const QString& calendarId) const
{
    QList<QJsonObject> result;
    const CalendarData calendar = m_calendars.value(calendarId);
    for (const QString& id : calendar.order) {
        const QJsonObject& item = calendar.byId.value(id).item;
        if (item.value(QLatin1String("status")).toString() != u"cancelled")
            result.append(item);
    }
    return result;
}

void FakeGoogleCalendar::expireSyncTokens()
{
    // Tokens issued from now on name a later revision than every refused one.
    m_expiredBelow = ++m_revision;
}

void FakeGoogleCalendar::failWrites(const QString& pathSuffix, int status, int count)
{
    m_writeFailures.append({pathSuffix, status, count});
}

void FakeGoogleCalendar::failReads(const QString& pathSuffix, int status, int count)
{
    m_readFailures.append({pathSuffix, status, count});
}

std::optional<FakeGoogleCalendar::Reply>
FakeGoogleCalendar::injectedFailure(QList<InjectedFailure>& failures, const QString& path)
{
    for (InjectedFailure& failure : failures) {
        if (failure.count > 0 && path.endsWith(failure.suffix)) {
            --failure.count;
            if (failure.status == 0) {
                Reply stalled;
                stalled.stall = true;
                return stalled;
            }
            return error(failure.status, QStringLiteral("Injected failure"));
        }
    }
    return std::nullopt;
}

QList<LoopbackHttpServer::Request> FakeGoogleCalendar::requests() const
{
    return m_http->requests();
}

int FakeGoogleCalendar::count(const QByteArray& method, const QString& pathSuffix) const
{
    return m_http->count(method, pathSuffix);
}

FakeGoogleCalendar::Reply FakeGoogleCalendar::error(int status, const QString& message)
{
    return LoopbackHttpServer::json(
        status, {{QLatin1String("error"), QJsonObject{{QLatin1String("code"), status},
                                                      {QLatin1String("message"), message}}}});
}

FakeGoogleCalendar::Reply FakeGoogleCalendar::handle(const Request& request)
{
    if (!request.headers.value("authorization").startsWith("Bearer "))
        return error(401, QStringLiteral("Login Required"));
    if (!request.path.startsWith(apiPrefix))
        return error(404, QStringLiteral("Not Found"));
    const QString path = request.path.mid(apiPrefix.size());
    if (request.method != "GET") {
        // A copy: the hook may replace itself.
        if (const std::function<void()> hook = m_writeHook)
            hook();
        if (std::optional<Reply> failure = injectedFailure(m_writeFailures, path))
            return *failure;
    }
    const QString token = QString::fromUtf8(request.headers.value("authorization").mid(7));
    if (m_refusedTokens.contains(token) || m_refusedTokens.contains(QString()))
        return error(401, QStringLiteral("Invalid Credentials"));
    if (path == u"/users/me/calendarList" && request.method == "GET")
        return calendarList(request);

    // "/calendars/<id>/events" and "/calendars/<id>/events/<event id>"
    const QStringList parts = path.split(u'/');
    if (parts.size() < 4 || parts.at(1) != u"calendars" || parts.at(3) != u"events")
        return error(404, QStringLiteral("Not Found"));
    const QString calendarId = parts.at(2);
    if (!m_calendars.contains(calendarId))
        return error(404, QStringLiteral("Not Found"));
    if (parts.size() == 4) {
        if (request.method == "GET")
            return listEvents(calendarId, request);
        if (request.method == "POST")
            return insertEvent(calendarId, request);
        return error(405, QStringLiteral("Method Not Allowed"));
    }
    const QString eventId = parts.at(4);
    const CalendarData& calendar = m_calendars[calendarId];
    if (request.method == "GET") {
        if (std::optional<Reply> failure = injectedFailure(m_readFailures, path))
            return *failure;
        if (calendar.byId.contains(eventId))
            return LoopbackHttpServer::json(200, calendar.byId.value(eventId).item);
        if (const QJsonObject occurrence = occurrenceOf(calendar, eventId); !occurrence.isEmpty())
            return LoopbackHttpServer::json(200, occurrence);
        return error(404, QStringLiteral("Not Found"));
    }
    if (request.method == "PUT")
        return updateEvent(calendarId, eventId, request);
    if (request.method == "DELETE")
        return deleteEvent(calendarId, eventId, request);
    return error(405, QStringLiteral("Method Not Allowed"));
}

QJsonObject FakeGoogleCalendar::occurrenceOf(const CalendarData& calendar, const QString& eventId)
{
    const qsizetype cut = eventId.lastIndexOf(u'_');
    if (cut < 1)
        return {};
    const QString seriesId = eventId.left(cut);
    const QString startText = eventId.mid(cut + 1);
    QJsonObject series = calendar.byId.value(seriesId).item;
    if (!series.contains(QLatin1String("recurrence")))
        return {};
    const bool allDay = startText.size() == 8;
    if (!allDay && (startText.size() != 16 || startText.at(8) != u'T' || !startText.endsWith(u'Z')))
        return {};
    const QDate date = QDate::fromString(startText.left(8), QStringLiteral("yyyyMMdd"));
    const QTime time =
        allDay ? QTime(0, 0) : QTime::fromString(startText.mid(9, 6), QStringLiteral("HHmmss"));
    if (!date.isValid() || !time.isValid())
        return {};
    const QDateTime utcStart(date, time, QTimeZone::utc());
    // Google has no instance at a start its series does not give.
    if (!seriesStartsAt(series, utcStart, allDay))
        return {};
    const QJsonObject seriesStart = series.value(QLatin1String("start")).toObject();
    const QString zone = seriesStart.value(QLatin1String("timeZone")).toString();
    const qint64 length =
        instantOf(seriesStart).secsTo(instantOf(series.value(QLatin1String("end")).toObject()));
    series.remove(QLatin1String("recurrence"));
    series.insert(QLatin1String("id"), eventId);
    series.insert(QLatin1String("recurringEventId"), seriesId);
    series.insert(QLatin1String("originalStartTime"), timeMember(utcStart, allDay, zone));
    series.insert(QLatin1String("start"), timeMember(utcStart, allDay, zone));
    series.insert(QLatin1String("end"), timeMember(utcStart.addSecs(length), allDay, zone));
    series.insert(QLatin1String("htmlLink"),
                  QStringLiteral("https://calendar.example/event?eid=") + eventId);
    return series;
}

FakeGoogleCalendar::Reply FakeGoogleCalendar::listingFault(const QString& nextToken)
{
    const Fault fault = m_listingFault;
    Reply reply;
    switch (fault) {
    case Fault::None:
        break;
    case Fault::Stall:
        m_listingFault = Fault::None;
        reply.stall = true;
        return reply;
    case Fault::NotJson:
        m_listingFault = Fault::None;
        reply.body = "<html><body>Service Unavailable</body></html>";
        reply.contentType = "text/html";
        return reply;
    case Fault::RepeatPageToken:
        return LoopbackHttpServer::json(
            200, {{QLatin1String("items"), QJsonArray()},
                  {QLatin1String("nextPageToken"), QStringLiteral("same-page")}});
    case Fault::EndlessPages:
        return LoopbackHttpServer::json(
            200, {{QLatin1String("items"), QJsonArray()},
                  {QLatin1String("nextPageToken"), nextToken + QString::number(++m_endlessPage)}});
    }
    reply.status = -1;
    return reply;
}

FakeGoogleCalendar::Reply FakeGoogleCalendar::calendarList(const Request& request)
{
    if (Reply faulty = listingFault(QStringLiteral("cal")); faulty.status != -1)
        return faulty;
    const int offset = request.query.queryItemValue(QStringLiteral("pageToken")).toInt();
    QJsonArray items;
    const int end = std::min<int>(m_calendarOrder.size(), offset + m_calendarPageSize);
    for (int i = offset; i < end; ++i) {
        const QString& id = m_calendarOrder.at(i);
        const CalendarData& calendar = *m_calendars.constFind(id);
        QJsonObject entry{{QLatin1String("kind"), QLatin1String("calendar#calendarListEntry")},
                          {QLatin1String("id"), id},
                          {QLatin1String("summary"), calendar.summary},
                          {QLatin1String("backgroundColor"), QLatin1String("#9fe1e7")},
                          {QLatin1String("accessRole"), calendar.accessRole}};
        if (calendar.primary)
            entry.insert(QLatin1String("primary"), true);
        items.append(entry);
    }
    QJsonObject body{{QLatin1String("items"), items}};
    if (end < m_calendarOrder.size())
        body.insert(QLatin1String("nextPageToken"), QString::number(end));
    return LoopbackHttpServer::json(200, body);
}

FakeGoogleCalendar::Reply FakeGoogleCalendar::listEvents(const QString& calendarId,
                                                         const Request& request)
{
    if (Reply faulty = listingFault(QStringLiteral("page")); faulty.status != -1)
        return faulty;
    int from = 0;
    int last = m_revision;
    int offset = 0;
    const QString token = request.query.queryItemValue(QStringLiteral("pageToken"));
    const QString syncToken = request.query.queryItemValue(QStringLiteral("syncToken"));
    if (!syncToken.isEmpty()) {
        if (!syncToken.startsWith(u's'))
            return error(400, QStringLiteral("Invalid sync token"));
        from = syncToken.mid(1).toInt();
        if (from < m_expiredBelow)
            return error(410, QStringLiteral("Sync token is no longer valid, a full sync is "
                                             "required."));
    }
    if (!token.isEmpty()) {
        const QStringList parts = token.split(u'.');
        if (parts.size() != 3)
            return error(400, QStringLiteral("Invalid page token"));
        offset = parts.at(0).toInt();
        from = parts.at(1).toInt();
        last = parts.at(2).toInt();
    }
    int pageSize = m_pageSize;
    if (const int max = request.query.queryItemValue(QStringLiteral("maxResults")).toInt(); max > 0)
        pageSize = std::min(pageSize, max);

    const CalendarData& calendar = m_calendars[calendarId];
    QList<const Stored*> listed;
    for (const QString& id : calendar.order) {
        const Stored& stored = *calendar.byId.constFind(id);
        if (stored.revision > from && stored.revision <= last)
            listed.append(&stored);
    }
    QJsonArray items;
    const int end = std::min<int>(listed.size(), offset + pageSize);
    for (int i = offset; i < end; ++i)
        items.append(listed.at(i)->item);
    QJsonObject body{{QLatin1String("kind"), QLatin1String("calendar#events")},
                     {QLatin1String("summary"), calendar.summary},
                     {QLatin1String("items"), items}};
    if (end < listed.size())
        body.insert(QLatin1String("nextPageToken"), pageToken(end, from, last));
    else
        body.insert(QLatin1String("nextSyncToken"), QStringLiteral("s%1").arg(last));
    return LoopbackHttpServer::json(200, body);
}

FakeGoogleCalendar::Reply FakeGoogleCalendar::insertEvent(const QString& calendarId,
                                                          const Request& request)
{
    const QJsonDocument document = QJsonDocument::fromJson(request.body);
    if (!document.isObject())
        return error(400, QStringLiteral("Parse Error"));
    QJsonObject item = document.object();
    CalendarData& calendar = m_calendars[calendarId];
    const QString id = item.value(QLatin1String("id")).toString();
    if (!id.isEmpty() && !isClientId(id))
        return error(400, QStringLiteral("Invalid resource id value."));
    if (calendar.byId.contains(id))
        return error(409, QStringLiteral("The requested identifier already exists."));
    item.remove(QLatin1String("etag"));
    // Google answers with these of its own: the calendar organizes what is inserted into it.
    for (const QLatin1String key :
         {QLatin1String("organizer"), QLatin1String("creator"), QLatin1String("htmlLink")})
        item.remove(key);
    const Stored& stored = store(calendar, item);
    if (std::exchange(m_loseInsertReply, false)) {
        Reply lost;
        lost.stall = true;
        return lost;
    }
    return LoopbackHttpServer::json(200, stored.item);
}

FakeGoogleCalendar::Reply FakeGoogleCalendar::updateEvent(const QString& calendarId,
                                                          const QString& eventId,
                                                          const Request& request)
{
    CalendarData& calendar = m_calendars[calendarId];
    // An occurrence of a series exists before it is first changed.
    const QJsonObject current = calendar.byId.contains(eventId) ? calendar.byId.value(eventId).item
                                                                : occurrenceOf(calendar, eventId);
    if (current.isEmpty())
        return error(404, QStringLiteral("Not Found"));
    const QByteArray ifMatch = request.headers.value("if-match");
    const QString etag = current.value(QLatin1String("etag")).toString();
    if (!ifMatch.isEmpty() && QString::fromUtf8(ifMatch) != etag)
        return error(412, QStringLiteral("Precondition Failed"));
    const QJsonDocument document = QJsonDocument::fromJson(request.body);
    if (!document.isObject())
        return error(400, QStringLiteral("Parse Error"));
    QJsonObject item = document.object();
    // An instance is named by its original start for good.
    const QLatin1String originalStart("originalStartTime");
    if (item.contains(originalStart) && current.contains(originalStart) &&
        !sameTime(item.value(originalStart).toObject(), current.value(originalStart).toObject()))
        return error(400, QStringLiteral("The original start time of an instance cannot be "
                                         "changed."));
    item.insert(QLatin1String("id"), eventId);
    // What Google keeps of its own stays whatever the client sends.
    for (const QLatin1String key : {QLatin1String("organizer"), QLatin1String("creator"),
                                    QLatin1String("htmlLink"), QLatin1String("iCalUID")}) {
        if (current.contains(key))
            item.insert(key, current.value(key));
        else
            item.remove(key);
    }
    return LoopbackHttpServer::json(200, store(calendar, item).item);
}

FakeGoogleCalendar::Reply FakeGoogleCalendar::deleteEvent(const QString& calendarId,
                                                          const QString& eventId,
                                                          const Request& request)
{
    CalendarData& calendar = m_calendars[calendarId];
    if (!calendar.byId.contains(eventId))
        return error(404, QStringLiteral("Not Found"));
    const QJsonObject& item = calendar.byId.value(eventId).item;
    if (item.value(QLatin1String("status")).toString() == u"cancelled")
        return error(410, QStringLiteral("Resource has been deleted"));
    const QByteArray ifMatch = request.headers.value("if-match");
    if (!ifMatch.isEmpty() &&
        QString::fromUtf8(ifMatch) != item.value(QLatin1String("etag")).toString())
        return error(412, QStringLiteral("Precondition Failed"));
    cancelEvent(calendarId, eventId);
    Reply reply;
    reply.status = 204;
    return reply;
}

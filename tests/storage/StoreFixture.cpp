#include "StoreFixture.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimeZone>

StoreFixture::StoreFixture(const QStringList& calendarIds)
    : m_database(std::make_unique<Database>())
{
    m_ready = m_database->open(path()) && m_database->migrate() &&
              exec(QStringLiteral("INSERT INTO accounts (id, name, type) VALUES ('acc', 'A', "
                                  "'caldav')"));
    for (const QString& id : calendarIds)
        m_ready = m_ready &&
                  exec(QStringLiteral("INSERT INTO calendars (id, account_id, url, name) VALUES "
                                      "('%1', 'acc', 'https://x/%1/', '%1')")
                           .arg(id));
}

StoreFixture::~StoreFixture() = default;

QString StoreFixture::path() const
{
    return m_dir.filePath(QStringLiteral("calendar.db"));
}

bool StoreFixture::exec(const QString& sql)
{
    QSqlQuery query(db());
    if (query.exec(sql))
        return true;
    qWarning().noquote() << "fixture statement failed:" << query.lastError().text() << sql;
    return false;
}

QStringList StoreFixture::strings(const QString& sql)
{
    QStringList values;
    QSqlQuery query(db());
    if (!query.exec(sql))
        return {QStringLiteral("error: ") + query.lastError().text()};
    while (query.next()) {
        QStringList fields;
        for (int i = 0; i < query.record().count(); ++i)
            fields.append(query.value(i).toString());
        values.append(fields.join(u'|'));
    }
    return values;
}

Account StoreFixture::account(const QString& id)
{
    Account account;
    account.id = id;
    account.name = id;
    account.type = QStringLiteral("caldav");
    account.createdAt = QDateTime(QDate(2025, 1, 1), QTime(10, 0), QTimeZone::utc());
    account.updatedAt = account.createdAt;
    return account;
}

Calendar StoreFixture::calendar(const QString& id, const QString& accountId)
{
    Calendar calendar;
    calendar.id = id;
    calendar.accountId = accountId;
    calendar.url = QStringLiteral("https://x/") + id + u'/';
    calendar.name = id;
    calendar.createdAt = QDateTime(QDate(2025, 1, 1), QTime(10, 0), QTimeZone::utc());
    calendar.updatedAt = calendar.createdAt;
    return calendar;
}

Event StoreFixture::event(const QString& id, const QString& calendarId, const QDateTime& start)
{
    Event event;
    event.id = id;
    event.calendarId = calendarId;
    event.uid = id + QStringLiteral("@test");
    event.title = QStringLiteral("Event ") + id;
    event.startTime = start;
    event.endTime = start.addSecs(3600);
    event.rawIcalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    event.created = QDateTime(QDate(2025, 1, 1), QTime(9, 0), QTimeZone::utc());
    event.lastModified = event.created;
    return event;
}

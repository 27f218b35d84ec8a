#include "PreferencesRepository.h"

#include "Database.h"
#include "StoreSql.h"

#include <QSqlQuery>

PreferencesRepository::PreferencesRepository(Database* database, QObject* parent)
    : QObject(parent), m_database(database)
{
}

std::optional<QString> PreferencesRepository::get(const QString& key) const
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("SELECT value FROM settings WHERE key = ?"));
    query.addBindValue(key);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toString();
}

QString PreferencesRepository::getString(const QString& key, const QString& defaultValue) const
{
    return get(key).value_or(defaultValue);
}

bool PreferencesRepository::getBool(const QString& key, bool defaultValue) const
{
    const std::optional<QString> value = get(key);
    if (!value)
        return defaultValue;
    return *value == u"1" || *value == u"true";
}

int PreferencesRepository::getInt(const QString& key, int defaultValue) const
{
    const std::optional<QString> value = get(key);
    if (!value)
        return defaultValue;
    bool ok = false;
    const int number = value->toInt(&ok, 10);
    return ok ? number : defaultValue;
}

bool PreferencesRepository::set(const QString& key, const QString& value)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("INSERT INTO settings (key, value) VALUES (?, ?) ON "
                                 "CONFLICT(key) DO UPDATE SET value = excluded.value"));
    query.addBindValue(key);
    // The column is NOT NULL; a null string is stored as empty text rather than refused.
    query.addBindValue(StoreSql::notNull(value));
    if (!query.exec())
        return false;
    Q_EMIT changed(key);
    return true;
}

void PreferencesRepository::setBool(const QString& key, bool value)
{
    set(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void PreferencesRepository::setInt(const QString& key, int value)
{
    set(key, QString::number(value));
}

bool PreferencesRepository::remove(const QString& key)
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("DELETE FROM settings WHERE key = ?"));
    query.addBindValue(key);
    return query.exec();
}

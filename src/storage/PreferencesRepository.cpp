#include "PreferencesRepository.h"

#include "Database.h"
#include "StoreSql.h"

#include <QDebug>
#include <QSqlQuery>

PreferencesRepository::PreferencesRepository(Database* database, QObject* parent)
    : QObject(parent), m_database(database)
{
}

std::optional<QString> PreferencesRepository::get(const QString& key) const
{
    if (const auto kept = m_kept.constFind(key); kept != m_kept.cend())
        return *kept;
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
    if (m_held)
        m_kept.insert(key, StoreSql::notNull(value));
    else if (!write(key, value))
        return false;
    Q_EMIT changed(key);
    return true;
}

bool PreferencesRepository::write(const QString& key, const std::optional<QString>& value)
{
    QSqlQuery query(m_database->database());
    if (!value) {
        query.prepare(QStringLiteral("DELETE FROM settings WHERE key = ?"));
        query.addBindValue(key);
        return query.exec();
    }
    query.prepare(QStringLiteral("INSERT INTO settings (key, value) VALUES (?, ?) ON "
                                 "CONFLICT(key) DO UPDATE SET value = excluded.value"));
    query.addBindValue(key);
    // The column is NOT NULL; a null string is stored as empty text rather than refused.
    query.addBindValue(StoreSql::notNull(*value));
    return query.exec();
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
    if (!m_held)
        return write(key, std::nullopt);
    m_kept.insert(key, std::nullopt);
    return true;
}

void PreferencesRepository::holdWrites()
{
    m_held = true;
}

bool PreferencesRepository::releaseWrites()
{
    m_held = false;
    bool ok = true;
    for (auto kept = m_kept.cbegin(); kept != m_kept.cend(); ++kept) {
        if (!write(kept.key(), kept.value())) {
            qWarning().noquote() << "[Preferences] could not write the kept value of" << kept.key();
            ok = false;
        }
    }
    m_kept.clear();
    return ok;
}

#pragma once

#include <QObject>
#include <QString>

#include <optional>

class Database;

// The user's preferences: key/value texts in table `settings`. Booleans are stored as "1"/"0",
// integers in decimal. Failed statements are not logged: reads fall back to the default, writes
// return false and keep the old value.
class PreferencesRepository : public QObject
{
    Q_OBJECT

public:
    explicit PreferencesRepository(Database* database, QObject* parent = nullptr);

    // The stored value, or nothing when the key has no row.
    std::optional<QString> get(const QString& key) const;
    QString getString(const QString& key, const QString& defaultValue = QString()) const;
    // True exactly for a stored "1" or "true"; the default when there is no row.
    bool getBool(const QString& key, bool defaultValue = false) const;
    // The stored decimal integer; the default when there is no row or it is not a number.
    int getInt(const QString& key, int defaultValue = 0) const;

    // Inserts or replaces the value and emits `changed` on success.
    bool set(const QString& key, const QString& value);
    void setBool(const QString& key, bool value);
    void setInt(const QString& key, int value);

    // Deletes the row; emits nothing. A missing key is not an error.
    bool remove(const QString& key);

Q_SIGNALS:
    void changed(const QString& key);

private:
    Database* m_database;
};

#pragma once

#include <QMap>
#include <QObject>
#include <QString>

#include <optional>

class Database;

// The user's preferences: key/value texts in table `settings`. Booleans are stored as "1"/"0",
// integers in decimal. Failed statements are not logged: reads fall back to the default, writes
// return false and keep the old value.
//
// While writes are held (another connection's long transaction owns the store's lock), set() and
// remove() do not wait for that lock: they are kept in memory, read back from there, and written
// when the hold ends.
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

    // Holds writes until releaseWrites(), which writes what was kept (the last value of each key)
    // and returns false when any of it could not be written (logged). Holds do not nest.
    void holdWrites();
    bool releaseWrites();

Q_SIGNALS:
    void changed(const QString& key);

private:
    bool write(const QString& key, const std::optional<QString>& value);

    Database* m_database;
    bool m_held = false;
    // Kept while held, by key; no value stands for a removal.
    QMap<QString, std::optional<QString>> m_kept;
};

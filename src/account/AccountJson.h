#pragma once

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

// The reading rules shared by every account record: a value of the wrong type reads as the
// field's default, never as an error. Only a reply's own list (requiredList) must be there.
namespace AccountJson {

// The string at key; empty when missing, null or not a string.
QString text(const QJsonObject& object, const QString& key);
// The ISO 8601 time at key; invalid when missing, empty or unreadable.
QDateTime time(const QJsonObject& object, const QString& key);
// The integer at key; 0 when missing or not an integral number.
int integer(const QJsonObject& object, const QString& key);
// The boolean at key; false when missing or not a boolean.
bool flag(const QJsonObject& object, const QString& key);

// The array at key read element by element with Record::fromJson, in order; an element that is
// not an object gives a default record at its place.
template <typename Record> QList<Record> list(const QJsonObject& object, const QString& key)
{
    QList<Record> records;
    const QJsonArray array = object.value(key).toArray();
    records.reserve(array.size());
    for (const auto& element : array)
        records.append(Record::fromJson(element.toObject()));
    return records;
}

// As list, but nothing when key holds no array: a reply without its list is told from an empty
// list.
template <typename Record>
std::optional<QList<Record>> requiredList(const QJsonObject& object, const QString& key)
{
    if (!object.value(key).isArray())
        return std::nullopt;
    return list<Record>(object, key);
}

} // namespace AccountJson

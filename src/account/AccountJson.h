#pragma once

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <algorithm>
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

// The array at key read element by element with Record::fromJson, in order, up to maxCount
// elements; an element that is not an object gives a default record at its place. leftOut,
// when given, gets the number of elements past the bound that were not read.
template <typename Record>
QList<Record> list(const QJsonObject& object, const QString& key, int maxCount,
                   int* leftOut = nullptr)
{
    QList<Record> records;
    const QJsonArray array = object.value(key).toArray();
    const qsizetype read = std::min<qsizetype>(array.size(), std::max(maxCount, 0));
    records.reserve(read);
    for (qsizetype i = 0; i < read; ++i)
        records.append(Record::fromJson(array.at(i).toObject()));
    if (leftOut)
        *leftOut = static_cast<int>(array.size() - read);
    return records;
}

// As list, but nothing when key holds no array: a reply without its list is told from an empty
// list.
template <typename Record>
std::optional<QList<Record>> requiredList(const QJsonObject& object, const QString& key,
                                          int maxCount, int* leftOut = nullptr)
{
    if (!object.value(key).isArray())
        return std::nullopt;
    return list<Record>(object, key, maxCount, leftOut);
}

} // namespace AccountJson

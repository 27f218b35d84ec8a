#include "JsonList.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QJsonArray parseArray(const QString& json)
{
    if (json.isEmpty())
        return {};
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    return document.isArray() ? document.array() : QJsonArray();
}

} // namespace

namespace JsonList {

QString fromStrings(const QStringList& values)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(values)).toJson(QJsonDocument::Compact));
}

QStringList toStrings(const QString& json)
{
    QStringList values;
    for (const QJsonValue& element : parseArray(json))
        values.append(element.isString() ? element.toString() : QString());
    return values;
}

QString fromInts(const QList<int>& values)
{
    QJsonArray array;
    for (int value : values)
        array.append(value);
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

QList<int> toInts(const QString& json)
{
    QList<int> values;
    for (const QJsonValue& element : parseArray(json)) {
        if (element.isDouble())
            values.append(element.toInt());
    }
    return values;
}

} // namespace JsonList

#include "AccountJson.h"

namespace AccountJson {

QString text(const QJsonObject& object, const QString& key)
{
    return object.value(key).toString();
}

QDateTime time(const QJsonObject& object, const QString& key)
{
    const QString value = object.value(key).toString();
    if (value.isEmpty())
        return {};
    return QDateTime::fromString(value, Qt::ISODate);
}

int integer(const QJsonObject& object, const QString& key)
{
    return object.value(key).toInt(0);
}

bool flag(const QJsonObject& object, const QString& key)
{
    return object.value(key).toBool(false);
}

} // namespace AccountJson

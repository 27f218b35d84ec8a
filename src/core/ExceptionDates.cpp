#include "ExceptionDates.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace ExceptionDates {

QStringList read(const QString& json)
{
    QStringList dates;
    if (json.isEmpty())
        return dates;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    const QJsonArray items = document.array();
    dates.reserve(items.size());
    for (const QJsonValue& item : items) {
        if (item.isString())
            dates.append(item.toString());
    }
    return dates;
}

// Written by hand: the reader of a large feed writes one list per series, and date texts need
// no escaping beyond the rare character handled here.
QString write(const QStringList& dates)
{
    QString json;
    json.reserve(dates.size() * 19 + 2);
    json += u'[';
    for (qsizetype i = 0; i < dates.size(); ++i) {
        if (i > 0)
            json += u',';
        json += u'"';
        for (const QChar c : dates[i]) {
            if (c == u'"' || c == u'\\') {
                json += u'\\';
                json += c;
            } else if (c.unicode() < 0x20) {
                json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            } else {
                json += c;
            }
        }
        json += u'"';
    }
    json += u']';
    return json;
}

} // namespace ExceptionDates

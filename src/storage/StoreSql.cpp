#include "StoreSql.h"

#include <QDebug>

namespace StoreSql {

QString placeholders(int count, QStringView separator)
{
    QString out;
    out.reserve(count * (1 + separator.size()));
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out.append(separator);
        out.append(u'?');
    }
    return out;
}

bool forEachSlice(const QStringList& values, const std::function<bool(const QStringList&)>& body)
{
    for (qsizetype start = 0; start < values.size(); start += maxInListValues) {
        if (!body(values.mid(start, maxInListValues)))
            return false;
    }
    return true;
}

QString containsPattern(const QString& text)
{
    QString pattern;
    pattern.reserve(text.size() + 2);
    pattern.append(u'%');
    for (const QChar c : text) {
        if (c == u'%' || c == u'_' || c == u'\\')
            pattern.append(u'\\');
        pattern.append(c);
    }
    pattern.append(u'%');
    return pattern;
}

void logFailure(const char* operation, const QSqlError& error)
{
    logFailure(operation, error.text());
}

void logFailure(const char* operation, const QString& text)
{
    qWarning().noquote() << QLatin1StringView(operation) + QStringLiteral(" failed:") << text;
}

} // namespace StoreSql

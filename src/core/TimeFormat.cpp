#include "TimeFormat.h"

#include <QLocale>

namespace TimeFormat {

QString pattern(bool use24Hour)
{
    return use24Hour ? QStringLiteral("HH:mm") : QStringLiteral("h:mm AP");
}

QString format(const QDateTime& time, const QString& pattern)
{
    if (!time.isValid())
        return {};
    // The C locale writes the markers in English; the user's locale would translate them.
    return QLocale::c().toString(time.time(), pattern);
}

} // namespace TimeFormat

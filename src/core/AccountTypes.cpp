#include "AccountTypes.h"

#include <QtGlobal>

#include <iterator>

namespace AccountTypes {

namespace {

// The cloud account and the local account "On This Device" share the word "orvandellic"; the
// label names the local one, since the signed-in cloud account is listed under its own name.
const Type types[] = {
    {"caldav", Family::CalDav, true, Client::CalDav, QT_TRANSLATE_NOOP("QObject", "CalDAV")},
    {"icloud", Family::CalDav, true, Client::CalDav, QT_TRANSLATE_NOOP("QObject", "iCloud")},
    {"zoho", Family::CalDav, true, Client::CalDav, QT_TRANSLATE_NOOP("QObject", "Zoho")},
    {"google", Family::Google, true, Client::Google, QT_TRANSLATE_NOOP("QObject", "Google")},
    {"microsoft", Family::Microsoft, true, Client::Microsoft,
     QT_TRANSLATE_NOOP("QObject", "Microsoft")},
    {"webcal", Family::Webcal, false, Client::Webcal, QT_TRANSLATE_NOOP("QObject", "Subscription")},
    {"orvandellic", Family::Cloud, false, Client::Cloud,
     QT_TRANSLATE_NOOP("QObject", "This device")},
};

const Type unknown{"", Family::Unknown, false, std::nullopt,
                   QT_TRANSLATE_NOOP("QObject", "This device")};

} // namespace

const Type& of(const QString& word)
{
    for (const Type& type : types) {
        if (word == QLatin1String(type.word))
            return type;
    }
    return unknown;
}

QStringList words()
{
    QStringList result;
    result.reserve(qsizetype(std::size(types)));
    for (const Type& type : types)
        result.append(QLatin1String(type.word));
    return result;
}

bool isKnown(const QString& word)
{
    return of(word).family != Family::Unknown;
}

bool isCalDavFamily(const QString& word)
{
    return of(word).family == Family::CalDav;
}

bool isTwoWay(const QString& word)
{
    return of(word).twoWay;
}

bool isOAuth(const QString& word)
{
    const Family family = of(word).family;
    return family == Family::Google || family == Family::Microsoft;
}

std::optional<Client> clientOf(const QString& word)
{
    return of(word).client;
}

const char* labelSource(const QString& word)
{
    return of(word).label;
}

} // namespace AccountTypes

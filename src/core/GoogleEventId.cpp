#include "GoogleEventId.h"

#include <QCryptographicHash>

namespace Google {

QString clientEventId(const QString& localId)
{
    QString id = localId.toLower();
    id.remove(u'-');
    bool base32hex = id.size() >= 5 && id.size() <= 1024;
    for (qsizetype i = 0; base32hex && i < id.size(); ++i) {
        const char16_t c = id[i].unicode();
        base32hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'v');
    }
    if (base32hex)
        return id;
    return QString::fromLatin1(
        QCryptographicHash::hash(localId.toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace Google

#include "DetachedWindowGeometry.h"

#include "PreferencesRepository.h"

#include <QByteArray>
#include <QWidget>

namespace DetachedWindowGeometry {

void restore(QWidget* window, PreferencesRepository* preferences, const QString& key)
{
    if (!preferences)
        return;
    const QString text = preferences->getString(key, QString());
    if (text.isEmpty())
        return;
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (decoded && !decoded.decoded.isEmpty())
        window->restoreGeometry(decoded.decoded);
}

void save(const QWidget* window, PreferencesRepository* preferences, const QString& key)
{
    if (preferences)
        preferences->set(key, QString::fromLatin1(window->saveGeometry().toBase64()));
}

} // namespace DetachedWindowGeometry

#include "DetachedWindowGeometry.h"

#include "PreferencesRepository.h"
#include "WindowFit.h"

#include <QByteArray>
#include <QWidget>

namespace DetachedWindowGeometry {

void restore(QWidget* window, PreferencesRepository* preferences, const QString& key)
{
    const QString text = preferences ? preferences->getString(key, QString()) : QString();
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    // A restored geometry is kept on its screen by the toolkit.
    if (text.isEmpty() || !decoded || decoded.decoded.isEmpty() ||
        !window->restoreGeometry(decoded.decoded))
        WindowFit::boundToScreen(window);
}

void save(const QWidget* window, PreferencesRepository* preferences, const QString& key)
{
    if (preferences)
        preferences->set(key, QString::fromLatin1(window->saveGeometry().toBase64()));
}

} // namespace DetachedWindowGeometry

#include "DetachedWindowGeometry.h"

#include "PreferencesRepository.h"

#include <QByteArray>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace DetachedWindowGeometry {

namespace {

// Room left on the screen for the window's title bar and frame, which are not known before it
// is first shown.
constexpr int frameAllowance = 60;

// The built size, bounded by the screen's free area: on a small screen the window's foot (the
// tasks' "+ New Task") stays on it.
void fitScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize room(available.width(), std::max(0, available.height() - frameAllowance));
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room));
}

} // namespace

void restore(QWidget* window, PreferencesRepository* preferences, const QString& key)
{
    const QString text = preferences ? preferences->getString(key, QString()) : QString();
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    // A restored geometry is kept on its screen by the toolkit.
    if (text.isEmpty() || !decoded || decoded.decoded.isEmpty() ||
        !window->restoreGeometry(decoded.decoded))
        fitScreen(window);
}

void save(const QWidget* window, PreferencesRepository* preferences, const QString& key)
{
    if (preferences)
        preferences->set(key, QString::fromLatin1(window->saveGeometry().toBase64()));
}

} // namespace DetachedWindowGeometry

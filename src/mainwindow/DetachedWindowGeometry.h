#pragma once

#include <QString>

class PreferencesRepository;
class QWidget;

// The detached windows keep their place on the screen as Base64 of the toolkit's geometry blob
// under a preference of their own.
namespace DetachedWindowGeometry {

// Restores what `key` holds; empty, non-Base64 or unreadable text leaves the window as built, at
// most as large as the screen's free area allows.
void restore(QWidget* window, PreferencesRepository* preferences, const QString& key);
void save(const QWidget* window, PreferencesRepository* preferences, const QString& key);

} // namespace DetachedWindowGeometry

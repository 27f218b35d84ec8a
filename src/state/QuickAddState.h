#pragma once

#include "QuickAdd.h"

class AppState;

// The QuickAdd steps over the state hub: they read and write its repositories.
namespace QuickAdd {

// Over the hub.
QString chooseCalendar(const AppState* state, const QString& preferredId);
Event buildEvent(const AppState* state, const QString& text, const QString& preferredId);
// Why createEvent stored nothing.
enum class Failure {
    None,
    Unreadable,         // blank text, or one naming a date or length no event can have
    NoWritableCalendar, // no calendar accepts events (read-only or tasks only), or none at all
    WriteFailed,
};

// The stored event's id (kept until the end of an import that holds the store: see
// AppState::insertOrKeep), or empty when nothing was stored; `failure`, when given, says why.
QString createEvent(AppState* state, const QString& text, const QString& preferredId,
                    Failure* failure = nullptr);

} // namespace QuickAdd

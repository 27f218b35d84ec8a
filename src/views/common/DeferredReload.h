#pragma once

#include <functional>

class QObject;
class QTimer;

// The reload that a change of date asks of a view, run from the event loop: steps queued
// together (a held key, a fast wheel) each move the date and the title at once but read the
// store once, for where they land, when the loop comes round.
namespace DeferredReload {

// A single-shot zero-delay timer owned by `owner` that runs `reload`. Start it for each change
// (a running one is restarted, so the changes coalesce); stop it when a reload ran anyway.
QTimer* create(QObject* owner, const std::function<void()>& reload);

} // namespace DeferredReload

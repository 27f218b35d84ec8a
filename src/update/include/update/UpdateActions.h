#pragma once

#include "Config.h"
#include "StatusCallbacks.h"

#include <QString>

class QWidget;

namespace OrvaUpdate {

// A check the user asked for: "Checking for updates…" in the status bar, then the update dialog
// (non-modal, over parent), an up-to-date message or the failure, through the callbacks.
void checkForUpdatesInteractive(const Config& config, const QString& appDisplayName,
                                QWidget* parent, const StatusCallbacks& callbacks);

// Opens the what's-new window over parent and loads the running version's release notes into
// it, with progress in the status bar.
void showWhatsNew(const Config& config, const QString& appDisplayName, QWidget* parent,
                  const StatusCallbacks& callbacks);

} // namespace OrvaUpdate

#pragma once

#include <QString>

#include <functional>

namespace OrvaUpdate {

// Where a check started by the user reports its progress (the main window's status bar).
// Any callback may be empty.
struct StatusCallbacks
{
    std::function<void(const QString& text)> showMessage;
    std::function<void()> clearMessage;
    std::function<void(const QString& text, int milliseconds)> showMessageFor;
};

} // namespace OrvaUpdate

#pragma once

#include <QMetaType>

namespace OrvaAccount {

// The sign-in state; other subsystems compare it with 1 and 3, so the numbers are fixed.
enum class AuthState : int {
    Initial = 0,
    SignedOut = 1,
    SignedIn = 3,
};

} // namespace OrvaAccount

Q_DECLARE_METATYPE(OrvaAccount::AuthState)

#pragma once

#include <QMetaType>
#include <QString>

namespace OrvaAccount {

// The product's claims in an access token: the user's group and role in it; empty when none.
struct OrvClaims
{
    QString groupId;
    QString role;
};

} // namespace OrvaAccount

Q_DECLARE_METATYPE(OrvaAccount::OrvClaims)

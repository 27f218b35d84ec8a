#pragma once

#include "SharingBackend.h"

#include <QPointer>

namespace OrvaAccount {
class ApiClient;
}

namespace Orvandellic {

// Calendar sharing at the cloud calendar sync service, over its transport: the members of a
// calendar, a grant to a user and its removal. Calendar and user ids are percent-encoded in the
// paths. Without a transport every call fails at once ("Not signed in").
class SharingBackend : public OrvaAccount::SharingBackend
{
    Q_OBJECT

public:
    SharingBackend(OrvaAccount::ApiClient* syncApi, QObject* parent = nullptr);

    // A reply without the "members" array fails as one that could not be read.
    void listMembers(const QString& calendarId, MembersCallback callback) override;
    // The role "member" when none is given; a failure carries the service's "error" text, else
    // "Sharing failed (HTTP n)".
    void shareWith(const QString& calendarId, const QString& userId, const QString& role,
                   std::function<void(bool ok, const QString& error)> callback) override;
    void removeShare(const QString& calendarId, const QString& userId,
                     std::function<void(bool ok)> callback) override;

private:
    QPointer<OrvaAccount::ApiClient> m_syncApi;
};

} // namespace Orvandellic

#pragma once

#include "Client.h"
#include "Device.h"
#include "Group.h"
#include "GroupInvitation.h"
#include "Profile.h"

#include <QObject>

#include <functional>

namespace OrvaAccount {

class ApiClient;
class AuthClient;

// The account service's own resources: profile, devices, and the user's group with its members
// and invitations. Every callback runs once; a failure gives a default record, an empty list or
// false. Keeps no cache.
class AccountClient : public QObject
{
    Q_OBJECT

public:
    AccountClient(ApiClient* api, AuthClient* auth, const Client::Config& config,
                  QObject* parent = nullptr);

    void getProfile(std::function<void(Profile)> callback);
    void deleteAccount(std::function<void(bool)> callback);
    void getDevices(std::function<void(QList<Device>)> callback);
    // As getDevices, with the reason of a failure in words (empty on success); a reply without
    // the "devices" array fails, as a reply that could not be read. At most
    // Limits::maxAccountDevices are read; leftOut counts those past the bound.
    void fetchDevices(std::function<void(QList<Device>, QString error, int leftOut)> callback);
    void getGroup(std::function<void(Group)> callback);
    // As getGroup, with the reason of a failure in words. The service's "not found" means the
    // user has no group: a default group and no error. A group without its id, or whose
    // "members" is no array, an empty one or one with entries that are not objects, fails, as a
    // reply that could not be read. Members and invitations are read up to their bounds.
    void fetchGroup(std::function<void(Group, QString error)> callback);
    void generateInviteCode(std::function<void(GroupInvitation)> callback);
    void inviteByEmail(const QString& email, std::function<void(GroupInvitation)> callback);
    // On success asks for a new token (its claims name the new group) and emits groupChanged.
    void joinGroup(const QString& code, std::function<void(bool)> callback);

    // The removals and leaving: callback, when given, gets the service's answer (success, or
    // false and the reason in words). An empty id (or invite code) is never sent: the call
    // fails at once, with ApiClient::missingIdText.
    using Answer = std::function<void(bool ok, QString error)>;
    void removeDevice(const QString& deviceId, Answer callback = {});
    // On success asks for a new token and emits groupChanged, before the callback.
    void leaveGroup(Answer callback = {});
    // On success emits groupChanged, before the callback.
    void removeMember(const QString& accountId, Answer callback = {});
    void revokeInvitation(const QString& invitationId, Answer callback = {});

Q_SIGNALS:
    void groupChanged();

private:
    void refreshTokenAndNotify();

    ApiClient* m_api;
    AuthClient* m_auth;
};

} // namespace OrvaAccount

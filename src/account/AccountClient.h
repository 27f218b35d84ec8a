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
    // the "devices" array fails, as a reply that could not be read.
    void fetchDevices(std::function<void(QList<Device>, QString error)> callback);
    void getGroup(std::function<void(Group)> callback);
    // As getGroup, with the reason of a failure in words. The service's "not found" means the
    // user has no group: a default group and no error. A group without its id or without its
    // "members" array fails, as a reply that could not be read.
    void fetchGroup(std::function<void(Group, QString error)> callback);
    void generateInviteCode(std::function<void(GroupInvitation)> callback);
    void inviteByEmail(const QString& email, std::function<void(GroupInvitation)> callback);
    // On success asks for a new token (its claims name the new group) and emits groupChanged.
    void joinGroup(const QString& code, std::function<void(bool)> callback);

    // The removals and leaving: callback, when given, gets the service's answer (success, or
    // false and the reason in words).
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

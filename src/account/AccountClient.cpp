#include "AccountClient.h"

#include "ApiClient.h"
#include "AuthClient.h"

#include <QPointer>

namespace OrvaAccount {

namespace {

// A reply handler that hands the caller what `read` makes of a successful reply, else the
// result's default.
template <typename Result, typename Read>
ApiClient::Callback replyAs(std::function<void(Result)> callback, Read read)
{
    return [callback, read](bool ok, int, const QJsonObject& json) {
        if (callback)
            callback(ok ? read(json) : Result());
    };
}

} // namespace

AccountClient::AccountClient(ApiClient* api, AuthClient* auth, const Client::Config&,
                             QObject* parent)
    : QObject(parent), m_api(api), m_auth(auth)
{
}

void AccountClient::getProfile(std::function<void(Profile)> callback)
{
    m_api->get(QStringLiteral("/profile"), replyAs(std::move(callback), &Profile::fromJson));
}

void AccountClient::deleteAccount(std::function<void(bool)> callback)
{
    m_api->del(QStringLiteral("/profile"), [callback](bool ok, int, const QJsonObject&) {
        if (callback)
            callback(ok);
    });
}

void AccountClient::getDevices(std::function<void(QList<Device>)> callback)
{
    m_api->get(QStringLiteral("/devices"),
               replyAs(std::move(callback), [](const QJsonObject& json) {
                   return AccountJson::list<Device>(json, QStringLiteral("devices"));
               }));
}

void AccountClient::removeDevice(const QString& deviceId)
{
    m_api->del(QStringLiteral("/devices/%1").arg(deviceId), {});
}

void AccountClient::getGroup(std::function<void(Group)> callback)
{
    m_api->get(QStringLiteral("/group"), replyAs(std::move(callback), &Group::fromJson));
}

void AccountClient::generateInviteCode(std::function<void(GroupInvitation)> callback)
{
    inviteByEmail(QString(), std::move(callback));
}

void AccountClient::inviteByEmail(const QString& email,
                                  std::function<void(GroupInvitation)> callback)
{
    QJsonObject body;
    if (!email.isNull())
        body.insert(QStringLiteral("email"), email);
    m_api->post(QStringLiteral("/group/invite"), body,
                replyAs(std::move(callback), &GroupInvitation::fromJson));
}

void AccountClient::joinGroup(const QString& code, std::function<void(bool)> callback)
{
    QPointer<AccountClient> self(this);
    m_api->post(QStringLiteral("/group/join/%1").arg(code), {},
                [self, callback](bool ok, int, const QJsonObject&) {
                    if (ok && self)
                        self->refreshTokenAndNotify();
                    if (callback)
                        callback(ok);
                });
}

void AccountClient::leaveGroup()
{
    QPointer<AccountClient> self(this);
    m_api->post(QStringLiteral("/group/leave"), {}, [self](bool ok, int, const QJsonObject&) {
        if (ok && self)
            self->refreshTokenAndNotify();
    });
}

void AccountClient::removeMember(const QString& accountId)
{
    QPointer<AccountClient> self(this);
    m_api->del(QStringLiteral("/group/members/%1").arg(accountId),
               [self](bool ok, int, const QJsonObject&) {
                   if (ok && self)
                       Q_EMIT self->groupChanged();
               });
}

void AccountClient::revokeInvitation(const QString& invitationId)
{
    m_api->del(QStringLiteral("/group/invitations/%1").arg(invitationId), {});
}

void AccountClient::refreshTokenAndNotify()
{
    m_auth->refreshToken({});
    Q_EMIT groupChanged();
}

} // namespace OrvaAccount

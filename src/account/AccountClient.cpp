#include "AccountClient.h"

#include "ApiClient.h"
#include "AuthClient.h"

#include <QJsonArray>
#include <QPointer>

#include <algorithm>

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

// A reply handler that hands the caller the service's answer to a change.
ApiClient::Callback answerOf(AccountClient::Answer callback)
{
    return [callback](bool ok, int status, const QJsonObject& json) {
        if (callback)
            callback(ok, ok ? QString() : ApiClient::failureText(status, json));
    };
}

// An empty id would make the path name the whole collection: such a request is never sent.
bool refusedWithoutId(const QString& id, const AccountClient::Answer& callback)
{
    if (!id.isEmpty())
        return false;
    if (callback)
        callback(false, ApiClient::missingIdText());
    return true;
}

// A group lists its members, its owner at least, each an object; an empty list, or one with
// entries of another kind, is a reply of another shape.
bool membersReadable(const QJsonObject& json)
{
    const QJsonValue members = json.value(QStringLiteral("members"));
    if (!members.isArray())
        return false;
    const QJsonArray array = members.toArray();
    return !array.isEmpty() && std::all_of(array.begin(), array.end(), [](const QJsonValue& entry) {
        return entry.isObject();
    });
}

constexpr int notFound = 404;

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
                   return AccountJson::list<Device>(json, QStringLiteral("devices"),
                                                    Limits::maxAccountDevices);
               }));
}

void AccountClient::fetchDevices(std::function<void(QList<Device>, QString, int)> callback)
{
    m_api->get(QStringLiteral("/devices"),
               ApiClient::listReply<Device>(std::move(callback), QStringLiteral("devices"),
                                            Limits::maxAccountDevices));
}

void AccountClient::removeDevice(const QString& deviceId, Answer callback)
{
    if (refusedWithoutId(deviceId, callback))
        return;
    m_api->del(QStringLiteral("/devices/") + ApiClient::pathSegment(deviceId),
               answerOf(std::move(callback)));
}

void AccountClient::getGroup(std::function<void(Group)> callback)
{
    m_api->get(QStringLiteral("/group"), replyAs(std::move(callback), &Group::fromJson));
}

void AccountClient::fetchGroup(std::function<void(Group, QString)> callback)
{
    m_api->get(QStringLiteral("/group"), [callback](bool ok, int status, const QJsonObject& json) {
        if (!callback)
            return;
        if (!ok) {
            callback(Group(),
                     status == notFound ? QString() : ApiClient::failureText(status, json));
            return;
        }
        const Group group = Group::fromJson(json);
        // Only "not found" means no group: a group without its id, or without the list of its
        // members (its owner at least), is a reply of another shape.
        if (group.id.isEmpty() || !membersReadable(json)) {
            qWarning("[Account] the group answered without its id or its members");
            callback(Group(), ApiClient::unreadableReplyText());
            return;
        }
        if (group.membersLeftOut > 0 || group.invitationsLeftOut > 0)
            qWarning("[Account] the group's lists were cut: %d members and %d invitations left "
                     "out",
                     group.membersLeftOut, group.invitationsLeftOut);
        callback(group, QString());
    });
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
    if (code.isEmpty()) {
        if (callback)
            callback(false);
        return;
    }
    QPointer<AccountClient> self(this);
    m_api->post(QStringLiteral("/group/join/") + ApiClient::pathSegment(code), {},
                [self, callback](bool ok, int, const QJsonObject&) {
                    if (ok && self)
                        self->refreshTokenAndNotify();
                    if (callback)
                        callback(ok);
                });
}

void AccountClient::leaveGroup(Answer callback)
{
    QPointer<AccountClient> self(this);
    const ApiClient::Callback answer = answerOf(std::move(callback));
    m_api->post(QStringLiteral("/group/leave"), {},
                [self, answer](bool ok, int status, const QJsonObject& json) {
                    if (ok && self)
                        self->refreshTokenAndNotify();
                    answer(ok, status, json);
                });
}

void AccountClient::removeMember(const QString& accountId, Answer callback)
{
    if (refusedWithoutId(accountId, callback))
        return;
    QPointer<AccountClient> self(this);
    const ApiClient::Callback answer = answerOf(std::move(callback));
    m_api->del(QStringLiteral("/group/members/") + ApiClient::pathSegment(accountId),
               [self, answer](bool ok, int status, const QJsonObject& json) {
                   if (ok && self)
                       Q_EMIT self->groupChanged();
                   answer(ok, status, json);
               });
}

void AccountClient::revokeInvitation(const QString& invitationId, Answer callback)
{
    if (refusedWithoutId(invitationId, callback))
        return;
    m_api->del(QStringLiteral("/group/invitations/") + ApiClient::pathSegment(invitationId),
               answerOf(std::move(callback)));
}

void AccountClient::refreshTokenAndNotify()
{
    m_auth->refreshToken({});
    Q_EMIT groupChanged();
}

} // namespace OrvaAccount

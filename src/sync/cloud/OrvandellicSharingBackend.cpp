#include "OrvandellicSharingBackend.h"

#include "ApiClient.h"
#include "Limits.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace Orvandellic {

namespace {

using OrvaAccount::ApiClient;

QString notSignedIn()
{
    return QCoreApplication::translate("Orvandellic::SharingBackend", "Not signed in");
}

QString calendarPath(const QString& calendarId)
{
    return QStringLiteral("/calendars/") + ApiClient::pathSegment(calendarId);
}

} // namespace

SharingBackend::SharingBackend(ApiClient* syncApi, QObject* parent)
    : OrvaAccount::SharingBackend(parent), m_syncApi(syncApi)
{
}

void SharingBackend::listMembers(const QString& calendarId, MembersCallback callback)
{
    if (!m_syncApi) {
        callback(false, {}, notSignedIn());
        return;
    }
    m_syncApi->get(
        calendarPath(calendarId) + QStringLiteral("/members"),
        ApiClient::whileAlive(this, [callback](bool ok, int status, const QJsonObject& json) {
            if (!ok) {
                callback(false, {}, ApiClient::failureText(status, json));
                return;
            }
            // Without its array the answer says nothing about who has access: read as an empty
            // list, it would offer everybody as though nobody had.
            const QJsonValue listedValue = json.value(QLatin1String("members"));
            if (!listedValue.isArray()) {
                qWarning("[Sharing] the share list answered without its list");
                callback(false, {}, ApiClient::unreadableReplyText());
                return;
            }
            QList<OrvaAccount::ShareMember> members;
            const QJsonArray listed = listedValue.toArray();
            for (const QJsonValue& entry : listed) {
                if (members.size() >= Limits::maxShareMembers)
                    break;
                members.append(OrvaAccount::ShareMember::fromJson(entry.toObject()));
            }
            callback(true, members, QString());
        }));
}

void SharingBackend::shareWith(const QString& calendarId, const QString& userId,
                               const QString& role,
                               std::function<void(bool ok, const QString& error)> callback)
{
    if (!m_syncApi) {
        callback(false, notSignedIn());
        return;
    }
    const QJsonObject body{
        {QStringLiteral("user_id"), userId},
        {QStringLiteral("role"), role.isEmpty() ? QStringLiteral("member") : role}};
    m_syncApi->post(
        calendarPath(calendarId) + QStringLiteral("/share"), body,
        ApiClient::whileAlive(this, [callback](bool ok, int status, const QJsonObject& json) {
            if (ok) {
                callback(true, QString());
                return;
            }
            QString error = json.value(QLatin1String("error")).toString().trimmed();
            if (error.isEmpty())
                error = QCoreApplication::translate("Orvandellic::SharingBackend",
                                                    "Sharing failed (HTTP %1)")
                            .arg(status);
            callback(false, error.left(Limits::maxServiceErrorTextChars));
        }));
}

void SharingBackend::removeShare(const QString& calendarId, const QString& userId,
                                 std::function<void(bool ok)> callback)
{
    if (!m_syncApi) {
        callback(false);
        return;
    }
    m_syncApi->del(
        calendarPath(calendarId) + QStringLiteral("/share/") + ApiClient::pathSegment(userId),
        ApiClient::whileAlive(this,
                              [callback](bool ok, int, const QJsonObject&) { callback(ok); }));
}

} // namespace Orvandellic

#pragma once

#include "ShareMember.h"

#include <QList>
#include <QObject>

#include <functional>

namespace OrvaAccount {

// Who has access to a calendar, granting and taking away access: the service behind the share
// dialog. Each operation calls its callback exactly once, on the GUI thread, unless the backend
// is destroyed first.
class SharingBackend : public QObject
{
    Q_OBJECT

public:
    // The people with access; on failure an empty list, ok false and the reason in words.
    using MembersCallback =
        std::function<void(bool ok, const QList<ShareMember>& members, const QString& error)>;

    explicit SharingBackend(QObject* parent = nullptr);
    ~SharingBackend() override;

    virtual void listMembers(const QString& calendarId, MembersCallback callback) = 0;
    // error is empty on success.
    virtual void shareWith(const QString& calendarId, const QString& userId, const QString& role,
                           std::function<void(bool ok, const QString& error)> callback) = 0;
    virtual void removeShare(const QString& calendarId, const QString& userId,
                             std::function<void(bool ok)> callback) = 0;
    // The identity under which a group member (by its account id) is known in shares; by
    // default the account id itself.
    virtual QString shareUserIdFor(const QString& memberAccountId);
};

} // namespace OrvaAccount

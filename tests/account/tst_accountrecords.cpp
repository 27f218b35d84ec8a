#include "Group.h"
#include "Profile.h"
#include "Session.h"
#include "User.h"

#include <QJsonDocument>
#include <QTest>

using namespace OrvaAccount;

class TestAccountRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: a JSON object, the record it is read as, and the fields that must come out.
    // Fields are compared through a text form so one table covers every record and field type.
    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("text present") << QByteArray(R"({"display_name":"Ada"})") << "User"
                                      << QStringList{"displayName=Ada", "email="};
        QTest::newRow("text null or not a string")
            << QByteArray(R"({"email":null,"username":5,"avatar_url":["x"]})") << "User"
            << QStringList{"email=", "username=", "avatarUrl="};
        QTest::newRow("time with Z") << QByteArray(R"({"created_at":"2025-03-01T08:30:00Z"})")
                                     << "User" << QStringList{"createdAt=2025-03-01T08:30:00Z"};
        QTest::newRow("time with offset")
            << QByteArray(R"({"created_at":"2025-03-01T09:30:00+01:00"})") << "User"
            << QStringList{"createdAt=2025-03-01T08:30:00Z"};
        QTest::newRow("time empty or a word")
            << QByteArray(R"({"created_at":"","last_active_at":"yesterday"})") << "Session"
            << QStringList{"createdAt=invalid", "lastActiveAt=invalid"};
        QTest::newRow("time not a string") << QByteArray(R"({"created_at":1740817800})") << "User"
                                           << QStringList{"createdAt=invalid"};
        QTest::newRow("flag true")
            << QByteArray(R"({"is_current":true})") << "Session" << QStringList{"isCurrent=1"};
        QTest::newRow("flag missing or not a boolean")
            << QByteArray(R"({"is_current":"true"})") << "Session" << QStringList{"isCurrent=0"};
        QTest::newRow("integer") << QByteArray(R"({"max_seats":6})") << "Group"
                                 << QStringList{"maxSeats=6"};
        QTest::newRow("integer as text")
            << QByteArray(R"({"max_seats":"6"})") << "Group" << QStringList{"maxSeats=0"};
        QTest::newRow("integer fractional")
            << QByteArray(R"({"max_seats":2.5})") << "Group" << QStringList{"maxSeats=0"};
        QTest::newRow("list in order")
            << QByteArray(R"({"members":[{"account_id":"a"},{"account_id":"b"}]})") << "Group"
            << QStringList{"members=a,b"};
        QTest::newRow("list element not an object")
            << QByteArray(R"({"members":[{"account_id":"a"},7,{"account_id":"c"}]})") << "Group"
            << QStringList{"members=a,,c"};
        QTest::newRow("list not an array")
            << QByteArray(R"({"members":{"account_id":"a"},"pending_invitations":null})") << "Group"
            << QStringList{"members=", "invitations="};
        QTest::newRow("nested invitation")
            << QByteArray(
                   R"({"pending_invitations":[{"invite_code":"X1","expires_at":"2025-03-01T08:30:00Z"}]})")
            << "Group" << QStringList{"invitations=X1@2025-03-01T08:30:00Z"};
        QTest::newRow("profile without group")
            << QByteArray(R"({"id":"p"})") << "Profile" << QStringList{"group=absent"};
        QTest::newRow("profile with null group")
            << QByteArray(R"({"group":null})") << "Profile" << QStringList{"group=||0"};
        QTest::newRow("profile with group")
            << QByteArray(R"({"group":{"id":"g","name":"Family","member_count":3}})") << "Profile"
            << QStringList{"group=g|Family|3"};
        QTest::newRow("member count as text")
            << QByteArray(R"({"group":{"id":"g","member_count":"3"}})") << "Profile"
            << QStringList{"group=g||0"};
        QTest::newRow("unknown keys ignored")
            << QByteArray(R"({"id":"u","extra":{"deep":[1,2]}})") << "User" << QStringList{"id=u"};
    }

    void readingRules()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, record);
        QFETCH(QStringList, expected);
        const QJsonObject object = QJsonDocument::fromJson(json).object();
        const auto time = [](const QDateTime& value) {
            return value.isValid() ? value.toUTC().toString(Qt::ISODate)
                                   : QStringLiteral("invalid");
        };
        QHash<QString, QString> fields;
        if (record == QLatin1String("User")) {
            const User user = User::fromJson(object);
            fields = {{"id", user.id},
                      {"email", user.email},
                      {"displayName", user.displayName},
                      {"username", user.username},
                      {"avatarUrl", user.avatarUrl},
                      {"createdAt", time(user.createdAt)}};
        } else if (record == QLatin1String("Session")) {
            const Session session = Session::fromJson(object);
            fields = {{"createdAt", time(session.createdAt)},
                      {"lastActiveAt", time(session.lastActiveAt)},
                      {"isCurrent", QString::number(session.isCurrent)}};
        } else if (record == QLatin1String("Group")) {
            const Group group = Group::fromJson(object);
            QStringList members;
            for (const auto& member : group.members)
                members.append(member.accountId);
            QStringList invitations;
            for (const auto& invitation : group.pendingInvitations)
                invitations.append(invitation.inviteCode + QLatin1Char('@') +
                                   time(invitation.expiresAt));
            fields = {{"maxSeats", QString::number(group.maxSeats)},
                      {"members", members.join(QLatin1Char(','))},
                      {"invitations", invitations.join(QLatin1Char(','))}};
        } else {
            const Profile profile = Profile::fromJson(object);
            fields = {{"group", profile.group ? QStringLiteral("%1|%2|%3")
                                                    .arg(profile.group->id, profile.group->name)
                                                    .arg(profile.group->memberCount)
                                              : QStringLiteral("absent")}};
        }
        for (const QString& line : expected) {
            const QString name = line.section(QLatin1Char('='), 0, 0);
            QVERIFY2(fields.contains(name), qPrintable(name));
            QCOMPARE(fields.value(name), line.section(QLatin1Char('='), 1));
        }
    }
};

QTEST_GUILESS_MAIN(TestAccountRecords)
#include "tst_accountrecords.moc"

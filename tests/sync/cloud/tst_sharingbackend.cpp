#include "CloudTesting.h"

#include "ApiClient.h"
#include "Client.h"
#include "LoopbackHttpServer.h"
#include "OrvandellicSharingBackend.h"

#include <QJsonArray>

namespace {

// An id that would change the path if it were not encoded.
const QString awkwardCalendar = QStringLiteral("team/cal 1?x");

struct Shared
{
    bool done = false;
    bool ok = false;
    QString error;
};

} // namespace

class TestSharingBackend : public QObject
{
    Q_OBJECT

private:
    CloudWorld m_world;

    OrvaAccount::ApiClient* syncApi() const
    {
        return m_world.state()->accountClient()->syncApiClient();
    }

    Shared share(Orvandellic::SharingBackend& backend, const QString& userId, const QString& role)
    {
        Shared result;
        backend.shareWith(awkwardCalendar, userId, role, [&](bool ok, const QString& error) {
            result = {true, ok, error};
        });
        (void)QTest::qWaitFor([&] { return result.done; }, 10000);
        return result;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_world.start({awkwardCalendar})); }

    void cleanup() { m_world.stop(); }

    void membersGrantAndRemovalGoToEncodedPaths()
    {
        Orvandellic::SharingBackend backend(syncApi());
        const Shared granted = share(backend, QStringLiteral("user/2"), QString());
        QVERIFY(granted.ok);
        QVERIFY(granted.error.isEmpty());
        const auto grant = m_world.cloud->requests().last();
        QCOMPARE(grant.encodedPath,
                 QStringLiteral("/calendar/v1/calendars/team%2Fcal%201%3Fx/share"));
        QCOMPARE(grant.json().value(QLatin1String("role")).toString(), QStringLiteral("member"));

        bool listed = false;
        QList<OrvaAccount::ShareMember> members;
        backend.listMembers(
            awkwardCalendar,
            [&](bool ok, const QList<OrvaAccount::ShareMember>& list, const QString& error) {
                listed = ok && error.isEmpty();
                members = list;
            });
        QTRY_VERIFY_WITH_TIMEOUT(listed, 10000);
        QCOMPARE(members.size(), 2);
        QCOMPARE(members.at(0).role, QStringLiteral("owner"));
        QCOMPARE(members.at(0).displayName, QStringLiteral("Ada Lovelace"));
        QCOMPARE(members.at(1).id, QStringLiteral("user/2"));
        QCOMPARE(members.at(1).userId, QStringLiteral("user/2"));

        std::optional<bool> removed;
        backend.removeShare(awkwardCalendar, QStringLiteral("user/2"),
                            [&](bool ok) { removed = ok; });
        QTRY_VERIFY_WITH_TIMEOUT(removed.has_value(), 10000);
        QVERIFY(*removed);
        QCOMPARE(m_world.cloud->requests().last().encodedPath,
                 QStringLiteral("/calendar/v1/calendars/team%2Fcal%201%3Fx/share/user%2F2"));
        QCOMPARE(m_world.cloud->members(awkwardCalendar).size(), 1);

        // Removing again: the service no longer knows the share.
        removed.reset();
        backend.removeShare(awkwardCalendar, QStringLiteral("user/2"),
                            [&](bool ok) { removed = ok; });
        QTRY_VERIFY_WITH_TIMEOUT(removed.has_value(), 10000);
        QVERIFY(!*removed);
    }

    // A list answer must hold its members' array: an object of another shape is a failure,
    // not a calendar shared with nobody; an empty array is one.
    void failuresCarryTheReason_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("shareError");
        QTest::addColumn<QByteArray>("listBody"); // answered with 200 when not empty
        QTest::addColumn<QString>("listError");   // empty: listed
        const QString unreadable = QStringLiteral("The service's reply could not be read");
        QTest::newRow("service's words") << 409 << QStringLiteral("injected failure")
                                         << QByteArray() << QStringLiteral("injected failure");
        QTest::newRow("no answer")
            << 0 << QString() << QByteArray() << QStringLiteral("The service could not be reached");
        QTest::newRow("list without its members")
            << 409 << QStringLiteral("injected failure")
            << QByteArray(R"({"status":"ok","data":{"items":[]}})") << unreadable;
        QTest::newRow("members of another type")
            << 409 << QStringLiteral("injected failure")
            << QByteArray(R"({"members":{"user-2":{"role":"member"}}})") << unreadable;
        QTest::newRow("nobody listed") << 409 << QStringLiteral("injected failure")
                                       << QByteArray(R"({"members":[]})") << QString();
    }

    void failuresCarryTheReason()
    {
        QFETCH(int, status);
        QFETCH(QString, shareError);
        QFETCH(QByteArray, listBody);
        QFETCH(QString, listError);
        LoopbackHttpServer gateway([&](const LoopbackHttpServer::Request& request) {
            if (request.method == "GET") {
                LoopbackHttpServer::Reply reply;
                reply.body = listBody;
                return reply;
            }
            return LoopbackHttpServer::json(
                status, {{QStringLiteral("error"), QStringLiteral("injected failure")}});
        });
        if (status == 0) {
            // A transport-level failure: the service is gone.
            m_world.cloud.reset();
        } else if (!listBody.isEmpty()) {
            syncApi()->setBaseUrl(QUrl(gateway.origin()));
        } else {
            m_world.cloud->failPath("POST", QStringLiteral("/calendars/team/cal 1?x/share"),
                                    status);
            m_world.cloud->failPath("GET", QStringLiteral("/calendars/team/cal 1?x/members"),
                                    status);
        }
        Orvandellic::SharingBackend backend(syncApi());
        const Shared granted = share(backend, QStringLiteral("user-2"), QStringLiteral("viewer"));
        QVERIFY(granted.done);
        QVERIFY(!granted.ok);
        QCOMPARE(granted.error,
                 status == 0 ? QStringLiteral("Sharing failed (HTTP 0)") : shareError);

        std::optional<bool> listed;
        QString reason;
        qsizetype listedMembers = -1;
        backend.listMembers(
            awkwardCalendar,
            [&](bool ok, const QList<OrvaAccount::ShareMember>& list, const QString& error) {
                listed = ok;
                listedMembers = list.size();
                reason = error;
            });
        QTRY_VERIFY_WITH_TIMEOUT(listed.has_value(), 10000);
        QCOMPARE(*listed, listError.isEmpty());
        QCOMPARE(listedMembers, 0);
        QCOMPARE(reason, listError);
    }

    void withoutTransportEverythingFailsAtOnce()
    {
        Orvandellic::SharingBackend backend(nullptr);
        QString error;
        backend.shareWith(QStringLiteral("c"), QStringLiteral("u"), {},
                          [&](bool, const QString& text) { error = text; });
        QCOMPARE(error, QStringLiteral("Not signed in"));
        std::optional<bool> removed;
        backend.removeShare(QStringLiteral("c"), QStringLiteral("u"),
                            [&](bool ok) { removed = ok; });
        QCOMPARE(removed, std::optional<bool>(false));
        QCOMPARE(backend.shareUserIdFor(QStringLiteral("acct-7")), QStringLiteral("acct-7"));
    }
};

QTEST_MAIN(TestSharingBackend)
#include "tst_sharingbackend.moc"

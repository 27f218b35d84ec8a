#include "FakeGoogleCalendar.h"
#include "GoogleCalendarClient.h"
#include "GoogleRequestQueue.h"
#include "Limits.h"
#include "LoopbackHttpServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTest>

using Google::CalendarClient;

namespace {

const QString calendarId = QStringLiteral("team@group.calendar.google.com");

QJsonObject item(const QString& id)
{
    return {{QStringLiteral("id"), id},
            {QStringLiteral("summary"), id},
            {QStringLiteral("start"),
             QJsonObject{{QStringLiteral("dateTime"), QStringLiteral("2026-03-02T09:00:00Z")}}},
            {QStringLiteral("end"),
             QJsonObject{{QStringLiteral("dateTime"), QStringLiteral("2026-03-02T10:00:00Z")}}}};
}

} // namespace

class TestGoogleCalendarClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeGoogleCalendar> m_fake;

    struct Listed
    {
        QList<QJsonObject> items;
        QString syncToken;
        bool expired = false;
        QString failure;
    };

    Listed list(const QString& syncToken = QString(), int maxPages = 0)
    {
        CalendarClient client;
        client.setAccessToken(QStringLiteral("token"));
        client.setTransferTimeout(1000);
        if (maxPages > 0)
            client.setMaxPages(maxPages);
        QSignalSpy listed(&client, &CalendarClient::eventsListed);
        QSignalSpy expired(&client, &CalendarClient::syncTokenExpired);
        QSignalSpy failed(&client, &CalendarClient::requestFailed);
        client.listEvents(calendarId, syncToken, {}, {});
        [&] {
            QTRY_COMPARE_WITH_TIMEOUT(listed.size() + expired.size() + failed.size(), 1, 15000);
        }();
        // Exactly one outcome, and nothing after it.
        QTest::qWait(50);
        Listed result;
        if (listed.size() + expired.size() + failed.size() != 1) {
            result.failure = QStringLiteral("more than one outcome");
            return result;
        }
        if (!listed.isEmpty()) {
            const auto page = listed.first().at(1).value<CalendarClient::EventListPage>();
            result.items = page.items;
            result.syncToken = page.nextSyncToken;
        }
        result.expired = !expired.isEmpty();
        if (!failed.isEmpty())
            result.failure = failed.first().at(0).toString();
        return result;
    }

private Q_SLOTS:
    void init()
    {
        m_fake = std::make_unique<FakeGoogleCalendar>();
        m_fake->exportEnvironment();
        m_fake->addCalendar(calendarId, QStringLiteral("Team"), QStringLiteral("writer"));
        for (int i = 0; i < 7; ++i)
            m_fake->putEvent(calendarId, item(QStringLiteral("ev%1").arg(i)));
        m_fake->setPageSize(3);
    }

    void pagesAreJoinedInOrder()
    {
        const Listed listed = list();
        QVERIFY(listed.failure.isEmpty());
        QCOMPARE(listed.items.size(), 7);
        for (int i = 0; i < 7; ++i)
            QCOMPARE(listed.items.at(i).value(QStringLiteral("id")).toString(),
                     QStringLiteral("ev%1").arg(i));
        QVERIFY(!listed.syncToken.isEmpty());
        QCOMPARE(m_fake->count("GET", QStringLiteral("/events")), 3);
        const QUrlQuery first = m_fake->requests().first().query;
        QCOMPARE(first.queryItemValue(QStringLiteral("singleEvents")), QStringLiteral("false"));
        QCOMPARE(first.queryItemValue(QStringLiteral("showDeleted")), QStringLiteral("true"));
        QCOMPARE(first.queryItemValue(QStringLiteral("maxResults")), QStringLiteral("2500"));
        // The at sign of the calendar id travels encoded and arrives as itself.
        QCOMPARE(m_fake->requests().first().path,
                 QStringLiteral("/calendar/v3/calendars/%1/events").arg(calendarId));
    }

    void incrementalListingCarriesOnlyTheToken()
    {
        const QString token = list().syncToken;
        m_fake->putEvent(calendarId, item(QStringLiteral("ev2")));
        m_fake->cancelEvent(calendarId, QStringLiteral("ev4"));
        const Listed listed = list(token);
        QCOMPARE(listed.items.size(), 2);
        QCOMPARE(listed.items.at(1).value(QStringLiteral("status")).toString(),
                 QStringLiteral("cancelled"));
        const QUrlQuery query = m_fake->requests().last().query;
        QCOMPARE(query.queryItemValue(QStringLiteral("syncToken")), token);
        QVERIFY(!query.hasQueryItem(QStringLiteral("singleEvents")));
        QVERIFY(!query.hasQueryItem(QStringLiteral("timeMin")));
    }

    void listingFaults_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("failure");
        QTest::newRow("stalled reply")
            << int(FakeGoogleCalendar::Fault::Stall) << QStringLiteral("no answer within 1 s");
        QTest::newRow("not JSON") << int(FakeGoogleCalendar::Fault::NotJson)
                                  << QStringLiteral("not JSON");
        QTest::newRow("repeated page token")
            << int(FakeGoogleCalendar::Fault::RepeatPageToken) << QStringLiteral("same page");
        QTest::newRow("pages without end")
            << int(FakeGoogleCalendar::Fault::EndlessPages) << QStringLiteral("past 20 page");
    }

    void listingFaults()
    {
        QFETCH(int, fault);
        QFETCH(QString, failure);
        m_fake->setListingFault(FakeGoogleCalendar::Fault(fault));
        const Listed listed = list({}, 20);
        QVERIFY2(listed.failure.contains(failure), qPrintable(listed.failure));
        QVERIFY(listed.items.isEmpty());
    }

    void expiredTokenIsNotAFailure()
    {
        const QString token = list().syncToken;
        m_fake->expireSyncTokens();
        const Listed listed = list(token);
        QVERIFY(listed.expired);
        QVERIFY(listed.failure.isEmpty());
    }

    void calendarListFollowsItsPages()
    {
        m_fake->addCalendar(QStringLiteral("me@example.com"), QStringLiteral("Me"),
                            QStringLiteral("owner"), true);
        m_fake->addCalendar(QStringLiteral("en.usa#holiday@group.v.calendar.google.com"),
                            QStringLiteral("Holidays"), QStringLiteral("reader"));
        m_fake->setCalendarListPageSize(1);
        CalendarClient client;
        client.setAccessToken(QStringLiteral("token"));
        QSignalSpy listed(&client, &CalendarClient::calendarsListed);
        client.listCalendars();
        QTRY_COMPARE_WITH_TIMEOUT(listed.size(), 1, 15000);
        const auto calendars = listed.first().at(0).value<QList<Google::DiscoveredCalendar>>();
        QCOMPARE(calendars.size(), 3);
        QCOMPARE(calendars.at(1).accessRole, QStringLiteral("owner"));
        QVERIFY(calendars.at(1).primary);
        QCOMPARE(calendars.at(2).id, QStringLiteral("en.usa#holiday@group.v.calendar.google.com"));
        QCOMPARE(calendars.at(2).accessRole, QStringLiteral("reader"));
    }

    void writesAndTheirStatuses()
    {
        CalendarClient client;
        client.setAccessToken(QStringLiteral("token"));
        QSignalSpy written(&client, &CalendarClient::eventWritten);
        QSignalSpy deleted(&client, &CalendarClient::eventDeleted);
        QSignalSpy failed(&client, &CalendarClient::eventWriteFailed);

        client.insertEvent(QStringLiteral("row1"), calendarId, item(QStringLiteral("abcdef01")));
        QTRY_COMPARE(written.size(), 1);
        QCOMPARE(written.first().at(1).toString(), QStringLiteral("abcdef01"));
        const QString etag = written.first().at(2).toString();

        client.insertEvent(QStringLiteral("row1"), calendarId, item(QStringLiteral("abcdef01")));
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed.first().at(2).toInt(), 409);

        client.updateEvent(QStringLiteral("row1"), calendarId, QStringLiteral("abcdef01"),
                           item(QStringLiteral("abcdef01")), QStringLiteral("\"stale\""));
        QTRY_COMPARE(failed.size(), 2);
        QCOMPARE(failed.last().at(2).toInt(), 412);

        // Without an ETag no If-Match goes out, so the update is taken.
        client.updateEvent(QStringLiteral("row1"), calendarId, QStringLiteral("abcdef01"),
                           item(QStringLiteral("abcdef01")), QString());
        QTRY_COMPARE(written.size(), 2);
        QVERIFY(!m_fake->requests().last().headers.contains("if-match"));
        QVERIFY(written.last().at(2).toString() != etag);

        client.deleteEvent(QStringLiteral("row1"), calendarId, QStringLiteral("abcdef01"), {});
        QTRY_COMPARE(deleted.size(), 1);
        // Already gone (410) and never there (404) both count as deleted.
        client.deleteEvent(QStringLiteral("row1"), calendarId, QStringLiteral("abcdef01"), {});
        client.deleteEvent(QStringLiteral("row2"), calendarId, QStringLiteral("nothere1"), {});
        QTRY_COMPARE(deleted.size(), 3);
        QCOMPARE(failed.size(), 2);
    }

    // An instance of a series is written as on Google: only at a start its series gives, never
    // under another original start; the answer carries what Google keeps of its own, and a
    // reminder of any kind but email comes back as "popup".
    void instanceWritesAsGoogleAnswers_data()
    {
        QTest::addColumn<QString>("start"); // of the instance's id
        QTest::addColumn<int>("originalHour");
        QTest::addColumn<int>("status");
        QTest::newRow("a start of the series") << "20260309T080000Z" << 9 << 200;
        QTest::newRow("a start the series lacks") << "20260309T090000Z" << 10 << 404;
        QTest::newRow("another original start") << "20260309T080000Z" << 10 << 400;
    }
    void instanceWritesAsGoogleAnswers()
    {
        QFETCH(QString, start);
        QFETCH(int, originalHour);
        QFETCH(int, status);
        const QString zone = QStringLiteral("Europe/Berlin");
        const auto at = [&zone](int day, int hour) {
            return QJsonObject{
                {QStringLiteral("dateTime"), QStringLiteral("2026-03-%1T%2:00:00+01:00")
                                                 .arg(day, 2, 10, QLatin1Char('0'))
                                                 .arg(hour, 2, 10, QLatin1Char('0'))},
                {QStringLiteral("timeZone"), zone}};
        };
        QJsonObject series = item(QStringLiteral("wk"));
        series.insert(QStringLiteral("start"), at(2, 9));
        series.insert(QStringLiteral("end"), at(2, 10));
        series.insert(QStringLiteral("recurrence"),
                      QJsonArray{QStringLiteral("RRULE:FREQ=WEEKLY;COUNT=4")});
        m_fake->putEvent(calendarId, series);

        const QString id = QStringLiteral("wk_") + start;
        QJsonObject body = item(id);
        body.insert(QStringLiteral("recurringEventId"), QStringLiteral("wk"));
        body.insert(QStringLiteral("originalStartTime"), at(9, originalHour));
        body.insert(QStringLiteral("start"), at(9, 15));
        body.insert(QStringLiteral("end"), at(9, 16));
        body.insert(QStringLiteral("htmlLink"), QStringLiteral("https://elsewhere.example/"));
        body.insert(QStringLiteral("reminders"),
                    QJsonObject{{QStringLiteral("useDefault"), false},
                                {QStringLiteral("overrides"),
                                 QJsonArray{QJsonObject{
                                     {QStringLiteral("method"), QStringLiteral("display")},
                                     {QStringLiteral("minutes"), 10}}}}});
        CalendarClient client;
        client.setAccessToken(QStringLiteral("token"));
        QSignalSpy written(&client, &CalendarClient::eventWritten);
        QSignalSpy failed(&client, &CalendarClient::eventWriteFailed);
        client.updateEvent(QStringLiteral("row1"), calendarId, id, body, QString());
        QTRY_COMPARE(written.size() + failed.size(), 1);
        QCOMPARE(failed.size(), status == 200 ? 0 : 1);
        if (status != 200) {
            QCOMPARE(failed.first().at(2).toInt(), status);
            QVERIFY(m_fake->event(calendarId, id).isEmpty());
            return;
        }
        const QJsonObject answer = written.first().at(3).toJsonObject();
        for (const char* key : {"organizer", "creator"})
            QVERIFY2(answer.value(QLatin1String(key)).toObject().contains(u"email"), key);
        QVERIFY(answer.value(QStringLiteral("htmlLink")).toString() !=
                QStringLiteral("https://elsewhere.example/"));
        QCOMPARE(answer.value(QStringLiteral("iCalUID")).toString(),
                 m_fake->event(calendarId, QStringLiteral("wk")).value(QStringLiteral("iCalUID")));
        QCOMPARE(answer.value(QStringLiteral("reminders"))
                     .toObject()
                     .value(QStringLiteral("overrides"))
                     .toArray()
                     .at(0)
                     .toObject()
                     .value(QStringLiteral("method")),
                 QStringLiteral("popup"));
    }

    // Requests beyond the bound of one network manager wait unsent, whatever client asked for
    // them: a request behind silent ones goes once they end, its time-out counted from then (its
    // reply trickles, so a time-out already spent ends it), and one whose client went meanwhile
    // is never sent.
    void requestsBeyondTheBoundWaitUnsent_data()
    {
        QTest::addColumn<bool>("clientGone");
        QTest::newRow("waits longer than its time-out") << false;
        QTest::newRow("client gone while it waits") << true;
    }

    void requestsBeyondTheBoundWaitUnsent()
    {
        QFETCH(bool, clientGone);
        LoopbackHttpServer server([](const LoopbackHttpServer::Request& request) {
            LoopbackHttpServer::Reply reply;
            reply.stall = request.path.endsWith(QLatin1String("/silent"));
            reply.body = QJsonDocument(QJsonObject{{QStringLiteral("id"), QStringLiteral("ev1")}})
                             .toJson(QJsonDocument::Compact);
            reply.trickleMs = 10;
            return reply;
        });
        qputenv("GOOGLE_API_URL", server.origin().toUtf8());
        // The bound itself is pinned: what the network layer opens to one host at once.
        const int bound = 6;
        QNetworkAccessManager network;
        CalendarClient silent(nullptr, &network);
        silent.setAccessToken(QStringLiteral("token"));
        silent.setTransferTimeout(1000);
        QSignalSpy silentFailed(&silent, &CalendarClient::eventWriteFailed);
        for (int i = 0; i < bound; ++i)
            silent.updateEvent(QString::number(i), calendarId, QStringLiteral("silent"), {}, {});
        auto waiting = std::make_unique<CalendarClient>(nullptr, &network);
        waiting->setAccessToken(QStringLiteral("token"));
        waiting->setTransferTimeout(200);
        QSignalSpy written(waiting.get(), &CalendarClient::eventWritten);
        QSignalSpy failed(waiting.get(), &CalendarClient::eventWriteFailed);
        waiting->updateEvent(QStringLiteral("w"), calendarId, QStringLiteral("ev1"), {}, {});

        QTRY_COMPARE(server.count("PUT", QStringLiteral("/silent")), bound);
        QCOMPARE(Google::RequestQueue::of(&network)->requestsOut(), bound);
        if (clientGone)
            waiting.reset();
        QTRY_COMPARE_WITH_TIMEOUT(silentFailed.size(), bound, 15000);
        if (clientGone) {
            // A request asked for after it goes out after it.
            QSignalSpy fetched(&silent, &CalendarClient::eventFetched);
            silent.getEvent(QStringLiteral("r"), calendarId, QStringLiteral("ev2"));
            QTRY_COMPARE(fetched.size(), 1);
            QTest::qWait(50);
            QCOMPARE(server.count("PUT", QStringLiteral("/ev1")), 0);
            return;
        }
        QTRY_COMPARE(written.size() + failed.size(), 1);
        QVERIFY2(failed.isEmpty(), qPrintable(failed.value(0).value(1).toString()));
        QCOMPARE(server.count("PUT", QStringLiteral("/ev1")), 1);
    }

    // Each operation's failure text says the status and a bounded start of a megabyte proxy
    // page's first line, or the message of Google's own error document, pretty-printed with "{"
    // as its first line.
    void failureQuotesTheStartOfTheReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("shown");
        QTest::newRow("page") << QByteArray(1024 * 1024, 'x') + "\n<body>"
                              << QString(Limits::maxReplyLineChars, u'x') + QChar(0x2026);
        QTest::newRow("error document") << QByteArray("{\n  \"error\": {\n    \"code\": 414,\n    "
                                                      "\"message\": \"URI too long\"\n  }\n}\n")
                                        << QStringLiteral("URI too long");
    }

    void failureQuotesTheStartOfTheReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, shown);
        LoopbackHttpServer proxy([reply](const auto&) {
            return LoopbackHttpServer::Reply{.status = 414, .body = reply, .headers = {}};
        });
        qputenv("GOOGLE_API_URL", proxy.origin().toUtf8());
        CalendarClient client;
        client.setAccessToken(QStringLiteral("token"));
        QStringList texts;
        const auto note = [&](const QString& text) { texts << text; };
        connect(&client, &CalendarClient::requestFailed, &client, note);
        connect(&client, &CalendarClient::eventWriteFailed, &client,
                [&](const QString&, const QString& text) { note(text); });
        client.listCalendars();
        client.listEvents(calendarId, {}, {}, {});
        client.updateEvent(QStringLiteral("row"), calendarId, QStringLiteral("abcdef01"), {}, {});
        client.deleteEvent(QStringLiteral("row"), calendarId, QStringLiteral("abcdef01"), {});
        QTRY_COMPARE_WITH_TIMEOUT(texts.size(), 4, 15000);
        for (const QString& text : texts)
            QVERIFY2(text.endsWith("(HTTP 414): " + shown), qPrintable(text.left(1000)));
    }
};

QTEST_GUILESS_MAIN(TestGoogleCalendarClient)
#include "tst_googlecalendarclient.moc"

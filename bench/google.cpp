// The Google pull must cost little more than reading the listing. Against the loopback Google
// fake holding 10,000 events (four pages of 2,500), times a plain QNetworkAccessManager reader
// that fetches and parses the same pages, our first sync into an empty store, and a second sync
// with nothing changed against the reader fetching the same empty incremental listing.
// Targets: first sync at most 1.5 times the reader, the unchanged sync at most 1.2 times.

#include "AccountRepository.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "EventRepository.h"
#include "FakeGoogleCalendar.h"
#include "GoogleAuthService.h"
#include "GoogleCalendarClient.h"
#include "GoogleEventMapping.h"
#include "GoogleSyncClient.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int eventCount = 10000;
const QString googleCalendar = QStringLiteral("bench@example.com");

QJsonObject benchEvent(int i)
{
    const QDateTime first(QDate(2026, 1, 5), QTime(8, 0), QTimeZone::utc());
    const QDateTime start = first.addSecs(qint64(i) * 5400);
    const QString zone = QStringLiteral("Europe/Berlin");
    const QTimeZone berlin(zone.toUtf8());
    return {
        {QStringLiteral("id"), QStringLiteral("bench%1").arg(i)},
        {QStringLiteral("summary"), QStringLiteral("Meeting %1").arg(i)},
        {QStringLiteral("location"), QStringLiteral("Room %1").arg(i % 40)},
        {QStringLiteral("description"),
         QStringLiteral("Agenda for meeting %1: review of the open items, notes from the last "
                        "session and the plan for the week ahead.")
             .arg(i)},
        {QStringLiteral("htmlLink"),
         QStringLiteral("https://calendar.example/event?eid=%1").arg(i)},
        {QStringLiteral("start"),
         QJsonObject{{QStringLiteral("dateTime"), start.toTimeZone(berlin).toString(Qt::ISODate)},
                     {QStringLiteral("timeZone"), zone}}},
        {QStringLiteral("end"),
         QJsonObject{{QStringLiteral("dateTime"),
                      start.addSecs(3600).toTimeZone(berlin).toString(Qt::ISODate)},
                     {QStringLiteral("timeZone"), zone}}},
        {QStringLiteral("organizer"),
         QJsonObject{{QStringLiteral("email"), QStringLiteral("lead@example.com")}}},
        {QStringLiteral("reminders"),
         QJsonObject{{QStringLiteral("useDefault"), false},
                     {QStringLiteral("overrides"),
                      QJsonArray{QJsonObject{{QStringLiteral("method"), QStringLiteral("popup")},
                                             {QStringLiteral("minutes"), 15}}}}}}};
}

// Fetches a listing page after page as a plain reader would, parsing each; the seconds taken.
double readListing(QNetworkAccessManager& network, const QString& syncToken)
{
    QElapsedTimer timer;
    timer.start();
    QString pageToken;
    int items = 0;
    do {
        QNetworkRequest request(
            QUrl(Google::CalendarClient::eventsUrl(googleCalendar) + u'?' +
                 Google::CalendarClient::listQuery(syncToken, {}, {}, pageToken)));
        request.setRawHeader("Authorization", "Bearer bench");
        QNetworkReply* reply = network.get(request);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        const QJsonObject page = QJsonDocument::fromJson(reply->readAll()).object();
        reply->deleteLater();
        items += int(page.value(QStringLiteral("items")).toArray().size());
        pageToken = page.value(QStringLiteral("nextPageToken")).toString();
    } while (!pageToken.isEmpty());
    Q_UNUSED(items);
    return timer.nsecsElapsed() / 1e9;
}

struct Store
{
    std::unique_ptr<AppStateFixture> fixture;
    Calendar calendar;
};

Store freshStore()
{
    Store store;
    store.fixture = std::make_unique<AppStateFixture>();
    store.fixture->start();
    AppState* state = store.fixture->state();
    Account account;
    account.id = QStringLiteral("g");
    account.name = QStringLiteral("bench");
    account.type = QStringLiteral("google");
    account.createdAt = account.updatedAt = Clock::now();
    state->accounts()->insert(account);
    store.calendar.id = QStringLiteral("cal");
    store.calendar.accountId = account.id;
    store.calendar.url = googleCalendar;
    store.calendar.name = QStringLiteral("Bench");
    store.calendar.createdAt = store.calendar.updatedAt = Clock::now();
    state->calendars()->insert(store.calendar);
    Google::TokenSet tokens;
    tokens.accessToken = QStringLiteral("bench");
    tokens.refreshToken = QStringLiteral("bench-refresh");
    tokens.expiresAt = Clock::now().addSecs(3600);
    Google::AuthService::saveTokens(account.id, tokens);
    return store;
}

// One sync of the store's calendar; the seconds taken, or -1 when it failed.
double syncOnce(Store& store)
{
    AppState* state = store.fixture->state();
    Google::SyncClient client(state);
    QSignalSpy completed(&client, &Google::SyncClient::calendarSyncCompleted);
    QSignalSpy failed(&client, &Google::SyncClient::calendarSyncFailed);
    // The calendar is the caller's to read, as the dispatcher does before it starts a client.
    const Calendar calendar = *state->calendars()->getById(store.calendar.id);
    QElapsedTimer timer;
    timer.start();
    client.syncCalendar(calendar);
    while (completed.isEmpty() && failed.isEmpty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (!failed.isEmpty()) {
        std::fprintf(stderr, "sync failed: %s\n", qPrintable(failed.first().at(1).toString()));
        return -1;
    }
    return seconds;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Where a first sync's time goes, each part timed on its own after the measurement: the
// listing through the API client, the mapping of its items, and their rows written in one
// transaction into a fresh store. Milliseconds.
struct Split
{
    double listing = 0;
    double mapping = 0;
    double writing = 0;
    double commit = 0;
};

Split firstSyncSplit()
{
    Split split;
    QElapsedTimer timer;
    Google::CalendarClient client;
    client.setAccessToken(QStringLiteral("bench"));
    QSignalSpy listed(&client, &Google::CalendarClient::eventsListed);
    timer.start();
    client.listEvents(googleCalendar, {}, {}, {});
    while (listed.isEmpty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    split.listing = timer.nsecsElapsed() / 1e6;
    const auto page = listed.first().at(1).value<Google::CalendarClient::EventListPage>();

    Store store = freshStore();
    timer.restart();
    const QList<std::optional<Event>> mapped =
        Google::eventsFromJson(page.items, store.calendar.id);
    split.mapping = timer.nsecsElapsed() / 1e6;
    QList<Event> events;
    for (const std::optional<Event>& event : mapped) {
        if (event)
            events.append(*event);
    }
    AppState* state = store.fixture->state();
    QSqlDatabase& db = state->database()->database();
    db.transaction();
    timer.restart();
    state->events()->insertAll(events);
    split.writing = timer.nsecsElapsed() / 1e6;
    timer.restart();
    db.commit();
    split.commit = timer.nsecsElapsed() / 1e6;
    return split;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.info=false\n*.debug=false"));

    FakeGoogleCalendar fake;
    fake.exportEnvironment();
    fake.addCalendar(googleCalendar, QStringLiteral("Bench"), QStringLiteral("owner"));
    for (int i = 0; i < eventCount; ++i)
        fake.putEvent(googleCalendar, benchEvent(i));

    QNetworkAccessManager network;
    readListing(network, {}); // warm-up

    constexpr int rounds = 3;
    QList<double> reader;
    QList<double> firstSync;
    QString syncToken;
    std::unique_ptr<Store> last;
    for (int round = 0; round < rounds; ++round) {
        reader.append(readListing(network, {}));
        last.reset(); // one store (and one default connection) at a time
        auto store = std::make_unique<Store>(freshStore());
        const double seconds = syncOnce(*store);
        if (seconds < 0)
            return 1;
        firstSync.append(seconds);
        if (store->fixture->state()->events()->getByCalendar(store->calendar.id).size() !=
            eventCount) {
            std::fprintf(stderr, "the first sync did not store every event\n");
            return 1;
        }
        last = std::move(store);
    }
    syncToken = last->fixture->state()->calendars()->getById(last->calendar.id)->syncToken;

    constexpr int incrementalRounds = 21;
    QList<double> emptyReader;
    QList<double> unchanged;
    for (int round = 0; round < incrementalRounds; ++round) {
        emptyReader.append(readListing(network, syncToken));
        const double seconds = syncOnce(*last);
        if (seconds < 0)
            return 1;
        unchanged.append(seconds);
    }

    const double firstRatio = median(firstSync) / median(reader);
    const double unchangedRatio = median(unchanged) / median(emptyReader);
    std::printf("google first sync of %d events: %.3f s, plain reader %.3f s, ratio %.2f "
                "(target at most 1.5)\n",
                eventCount, median(firstSync), median(reader), firstRatio);
    std::printf("google unchanged sync: %.2f ms, plain reader %.2f ms, ratio %.2f "
                "(target at most 1.2)\n",
                median(unchanged) * 1000, median(emptyReader) * 1000, unchangedRatio);
    last.reset();
    const Split split = firstSyncSplit();
    std::printf("first sync split: listing %.0f ms, mapping %.0f ms, rows written %.0f ms, "
                "commit %.0f ms\n",
                split.listing, split.mapping, split.writing, split.commit);
    return 0;
}

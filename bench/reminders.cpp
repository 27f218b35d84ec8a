// The reminder poll must cost what is due, not what the store holds. Builds a store of 100,000
// events with 30,000 reminders and 500 daily series and one of 1,000 events (300 reminders, 5
// series); in both the same reminders are due (10 single events and 5 series occurrences). Times
// one poll on each and prints the ratio; target: at most 2.

#include "AppState.h"
#include "Clock.h"
#include "Database.h"
#include "NotificationService.h"
#include "Notifier.h"
#include "Services.h"
#include "StoreTime.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int dueSingles = 10;
constexpr int dueSeries = 5;
constexpr int repeats = 15;

class CountingNotifier : public Notifier
{
    Q_OBJECT

public:
    using Notifier::Notifier;
    bool isAvailable() const override { return true; }
    bool notify(const Notification&) override
    {
        ++count;
        return true;
    }
    int count = 0;
};

struct Store
{
    QTemporaryDir dir;
    AppState* state = nullptr;
    QStringList dueReminderIds;
    QStringList dueTriggers;
};

bool exec(QSqlQuery& query)
{
    if (query.exec())
        return true;
    std::fprintf(stderr, "%s\n", qPrintable(query.lastQuery()));
    return false;
}

// Events spread over ten years around now; every third has a 15-minute reminder, handled when
// its trigger is past; the series remind daily at their next occurrence.
bool fill(Store& store, int events, int series, const QDateTime& now)
{
    qputenv("CALENDAR_DATA_DIR", store.dir.path().toUtf8());
    store.state = new AppState;
    if (!Services::start(*store.state))
        return false;
    QSqlDatabase& db = store.state->database()->database();
    db.transaction();
    QSqlQuery event(db);
    event.prepare("INSERT INTO events (id, calendar_id, uid, title, start_time, end_time, "
                  "recurrence_rule, raw_icalendar) VALUES (?, ?, ?, ?, ?, ?, ?, '')");
    QSqlQuery reminder(db);
    reminder.prepare("INSERT INTO reminders (id, event_id, minutes_before, acknowledged, "
                     "trigger_time) VALUES (?, ?, 15, ?, ?)");
    const QDateTime first = now.addDays(-5 * 365);
    const qint64 span = qint64(10) * 365 * 86400;
    int reminders = 0;
    for (int i = 0; i < events; ++i) {
        const QString id = QStringLiteral("ev-%1").arg(i);
        const bool isSeries = i < series;
        const bool dueSingle = !isSeries && i < series + dueSingles;
        QDateTime start;
        if (isSeries)
            start = now.addDays(-30).addSecs(600); // daily at now + 10 minutes
        else if (dueSingle)
            start = now.addSecs(600);
        else
            start = first.addSecs(span * i / events);
        event.addBindValue(id);
        event.addBindValue(AppState::localCalendarId);
        event.addBindValue(id);
        event.addBindValue(QStringLiteral("Event %1").arg(i));
        event.addBindValue(StoreTime::toText(start));
        event.addBindValue(StoreTime::toText(start.addSecs(1800)));
        event.addBindValue(isSeries ? QStringLiteral("FREQ=DAILY") : QString(""));
        if (!exec(event))
            return false;
        if (!isSeries && !dueSingle && i % 10 >= 3)
            continue;
        QDateTime trigger = start.addSecs(-900);
        if (isSeries) // the cursor: today's occurrence for the due ones, tomorrow's for the rest
            trigger = now.addSecs(i < dueSeries ? -300 : 86400 - 300);
        const bool handled = trigger < now && !dueSingle && !(isSeries && i < dueSeries);
        const QString reminderId = QStringLiteral("r-%1").arg(i);
        reminder.addBindValue(reminderId);
        reminder.addBindValue(id);
        reminder.addBindValue(handled ? 1 : 0);
        reminder.addBindValue(StoreTime::toText(trigger));
        if (!exec(reminder))
            return false;
        ++reminders;
        if (trigger <= now && !handled) {
            store.dueReminderIds.append(reminderId);
            store.dueTriggers.append(StoreTime::toText(trigger));
        }
    }
    db.commit();
    std::printf("  store: %d events, %d reminders, %d daily series, %lld due\n", events, reminders,
                series, qlonglong(store.dueReminderIds.size()));
    return true;
}

// Puts the due rows back as they were, so every timed poll has the same work.
void resetDue(Store& store)
{
    QSqlQuery query(store.state->database()->database());
    query.prepare("UPDATE reminders SET acknowledged = 0, trigger_time = ? WHERE id = ?");
    for (int i = 0; i < store.dueReminderIds.size(); ++i) {
        query.addBindValue(store.dueTriggers.at(i));
        query.addBindValue(store.dueReminderIds.at(i));
        query.exec();
    }
}

double pollMs(Store& store, int* shown)
{
    CountingNotifier notifier;
    NotificationService service(store.state, QList<Notifier*>{&notifier}, nullptr);
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        resetDue(store);
        notifier.count = 0;
        QElapsedTimer timer;
        timer.start();
        service.poll();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    *shown = notifier.count;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.info=false"));
    const QDateTime now(QDate(2026, 3, 11), QTime(10, 0), Qt::UTC);
    Clock::pin(now);

    // One store at a time: the store keeps one database connection per process.
    const auto measure = [&](int events, int series, int* shown) {
        Store store;
        if (!fill(store, events, series, now))
            return -1.0;
        const double ms = pollMs(store, shown);
        delete store.state;
        return ms;
    };
    int largeShown = 0;
    int smallShown = 0;
    const double largeMs = measure(100000, 500, &largeShown);
    const double smallMs = measure(1000, 5, &smallShown);
    if (largeMs < 0 || smallMs < 0)
        return 1;
    std::printf("reminder poll: 100,000 events %.2f ms (%d shown), 1,000 events %.2f ms (%d "
                "shown)\n",
                largeMs, largeShown, smallMs, smallShown);
    const double ratio = largeMs / smallMs;
    std::printf("ratio %.2f (target <= 2): %s\n", ratio, ratio <= 2.0 ? "met" : "MISSED");
    return largeShown == smallShown ? 0 : 1;
}

#include "reminders.moc"

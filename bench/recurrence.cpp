// Expands 2,000 long-lived daily, weekly and monthly series in Europe/Berlin into a one-week
// window twenty years after their start, through Recurrence::expand and, as the baseline in the
// same run, through libical's recurrence iterator started at the window. Prints the time per
// occurrence of each and their ratio (ours / libical).
#include "Recurrence.h"

#include <QElapsedTimer>
#include <QTimeZone>

#include <libical/ical.h>

#include <cstdio>

namespace {

constexpr int seriesCount = 2000;
constexpr int rounds = 20;

const char* const rules[] = {
    "FREQ=DAILY",   "FREQ=DAILY;INTERVAL=2",      "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR",
    "FREQ=WEEKLY",  "FREQ=WEEKLY;BYDAY=MO,WE,FR", "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH",
    "FREQ=MONTHLY", "FREQ=MONTHLY;BYMONTHDAY=15", "FREQ=MONTHLY;BYDAY=1TH",
};

struct Series
{
    QByteArray rule;
    QDateTime start;
};

QList<Series> makeSeries(const QTimeZone& zone)
{
    QList<Series> all;
    for (int i = 0; i < seriesCount; ++i) {
        const QDate date = QDate(2006, 1, 2).addDays(i % 360);
        const QTime time(7 + i % 12, (i % 4) * 15);
        all.append({rules[i % std::size(rules)], QDateTime(date, time, zone)});
    }
    return all;
}

struct Result
{
    qint64 nanoseconds = 0;
    qint64 occurrences = 0;
};

Result runOurs(const QList<Series>& all, const QDateTime& from, const QDateTime& to)
{
    QList<Event> events;
    for (int i = 0; i < all.size(); ++i) {
        Event event;
        event.id = QStringLiteral("row-%1").arg(i);
        event.uid = QStringLiteral("uid-%1").arg(i);
        event.title = QStringLiteral("Series %1").arg(i);
        event.timezone = QStringLiteral("Europe/Berlin");
        event.recurrenceRule = QString::fromLatin1(all.at(i).rule);
        event.startTime = all.at(i).start;
        event.endTime = all.at(i).start.addSecs(3600);
        events.append(event);
    }
    Result result;
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < rounds; ++round)
        result.occurrences += Recurrence::expand(events, from, to).size();
    result.nanoseconds = timer.nsecsElapsed();
    return result;
}

struct icaltimetype toIcal(const QDateTime& local, icaltimezone* zone)
{
    struct icaltimetype time = icaltime_null_time();
    time.year = local.date().year();
    time.month = local.date().month();
    time.day = local.date().day();
    time.hour = local.time().hour();
    time.minute = local.time().minute();
    time.second = local.time().second();
    return icaltime_set_timezone(&time, zone);
}

// What a client of libical does for a window: parse the rule, start the iterator at the
// window (one hour early, the length of the events), and convert each start to UTC to test it.
Result runLibical(const QList<Series>& all, const QDateTime& from, const QDateTime& to,
                  const QTimeZone& qtZone)
{
    icaltimezone* zone = icaltimezone_get_builtin_timezone("Europe/Berlin");
    const struct icaltimetype windowStart = toIcal(from.addSecs(-3600).toTimeZone(qtZone), zone);
    const time_t fromSeconds = time_t(from.toSecsSinceEpoch());
    const time_t toSeconds = time_t(to.toSecsSinceEpoch());
    QList<struct icaltimetype> starts;
    for (const Series& series : all)
        starts.append(toIcal(series.start, zone));
    Result result;
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < rounds; ++round) {
        for (qsizetype i = 0; i < all.size(); ++i) {
            const struct icalrecurrencetype rule =
                icalrecurrencetype_from_string(all.at(i).rule.constData());
            icalrecur_iterator* iterator = icalrecur_iterator_new(rule, starts.at(i));
            icalrecur_iterator_set_start(iterator, windowStart);
            for (;;) {
                const struct icaltimetype next = icalrecur_iterator_next(iterator);
                if (icaltime_is_null_time(next))
                    break;
                const time_t at = icaltime_as_timet_with_zone(next, zone);
                if (at >= toSeconds)
                    break;
                if (at + 3600 > fromSeconds)
                    ++result.occurrences;
            }
            icalrecur_iterator_free(iterator);
        }
    }
    result.nanoseconds = timer.nsecsElapsed();
    return result;
}

} // namespace

int main()
{
    const QTimeZone berlin("Europe/Berlin");
    const QList<Series> all = makeSeries(berlin);
    const QDateTime from(QDate(2026, 3, 23), QTime(0, 0), berlin);
    const QDateTime to = from.addDays(7);

    // One untimed pass each, so caches (zone data, tz files) are warm for both.
    runOurs(all, from, to);
    runLibical(all, from, to, berlin);

    const Result ours = runOurs(all, from, to);
    const Result theirs = runLibical(all, from, to, berlin);
    const double oursPer = double(ours.nanoseconds) / double(std::max<qint64>(1, ours.occurrences));
    const double theirsPer =
        double(theirs.nanoseconds) / double(std::max<qint64>(1, theirs.occurrences));
    std::printf("recurrence: %d series x %d rounds, one week twenty years on\n", seriesCount,
                rounds);
    std::printf("  ours:    %lld occurrences, %.3f us per occurrence\n",
                qlonglong(ours.occurrences), oursPer / 1000.0);
    std::printf("  libical: %lld occurrences, %.3f us per occurrence\n",
                qlonglong(theirs.occurrences), theirsPer / 1000.0);
    std::printf("  ratio ours/libical per occurrence: %.2f\n", oursPer / theirsPer);
    return ours.occurrences == theirs.occurrences ? 0 : 1;
}

#include "ViewBenchStore.h"

#include "AppState.h"
#include "Clock.h"
#include "Database.h"
#include "EventRepository.h"
#include "MemoryCredentialBackend.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QTimeZone>

#include <algorithm>
#include <memory>

namespace ViewBenchStore {

namespace {
const char* const weekdays[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
}

Event generatedEvent(int index, int total, int eventsPerDay, QRandomGenerator& random)
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    Event event;
    event.id = QStringLiteral("ev-%1").arg(index);
    event.uid = event.id + QStringLiteral("@bench");
    event.calendarId = AppState::localCalendarId;
    event.title = QStringLiteral("Meeting %1").arg(index);
    QDate date;
    if (index < seriesCount) {
        date = measuredDay.addDays(-3652 + qint64(2 * 3652) * index / seriesCount);
        event.recurrenceRule =
            QStringLiteral("FREQ=WEEKLY;BYDAY=%1").arg(QLatin1String(weekdays[index % 7]));
    } else {
        const int singles = total - seriesCount;
        const int spanDays = std::max(singles / eventsPerDay, 1);
        date =
            measuredDay.addDays(-spanDays / 2 + qint64(spanDays) * (index - seriesCount) / singles);
    }
    event.startTime = QDateTime(date, QTime(8 + random.bounded(10), 15 * random.bounded(4)), zone);
    event.endTime = event.startTime.addSecs(qint64(30 + 30 * random.bounded(4)) * 60);
    event.created = event.lastModified = QDateTime(firstDay, QTime(0, 0), QTimeZone::utc());
    return event;
}

bool insertEvents(AppState& state, int total, const std::function<Event(int index)>& make)
{
    QSqlDatabase& db = state.database()->database();
    if (!db.transaction())
        return false;
    for (int i = 0; i < total; ++i) {
        if (!state.events()->insert(make(i))) {
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

void prepare()
{
    OrvaAccount::CredentialBackend::setDefaultBackend(
        std::make_shared<OrvaAccount::MemoryCredentialBackend>());
    Clock::pin(QDateTime(measuredDay, QTime(10, 0), QTimeZone::systemTimeZone()));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeMedian(int repeats, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

} // namespace ViewBenchStore

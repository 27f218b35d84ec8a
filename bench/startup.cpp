// Start-up must not grow with the store: from process start to the first painted week over a
// store of 100,000 events, against the same over an empty store, in the same run. Each start is
// a fresh process (the bench runs itself with --child); the figure is the ratio of the medians.

#include "AppState.h"
#include "Clock.h"
#include "Database.h"
#include "EventRepository.h"
#include "MainWindow.h"
#include "Services.h"
#include "ViewArea.h"
#include "WeekView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int largeStore = 100000;
constexpr int starts = 5;
const QDate today(2026, 3, 11);

// Spread over ten years around today, so the shown week holds what a busy calendar holds.
bool seed(const QString& dataDir, int total)
{
    qputenv("CALENDAR_DATA_DIR", dataDir.toUtf8());
    AppState state;
    if (!Services::start(state)) {
        return false;
    }
    state.setViewMode(QStringLiteral("week"));
    state.setCurrentDate(today);
    QSqlDatabase& db = state.database()->database();
    QRandomGenerator random(4711);
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (!db.transaction()) {
        return false;
    }
    for (int i = 0; i < total; ++i) {
        Event event;
        event.id = QStringLiteral("bench-%1").arg(i);
        event.uid = event.id;
        event.calendarId = AppState::localCalendarId;
        event.title = QStringLiteral("Event %1").arg(i);
        const QDate date = today.addDays(-1825 + qint64(3650) * i / total);
        event.startTime =
            QDateTime(date, QTime(8 + random.bounded(10), 15 * random.bounded(4)), zone);
        event.endTime = event.startTime.addSecs(qint64(30 + 30 * random.bounded(4)) * 60);
        event.created = event.lastModified = QDateTime(today, QTime(0, 0), QTimeZone::utc());
        if (!state.events()->insert(event)) {
            return false;
        }
    }
    return db.commit();
}

// One start in a child process; milliseconds until it reported its first painted week.
double startOnce(const QString& program, const QString& dataDir)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(program, {QStringLiteral("--child"), dataDir});
    while (child.waitForReadyRead(60000)) {
        if (child.readAll().contains("painted")) {
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            child.waitForFinished(60000);
            return ms;
        }
    }
    return -1;
}

double medianStart(const QString& program, const QString& dataDir)
{
    std::vector<double> times;
    for (int i = 0; i < starts; ++i) {
        times.push_back(startOnce(program, dataDir));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The child: the program's own start-up path up to the first paint of the week timeline.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget* week) : m_week(week) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!m_done && event->type() == QEvent::Paint && widget && m_week->isAncestorOf(widget)) {
            m_done = true;
            std::printf("painted\n");
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QWidget* m_week;
    bool m_done = false;
};

int runChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    qputenv("CALENDAR_DATA_DIR", argv[2]);
    Clock::pin(QDateTime(today, QTime(10, 0), QTimeZone::systemTimeZone()));
    AppState state;
    if (!Services::start(state)) {
        return 1;
    }
    MainWindow window(&state);
    auto* area = window.findChild<ViewArea*>();
    if (area == nullptr) {
        return 1;
    }
    FirstPaint watcher(area->weekView());
    app.installEventFilter(&watcher);
    window.show();
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0) {
        return runChild(argc, argv);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false\n*.info=false");
    QApplication app(argc, argv);
    Clock::pin(QDateTime(today, QTime(10, 0), QTimeZone::systemTimeZone()));
    QTemporaryDir empty;
    QTemporaryDir large;
    if (!seed(empty.path(), 0) || !seed(large.path(), largeStore)) {
        std::fprintf(stderr, "could not build the stores\n");
        return 1;
    }
    const QString program = QCoreApplication::applicationFilePath();
    const double emptyMs = medianStart(program, empty.path());
    const double largeMs = medianStart(program, large.path());
    if (emptyMs <= 0 || largeMs <= 0) {
        std::fprintf(stderr, "a start did not paint its week\n");
        return 1;
    }
    std::printf("start-up to the first painted week: 100,000 events %.1f ms, empty store %.1f ms, "
                "ratio %.2f (target at most 1.5)\n",
                largeMs, emptyMs, largeMs / emptyMs);
    return 0;
}

// Renders the main window, light and dark, at a fixed time:
//     main_window_shots <output folder>
// Writes main-empty-<mode>.png (no calendar), main-week-<mode>.png (a week with events, an
// account that needs a password and two filters), main-menu-<name>-<mode>.png for each menu and
// main-statusbar-<mode>.png, main-import-<mode>.png (the window at 1024 by 640 after an
// import that left events out), main-quickadd-kept-<mode>.png (a quick add kept during an
// import) and main-reveal-<deleted|removed>-<mode>.png (the box a reminder's click on an event
// deleted here, or removed by a sync, brings up).

#include "AccountRepository.h"
#include "AppState.h"
#include "BundledFonts.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "IcsImportFlow.h"
#include "MainWindow.h"
#include "PreferencesRepository.h"
#include "Services.h"
#include "Theme.h"
#include "ThemeManager.h"
#include "ViewArea.h"

#include "GalleryCapture.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>
#include <QToolButton>
#include <QUuid>

#include <cstdio>

namespace {

QString output;

bool save(QWidget* widget, const QString& name)
{
    QApplication::processEvents();
    const QString path = output + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!widget->grab().save(path)) {
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void addEvent(AppState* state, const QString& title, const QDateTime& start, int minutes)
{
    Event event;
    event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.uid = event.id;
    event.calendarId = AppState::localCalendarId;
    event.title = title;
    event.startTime = start.toUTC();
    event.endTime = event.startTime.addSecs(minutes * 60);
    event.created = event.lastModified = Clock::now();
    state->events()->insert(event);
}

void seed(AppState* state, const QDate& today)
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    addEvent(state, QStringLiteral("Design review"), QDateTime(today, QTime(11, 0), zone), 60);
    addEvent(state, QStringLiteral("Lunch"), QDateTime(today, QTime(12, 30), zone), 45);
    addEvent(state, QStringLiteral("Standup"), QDateTime(today.addDays(1), QTime(9, 30), zone), 15);
    // Over several days, one of them begun before the month's grid, and one without a title.
    addEvent(state, QStringLiteral("Trade fair"), QDateTime(today.addDays(-1), QTime(9, 0), zone),
             3 * 24 * 60);
    addEvent(state, QStringLiteral("Sabbatical"), QDateTime(QDate(2026, 2, 20), QTime(8, 0), zone),
             14 * 24 * 60);
    addEvent(state, QString(), QDateTime(today, QTime(15, 0), zone), 60);
    Account account;
    account.id = QStringLiteral("nas");
    account.name = QStringLiteral("Office NAS");
    account.type = QStringLiteral("caldav");
    account.lastSyncError = QStringLiteral("Password missing");
    account.createdAt = account.updatedAt = Clock::now();
    state->accounts()->insert(account);
    for (int i = 0; i < 2; ++i) {
        FilterRule rule;
        rule.id = QStringLiteral("rule-%1").arg(i);
        rule.name = i == 0 ? QStringLiteral("Hide declined") : QStringLiteral("Hide focus time");
        rule.enabled = i == 0;
        state->filterRules()->insert(rule);
    }
    state->setFilterHiddenCount(3);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: main_window_shots <output folder>\n");
        return 2;
    }
    output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);
    GalleryCapture::installCatalogue();
    BundledFonts::registerAll();
    QApplication::setFont(QFont(Theme::sansFamily(), 11));
    const QDate today(2026, 3, 11);
    Clock::pin(QDateTime(today, QTime(10, 20), QTimeZone::systemTimeZone()));

    for (const QString& mode : QStringList{"light", "dark"}) {
        {
            QTemporaryDir emptyData;
            qputenv("CALENDAR_DATA_DIR", emptyData.path().toUtf8());
            AppState state;
            if (!Services::start(state)) {
                return 1;
            }
            state.themeManager()->apply(mode);
            for (const Calendar& calendar : state.calendars()->getAll()) {
                state.calendars()->remove(calendar.id);
            }
            // The first-start greeting has its own picture in the dialog gallery.
            state.preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
            MainWindow window(&state);
            window.resize(1280, 800);
            window.show();
            if (!save(&window, QStringLiteral("main-empty-") + mode)) {
                return 1;
            }
        }
        QTemporaryDir data;
        qputenv("CALENDAR_DATA_DIR", data.path().toUtf8());
        AppState state;
        if (!Services::start(state)) {
            return 1;
        }
        state.themeManager()->apply(mode);
        seed(&state, today);
        state.preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
        MainWindow window(&state);
        window.resize(1280, 800);
        window.show();
        // Every view in a window of 1024 by 640 and in a large one.
        for (const QSize& size : {QSize(1024, 640), QSize(1440, 900)}) {
            window.resize(size);
            for (const char* view : {"day", "days", "week", "grid", "month", "year"}) {
                state.setViewMode(QString::fromLatin1(view));
                QApplication::processEvents();
                const QString name = QStringLiteral("main-%1-%2x%3-%4")
                                         .arg(QString::fromLatin1(view))
                                         .arg(window.width())
                                         .arg(window.height())
                                         .arg(mode);
                if (!save(&window, name)) {
                    return 1;
                }
            }
        }
        state.setViewMode(QStringLiteral("week"));
        window.resize(1280, 800);
        if (!save(&window, QStringLiteral("main-week-") + mode) ||
            !save(window.statusBar(), QStringLiteral("main-statusbar-") + mode)) {
            return 1;
        }
        // A quick add while an import holds the store: the status bar says when it is stored.
        window.resize(1024, 640);
        state.holdStore();
        window.quickAddFromCommand(QStringLiteral("Dentist tomorrow at 9am"));
        const bool keptSaved = save(&window, QStringLiteral("main-quickadd-kept-") + mode);
        state.releaseStore();
        if (!keptSaved) {
            return 1;
        }
        window.resize(1280, 800);
        for (QAction* action : window.menuBar()->actions()) {
            QMenu* menu = action->menu();
            if (menu == nullptr) {
                continue;
            }
            menu->popup(window.mapToGlobal(window.menuBar()->actionGeometry(action).bottomLeft()));
            const QString name = action->text().remove(QLatin1Char('&')).toLower();
            const bool saved = save(menu, QStringLiteral("main-menu-%1-%2").arg(name, mode));
            menu->hide();
            if (!saved) {
                return 1;
            }
        }
        // The two button menus: the calendar groups above the views, the filters in the status
        // bar.
        const QList<QPair<QString, QToolButton*>> buttons = {
            {QStringLiteral("groups"), window.findChild<ViewArea*>()->groupButton()},
            {QStringLiteral("filters"),
             window.findChild<QToolButton*>(QStringLiteral("filterButton"))}};
        for (const auto& [name, button] : buttons) {
            QMenu* menu = button->menu();
            menu->popup(button->mapToGlobal(QPoint(0, button->height())));
            const bool saved = save(menu, QStringLiteral("main-menu-%1-%2").arg(name, mode));
            menu->hide();
            if (!saved) {
                return 1;
            }
        }
        // An import that stores some events and leaves others out says so in the status bar.
        const QString icsPath = data.filePath(QStringLiteral("team-offsite.ics"));
        QFile ics(icsPath);
        if (!ics.open(QIODevice::WriteOnly)) {
            return 1;
        }
        QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
        for (int i = 0; i < 12; ++i) {
            text += "BEGIN:VEVENT\r\nUID:offsite-" + QByteArray::number(i) +
                    "\r\nDTSTART:20260312T090000Z\r\nSUMMARY:Offsite\r\nEND:VEVENT\r\n";
        }
        text += "BEGIN:VEVENT\r\nUID:offsite-open\r\nSUMMARY:Open end\r\nEND:VEVENT\r\n"
                "BEGIN:VTODO\r\nUID:offsite-task\r\nSUMMARY:Book rooms\r\nEND:VTODO\r\n"
                "END:VCALENDAR\r\n";
        ics.write(text);
        ics.close();
        window.resize(1024, 640);
        window.confirm = [](const QString&, const QString&) { return true; };
        QEventLoop imported;
        QObject::connect(window.importFlow(), &IcsImportFlow::idle, &imported, &QEventLoop::quit);
        window.importIcsFromCommand(icsPath);
        imported.exec();
        if (!save(&window, QStringLiteral("main-import-") + mode)) {
            return 1;
        }
        // A reminder clicked after its event was deleted here, or removed by a sync.
        const QList<Event> todays = state.events()->getInRange(
            QDateTime(today, QTime(0, 0)), QDateTime(today.addDays(1), QTime(0, 0)), {});
        for (const Event& event : todays) {
            if (event.title == QLatin1String("Lunch")) {
                state.events()->remove(event.id);
                for (const char* kind : {"deleted", "removed"}) {
                    bool saved = false;
                    QTimer watch;
                    QObject::connect(&watch, &QTimer::timeout, [&] {
                        if (QWidget* box = QApplication::activeModalWidget()) {
                            watch.stop();
                            saved = save(
                                box,
                                QStringLiteral("main-reveal-%1-%2").arg(QLatin1String(kind), mode));
                            box->close();
                        }
                    });
                    watch.start(20);
                    window.revealEvent(
                        qstrcmp(kind, "deleted") == 0 ? event.id : QStringLiteral("gone"), today);
                    if (!saved) {
                        return 1;
                    }
                }
            }
        }
    }
    return 0;
}

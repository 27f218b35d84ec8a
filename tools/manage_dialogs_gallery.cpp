// Renders the management and settings dialogs (calendar accounts, CalDAV connection, calendar
// groups, filters, templates, weather, invitations, PDF export, keyboard help, preferences,
// search, welcome) in light and dark mode as PNG files for a person to look at, and writes a
// sample agenda PDF beside them. Works on a throw-away store with a pinned clock and contacts
// nothing. Run under a display:
//     xvfb-run -a manage_dialogs_gallery <output folder>

#include "AccountFormDialog.h"
#include "AccountRepository.h"
#include "AppState.h"
#include "CalDavConnectionDialog.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "GalleryCapture.h"
#include "GoogleAuthService.h"
#include "Ical.h"
#include "InvitationsDialog.h"
#include "KeyboardHelpDialog.h"
#include "ManageFiltersDialog.h"
#include "ManageSourcesDialog.h"
#include "ManageTemplatesDialog.h"
#include "ManageViewsDialog.h"
#include "OAuthProgressDialog.h"
#include "PdfExportDialog.h"
#include "PreferencesRepository.h"
#include "SearchDialog.h"
#include "SettingsDialog.h"
#include "TemplateRepository.h"
#include "ThemeManager.h"
#include "ViewFormDialog.h"
#include "ViewRepository.h"
#include "WeatherSettingsDialog.h"
#include "WelcomeDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimeZone>

#include <cstdio>

namespace {

const QDate today(2026, 3, 11);

QDateTime local(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, QTimeZone::systemTimeZone());
}

void addSources(AppState& state)
{
    const QDateTime now = Clock::now();
    const struct
    {
        const char* id;
        const char* name;
        const char* type;
        const char* user;
    } accounts[] = {{"home", "alice@dav.example.com", "caldav", "alice@example.com"},
                    {"gmail", "alice@gmail.example", "google", "alice@gmail.example"},
                    {"outlook", "alice@outlook.example", "microsoft", "alice@outlook.example"},
                    {"feeds", "Public holidays", "webcal", ""}};
    for (const auto& entry : accounts) {
        Account account;
        account.id = QString::fromLatin1(entry.id);
        account.name = QString::fromLatin1(entry.name);
        account.type = QString::fromLatin1(entry.type);
        account.username = QString::fromLatin1(entry.user);
        account.serverUrl = QStringLiteral("https://dav.example.com/");
        account.createdAt = account.updatedAt = now;
        state.accounts()->insert(account);
    }
    const struct
    {
        const char* id;
        const char* account;
        const char* name;
        const char* color;
        bool readOnly;
    } calendars[] = {
        {"family", "home", "Family", "#e67c73", false},
        {"projects", "home", "Projects with a rather long calendar name", "#33b679", false},
        {"holidays", "feeds", "Public holidays", "#0b8043", true}};
    Google::AuthService::saveTokens(QStringLiteral("gmail"),
                                    {QStringLiteral("access"), QStringLiteral("refresh"), now});
    for (const auto& entry : calendars) {
        Calendar calendar;
        calendar.id = QString::fromLatin1(entry.id);
        calendar.accountId = QString::fromLatin1(entry.account);
        calendar.name = QString::fromLatin1(entry.name);
        calendar.color = QString::fromLatin1(entry.color);
        calendar.isReadOnly = entry.readOnly;
        calendar.url = QStringLiteral("https://dav.example.com/") + calendar.id + QLatin1Char('/');
        calendar.createdAt = calendar.updatedAt = now;
        state.calendars()->insert(calendar);
    }
}

void addEvents(AppState& state)
{
    const struct
    {
        const char* id;
        const char* calendar;
        const char* title;
        int dayOffset;
        int hour;
        int minutes;
    } events[] = {{"review", "projects", "Quarterly review with the regional team", 0, 14, 90},
                  {"dentist", "family", "Dentist", 1, 9, 45},
                  {"standup", "projects", "Standup", 1, 10, 15},
                  {"dinner", "family", "Dinner with <b>Ann</b> & Bo", 2, 19, 120},
                  {"ferry", "family", "Night ferry to the islands", 3, 22, 630},
                  {"untitled", "projects", "", 4, 11, 30}};
    for (const auto& entry : events) {
        Event event;
        event.id = event.uid = QString::fromLatin1(entry.id);
        event.calendarId = QString::fromLatin1(entry.calendar);
        event.title = QString::fromLatin1(entry.title);
        event.location = QStringLiteral("Room 4.12");
        event.startTime = local(today.addDays(entry.dayOffset), QTime(entry.hour, 0));
        event.endTime = event.startTime.addSecs(entry.minutes * 60);
        event.organizerEmail = QStringLiteral("carla@example.com");
        event.organizerName = QStringLiteral("Carla");
        if (QLatin1String(entry.id) == QLatin1String("review")) {
            Attendee me;
            me.email = QStringLiteral("alice@example.com");
            me.status = QStringLiteral("needs-action");
            event.attendees.append(me);
        }
        event.created = event.lastModified = Clock::now();
        event.rawIcalendar = Ical::buildEvent(event);
        state.events()->insert(event);
    }
    Event trip;
    trip.id = trip.uid = QStringLiteral("trip");
    trip.calendarId = QStringLiteral("family");
    trip.title = QStringLiteral("Offsite day");
    trip.isAllDay = true;
    trip.startTime = QDateTime(today.addDays(1), QTime(0, 0), QTimeZone::utc());
    trip.endTime = trip.startTime.addDays(1);
    trip.created = trip.lastModified = Clock::now();
    trip.rawIcalendar = Ical::buildEvent(trip);
    state.events()->insert(trip);
}

void addGroupsFiltersTemplates(AppState& state)
{
    CalendarView view;
    view.id = QStringLiteral("work");
    view.name = QStringLiteral("Work");
    view.color = QStringLiteral("#33b679");
    view.calendarIds = QStringLiteral(R"(["projects"])");
    state.views()->insert(view);
    FilterRule rule;
    rule.id = QStringLiteral("quiet");
    rule.name = QStringLiteral("Hide standups");
    rule.type = QStringLiteral("pattern");
    rule.conditions = QStringLiteral(R"({"patterns":["standup"]})");
    state.filterRules()->insert(rule);
    FilterRule dim = rule;
    dim.id = QStringLiteral("dim");
    dim.name = QStringLiteral("Dim evenings");
    dim.action = QStringLiteral("dim");
    dim.enabled = false;
    state.filterRules()->insert(dim);
    EventTemplate standup;
    standup.id = QStringLiteral("standup");
    standup.name = QStringLiteral("Team standup");
    standup.color = QStringLiteral("#33b679");
    state.templates()->insert(standup);
    // A template from another device named a megabyte long: its row shows the start.
    EventTemplate runaway;
    runaway.id = QStringLiteral("runaway");
    while (runaway.name.size() < 1024 * 1024)
        runaway.name += QStringLiteral("LongText ");
    runaway.title = runaway.description = runaway.name;
    runaway.sortOrder = 1;
    state.templates()->insert(runaway);
}

QWidget* search(AppState* state)
{
    auto* dialog = new SearchDialog(state);
    dialog->show();
    dialog->findChild<QLineEdit*>()->setText(QStringLiteral("d"));
    QTest::qWait(SearchDialog::searchDelayMs + 50);
    return dialog;
}

// The preferences on one of their tabs.
QWidget* settingsOn(AppState* state, int tab)
{
    auto* dialog = new SettingsDialog(state, state->themeManager());
    dialog->findChild<QTabWidget*>()->setCurrentIndex(tab);
    return dialog;
}

} // namespace

int main(int argc, char* argv[])
{
    GalleryCapture capture(local(today, QTime(10, 7)), {"WEATHER_API_URL", "WEATHER_GEOCODING_URL"},
                           true);
    QApplication app(argc, argv);
    if (const int status = capture.start(argc, argv, "manage_dialogs_gallery"))
        return status;
    AppState* state = capture.state();
    addSources(*state);
    addEvents(*state);
    addGroupsFiltersTemplates(*state);
    state->preferences()->set(QStringLiteral("weather/location_name"),
                              QStringLiteral("Lisbon, Portugal"));

    ThemeManager* theme = state->themeManager();
    const auto save = [&](QWidget* widget, const QString& name) {
        capture.saveAndDelete(widget, name);
    };
    for (const char* mode : {"light", "dark"}) {
        theme->apply(QString::fromLatin1(mode));
        const QString suffix = GalleryCapture::suffix(mode);
        AppState* hub = state;
        save(new ManageSourcesDialog(hub, nullptr), QStringLiteral("accounts") + suffix);
        save(new CalDavConnectionDialog(hub), QStringLiteral("caldav-connect") + suffix);
        save(new AccountFormDialog(hub), QStringLiteral("account-add") + suffix);
        save(new AccountFormDialog(hub, *hub->accounts()->getById(QStringLiteral("gmail"))),
             QStringLiteral("account-google") + suffix);
        save(new AccountFormDialog(hub, *hub->accounts()->getById(QStringLiteral("outlook"))),
             QStringLiteral("account-microsoft") + suffix);
        save(new OAuthProgressDialog(QStringLiteral("Google")),
             QStringLiteral("sign-in-progress") + suffix);
        save(new ManageViewsDialog(hub), QStringLiteral("groups") + suffix);
        save(new ViewFormDialog(hub), QStringLiteral("group-new") + suffix);
        save(new ViewFormDialog(hub, *hub->views()->getById(QStringLiteral("work"))),
             QStringLiteral("group-edit") + suffix);
        save(new ManageFiltersDialog(hub), QStringLiteral("filters") + suffix);
        save(new ManageTemplatesDialog(hub), QStringLiteral("templates") + suffix);
        save(new WeatherSettingsDialog(hub), QStringLiteral("weather") + suffix);
        save(new InvitationsDialog(hub), QStringLiteral("invitations") + suffix);
        save(new PdfExportDialog(hub), QStringLiteral("pdf-export") + suffix);
        save(new KeyboardHelpDialog, QStringLiteral("keyboard") + suffix);
        save(new SettingsDialog(hub, theme), QStringLiteral("settings") + suffix);
        save(settingsOn(hub, 1), QStringLiteral("settings-appearance") + suffix);
        save(settingsOn(hub, 2), QStringLiteral("settings-startup") + suffix);
        save(settingsOn(hub, 3), QStringLiteral("settings-sync") + suffix);
        save(search(hub), QStringLiteral("search") + suffix);
        save(new WelcomeDialog(hub), QStringLiteral("welcome") + suffix);
    }
    QString error;
    if (!PdfExportDialog::writeAgenda(state, today, today.addDays(6),
                                      capture.filePath(QStringLiteral("agenda.pdf")), &error)) {
        std::fprintf(stderr, "agenda: %s\n", qPrintable(error));
        capture.addFailure();
    }
    // A server that names a calendar with a megabyte: the tree shows one row of it.
    Calendar named;
    named.id = QStringLiteral("named-at-length");
    named.accountId = QStringLiteral("home");
    named.name = QStringLiteral("A calendar named at length ").repeated(40000);
    named.color = QStringLiteral("#8e24aa");
    named.url = QStringLiteral("https://dav.example.com/named-at-length/");
    named.createdAt = named.updatedAt = Clock::now();
    state->calendars()->insert(named);
    theme->apply(QStringLiteral("light"));
    save(new ManageSourcesDialog(state, nullptr),
         QStringLiteral("accounts-long-name") + GalleryCapture::suffix("light"));
    return capture.finish();
}

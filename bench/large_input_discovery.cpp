// "discovery": a CalDAV discovery saved while the Calendar Accounts dialog is open, from the
// import through the dialog's reload to the tree painted, for 2,000 calendars against 20, per
// calendar. The discovery result is made here rather than read from a server: what is measured
// is the store and the dialog, not the network.

#include "Account.h"
#include "AccountRepository.h"
#include "AppState.h"
#include "CalDavImport.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "EventLoopBlocks.h"
#include "LargeInput.h"
#include "ManageSourcesDialog.h"
#include "Services.h"

#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace LargeInput {

namespace {

constexpr int runs = 5;
const QString accountId = QStringLiteral("dav");

QList<CalDavParse::DiscoveredCalendar> discoveryOf(int count)
{
    QList<CalDavParse::DiscoveredCalendar> calendars;
    calendars.reserve(count);
    for (int index = 0; index < count; ++index) {
        CalDavParse::DiscoveredCalendar calendar;
        calendar.href = QStringLiteral("https://dav.example.test/calendars/user/c%1/").arg(index);
        calendar.displayName = QStringLiteral("Shared calendar %1").arg(index);
        calendar.description = QStringLiteral("A calendar of the team");
        calendar.color = index % 2 ? QStringLiteral("#33B679") : QString();
        calendar.supportedComponents = {QStringLiteral("VEVENT"), QStringLiteral("VTODO")};
        calendars.append(calendar);
    }
    return calendars;
}

int calendarRows(const QTreeWidget& tree)
{
    for (int index = 0; index < tree.topLevelItemCount(); ++index) {
        QTreeWidgetItem* item = tree.topLevelItem(index);
        if (item->text(0) == QStringLiteral("Team server"))
            return item->childCount();
    }
    return -1;
}

// Milliseconds the window's thread was busy saving `count` discovered calendars into a fresh
// store with the dialog open, until the dialog lists them; negative when it could not measure.
double saveMs(EventLoopBlocks& app, int count)
{
    QTemporaryDir dir;
    qputenv("CALENDAR_DATA_DIR", dir.path().toUtf8());
    AppState state;
    if (!Services::start(state))
        return -1;
    Account account;
    account.id = accountId;
    account.name = QStringLiteral("Team server");
    account.type = QStringLiteral("caldav");
    account.createdAt = account.updatedAt = Clock::now();
    if (!state.accounts()->insert(account))
        return -1;
    const QList<CalDavParse::DiscoveredCalendar> calendars = discoveryOf(count);
    ManageSourcesDialog dialog(&state, nullptr);
    dialog.show();
    auto* tree = dialog.findChild<QTreeWidget*>();
    if (!tree || !app.settle([] { return true; }, 10000))
        return -1;
    app.reset();
    int saved = 0;
    if (!app.run(
            [&] { saved = CalDavImport::importDiscoveredCalendars(&state, accountId, calendars); },
            [&] { return calendarRows(*tree) == count; }) ||
        saved != count)
        return -1;
    return app.busyMs();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

bool discovery(EventLoopBlocks& app)
{
    std::vector<double> small;
    std::vector<double> large;
    for (int run = 0; run < runs; ++run) {
        small.push_back(saveMs(app, 20));
        large.push_back(saveMs(app, 2000));
        if (small.back() < 0 || large.back() < 0) {
            std::printf("discovery: the calendars could not be saved\n");
            return false;
        }
    }
    const double smallMs = median(small);
    const double largeMs = median(large);
    std::printf("  20 calendars: %8.2f ms (%.3f ms per calendar, median of %d)\n", smallMs,
                smallMs / 20, runs);
    std::printf("  2,000 calendars: %8.2f ms (%.3f ms per calendar)\n", largeMs, largeMs / 2000);
    std::printf("discovery ratio %.2f (target <= 1.5)\n", (largeMs / 2000) / (smallMs / 20));
    return true;
}

} // namespace LargeInput

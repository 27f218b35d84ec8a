#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

class AppState;

namespace Google {

// Applies one event listing of a Google calendar to the calendar's rows in the local store, in
// one transaction with one change announcement. Listed events are stored or replace their rows,
// except a row holding a local edit, which is left for the push; a listed occurrence is the row
// of its series and start even before that row has its Google id. A series made here takes its
// Google id as its UID, and the rows of its occurrences follow it. A cancellation removes its row
// (even one holding a local edit; a cancelled series takes its changed occurrences along) and
// stays an exception of its series; but a cancelled occurrence known before the listing (one this
// program cancelled and has not written back since, or one listed before) leaves a row edited here
// since alone. A full listing also removes the rows Google sent before and no longer lists, keeping
// local edits and rows never sent.
class ListingApplier
{
public:
    struct Outcome
    {
        bool stored = false; // false: the store refused the listing as a whole, nothing changed
        int upserted = 0;
        int tombstoned = 0;
        int failed = 0; // rows that could not be written; every other write is kept
    };

    // The state is not owned and must outlive the applier.
    explicit ListingApplier(AppState* state);

    // `fullListing`: the items are every event of the calendar rather than the changes since a
    // sync token.
    Outcome apply(const QString& calendarId, const QList<QJsonObject>& items, bool fullListing);

private:
    AppState* m_state;
};

} // namespace Google

#pragma once

#include "Event.h"
#include "SeriesEdit.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// The rows that undo one change of a recurring series (SeriesEdit), over the rows as they stand
// when the undo runs: a pure function, as the change itself. Nothing another client did since is
// taken back, and nothing is shown differently here and in other readers.
//
// The frame of a series is its start, end, zone, all-day kind and rule. A change that left the
// frames and the exception dates alone (a rename or a reminder of all events, one occurrence
// changed) is undone by putting back its own fields, whatever became of the frame since. A change
// that touched them (a move of all events, a new rule, "this and following", an occurrence
// deleted) is undone only where every frame it wrote still stands, and a series it made is still
// as it made it in every field the program writes to each server and reads back unchanged (times,
// rule and exception dates by what they mean, title, description, location, status, reminders);
// otherwise the undo writes nothing.
namespace SeriesUndo {

// One row a change touched: as it was before (absent for a row the change created), as the change
// wrote it (deleted, for one it dropped for good), and as it stands now (absent when gone for
// good). For an override the change created, `series` is its series' master as the change left
// it: what the occurrence was before the change made it apart.
struct Touched
{
    std::optional<Event> before;
    Event written;
    std::optional<Event> current;
    std::optional<Event> series = {};
};

enum class Kind {
    Fields,     // fields of whole series, their frames and exception dates left alone
    Occurrence, // occurrences changed apart from their series, which stays as it was
    Frame,      // a frame or exception dates changed, a series made, moved or deleted
};

// The kind of the change the rows record.
Kind kindOf(const QList<Touched>& rows);

// Whether two masters hold the same frame: the same start and end instants, all-day kind, zone
// and rule by what it means (its parts and the values of each BY part compared as sets, UNTIL as
// the instant it names, INTERVAL=1 and WKST=MO as if absent).
bool sameFrame(const Event& a, const Event& b);

// What undoing the change writes, row by row, after the rule of single events: a row not pushed
// and not changed since gets its old record back exactly; any other gets the fields the change
// changed put back over the row as it stands now (EventChange::putBack), as a new pending edit on
// top of its current href and ETag; one the change deleted and that was purged after its deletion
// was pushed comes back as a new row without href; a row the change created is removed. A row
// keeps the UID it goes by now, but for one the change moved into another series, which goes back
// to its own (the caller names the `before` records by the UIDs their items go by now). SEQUENCE
// never goes below the row's current value, and a row sent again goes one past it.
//
// A gone master the change did not delete (the series deleted elsewhere) makes the undo write
// nothing but `gone`, and so does an undo that finds nothing to put back (what the change wrote
// was deleted or moved away elsewhere since; for an occurrence changed on its own whose series
// stands, with `goneOccurrenceDay`); a frame changed elsewhere since, in a change of
// Kind::Frame, or a series the change made that was changed since, nothing but
// `changedElsewhere`. Where the frames stand, exception dates and overrides that arrived since
// (`seriesRows`: the live rows now of every series the change touched) move back with their
// series, and exception dates the change did not write stay, but for those that exclude nothing of
// the series as the change wrote it (a push adds such dates for the overrides a split took away).
// In the calendars of `occurrencesApart`, whose server keeps a changed occurrence as an item of its
// own named by its original start (Google), an override that arrived since cannot move: that undo
// too writes nothing but `changedElsewhere`.
//
// An override the change created goes: it is purged, not deleted, so that its occurrence comes
// back rather than being excluded; when the server has seen it, its master is sent again without
// it; but in the calendars of `occurrencesApart` it is written back as the occurrence its series
// gives, so that the server's item goes back too. One that another client changed since stays,
// with only the fields the change gave it put back to what its series gives now.
SeriesEdit::Plan undo(const QList<Touched>& rows, const QDateTime& now,
                      const QList<Event>& seriesRows = {},
                      const QSet<QString>& occurrencesApart = {});

} // namespace SeriesUndo

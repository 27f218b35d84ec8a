#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

// One line of English ("Lunch tomorrow at noon for 90 min") to a title, a start and an end.
// Case-insensitive; matched phrases are cut out of the title. Pure: "now" is an argument, or the
// clock's local now for the one-argument form.
namespace NLParser {

struct ParseResult
{
    QString title;
    QDateTime start;              // in the zone of the reference time
    std::optional<QDateTime> end; // absent only for empty input
    bool allDay = false;          // a day matched but no time of day
    bool hasTime = false;         // a time of day matched
};

struct Span
{
    int start = 0; // UTF-16 position in the input
    int length = 0;
};

struct DateMatch
{
    QDate date; // invalid when the phrase names no real date within reach
    QList<Span> spans;
};

struct TimeMatch
{
    QTime start;
    QTime end;           // meaningful only when hasEnd
    bool hasEnd = false; // a "from .. to .." range
    QList<Span> spans;
};

struct DurationMatch
{
    int minutes = 0; // -1 when the number is beyond Limits::maxQuickAddDurationMinutes
    QList<Span> spans;
};

// Parses the text against the reference time. Nothing when the text names a date or a length
// that no event can have ("feb 30", "in 2147483647 weeks", "for 1000000000000 hours").
std::optional<ParseResult> parse(const QString& text, const QDateTime& now);

// The same against Clock::nowLocal().
std::optional<ParseResult> parse(const QString& text);

// Drops the seconds, then moves to the next :00 or :30 (unchanged when already on one).
QDateTime roundUpToHalfHour(const QDateTime& dateTime);

std::optional<DateMatch> matchDate(const QString& text, const QDate& today);
// A clock time that no day has ("at 25pm", "9:75") is not a time: it stays in the title.
std::optional<TimeMatch> matchTime(const QString& text);
std::optional<DurationMatch> matchDuration(const QString& text);

// The text without the spans (overlaps cut once), trimmed, inner whitespace runs made one space.
QString stripSpans(const QString& text, QList<Span> spans);

} // namespace NLParser

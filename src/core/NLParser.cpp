#include "NLParser.h"

#include "Clock.h"
#include "Limits.h"
#include "WallClock.h"
#include "Weekday.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace NLParser {

namespace {

QRegularExpression pattern(const char* source)
{
    return QRegularExpression(QLatin1String(source), QRegularExpression::CaseInsensitiveOption);
}

QList<Span> spanOf(const QRegularExpressionMatch& match)
{
    if (match.capturedLength(0) == 0)
        return {};
    return {Span{int(match.capturedStart(0)), int(match.capturedLength(0))}};
}

int weekdayNumber(const QString& name)
{
    return Weekday::fromAbbreviation(QStringView(name).left(3));
}

int monthNumber(const QString& name)
{
    static const QStringList prefixes = {
        QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"), QStringLiteral("apr"),
        QStringLiteral("may"), QStringLiteral("jun"), QStringLiteral("jul"), QStringLiteral("aug"),
        QStringLiteral("sep"), QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec")};
    const QString lower = name.toLower();
    for (int i = 0; i < prefixes.size(); ++i) {
        if (lower.startsWith(prefixes[i]))
            return i + 1;
    }
    return 0;
}

// A date past the year iCalendar can write is as unusable as "feb 30".
QDate withinReach(const QDate& date)
{
    return date.isValid() && date.year() >= 1 && date.year() <= Limits::maxQuickAddYear ? date
                                                                                        : QDate();
}

// Hour, optional minutes and optional "am"/"pm" to a time of day; invalid past 23:59.
QTime clockTime(const QString& hourText, const QString& minuteText, const QString& marker)
{
    int hour = hourText.toInt();
    const int minute = minuteText.isEmpty() ? 0 : minuteText.toInt();
    const QString lower = marker.toLower();
    if (lower == QLatin1String("pm") && hour < 12)
        hour += 12;
    if (lower == QLatin1String("am") && hour == 12)
        hour = 0;
    return QTime(hour, minute);
}

QDateTime dateTimeIn(const QDate& date, const QTime& time, const QDateTime& reference)
{
    return WallClock(reference).at(date, time.isValid() ? time : QTime(0, 0));
}

bool withinReach(const QDateTime& dateTime)
{
    return dateTime.isValid() && withinReach(dateTime.date()).isValid();
}

} // namespace

QDateTime roundUpToHalfHour(const QDateTime& dateTime)
{
    const QTime time = dateTime.time();
    const QDateTime whole = dateTime.addMSecs(-(qint64(time.second()) * 1000 + time.msec()));
    const int minute = time.minute();
    if (minute == 0 || minute == 30)
        return whole;
    return whole.addSecs(qint64(minute < 30 ? 30 - minute : 60 - minute) * 60);
}

std::optional<DateMatch> matchDate(const QString& text, const QDate& today)
{
    static const QRegularExpression relative = pattern("\\b(today|tomorrow|yesterday|tonight)\\b");
    static const QRegularExpression nextWeekday = pattern(
        "\\bnext\\s+(monday|tuesday|wednesday|thursday|friday|saturday|sunday|mon|tue|tues|wed|"
        "thu|thur|thurs|fri|sat|sun)\\b");
    static const QRegularExpression weekday = pattern(
        "\\b(?:on\\s+)?(monday|tuesday|wednesday|thursday|friday|saturday|sunday|mon|tue|tues|"
        "wed|thu|thur|thurs|fri|sat|sun)\\b");
    static const QRegularExpression inDays = pattern("\\bin\\s+(\\d+)\\s+(days?|weeks?)\\b");
    static const QRegularExpression monthDay = pattern(
        "\\b(?:on\\s+)?(jan|feb|mar|apr|may|jun|jul|aug|sep|sept|oct|nov|dec|january|february|"
        "march|april|june|july|august|september|october|november|december)\\s+(\\d{1,2})\\b");

    QRegularExpressionMatch match = relative.match(text);
    if (match.hasMatch()) {
        const QString word = match.captured(1).toLower();
        int offset = 0;
        if (word == QLatin1String("tomorrow"))
            offset = 1;
        else if (word == QLatin1String("yesterday"))
            offset = -1;
        return DateMatch{withinReach(today.addDays(offset)), spanOf(match)};
    }
    match = nextWeekday.match(text);
    if (match.hasMatch()) {
        int days = weekdayNumber(match.captured(1)) - today.dayOfWeek();
        if (days < 1)
            days += 7;
        return DateMatch{withinReach(today.addDays(days)), spanOf(match)};
    }
    match = weekday.match(text);
    if (match.hasMatch()) {
        int days = weekdayNumber(match.captured(1)) - today.dayOfWeek();
        if (days < 0)
            days += 7;
        return DateMatch{withinReach(today.addDays(days)), spanOf(match)};
    }
    match = inDays.match(text);
    if (match.hasMatch()) {
        bool ok = false;
        qint64 days = match.captured(1).toInt(&ok);
        if (!ok)
            days = 0;
        if (match.captured(2).startsWith(QLatin1String("week"), Qt::CaseInsensitive))
            days *= 7;
        // At most 2^31 * 7 days: a valid QDate far past the reach check, never an overflow.
        return DateMatch{withinReach(today.addDays(days)), spanOf(match)};
    }
    match = monthDay.match(text);
    if (match.hasMatch()) {
        QDate date(today.year(), monthNumber(match.captured(1)), match.captured(2).toInt());
        if (date.isValid() && date < today)
            date = QDate(today.year() + 1, date.month(), date.day());
        return DateMatch{withinReach(date), spanOf(match)};
    }
    return std::nullopt;
}

std::optional<TimeMatch> matchTime(const QString& text)
{
    static const QRegularExpression range =
        pattern("\\bfrom\\s+(\\d{1,2})(?::(\\d{2}))?\\s*(am|pm)?\\s+to\\s+(\\d{1,2})(?::(\\d{2}))?"
                "\\s*(am|pm)?\\b");
    static const QRegularExpression noon = pattern("\\b(?:at\\s+)?noon\\b");
    static const QRegularExpression midnight = pattern("\\b(?:at\\s+)?midnight\\b");
    static const QRegularExpression atClock =
        pattern("\\bat\\s+(\\d{1,2})(?::(\\d{2}))?\\s*(am|pm)?\\b");
    static const QRegularExpression atFourDigits = pattern("\\bat\\s+(\\d{4})\\b");
    static const QRegularExpression withMarker =
        pattern("\\b(\\d{1,2})(?::(\\d{2}))?\\s*(am|pm)\\b");

    QRegularExpressionMatch match = range.match(text);
    if (match.hasMatch()) {
        QString startMarker = match.captured(3);
        QString endMarker = match.captured(6);
        if (startMarker.isEmpty())
            startMarker = endMarker;
        if (endMarker.isEmpty())
            endMarker = startMarker;
        const QTime start = clockTime(match.captured(1), match.captured(2), startMarker);
        const QTime end = clockTime(match.captured(4), match.captured(5), endMarker);
        if (start.isValid() && end.isValid())
            return TimeMatch{start, end, true, spanOf(match)};
    }
    match = noon.match(text);
    if (match.hasMatch())
        return TimeMatch{QTime(12, 0), QTime(), false, spanOf(match)};
    match = midnight.match(text);
    if (match.hasMatch())
        return TimeMatch{QTime(0, 0), QTime(), false, spanOf(match)};
    match = atClock.match(text);
    if (match.hasMatch()) {
        const QTime start = clockTime(match.captured(1), match.captured(2), match.captured(3));
        if (start.isValid())
            return TimeMatch{start, QTime(), false, spanOf(match)};
    }
    match = atFourDigits.match(text);
    if (match.hasMatch()) {
        const int digits = match.captured(1).toInt();
        if (digits / 100 < 24 && digits % 100 < 60)
            return TimeMatch{QTime(digits / 100, digits % 100), QTime(), false, spanOf(match)};
    }
    match = withMarker.match(text);
    if (match.hasMatch()) {
        const QTime start = clockTime(match.captured(1), match.captured(2), match.captured(3));
        if (start.isValid())
            return TimeMatch{start, QTime(), false, spanOf(match)};
    }
    return std::nullopt;
}

std::optional<DurationMatch> matchDuration(const QString& text)
{
    static const QRegularExpression duration =
        pattern("\\bfor\\s+(\\d+(?:\\.\\d+)?)\\s*(min|mins|minute|minutes|h|hr|hrs|hour|hours)\\b");
    const QRegularExpressionMatch match = duration.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    double minutes = match.captured(1).toDouble();
    if (match.captured(2).startsWith(QLatin1Char('h'), Qt::CaseInsensitive))
        minutes *= 60.0;
    // Checked in floating point before any conversion: a double beyond int's range converts
    // to garbage.
    const bool inRange =
        std::isfinite(minutes) && minutes <= double(Limits::maxQuickAddDurationMinutes);
    return DurationMatch{inRange ? int(std::trunc(minutes)) : -1, spanOf(match)};
}

QString stripSpans(const QString& text, QList<Span> spans)
{
    if (spans.isEmpty())
        return text.simplified();
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.start < b.start; });
    QString result;
    result.reserve(text.size());
    qsizetype cursor = 0;
    for (const Span& span : spans) {
        const qsizetype start = std::clamp<qsizetype>(span.start, 0, text.size());
        if (start > cursor)
            result += QStringView(text).mid(cursor, start - cursor);
        cursor = std::max(cursor, std::min(qsizetype(span.start) + span.length, text.size()));
    }
    if (cursor < text.size())
        result += QStringView(text).mid(cursor);
    return result.simplified();
}

std::optional<ParseResult> parse(const QString& text, const QDateTime& now)
{
    if (!now.isValid())
        return std::nullopt;
    ParseResult result;
    if (text.trimmed().isEmpty()) {
        result.start = roundUpToHalfHour(now);
        return result;
    }
    const QDate today = now.date();
    QList<Span> spans;

    QDate date = today;
    const std::optional<DateMatch> dateMatch = matchDate(text, today);
    if (dateMatch) {
        if (!dateMatch->date.isValid())
            return std::nullopt;
        date = dateMatch->date;
        spans += dateMatch->spans;
    }

    QTime timeOfDay(0, 0);
    const std::optional<TimeMatch> timeMatch = matchTime(text);
    if (timeMatch) {
        timeOfDay = timeMatch->start;
        spans += timeMatch->spans;
        result.hasTime = true;
    } else if (dateMatch) {
        result.allDay = true;
    } else {
        const QDateTime next = roundUpToHalfHour(now);
        date = next.date();
        timeOfDay = next.time();
    }

    qint64 minutes = 60;
    const std::optional<DurationMatch> durationMatch = matchDuration(text);
    if (durationMatch) {
        if (durationMatch->minutes < 0)
            return std::nullopt;
        minutes = durationMatch->minutes;
        spans += durationMatch->spans;
    }

    result.start = dateTimeIn(date, timeOfDay, now);
    QDateTime end;
    if (timeMatch && timeMatch->hasEnd) {
        end = dateTimeIn(date, timeMatch->end, now);
        if (end <= result.start)
            end = end.addDays(1);
    } else if (result.allDay) {
        end = dateTimeIn(date.addDays(1), QTime(0, 0), now);
    } else {
        end = result.start.addSecs(minutes * 60);
    }
    if (!withinReach(result.start) || !withinReach(end))
        return std::nullopt;
    result.end = end;

    static const QRegularExpression connective = pattern("^(?:on|at|for)\\s+|\\s+(?:on|at|for)$");
    result.title = stripSpans(text, spans).remove(connective).simplified();
    return result;
}

std::optional<ParseResult> parse(const QString& text)
{
    return parse(text, Clock::nowLocal());
}

} // namespace NLParser

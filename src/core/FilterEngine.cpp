#include "FilterEngine.h"

#include "DateText.h"
#include "Weekday.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringMatcher>
#include <QTimeZone>

#include <algorithm>

namespace FilterEngine {

namespace {

QStringList stringArray(const QJsonValue& value)
{
    QStringList result;
    if (!value.isArray())
        return result;
    const QJsonArray array = value.toArray();
    result.reserve(array.size());
    for (const QJsonValue& element : array)
        result.append(element.toString());
    return result;
}

bool isRecurring(const Event& event)
{
    return !event.recurrenceRule.isEmpty();
}

// A trailing comma in the form leaves an empty phrase behind; it must not match everything.
QList<QStringMatcher> phraseMatchers(const QStringList& phrases, Qt::CaseSensitivity cs)
{
    QList<QStringMatcher> matchers;
    for (const QString& phrase : phrases) {
        if (!phrase.trimmed().isEmpty())
            matchers.append(QStringMatcher(phrase, cs));
    }
    return matchers;
}

struct CompiledPattern
{
    QStringList titleExact;
    QList<QStringMatcher> title;
    QList<QStringMatcher> description;
    QList<QStringMatcher> location;
    Qt::CaseSensitivity cs = Qt::CaseInsensitive;

    explicit CompiledPattern(const PatternCondition& condition)
        : cs(condition.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive)
    {
        for (const QString& exact : condition.titleExact) {
            if (!exact.trimmed().isEmpty())
                titleExact.append(exact);
        }
        title = phraseMatchers(condition.titleContains, cs);
        description = phraseMatchers(condition.descriptionContains, cs);
        location = phraseMatchers(condition.locationContains, cs);
    }

    bool matches(const Event& event) const
    {
        for (const QString& exact : titleExact) {
            if (QString::compare(event.title, exact, cs) == 0)
                return true;
        }
        const auto anyIn = [](const QList<QStringMatcher>& matchers, const QString& text) {
            for (const QStringMatcher& matcher : matchers) {
                if (matcher.indexIn(text) >= 0)
                    return true;
            }
            return false;
        };
        if (anyIn(title, event.title))
            return true;
        if (!event.description.isEmpty() && anyIn(description, event.description))
            return true;
        return !event.location.isEmpty() && anyIn(location, event.location);
    }
};

// The start as the user sees it: in the machine's zone, or by its stored date for all-day
// events, which are kept at 00:00 UTC of their date and never shifted into a zone.
struct LocalStart
{
    int isoWeekday = 0;
    QString hourMinute; // "HH:mm"; empty when the start is invalid
};

LocalStart localStart(const Event& event, const QTimeZone& zone)
{
    LocalStart local;
    if (!event.startTime.isValid())
        return local;
    QDate date;
    QTime time(0, 0);
    if (event.isAllDay) {
        date = event.startTime.toUTC().date();
    } else {
        const QDateTime converted = event.startTime.toTimeZone(zone);
        date = converted.date();
        time = converted.time();
    }
    local.isoWeekday = date.dayOfWeek();
    local.hourMinute = QStringLiteral("%1:%2")
                           .arg(time.hour(), 2, 10, QLatin1Char('0'))
                           .arg(time.minute(), 2, 10, QLatin1Char('0'));
    return local;
}

bool matchTimeAt(const Event& event, const TimeCondition& condition, const LocalStart& local)
{
    if (condition.recurringOnly && !isRecurring(event))
        return false;
    if (local.hourMinute.isEmpty())
        return false;
    if (!condition.daysOfWeek.isEmpty()) {
        const bool dayListed = std::any_of(
            condition.daysOfWeek.cbegin(), condition.daysOfWeek.cend(), [&](const QString& name) {
                return Weekday::fromAbbreviation(name) == local.isoWeekday;
            });
        if (!dayListed)
            return false;
    }
    if (!condition.timeExact.isEmpty() && condition.timeExact != local.hourMinute)
        return false;
    if (!condition.rangeStart.isEmpty() && local.hourMinute < condition.rangeStart)
        return false;
    if (!condition.rangeEnd.isEmpty() && local.hourMinute > condition.rangeEnd)
        return false;
    return !(condition.timeExact.isEmpty() && condition.rangeStart.isEmpty() &&
             condition.rangeEnd.isEmpty() && condition.daysOfWeek.isEmpty());
}

struct CompiledRule
{
    FilterRule rule;
    FilterCondition condition;
    QSet<QString> scope;
    std::optional<CompiledPattern> pattern;
};

QList<CompiledRule> compile(QList<FilterRule>& rules)
{
    QList<CompiledRule> compiled;
    compiled.reserve(rules.size());
    for (FilterRule& rule : rules) {
        if (!rule.enabled || rule.deletedAt.has_value())
            continue;
        std::optional<FilterCondition> condition = parseConditions(rule.conditions);
        if (!condition)
            continue;
        CompiledRule entry{std::move(rule), std::move(*condition), {}, std::nullopt};
        entry.scope = parseCalendarIds(entry.rule.calendarIds);
        if (const auto* pattern = std::get_if<PatternCondition>(&entry.condition))
            entry.pattern.emplace(*pattern);
        compiled.append(std::move(entry));
    }
    std::stable_sort(compiled.begin(), compiled.end(),
                     [](const CompiledRule& a, const CompiledRule& b) {
                         return a.rule.priority < b.rule.priority;
                     });
    return compiled;
}

// Finds the deciding rule for one event. The local start is worked out at most once per event,
// and only when a time rule asks for it.
const CompiledRule* decidingRule(const Event& event, const QList<CompiledRule>& rules,
                                 const QTimeZone& zone)
{
    std::optional<LocalStart> local;
    for (const CompiledRule& entry : rules) {
        if (!entry.scope.isEmpty() && !entry.scope.contains(event.calendarId))
            continue;
        bool matched = false;
        if (entry.pattern) {
            matched = entry.pattern->matches(event);
        } else if (const auto* time = std::get_if<TimeCondition>(&entry.condition)) {
            if (!local)
                local = localStart(event, zone);
            matched = matchTimeAt(event, *time, *local);
        } else if (std::holds_alternative<SpecificCondition>(entry.condition)) {
            matched = event.calendarId == entry.rule.eventCalendarId &&
                      (event.uid == entry.rule.eventUid ||
                       (!event.providerEventId.isEmpty() &&
                        event.providerEventId == entry.rule.eventUid));
        } else if (const auto* allDay = std::get_if<AllDayCondition>(&entry.condition)) {
            matched = event.isAllDay && (!allDay->recurringOnly || isRecurring(event));
        }
        if (matched)
            return &entry;
    }
    return nullptr;
}

} // namespace

OccurrenceKey OccurrenceKey::of(const Event& event)
{
    return {event.id, event.recurrenceId.isEmpty() ? DateText::compactUtc(event.startTime)
                                                   : event.recurrenceId};
}

size_t qHash(const OccurrenceKey& key, size_t seed) noexcept
{
    return qHashMulti(seed, key.id, key.instance);
}

std::optional<FilterCondition> parseConditions(const QString& conditions)
{
    if (conditions.isEmpty())
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(conditions.toUtf8());
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QString kind = object.value(QLatin1String("runtimeType")).toString();
    const auto flag = [&](const char* key) { return object.value(QLatin1String(key)).toBool(); };
    if (kind == QLatin1String("pattern")) {
        PatternCondition pattern;
        pattern.titleContains = stringArray(object.value(QLatin1String("titleContains")));
        pattern.titleExact = stringArray(object.value(QLatin1String("titleExact")));
        pattern.descriptionContains =
            stringArray(object.value(QLatin1String("descriptionContains")));
        pattern.locationContains = stringArray(object.value(QLatin1String("locationContains")));
        pattern.caseSensitive = flag("caseSensitive");
        return pattern;
    }
    if (kind == QLatin1String("time")) {
        TimeCondition time;
        time.timeExact = object.value(QLatin1String("timeExact")).toString();
        const QJsonObject range = object.value(QLatin1String("timeRange")).toObject();
        time.rangeStart = range.value(QLatin1String("start")).toString();
        time.rangeEnd = range.value(QLatin1String("end")).toString();
        time.daysOfWeek = stringArray(object.value(QLatin1String("daysOfWeek")));
        time.recurringOnly = flag("recurringOnly");
        return time;
    }
    if (kind == QLatin1String("specific"))
        return SpecificCondition{};
    if (kind == QLatin1String("allDay"))
        return AllDayCondition{flag("recurringOnly")};
    return std::nullopt;
}

QSet<QString> parseCalendarIds(const QString& calendarIds)
{
    QSet<QString> scope;
    if (calendarIds.isEmpty())
        return scope;
    const QJsonDocument document = QJsonDocument::fromJson(calendarIds.toUtf8());
    if (!document.isArray())
        return scope;
    for (const QJsonValue& element : document.array()) {
        const QString id = element.toString();
        if (!id.isEmpty())
            scope.insert(id);
    }
    return scope;
}

bool matchPattern(const Event& event, const PatternCondition& condition)
{
    return CompiledPattern(condition).matches(event);
}

bool matchTime(const Event& event, const TimeCondition& condition)
{
    return matchTimeAt(event, condition, localStart(event, QTimeZone::systemTimeZone()));
}

FilterResult apply(const QList<Event>& events, QList<FilterRule> rules)
{
    const QList<CompiledRule> compiled = compile(rules);
    const QTimeZone zone = QTimeZone::systemTimeZone();
    FilterResult result;
    result.visibleEvents.reserve(events.size());
    for (const Event& event : events) {
        const CompiledRule* rule = decidingRule(event, compiled, zone);
        const QString* action = rule ? &rule->rule.action : nullptr;
        if (action && *action == QLatin1String("hide")) {
            ++result.hiddenCount;
            result.reminderSuppressedIds.insert(OccurrenceKey::of(event));
            continue;
        }
        result.visibleEvents.append(event);
        if (action && *action == QLatin1String("dim")) {
            const OccurrenceKey key = OccurrenceKey::of(event);
            result.dimmedIds.insert(key);
            if (rule->rule.suppressReminders)
                result.reminderSuppressedIds.insert(key);
        }
    }
    return result;
}

bool hidesAny(QList<FilterRule> rules)
{
    const QList<CompiledRule> compiled = compile(rules);
    return std::any_of(compiled.cbegin(), compiled.cend(), [](const CompiledRule& entry) {
        return entry.rule.action == QLatin1String("hide");
    });
}

std::optional<FilterRule> matchingRule(const Event& event, QList<FilterRule> rules)
{
    const QList<CompiledRule> compiled = compile(rules);
    if (const CompiledRule* rule = decidingRule(event, compiled, QTimeZone::systemTimeZone()))
        return rule->rule;
    return std::nullopt;
}

} // namespace FilterEngine

bool FilterResult::isDimmed(const Event& event) const
{
    return !dimmedIds.isEmpty() && dimmedIds.contains(FilterEngine::OccurrenceKey::of(event));
}

bool FilterResult::isReminderSuppressed(const Event& event) const
{
    return !reminderSuppressedIds.isEmpty() &&
           reminderSuppressedIds.contains(FilterEngine::OccurrenceKey::of(event));
}

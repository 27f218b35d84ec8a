#include "FilterConditions.h"

#include "Weekday.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace FilterConditions {

namespace {

QString compact(const QJsonObject& object)
{
    // QJsonObject keeps its members sorted by key, which is the stored order.
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QJsonArray textArray(const QStringList& texts)
{
    QJsonArray array;
    for (const QString& text : texts)
        array.append(text);
    return array;
}

} // namespace

const QStringList& dayKeys()
{
    static const QStringList keys = {
        QStringLiteral("mon"), QStringLiteral("tue"), QStringLiteral("wed"), QStringLiteral("thu"),
        QStringLiteral("fri"), QStringLiteral("sat"), QStringLiteral("sun")};
    return keys;
}

std::optional<QTime> parseTime(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d\\d):(\\d\\d)$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QTime time(match.captured(1).toInt(), match.captured(2).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}

QString timeText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

QStringList splitPhrases(const QString& text)
{
    QStringList phrases;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QString phrase = part.trimmed();
        if (!phrase.isEmpty())
            phrases.append(phrase);
    }
    return phrases;
}

QString patternConditions(const QStringList& phrases, bool caseSensitive)
{
    QJsonObject object;
    object.insert(QStringLiteral("runtimeType"), QStringLiteral("pattern"));
    object.insert(QStringLiteral("titleContains"), textArray(phrases));
    object.insert(QStringLiteral("titleExact"), QJsonArray());
    object.insert(QStringLiteral("descriptionContains"), QJsonArray());
    object.insert(QStringLiteral("locationContains"), QJsonArray());
    object.insert(QStringLiteral("caseSensitive"), caseSensitive);
    return compact(object);
}

QString timeConditions(const std::optional<QTime>& exact, const std::optional<QTime>& rangeStart,
                       const std::optional<QTime>& rangeEnd, const QStringList& days,
                       bool recurringOnly)
{
    QJsonObject object;
    object.insert(QStringLiteral("runtimeType"), QStringLiteral("time"));
    if (exact)
        object.insert(QStringLiteral("timeExact"), timeText(*exact));
    if (rangeStart && rangeEnd) {
        QJsonObject range;
        range.insert(QStringLiteral("start"), timeText(*rangeStart));
        range.insert(QStringLiteral("end"), timeText(*rangeEnd));
        object.insert(QStringLiteral("timeRange"), range);
    }
    QStringList ordered;
    for (const QString& key : dayKeys()) {
        if (days.contains(key))
            ordered.append(key);
    }
    object.insert(QStringLiteral("daysOfWeek"), textArray(ordered));
    object.insert(QStringLiteral("recurringOnly"), recurringOnly);
    return compact(object);
}

QString specificConditions()
{
    QJsonObject object;
    object.insert(QStringLiteral("runtimeType"), QStringLiteral("specific"));
    return compact(object);
}

QString allDayConditions(bool recurringOnly)
{
    QJsonObject object;
    object.insert(QStringLiteral("runtimeType"), QStringLiteral("allDay"));
    object.insert(QStringLiteral("recurringOnly"), recurringOnly);
    return compact(object);
}

FormValues read(const QString& conditions)
{
    FormValues values;
    const QJsonDocument document = QJsonDocument::fromJson(conditions.toUtf8());
    if (!document.isObject())
        return values;
    const QJsonObject object = document.object();

    QStringList phrases;
    for (const QJsonValue& entry : object.value(QStringLiteral("titleContains")).toArray())
        phrases.append(entry.toString());
    values.phrasesText = phrases.join(QStringLiteral(", "));
    values.caseSensitive = object.value(QStringLiteral("caseSensitive")).toBool();

    values.timeExact = parseTime(object.value(QStringLiteral("timeExact")).toString());
    const QJsonObject range = object.value(QStringLiteral("timeRange")).toObject();
    const auto start = parseTime(range.value(QStringLiteral("start")).toString());
    const auto end = parseTime(range.value(QStringLiteral("end")).toString());
    if (start && end) {
        values.rangeStart = start;
        values.rangeEnd = end;
    }

    QSet<int> days;
    for (const QJsonValue& entry : object.value(QStringLiteral("daysOfWeek")).toArray())
        days.insert(Weekday::fromAbbreviation(entry.toString()));
    for (int day = 1; day <= 7; ++day) {
        if (days.contains(day))
            values.days.append(dayKeys().at(day - 1));
    }
    values.recurringOnly = object.value(QStringLiteral("recurringOnly")).toBool();
    return values;
}

QString keepUnedited(const QString& written, const QString& stored)
{
    QJsonObject result = QJsonDocument::fromJson(written.toUtf8()).object();
    const QJsonObject before = QJsonDocument::fromJson(stored.toUtf8()).object();
    const QString kind = result.value(QStringLiteral("runtimeType")).toString();
    if (kind.isEmpty() || kind != before.value(QStringLiteral("runtimeType")).toString())
        return written;
    QStringList edited = {QStringLiteral("runtimeType")};
    if (kind == QLatin1String("pattern"))
        edited << QStringLiteral("titleContains") << QStringLiteral("caseSensitive");
    else if (kind == QLatin1String("time"))
        edited << QStringLiteral("timeExact") << QStringLiteral("timeRange")
               << QStringLiteral("daysOfWeek") << QStringLiteral("recurringOnly");
    else if (kind == QLatin1String("allDay"))
        edited << QStringLiteral("recurringOnly");
    for (auto member = before.constBegin(); member != before.constEnd(); ++member) {
        if (!edited.contains(member.key()))
            result.insert(member.key(), member.value());
    }
    if (kind == QLatin1String("time")) {
        // Times the form could not read were never shown as unset: they still limit the rule.
        const QJsonValue exact = before.value(QStringLiteral("timeExact"));
        if (!result.contains(QStringLiteral("timeExact")) && !exact.toString().isEmpty() &&
            !parseTime(exact.toString()))
            result.insert(QStringLiteral("timeExact"), exact);
        const QJsonObject range = before.value(QStringLiteral("timeRange")).toObject();
        if (!result.contains(QStringLiteral("timeRange")) && !range.isEmpty() &&
            !(parseTime(range.value(QStringLiteral("start")).toString()) &&
              parseTime(range.value(QStringLiteral("end")).toString())))
            result.insert(QStringLiteral("timeRange"), range);
        // A name the form cannot show as a day button still limits the rule.
        QJsonArray days = result.value(QStringLiteral("daysOfWeek")).toArray();
        for (const QJsonValue& entry : before.value(QStringLiteral("daysOfWeek")).toArray()) {
            if (Weekday::fromAbbreviation(entry.toString()) == 0)
                days.append(entry);
        }
        result.insert(QStringLiteral("daysOfWeek"), days);
    }
    return compact(result);
}

QStringList storedCalendarIds(const QString& calendarIds)
{
    QStringList ids;
    const QJsonDocument document = QJsonDocument::fromJson(calendarIds.toUtf8());
    for (const QJsonValue& entry : document.array()) {
        if (entry.isString())
            ids.append(entry.toString());
    }
    return ids;
}

QString calendarIdsText(const QStringList& tickedIds, const QStringList& listedIds,
                        const QString& storedIds)
{
    QStringList ids = tickedIds;
    for (const QString& id : storedCalendarIds(storedIds)) {
        if (!listedIds.contains(id) && !ids.contains(id))
            ids.append(id);
    }
    return QString::fromUtf8(QJsonDocument(textArray(ids)).toJson(QJsonDocument::Compact));
}

PreviewTally tally(const QList<Event>& occurrences, const FilterResult& result)
{
    PreviewTally tally;
    QSet<QString> dimmedEvents;
    for (const FilterEngine::OccurrenceKey& key : result.dimmedIds)
        dimmedEvents.insert(key.id);
    tally.matched = result.hiddenCount + int(dimmedEvents.size());

    QSet<FilterEngine::OccurrenceKey> visible;
    for (const Event& event : result.visibleEvents)
        visible.insert(FilterEngine::OccurrenceKey::of(event));
    for (const Event& occurrence : occurrences) {
        if (tally.examples.size() == 3)
            break;
        const FilterEngine::OccurrenceKey key = FilterEngine::OccurrenceKey::of(occurrence);
        if (!result.dimmedIds.contains(key) && visible.contains(key))
            continue;
        tally.examples.append(occurrence.title.isEmpty()
                                  ? QCoreApplication::translate("FilterFormDialog", "(Untitled)")
                                  : occurrence.title);
    }
    return tally;
}

} // namespace FilterConditions

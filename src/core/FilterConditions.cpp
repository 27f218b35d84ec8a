#include "FilterConditions.h"

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

    const QJsonArray days = object.value(QStringLiteral("daysOfWeek")).toArray();
    for (const QString& key : dayKeys()) {
        if (days.contains(QJsonValue(key)))
            values.days.append(key);
    }
    values.recurringOnly = object.value(QStringLiteral("recurringOnly")).toBool();
    return values;
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

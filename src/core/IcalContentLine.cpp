// The content-line layer of the iCalendar reader and writer: property names, the cut of a line
// into name, parameters and value, and the public helpers over lines.

#include "Ical.h"
#include "IcalInternal.h"
#include "IcalScanner.h"

#include <string_view>

namespace {

using IcalInternal::Property;

struct PropertyName
{
    std::string_view name;
    Property property;
};

constexpr PropertyName propertyNames[] = {
    {"UID", Property::Uid},
    {"SUMMARY", Property::Summary},
    {"DESCRIPTION", Property::Description},
    {"LOCATION", Property::Location},
    {"DTSTART", Property::DtStart},
    {"DTEND", Property::DtEnd},
    {"DURATION", Property::Duration},
    {"RRULE", Property::RRule},
    {"RECURRENCE-ID", Property::RecurrenceId},
    {"STATUS", Property::Status},
    {"SEQUENCE", Property::Sequence},
    {"URL", Property::Url},
    {"ORGANIZER", Property::Organizer},
    {"CREATED", Property::Created},
    {"LAST-MODIFIED", Property::LastModified},
    {"EXDATE", Property::ExDate},
    {"ATTENDEE", Property::Attendee},
    {"DTSTAMP", Property::DtStamp},
    {"ACTION", Property::Action},
    {"TRIGGER", Property::Trigger},
    {"DUE", Property::Due},
    {"COMPLETED", Property::Completed},
    {"PRIORITY", Property::Priority},
    {"PERCENT-COMPLETE", Property::PercentComplete},
    {"CATEGORIES", Property::Categories},
    {"RELATED-TO", Property::RelatedTo},
    {"X-ORVANDELLIC-REPEAT-MODE", Property::RepeatMode},
    {"X-ORVANDELLIC-SORT-ORDER", Property::SortOrder},
};

} // namespace

namespace IcalInternal {

Property propertyOf(QStringView name)
{
    constexpr qsizetype longest = 32;
    const qsizetype size = name.size();
    if (size == 0 || size >= longest)
        return Property::Other;
    char upper[longest];
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 128)
            return Property::Other;
        upper[i] = char(c >= u'a' && c <= u'z' ? c - 32 : c);
    }
    const std::string_view key(upper, std::size_t(size));
    for (const PropertyName& entry : propertyNames) {
        if (entry.name == key)
            return entry.property;
    }
    return Property::Other;
}

LineParts splitLine(QStringView line)
{
    const qsizetype size = line.size();
    qsizetype i = 0;
    while (i < size && line[i] != u':' && line[i] != u';')
        ++i;
    if (i == size)
        return {line, {}, {}};
    if (line[i] == u':')
        return {line.left(i), {}, line.mid(i + 1)};
    const qsizetype paramsBegin = i + 1;
    bool quoted = false;
    qsizetype colon = paramsBegin;
    for (; colon < size; ++colon) {
        const QChar c = line[colon];
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u':')
            break;
    }
    if (colon == size) {
        // Unbalanced quotes: fall back to the first colon, as a reader without quoting would.
        colon = line.indexOf(u':', paramsBegin);
        if (colon < 0)
            return {line, {}, {}};
    }
    return {line.left(i), line.mid(paramsBegin, colon - paramsBegin), line.mid(colon + 1)};
}

bool isPropertyLine(QStringView line, const LineParts& parts)
{
    if (parts.name.isEmpty() || parts.name.size() == line.size())
        return false;
    for (const QChar c : parts.name) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                        (u >= u'0' && u <= u'9') || u == u'-';
        if (!ok)
            return false;
    }
    return true;
}

std::optional<QStringView> paramOf(QStringView params, QLatin1String name)
{
    std::optional<QStringView> found;
    if (params.isEmpty())
        return found;
    forEachParam(params, [&](QStringView key, QStringView value) {
        if (equalsInsensitive(key, name))
            found = value;
    });
    return found;
}

QStringView tzidOf(const LineParts& parts)
{
    return paramOf(parts.params, QLatin1String("TZID")).value_or(QStringView());
}

std::optional<QStringView> heldZoneOf(const LineParts& parts)
{
    if (!parts.value.endsWith(u'Z') && !parts.value.endsWith(u'z'))
        return std::nullopt;
    const std::optional<QStringView> held = paramOf(parts.params, heldZoneParam);
    return held && !held->isEmpty() ? held : std::nullopt;
}

} // namespace IcalInternal

namespace Ical {

using namespace IcalInternal;

QStringList unfoldLines(const QString& text)
{
    QStringList lines;
    IcalScanner scanner(text);
    while (scanner.next())
        lines.append(scanner.line().toString());
    if (text.isEmpty() || text.endsWith(u'\n'))
        lines.append(QString());
    return lines;
}

ContentLine splitContentLine(const QString& line)
{
    const LineParts parts = splitLine(line);
    ContentLine content;
    content.name = parts.name.toString().toUpper();
    forEachParam(parts.params, [&](QStringView key, QStringView value) {
        content.params.insert(key.toString().toUpper(), value.toString());
    });
    content.value = parts.value.toString();
    return content;
}

} // namespace Ical

#pragma once

#include "CalDavParse.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// The XML of WebDAV and CalDAV: the body of every request the system sends, and the parsers of
// the multistatus replies. Pure functions: no state, no input or output.
//
// Bodies are UTF-8, begin with the XML declaration, indent two spaces per level and end every
// line with "\n". Every text that comes from a user or a server (names, descriptions, hrefs,
// component names) is XML-escaped, so no value can break a body or add elements to it.
//
// Parsers take any bytes: on malformed or truncated XML they return what they had gathered when
// the reader stopped; they never fail otherwise. Namespaces are matched by URI, not prefix.
namespace DavXml {

inline constexpr char davNamespace[] = "DAV:";
inline constexpr char caldavNamespace[] = "urn:ietf:params:xml:ns:caldav";
inline constexpr char calendarServerNamespace[] = "http://calendarserver.org/ns/";
inline constexpr char appleIcalNamespace[] = "http://apple.com/ns/ical/";

// PROPFIND Depth 0 for the current-user-principal.
QByteArray principalPropfind();
// PROPFIND Depth 0 for the calendar-home-set.
QByteArray homeSetPropfind();
// PROPFIND of the calendar collections' properties (Depth 1 on a home set, 0 on one calendar).
QByteArray calendarListPropfind();
// PROPFIND Depth 0 for a calendar's getctag and sync-token.
QByteArray ctagPropfind();
// REPORT calendar-query for every object holding the component (for example "VEVENT"); a
// time-range element is written only when start or end is valid.
QByteArray calendarQuery(const QDateTime& start, const QDateTime& end, const QString& component);
// REPORT calendar-multiget of the given encoded hrefs, in list order.
QByteArray calendarMultiget(const QStringList& hrefs);
// MKCALENDAR for a collection holding VEVENT and VTODO.
QByteArray mkcalendar(const QString& displayName, const QString& color, const QString& description);
// PROPPATCH of the non-empty values among name, colour and description.
QByteArray proppatchCalendar(const QString& displayName, const QString& color,
                             const QString& description);

// The text in UTF-8 with the five XML entities (" & ' < >) replaced and the characters XML
// cannot carry at all (control characters but tab and line breaks, U+FFFE, U+FFFF, a lone
// surrogate) left out.
QByteArray escape(const QString& text);
// "#RRGGBBAA" upper case: a 6-digit colour gains FF; empty stays empty; other lengths pass
// through upper-cased with one "#" in front.
QByteArray davColor(const QString& color);
// The instant in UTC as "yyyyMMddTHHmmssZ".
QString utcStamp(const QDateTime& dateTime);

// The first current-user-principal href, resolved against the base URL.
std::optional<QUrl> parsePrincipal(const QByteArray& body, const QUrl& baseUrl);
// The first calendar-home-set href, resolved against the base URL.
std::optional<QUrl> parseHomeSet(const QByteArray& body, const QUrl& baseUrl);
// The calendar collections of the reply, in document order; other responses are skipped.
QList<CalDavParse::DiscoveredCalendar> parseCalendars(const QByteArray& body, const QUrl& baseUrl);
// The text of the first getctag element; absent when missing or empty.
std::optional<QString> parseCtag(const QByteArray& body);
// The calendar objects of the reply, in document order; the collection's own response (a path
// ending in "/") is dropped. A response without calendar data still gives a record.
// complete, when given, tells whether the listing can be trusted as whole: a d:multistatus
// document read to its end without an XML error. A truncated or malformed reply gives false.
QList<CalDavParse::Resource> parseResources(const QByteArray& body, const QUrl& baseUrl,
                                            bool* complete = nullptr);

} // namespace DavXml

#pragma once

#include <QString>

#include <limits>

// Event descriptions prepared for display as rich text. Descriptions come from servers and are
// untrusted: anything shown as HTML goes through sanitize first (displayHtml does it all).
namespace DescriptionHtml {

// Cleans a Microsoft Teams invitation: one short join link (none when the event has its own
// conference address), no boilerplate. Text without "Microsoft Teams" comes back unchanged.
QString rewriteTeamsLinks(const QString& description, const QString& conferenceUrl);

// True when the text holds an opening tag of a common HTML element.
bool looksLikeHtml(const QString& text);

// Wraps bare http(s) addresses of HTML text in anchors, styled with the colour when one is
// given. Addresses already in markup are left alone; trailing punctuation stays outside.
QString linkify(const QString& html, const QString& color);

// Reduces untrusted HTML to a small set of text-formatting elements. Links keep only http,
// https and mailto targets; images, frames, scripts, styles, event handlers and every other
// attribute are dropped, so nothing is loaded or run. Unbalanced tags are closed.
QString sanitize(const QString& html);

// A description whole when it holds at most `maxChars` UTF-16 units (a bound below one counts as
// one), else its start up to that bound. The cut moves back to the start of a web address that
// linkify would link, or of a character reference, running across it, and never splits a
// surrogate pair: a shortened description links no address cut short.
QString leadingText(const QString& text, int maxChars);

// The whole preparation of a description for the details popover: Teams clean-up, then
// sanitised and linkified HTML, or escaped and linkified plain text with line breaks. The colour
// is used only when it is "#" and six hexadecimal digits. Empty for an empty description. Only
// the leadingText of `maxChars` is prepared; a shortened description ends in "…".
QString displayHtml(const QString& description, const QString& conferenceUrl, const QString& color,
                    int maxChars = std::numeric_limits<int>::max());

} // namespace DescriptionHtml

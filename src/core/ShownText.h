#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a row, card or label lays out of a text that came from outside (a server, a file, another
// device). Laying out a megabyte to show its first lines blocks the window for seconds, so the
// widgets shorten first; the stored text and the forms keep every character.
namespace ShownText {

// `text` itself when it holds at most `maxChars` UTF-16 units; otherwise its first `maxChars`
// units (one fewer where that would split a surrogate pair) followed by "…". A bound below one
// is taken as one.
QString bounded(const QString& text, int maxChars);

// A name from outside (a calendar's, an event's, a server's display name) as a log line prints it:
// as much as a row lays out (Limits::maxRowTextChars), so one long name cannot fill the log.
QString logged(const QString& name);

// Names for one log line: each logged and quoted, separated by commas, at most
// Limits::maxNamesPerLogLine of them and then how many more there are.
QString loggedNames(const QStringList& names);

// What a failure text quotes of a server's reply body: its first line that is not blank, trimmed,
// at most Limits::maxReplyLineChars characters (ending in "…" when cut); empty for a blank body.
// Only the start of that line is decoded, so a reply of megabytes costs what a short one does.
QString replyLine(const QByteArray& body);

} // namespace ShownText

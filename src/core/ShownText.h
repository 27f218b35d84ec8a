#pragma once

#include <QString>

// What a row, card or label lays out of a text that came from outside (a server, a file, another
// device). Laying out a megabyte to show its first lines blocks the window for seconds, so the
// widgets shorten first; the stored text and the forms keep every character.
namespace ShownText {

// `text` itself when it holds at most `maxChars` UTF-16 units; otherwise its first `maxChars`
// units (one fewer where that would split a surrogate pair) followed by "…". A bound below one
// is taken as one.
QString bounded(const QString& text, int maxChars);

} // namespace ShownText

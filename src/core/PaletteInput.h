#pragma once

#include <QString>

// How a line typed into the command palette is read: which command it names, what it hands that
// command, and when it is long enough to search the stored events by.
namespace PaletteInput {

// Events listed under the commands for one text.
inline constexpr int maxEventResults = 15;
// Shorter texts match too much of a store to be worth a query: one letter is in most titles.
inline constexpr int minSearchChars = 2;

struct Line
{
    QString head;     // the text before the first space, lower case: a command's name
    QString argument; // everything after that space, as typed (empty when there is none)
};

// `text` trimmed, then cut at its first space.
Line read(const QString& text);

// Whether the command called `name` (lower case) is listed for `text`: every command for a
// blank text, else each whose name contains the head of the text.
bool lists(const QString& name, const QString& text);

// Whether `text`, trimmed, has minSearchChars or more.
bool searchesEvents(const QString& text);

// Whether "view <word>" names one of the view modes it may switch to ("day", "week", "grid",
// "month", "year"; not "days", whose width comes from the horizon commands). `word` lower case.
bool isSwitchableMode(const QString& word);

} // namespace PaletteInput

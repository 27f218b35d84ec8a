#pragma once

#include <QFont>
#include <QString>

class AppState;
class QLabel;
class QPainter;
class QWidget;

// What the agenda's event and task rows share: their colour, their labels and the background
// they paint under their contents.
namespace AgendaRowParts {

// The item's own colour, else its calendar's, else `Defaults::itemColour` (a calendar that is
// gone counts as one without a colour).
QString rowColour(const AppState* appState, const QString& itemColour, const QString& calendarId);

// `base` moved by `points`, never below `minimum` points.
QFont shiftedFont(const QFont& base, int points, int minimum);

// A label of plain text drawn in the muted text colour by the application style sheet.
QLabel* mutedLabel(const QString& text, QWidget* parent = nullptr);

// Lines of a title and of a location a row shows at most: a long text ends in "…" there, and
// the card shows more of it.
inline constexpr int titleLines = 3;
inline constexpr int locationLines = 2;

// The bold, word-wrapped title of a row (AgendaRowText, at most titleLines), plain text,
// "(Untitled)" for an empty one.
QLabel* titleLabel(const QString& title, const char* context, QWidget* parent = nullptr);

// The "›" at the right end of a row.
QLabel* chevron(QWidget* parent = nullptr);

// The hover fill (when `hovered`) and the separator line under the row.
void paintBackground(QPainter& painter, const QWidget* row, bool hovered);

} // namespace AgendaRowParts

#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QDateTimeEdit;

// The colours of every window, for light or dark mode and an optional user accent, and what is
// built from them: the application stylesheet, dot and glyph icons. Process-wide state, GUI
// thread only; ThemeManager sets it, painting code reads it.
namespace Theme {

QColor canvas();
QColor surface();
QColor surfaceMuted();
QColor border();
QColor borderStrong();
QColor textPrimary();
QColor textMuted();
QColor textDisabled();
QColor danger();

// The accent name's colour in both modes when it parses, else the mode's default accent.
QColor accent();
// accent() with alpha 38 (light) or 50 (dark).
QColor accentMuted();

QString accentName();
// Stores the user's accent name; a name that does not parse is kept but has no effect.
void setAccentName(const QString& name);

bool isDark();
// 1 dark, 0 light.
void setDark(int dark);

QString iconFontFamily();
// Ignores an empty family, so a failed font load keeps "Material Icons".
void setIconFontFamily(const QString& family);

QString sansFamily();

// "#rrggbb" for an opaque colour, else "rgba(r, g, b, a)" with the alpha to three decimals.
QString cssRgba(const QColor& colour);

// Replaces every stylesheet token ("@canvas", "@radiusSm", ...) in `text` with its value for the
// current mode; at each "@" the longest token name wins, other text is left alone.
QString substituteTokens(const QString& text);

// The compiled-in stylesheet ":/styles/calendar.qss" with its tokens replaced; empty when the
// resource cannot be read.
QString stylesheet();

// Stylesheet text for check indicators inside list views.
QString checkboxListStyle();

// A 14 x 14 dot in the colour; the neutral grey "#9aa0a6" when the text does not parse.
QIcon calendarColorIcon(const QString& colour);

// One icon-font glyph, `size` logical pixels square, drawn at the application's pixel ratio.
QIcon glyphIcon(QChar glyph, int size, const QColor& colour);

// Sets the first day of the week of the edit's pop-up calendar; nothing for a null edit or one
// without a calendar.
void applyFirstDayOfWeek(QDateTimeEdit* edit, Qt::DayOfWeek day);

// Lets the edit and its pop-up calendar name days and months in the interface language
// (DateLanguage), keeping the calendar's first day of the week; nothing for a null edit.
void applyDateLanguage(QDateTimeEdit* edit);

} // namespace Theme

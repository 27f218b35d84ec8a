#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// Day and month names as the user reads them: in the interface language the start-up chose,
// inside the pattern each screen gives ("dddd, MMMM d, yyyy" keeps its order and punctuation;
// only the names change). Only the names follow the language: the week start and number formats
// keep the system locale, times of day keep TimeFormat, and machine texts keep DateText.
namespace DateLanguage {

// The interface language ("de", "es", "fr", "ja", "en"), set once at start-up before any other
// thread runs. An empty or unsupported code means English, as does never setting one.
void setLanguage(const QString& language);

// The language set, or "en".
QString language();

// The locale that names days and months in the language (the C locale for English).
QLocale locale();

// The date with the toolkit's date pattern ("ddd", "dddd", "MMM", "MMMM", "d", "yyyy", ...),
// names in the language; empty for an invalid date.
QString format(const QDate& date, const QString& pattern);

// The full name of a day of the week, 1 (Monday) to 7 (Sunday).
QString dayName(int dayOfWeek);

// The month's own name (not inflected for a date), 1 to 12, for a title above a month.
QString monthName(int month);

// A weekday heading for a narrow column: the short name cut to at most two characters, so
// "Mo", "lu" or "月"; never empty for a day 1 to 7.
QString weekdayInitials(int dayOfWeek);
// The day's one-letter name in the chosen language: "M" for Monday in English, "L" in Spanish.
QString weekdayLetter(int dayOfWeek);

} // namespace DateLanguage

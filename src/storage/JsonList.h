#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Lists stored as compact JSON array text ("[]" when empty). Readers never fail: text that is
// not a JSON array reads as an empty list.
namespace JsonList {

// A JSON array of strings, in list order, without blanks.
QString fromStrings(const QStringList& values);

// One entry per array element; an element that is not a string gives an empty entry.
QStringList toStrings(const QString& json);

// A JSON array of numbers, in list order, without blanks ("[10,60]").
QString fromInts(const QList<int>& values);

// Every element that is a number, as an integer, in array order; other elements are skipped.
QList<int> toInts(const QString& json);

} // namespace JsonList

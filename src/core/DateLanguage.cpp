#include "DateLanguage.h"

#include <QStringList>

namespace {

// Languages other than these would also bring their own digits (Arabic, Devanagari, ...), which
// the rest of the interface does not expect; they show English names like an unset language.
const QStringList& namedLanguages()
{
    static const QStringList languages = {QStringLiteral("de"), QStringLiteral("es"),
                                          QStringLiteral("fr"), QStringLiteral("ja")};
    return languages;
}

QString& chosenLanguage()
{
    static QString language = QStringLiteral("en");
    return language;
}

QLocale& chosenLocale()
{
    static QLocale locale = QLocale::c();
    return locale;
}

} // namespace

namespace DateLanguage {

void setLanguage(const QString& language)
{
    const QString code = language.trimmed().toLower();
    if (namedLanguages().contains(code)) {
        chosenLanguage() = code;
        chosenLocale() = QLocale(code);
    } else {
        chosenLanguage() = QStringLiteral("en");
        chosenLocale() = QLocale::c();
    }
}

QString language()
{
    return chosenLanguage();
}

QLocale locale()
{
    return chosenLocale();
}

QString format(const QDate& date, const QString& pattern)
{
    if (!date.isValid())
        return {};
    return chosenLocale().toString(date, pattern);
}

QString dayName(int dayOfWeek)
{
    return chosenLocale().dayName(dayOfWeek);
}

QString monthName(int month)
{
    return chosenLocale().standaloneMonthName(month);
}

QString weekdayInitials(int dayOfWeek)
{
    return chosenLocale().standaloneDayName(dayOfWeek, QLocale::ShortFormat).left(2);
}

QString weekdayLetter(int dayOfWeek)
{
    return chosenLocale().standaloneDayName(dayOfWeek, QLocale::NarrowFormat);
}

} // namespace DateLanguage

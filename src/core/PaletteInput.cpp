#include "PaletteInput.h"

#include <QStringList>

namespace PaletteInput {

Line read(const QString& text)
{
    const QString trimmed = text.trimmed();
    const qsizetype space = trimmed.indexOf(QLatin1Char(' '));
    if (space < 0)
        return {trimmed.toLower(), QString()};
    return {trimmed.left(space).toLower(), trimmed.mid(space + 1)};
}

bool lists(const QString& name, const QString& text)
{
    const QString head = read(text).head;
    return head.isEmpty() || name.contains(head);
}

bool searchesEvents(const QString& text)
{
    return text.trimmed().size() >= minSearchChars;
}

bool isSwitchableMode(const QString& word)
{
    static const QStringList modes = {QStringLiteral("day"), QStringLiteral("week"),
                                      QStringLiteral("grid"), QStringLiteral("month"),
                                      QStringLiteral("year")};
    return modes.contains(word);
}

} // namespace PaletteInput

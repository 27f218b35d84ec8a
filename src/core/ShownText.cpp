#include "ShownText.h"

namespace ShownText {

QString bounded(const QString& text, int maxChars)
{
    const qsizetype bound = qMax(1, maxChars);
    if (text.size() <= bound)
        return text;
    qsizetype cut = bound;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

} // namespace ShownText

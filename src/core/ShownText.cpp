#include "ShownText.h"

#include "Limits.h"

#include <algorithm>
#include <cstring>

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

QString logged(const QString& name)
{
    return bounded(name, Limits::maxRowTextChars);
}

QString loggedNames(const QStringList& names)
{
    QStringList quoted;
    const qsizetype shown = std::min<qsizetype>(names.size(), Limits::maxNamesPerLogLine);
    quoted.reserve(shown + 1);
    for (qsizetype index = 0; index < shown; ++index)
        quoted.append(u'"' + logged(names.at(index)) + u'"');
    if (names.size() > shown)
        quoted.append(QStringLiteral("and %1 more").arg(names.size() - shown));
    return quoted.join(QStringLiteral(", "));
}

QString replyLine(const QByteArray& body)
{
    qsizetype start = 0;
    while (start < body.size() && body.at(start) != '\0' &&
           std::strchr(" \t\r\n\f\v", body.at(start)))
        ++start;
    // A UTF-8 character takes at most four bytes, so this window holds more characters than the
    // bound whenever the line goes past it, and the cut is marked.
    const qsizetype window =
        std::min<qsizetype>(body.size() - start, 4 * (qsizetype(Limits::maxReplyLineChars) + 1));
    const char* const first = body.constData() + start;
    const char* const end = std::find(first, first + window, '\n');
    return bounded(QString::fromUtf8(first, end - first).trimmed(), Limits::maxReplyLineChars);
}

} // namespace ShownText

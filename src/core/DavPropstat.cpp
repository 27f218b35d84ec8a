#include "DavPropstat.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace DavPropstat {

std::optional<int> firstRefusal(const QByteArray& body)
{
    static const QRegularExpression statusLine(
        QStringLiteral("^\\s*HTTP/\\d(?:\\.\\d)?\\s+(\\d{3})"));
    const QString dav = QStringLiteral("DAV:");
    QXmlStreamReader reader(body);
    int propstatDepth = 0;
    bool sawStatus = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && reader.namespaceUri() == dav) {
            if (reader.name() == QLatin1String("propstat")) {
                ++propstatDepth;
            } else if (propstatDepth > 0 && reader.name() == QLatin1String("status")) {
                const QString text = reader.readElementText(QXmlStreamReader::SkipChildElements);
                const QRegularExpressionMatch match = statusLine.match(text);
                const int code = match.hasMatch() ? match.captured(1).toInt() : 0;
                sawStatus = true;
                if (code < 200 || code > 299)
                    return code > 0 ? code : 207;
            }
        } else if (token == QXmlStreamReader::EndElement && reader.namespaceUri() == dav &&
                   reader.name() == QLatin1String("propstat") && propstatDepth > 0) {
            --propstatDepth;
        }
    }
    if (!sawStatus || reader.hasError())
        return 207;
    return std::nullopt;
}

} // namespace DavPropstat

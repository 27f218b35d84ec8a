#include "DescriptionHtml.h"

#include "Limits.h"

#include <QList>
#include <QRegularExpression>
#include <QSet>

namespace DescriptionHtml {

namespace {

struct Patterns
{
    QRegularExpression angleAddress{QStringLiteral("<(https?://[^>]+)>")};
    QRegularExpression blankLineRun{QStringLiteral("\\n{3,}")};
    QRegularExpression organizerFooter{QStringLiteral("For organizers:[\\s\\S]*$")};
    QRegularExpression htmlSniff{QStringLiteral("<\\s*(html|body|div|p|br|table|style|meta|a)\\b"),
                                 QRegularExpression::CaseInsensitiveOption};
    QRegularExpression teamsJoinLink{
        QStringLiteral("Join the meeting now<(https://teams\\.microsoft\\.com/[^>]+)>")};
    QRegularExpression teamsCaption{QStringLiteral("^Microsoft Teams\\s*$"),
                                    QRegularExpression::MultilineOption};
    QRegularExpression helpLine{QStringLiteral("^.*Need help\\?.*$"),
                                QRegularExpression::MultilineOption};
    QRegularExpression trailingSpace{QStringLiteral("[\\s]+$")};
    QRegularExpression ruleLine{QStringLiteral("^_{3,}\\s*$"), QRegularExpression::MultilineOption};
    QRegularExpression bareAddress{QStringLiteral("(https?://[^\\s<>\"]+)"),
                                   QRegularExpression::CaseInsensitiveOption};
};

const Patterns& patterns()
{
    static const Patterns compiled;
    return compiled;
}

// ---- sanitiser ----

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\f');
}

const QSet<QString>& allowedElements()
{
    static const QSet<QString> names = {
        QStringLiteral("a"),     QStringLiteral("b"),     QStringLiteral("strong"),
        QStringLiteral("i"),     QStringLiteral("em"),    QStringLiteral("u"),
        QStringLiteral("s"),     QStringLiteral("p"),     QStringLiteral("br"),
        QStringLiteral("div"),   QStringLiteral("span"),  QStringLiteral("ul"),
        QStringLiteral("ol"),    QStringLiteral("li"),    QStringLiteral("blockquote"),
        QStringLiteral("pre"),   QStringLiteral("code"),  QStringLiteral("h1"),
        QStringLiteral("h2"),    QStringLiteral("h3"),    QStringLiteral("h4"),
        QStringLiteral("h5"),    QStringLiteral("h6"),    QStringLiteral("table"),
        QStringLiteral("thead"), QStringLiteral("tbody"), QStringLiteral("tfoot"),
        QStringLiteral("tr"),    QStringLiteral("td"),    QStringLiteral("th"),
        QStringLiteral("hr"),    QStringLiteral("sub"),   QStringLiteral("sup")};
    return names;
}

bool isVoidElement(const QString& name)
{
    return name == QLatin1String("br") || name == QLatin1String("hr");
}

// Elements whose content is code, styling or embedded documents, not text for the reader.
bool dropsContent(const QString& name)
{
    static const QSet<QString> names = {
        QStringLiteral("script"),   QStringLiteral("style"),    QStringLiteral("iframe"),
        QStringLiteral("object"),   QStringLiteral("noscript"), QStringLiteral("template"),
        QStringLiteral("title"),    QStringLiteral("textarea"), QStringLiteral("select"),
        QStringLiteral("svg"),      QStringLiteral("math"),     QStringLiteral("applet"),
        QStringLiteral("frameset"), QStringLiteral("noframes"), QStringLiteral("xmp")};
    return names.contains(name);
}

// Escapes markup characters; inside an attribute value the double quote as well.
QString escapeHtml(const QString& text, bool inAttribute)
{
    QString escaped;
    escaped.reserve(text.size() + text.size() / 8);
    for (QChar c : text) {
        if (c == QLatin1Char('&'))
            escaped += QLatin1String("&amp;");
        else if (inAttribute && c == QLatin1Char('"'))
            escaped += QLatin1String("&quot;");
        else if (c == QLatin1Char('<'))
            escaped += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            escaped += QLatin1String("&gt;");
        else
            escaped += c;
    }
    return escaped;
}

// Length of a character reference starting at pos ("&amp;", "&#38;", "&#x26;"), 0 if none.
qsizetype entityLength(const QString& text, qsizetype pos)
{
    qsizetype i = pos + 1;
    const qsizetype limit =
        std::min<qsizetype>(text.size(), pos + Limits::maxCharacterReferenceChars);
    if (i < limit && text[i] == QLatin1Char('#')) {
        ++i;
        const bool hex = i < limit && (text[i] == QLatin1Char('x') || text[i] == QLatin1Char('X'));
        if (hex)
            ++i;
        const qsizetype digitsStart = i;
        while (i < limit &&
               (isAsciiDigit(text[i]) || (hex && QStringLiteral("abcdefABCDEF").contains(text[i]))))
            ++i;
        if (i == digitsStart)
            return 0;
    } else {
        if (i >= limit || !isAsciiLetter(text[i]))
            return 0;
        while (i < limit && (isAsciiLetter(text[i]) || isAsciiDigit(text[i])))
            ++i;
    }
    return i < limit && text[i] == QLatin1Char(';') ? i + 1 - pos : 0;
}

// Decodes the character references that can hide a scheme ("&#106;avascript:", "&colon;").
// Unknown named references stay as written, and so can never spell an allowed scheme.
QString decodeReferences(const QString& value)
{
    static const QHash<QString, QString> named = {
        {QStringLiteral("amp"), QStringLiteral("&")},
        {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},
        {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},
        {QStringLiteral("colon"), QStringLiteral(":")},
        {QStringLiteral("sol"), QStringLiteral("/")},
        {QStringLiteral("tab"), QStringLiteral("\t")},
        {QStringLiteral("newline"), QStringLiteral("\n")}};
    QString decoded;
    decoded.reserve(value.size());
    for (qsizetype i = 0; i < value.size();) {
        const qsizetype length = value[i] == QLatin1Char('&') ? entityLength(value, i) : 0;
        if (length == 0) {
            decoded += value[i++];
            continue;
        }
        const QString body = value.mid(i + 1, length - 2);
        if (body.startsWith(QLatin1Char('#'))) {
            const bool hex = body.size() > 1 && body[1].toLower() == QLatin1Char('x');
            bool ok = false;
            const uint code = body.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF))
                decoded += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        } else if (const auto it = named.constFind(body.toLower()); it != named.cend()) {
            decoded += *it;
        } else {
            decoded += value.mid(i, length);
        }
        i += length;
    }
    return decoded;
}

// The link target to keep, or empty when the link must go. Whitespace and control characters
// are removed first, as browsers ignore them inside a scheme ("java\tscript:").
QString safeHref(const QString& rawValue)
{
    QString cleaned;
    const QString decoded = decodeReferences(rawValue);
    cleaned.reserve(decoded.size());
    for (QChar c : decoded) {
        if (c.unicode() > 0x20 && c.unicode() != 0x7F)
            cleaned += c;
    }
    const bool allowed = cleaned.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
                         cleaned.startsWith(QLatin1String("https://"), Qt::CaseInsensitive) ||
                         cleaned.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
    return allowed ? cleaned : QString();
}

bool isSmallNumber(const QString& value)
{
    if (value.isEmpty() || value.size() > 3)
        return false;
    return std::all_of(value.cbegin(), value.cend(), isAsciiDigit);
}

struct Tag
{
    QString name; // lower case
    bool closing = false;
    QList<std::pair<QString, QString>> attributes; // lower-case name, raw value
};

class Sanitizer
{
public:
    explicit Sanitizer(const QString& html) : m_in(html) { m_out.reserve(html.size()); }

    QString run()
    {
        while (m_pos < m_in.size()) {
            const QChar c = m_in[m_pos];
            if (c == QLatin1Char('<'))
                markup();
            else
                text(c);
        }
        while (!m_open.isEmpty())
            m_out += QLatin1String("</") + m_open.takeLast() + QLatin1Char('>');
        return m_out;
    }

private:
    void text(QChar c)
    {
        if (c == QLatin1Char('&')) {
            const qsizetype length = entityLength(m_in, m_pos);
            if (length > 0) {
                m_out += QStringView(m_in).mid(m_pos, length);
                m_pos += length;
                return;
            }
            m_out += QLatin1String("&amp;");
        } else if (c == QLatin1Char('>')) {
            m_out += QLatin1String("&gt;");
        } else {
            m_out += c;
        }
        ++m_pos;
    }

    void skipPast(QLatin1String marker)
    {
        const qsizetype found = m_in.indexOf(marker, m_pos);
        m_pos = found < 0 ? m_in.size() : found + marker.size();
    }

    void markup()
    {
        const QChar next = m_pos + 1 < m_in.size() ? m_in[m_pos + 1] : QChar();
        if (QStringView(m_in).mid(m_pos).startsWith(QLatin1String("<!--"))) {
            m_pos += 4;
            skipPast(QLatin1String("-->"));
            return;
        }
        if (next == QLatin1Char('!') || next == QLatin1Char('?')) {
            skipPast(QLatin1String(">"));
            return;
        }
        const bool closing = next == QLatin1Char('/');
        const qsizetype nameStart = m_pos + (closing ? 2 : 1);
        if (nameStart >= m_in.size() || !isAsciiLetter(m_in[nameStart])) {
            m_out += QLatin1String("&lt;");
            ++m_pos;
            return;
        }
        std::optional<Tag> tag = readTag(nameStart, closing);
        if (!tag) {
            m_pos = m_in.size(); // an unterminated tag swallows the rest, as in a browser
            return;
        }
        if (tag->closing)
            endTag(tag->name);
        else
            startTag(*tag);
    }

    std::optional<Tag> readTag(qsizetype nameStart, bool closing)
    {
        Tag tag;
        tag.closing = closing;
        qsizetype i = nameStart;
        while (i < m_in.size() && (isAsciiLetter(m_in[i]) || isAsciiDigit(m_in[i])))
            ++i;
        tag.name = m_in.mid(nameStart, i - nameStart).toLower();
        while (i < m_in.size()) {
            const QChar c = m_in[i];
            if (c == QLatin1Char('>')) {
                m_pos = i + 1;
                return tag;
            }
            if (isSpace(c) || c == QLatin1Char('/')) {
                ++i;
                continue;
            }
            const qsizetype attributeStart = i;
            while (i < m_in.size() && !isSpace(m_in[i]) && m_in[i] != QLatin1Char('>') &&
                   m_in[i] != QLatin1Char('/') && m_in[i] != QLatin1Char('='))
                ++i;
            if (i == attributeStart)
                ++i; // a stray "=": skip it
            const QString name = m_in.mid(attributeStart, i - attributeStart).toLower();
            while (i < m_in.size() && isSpace(m_in[i]))
                ++i;
            QString value;
            if (i < m_in.size() && m_in[i] == QLatin1Char('=')) {
                ++i;
                while (i < m_in.size() && isSpace(m_in[i]))
                    ++i;
                if (i < m_in.size() &&
                    (m_in[i] == QLatin1Char('"') || m_in[i] == QLatin1Char('\''))) {
                    const qsizetype close = m_in.indexOf(m_in[i], i + 1);
                    if (close < 0)
                        return std::nullopt;
                    value = m_in.mid(i + 1, close - i - 1);
                    i = close + 1;
                } else {
                    const qsizetype valueStart = i;
                    while (i < m_in.size() && !isSpace(m_in[i]) && m_in[i] != QLatin1Char('>'))
                        ++i;
                    value = m_in.mid(valueStart, i - valueStart);
                }
            }
            if (!name.isEmpty())
                tag.attributes.append({name, value});
        }
        return std::nullopt;
    }

    void startTag(const Tag& tag)
    {
        if (dropsContent(tag.name)) {
            // Skip to the matching end tag; without one the rest of the text goes.
            const qsizetype end =
                m_in.indexOf(QLatin1String("</") + tag.name, m_pos, Qt::CaseInsensitive);
            if (end < 0) {
                m_pos = m_in.size();
                return;
            }
            m_pos = end;
            skipPast(QLatin1String(">"));
            return;
        }
        if (!allowedElements().contains(tag.name))
            return;
        const bool isVoid = isVoidElement(tag.name);
        if (!isVoid && m_open.size() >= Limits::maxDescriptionNesting)
            return;
        m_out += QLatin1Char('<') + tag.name;
        QStringList written; // a repeated attribute counts once, as in a browser: the first
        for (const auto& [name, value] : tag.attributes) {
            if (written.contains(name))
                continue;
            written.append(name);
            QString kept;
            if (tag.name == QLatin1String("a") && name == QLatin1String("href"))
                kept = safeHref(value);
            else if ((tag.name == QLatin1String("td") || tag.name == QLatin1String("th")) &&
                     (name == QLatin1String("colspan") || name == QLatin1String("rowspan")) &&
                     isSmallNumber(value))
                kept = value;
            if (!kept.isEmpty())
                m_out += QLatin1Char(' ') + name + QLatin1String("=\"") + escapeHtml(kept, true) +
                         QLatin1Char('"');
        }
        m_out += QLatin1Char('>');
        if (!isVoid)
            m_open.append(tag.name);
    }

    void endTag(const QString& name)
    {
        const qsizetype index = m_open.lastIndexOf(name);
        if (index < 0)
            return;
        while (m_open.size() > index)
            m_out += QLatin1String("</") + m_open.takeLast() + QLatin1Char('>');
    }

    const QString& m_in;
    qsizetype m_pos = 0;
    QString m_out;
    QStringList m_open;
};

} // namespace

QString rewriteTeamsLinks(const QString& description, const QString& conferenceUrl)
{
    if (!description.contains(QLatin1String("Microsoft Teams")))
        return description;
    const Patterns& p = patterns();
    QString text;
    text.reserve(description.size());
    qsizetype copied = 0;
    for (auto it = p.teamsJoinLink.globalMatch(description); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        text += QStringView(description).mid(copied, match.capturedStart(0) - copied);
        if (conferenceUrl.isEmpty())
            text += QStringLiteral("<a href=\"%1\">Join Microsoft Teams Meeting</a>\n")
                        .arg(match.captured(1));
        copied = match.capturedEnd(0);
    }
    text += QStringView(description).mid(copied);
    text.replace(p.angleAddress, QStringLiteral("\\1"));
    text.remove(p.ruleLine);
    text.remove(p.teamsCaption);
    text.remove(p.helpLine);
    text.remove(p.organizerFooter);
    text.replace(p.blankLineRun, QStringLiteral("\n\n"));
    text.remove(p.trailingSpace);
    return text.trimmed();
}

bool looksLikeHtml(const QString& text)
{
    return patterns().htmlSniff.match(text).hasMatch();
}

QString linkify(const QString& html, const QString& color)
{
    static const QString trailing = QStringLiteral(".,;:!?)");
    const QString style =
        color.isEmpty() ? QString() : QStringLiteral(" style=\"color:%1;\"").arg(color);
    QString result;
    result.reserve(html.size() + 64);
    qsizetype copied = 0;
    // Whether the scan stands between "<" and ">": an address inside a tag (in any attribute,
    // not only href) is markup and stays as it is.
    bool insideTag = false;
    qsizetype scanned = 0;
    for (auto it = patterns().bareAddress.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const qsizetype p = match.capturedStart(0);
        for (; scanned < p; ++scanned) {
            if (html[scanned] == QLatin1Char('<'))
                insideTag = true;
            else if (html[scanned] == QLatin1Char('>'))
                insideTag = false;
        }
        result += QStringView(html).mid(copied, p - copied);
        copied = match.capturedEnd(0);
        const QStringView address = match.capturedView(0);
        const bool inMarkup = insideTag ||
                              (p >= 6 && QStringView(html).mid(p - 6, 6).contains(u"href=")) ||
                              (p >= 2 && (QStringView(html).mid(p - 2, 2) == u"\">" ||
                                          QStringView(html).mid(p - 2, 2) == u"'>"));
        if (inMarkup) {
            result += address;
            continue;
        }
        qsizetype kept = address.size();
        while (kept > 0 && trailing.contains(address[kept - 1]))
            --kept;
        const QString target = address.left(kept).toString();
        result += QStringLiteral("<a href=\"%1\"%2>%1</a>").arg(target, style);
        result += address.mid(kept);
    }
    result += QStringView(html).mid(copied);
    return result;
}

QString sanitize(const QString& html)
{
    return Sanitizer(html).run();
}

QString leadingText(const QString& text, int maxChars)
{
    const qsizetype bound = std::max(1, maxChars);
    if (text.size() <= bound)
        return text;
    qsizetype cut = bound;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    // An address ends where linkify's pattern ends it; one that goes on past the cut would be
    // linked to a page that does not exist, so it is left out whole.
    const auto endsAddress = [](QChar c) {
        return c.isSpace() || c == QLatin1Char('<') || c == QLatin1Char('>') ||
               c == QLatin1Char('"');
    };
    if (!endsAddress(text.at(cut))) {
        qsizetype wordStart = cut;
        while (wordStart > 0 && !endsAddress(text.at(wordStart - 1)))
            --wordStart;
        const QStringView word = QStringView(text).mid(wordStart, cut - wordStart);
        for (qsizetype at = word.indexOf(u'h', 0, Qt::CaseInsensitive); at >= 0;
             at = word.indexOf(u'h', at + 1, Qt::CaseInsensitive)) {
            // Also a scheme the cut splits ("https:/"): it reads as the start of an address.
            const QStringView from = word.mid(at);
            if (from.startsWith(u"http", Qt::CaseInsensitive) &&
                (QStringView(u"https://").startsWith(from, Qt::CaseInsensitive) ||
                 QStringView(u"http://").startsWith(from, Qt::CaseInsensitive) ||
                 from.startsWith(u"http://", Qt::CaseInsensitive) ||
                 from.startsWith(u"https://", Qt::CaseInsensitive))) {
                cut = wordStart + at;
                break;
            }
        }
    }
    // A character reference cut short would show as text ("&am").
    const qsizetype ampersand = cut > 0 ? text.lastIndexOf(QLatin1Char('&'), cut - 1) : -1;
    if (ampersand >= 0 && cut - ampersand < Limits::maxCharacterReferenceChars &&
        entityLength(text, ampersand) > cut - ampersand)
        cut = ampersand;
    return text.left(cut);
}

QString displayHtml(const QString& description, const QString& conferenceUrl, const QString& color,
                    int maxChars)
{
    if (description.isEmpty())
        return {};
    static const QRegularExpression colorName(QStringLiteral("^#[0-9a-fA-F]{6}$"));
    const QString linkColor = colorName.match(color).hasMatch() ? color : QString();
    const QString shown = leadingText(description, maxChars);
    // Markup cut off is closed by the sanitiser; the ellipsis follows it, outside every element.
    const QString ellipsis = shown.size() < description.size() ? QString(QChar(0x2026)) : QString();
    const QString cleaned = rewriteTeamsLinks(shown, conferenceUrl);
    if (looksLikeHtml(cleaned))
        return linkify(sanitize(cleaned), linkColor) + ellipsis;
    return linkify(escapeHtml(cleaned, false), linkColor)
               .replace(QLatin1Char('\n'), QLatin1String("<br/>")) +
           ellipsis;
}

} // namespace DescriptionHtml

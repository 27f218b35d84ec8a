#include "DescriptionHtml.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <limits>

namespace {

const QString teamsUrl =
    QStringLiteral("https://teams.microsoft.com/l/meetup-join/19%3ameeting_abc%40thread.v2/0");

QString teamsInvitation()
{
    return QStringLiteral("Agenda: budget review\n\n"
                          "________________________________________________________________\n"
                          "Microsoft Teams\n"
                          "Need help?<https://aka.ms/JoinTeamsMeeting>\n"
                          "Join the meeting now<%1>\n"
                          "Meeting ID: 123 456\n\n\n\n"
                          "See <https://example.com/notes>\n"
                          "For organizers: Meeting options<https://teams.microsoft.com/opt>\n"
                          "________________________________________________________________\n  ")
        .arg(teamsUrl);
}

// Every "<" of the output opens a well-formed tag of the allowed set, whose attributes are only
// http, https or mailto links and numeric table spans.
bool onlySafeTags(const QString& html)
{
    static const QRegularExpression tag(
        QStringLiteral("<(/?)([a-z0-9]+)((?:\\s+[a-z]+=\"[^\"<>]*\")*)>"));
    static const QRegularExpression attribute(QStringLiteral("\\s+([a-z]+)=\"([^\"]*)\""));
    static const QStringList allowed = {
        "a",  "b",     "strong", "i",          "em",    "u",    "s",  "p",  "br", "div", "span",
        "ul", "ol",    "li",     "blockquote", "pre",   "code", "h1", "h2", "h3", "h4",  "h5",
        "h6", "table", "thead",  "tbody",      "tfoot", "tr",   "td", "th", "hr", "sub", "sup"};
    qsizetype tags = 0;
    for (auto it = tag.globalMatch(html); it.hasNext(); ++tags) {
        const QRegularExpressionMatch match = it.next();
        if (!allowed.contains(match.captured(2)))
            return false;
        for (auto a = attribute.globalMatch(match.captured(3)); a.hasNext();) {
            const QRegularExpressionMatch pair = a.next();
            const QString value = pair.captured(2).toLower();
            const bool link = pair.captured(1) == QLatin1String("href") &&
                              (value.startsWith(QLatin1String("http://")) ||
                               value.startsWith(QLatin1String("https://")) ||
                               value.startsWith(QLatin1String("mailto:")));
            const bool span = (pair.captured(1) == QLatin1String("colspan") ||
                               pair.captured(1) == QLatin1String("rowspan")) &&
                              value.toInt() > 0;
            if (!link && !span)
                return false;
        }
    }
    return tags == html.count(QLatin1Char('<'));
}

// Every end tag closes the innermost open one, and nothing stays open.
bool balanced(const QString& html)
{
    static const QRegularExpression tag(QStringLiteral("<(/?)([a-zA-Z0-9]+)"));
    QStringList open;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString name = match.captured(2).toLower();
        if (name == QLatin1String("br") || name == QLatin1String("hr"))
            continue;
        if (match.captured(1).isEmpty())
            open.append(name);
        else if (open.isEmpty() || open.takeLast() != name)
            return false;
    }
    return open.isEmpty();
}

} // namespace

class TestDescriptionHtml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sanitize_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* html, const char* expected) {
            QTest::newRow(name) << QString::fromUtf8(html) << QString::fromUtf8(expected);
        };
        row("allowed formatting kept", "<p>Hi <b>there</b><br/>x</p>",
            "<p>Hi <b>there</b><br>x</p>");
        row("script with content", "a<script>alert(1)</script>b", "ab");
        row("script in capitals", "a<SCRIPT type=x>alert('</p>')</ScRiPt >b", "ab");
        row("unclosed script drops the rest", "a<script>alert(1)", "a");
        row("style block", "<style>p{background:url(http://x/t.png)}</style>t", "t");
        row("event handlers", "<p onclick=\"steal()\" onmouseover='x'>t</p>", "<p>t</p>");
        row("inline style", "<div style=\"background:url(file:///etc/passwd)\">t</div>",
            "<div>t</div>");
        row("image", "x<img src=\"http://tracker/p.gif\" onerror=\"alert(1)\">y", "xy");
        row("iframe with content", "<iframe src=\"https://evil\">fallback</iframe>t", "t");
        row("object and embed", "<object data=x>o</object><embed src=y>t", "t");
        row("svg with script", "<svg onload=alert(1)><script>x</script></svg>t", "t");
        row("meta refresh and link",
            "<meta http-equiv=\"refresh\" content=\"0;url=http://x\"><link rel=stylesheet "
            "href=http://x/s.css>t",
            "t");
        row("http link", "<a href=\"https://example.com/a?b=1&amp;c=2\" target=_blank>x</a>",
            "<a href=\"https://example.com/a?b=1&amp;c=2\">x</a>");
        row("mailto link", "<a href='mailto:me@example.com'>m</a>",
            "<a href=\"mailto:me@example.com\">m</a>");
        row("javascript link", "<a href=\"javascript:alert(1)\">x</a>", "<a>x</a>");
        row("javascript link with entities", "<a href=\"&#106;avascript&colon;alert(1)\">x</a>",
            "<a>x</a>");
        row("javascript link with tab", "<a href=\"java\tscript:alert(1)\">x</a>", "<a>x</a>");
        row("web link with a tab in its scheme", "<a href=\"ht\ttps://example.com\">x</a>",
            "<a href=\"https://example.com\">x</a>");
        row("data link", "<a href=\"data:text/html,<script>x</script>\">x</a>", "<a>x</a>");
        row("file link", "<a href=\"file:///etc/passwd\">x</a>", "<a>x</a>");
        row("relative link", "<a href=\"/local\">x</a>", "<a>x</a>");
        row("obfuscated https kept decoded", "<a href=\"&#104;ttps://ok.example\">x</a>",
            "<a href=\"https://ok.example\">x</a>");
        row("quote in link cannot break out", "<a href='https://x/\"onmouseover=\"alert(1)'>x</a>",
            "<a href=\"https://x/&quot;onmouseover=&quot;alert(1)\">x</a>");
        row("repeated attribute counts once",
            "<a href=\"javascript:x\" href=\"https://ok\">x</a><td colspan=2 colspan=3>",
            "<a>x</a><td colspan=\"2\"></td>");
        row("unbalanced tags closed", "<div><b>bold<i>both</div>tail",
            "<div><b>bold<i>both</i></b></div>tail");
        row("stray end tags dropped", "</p>a</b><p>b", "a<p>b</p>");
        row("comments dropped", "a<!-- <script>x</script> -->b<!-- open", "ab");
        row("doctype and wrappers", "<!DOCTYPE html><html><body><p>t</p></body></html>",
            "<p>t</p>");
        row("lone angle brackets escaped", "1 < 2 > 0 & <3", "1 &lt; 2 &gt; 0 &amp; &lt;3");
        row("entities kept", "&nbsp;&eacute;&#169;&#x263A;", "&nbsp;&eacute;&#169;&#x263A;");
        row("unterminated tag", "a<p class=\"x", "a");
        row("table spans numeric only",
            "<table><tr><td colspan=2 rowspan=\"x\" width=9>c</td></tr></table>",
            "<table><tr><td colspan=\"2\">c</td></tr></table>");
        row("form controls", "<form action=http://x><input value=a>t</form>", "t");
    }

    void sanitize()
    {
        QFETCH(QString, html);
        QFETCH(QString, expected);
        QCOMPARE(DescriptionHtml::sanitize(html), expected);
    }

    // Random splices of hostile fragments: the output never carries active content, resource
    // loads or unbalanced tags.
    void hostileSplicesStayInert()
    {
        const QStringList fragments =
            QStringLiteral("<script>|</script>|<img src=x onerror=alert(1)>|"
                           "<a href=\"javascript:x\">|<a href='https://ok'>|</a>|<b>|</b>|<div|>|"
                           "\"|'|<!--|-->|<iframe src=//x>|</iframe>|<style>|</style>|text |"
                           "&#106;|<p onclick=x>|</p>|<|</|<svg>|<table><tr><td>|</td>|=|&|<br/>|"
                           "<A HREF=\"mailto:a@b\">|<base href=http://x>|style=\"x\"")
                .split(QLatin1Char('|'));
        QRandomGenerator random(1112);
        for (int round = 0; round < 2000; ++round) {
            QString html;
            const int count = int(random.bounded(1, 25));
            for (int i = 0; i < count; ++i)
                html += fragments[random.bounded(int(fragments.size()))];
            const QString clean = DescriptionHtml::sanitize(html);
            QVERIFY2(onlySafeTags(clean), qPrintable(html + QStringLiteral(" -> ") + clean));
            QVERIFY2(balanced(clean), qPrintable(html + QStringLiteral(" -> ") + clean));
            QCOMPARE(DescriptionHtml::sanitize(clean), clean);
        }
    }

    void deepNestingIsBounded()
    {
        const QString html = QStringLiteral("<b>").repeated(100000) + QStringLiteral("x");
        const QString clean = DescriptionHtml::sanitize(html);
        QVERIFY(clean.size() < 2000);
        QVERIFY(balanced(clean));
    }

    void linkify_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("color");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* html, const char* color,
                            const char* expected) {
            QTest::newRow(name) << QString::fromUtf8(html) << QString::fromUtf8(color)
                                << QString::fromUtf8(expected);
        };
        row("sentence end", "See https://example.com.", "",
            "See <a href=\"https://example.com\">https://example.com</a>.");
        row("closing parenthesis", "(at http://x.org/a)", "",
            "(at <a href=\"http://x.org/a\">http://x.org/a</a>)");
        row("several trailing characters", "Go to https://x.org/?!;", "",
            "Go to <a href=\"https://x.org/\">https://x.org/</a>?!;");
        row("styled", "https://x.org", "#1a2b3c",
            "<a href=\"https://x.org\" style=\"color:#1a2b3c;\">https://x.org</a>");
        row("already in href", "<a href=\"https://x.org\">https://x.org</a>", "",
            "<a href=\"https://x.org\">https://x.org</a>");
        row("after single-quoted start tag", "<a href='https://x.org'>https://x.org</a>", "",
            "<a href='https://x.org'>https://x.org</a>");
        row("inside another attribute", "<a href=\"mailto:a@b?body=https://x.org\">m</a>", "",
            "<a href=\"mailto:a@b?body=https://x.org\">m</a>");
        row("scheme in capitals", "HTTPS://X.ORG/a", "",
            "<a href=\"HTTPS://X.ORG/a\">HTTPS://X.ORG/a</a>");
        row("no address", "nothing here: ftp://x", "", "nothing here: ftp://x");
    }

    void linkify()
    {
        QFETCH(QString, html);
        QFETCH(QString, color);
        QFETCH(QString, expected);
        QCOMPARE(DescriptionHtml::linkify(html, color), expected);
    }

    void looksLikeHtml_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("br in capitals") << "line<BR>line" << true;
        QTest::newRow("spaced div") << "< div>" << true;
        QTest::newRow("span only") << "<span>x</span>" << false;
        QTest::newRow("less than p") << "a <p b" << true;
        QTest::newRow("plain") << "a < b" << false;
        QTest::newRow("longer name") << "<abbr>x</abbr>" << false;
    }

    void looksLikeHtml()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(DescriptionHtml::looksLikeHtml(text), expected);
    }

    void rewriteTeamsLinks_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("conferenceUrl");
        QTest::addColumn<QString>("expected");
        const QString otherText =
            QStringLiteral("Notes\n_____\nFor organizers: x\n\n\n\n<https://a>  ");
        QTest::newRow("invitation cleaned")
            << teamsInvitation() << QString()
            << QStringLiteral("Agenda: budget review\n\n<a href=\"%1\">Join Microsoft Teams "
                              "Meeting</a>\n\nMeeting ID: 123 456\n\nSee https://example.com/notes")
                   .arg(teamsUrl);
        QTest::newRow("link dropped when the event has a conference url")
            << teamsInvitation() << QStringLiteral("https://c")
            << QStringLiteral("Agenda: budget review\n\nMeeting ID: 123 456\n\n"
                              "See https://example.com/notes");
        QTest::newRow("text without Teams untouched") << otherText << QString() << otherText;
    }

    void rewriteTeamsLinks()
    {
        QFETCH(QString, description);
        QFETCH(QString, conferenceUrl);
        QFETCH(QString, expected);
        QCOMPARE(DescriptionHtml::rewriteTeamsLinks(description, conferenceUrl), expected);
    }

    void displayHtml_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("color");
        QTest::addColumn<int>("maxChars");
        QTest::addColumn<QString>("expected");
        const int whole = std::numeric_limits<int>::max();
        QTest::newRow("empty") << ""
                               << "#112233" << whole << "";
        QTest::newRow("plain text escaped with breaks")
            << "a < b & \"c\"\nhttps://x.org/p?q=1&r=2\n"
            << "#112233" << whole
            << "a &lt; b &amp; \"c\"<br/><a href=\"https://x.org/p?q=1&amp;r=2\" "
               "style=\"color:#112233;\">https://x.org/p?q=1&amp;r=2</a><br/>";
        QTest::newRow("html sanitised then linkified")
            << "<p onclick=x>see https://x.org</p><script>bad()</script>"
            << "" << whole << "<p>see <a href=\"https://x.org\">https://x.org</a></p>";
        QTest::newRow("colour that is not a colour is ignored")
            << "https://x.org"
            << "red\" onclick=\"x" << whole << "<a href=\"https://x.org\">https://x.org</a>";
        // A shortened description: what is laid out ends in an ellipsis, links no address cut
        // short and leaves no markup open.
        QTest::newRow("cut in an address leaves it out") << "see https://x.org/long/path and more"
                                                         << "" << 16 << "see …";
        QTest::newRow("cut in its scheme leaves it out") << "see https://x.org"
                                                         << "" << 9 << "see …";
        QTest::newRow("cut after an address keeps it")
            << "see https://x.org and more"
            << "" << 18 << "see <a href=\"https://x.org\">https://x.org</a> …";
        QTest::newRow("cut in a reference leaves it out") << "<p>fish &amp; chips</p>"
                                                          << "" << 11 << "<p>fish </p>…";
        QTest::newRow("cut inside a tag drops the tag")
            << "<p>agenda <a href=\"https://x.org/a\">the</a></p>"
            << "" << 24 << "<p>agenda </p>…";
        QTest::newRow("cut inside a link closes it")
            << "<p><a href=\"https://x.org/a\">the agenda</a> and</p>"
            << "" << 35 << "<p><a href=\"https://x.org/a\">the ag</a></p>…";
        QTest::newRow("no surrogate half")
            << QStringLiteral("ab\U0001F600cd") << "" << 3 << QStringLiteral("ab…");
    }

    void displayHtml()
    {
        QFETCH(QString, description);
        QFETCH(QString, color);
        QFETCH(int, maxChars);
        QFETCH(QString, expected);
        QCOMPARE(DescriptionHtml::displayHtml(description, QString(), color, maxChars), expected);
    }
};

QTEST_GUILESS_MAIN(TestDescriptionHtml)
#include "tst_descriptionhtml.moc"

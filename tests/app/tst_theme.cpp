#include "Theme.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using ColourFunction = QColor (*)();
Q_DECLARE_METATYPE(ColourFunction)

class TestTheme : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void roleColours_data();
    void roleColours();
    void accentRules_data();
    void accentRules();
    void cssRgba_data();
    void cssRgba();

    void tokensReplacedWholeLongestFirst_data();
    void tokensReplacedWholeLongestFirst();
    void stylesheetHoldsNoUnreplacedToken_data();
    void stylesheetHoldsNoUnreplacedToken();
    void stylesheetLeavesIndicatorsToTheStyle();

    void checkboxListStyle();
    void calendarColorIcon_data();
    void calendarColorIcon();
    void glyphIconFollowsPixelRatio();
    void iconFontFamilyIgnoresEmpty();
    void applyFirstDayOfWeek();
};

void TestTheme::cleanup()
{
    Theme::setDark(0);
    Theme::setAccentName(QString());
}

void TestTheme::roleColours_data()
{
    QTest::addColumn<ColourFunction>("role");
    QTest::addColumn<QString>("light");
    QTest::addColumn<QString>("dark");

    QTest::newRow("canvas") << &Theme::canvas << "#F6F7F9"
                            << "#14161B";
    QTest::newRow("surface") << &Theme::surface << "#FFFFFF"
                             << "#1B1E24";
    QTest::newRow("surfaceMuted") << &Theme::surfaceMuted << "#F0F1F4"
                                  << "#23272F";
    QTest::newRow("border") << &Theme::border << "#E3E5EA"
                            << "#2C313A";
    QTest::newRow("borderStrong") << &Theme::borderStrong << "#C9CDD4"
                                  << "#3A404B";
    QTest::newRow("textPrimary") << &Theme::textPrimary << "#181B22"
                                 << "#E7E9EE";
    QTest::newRow("textMuted") << &Theme::textMuted << "#6B707A"
                               << "#9AA0AB";
    QTest::newRow("textDisabled") << &Theme::textDisabled << "#A8ADB6"
                                  << "#5C626D";
    QTest::newRow("accent") << &Theme::accent << "#4285F4"
                            << "#6BA1F7";
    QTest::newRow("danger") << &Theme::danger << "#DC3545"
                            << "#E74C3C";
}

void TestTheme::roleColours()
{
    QFETCH(ColourFunction, role);
    QFETCH(QString, light);
    QFETCH(QString, dark);

    Theme::setDark(0);
    QCOMPARE(role(), QColor(light));
    QCOMPARE(role().alpha(), 255);
    Theme::setDark(1);
    QCOMPARE(role(), QColor(dark));
}

void TestTheme::accentRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("dark");
    QTest::addColumn<QString>("accent");
    QTest::addColumn<int>("mutedAlpha");
    QTest::addColumn<QString>("mutedToken");

    QTest::newRow("default light") << "" << 0 << "#4285f4" << 38 << "rgba(66, 133, 244, 0.149)";
    QTest::newRow("default dark") << "" << 1 << "#6ba1f7" << 50 << "rgba(107, 161, 247, 0.196)";
    QTest::newRow("red light") << "#ff0000" << 0 << "#ff0000" << 38 << "rgba(255, 0, 0, 0.149)";
    QTest::newRow("red dark") << "#ff0000" << 1 << "#ff0000" << 50 << "rgba(255, 0, 0, 0.196)";
    QTest::newRow("named colour") << "seagreen" << 1 << "#2e8b57" << 50
                                  << "rgba(46, 139, 87, 0.196)";
    QTest::newRow("unparsable falls back")
        << "#12345" << 0 << "#4285f4" << 38 << "rgba(66, 133, 244, 0.149)";
}

void TestTheme::accentRules()
{
    QFETCH(QString, name);
    QFETCH(int, dark);
    QFETCH(QString, accent);
    QFETCH(int, mutedAlpha);
    QFETCH(QString, mutedToken);

    Theme::setDark(dark);
    Theme::setAccentName(name);
    QCOMPARE(Theme::accentName(), name);
    QCOMPARE(Theme::accent().name(), accent);
    QCOMPARE(Theme::accent().alpha(), 255);
    QCOMPARE(Theme::accentMuted().name(), accent);
    QCOMPARE(Theme::accentMuted().alpha(), mutedAlpha);
    QCOMPARE(Theme::substituteTokens(QStringLiteral("@accentMuted|@accent")),
             mutedToken + QLatin1Char('|') + accent);
}

void TestTheme::cssRgba_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("text");

    QTest::newRow("opaque is lower-case hex") << QColor("#F6F7F9") << "#f6f7f9";
    QTest::newRow("white") << QColor(Qt::white) << "#ffffff";
    QTest::newRow("alpha 38") << QColor(66, 133, 244, 38) << "rgba(66, 133, 244, 0.149)";
    QTest::newRow("alpha 50") << QColor(107, 161, 247, 50) << "rgba(107, 161, 247, 0.196)";
    QTest::newRow("transparent") << QColor(0, 0, 0, 0) << "rgba(0, 0, 0, 0.000)";
    QTest::newRow("alpha 254") << QColor(1, 2, 3, 254) << "rgba(1, 2, 3, 0.996)";
}

void TestTheme::cssRgba()
{
    QFETCH(QColor, colour);
    QFETCH(QString, text);
    QCOMPARE(Theme::cssRgba(colour), text);
}

void TestTheme::tokensReplacedWholeLongestFirst_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");

    QTest::newRow("colours") << "@surface @surfaceMuted @border @borderStrong"
                             << "#ffffff #f0f1f4 #e3e5ea #c9cdd4";
    QTest::newRow("adjacent") << "@surfaceMuted@surface"
                              << "#f0f1f4#ffffff";
    QTest::newRow("prefix of a longer word") << "@surfaceMutedX"
                                             << "#f0f1f4X";
    QTest::newRow("sizes and fonts")
        << "@radiusSm @radiusMd @radiusLg @spacingXs @spacingSm @spacingMd @spacingLg "
           "@fontBody @fontSm @fontLg \"@sansFamily\""
        << "4px 6px 10px 4px 8px 12px 16px 11pt 10pt 13pt \"IBM Plex Sans\"";
    QTest::newRow("unknown and bare at signs") << "@unknown a@ @ @@canvas @Canvas"
                                               << "@unknown a@ @ @#f6f7f9 @Canvas";
    QTest::newRow("remaining colours") << "@canvas @textPrimary @textMuted @textDisabled @danger"
                                       << "#f6f7f9 #181b22 #6b707a #a8adb6 #dc3545";
}

void TestTheme::tokensReplacedWholeLongestFirst()
{
    QFETCH(QString, input);
    QFETCH(QString, output);
    QCOMPARE(Theme::substituteTokens(input), output);
}

void TestTheme::stylesheetHoldsNoUnreplacedToken_data()
{
    QTest::addColumn<int>("dark");
    QTest::addColumn<QString>("accent");
    QTest::newRow("light") << 0 << QString();
    QTest::newRow("dark") << 1 << QString();
    QTest::newRow("light, custom accent") << 0 << "#ff0000";
    QTest::newRow("dark, custom accent") << 1 << "#ff0000";
}

void TestTheme::stylesheetHoldsNoUnreplacedToken()
{
    QFETCH(int, dark);
    QFETCH(QString, accent);
    Theme::setDark(dark);
    Theme::setAccentName(accent);

    QFile source(QStringLiteral(CALENDAR_SOURCE_DIR "/resources/styles/calendar.qss"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QString raw = QString::fromUtf8(source.readAll());
    const QString sheet = Theme::stylesheet();
    QCOMPARE(sheet, Theme::substituteTokens(raw));

    QVERIFY2(!sheet.contains(QLatin1Char('@')), qPrintable(sheet.mid(sheet.indexOf('@'), 40)));
    const QRegularExpression glued(
        QStringLiteral("(#[0-9a-f]{6}|\\))(Muted|Strong|Primary|Sm|Md)"));
    QVERIFY(!sheet.contains(glued));
    QVERIFY(sheet.contains(QStringLiteral("background: ") + Theme::cssRgba(Theme::canvas())));
    QVERIFY(sheet.contains(QStringLiteral("background: ") + Theme::cssRgba(Theme::accentMuted())));
    QVERIFY(sheet.contains(QStringLiteral("font-family: \"IBM Plex Sans\"")));
    // Every token the file uses is one of the known ones, so none can slip through unreplaced.
    const QRegularExpression token(QStringLiteral("@[A-Za-z]+"));
    for (auto it = token.globalMatch(raw); it.hasNext();) {
        const QString found = it.next().captured();
        QVERIFY2(!Theme::substituteTokens(found).contains(QLatin1Char('@')), qPrintable(found));
    }
}

void TestTheme::stylesheetLeavesIndicatorsToTheStyle()
{
    const QString sheet = Theme::stylesheet();
    QVERIFY(!sheet.isEmpty());
    QVERIFY(!sheet.contains(QLatin1String("::indicator")));
    QVERIFY(sheet.contains(QLatin1String("QDialogButtonBox")));
}

void TestTheme::checkboxListStyle()
{
    Theme::setDark(1);
    Theme::setAccentName(QStringLiteral("#ff0000"));
    QCOMPARE(Theme::checkboxListStyle(),
             QStringLiteral("QListView::indicator {  width: 14px;  height: 14px;  border: 1px "
                            "solid #3a404b;  border-radius: 3px;  background: #23272f;}"
                            "QListView::indicator:checked {  background: #ff0000;  border-color: "
                            "#ff0000;}QListView::indicator:hover {  border-color: #ff0000;}"));
}

void TestTheme::calendarColorIcon_data()
{
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QColor>("centre");
    QTest::newRow("calendar colour") << "#4285F4" << QColor("#4285F4");
    QTest::newRow("empty is grey") << "" << QColor("#9aa0a6");
    QTest::newRow("garbage is grey") << "not a colour" << QColor("#9aa0a6");
}

void TestTheme::calendarColorIcon()
{
    QFETCH(QString, colour);
    QFETCH(QColor, centre);
    const QImage image = Theme::calendarColorIcon(colour).pixmap(14, 14).toImage();
    QCOMPARE(image.size(), QSize(14, 14));
    QCOMPARE(image.pixelColor(7, 7), centre);
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
}

void TestTheme::glyphIconFollowsPixelRatio()
{
    const qreal ratio = qApp->devicePixelRatio();
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    const QIcon icon = Theme::glyphIcon(QChar(0xe8b5), 16, Qt::red);
    const QList<QSize> sizes = icon.availableSizes();
    QCOMPARE(sizes.size(), 1);
    QCOMPARE(sizes.constFirst(), QSize(qRound(16 * ratio), qRound(16 * ratio)));
    const QPixmap pixmap = icon.pixmap(QSize(16, 16), ratio);
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), QSize(16, 16));
    QVERIFY(Theme::glyphIcon(QChar(0xe8b5), 0, Qt::red).isNull());
}

void TestTheme::iconFontFamilyIgnoresEmpty()
{
    QCOMPARE(Theme::iconFontFamily(), QStringLiteral("Material Icons"));
    Theme::setIconFontFamily(QString());
    QCOMPARE(Theme::iconFontFamily(), QStringLiteral("Material Icons"));
    Theme::setIconFontFamily(QStringLiteral("Material Icons Regular"));
    QCOMPARE(Theme::iconFontFamily(), QStringLiteral("Material Icons Regular"));
    Theme::setIconFontFamily(QStringLiteral("Material Icons"));
}

void TestTheme::applyFirstDayOfWeek()
{
    QDateTimeEdit edit;
    edit.setCalendarPopup(true);
    Theme::applyFirstDayOfWeek(&edit, Qt::Wednesday);
    QVERIFY(edit.calendarWidget());
    QCOMPARE(edit.calendarWidget()->firstDayOfWeek(), Qt::Wednesday);
    Theme::applyFirstDayOfWeek(nullptr, Qt::Monday);
}

QTEST_MAIN(TestTheme)
#include "tst_theme.moc"

#include "CalendarProxyStyle.h"
#include "Theme.h"
#include "ThemeManager.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>

#include <cmath>
#include <memory>

// A theme role, read when the case runs so that it follows the mode; null means "none".
using Colour = QColor (*)();
Q_DECLARE_METATYPE(Colour)
Q_DECLARE_METATYPE(QStyle::PrimitiveElement)

namespace {

QColor white()
{
    return Qt::white;
}

QColor resolve(Colour colour)
{
    return colour ? colour() : QColor();
}

bool near(const QColor& actual, const QColor& expected)
{
    return qAbs(actual.red() - expected.red()) <= 6 &&
           qAbs(actual.green() - expected.green()) <= 6 &&
           qAbs(actual.blue() - expected.blue()) <= 6 && actual.alpha() == 255;
}

} // namespace

class TestTheme : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        Theme::setDark(0);
        Theme::setAccentName(QString());
    }

    // Each role, light and dark: its stylesheet token (the row's name) and the palette roles
    // built from it (in the active and inactive groups, or the disabled one) carry its colour.
    void roleColours_data()
    {
        QTest::addColumn<Colour>("role");
        QTest::addColumn<int>("group");
        QTest::addColumn<QList<int>>("paletteRoles");
        const int all = QPalette::All;
        QTest::newRow("canvas") << &Theme::canvas << all << QList<int>{QPalette::Window};
        QTest::newRow("surface") << &Theme::surface << all
                                 << QList<int>{QPalette::Base, QPalette::ToolTipText,
                                               QPalette::Button, QPalette::Light};
        QTest::newRow("surfaceMuted")
            << &Theme::surfaceMuted << all << QList<int>{QPalette::AlternateBase};
        QTest::newRow("border") << &Theme::border << all << QList<int>{QPalette::Mid};
        QTest::newRow("borderStrong") << &Theme::borderStrong << all << QList<int>{QPalette::Dark};
        QTest::newRow("textPrimary") << &Theme::textPrimary << all
                                     << QList<int>{QPalette::WindowText, QPalette::ToolTipBase,
                                                   QPalette::Text, QPalette::ButtonText};
        QTest::newRow("textMuted") << &Theme::textMuted << all << QList<int>{};
        QTest::newRow("textDisabled")
            << &Theme::textDisabled << int(QPalette::Disabled)
            << QList<int>{QPalette::Text, QPalette::ButtonText, QPalette::WindowText};
        QTest::newRow("accent") << &Theme::accent << all << QList<int>{QPalette::Highlight};
        QTest::newRow("danger") << &Theme::danger << all << QList<int>{QPalette::BrightText};
    }

    void roleColours()
    {
        QFETCH(Colour, role);
        QFETCH(int, group);
        QFETCH(QList<int>, paletteRoles);
        const QList<QPalette::ColorGroup> groups =
            group == QPalette::All
                ? QList<QPalette::ColorGroup>{QPalette::Active, QPalette::Inactive}
                : QList<QPalette::ColorGroup>{QPalette::ColorGroup(group)};
        for (int mode : {0, 1}) {
            Theme::setDark(mode);
            QCOMPARE(role().alpha(), 255);
            QCOMPARE(
                Theme::substituteTokens(QLatin1Char('@') + QLatin1String(QTest::currentDataTag())),
                role().name());
            const QPalette palette = ThemeManager::buildPalette();
            for (QPalette::ColorGroup colourGroup : groups) {
                for (int paletteRole : paletteRoles)
                    QCOMPARE(palette.color(colourGroup, QPalette::ColorRole(paletteRole)), role());
            }
            QCOMPARE(palette.color(QPalette::Active, QPalette::HighlightedText), QColor(Qt::white));
        }
    }

    // Text stays readable on every surface in both modes (contrast ratios of the web's
    // accessibility guidelines: 7 for body text, 4.5 for secondary text).
    void textContrastsWithSurfaces()
    {
        const auto luminance = [](const QColor& colour) {
            const auto channel = [](qreal value) {
                return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
                   0.0722 * channel(colour.blueF());
        };
        const auto contrast = [&](const QColor& a, const QColor& b) {
            const qreal la = luminance(a);
            const qreal lb = luminance(b);
            return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
        };
        for (int mode : {0, 1}) {
            Theme::setDark(mode);
            for (const QColor& surface : {Theme::canvas(), Theme::surface()}) {
                QVERIFY2(contrast(Theme::textPrimary(), surface) >= 7.0,
                         qPrintable(surface.name()));
                QVERIFY2(contrast(Theme::textMuted(), surface) >= 4.5, qPrintable(surface.name()));
            }
            QVERIFY(contrast(Theme::textPrimary(), Theme::surfaceMuted()) >= 7.0);
        }
    }

    void accentRules_data()
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
        QTest::newRow("named colour")
            << "seagreen" << 1 << "#2e8b57" << 50 << "rgba(46, 139, 87, 0.196)";
        QTest::newRow("unparsable falls back")
            << "#12345" << 0 << "#4285f4" << 38 << "rgba(66, 133, 244, 0.149)";
    }

    void accentRules()
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
        QCOMPARE(Theme::accentMuted().name(), accent);
        QCOMPARE(Theme::accentMuted().alpha(), mutedAlpha);
        QCOMPARE(Theme::substituteTokens(QStringLiteral("@accentMuted|@accent")),
                 mutedToken + QLatin1Char('|') + accent);
    }

    void tokensReplacedWholeLongestFirst_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::newRow("adjacent") << "@surfaceMuted@surface" << QStringLiteral("#f0f1f4#ffffff");
        QTest::newRow("prefix of a longer word") << "@surfaceMutedX" << QStringLiteral("#f0f1f4X");
        QTest::newRow("unknown and bare at signs")
            << "@unknown a@ @ @@canvas @Canvas" << QStringLiteral("@unknown a@ @ @#f6f7f9 @Canvas");
    }

    void tokensReplacedWholeLongestFirst()
    {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QCOMPARE(Theme::substituteTokens(input), output);
    }

    void stylesheetHoldsNoUnreplacedToken_data()
    {
        QTest::addColumn<int>("dark");
        QTest::addColumn<QString>("accent");
        QTest::newRow("light") << 0 << QString();
        QTest::newRow("dark, custom accent") << 1 << "#ff0000";
    }

    void stylesheetHoldsNoUnreplacedToken()
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
        QVERIFY(
            sheet.contains(QStringLiteral("background: ") + Theme::cssRgba(Theme::accentMuted())));
        QVERIFY(sheet.contains(QStringLiteral("font-family: \"IBM Plex Sans\"")));
        // Indicators are the application style's to draw.
        QVERIFY(!sheet.contains(QLatin1String("::indicator")));
    }

    void checkboxListStyle()
    {
        Theme::setDark(1);
        Theme::setAccentName(QStringLiteral("#ff0000"));
        const QString style = Theme::checkboxListStyle();
        QVERIFY(
            style.contains(QStringLiteral("QListView::indicator:checked {  background: #ff0000;")));
        QVERIFY(style.contains(Theme::cssRgba(Theme::borderStrong())));
        QVERIFY(!style.contains(u'@'));
    }

    void calendarColorIcon_data()
    {
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QColor>("centre");
        QTest::newRow("calendar colour") << "#4285F4" << QColor("#4285F4");
        QTest::newRow("empty is grey") << "" << QColor("#9aa0a6");
        QTest::newRow("garbage is grey") << "not a colour" << QColor("#9aa0a6");
    }

    void calendarColorIcon()
    {
        QFETCH(QString, colour);
        QFETCH(QColor, centre);
        const QImage image = Theme::calendarColorIcon(colour).pixmap(14, 14).toImage();
        QCOMPARE(image.size(), QSize(14, 14));
        QCOMPARE(image.pixelColor(7, 7), centre);
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    }

    void glyphIconFollowsPixelRatio()
    {
        const qreal ratio = qApp->devicePixelRatio();
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
            QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        const QIcon icon = Theme::glyphIcon(QChar(0xe8b5), 16, Qt::red);
        QCOMPARE(icon.availableSizes(),
                 QList<QSize>{QSize(qRound(16 * ratio), qRound(16 * ratio))});
        QCOMPARE(icon.pixmap(QSize(16, 16), ratio).deviceIndependentSize().toSize(), QSize(16, 16));
        QVERIFY(Theme::glyphIcon(QChar(0xe8b5), 0, Qt::red).isNull());
        // A failed font load reports an empty family; the icon font stays.
        Theme::setIconFontFamily(QString());
        QCOMPARE(Theme::iconFontFamily(), QStringLiteral("Material Icons"));
    }

    // The proxy style's indicators, probed at pixels that lie wholly on the border, inside the
    // fill and on the mark of an 18 x 18 indicator, in both modes and with a custom accent.
    void indicatorColours_data()
    {
        QTest::addColumn<QStyle::PrimitiveElement>("element");
        QTest::addColumn<int>("state");
        QTest::addColumn<Colour>("border");
        QTest::addColumn<Colour>("fill");
        QTest::addColumn<Colour>("mark");

        const int enabled = QStyle::State_Enabled;
        const int on = QStyle::State_On;
        const int off = QStyle::State_Off;
        const int hover = QStyle::State_MouseOver;
        struct Row
        {
            const char* name;
            int state;
            Colour border, fill, checkMark, radioMark;
        };
        const Row rows[] = {
            {"off", enabled | off, &Theme::textPrimary, &Theme::surfaceMuted, nullptr, nullptr},
            {"hovered", enabled | off | hover, &Theme::accent, &Theme::surfaceMuted, nullptr,
             nullptr},
            {"on", enabled | on, &Theme::accent, &Theme::accent, &white, &Theme::accent},
            {"on and hovered", enabled | on | hover, &Theme::accent, &Theme::accent, &white,
             &Theme::accent},
            {"disabled", off, &Theme::textDisabled, &Theme::surface, nullptr, nullptr},
            // The tick must show on the white light-mode surface, so it is not white.
            {"disabled and on", on | hover, &Theme::textDisabled, &Theme::surface,
             &Theme::textDisabled, &Theme::textDisabled},
        };
        for (const Row& row : rows) {
            QTest::addRow("check box, %s", row.name) << QStyle::PE_IndicatorCheckBox << row.state
                                                     << row.border << row.fill << row.checkMark;
            QTest::addRow("item view check, %s", row.name)
                << QStyle::PE_IndicatorItemViewItemCheck << row.state << row.border << row.fill
                << row.checkMark;
            // A radio button keeps the surface fill when on; the dot carries the colour.
            const Colour radioFill = (row.state & on) ? &Theme::surface : row.fill;
            QTest::addRow("radio, %s", row.name) << QStyle::PE_IndicatorRadioButton << row.state
                                                 << row.border << radioFill << row.radioMark;
        }
    }

    void indicatorColours()
    {
        QFETCH(QStyle::PrimitiveElement, element);
        QFETCH(int, state);
        QFETCH(Colour, border);
        QFETCH(Colour, fill);
        QFETCH(Colour, mark);
        const bool radio = element == QStyle::PE_IndicatorRadioButton;
        const QPoint borderPixel = radio ? QPoint(8, 1) : QPoint(1, 9);
        const QPoint fillPixel = radio ? QPoint(8, 3) : QPoint(13, 13);
        const QPoint markPixel = radio ? QPoint(8, 8) : QPoint(7, 12);

        CalendarProxyStyle style;
        // One style for every mode and accent: colours are read at paint time, not cached.
        for (const char* accent : {"", "#ff0000"}) {
            for (int dark : {0, 1}) {
                Theme::setDark(dark);
                Theme::setAccentName(QString::fromLatin1(accent));
                QImage image(18, 18, QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::transparent);
                QStyleOptionButton option;
                option.rect = QRect(0, 0, 18, 18);
                option.state = QStyle::State(state);
                QPainter painter(&image);
                style.drawPrimitive(element, &option, &painter);
                painter.end();

                const QByteArray context = "dark=" + QByteArray::number(dark) + " accent=" + accent;
                QVERIFY2(near(image.pixelColor(borderPixel), resolve(border)), context);
                QVERIFY2(near(image.pixelColor(fillPixel), resolve(fill)), context);
                QVERIFY2(near(image.pixelColor(markPixel), resolve(mark ? mark : fill)), context);
                QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
            }
        }
    }

    void indicatorSizeIsEighteenOtherMetricsAreFusions()
    {
        CalendarProxyStyle style;
        std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        for (QStyle::PixelMetric metric :
             {QStyle::PM_IndicatorWidth, QStyle::PM_IndicatorHeight,
              QStyle::PM_ExclusiveIndicatorWidth, QStyle::PM_ExclusiveIndicatorHeight})
            QCOMPARE(style.pixelMetric(metric), 18);
        for (QStyle::PixelMetric metric :
             {QStyle::PM_ButtonMargin, QStyle::PM_DefaultFrameWidth, QStyle::PM_ScrollBarExtent,
              QStyle::PM_SmallIconSize, QStyle::PM_CheckBoxLabelSpacing})
            QCOMPARE(style.pixelMetric(metric), fusion->pixelMetric(metric));
    }
};

QTEST_MAIN(TestTheme)
#include "tst_theme.moc"

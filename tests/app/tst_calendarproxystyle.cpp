#include "CalendarProxyStyle.h"
#include "Theme.h"

#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>

#include <memory>

namespace {

// A theme role, read when the case runs so that it follows the mode; null means "no mark".
using Colour = QColor (*)();

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

// Pixels of an 18 x 18 indicator that lie wholly on the border, inside the fill and on the mark.
struct Probe
{
    QPoint border;
    QPoint fill;
    QPoint mark;
};

const Probe checkProbe{{1, 9}, {13, 13}, {7, 12}};
const Probe radioProbe{{8, 1}, {8, 3}, {8, 8}};

} // namespace

Q_DECLARE_METATYPE(QStyle::PrimitiveElement)
Q_DECLARE_METATYPE(Colour)

class TestCalendarProxyStyle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void indicatorColours_data();
    void indicatorColours();
    void indicatorSizeIsEighteenOtherMetricsAreFusions();
};

void TestCalendarProxyStyle::cleanup()
{
    Theme::setDark(0);
    Theme::setAccentName(QString());
}

void TestCalendarProxyStyle::indicatorColours_data()
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
        {"hovered", enabled | off | hover, &Theme::accent, &Theme::surfaceMuted, nullptr, nullptr},
        {"on", enabled | on, &Theme::accent, &Theme::accent, &white, &Theme::accent},
        {"on and hovered", enabled | on | hover, &Theme::accent, &Theme::accent, &white,
         &Theme::accent},
        {"disabled", off, &Theme::textDisabled, &Theme::surface, nullptr, nullptr},
        // The tick must show on the white light-mode surface, so it is not white.
        {"disabled and on", on | hover, &Theme::textDisabled, &Theme::surface, &Theme::textDisabled,
         &Theme::textDisabled},
    };
    for (const Row& row : rows) {
        QTest::addRow("check box, %s", row.name)
            << QStyle::PE_IndicatorCheckBox << row.state << row.border << row.fill << row.checkMark;
        QTest::addRow("item view check, %s", row.name)
            << QStyle::PE_IndicatorItemViewItemCheck << row.state << row.border << row.fill
            << row.checkMark;
        // A radio button keeps the surface fill when on; the dot carries the colour.
        const Colour radioFill = (row.state & on) ? &Theme::surface : row.fill;
        QTest::addRow("radio, %s", row.name) << QStyle::PE_IndicatorRadioButton << row.state
                                             << row.border << radioFill << row.radioMark;
    }
}

void TestCalendarProxyStyle::indicatorColours()
{
    QFETCH(QStyle::PrimitiveElement, element);
    QFETCH(int, state);
    QFETCH(Colour, border);
    QFETCH(Colour, fill);
    QFETCH(Colour, mark);

    CalendarProxyStyle style;
    const Probe probe = element == QStyle::PE_IndicatorRadioButton ? radioProbe : checkProbe;
    // One style, two modes and an accent: colours are read at paint time, not cached.
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

            const QString context = QStringLiteral("dark=%1 accent=%2").arg(dark).arg(accent);
            QVERIFY2(near(image.pixelColor(probe.border), resolve(border)), qPrintable(context));
            QVERIFY2(near(image.pixelColor(probe.fill), resolve(fill)), qPrintable(context));
            const QColor expectedMark = !mark ? resolve(fill) : resolve(mark);
            QVERIFY2(near(image.pixelColor(probe.mark), expectedMark), qPrintable(context));
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        }
    }
}

void TestCalendarProxyStyle::indicatorSizeIsEighteenOtherMetricsAreFusions()
{
    CalendarProxyStyle style;
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (int dark : {0, 1}) {
        Theme::setDark(dark);
        QCOMPARE(style.pixelMetric(QStyle::PM_IndicatorWidth), 18);
        QCOMPARE(style.pixelMetric(QStyle::PM_IndicatorHeight), 18);
        QCOMPARE(style.pixelMetric(QStyle::PM_ExclusiveIndicatorWidth), 18);
        QCOMPARE(style.pixelMetric(QStyle::PM_ExclusiveIndicatorHeight), 18);
    }
    for (QStyle::PixelMetric metric :
         {QStyle::PM_ButtonMargin, QStyle::PM_DefaultFrameWidth, QStyle::PM_ScrollBarExtent,
          QStyle::PM_SmallIconSize, QStyle::PM_CheckBoxLabelSpacing})
        QCOMPARE(style.pixelMetric(metric), fusion->pixelMetric(metric));
}

QTEST_MAIN(TestCalendarProxyStyle)
#include "tst_calendarproxystyle.moc"

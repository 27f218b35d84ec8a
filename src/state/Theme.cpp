#include "Theme.h"

#include "DateLanguage.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>
#include <vector>

// The stylesheet lives in a static library; registering its resources explicitly keeps the
// linker from dropping them.
static void registerResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(app);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace Theme {

namespace {

struct State
{
    int dark = 0;
    QString accentName;
    QString iconFontFamily = QStringLiteral("Material Icons");
};

State& state()
{
    static State instance;
    return instance;
}

QColor byMode(const char* light, const char* dark)
{
    return QColor(QLatin1String(state().dark ? dark : light));
}

int mutedAlpha()
{
    return state().dark ? 50 : 38;
}

QString pixels(int value)
{
    return QString::number(value) + QStringLiteral("px");
}

QString points(int value)
{
    return QString::number(value) + QStringLiteral("pt");
}

// The 22 stylesheet tokens with their values for the current mode, without the leading "@".
std::vector<std::pair<QString, QString>> tokenValues()
{
    return {
        {QStringLiteral("canvas"), cssRgba(canvas())},
        {QStringLiteral("surface"), cssRgba(surface())},
        {QStringLiteral("surfaceMuted"), cssRgba(surfaceMuted())},
        {QStringLiteral("border"), cssRgba(border())},
        {QStringLiteral("borderStrong"), cssRgba(borderStrong())},
        {QStringLiteral("textPrimary"), cssRgba(textPrimary())},
        {QStringLiteral("textMuted"), cssRgba(textMuted())},
        {QStringLiteral("textDisabled"), cssRgba(textDisabled())},
        {QStringLiteral("accent"), cssRgba(accent())},
        {QStringLiteral("accentMuted"), cssRgba(accentMuted())},
        {QStringLiteral("danger"), cssRgba(danger())},
        {QStringLiteral("radiusSm"), pixels(4)},
        {QStringLiteral("radiusMd"), pixels(6)},
        {QStringLiteral("radiusLg"), pixels(10)},
        {QStringLiteral("spacingXs"), pixels(4)},
        {QStringLiteral("spacingSm"), pixels(8)},
        {QStringLiteral("spacingMd"), pixels(12)},
        {QStringLiteral("spacingLg"), pixels(16)},
        {QStringLiteral("fontBody"), points(11)},
        {QStringLiteral("fontSm"), points(10)},
        {QStringLiteral("fontLg"), points(13)},
        {QStringLiteral("sansFamily"), sansFamily()},
    };
}

} // namespace

QColor canvas()
{
    return byMode("#F6F7F9", "#14161B");
}
QColor surface()
{
    return byMode("#FFFFFF", "#1B1E24");
}
QColor surfaceMuted()
{
    return byMode("#F0F1F4", "#23272F");
}
QColor border()
{
    return byMode("#E3E5EA", "#2C313A");
}
QColor borderStrong()
{
    return byMode("#C9CDD4", "#3A404B");
}
QColor textPrimary()
{
    return byMode("#181B22", "#E7E9EE");
}
QColor textMuted()
{
    return byMode("#6B707A", "#9AA0AB");
}
QColor textDisabled()
{
    return byMode("#A8ADB6", "#5C626D");
}
QColor danger()
{
    return byMode("#DC3545", "#E74C3C");
}

QColor accent()
{
    const QColor chosen(state().accentName);
    if (!state().accentName.isEmpty() && chosen.isValid())
        return chosen;
    return byMode("#4285F4", "#6BA1F7");
}

QColor accentMuted()
{
    QColor muted = accent();
    muted.setAlpha(mutedAlpha());
    return muted;
}

QString accentName()
{
    return state().accentName;
}

void setAccentName(const QString& name)
{
    state().accentName = name;
}

bool isDark()
{
    return state().dark != 0;
}

void setDark(int dark)
{
    state().dark = dark;
}

QString iconFontFamily()
{
    return state().iconFontFamily;
}

void setIconFontFamily(const QString& family)
{
    if (!family.isEmpty())
        state().iconFontFamily = family;
}

QString sansFamily()
{
    return QStringLiteral("IBM Plex Sans");
}

QString cssRgba(const QColor& colour)
{
    if (colour.alpha() == 255)
        return colour.name();
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue())
        .arg(QString::number(colour.alphaF(), 'f', 3));
}

QString substituteTokens(const QString& text)
{
    auto tokens = tokenValues();
    // Longest names first, so "@surfaceMuted" never matches as "@surface" plus "Muted".
    std::sort(tokens.begin(), tokens.end(),
              [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    QString result;
    result.reserve(text.size() + text.size() / 4);
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype at = text.indexOf(QLatin1Char('@'), position);
        if (at < 0) {
            result += QStringView(text).mid(position);
            break;
        }
        result += QStringView(text).mid(position, at - position);
        const QStringView rest = QStringView(text).mid(at + 1);
        const auto match = std::find_if(tokens.cbegin(), tokens.cend(), [&](const auto& token) {
            return rest.startsWith(token.first);
        });
        if (match == tokens.cend()) {
            result += QLatin1Char('@');
            position = at + 1;
        } else {
            result += match->second;
            position = at + 1 + match->first.size();
        }
    }
    return result;
}

QString stylesheet()
{
    registerResources();
    QFile file(QStringLiteral(":/styles/calendar.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return substituteTokens(QString::fromUtf8(file.readAll()));
}

QString checkboxListStyle()
{
    return QStringLiteral("QListView::indicator {  width: 14px;  height: 14px;  border: 1px solid "
                          "%1;  border-radius: 3px;  background: %2;}"
                          "QListView::indicator:checked {  background: %3;  border-color: %3;}"
                          "QListView::indicator:hover {  border-color: %3;}")
        .arg(borderStrong().name(), surfaceMuted().name(), accent().name());
}

QIcon calendarColorIcon(const QString& colour)
{
    QColor fill(colour);
    if (!fill.isValid())
        fill = QColor(QStringLiteral("#9aa0a6"));
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(1, 1, 12, 12);
    painter.end();
    return QIcon(pixmap);
}

QIcon glyphIcon(QChar glyph, int size, const QColor& colour)
{
    if (size <= 0)
        return {};
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    const double scaled = std::round(double(size) * ratio);
    const int side = int(std::clamp(scaled, 0.0, double(INT_MAX)));
    QPixmap pixmap(side, side);
    if (pixmap.isNull())
        return {};
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QFont font(iconFontFamily());
    font.setPixelSize(size);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QString(glyph));
    painter.end();
    return QIcon(pixmap);
}

void applyFirstDayOfWeek(QDateTimeEdit* edit, Qt::DayOfWeek day)
{
    if (!edit)
        return;
    if (QCalendarWidget* calendar = edit->calendarWidget())
        calendar->setFirstDayOfWeek(day);
}

void applyDateLanguage(QDateTimeEdit* edit)
{
    if (!edit)
        return;
    const QLocale names = DateLanguage::locale();
    edit->setLocale(names);
    // A calendar takes its locale's first day of the week; the week start is not the language's.
    if (QCalendarWidget* calendar = edit->calendarWidget()) {
        const Qt::DayOfWeek first = calendar->firstDayOfWeek();
        calendar->setLocale(names);
        calendar->setFirstDayOfWeek(first);
    }
}

} // namespace Theme

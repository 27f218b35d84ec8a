#include "BundledFonts.h"

#include "Theme.h"

#include <QDebug>
#include <QFontDatabase>

// Resource initialisers must be named outside any namespace.
static void initFontResources()
{
    Q_INIT_RESOURCE(fonts);
}

namespace BundledFonts {

bool registerAll()
{
    initFontResources();
    for (const char* path : {":/fonts/IBMPlexSans.ttf", ":/fonts/IBMPlexSans-Italic.ttf",
                             ":/fonts/IBMPlexMono-Medium.ttf"})
        QFontDatabase::addApplicationFont(QString::fromLatin1(path));
    const int icons =
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/MaterialIcons-Regular.otf"));
    if (icons < 0) {
        qWarning().noquote() << "[Fonts] Failed to load Material Icons font — indicators will "
                                "fall back to a missing-glyph box.";
        return false;
    }
    const QStringList families = QFontDatabase::applicationFontFamilies(icons);
    if (!families.isEmpty())
        Theme::setIconFontFamily(families.first());
    return true;
}

} // namespace BundledFonts

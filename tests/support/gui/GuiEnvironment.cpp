#include "GuiEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QLocale>
#include <QStyleFactory>

namespace GuiEnvironment {

void prepare()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
#ifdef CALENDAR_SOURCE_DIR
    const QDir fonts(QStringLiteral(CALENDAR_SOURCE_DIR "/resources/fonts"));
    for (const QString& name : fonts.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}))
        QFontDatabase::addApplicationFont(fonts.filePath(name));
#endif
    QFont font = QApplication::font();
    font.setPointSize(10);
    QApplication::setFont(font);
}

} // namespace GuiEnvironment

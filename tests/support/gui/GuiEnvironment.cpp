#include "GuiEnvironment.h"

#include "BundledFonts.h"
#include "Theme.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QStyleFactory>

namespace GuiEnvironment {

void prepare()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The program's own fonts, so text metrics do not depend on what the machine has installed.
    BundledFonts::registerAll();
    QApplication::setFont(QFont(Theme::sansFamily(), 10));
}

} // namespace GuiEnvironment

#include "ThemeManager.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calendar"));
    QApplication::setApplicationVersion(QStringLiteral("1.3.1"));

    // Until the application state owns it with the stored preferences, the theme follows the
    // desktop's colour scheme.
    ThemeManager theme(nullptr);
    theme.load();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Calendar"));
    auto* placeholder = new QLabel(QObject::tr("Calendar"), &window);
    placeholder->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(placeholder);
    window.resize(1200, 800);
    window.show();
    return app.exec();
}

// A launch reduced to the single-instance hand-off: forwards its command line and exits 0, or
// exits 2 when no running instance took it.
#include "SingleInstance.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    SingleInstance instance(&app);
    return instance.forwardOrListen(QCoreApplication::arguments()) ? 0 : 2;
}

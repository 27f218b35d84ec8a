// A second process for the credential file tests, so a test sees what another process sees:
//     credential_helper check FILE KEY VALUE   exit 0 when the entry holds VALUE
//     credential_helper fill FILE PREFIX COUNT writes PREFIX0..PREFIX<COUNT-1>, each its number
// Prints nothing.
#include "FileCredentialBackend.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 64;
    OrvaAccount::FileCredentialBackend backend(args.at(2));
    if (args.at(1) == QLatin1String("check"))
        return backend.read(args.at(3)) == args.at(4).toUtf8() ? 0 : 1;
    for (int i = 0; i < args.at(4).toInt(); ++i) {
        if (!backend.write(args.at(3) + QString::number(i), QByteArray::number(i)))
            return 1;
    }
    return 0;
}

// A second process for the credential file tests: writes, checks or fills entries of a file so
// the test can see what another process sees. Prints nothing.
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
    const QString& mode = args.at(1);
    if (mode == QLatin1String("write"))
        return backend.write(args.at(3), args.at(4).toUtf8()) ? 0 : 1;
    if (mode == QLatin1String("check")) {
        const auto value = backend.read(args.at(3));
        if (!value)
            return 1;
        return *value == args.at(4).toUtf8() ? 0 : 2;
    }
    if (mode == QLatin1String("fill")) {
        const int count = args.at(4).toInt();
        for (int i = 0; i < count; ++i) {
            if (!backend.write(args.at(3) + QString::number(i), QByteArray::number(i)))
                return 1;
        }
        return 0;
    }
    return 64;
}

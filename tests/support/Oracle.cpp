#include "Oracle.h"

#include <QProcess>

namespace Oracle {

QByteArray runPython(const QString& script, const QStringList& arguments, const QByteArray& input,
                     bool* ok, QString* error, int timeoutMs)
{
    QProcess process;
    process.setProgram(QStringLiteral("/usr/bin/python3"));
    process.setArguments(QStringList{script} + arguments);
    process.start();
    bool good = process.waitForStarted(10000);
    if (good) {
        process.write(input);
        process.closeWriteChannel();
        good = process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }
    if (!good && error)
        *error = QString::fromUtf8(process.readAllStandardError()) + process.errorString();
    if (ok)
        *ok = good;
    return process.readAllStandardOutput();
}

QString testsPath(const QString& relative)
{
    return QStringLiteral(CALENDAR_TESTS_DIR "/") + relative;
}

} // namespace Oracle

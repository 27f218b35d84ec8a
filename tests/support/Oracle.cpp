#include "Oracle.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

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

namespace {

QStringList occurrences(const QString& text, const QStringList& window)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("object.ics")));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text.toUtf8());
    file.close();
    bool ok = false;
    QString error;
    const QByteArray output =
        runPython(testsPath(QStringLiteral("core/oracles/zoned_occurrences.py")),
                  QStringList{file.fileName()} + window, {}, &ok, &error);
    if (!ok)
        qWarning("%s", qPrintable(error));
    return QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

QStringList occurrencesIn2026(const QString& text)
{
    return occurrences(text,
                       {QStringLiteral("20260101T000000Z"), QStringLiteral("20270101T000000Z")});
}

QStringList occurrencesWithLengths(const QString& text, const QDateTime& from, const QDateTime& to)
{
    const QString format = QStringLiteral("yyyyMMdd'T'HHmmss'Z'");
    return occurrences(text, {from.toUTC().toString(format), to.toUTC().toString(format),
                              QStringLiteral("lengths")});
}

} // namespace Oracle

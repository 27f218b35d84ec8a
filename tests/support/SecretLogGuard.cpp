#include "SecretLogGuard.h"

#include <QMutex>
#include <QSet>

namespace {

QMutex guardMutex;
QSet<QString> secrets;
int leakCount = 0;
QtMessageHandler previousHandler = nullptr;

void guardHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    QString shown = message;
    {
        QMutexLocker lock(&guardMutex);
        bool leaked = false;
        for (const QString& secret : std::as_const(secrets)) {
            if (shown.contains(secret)) {
                leaked = true;
                shown.replace(secret, QStringLiteral("<secret>"));
            }
        }
        if (leaked)
            ++leakCount;
    }
    if (previousHandler)
        previousHandler(type, context, shown);
}

} // namespace

SecretLogGuard::SecretLogGuard()
{
    QMutexLocker lock(&guardMutex);
    leakCount = 0;
    previousHandler = qInstallMessageHandler(guardHandler);
}

SecretLogGuard::~SecretLogGuard()
{
    qInstallMessageHandler(previousHandler);
}

void SecretLogGuard::addSecret(const QString& secret)
{
    if (secret.size() < 8)
        return;
    QMutexLocker lock(&guardMutex);
    secrets.insert(secret);
}

int SecretLogGuard::leaks()
{
    QMutexLocker lock(&guardMutex);
    return leakCount;
}

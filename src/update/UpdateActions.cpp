#include "UpdateActions.h"

#include "Client.h"
#include "ReleaseNotesFetcher.h"
#include "UpdateDialog.h"
#include "WhatsNewDialog.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace OrvaUpdate {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("OrvaUpdate", text);
}

constexpr int statusMessageMs = 5000;

} // namespace

void checkForUpdatesInteractive(const Config& config, const QString& appDisplayName,
                                QWidget* parent, const StatusCallbacks& callbacks)
{
    if (callbacks.showMessage)
        callbacks.showMessage(tr("Checking for updates…"));
    auto* client = new Client(config, parent);
    QPointer<QWidget> owner(parent);
    QObject::connect(client, &Client::updateAvailable, client,
                     [client, owner, config, appDisplayName, callbacks](const Artifact& artifact) {
                         if (callbacks.clearMessage)
                             callbacks.clearMessage();
                         auto* dialog = new UpdateDialog(artifact, config.currentVersion,
                                                         appDisplayName, owner.data());
                         dialog->setAttribute(Qt::WA_DeleteOnClose);
                         dialog->show();
                         client->deleteLater();
                     });
    QObject::connect(
        client, &Client::upToDate, client, [client, config, appDisplayName, callbacks]() {
            if (callbacks.showMessageFor)
                callbacks.showMessageFor(
                    tr("%1 is up to date (version %2).").arg(appDisplayName, config.currentVersion),
                    statusMessageMs);
            client->deleteLater();
        });
    QObject::connect(client, &Client::checkFailed, client,
                     [client, callbacks](const QString& reason) {
                         if (callbacks.showMessageFor)
                             callbacks.showMessageFor(tr("Update check failed: %1").arg(reason),
                                                      statusMessageMs);
                         client->deleteLater();
                     });
    client->checkNow();
}

void showWhatsNew(const Config& config, const QString& appDisplayName, QWidget* parent,
                  const StatusCallbacks& callbacks)
{
    auto* dialog = new WhatsNewDialog(appDisplayName, config.currentVersion, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* fetcher = new ReleaseNotesFetcher(config, dialog);
    auto finished = std::make_shared<bool>(false);
    if (callbacks.showMessage)
        callbacks.showMessage(tr("Loading release notes…"));
    QObject::connect(fetcher, &ReleaseNotesFetcher::loaded, dialog,
                     [dialog, finished, callbacks](const QString& text) {
                         *finished = true;
                         dialog->setNotes(text);
                         if (callbacks.clearMessage)
                             callbacks.clearMessage();
                     });
    QObject::connect(fetcher, &ReleaseNotesFetcher::failed, dialog,
                     [dialog, finished, callbacks](const QString& reason) {
                         *finished = true;
                         dialog->setFailed(reason);
                         if (callbacks.showMessageFor)
                             callbacks.showMessageFor(
                                 tr("Release notes could not be loaded: %1").arg(reason),
                                 statusMessageMs);
                     });
    // Closing the window before the notes arrive must not leave "Loading…" in the status bar.
    QObject::connect(dialog, &QObject::destroyed, [finished, callbacks]() {
        if (!*finished && callbacks.clearMessage)
            callbacks.clearMessage();
    });
    dialog->show();
    fetcher->fetch(config.currentVersion);
}

} // namespace OrvaUpdate

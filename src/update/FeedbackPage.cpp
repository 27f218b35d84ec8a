#include "FeedbackPage.h"

#include "ReleaseManifest.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrlQuery>

QUrl feedbackPageUrl(const FeedbackConfig& config)
{
    if (!OrvaUpdate::ReleaseManifest::isOpenableUrl(config.baseUrl))
        return {};
    QUrl url = config.baseUrl;
    QUrlQuery query(url);
    query.addQueryItem(QStringLiteral("app"), config.app);
    url.setQuery(query);
    return url;
}

bool openFeedbackPage(const FeedbackConfig& config, QWidget* parent)
{
    const QUrl url = feedbackPageUrl(config);
    if (url.isEmpty())
        return false;
    if (QDesktopServices::openUrl(url))
        return true;
    // Without a browser the address is still useful: show it so it can be copied.
    auto* box = new QMessageBox(
        QMessageBox::Information, QCoreApplication::translate("OrvaUpdate", "Send Feedback"),
        QCoreApplication::translate("OrvaUpdate", "No browser could be started. The feedback "
                                                  "page is at:\n%1")
            .arg(url.toString()),
        QMessageBox::Ok, parent);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    return false;
}

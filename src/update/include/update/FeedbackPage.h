#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// Where the "Send Feedback" command leads: the service's feedback page for this application.
struct FeedbackConfig
{
    QString app;  // "calendar"
    QUrl baseUrl; // http or https
};

// The page's address: baseUrl with the query "app=<app>"; empty when baseUrl is not http(s).
QUrl feedbackPageUrl(const FeedbackConfig& config);

// Opens the feedback page in the browser. Returns false for a base URL that is not http(s)
// (nothing opens) and when no browser could be started (a non-modal box over parent then shows
// the address).
bool openFeedbackPage(const FeedbackConfig& config, QWidget* parent);

#pragma once

#include "update/Artifact.h"
#include "update/Config.h"
#include "update/FeedbackPage.h"

#include <QApplication>
#include <QByteArray>
#include <QPointer>
#include <QStringList>

#include <functional>

class AppState;
class Database;
class MainWindow;
class NotificationService;
class QTranslator;
class SingleInstance;
class TrayManager;

// The application object: identity, translators and fonts at construction; run() brings the
// program up in a fixed order (state hub, main window, command hand-off, tray, reminders, the
// update check) and enters the event loop.
class Application : public QApplication
{
    Q_OBJECT

public:
    static constexpr int updateCheckDelayMs = 1500;

    Application(int& argc, char** argv);
    ~Application() override;

    // Only on the instance that owns the single-instance server. 1 when the data directory is
    // in use by another process or the database cannot be opened (after the "Database Error"
    // message); otherwise the event loop's exit code.
    int run();

    // "ui/language" from the platform settings store; "system" picks the locale's language
    // when it is supported, else "en".
    static QString resolveLanguage();
    static QStringList supportedLanguages();
    // Qt's catalogue for the language (when there is one) and the program's, in the order they
    // are to be installed; owned by parent.
    static QList<QTranslator*> loadTranslators(const QString& language, QObject* parent);
    void installTranslators();

    // The start-up message for a store that could not be opened: what is wrong with the file.
    static QString storeFailureText(const Database& database, const QString& dataDirectory);

    static FeedbackConfig feedbackConfig();
    // The feed under UPDATE_FEED_URL when set (for tests), else the maker's download feed.
    static OrvaUpdate::Config updateFeedConfig();
    void showUpdateDialog(const OrvaUpdate::Artifact& artifact);

    // The process entry: logging rules, the single-instance hand-off, run(). `prepare` is called
    // with the application object before run() (tests install their hooks there). 0 when a
    // running instance kept the command; 2 when the command line is too long to hand over; 3
    // when an instance runs but did not take it (both said on standard error).
    static int main(int argc, char** argv, const std::function<void(Application&)>& prepare = {});

    AppState* appState = nullptr;
    MainWindow* mainWindow = nullptr;
    TrayManager* trayManager = nullptr;
    NotificationService* notificationService = nullptr;
    SingleInstance* singleInstance = nullptr;
    QByteArray pendingCommand;

    // How a critical message is shown; a blocking message box unless a test answers it.
    std::function<void(const QString& title, const QString& text)> showCritical;
    // Called once the main window exists, before the event loop starts.
    std::function<void(MainWindow*)> mainWindowCreated;

private:
    int failStart(const QString& text);

    QTranslator* m_qtTranslator = nullptr;
    QTranslator* m_appTranslator = nullptr;
};

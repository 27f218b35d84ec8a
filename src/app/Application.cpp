#include "Application.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "BundledFonts.h"
#include "Database.h"
#include "DateLanguage.h"
#include "Defaults.h"
#include "Limits.h"
#include "MainWindow.h"
#include "NotificationService.h"
#include "Platform.h"
#include "PreferencesRepository.h"
#include "SampleData.h"
#include "Services.h"
#include "SingleInstance.h"
#include "Theme.h"
#include "TrayIcon.h"
#include "TrayManager.h"
#include "update/Client.h"
#include "update/UpdateDialog.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

static void initApplicationResources()
{
    Q_INIT_RESOURCE(app);
}

namespace {

const QString displayName = QStringLiteral("Orvandellic Calendar");
const QString defaultFeedHost = QStringLiteral("https://updates.orvandellic.com");
const QString feedbackUrl = QStringLiteral("https://orvandellic.com/feedback");

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setOrganizationName(QStringLiteral("Orvandellic"));
    setOrganizationDomain(QStringLiteral("orvandellic.com"));
    setApplicationName(QStringLiteral("Calendar"));
    setApplicationVersion(Defaults::version());
    installTranslators();
    initApplicationResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/app-icon.png")));
    BundledFonts::registerAll();
    setFont(QFont(Theme::sansFamily(), 11));

    showCritical = [](const QString& title, const QString& text) {
        QMessageBox::critical(nullptr, title, text, QMessageBox::Ok);
    };
}

Application::~Application()
{
    delete mainWindow;
}

QStringList Application::supportedLanguages()
{
    return {QStringLiteral("en"), QStringLiteral("es"), QStringLiteral("de"), QStringLiteral("fr"),
            QStringLiteral("ja")};
}

QString Application::resolveLanguage()
{
    QSettings settings(QCoreApplication::organizationName(), QCoreApplication::applicationName());
    const QString stored =
        settings.value(QStringLiteral("ui/language"), QStringLiteral("system")).toString();
    if (stored != QLatin1String("system"))
        return stored;
    const QString language = QLocale().name().left(2);
    return supportedLanguages().contains(language) ? language : QStringLiteral("en");
}

QList<QTranslator*> Application::loadTranslators(const QString& language, QObject* parent)
{
    QList<QTranslator*> loaded;
    // Qt's own texts (standard buttons and dialogs) first, so the program's catalogue, installed
    // after it, is asked first.
    if (language != QLatin1String("en")) {
        auto* translator = new QTranslator(parent);
        if (translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            loaded.append(translator);
        else
            delete translator;
    }
    Q_INIT_RESOURCE(i18n);
    auto* translator = new QTranslator(parent);
    if (translator->load(QStringLiteral(":/i18n/calendar_%1.qm").arg(language)))
        loaded.append(translator);
    else
        delete translator;
    return loaded;
}

void Application::installTranslators()
{
    const QString language = resolveLanguage();
    DateLanguage::setLanguage(language);
    for (QTranslator* translator : loadTranslators(language, this)) {
        installTranslator(translator);
        if (translator->filePath().startsWith(QLatin1Char(':')))
            m_appTranslator = translator;
        else
            m_qtTranslator = translator;
    }
}

FeedbackConfig Application::feedbackConfig()
{
    return {QStringLiteral("calendar"), QUrl(feedbackUrl)};
}

OrvaUpdate::Config Application::updateFeedConfig()
{
    QString host = qEnvironmentVariable("UPDATE_FEED_URL");
    if (host.isEmpty())
        host = defaultFeedHost;
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    return {QStringLiteral("calendar"), QStringLiteral("stable"),
            QUrl(host + QStringLiteral("/calendar/stable/")), Defaults::version()};
}

void Application::showUpdateDialog(const OrvaUpdate::Artifact& artifact)
{
    auto* dialog =
        new OrvaUpdate::UpdateDialog(artifact, Defaults::version(), displayName, mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

QString Application::storeFailureText(const Database& database, const QString& dataDirectory)
{
    const QString path = Platform::databasePath();
    const QString unchanged = tr("The file was left unchanged.");
    switch (database.failure()) {
    case Database::Failure::NotADatabase:
        return tr("The calendar file %1 is not a database.").arg(path) + QStringLiteral("\n\n") +
               unchanged;
    case Database::Failure::Damaged:
        return tr("The calendar file %1 is damaged.").arg(path) + QStringLiteral("\n\n") +
               unchanged;
    case Database::Failure::NewerSchema:
        return tr("The calendar file %1 was made by a newer version of this program (schema %2; "
                  "this version reads up to %3). Update the program to open it.")
                   .arg(path)
                   .arg(database.fileSchemaVersion())
                   .arg(Database::knownSchemaVersion()) +
               QStringLiteral("\n\n") + unchanged;
    case Database::Failure::ReadOnlyOutdated:
        return tr("The calendar file %1 is read-only and was made by an older version of this "
                  "program; it has to be updated before it can be opened. Make it writable and "
                  "start again.")
                   .arg(path) +
               QStringLiteral("\n\n") + unchanged;
    case Database::Failure::FolderIsAFile:
        return tr("Failed to initialize the database.\n\nData directory: %1\n\nThis is a file, "
                  "not a folder. Move or rename the file, then start again.")
            .arg(dataDirectory);
    case Database::Failure::FileIsAFolder:
        return tr("Failed to initialize the database.\n\nThe calendar file %1 is a folder, not "
                  "a database file. Move or rename the folder, then start again.")
            .arg(path);
    case Database::Failure::None:
    case Database::Failure::CannotOpen:
    case Database::Failure::MigrationFailed:
        break;
    }
    return tr("Failed to initialize the database.\n\nData directory: %1\n\n"
              "Please check file permissions and try again.")
        .arg(dataDirectory);
}

int Application::failStart(const QString& text)
{
    showCritical(tr("Database Error"), text);
    return 1;
}

int Application::run()
{
    const QString dataDirectory = Platform::dataDirectory();
    // Two instance names may share one data directory; only one process may open its database.
    if (singleInstance && !singleInstance->lockDataDirectory(dataDirectory)) {
        qWarning().noquote() << "[SingleInstance] data directory in use by another process";
        return failStart(tr("The data directory is in use by another running instance.\n\n"
                            "Data directory: %1")
                             .arg(dataDirectory));
    }

    appState = new AppState(this);
    if (!appState->initialize())
        return failStart(storeFailureText(*appState->database(), dataDirectory));
    Services::install(*appState);

    PreferencesRepository* preferences = appState->preferences();
    if (!preferences->getBool(QStringLiteral("sync/accountsDedupedV1"), false)) {
        const int collapsed = appState->accounts()->mergeDuplicates();
        if (collapsed > 0)
            qInfo().noquote() << "[ConfigSync] Collapsed" << collapsed
                              << "duplicate CalDAV account rows";
        preferences->setBool(QStringLiteral("sync/accountsDedupedV1"), true);
    }

    mainWindow = new MainWindow(appState);
    mainWindow->setUpdateConfig(updateFeedConfig(), feedbackConfig());
    connect(mainWindow, &MainWindow::sampleDataLoadRequested, mainWindow, [this] {
        const int count = loadSampleData(appState);
        mainWindow->showStatus(
            QCoreApplication::translate("MainWindow", "Loaded %n sample row(s).", nullptr, count),
            4000);
    });
    connect(mainWindow, &MainWindow::sampleDataClearRequested, mainWindow, [this] {
        const int count = removeSampleData(appState);
        mainWindow->showStatus(
            QCoreApplication::translate("MainWindow", "Removed %n sample row(s).", nullptr, count),
            4000);
    });
    Platform::registerIcsFileAssociation();
    if (!preferences->getBool(QStringLiteral("ui/startMinimized"), false) &&
        !arguments().contains(QStringLiteral("--background")))
        mainWindow->show();

    if (singleInstance) {
        connect(singleInstance, &SingleInstance::focusRequested, mainWindow,
                &MainWindow::focusWindow, Qt::QueuedConnection);
        connect(singleInstance, &SingleInstance::showTodayRequested, mainWindow,
                &MainWindow::showToday, Qt::QueuedConnection);
        connect(
            singleInstance, &SingleInstance::newEventRequested, mainWindow,
            [this]() {
                mainWindow->focusWindow();
                mainWindow->openNewEventDialog();
            },
            Qt::QueuedConnection);
        connect(singleInstance, &SingleInstance::quickAddRequested, mainWindow,
                &MainWindow::quickAddFromCommand, Qt::QueuedConnection);
        connect(singleInstance, &SingleInstance::openIcsRequested, mainWindow,
                &MainWindow::importIcsFromCommand, Qt::QueuedConnection);

        const QString command = QJsonDocument::fromJson(pendingCommand)
                                    .object()
                                    .value(QStringLiteral("cmd"))
                                    .toString();
        if (!pendingCommand.isEmpty() && command != QLatin1String("focus")) {
            const QByteArray line = pendingCommand;
            QTimer::singleShot(0, singleInstance, [this, line]() {
                QMetaObject::invokeMethod(singleInstance, "dispatchCommand", Qt::QueuedConnection,
                                          Q_ARG(QByteArray, line));
            });
        }
    }

    trayManager = new TrayManager(appState, mainWindow, this);
    connect(trayManager, &TrayManager::syncNowRequested, mainWindow, &MainWindow::syncNow);
    trayManager->setup();
    mainWindow->trayIcon = trayManager->trayIcon();
    // Started in the tray: the program waits there, so closing a reminder or a detached window
    // must not end it. Showing the main window restores the default.
    if (!mainWindow->isVisible() && mainWindow->trayIcon && mainWindow->trayIcon->isVisible())
        QGuiApplication::setQuitOnLastWindowClosed(false);

    notificationService = new NotificationService(appState, trayManager->trayIcon(), this);
    mainWindow->showTestNotification = [service = QPointer(notificationService)] {
        return service && service->showTestNotification();
    };
    connect(notificationService, &NotificationService::reminderClicked, mainWindow,
            &MainWindow::revealEvent);

    QTimer::singleShot(updateCheckDelayMs, this, [this]() {
        auto* client = new OrvaUpdate::Client(updateFeedConfig(), this);
        connect(client, &OrvaUpdate::Client::updateAvailable, mainWindow,
                [this](const OrvaUpdate::Artifact& artifact) { showUpdateDialog(artifact); });
        connect(client, &OrvaUpdate::Client::checkFailed, this, [](const QString& reason) {
            qWarning().noquote() << "update check failed:" << reason;
        });
        client->checkNow();
    });

    if (mainWindowCreated)
        mainWindowCreated(mainWindow);
    if (appState->database()->isReadOnly())
        showCritical(tr("Read-Only Calendar"),
                     tr("The calendar file %1 is read-only. The calendar is shown, but changes "
                        "can't be saved until the file can be written.")
                         .arg(Platform::databasePath()));
    return exec();
}

int Application::main(int argc, char** argv, const std::function<void(Application&)>& prepare)
{
    if (!Platform::isDevInstance() && qEnvironmentVariable("QT_LOGGING_RULES").isEmpty())
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));

    int result = 0;
    {
        Application app(argc, argv);
        auto* instance = new SingleInstance(&app);
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        // The receiving side drops a longer line unread; say so here instead of ending with 0.
        const QByteArray command = SingleInstance::buildMessage(arguments);
        if (command.size() > Limits::maxSingleInstanceLineBytes) {
            std::fputs(qPrintable(tr("The command line is too long: at most %1 bytes can be "
                                     "handed to the calendar.\n")
                                      .arg(Limits::maxSingleInstanceLineBytes)),
                       stderr);
            return 2;
        }
        switch (instance->start(arguments, Platform::dataDirectory())) {
        case SingleInstance::Start::Handed:
            return 0;
        case SingleInstance::Start::NotTaken:
            // Opening the data would only meet the running program's lock; a message box left
            // behind would outlive the moment it speaks of.
            std::fputs(qPrintable(tr("The calendar is running but does not answer; the command "
                                     "was not handed to it.\n")),
                       stderr);
            return 3;
        case SingleInstance::Start::Run:
            break;
        }
        app.singleInstance = instance;
        app.pendingCommand = command;
        if (prepare)
            prepare(app);
        result = app.run();
    }
    return result;
}

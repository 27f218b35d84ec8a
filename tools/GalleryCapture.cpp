#include "GalleryCapture.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "Application.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "CredentialBackend.h"
#include "DateLanguage.h"
#include "MemoryCredentialBackend.h"
#include "Services.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLocale>
#include <QThread>
#include <QTranslator>
#include <QWidget>

#include <algorithm>
#include <cstdio>

GalleryCapture::GalleryCapture(const QDateTime& now,
                               std::initializer_list<const char*> extraServiceVariables,
                               bool isolateConfig)
{
    // Everything the program would store goes to a folder that is removed at the end, and every
    // service address points at a closed local port.
    qputenv("CALENDAR_DATA_DIR", m_data.path().toUtf8());
    if (isolateConfig)
        qputenv("XDG_CONFIG_HOME", m_data.filePath(QStringLiteral("config")).toUtf8());
    for (const char* variable :
         {"AUTH_API_URL", "ACCOUNT_API_URL", "SYNC_API_URL", "ACCOUNT_PORTAL_URL"})
        qputenv(variable, "http://127.0.0.1:9");
    for (const char* variable : extraServiceVariables)
        qputenv(variable, "http://127.0.0.1:9");
    OrvaAccount::CredentialBackend::setDefaultBackend(
        std::make_shared<OrvaAccount::MemoryCredentialBackend>());
    Clock::pin(now);
}

GalleryCapture::~GalleryCapture()
{
    m_state.reset();
    OrvaAccount::CredentialBackend::setDefaultBackend(nullptr);
}

void GalleryCapture::installCatalogue()
{
    // GALLERY_LANGUAGE (de, es, fr, ja) renders the windows in that language; English otherwise.
    QString language = qEnvironmentVariable("GALLERY_LANGUAGE");
    if (language.isEmpty())
        language = QStringLiteral("en");
    // The day and month names follow the language as at start-up.
    DateLanguage::setLanguage(language);
    for (QTranslator* translator : Application::loadTranslators(language, qApp))
        QCoreApplication::installTranslator(translator);
}

int GalleryCapture::start(int argc, char* argv[], const char* toolName)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", toolName);
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    installCatalogue();
    m_output = QDir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(m_output.path());
    m_state = std::make_unique<AppState>();
    if (!Services::start(*m_state)) {
        m_state.reset();
        std::fprintf(stderr, "could not open the temporary store\n");
        return 1;
    }
    return 0;
}

bool GalleryCapture::save(QWidget* widget, const QString& name)
{
    // Panes that read the store off the window's thread fill in when the answer comes.
    const auto readers = widget->window()->findChildren<QObject*>();
    if (std::any_of(readers.cbegin(), readers.cend(),
                    [](const QObject* child) { return child->inherits("StoreReader"); })) {
        const QDeadlineTimer settle(400);
        while (!settle.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(5);
        }
    }
    if (widget->grab().save(m_output.filePath(name)))
        return true;
    ++m_failures;
    return false;
}

void GalleryCapture::saveAndDelete(QWidget* widget, const QString& name)
{
    widget->show();
    QApplication::processEvents();
    save(widget, name);
    delete widget;
}

int GalleryCapture::finish()
{
    m_state.reset();
    OrvaAccount::CredentialBackend::setDefaultBackend(nullptr);
    std::printf("wrote %s\n", qPrintable(m_output.absolutePath()));
    return m_failures == 0 ? 0 : 1;
}

QString GalleryCapture::suffix(const char* mode)
{
    return QLatin1Char('-') + QString::fromLatin1(mode) + QStringLiteral(".png");
}

void GalleryCapture::addAccount(AppState& state, const QString& id, const QString& name)
{
    Account account;
    account.id = id;
    account.name = name;
    account.type = QStringLiteral("caldav");
    account.createdAt = account.updatedAt = Clock::now();
    state.accounts()->insert(account);
}

void GalleryCapture::addCalendar(AppState& state, const QString& id, const QString& accountId,
                                 const QString& name, const QString& color)
{
    Calendar calendar;
    calendar.id = id;
    calendar.accountId = accountId;
    calendar.name = name;
    calendar.color = color;
    calendar.url = QStringLiteral("https://dav.invalid/") + calendar.id + QLatin1Char('/');
    calendar.createdAt = calendar.updatedAt = Clock::now();
    state.calendars()->insert(calendar);
}

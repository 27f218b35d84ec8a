#include "IcsImportJob.h"

#include "Clock.h"
#include "Database.h"
#include "EventKeys.h"
#include "EventRepository.h"
#include "Ical.h"
#include "IcalLineFilter.h"
#include "ImportBatches.h"
#include "Limits.h"
#include "Savepoint.h"

#include <QFile>
#include <QSet>
#include <QThread>
#include <QUuid>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

IcsImportJob::IcsImportJob(const QString& path, const QString& databasePath,
                           const QString& calendarId, QObject* parent)
    : QObject(parent), m_path(path), m_databasePath(databasePath), m_calendarId(calendarId)
{
}

IcsImportJob::~IcsImportJob()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
        delete m_thread;
    }
}

QByteArray IcsImportJob::readIcsFile(const QString& path, QString* error)
{
    // Without O_NONBLOCK, opening a pipe would wait for a writer, possibly for ever.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = tr("Couldn't open \"%1\" for reading.").arg(path);
        return {};
    }
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        *error =
            tr("\"%1\" is not a file that can be imported: only regular files are read.").arg(path);
        return {};
    }
    if (status.st_size > Limits::maxIcalendarBytes) {
        ::close(fd);
        *error = tr("\"%1\" is too large to import (more than %2 MB).")
                     .arg(path)
                     .arg(Limits::maxIcalendarBytes / (1024 * 1024));
        return {};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = tr("Couldn't open \"%1\" for reading.").arg(path);
        return {};
    }
    // The size is only what the file had when it was opened; it may grow while being read.
    QByteArray text;
    text.reserve(qsizetype(status.st_size));
    IcalLineFilter lines;
    qint64 read = 0;
    for (;;) {
        const QByteArray chunk = file.read(1024 * 1024);
        if (chunk.isEmpty())
            break;
        read += chunk.size();
        if (read > Limits::maxIcalendarBytes) {
            *error = tr("\"%1\" is too large to import (more than %2 MB).")
                         .arg(path)
                         .arg(Limits::maxIcalendarBytes / (1024 * 1024));
            return {};
        }
        lines.append(chunk, text);
    }
    // Room was made for the whole file; give back what the lines left out would have taken.
    if (text.capacity() > 2 * text.size())
        text.squeeze();
    return text;
}

void IcsImportJob::scan()
{
    run([this] { scanFile(); });
}

void IcsImportJob::write()
{
    run([this] { writeEvents(); });
}

void IcsImportJob::run(std::function<void()> work)
{
    Q_ASSERT(!m_thread);
    m_cancel = false;
    m_cancelled = false;
    m_error.clear();
    m_progress = 0;
    m_thread = QThread::create(std::move(work));
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
        Q_EMIT finished();
    });
    m_thread->start();
}

void IcsImportJob::scanFile()
{
    m_text = readIcsFile(m_path, &m_error);
    m_size = m_text.size();
    if (!m_error.isEmpty())
        return;
    QSet<QString> present;
    {
        Database database;
        const QString connection =
            QStringLiteral("ics-import-scan-%1").arg(quintptr(QThread::currentThreadId()));
        if (!database.open(m_databasePath, connection)) {
            m_error = tr("The calendar store could not be read.");
            return;
        }
        present = EventKeys::ofCalendar(&database, m_calendarId);
    }
    m_counts = {};
    QSet<QString> seen;
    ImportBatches batches(m_text);
    while (batches.next()) {
        if (m_cancel) {
            m_cancelled = true;
            return;
        }
        const QList<Event> parsed = Ical::parseEvents(batches.text());
        m_counts.withoutUid += batches.events() - int(parsed.size());
        m_counts.tasks += batches.tasks();
        const ImportPlan::Split split =
            ImportPlan::split(parsed, seen, [&present](const Event& event) {
                return present.contains(ImportPlan::key(event));
            });
        m_counts.fresh += int(split.fresh.size());
        m_counts.present += split.present;
        m_counts.repeated += split.repeated;
        m_counts.withoutStart += split.withoutStart;
        m_progress = batches.position();
    }
    // A cancel that came after the last piece still ends the pass as cancelled.
    if (m_cancel)
        m_cancelled = true;
}

void IcsImportJob::writeEvents()
{
    Database database;
    const QString connection =
        QStringLiteral("ics-import-write-%1").arg(quintptr(QThread::currentThreadId()));
    if (!database.open(m_databasePath, connection) || database.isReadOnly()) {
        m_error = tr("The calendar store could not be written.");
        return;
    }
    {
        EventRepository events(&database);
        Savepoint transaction(database.database());
        bool ok = transaction.isActive();
        // Read again inside the transaction: the store may have changed since the scan.
        const QSet<QString> present = EventKeys::ofCalendar(&database, m_calendarId);
        const QDateTime now = Clock::now();
        QSet<QString> seen;
        ImportBatches batches(m_text);
        while (ok && !m_cancel && batches.next()) {
            const ImportPlan::Split split = ImportPlan::split(
                Ical::parseEvents(batches.text()), seen, [&present](const Event& event) {
                    return present.contains(ImportPlan::key(event));
                });
            for (Event event : split.fresh) {
                if (m_cancel)
                    break;
                event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
                event.calendarId = m_calendarId;
                event.syncStatus = QStringLiteral("pending");
                event.href.clear();
                event.etag.clear();
                if (!event.created.isValid())
                    event.created = now;
                if (!event.lastModified.isValid())
                    event.lastModified = now;
                if (!events.insert(event)) {
                    ok = false;
                    break;
                }
            }
            m_progress = batches.position();
        }
        // Leaving the scope without commit() rolls everything back.
        if (m_cancel)
            m_cancelled = true;
        else if (!ok || !transaction.commit())
            m_error = tr("The events could not be stored.");
    }
    // A large transaction, kept or rolled back, leaves a write-ahead log the size of the
    // import. Copy it into the file here, so that the window's next write does not do it on its
    // own thread, and truncate it, so that it does not keep that size on disk. Without a wait:
    // while the window reads, waiting would hold its writes back; the copy then goes as far as
    // it can, and the log is cut when it next starts over (Database::walSizeLimitBytes).
    database.checkpointWithoutWaiting();
    // Kept only while an answer was awaited between the passes.
    m_text = QByteArray();
}

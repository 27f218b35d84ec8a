#pragma once

#include "ImportPlan.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>

class QThread;

// One import of an .ics file into one calendar, off the window's thread, in two passes over the
// file held in memory: scan() reads the file and counts what is new; write(), once the user has
// agreed, stores the new events in one transaction on a database connection of its own, so a
// failure or a cancel stores nothing. Each pass ends with `finished`, on the thread that made
// the job; progress() and cancel() may be called meanwhile. The file is read piece by piece
// (ImportBatches), so memory stays near the size of the file.
class IcsImportJob : public QObject
{
    Q_OBJECT

public:
    IcsImportJob(const QString& path, const QString& databasePath, const QString& calendarId,
                 QObject* parent);
    // Cancels a pass still running and waits for it.
    ~IcsImportJob() override;

    void scan();
    void write();
    void cancel() { m_cancel = true; }
    bool isRunning() const { return m_thread != nullptr; }

    // Bytes of the file gone through by the running pass, of size().
    qint64 progress() const { return m_progress; }
    qint64 size() const { return m_size; }

    // After a pass: what stopped it (empty when it went through), and whether cancel() did.
    QString error() const { return m_error; }
    bool wasCancelled() const { return m_cancelled; }
    const ImportPlan::Counts& counts() const { return m_counts; }

    // The whole of a regular file of at most Limits::maxIcalendarBytes, less the lines too long
    // to read (IcalLineFilter). A device, a pipe, a folder or a larger file is refused with a
    // message in `error`, without reading from it (nor blocking on a pipe that has no writer).
    static QByteArray readIcsFile(const QString& path, QString* error);

Q_SIGNALS:
    void finished();

private:
    void run(std::function<void()> work);
    void scanFile();
    void writeEvents();

    QString m_path;
    QString m_databasePath;
    QString m_calendarId;
    QByteArray m_text;
    QThread* m_thread = nullptr;
    std::atomic<qint64> m_progress{0};
    std::atomic<qint64> m_size{0};
    std::atomic<bool> m_cancel{false};
    bool m_cancelled = false;
    QString m_error;
    ImportPlan::Counts m_counts;
};

#include "IcsImportFlow.h"

#include "AppState.h"
#include "CalendarRepository.h"
#include "Database.h"
#include "EventRepository.h"
#include "IcsImportJob.h"
#include "Limits.h"
#include "ShownText.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

#include <utility>

IcsImportFlow::IcsImportFlow(AppState* state, QWidget* window)
    : QObject(window), m_state(state), m_window(window)
{
    m_poll.setInterval(progressPollMs);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        if (m_progress && m_job && m_job->size() > 0)
            m_progress->setValue(int(m_job->progress() * 1000 / m_job->size()));
    });
}

IcsImportFlow::~IcsImportFlow()
{
    // A write still running is cancelled and rolled back before the store goes away.
    delete m_job;
    if (m_holdsStore)
        m_state->releaseStore();
}

QString IcsImportFlow::skippedText(const ImportPlan::Counts& counts)
{
    QStringList parts;
    if (counts.present > 0)
        parts << tr("%n already present", nullptr, counts.present);
    if (counts.repeated > 0)
        parts << tr("%n repeated in the file", nullptr, counts.repeated);
    if (counts.withoutUid > 0)
        parts << tr("%n without UID or unreadable", nullptr, counts.withoutUid);
    if (counts.withoutStart > 0)
        parts << tr("%n without start time", nullptr, counts.withoutStart);
    if (counts.tasks > 0)
        parts << tr("%n task(s)", nullptr, counts.tasks);
    return parts.join(QStringLiteral(", "));
}

void IcsImportFlow::open(const QString& path)
{
    m_queue.append(path);
    startNext();
}

void IcsImportFlow::startNext()
{
    if (m_busy || m_queue.isEmpty())
        return;
    m_busy = true;
    const QString path = m_queue.takeFirst();
    m_name = QFileInfo(path).fileName();
    if (m_state->database()->isReadOnly()) {
        QMessageBox::warning(
            m_window, tr("Read-only calendar"),
            tr("The calendar file is read-only; \"%1\" was not imported.").arg(m_name));
        done();
        return;
    }
    const QList<Calendar> calendars = m_state->calendars()->getAll();
    if (calendars.isEmpty()) {
        QMessageBox::information(m_window, tr("No calendars configured"),
                                 tr("Add a calendar first; then re-import \"%1\".").arg(m_name));
        done();
        return;
    }
    const std::optional<Calendar> target = ImportPlan::targetCalendar(calendars);
    if (!target) {
        QMessageBox::information(
            m_window, tr("No writable calendar"),
            tr("Every calendar is read-only. Add a calendar you can edit; then re-import \"%1\".")
                .arg(m_name));
        done();
        return;
    }
    m_target = *target;
    m_job =
        new IcsImportJob(path, m_state->database()->database().databaseName(), m_target.id, this);
    connect(m_job, &IcsImportJob::finished, this, &IcsImportFlow::scanned);
    showProgress(tr("Reading \"%1\"…").arg(m_name));
    m_job->scan();
}

void IcsImportFlow::scanned()
{
    hideProgress();
    disconnect(m_job, &IcsImportJob::finished, this, nullptr);
    // A cancel that reached the dialog after the scan's thread had ended still stops here: a
    // scan has stored nothing, so it can always be dropped.
    if (m_job->wasCancelled() || m_cancelRequested) {
        showStatus(tr("The import of %1 was cancelled.").arg(m_name), 5000);
        done();
        return;
    }
    if (!m_job->error().isEmpty()) {
        QMessageBox::warning(m_window, tr("Couldn't open file"), m_job->error());
        done();
        return;
    }
    const ImportPlan::Counts counts = m_job->counts();
    if (counts.events() == 0) {
        QString text = tr("No events found in \"%1\".").arg(m_name);
        if (counts.skipped() > 0)
            text += QLatin1Char(' ') + tr("Skipped: %1.").arg(skippedText(counts));
        QMessageBox::information(m_window, tr("Nothing to import"), text);
        done();
        return;
    }
    if (counts.fresh == 0) {
        showStatus(
            tr("Imported 0 events into %1; skipped %2.").arg(m_target.name, skippedText(counts)),
            5000);
        done();
        return;
    }
    if (!confirm(tr("Import events?"),
                 tr("Import %n event(s) from \"%1\" into \"%2\"?", nullptr, counts.fresh)
                     .arg(m_name, ShownText::bounded(m_target.name, Limits::maxRowTextChars)))) {
        done();
        return;
    }
    if (m_state->isSyncBusy()) {
        // A running sync writes what it pulls on the window's thread and cannot be paused: were
        // the write to hold the store now, each of its writes would wait on the lock there.
        showProgress(tr("Waiting for the sync to end before importing \"%1\"…").arg(m_name));
        m_syncWait = connect(m_state, &AppState::syncBusyChanged, this, [this](bool busy) {
            if (busy)
                return;
            disconnect(std::exchange(m_syncWait, {}));
            startWrite();
        });
        return;
    }
    startWrite();
}

void IcsImportFlow::startWrite()
{
    connect(m_job, &IcsImportJob::finished, this, &IcsImportFlow::written);
    showProgress(tr("Importing \"%1\"…").arg(m_name));
    // The write holds the store's lock until it ends: the window's own writes are kept meanwhile
    // instead of waiting for that lock on the window's thread.
    m_state->holdStore();
    m_holdsStore = true;
    m_job->write();
}

void IcsImportFlow::written()
{
    hideProgress();
    if (m_job->wasCancelled()) {
        showStatus(tr("The import of %1 was cancelled; nothing was stored.").arg(m_name), 5000);
    } else if (!m_job->error().isEmpty()) {
        showStatus(tr("The events of %1 could not be imported.").arg(m_name), 6000);
    } else {
        // The rows came in on another connection; the window's readers learn of them here.
        m_state->events()->scheduleChanged(m_target.id);
        const ImportPlan::Counts counts = m_job->counts();
        if (counts.skipped() == 0)
            showStatus(
                tr("Imported %n event(s) into %1.", nullptr, counts.fresh).arg(m_target.name),
                5000);
        else
            showStatus(tr("Imported %n event(s) into %1; skipped %2.", nullptr, counts.fresh)
                           .arg(m_target.name, skippedText(counts)),
                       5000);
    }
    m_holdsStore = false;
    m_state->releaseStore();
    done();
}

void IcsImportFlow::done()
{
    if (m_job) {
        m_job->deleteLater();
        m_job = nullptr;
    }
    m_busy = false;
    if (m_queue.isEmpty())
        Q_EMIT idle();
    else
        QTimer::singleShot(0, this, &IcsImportFlow::startNext);
}

void IcsImportFlow::showProgress(const QString& label)
{
    if (!m_progress) {
        m_progress = new QProgressDialog(m_window);
        m_progress->setWindowTitle(tr("Import"));
        m_progress->setRange(0, 1000);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->setMinimumDuration(progressDelayMs);
        connect(m_progress, &QProgressDialog::canceled, this, [this] {
            if (m_syncWait) {
                // Nothing has been written yet.
                disconnect(std::exchange(m_syncWait, {}));
                hideProgress();
                showStatus(tr("The import of %1 was cancelled.").arg(m_name), 5000);
                done();
                return;
            }
            m_cancelRequested = true;
            if (m_job)
                m_job->cancel();
        });
    }
    m_cancelRequested = false;
    m_progress->setLabelText(label);
    m_progress->setValue(0);
    m_poll.start();
}

void IcsImportFlow::hideProgress()
{
    m_poll.stop();
    // With autoClose off (so that a value at the maximum does not close it between the passes)
    // reset() leaves a shown dialog on screen: it is hidden here.
    if (m_progress) {
        m_progress->reset();
        m_progress->hide();
    }
}

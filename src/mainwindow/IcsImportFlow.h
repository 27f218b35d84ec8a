#pragma once

#include "Calendar.h"
#include "ImportPlan.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class AppState;
class IcsImportJob;
class QProgressDialog;
class QWidget;

// The window's import of .ics files: one file at a time, each read and written off the window's
// thread (IcsImportJob) behind a progress dialog that can cancel it, with the question before
// the write and the result in the status bar. Files asked for while one is under way, its
// question included, wait their turn. While the write runs the store is held (AppState::holdStore);
// it starts only once no sync is running.
class IcsImportFlow : public QObject
{
    Q_OBJECT

public:
    static constexpr int progressPollMs = 100;
    static constexpr int progressDelayMs = 400;

    IcsImportFlow(AppState* state, QWidget* window);
    ~IcsImportFlow() override;

    std::function<bool(const QString& title, const QString& text)> confirm;
    std::function<void(const QString& text, int timeoutMs)> showStatus;

    // Imports the file at `path`, now or after the imports queued before it.
    void open(const QString& path);
    bool isBusy() const { return m_busy; }

    // "2 already present, 1 task(s)": every kind of item left out, none when nothing was.
    static QString skippedText(const ImportPlan::Counts& counts);

Q_SIGNALS:
    // Every file asked for has been dealt with.
    void idle();

private:
    void startNext();
    void scanned();
    void startWrite();
    void written();
    void done();
    void showProgress(const QString& label);
    void hideProgress();

    AppState* m_state;
    QWidget* m_window;
    QStringList m_queue;
    bool m_busy = false;
    QString m_name;
    Calendar m_target;
    IcsImportJob* m_job = nullptr;
    bool m_holdsStore = false;
    QMetaObject::Connection m_syncWait; // set while the write waits for a sync to end
    QProgressDialog* m_progress = nullptr;
    bool m_cancelRequested = false;
    QTimer m_poll;
};

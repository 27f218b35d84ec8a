#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

class AppState;

namespace Sync {

// A pulled server copy that was not applied because the local row still waits to be pushed.
struct Conflict
{
    QString calendarId;
    QString eventId;
    QString uid;
    QString localEtag;
    QString remoteEtag;
    QDateTime detectedAt;
};

// The in-memory register of sync conflicts of this session; empty at construction.
class ConflictResolutionService : public QObject
{
    Q_OBJECT

public:
    ConflictResolutionService(AppState* state, QObject* parent = nullptr);

    // Records a clash; a later clash of the same event in the same calendar replaces the earlier.
    void recordConflict(const Conflict& conflict);
    QList<Conflict> conflicts() const { return m_conflicts; }

Q_SIGNALS:
    void conflictRecorded(const Sync::Conflict& conflict);

private:
    AppState* m_state;
    QList<Conflict> m_conflicts;
};

} // namespace Sync

#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary data directory for one test: CALENDAR_DATA_DIR points at it while the object
// lives, and it is removed afterwards.
class TestDataDir
{
public:
    TestDataDir();
    ~TestDataDir();
    TestDataDir(const TestDataDir&) = delete;
    TestDataDir& operator=(const TestDataDir&) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};

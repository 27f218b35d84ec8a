#include "TestDataDir.h"

#include <QtGlobal>

TestDataDir::TestDataDir()
    : m_previous(qgetenv("CALENDAR_DATA_DIR")), m_hadPrevious(qEnvironmentVariableIsSet("CALENDAR_DATA_DIR"))
{
    qputenv("CALENDAR_DATA_DIR", m_dir.path().toUtf8());
}

TestDataDir::~TestDataDir()
{
    if (m_hadPrevious)
        qputenv("CALENDAR_DATA_DIR", m_previous);
    else
        qunsetenv("CALENDAR_DATA_DIR");
}

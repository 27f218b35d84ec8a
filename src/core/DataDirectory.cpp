#include "DataDirectory.h"

#include <QStandardPaths>

namespace DataDirectory {

QString path()
{
    QString directory = qEnvironmentVariable("CALENDAR_DATA_DIR");
    if (directory.isEmpty())
        directory = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                    QStringLiteral("/Orvandellic/Calendar");
    while (directory.size() > 1 && directory.endsWith(u'/'))
        directory.chop(1);
    return directory;
}

} // namespace DataDirectory

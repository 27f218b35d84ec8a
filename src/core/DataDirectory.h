#pragma once

#include <QString>

// Where this instance keeps its files (database, credentials): the one rule every part of the
// program that stores something follows.
namespace DataDirectory {

// CALENDAR_DATA_DIR when set (UTF-8; empty counts as unset), else
// "<generic data location>/Orvandellic/Calendar"; without trailing separator. Reads the
// environment anew on every call and creates nothing.
QString path();

} // namespace DataDirectory

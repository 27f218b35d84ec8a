#pragma once

#include <QString>

namespace Google {

// The event id this system chooses for a new Google event of the local row: Google's base32hex
// alphabet, the same for the same row every time, so an insert sent twice is refused (409)
// instead of stored twice.
QString clientEventId(const QString& localId);

} // namespace Google

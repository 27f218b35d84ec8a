#pragma once

#include <QByteArray>

#include <optional>

// Reads the per-property outcome of a WebDAV multistatus reply (a 207 to PROPPATCH), where a
// server refuses single properties while the request as a whole "succeeds".
namespace DavPropstat {

// The status code of the first propstat whose status is not 2xx; nothing when every propstat
// succeeded. A body with no readable propstat status at all counts as refused with 207, since
// success cannot be confirmed from it. Namespaces are matched by URI ("DAV:"); any input is safe.
std::optional<int> firstRefusal(const QByteArray& body);

} // namespace DavPropstat

#pragma once

#include <cstdint>

// Bounds for everything that reads untrusted input (files, servers, other devices, the command
// line). Each limit says why it exists; readers stop or skip, never crash, when one is reached.
namespace Limits {

// The largest iCalendar text read at all; a calendar export of 100,000 events with long
// descriptions stays well below it, a hostile or broken file above it is refused.
inline constexpr std::int64_t maxIcalendarBytes = 512LL * 1024 * 1024;

// The largest secret the credential store keeps: the platform's own cap on a generic credential
// blob (5 * 512 bytes), so a value stored here would also fit the native store.
inline constexpr std::int64_t maxCredentialBlobBytes = 5 * 512;

// The largest credential file read at all; real files hold a few kilobytes, anything far larger
// is not ours and reads as empty.
inline constexpr std::int64_t maxCredentialFileBytes = 4LL * 1024 * 1024;

// The largest request the sign-in listener reads before it drops a connection; a browser's
// redirect with two tokens is a few kilobytes.
inline constexpr std::int64_t maxLoopbackRequestBytes = 64LL * 1024;

// The largest reply body the account service transport accepts; cloud event pages stay far
// below it, a broken or hostile server is cut off.
inline constexpr std::int64_t maxServiceReplyBytes = 64LL * 1024 * 1024;

} // namespace Limits

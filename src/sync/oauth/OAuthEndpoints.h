#pragma once

#include <QString>

// Where the Google and Microsoft sign-ins and the Google Calendar API are reached. Each address
// can be replaced through an environment variable (tests point them at a fake on 127.0.0.1); a
// replacement is taken only when it is https, or plain http to 127.0.0.1, so that a stray setting
// can never send a code or a token in clear text across a network. A refused or empty setting
// leaves the published address in force. Every call reads the environment anew.
namespace OAuthEndpoints {

// The environment variables.
inline constexpr char googleAuthVariable[] = "GOOGLE_AUTH_URL";
inline constexpr char googleTokenVariable[] = "GOOGLE_TOKEN_URL";
inline constexpr char googleApiVariable[] = "GOOGLE_API_URL";
inline constexpr char microsoftAuthorityVariable[] = "MICROSOFT_AUTHORITY_URL";

// The published addresses used when nothing else is configured.
inline constexpr char publishedGoogleAuth[] = "https://accounts.google.com/o/oauth2/v2/auth";
inline constexpr char publishedGoogleToken[] = "https://oauth2.googleapis.com/token";
inline constexpr char publishedGoogleApi[] = "https://www.googleapis.com/calendar/v3";
inline constexpr char publishedMicrosoftAuthority[] = "https://login.microsoftonline.com";

// The tenant of the Microsoft endpoints: work, school and personal accounts alike.
inline constexpr char microsoftTenant[] = "common";

// True for an absolute https address with a host, or an http address whose host is exactly
// 127.0.0.1. Addresses with user information are refused (they would put a secret in the URL).
bool isAllowed(const QString& address);

// `configured` when it is allowed, else `published`; one trailing slash is dropped, so that the
// callers can append their paths.
QString choose(const QString& configured, const QString& published);

// The authorisation and token endpoints of Google's sign-in.
QString googleAuthorizationUrl();
QString googleTokenUrl();

// The base of the Google Calendar API v3, without a trailing slash; the calendar paths
// ("/users/me/calendarList", "/calendars/<id>/events") are appended to it.
QString googleApiBase();

// The Microsoft identity platform's authority, without a trailing slash, and the two endpoints
// under it: "<authority>/common/oauth2/v2.0/authorize" and ".../token".
QString microsoftAuthority();
QString microsoftAuthorizationUrl();
QString microsoftTokenUrl();

} // namespace OAuthEndpoints

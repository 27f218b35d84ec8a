#pragma once

class AppState;

// The long-lived services that read the state hub back: the weather forecast, the conflict
// register, the invitations, the account client and the configuration sync. They are built here,
// where they are wired, rather than by the hub they read.
namespace Services {

// Builds the services as children of `state` (after AppState::initialize() succeeded), hands
// each to the hub as soon as it exists, and settles the sign-in state once: signed in, the
// configuration sync starts and the cloud calendar list is pulled (then a sync is asked for);
// signed out, the local account is seeded. Later sign-ins and sign-outs start and stop the
// configuration sync. The endpoints come from AUTH_API_URL, ACCOUNT_API_URL, SYNC_API_URL,
// AUTH_REALM_SLUG, AUTH_CLIENT_ID and ACCOUNT_PORTAL_URL when set.
void install(AppState& state);

// What the start-up does with a new hub: initialize() and, when it succeeded, install(). For the
// tests, tools and benchmarks that need a hub as the program has it.
bool start(AppState& state);

} // namespace Services

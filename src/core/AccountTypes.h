#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the program knows of an account by its type word (compared exactly, case-sensitive): one
// row per word, read by sync, the account dialogs and the state hub alike, so that adding a
// provider is one row here and not a hunt through every layer.
namespace AccountTypes {

// How an account is reached. The CalDAV family shares one client, a stored password and a
// rediscovery of its calendars before each full sync.
enum class Family { CalDav, Google, Microsoft, Webcal, Cloud, Unknown };

// The sync client that serves a type.
enum class Client { CalDav, Google, Microsoft, Webcal, Cloud };

struct Type
{
    const char* word; // empty for the row of unknown words
    Family family;
    // A third-party server that takes local edits and sends its own: the CalDAV family, Google and
    // Microsoft. A feed is read only; the cloud service and this device are the program's own.
    bool twoWay;
    // Absent for unknown words: nothing syncs them.
    std::optional<Client> client;
    // The untranslated label of the account lists, in the translation context "QObject";
    // unknown words and the local account read as the device's own.
    const char* label;
};

// The row of `word`; an unknown word gets the row that answers no to every question but the
// label, which names the device.
const Type& of(const QString& word);

// Every known type word, in table order.
QStringList words();

// True when `word` has a row of its own.
bool isKnown(const QString& word);
// "caldav", "icloud" and "zoho".
bool isCalDavFamily(const QString& word);
// The CalDAV family, Google and Microsoft.
bool isTwoWay(const QString& word);
// The browser sign-in providers, Google and Microsoft.
bool isOAuth(const QString& word);
// The client that serves `word`; absent for unknown words.
std::optional<Client> clientOf(const QString& word);
// The untranslated label: pass it through QObject::tr.
const char* labelSource(const QString& word);

} // namespace AccountTypes

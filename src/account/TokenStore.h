#pragma once

#include <QString>

#include <optional>

namespace OrvaAccount {

// Secure storage of secrets by key. An absent or unreadable entry reads as an empty optional.
class TokenStore
{
public:
    virtual ~TokenStore() = default;
    virtual std::optional<QString> read(const QString& key) = 0;
    // True when the value was stored; false keeps any earlier value.
    virtual bool write(const QString& key, const QString& value) = 0;
    // True when an entry was deleted; false also when there was none.
    virtual bool remove(const QString& key) = 0;
    // Removes the account service's two tokens; other secrets stay.
    virtual void clear() = 0;
};

} // namespace OrvaAccount

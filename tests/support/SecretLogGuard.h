#pragma once

#include <QString>

// Watches every Qt log message while it lives: a message that contains a registered secret
// (a token, a password) is counted as a leak and is printed only with the secret masked.
class SecretLogGuard
{
public:
    SecretLogGuard();
    ~SecretLogGuard();
    SecretLogGuard(const SecretLogGuard&) = delete;
    SecretLogGuard& operator=(const SecretLogGuard&) = delete;

    // Registers a secret; texts shorter than 8 characters are ignored, they match too much.
    static void addSecret(const QString& secret);
    // Messages that contained a secret since the guard was made.
    static int leaks();
};

#pragma once

#include <QObject>

// Tells whoever listens that an editing form is about to open. The details cards close on it:
// a card opens these forms, so the forms cannot know the cards, only announce themselves.
class FormOpening : public QObject
{
    Q_OBJECT

public:
    // The one announcer every form reports to; lives until the program ends.
    static FormOpening* instance();
    // Emits `opening` on the instance, synchronously.
    static void announce();

Q_SIGNALS:
    void opening();

private:
    FormOpening() = default;
};

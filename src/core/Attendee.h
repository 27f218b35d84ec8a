#pragma once

#include <QString>

// One row of table `attendees`, held in Event::attendees.
struct Attendee
{
    QString id;
    QString eventId;
    QString email;
    QString name;
    QString role = QStringLiteral("required");       // "required", "optional", "chair"
    QString status = QStringLiteral("needs-action"); // "accepted", "declined", "tentative", ...
    QString type;
    bool rsvp = false;
};

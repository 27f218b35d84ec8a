// Extreme but well-formed input: each line compares the window's longest event-loop block (or
// the cost per item) on extreme input with the same on ordinary input, measured in this run.

#include "Clock.h"
#include "EventLoopBlocks.h"
#include "LargeInput.h"

#include <QDateTime>
#include <QTimeZone>

#include <cstdio>

int main(int argc, char** argv)
{
    EventLoopBlocks app(argc, argv);
    Clock::pin(QDateTime(QDate(2026, 3, 11), QTime(10, 0), QTimeZone::systemTimeZone()));
    bool measured = true;
    for (bool (*measure)(EventLoopBlocks&) :
         {LargeInput::members, LargeInput::discovery, LargeInput::attendees, LargeInput::longText,
          LargeInput::longTextElsewhere, LargeInput::calendarSync, LargeInput::cloudCalendarList}) {
        measured = measure(app) && measured;
        app.reset();
    }
    return measured ? 0 : 1;
}

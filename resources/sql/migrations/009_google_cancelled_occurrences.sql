-- Occurrences of a Google series that Google reports cancelled. Google sends them as items of
-- their own, not as exception dates of the series, so they are kept here and stay exceptions of
-- the series when its master changes later.
CREATE TABLE google_cancelled_occurrences (
    calendar_id   TEXT NOT NULL REFERENCES calendars(id) ON DELETE CASCADE,
    master_id     TEXT NOT NULL,
    recurrence_id TEXT NOT NULL,
    PRIMARY KEY (calendar_id, master_id, recurrence_id)
);

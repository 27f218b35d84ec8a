-- A series' reminder keeps the occurrence it handled last (its start, or an all-day one's date),
-- from which a rewrite of the series finds the next one to remind; the rows a rewrite had set
-- back no longer keep where they stood. The program fills the new column for the rows of each
-- series from their cursors in the same transaction.
ALTER TABLE reminders ADD COLUMN last_shown TEXT;
ALTER TABLE reminders DROP COLUMN set_back_from;

-- An all-day reminder counts from the start of its date in the zone the program runs in: the
-- date its trigger counts back from is kept with it, so that a machine in another zone reads the
-- same date. Rows without it read as before.
ALTER TABLE reminders ADD COLUMN trigger_date TEXT;

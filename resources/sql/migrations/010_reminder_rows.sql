-- An all-day reminder counts from the start of its date in the zone the program runs in: the
-- date its trigger counts back from is kept with it, so that a machine in another zone reads the
-- same date. A series' reminder that a rewrite set back (the occurrence it stood at moved) keeps
-- the start of that occurrence, where a rewrite that puts the times back resumes. Rows without
-- them read as before.
ALTER TABLE reminders ADD COLUMN trigger_date TEXT;
ALTER TABLE reminders ADD COLUMN set_back_from TEXT;

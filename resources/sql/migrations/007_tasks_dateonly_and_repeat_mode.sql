-- Date-only due and start values, and the repeat mode of repeating tasks.
ALTER TABLE tasks ADD COLUMN due_is_date_only   INTEGER NOT NULL DEFAULT 1;
ALTER TABLE tasks ADD COLUMN start_is_date_only INTEGER NOT NULL DEFAULT 1;
ALTER TABLE tasks ADD COLUMN repeat_mode        TEXT    NOT NULL DEFAULT 'fromDueDate';

-- Removing an account becomes a soft delete that the configuration sync pushes as a tombstone.
ALTER TABLE accounts ADD COLUMN deleted_at TEXT;

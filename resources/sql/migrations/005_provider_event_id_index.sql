-- Google and Microsoft sync look up every pulled item by calendar and provider id.
CREATE INDEX IF NOT EXISTS idx_events_calendar_provider ON events(calendar_id, provider_event_id);

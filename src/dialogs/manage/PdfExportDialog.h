#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

class AppState;
class QDateEdit;
class QLabel;
class QLineEdit;

// Exports the agenda of a date range over the calendars the views show (the active group's) as
// an A4 PDF: one heading per day, then its all-day events and its timed events by start, after
// recurrence expansion and the filter rules that hide events. An event over several days is
// listed under each of them with its end date.
class PdfExportDialog : public QDialog
{
    Q_OBJECT

public:
    // The longest range one export covers, so a mistyped year cannot produce thousands of pages.
    static constexpr int maxRangeDays = 366;

    explicit PdfExportDialog(AppState* state, QWidget* parent = nullptr);

    // Writes the agenda of `first`..`last` (inclusive) to `path`; false with `error` set when the
    // range is invalid or the file cannot be written.
    static bool writeAgenda(const AppState* state, const QDate& first, const QDate& last,
                            const QString& path, QString* error = nullptr);

private:
    void browse();
    void exportAgenda();

    AppState* m_state;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QLineEdit* m_path = nullptr;
    QLabel* m_status = nullptr;
};

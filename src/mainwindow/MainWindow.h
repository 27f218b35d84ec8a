#pragma once

#include <QDate>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class AppState;
class NotificationService;
class QDialog;
class QLabel;
class TrayIcon;

// The program's top-level window: the receiver of every command from the command line, the
// tray, the tray popover and the reminders. It shows the current date and the selected event;
// closing it hides it to the tray while a tray icon is visible.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(AppState* state, QWidget* parent = nullptr);

    // Set by the start-up once the tray and the reminders exist.
    QPointer<TrayIcon> trayIcon;
    QPointer<NotificationService> notificationService;

    // How questions and modal dialogs are run; tests answer them without blocking.
    std::function<bool(const QString& title, const QString& text)> confirm;
    std::function<int(QDialog* dialog)> execDialog;

    bool isQuitting() const { return m_quitting; }
    QString statusText() const;
    QString summaryText() const;

public Q_SLOTS:
    void focusWindow();
    void showToday();
    void openNewEventDialog();
    void quickAddFromCommand(const QString& text);
    void importIcsFromCommand(const QString& path);
    void syncNow();
    void revealEvent(const QString& eventId, const QDate& date);
    void openPreferences();
    void quit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showStatus(const QString& text);
    void updateSummary();

    AppState* m_state;
    QLabel* m_summary = nullptr;
    bool m_quitting = false;
};

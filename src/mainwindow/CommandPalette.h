#pragma once

#include <QFrame>
#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class AppState;
class StoreReader;
class MainWindow;
class QLineEdit;
class QListWidget;
struct Event;

// The popup the window opens with Ctrl+K: a text field over a list. Typing filters a fixed table
// of commands and, from the second character on, lists the stored events that contain the text
// (searched off the window's thread, listed under the commands when they come). Enter runs the
// command the text names, with the rest of the line as its argument, or else the current row; a
// command that did its work hides the palette, one that could not use its argument leaves it
// open as typed. Built once per window and hidden, not deleted, between uses.
class CommandPalette : public QFrame
{
    Q_OBJECT

public:
    struct Command
    {
        QString name; // lower case
        QString usage;
        QString description;
        // True when the command did its work; false when the argument was not usable.
        std::function<bool(const QString& argument)> run;
    };

    // `mainWindow` may be null; "resync" and "notifytest" then do nothing.
    CommandPalette(AppState* state, MainWindow* mainWindow, QWidget* parent);
    ~CommandPalette() override;

    // Empties the text, lists every command, and shows the palette near the top of the window
    // with the focus in the text.
    void popup();
    void refreshResults(const QString& text);
    void runSelection();

    const QList<Command>& commands() const { return m_commands; }
    // Whether event results for the current text are still to come.
    bool isSearching() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildCommands();
    bool switchView(const QString& argument);
    void appendEvents(const QList<Event>& events);
    QString eventText(const Event& event) const;

    AppState* m_state;
    QPointer<MainWindow> m_mainWindow;
    QLineEdit* m_text = nullptr;
    QListWidget* m_results = nullptr;
    QList<Command> m_commands;
    StoreReader* m_search = nullptr;
};

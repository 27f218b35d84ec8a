#pragma once

#include <QDateTime>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>
#include <memory>

class AppState;
class QWidget;

// The frame the picture tools share: a throw-away store, service addresses on a closed local
// port, credentials in memory, a pinned clock, the output folder from the command line and a
// count of pictures that could not be written.
//
//     GalleryCapture capture(now);            // before the QApplication
//     QApplication app(argc, argv);
//     if (const int status = capture.start(argc, argv, "tool_name"))
//         return status;
//     ... capture.save(widget, name) ...
//     return capture.finish();
class GalleryCapture
{
public:
    // Points the program's data folder at a temporary one (and, with isolateConfig, its settings
    // folder too), the account, sync and `extraServiceVariables` addresses at 127.0.0.1:9, keeps
    // credentials in memory and pins the clock to `now`. Construct it before the QApplication.
    explicit GalleryCapture(const QDateTime& now,
                            std::initializer_list<const char*> extraServiceVariables = {},
                            bool isolateConfig = false);
    ~GalleryCapture();

    GalleryCapture(const GalleryCapture&) = delete;
    GalleryCapture& operator=(const GalleryCapture&) = delete;

    // Takes the output folder from argv[1] (creating it), sets the English (US) locale, names
    // days and months in the language GALLERY_LANGUAGE gives ("ja", ...; English without one)
    // and opens the state hub. 0 when ready; otherwise the exit status, after saying why on
    // stderr.
    int start(int argc, char* argv[], const char* toolName);

    // Installs the program's own English catalogue, which holds its plural forms ("1 filter
    // applied"), as a real start does. start() calls it; tools without a capture call it
    // themselves after creating the QApplication.
    static void installCatalogue();

    AppState* state() const { return m_state.get(); }
    QString filePath(const QString& name) const { return m_output.filePath(name); }

    // Grabs the widget into `name` in the output folder; a failed write counts as a failure.
    bool save(QWidget* widget, const QString& name);
    // Shows the widget, lets it lay out, saves it as save() does and deletes it.
    void saveAndDelete(QWidget* widget, const QString& name);
    void addFailure() { ++m_failures; }

    // Closes the state hub and forgets the credentials; reports the folder and returns the
    // tool's exit status (1 when any picture failed).
    int finish();

    // Seeding for the pictures, both stamped with the pinned clock: a CalDAV account, and a
    // calendar in an account at a made-up address under https://dav.invalid/.
    static void addAccount(AppState& state, const QString& id, const QString& name);
    static void addCalendar(AppState& state, const QString& id, const QString& accountId,
                            const QString& name, const QString& color);

    // "-light.png" for "light".
    static QString suffix(const char* mode);

private:
    QTemporaryDir m_data;
    QDir m_output;
    std::unique_ptr<AppState> m_state;
    int m_failures = 0;
};

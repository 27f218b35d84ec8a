// The real program with its modal questions answered on standard output instead of on screen,
// for tests that start it as a separate process.
#include "AppState.h"
#include "Application.h"
#include "MainWindow.h"
#include "SingleInstance.h"

#include <QDialog>
#include <QStatusBar>

#include <cstdio>

namespace {

void say(const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    return Application::main(argc, argv, [](Application& app) {
        app.showCritical = [](const QString& title, const QString& text) {
            say(QStringLiteral("critical: ") + title + QLatin1Char('|') + text);
        };
        if (app.singleInstance) {
            QObject::connect(app.singleInstance, &SingleInstance::showTodayRequested,
                             [] { say(QStringLiteral("command: show-today")); });
            QObject::connect(app.singleInstance, &SingleInstance::openIcsRequested,
                             [](const QString& path) { say("command: open-ics " + path); });
        }
        app.mainWindowCreated = [](MainWindow* window) {
            window->confirm = [](const QString& title, const QString&) {
                say(QStringLiteral("confirm: ") + title);
                return true;
            };
            window->execDialog = [](QDialog* dialog) {
                say(QStringLiteral("dialog: ") + dialog->windowTitle());
                return int(QDialog::Rejected);
            };
            QObject::connect(window->statusBar(), &QStatusBar::messageChanged,
                             [](const QString& message) {
                                 if (!message.isEmpty())
                                     say(QStringLiteral("status: ") + message);
                             });
            say(QStringLiteral("ready visible=%1").arg(window->isVisible()));
        };
    });
}

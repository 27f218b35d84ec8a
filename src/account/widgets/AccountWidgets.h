#pragma once

#include "ElidedLabel.h"

#include <QFont>
#include <QString>

#include <optional>

class QFrame;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class QWidget;

namespace OrvaAccount {
class AuthClient;
}

// What the account screen's pages are built of, so that every page looks alike: fonts,
// labels, rows, section headers, the page shell, the Yes/No and one-line dialogs, and the
// browser sign-in.
namespace OrvaAccount::AccountWidgets {

// The font `by` points smaller, never below a readable size.
QFont smaller(QFont font, int by);
QFont weighted(QFont font, QFont::Weight weight);

// Everything the service says is shown as plain text.
QLabel* plainLabel(const QString& text, QWidget* parent);
// A name or line from the service in a row or under a title: cut to what a row lays out, on
// one line, and free to be narrower than its text (it then ends in an ellipsis), so that a
// long one never widens the window.
ElidedLabel* serviceLabel(const QString& text, QWidget* parent);
// What a bounded list left out, as a subdued note under its rows.
QLabel* leftOutNote(const QString& text, QWidget* parent);
void useSecondaryColour(QLabel* label);
// `colour` is a "#RRGGBB" name; it holds under the application's style sheet.
void useTextColour(QLabel* label, const char* colour);
QFrame* separator(QWidget* parent);
QHBoxLayout* indentedRow(int top = 0, int bottom = 0);
// One row of a list, a widget of its own so that its labels and buttons stay together.
QHBoxLayout* rowWidget(QWidget* parent, QVBoxLayout* into, int top, int bottom);
QLabel* errorNote(const QString& text, QWidget* parent);

// Lays `page` out under its title, in a scroll area so that a long page scrolls instead of
// making the window taller; what the page shows goes into the returned layout.
QVBoxLayout* pageLayout(QWidget* page, const QString& title);
// A section's title with an optional description under it; not parented.
QWidget* sectionHeader(const QString& title, const QString& description = {});
// A new, empty content widget in place of the old one, under the page's title.
QVBoxLayout* replaceContent(QVBoxLayout* pageLayout, QWidget*& content, int spacing);

// A Yes/No question, No the default, shown as plain text; false as well when `parent` went
// away while it was open.
bool ask(QWidget* parent, const QString& title, const QString& text);
// A one-line prompt; nullopt when it was cancelled or `parent` went away while it was open. A
// prefill of any length is kept whole, and given back as it came unless the user edited it.
std::optional<QString> prompt(QWidget* parent, const QString& title, const QString& label,
                              bool password, const QString& prefill = {});

// Starts the service's browser sign-in. When no browser opens the login page, a dialog over
// `parent` gives its address to open by hand and waits: it closes by itself when the sign-in
// ends, and cancelling it ends the sign-in, listener and all.
void signIn(AuthClient* auth, QWidget* parent);

} // namespace OrvaAccount::AccountWidgets

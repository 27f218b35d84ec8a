#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Answers the modal windows that code under test opens, so that a test can drive a flow that
// calls QDialog::exec, QMessageBox::warning, QColorDialog::getColor or QMenu::exec without the
// nested event loop waiting for a person.
//
//     const QList<ModalSeam::Seen> seen = ModalSeam::run(
//         [&] { form.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); },
//         [](QWidget* window) { ModalSeam::clickButton(window, QStringLiteral("OK")); });
//     QCOMPARE(seen.value(0).title, QStringLiteral("Title required"));
//
// While `trigger` runs, a zero-interval timer watches for the active modal window and the active
// popup menu (timers fire inside nested event loops). Each window found is recorded and handed to
// `answer` once; whatever `answer` leaves open is rejected (a menu closed) on the next turn, so a
// missing or wrong answer fails the test's checks instead of hanging the suite. After `limit`
// windows every further one is rejected unanswered. The modal window already active when run()
// starts (a form the test showed) is left alone. GUI thread only; not re-entrant.
namespace ModalSeam {

struct Seen
{
    QString className;   // e.g. "QMessageBox", "RecurrenceEditDialog", "QMenu"
    QString title;       // window title
    QString text;        // a message box's text; a menu's action texts joined by "|"
    QStringList buttons; // texts of the push buttons, '&' removed
};

using Answer = std::function<void(QWidget* window)>;

// Runs `trigger` and answers every modal window or popup menu it opens, in order.
QList<Seen> run(const std::function<void()>& trigger, const Answer& answer = {}, int limit = 8);

// Answers in turn: the n-th window opened goes to answers[n]; windows beyond the list are
// rejected.
QList<Seen> run(const std::function<void()>& trigger, const QList<Answer>& answers);

// Clicks the first enabled push button of `window` whose text, '&' removed, equals `text`.
// False when there is none.
bool clickButton(QWidget* window, const QString& text);

// Activates the menu's action with that text ('&' removed) the way a person does (keyboard), so
// that QMenu::exec returns it. False when the window is not a menu or has no such action.
bool chooseMenuAction(QWidget* menu, const QString& text);

// Accepts a QDialog (false for anything else).
bool accept(QWidget* window);

} // namespace ModalSeam

#include "ModalSeam.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

QString plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

ModalSeam::Seen describe(QWidget* window)
{
    ModalSeam::Seen seen;
    seen.className = QString::fromLatin1(window->metaObject()->className());
    seen.title = window->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(window))
        seen.text = box->text();
    if (auto* menu = qobject_cast<QMenu*>(window)) {
        QStringList texts;
        for (QAction* action : menu->actions())
            texts.append(plain(action->text()));
        seen.text = texts.join(QLatin1Char('|'));
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->inherits("QPushButton"))
            seen.buttons.append(plain(button->text()));
    }
    return seen;
}

void dismiss(QWidget* window)
{
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
}

QWidget* openWindow()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->isVisible() ? modal : nullptr;
}

} // namespace

namespace ModalSeam {

QList<Seen> run(const std::function<void()>& trigger, const QList<Answer>& answers)
{
    QList<Seen> seen;
    // A modal window open before the trigger (the form under test) is not the seam's to answer.
    QList<QPointer<QWidget>> answered{QApplication::activeModalWidget()};
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* window = openWindow();
        if (!window)
            return;
        for (qsizetype i = 0; i < answered.size(); ++i) {
            if (answered.at(i) == window) {
                if (i == 0)
                    return;
                // Still open after its answer: take it away so the flow goes on.
                dismiss(window);
                return;
            }
        }
        answered.append(window);
        seen.append(describe(window));
        const qsizetype index = seen.size() - 1;
        if (index < answers.size() && answers.at(index))
            answers.at(index)(window);
        else
            dismiss(window);
    });
    watcher.start();
    trigger();
    watcher.stop();
    return seen;
}

QList<Seen> run(const std::function<void()>& trigger, const Answer& answer, int limit)
{
    QList<Answer> answers;
    for (int i = 0; i < limit; ++i)
        answers.append(answer);
    return run(trigger, answers);
}

bool clickButton(QWidget* window, const QString& text)
{
    if (!window)
        return false;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isEnabled() && button->inherits("QPushButton") &&
            plain(button->text()) == text) {
            button->click();
            return true;
        }
    }
    return false;
}

bool chooseMenuAction(QWidget* window, const QString& text)
{
    auto* menu = qobject_cast<QMenu*>(window);
    if (!menu)
        return false;
    for (QAction* action : menu->actions()) {
        if (plain(action->text()) == text && action->isEnabled()) {
            menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
            return true;
        }
    }
    return false;
}

bool accept(QWidget* window)
{
    auto* dialog = qobject_cast<QDialog*>(window);
    if (!dialog)
        return false;
    dialog->accept();
    return true;
}

} // namespace ModalSeam

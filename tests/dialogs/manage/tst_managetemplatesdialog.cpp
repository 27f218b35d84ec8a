#include "AppState.h"
#include "AppStateFixture.h"
#include "GuiEnvironment.h"
#include "ManageTemplatesDialog.h"
#include "ModalSeam.h"
#include "TemplateRepository.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

QPushButton* button(QWidget& dialog, const QString& text)
{
    for (QPushButton* candidate : dialog.findChildren<QPushButton*>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

// Types a name and a title into the template editor and confirms it.
ModalSeam::Answer nameAndTitle(const QString& name, const QString& title)
{
    return [name, title](QWidget* editor) {
        const auto lines = editor->findChildren<QLineEdit*>();
        lines.at(0)->setText(name);
        lines.at(1)->setText(title);
        ModalSeam::clickButton(editor, QStringLiteral("OK"));
    };
}

} // namespace

class ManageTemplatesDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    // Add stores the editor's template, Edit rewrites the same row, Delete asks and removes it;
    // the list follows every step.
    void addEditDelete()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        ManageTemplatesDialog dialog(state);
        auto* list = dialog.findChild<QListWidget*>();

        ModalSeam::run([&] { button(dialog, QStringLiteral("Add…"))->click(); },
                       nameAndTitle(QStringLiteral("Standup"), QStringLiteral("Daily standup")));
        QList<EventTemplate> stored = state->templates()->getAll();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().title, QStringLiteral("Daily standup"));
        QVERIFY(!stored.first().id.isEmpty());
        QCOMPARE(list->count(), 1);

        list->setCurrentRow(0);
        ModalSeam::run([&] { button(dialog, QStringLiteral("Edit…"))->click(); },
                       nameAndTitle(QStringLiteral("Morning standup"), QStringLiteral("Standup")));
        stored = state->templates()->getAll();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().name, QStringLiteral("Morning standup"));
        QCOMPARE(list->item(0)->text(), QStringLiteral("Morning standup"));

        const auto asked = ModalSeam::run(
            [&] { button(dialog, QStringLiteral("Delete…"))->click(); },
            [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("Yes")); });
        QCOMPARE(asked.value(0).title, QStringLiteral("Delete Template"));
        QVERIFY(state->templates()->getAll().isEmpty());
        QCOMPARE(list->count(), 0);
    }
};

QTEST_MAIN(ManageTemplatesDialogTest)
#include "tst_managetemplatesdialog.moc"

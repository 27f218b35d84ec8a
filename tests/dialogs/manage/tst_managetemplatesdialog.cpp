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

    // The configuration sync changes or removes the template while its editor is open: Edit
    // keeps the sync's change in a field the user left alone, tells when the user's value
    // replaced one, and does not bring a removed template back.
    void editKeepsWhatChangedElsewhere_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("saved");
        // clang-format off
        QTest::newRow("another field") << "title" << "" << "Morning|Synced title";
        QTest::newRow("same field") << "name" << "Changed elsewhere" << "Morning|Daily standup";
        QTest::newRow("removed") << "removed" << "Manage Templates" << "";
        // clang-format on
    }
    void editKeepsWhatChangedElsewhere()
    {
        QFETCH(QString, meanwhile);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        ManageTemplatesDialog dialog(state);
        ModalSeam::run([&] { button(dialog, QStringLiteral("Add…"))->click(); },
                       nameAndTitle(QStringLiteral("Standup"), QStringLiteral("Daily standup")));
        EventTemplate pulled = state->templates()->getAll().value(0);
        dialog.findChild<QListWidget*>()->setCurrentRow(0);

        const QList<ModalSeam::Seen> seen = ModalSeam::run(
            [&] { button(dialog, QStringLiteral("Edit…"))->click(); },
            QList<ModalSeam::Answer>{
                [&](QWidget* editor) {
                    (meanwhile == QLatin1String("title") ? pulled.title : pulled.name) =
                        QStringLiteral("Synced ") + meanwhile;
                    QVERIFY(meanwhile == QLatin1String("removed")
                                ? state->templates()->remove(pulled.id)
                                : state->templates()->update(pulled, QStringLiteral("synced")));
                    editor->findChildren<QLineEdit*>().at(0)->setText(QStringLiteral("Morning"));
                    ModalSeam::clickButton(editor, QStringLiteral("OK"));
                },
                [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("OK")); }});
        QTEST(seen.value(1).title, "told");
        const QList<EventTemplate> stored = state->templates()->getAll();
        QTEST(stored.isEmpty() ? QString() : stored.first().name + u'|' + stored.first().title,
              "saved");
    }
};

QTEST_MAIN(ManageTemplatesDialogTest)
#include "tst_managetemplatesdialog.moc"

#include "AppState.h"
#include "AppStateFixture.h"
#include "GuiEnvironment.h"
#include "InvitationsDialog.h"
#include "KeyboardHelpDialog.h"
#include "ManageFiltersDialog.h"
#include "ManageSourcesDialog.h"
#include "ManageTemplatesDialog.h"
#include "ManageViewsDialog.h"
#include "ModalSeam.h"
#include "PdfExportDialog.h"
#include "SearchDialog.h"
#include "SettingsDialog.h"
#include "ViewFormDialog.h"
#include "WeatherSettingsDialog.h"
#include "WelcomeDialog.h"

#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

class ManageDialogsWalkTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    // Each dialog a menu opens runs modally on an empty store and closes from its own button.
    void everyDialogOpensAndCloses()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        const std::function<QDialog*()> dialogs[] = {
            [&] { return new ManageSourcesDialog(state, nullptr); },
            [&] { return new ViewFormDialog(state); },
            [&] { return new ManageViewsDialog(state); },
            [&] { return new ManageFiltersDialog(state); },
            [&] { return new ManageTemplatesDialog(state); },
            [&] { return new WeatherSettingsDialog(state); },
            [&] { return new InvitationsDialog(state); },
            [&] { return new PdfExportDialog(state); },
            [&] { return new KeyboardHelpDialog; },
            [&] { return new SettingsDialog(state, state->themeManager()); },
            [&] { return new SearchDialog(state); },
        };
        for (const auto& make : dialogs) {
            std::unique_ptr<QDialog> dialog(make());
            int result = -1;
            const auto seen = ModalSeam::run([&] { result = dialog->exec(); },
                                             [](QWidget* window) {
                                                 if (!ModalSeam::clickButton(window, "Close"))
                                                     ModalSeam::clickButton(window, "Cancel");
                                             });
            QCOMPARE(seen.size(), 1);
            QVERIFY2(!seen.first().title.isEmpty(), qPrintable(seen.first().className));
            QCOMPARE(result, int(QDialog::Rejected));
        }
    }

    // The welcome's default button adds an account (Accepted); "Get Started" does not.
    void welcomeAnswers()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        for (const auto& [button, expected] : {std::pair{"Add Account…", QDialog::Accepted},
                                               std::pair{"Get Started", QDialog::Rejected}}) {
            WelcomeDialog dialog(fixture.state());
            int result = -1;
            ModalSeam::run([&] { result = dialog.exec(); },
                           [button = QString::fromUtf8(button)](QWidget* window) {
                               ModalSeam::clickButton(window, button);
                           });
            QCOMPARE(result, int(expected));
        }
        WelcomeDialog dialog(fixture.state());
        QPushButton* defaultButton = nullptr;
        for (QPushButton* candidate : dialog.findChildren<QPushButton*>()) {
            if (candidate->isDefault())
                defaultButton = candidate;
        }
        QVERIFY(defaultButton);
        QCOMPARE(defaultButton->text(), QStringLiteral("Add Account…"));
    }
};

QTEST_MAIN(ManageDialogsWalkTest)
#include "tst_managedialogswalk.moc"

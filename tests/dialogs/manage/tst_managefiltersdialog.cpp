#include "AppState.h"
#include "AppStateFixture.h"
#include "FilterRuleRepository.h"
#include "GuiEnvironment.h"
#include "ManageFiltersDialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

class ManageFiltersDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    // The tick switches a rule on and off in the store, and moving a rule changes the order
    // the rules apply in.
    void tickAndReorderAreStored()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        for (const char* id : {"first", "second"}) {
            FilterRule rule;
            rule.id = rule.name = QString::fromLatin1(id);
            rule.type = QStringLiteral("pattern");
            rule.conditions = QStringLiteral("{}");
            QVERIFY(state->filterRules()->insert(rule));
        }
        QVERIFY(state->filterRules()->reorder({QStringLiteral("first"), QStringLiteral("second")}));
        ManageFiltersDialog dialog(state);
        auto* list = dialog.findChild<QListWidget*>();
        QCOMPARE(list->count(), 2);

        list->item(1)->setCheckState(Qt::Unchecked);
        QVERIFY(!state->filterRules()->getById(QStringLiteral("second"))->enabled);
        QVERIFY(state->filterRules()->getById(QStringLiteral("first"))->enabled);

        list->setCurrentRow(0);
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Move Down"))
                button->click();
        }
        QStringList order;
        for (const FilterRule& rule : state->filterRules()->getAll())
            order.append(rule.id);
        QCOMPARE(order, (QStringList{QStringLiteral("second"), QStringLiteral("first")}));
        QCOMPARE(list->item(0)->data(Qt::UserRole).toString(), QStringLiteral("second"));
        QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
    }
};

QTEST_MAIN(ManageFiltersDialogTest)
#include "tst_managefiltersdialog.moc"

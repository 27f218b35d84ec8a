#include "AppState.h"
#include "AppStateFixture.h"
#include "GuiEnvironment.h"
#include "JsonList.h"
#include "ManageViewsDialog.h"
#include "ModalSeam.h"
#include "StoreSeed.h"
#include "ViewFormDialog.h"
#include "ViewRepository.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class ViewFormDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    // A new group is saved with the ticked calendars and its id is handed back; editing it
    // later keeps a calendar the list no longer offers, so the group never widens to "all".
    void newGroupThenEditKeepsUnlistedCalendars()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("a", "Work", "caldav"),
                                       StoreSeed::calendar("work", "a", "Work", "#33b679")));
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("b", "Home", "caldav"),
                                       StoreSeed::calendar("home", "b", "Home", "#e67c73")));

        ViewFormDialog create(state);
        create.findChild<QLineEdit*>()->setText(QStringLiteral("  Office  "));
        auto* list = create.findChild<QListWidget*>();
        QCOMPARE(list->count(), 3); // with the seeded calendar on this device
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->data(Qt::UserRole).toString() == QStringLiteral("work"))
                list->item(row)->setCheckState(Qt::Checked);
        }
        create.accept();
        QCOMPARE(create.result(), int(QDialog::Accepted));
        const std::optional<CalendarView> saved = state->views()->getById(create.savedViewId());
        QVERIFY(saved);
        QCOMPARE(saved->name, QStringLiteral("Office"));
        QCOMPARE(JsonList::toStrings(saved->calendarIds), QStringList{QStringLiteral("work")});

        CalendarView withGone = *saved;
        withGone.calendarIds =
            JsonList::fromStrings({QStringLiteral("work"), QStringLiteral("gone")});
        QVERIFY(state->views()->update(withGone));
        ViewFormDialog edit(state, withGone);
        auto* editList = edit.findChild<QListWidget*>();
        for (int row = 0; row < editList->count(); ++row)
            editList->item(row)->setCheckState(Qt::Unchecked);
        edit.accept();
        QCOMPARE(JsonList::toStrings(state->views()->getById(saved->id)->calendarIds),
                 QStringList{QStringLiteral("gone")});
    }

    // The configuration sync changes the group while the form is open: Save keeps its colour,
    // which the user left alone, with the user's name; a name long past a line edit's bound is
    // kept whole; a group removed meanwhile is not written again.
    void saveKeepsWhatChangedElsewhere()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        CalendarView view;
        view.id = QStringLiteral("v1");
        view.name = QString(40000, u'w');
        view.color = QStringLiteral("#33b679");
        QVERIFY(state->views()->insert(view));
        ViewFormDialog(state, view).accept();
        QCOMPARE(state->views()->getById(view.id)->name.size(), view.name.size());
        view.name = QStringLiteral("Work");
        QVERIFY(state->views()->update(view));
        ViewFormDialog edit(state, view);
        view.color = QStringLiteral("#e67c73");
        QVERIFY(state->views()->update(view));
        edit.findChild<QLineEdit*>()->setText(QStringLiteral("Office"));
        edit.accept();
        const CalendarView saved = *state->views()->getById(view.id);
        QCOMPARE((QStringList{saved.name, saved.color}), (QStringList{"Office", "#e67c73"}));

        ViewFormDialog removed(state, saved);
        QVERIFY(state->views()->remove(view.id));
        removed.findChild<QLineEdit*>()->setText(QStringLiteral("Ghost"));
        removed.accept();
        QCOMPARE(removed.result(), int(QDialog::Rejected));
        QVERIFY(state->views()->getById(view.id)->deletedAt);
    }

    // A nameless group is refused in the form; deleting from the manager asks first.
    void nameRequiredAndDeleteAsks()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        ViewFormDialog empty(state);
        empty.accept();
        QCOMPARE(empty.result(), int(QDialog::Rejected));
        QVERIFY(empty.savedViewId().isEmpty());

        CalendarView view;
        view.id = QStringLiteral("v1");
        view.name = QStringLiteral("Team");
        QVERIFY(state->views()->insert(view));
        ManageViewsDialog manager(state);
        auto* list = manager.findChild<QListWidget*>();
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->text() == QStringLiteral("Team"))
                list->setCurrentRow(row);
        }
        QPushButton* remove = nullptr;
        for (QPushButton* button : manager.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Delete…"))
                remove = button;
        }
        const auto no = ModalSeam::run([&] { remove->click(); },
                                       [](QWidget* box) { ModalSeam::clickButton(box, "No"); });
        QCOMPARE(no.size(), 1);
        const auto live = [state] {
            for (const CalendarView& view : state->views()->getAll()) {
                if (view.id == QStringLiteral("v1"))
                    return true;
            }
            return false;
        };
        QVERIFY(live());
        ModalSeam::run([&] { remove->click(); },
                       [](QWidget* box) { ModalSeam::clickButton(box, "Yes"); });
        QVERIFY(!live());
    }
};

QTEST_MAIN(ViewFormDialogTest)
#include "tst_viewformdialog.moc"

#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "DateTimePicker.h"
#include "Ical.h"
#include "Limits.h"
#include "ModalSeam.h"
#include "StoreSeed.h"
#include "TaskFormDialog.h"
#include "TaskRepository.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

// The dialog and its widgets as a person finds them.
struct Form
{
    template <typename... Args> explicit Form(Args&&... args) : dialog(std::forward<Args>(args)...)
    {
    }

    TaskFormDialog dialog;
    QLineEdit* title = dialog.findChild<QLineEdit*>(QStringLiteral("titleEdit"));
    QComboBox* calendar = dialog.findChild<QComboBox*>(QStringLiteral("calendarCombo"));
    QComboBox* priority = dialog.findChild<QComboBox*>(QStringLiteral("priorityCombo"));
    QCheckBox* completed = dialog.findChild<QCheckBox*>(QStringLiteral("completedCheck"));
    QCheckBox* startCheck = dialog.findChild<QCheckBox*>(QStringLiteral("startCheck"));
    DateTimePicker* start = dialog.findChild<DateTimePicker*>(QStringLiteral("startPicker"));
    QCheckBox* dueCheck = dialog.findChild<QCheckBox*>(QStringLiteral("dueCheck"));
    DateTimePicker* due = dialog.findChild<DateTimePicker*>(QStringLiteral("duePicker"));

    QPushButton* ok() const
    {
        return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }
    // Clicks OK (or emits the box's accepted signal when OK is disabled) and answers every
    // message box with OK; the titles shown.
    QStringList save() const
    {
        QStringList titles;
        const auto seen = ModalSeam::run(
            [this] {
                if (ok()->isEnabled())
                    ok()->click();
                else
                    Q_EMIT dialog.findChild<QDialogButtonBox*>()->accepted();
            },
            [](QWidget* window) { ModalSeam::clickButton(window, QStringLiteral("OK")); });
        for (const ModalSeam::Seen& window : seen)
            titles.append(window.title);
        return titles;
    }
};

Task storedTask(const QString& id, const QString& calendarId, const QString& parentId = {})
{
    Task task;
    task.id = task.uid = id;
    task.calendarId = calendarId;
    task.title = QStringLiteral("Task ") + id;
    task.parentTaskUid = parentId;
    task.href = QStringLiteral("/%1/%2.ics").arg(calendarId, id);
    task.etag = QStringLiteral("\"etag-%1\"").arg(id);
    task.priority = 2;
    task.status = QStringLiteral("in-process");
    task.percentComplete = 30;
    task.created = task.lastModified = AppStateFixture::defaultNow().toUTC();
    task.rawIcalendar = Ical::buildTask(task);
    return task;
}

} // namespace

class TestTaskFormDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppStateFixture> m_fixture;

    AppState* state() const { return m_fixture->state(); }
    TaskRepository* tasks() const { return state()->tasks(); }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        for (const auto& [id, visible, readOnly] :
             {std::tuple{"home", true, false}, std::tuple{"work", true, false},
              std::tuple{"hidden", false, false}, std::tuple{"shared", true, true}}) {
            Calendar calendar =
                StoreSeed::calendar(id, "acc", QString::fromLatin1(id).toUpper(), "#e67c73");
            calendar.isVisible = visible;
            calendar.isReadOnly = readOnly;
            QVERIFY(StoreSeed::addCalendar(state(), StoreSeed::account("acc", "Acc", "caldav"),
                                           calendar));
        }
    }
    void cleanup() { m_fixture.reset(); }

    // New: the checks that keep the form open, then a pending task in the chosen calendar.
    void newTask()
    {
        Form form(state());
        QCOMPARE(form.dialog.windowTitle(), QStringLiteral("New Task"));
        QCOMPARE(form.calendar->findData(QStringLiteral("hidden")), -1);
        QCOMPARE(form.calendar->findData(QStringLiteral("shared")), -1);
        QCOMPARE(form.save(), QStringList{QStringLiteral("Title required")});

        form.title->setText(QStringLiteral("  Buy milk "));
        form.calendar->setCurrentIndex(form.calendar->findData(QStringLiteral("work")));
        form.startCheck->setChecked(true);
        form.dueCheck->setChecked(true);
        form.start->setDateTime(QDateTime(QDate(2026, 3, 14), QTime(9, 0)));
        form.due->setDateTime(QDateTime(QDate(2026, 3, 13), QTime(9, 0)));
        QCOMPARE(form.save(), QStringList{QStringLiteral("Start after due date")});
        QCOMPARE(form.dialog.result(), int(QDialog::Rejected));
        QVERIFY(tasks()->getByCalendar(QStringLiteral("work")).isEmpty());

        form.start->setDateTime(QDateTime(QDate(2026, 3, 12), QTime(9, 0)));
        form.priority->setCurrentIndex(form.priority->findData(5));
        QVERIFY(form.save().isEmpty());
        QCOMPARE(form.dialog.result(), int(QDialog::Accepted));
        const QList<Task> saved = tasks()->getByCalendar(QStringLiteral("work"));
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved.first().title, QStringLiteral("Buy milk"));
        QCOMPARE(saved.first().uid, saved.first().id);
        QCOMPARE(saved.first().priority, 5);
        QCOMPARE(saved.first().syncStatus, QStringLiteral("pending"));
        QCOMPARE(saved.first().dueDate->toUTC(),
                 QDateTime(QDate(2026, 3, 13), QTime(9, 0)).toUTC());
        QCOMPARE(Ical::parseTasks(saved.first().rawIcalendar).value(0).title,
                 QStringLiteral("Buy milk"));
    }

    // Edit: the typed title and categories are saved, untouched priority and an open status
    // survive; a row removed meanwhile is not written back.
    void editKeepsUntouched()
    {
        const Task task = storedTask(QStringLiteral("t1"), QStringLiteral("home"));
        QVERIFY(tasks()->insert(task));
        {
            Form form(state(), task);
            QCOMPARE(form.priority->currentData().toInt(), 1);
            QVERIFY(!form.completed->isChecked());
            form.title->setText(QStringLiteral("Renamed"));
            form.dialog.findChild<QLineEdit*>(QStringLiteral("categoriesEdit"))
                ->setText(QStringLiteral("Errands, Health"));
            QVERIFY(form.save().isEmpty());
        }
        Task saved = *tasks()->getById(task.id);
        QCOMPARE(saved.title, QStringLiteral("Renamed"));
        QCOMPARE(saved.categories, (QStringList{"Errands", "Health"}));
        QCOMPARE(saved.priority, 2);
        QCOMPARE(saved.status, QStringLiteral("in-process"));
        QCOMPARE(saved.percentComplete, 30);
        QCOMPARE(saved.href, task.href);
        QCOMPARE(saved.sequence, task.sequence + 1);

        Form stale(state(), saved);
        QVERIFY(tasks()->remove(task.id));
        stale.title->setText(QStringLiteral("Ghost"));
        QCOMPARE(stale.save(), QStringList{QStringLiteral("Task removed")});
        QCOMPARE(tasks()->getById(task.id)->title, QStringLiteral("Renamed"));
    }

    // A sync lands while the form is open and the user changes another field: Save keeps the
    // sync's values and the user's. Where both changed one field the user's value is saved and
    // the user told.
    void saveKeepsWhatChangedElsewhere_data()
    {
        QTest::addColumn<bool>("undatedMeanwhile"); // else retitled and described
        QTest::addColumn<bool>("typedNotes");       // else chose a priority
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QString>("row");
        const QString due =
            QDateTime(QDate(2026, 3, 13), QTime(9, 0)).toUTC().toString(Qt::ISODate);
        // clang-format off
        QTest::newRow("texts") << false << false << QStringList() << "Moved|New notes|9|" + due;
        QTest::newRow("dates") << true << false << QStringList() << "Task t1|Notes|9|";
        QTest::newRow("same field") << false << true << QStringList{"Changed elsewhere"} << "Moved|Typed notes|2|" + due;
        // clang-format on
    }
    void saveKeepsWhatChangedElsewhere()
    {
        Task task = storedTask(QStringLiteral("t1"), QStringLiteral("home"));
        task.description = QStringLiteral("Notes");
        task.dueDate = QDateTime(QDate(2026, 3, 13), QTime(9, 0));
        task.dueIsDateOnly = false;
        QVERIFY(tasks()->insert(task));
        Form form(state(), *tasks()->getById(task.id));
        Task changed = *tasks()->getById(task.id);
        changed.etag = QStringLiteral("\"etag-2\"");
        QFETCH(bool, undatedMeanwhile);
        if (undatedMeanwhile) {
            changed.dueDate.reset();
        } else {
            changed.title = QStringLiteral("Moved");
            changed.description = QStringLiteral("New notes");
        }
        QVERIFY(tasks()->update(changed));
        QFETCH(bool, typedNotes);
        if (typedNotes)
            form.dialog.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("Typed notes"));
        else
            form.priority->setCurrentIndex(form.priority->findData(9));

        QTEST(form.save(), "told");
        const Task saved = *tasks()->getById(task.id);
        const QString due = saved.dueDate ? saved.dueDate->toUTC().toString(Qt::ISODate) : "";
        QTEST(QStringList({saved.title, saved.description, QString::number(saved.priority), due})
                  .join(u'|'),
              "row");
        QCOMPARE((QStringList{saved.etag, saved.status}),
                 (QStringList{changed.etag, "in-process"}));
    }

    // A subtask stays in its parent's calendar; a parent of a read-only calendar gets none.
    void subtaskLock()
    {
        const Task parent = storedTask(QStringLiteral("p"), QStringLiteral("hidden"));
        QVERIFY(tasks()->insert(parent));
        Form form(state());
        form.dialog.setParentTask(parent);
        QVERIFY(!form.calendar->isEnabled());
        QCOMPARE(form.calendar->currentData().toString(), QStringLiteral("hidden"));
        form.title->setText(QStringLiteral("Child"));
        QVERIFY(form.save().isEmpty());
        const QList<Task> saved = tasks()->getByCalendar(QStringLiteral("hidden"));
        QCOMPARE(saved.size(), 2);
        const Task child = saved.first().id == parent.id ? saved.last() : saved.first();
        QCOMPARE(child.parentTaskUid, parent.uid);

        Form edit(state(), child);
        QVERIFY(!edit.calendar->isEnabled());
        QCOMPARE(edit.calendar->currentData().toString(), QStringLiteral("hidden"));
        QCOMPARE(edit.calendar->currentText(), QStringLiteral("Acc / HIDDEN"));

        const Task locked = storedTask(QStringLiteral("r"), QStringLiteral("shared"));
        QVERIFY(tasks()->insert(locked));
        Form blocked(state());
        blocked.dialog.setParentTask(locked);
        QVERIFY(!blocked.ok()->isEnabled());
    }

    // A subtask whose parent was deleted while its form was open is not saved: it would name a
    // parent the server no longer has. Neither a new subtask nor an edited one is written; a
    // subtask whose parent was gone before its form opened (listed at the top level) still is.
    void parentDeletedMeanwhile_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<bool>("goneBeforeOpening");
        QTest::newRow("new subtask") << false << false;
        QTest::newRow("edited subtask") << true << false;
        QTest::newRow("edited, parent gone before") << true << true;
    }

    void parentDeletedMeanwhile()
    {
        QFETCH(bool, editing);
        QFETCH(bool, goneBeforeOpening);
        const Task parent = storedTask(QStringLiteral("p"), QStringLiteral("home"));
        const Task child = storedTask(QStringLiteral("c"), QStringLiteral("home"), parent.uid);
        QVERIFY(tasks()->insert(parent));
        QVERIFY(tasks()->insert(child));
        if (goneBeforeOpening)
            QVERIFY(tasks()->remove(parent.id));
        std::unique_ptr<Form> form =
            editing ? std::make_unique<Form>(state(), child) : std::make_unique<Form>(state());
        if (!editing)
            form->dialog.setParentTask(parent);
        if (!goneBeforeOpening)
            QVERIFY(tasks()->remove(parent.id));
        form->title->setText(QStringLiteral("Orphan"));
        if (goneBeforeOpening) {
            QVERIFY(form->save().isEmpty());
            QCOMPARE(tasks()->getById(child.id)->title, QStringLiteral("Orphan"));
            return;
        }
        QCOMPARE(form->save(), QStringList{QStringLiteral("Task removed")});
        QCOMPARE(form->dialog.result(), int(QDialog::Rejected));
        const QList<Task> left = tasks()->getByCalendar(QStringLiteral("home"));
        QCOMPARE(left.size(), 1);
        QCOMPARE(left.first().title, child.title);
        QCOMPARE(left.first().sequence, child.sequence);
    }

    // Another calendar moves the task and its subtask: tombstones with the old places stay
    // behind, the rows leave without href and ETag, UIDs and the parent link kept.
    void calendarMove()
    {
        const Task parent = storedTask(QStringLiteral("p"), QStringLiteral("home"));
        const Task child = storedTask(QStringLiteral("c"), QStringLiteral("home"), parent.uid);
        QVERIFY(tasks()->insert(parent));
        QVERIFY(tasks()->insert(child));
        Form form(state(), parent);
        form.calendar->setCurrentIndex(form.calendar->findData(QStringLiteral("work")));
        QVERIFY(form.save().isEmpty());

        QVERIFY(tasks()->getByCalendar(QStringLiteral("home")).isEmpty());
        const QList<Task> moved = tasks()->getByCalendar(QStringLiteral("work"));
        QCOMPARE(moved.size(), 2);
        for (const Task& row : moved) {
            QVERIFY(row.href.isEmpty());
            QVERIFY(row.etag.isEmpty());
            QCOMPARE(row.syncStatus, QStringLiteral("pending"));
        }
        QCOMPARE(tasks()->getById(child.id)->parentTaskUid, parent.uid);
        const QList<Task> left = tasks()->getPending(QStringLiteral("home"));
        QCOMPARE(left.size(), 2);
        for (const Task& row : left) {
            QVERIFY(row.deletedAt);
            QCOMPARE(row.href, QStringLiteral("/home/%1.ics").arg(row.uid));
            QCOMPARE(row.etag, QStringLiteral("\"etag-%1\"").arg(row.uid));
        }
    }

    // Save keeps every character of texts the person did not edit, however long (a line edit
    // holds 32,767 by default). A long text is shown in part until its field is clicked; what
    // is typed is saved trimmed.
    void longTextsKept_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("clicked");
        QTest::addColumn<QString>("typedTitle");
        QTest::newRow("40,000 characters") << 40000 << false << QString();
        QTest::newRow("40,000 characters, clicked") << 40000 << true << QString();
        QTest::newRow("a megabyte") << 1024 * 1024 << false << QString();
        QTest::newRow("blanks around an untouched title") << 12 << false << QString();
        QTest::newRow("a typed title") << 12 << false << " Renamed ";
    }
    void longTextsKept()
    {
        QFETCH(int, length);
        QFETCH(bool, clicked);
        QFETCH(QString, typedTitle);
        Task task = storedTask(QStringLiteral("long"), QStringLiteral("home"));
        QString text = QStringLiteral(" LongText");
        while (text.size() < length)
            text += QStringLiteral(" LongText");
        text.truncate(length);
        task.title = text + QLatin1Char(' ');
        task.description = text;
        task.categories = {text, QStringLiteral("b,c")};
        task.rawIcalendar = Ical::buildTask(task);
        QVERIFY(tasks()->insert(task));
        {
            Form form(state(), task);
            auto* notes = form.dialog.findChild<QPlainTextEdit*>(QStringLiteral("notesEdit"));
            const bool inPart = length > Limits::maxFormFieldChars;
            QCOMPARE(form.title->isReadOnly(), inPart);
            QCOMPARE(notes->isReadOnly(), inPart);
            QCOMPARE(form.title->text() == task.title, !inPart);
            if (clicked) {
                QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
                QCoreApplication::sendEvent(form.title, &focusIn);
                QCOMPARE(form.title->text(), task.title);
                QVERIFY(!form.title->isReadOnly());
            }
            if (!typedTitle.isNull())
                form.title->setText(typedTitle);
            form.priority->setCurrentIndex(form.priority->findData(9));
            QVERIFY(form.save().isEmpty());
        }
        const Task saved = *tasks()->getById(task.id);
        QCOMPARE(saved.title, typedTitle.isNull() ? task.title : typedTitle.trimmed());
        QCOMPARE(saved.description, task.description);
        QCOMPARE(saved.categories, task.categories);
        QCOMPARE(saved.priority, 9);
        QCOMPARE(Ical::parseTasks(saved.rawIcalendar).value(0).description, task.description);
    }

    // A task of a read-only calendar only shows; its calendar is offered anyway.
    void readOnly()
    {
        const Task task = storedTask(QStringLiteral("r"), QStringLiteral("shared"));
        QVERIFY(tasks()->insert(task));
        Form form(state(), task);
        QCOMPARE(form.calendar->currentData().toString(), QStringLiteral("shared"));
        QVERIFY(!form.ok()->isEnabled());
        QVERIFY(!form.calendar->isEnabled());
        QVERIFY(!form.completed->isEnabled());
        form.title->setText(QStringLiteral("Changed"));
        form.save();
        QCOMPARE(tasks()->getById(task.id)->title, task.title);
    }
};

QTEST_MAIN(TestTaskFormDialog)
#include "tst_taskformdialog.moc"

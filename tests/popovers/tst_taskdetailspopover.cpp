#include "AppState.h"
#include "AppStateFixture.h"
#include "Application.h"
#include "CalendarRepository.h"
#include "Database.h"
#include "GuiEnvironment.h"
#include "Limits.h"
#include "ModalSeam.h"
#include "PopoverPlacement.h"
#include "StoreSeed.h"
#include "TaskDetailsPopover.h"
#include "TaskRepository.h"
#include "TodayWatch.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>
#include <QTimer>
#include <QTranslator>

namespace {

const QDate today(2026, 3, 11);

Task seededTask(const QString& id, const QString& calendarId = QStringLiteral("work"))
{
    Task task;
    task.id = id;
    task.uid = id + QStringLiteral("-uid");
    task.calendarId = calendarId;
    task.title = QStringLiteral("Report");
    task.status = QStringLiteral("completed");
    task.completedDate = StoreSeed::local(today.addDays(-1), QTime(8, 0)).toUTC();
    task.percentComplete = 100;
    task.created = StoreSeed::local(today.addDays(-2), QTime(8, 0)).toUTC();
    task.lastModified = task.created;
    return task;
}

QPushButton* button(QWidget* card, const QString& text)
{
    for (QPushButton* candidate : card->findChildren<QPushButton*>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

QStringList visibleButtons(QWidget* card)
{
    QStringList texts;
    for (QPushButton* candidate : card->findChildren<QPushButton*>()) {
        if (candidate->isVisibleTo(card))
            texts.append(candidate->text());
    }
    return texts;
}

} // namespace

class TestTaskDetailsPopover : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void init()
    {
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        const Account account = StoreSeed::account(QStringLiteral("acc"), QStringLiteral("Work"),
                                                   QStringLiteral("caldav"));
        QVERIFY(StoreSeed::addCalendar(state(), account,
                                       StoreSeed::calendar(QStringLiteral("work"), account.id,
                                                           QStringLiteral("<b>Team</b>"),
                                                           QStringLiteral("#33b679"))));
        Calendar shared = StoreSeed::calendar(QStringLiteral("shared"), account.id,
                                              QStringLiteral("Shared"), QStringLiteral("#aa00aa"));
        shared.isReadOnly = true;
        QVERIFY(state()->calendars()->insert(shared));
        m_window = std::make_unique<QWidget>();
        m_window->resize(1000, 700);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        TaskDetailsPopover::closeActive();
        m_window.reset();
        m_fixture.reset();
    }

    // Text from a server never turns into markup, only web and mail links are links, and a
    // colour that does not parse never reaches the style attribute.
    void hostileTextStaysPlain()
    {
        Task task = seededTask(QStringLiteral("t1"));
        task.status = QStringLiteral("needs-action");
        task.title = QStringLiteral("<img src=\"http://evil/p.png\"><b>Boss</b>");
        task.description = QStringLiteral("<a href=\"javascript:steal()\">x</a> see "
                                          "https://example.org/a?b=1&c=2");
        task.categories = {QStringLiteral("<i>home</i>"), QStringLiteral("  ")};
        task.color = QStringLiteral("red;background:url(http://evil/x)");
        task.priority = 5;
        QVERIFY(state()->tasks()->insert(task));

        auto* card = openCard(task.id);
        QStringList rich;
        bool titlePlain = false;
        for (QLabel* label : card->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(card))
                continue;
            if (label->textFormat() == Qt::PlainText)
                titlePlain = titlePlain || label->text() == task.title;
            else
                rich.append(label->text());
        }
        QVERIFY(titlePlain);
        const QString all = rich.join(QLatin1Char('\n'));
        QVERIFY(!all.contains(QLatin1String("<img")));
        QVERIFY(!all.contains(QLatin1String("href=\"javascript")));
        QVERIFY(!all.contains(QLatin1String("evil/x")));
        QVERIFY(!all.contains(QLatin1String("<i>")));
        QVERIFY(all.contains(QLatin1String("href=\"https://example.org/a?b=1&amp;c=2\"")));
        QVERIFY(all.contains(QLatin1String("color:#33b679")));
        QVERIFY(all.contains(QLatin1String("Work / &lt;b&gt;Team&lt;/b&gt;")));
        QVERIFY(all.contains(QLatin1String("Medium priority")));
        QCOMPARE(all.count(QLatin1String("border-radius:8px")), 1);
    }

    // The actions through the modal windows they open: the toggle writes the stored row, Delete
    // asks first, Edit and Add Subtask re-read the task and refuse a removed one.
    // A megabyte title and notes from a server: the card lays out their start, ending in "…",
    // and scrolls within its height.
    void longTextsAreCut()
    {
        Task task = seededTask(QStringLiteral("t1"));
        task.title = QString(1024 * 1024, u't');
        task.description = QStringLiteral("see https://example.org/a\n").repeated(40000);
        QVERIFY(state()->tasks()->insert(task));
        TaskDetailsPopover* card = openCard(task.id);
        QVERIFY(card->height() <= 560);
        const QString ellipsis(QChar(0x2026));
        QString title;
        QString notes;
        for (QLabel* label : card->findChildren<QLabel*>()) {
            if (label->text().startsWith(QLatin1String("ttt")))
                title = label->text();
            else if (label->text().contains(QLatin1String("example.org")))
                notes = label->text();
        }
        QVERIFY(title.size() <= Limits::maxRowTextChars + 1 && title.endsWith(ellipsis));
        QVERIFY(notes.size() < 4 * Limits::maxCardTextChars && notes.endsWith(ellipsis));
        QCOMPARE(notes.count(QStringLiteral("href=\"https://example.org/a\"")),
                 notes.count(QStringLiteral("<a ")));
    }

    void actions()
    {
        const Task task = seededTask(QStringLiteral("t1"));
        QVERIFY(state()->tasks()->insert(task));

        QPointer<TaskDetailsPopover> card = openCard(task.id);
        QVERIFY(button(card, QStringLiteral("Mark incomplete")));
        button(card, QStringLiteral("Mark incomplete"))->click();
        QTRY_VERIFY(!card);
        Task stored = *state()->tasks()->getById(task.id);
        QCOMPARE(stored.status, QStringLiteral("needs-action"));
        QVERIFY(!stored.completedDate);

        card = openCard(task.id);
        QSignalSpy edits(card.data(), &TaskDetailsPopover::editRequested);
        button(card, QStringLiteral("Edit…"))->click();
        QTRY_COMPARE(edits.value(0).value(0).toString(), task.id);
        QTRY_VERIFY(!card);

        card = openCard(task.id);
        QSignalSpy subtasks(card.data(), &TaskDetailsPopover::addSubtaskRequested);
        button(card, QStringLiteral("Add Subtask"))->click();
        QTRY_COMPARE(subtasks.value(0).value(0).toString(), task.id);

        card = openCard(task.id);
        QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { button(card, QStringLiteral("Delete"))->click(); },
                           [](QWidget* box) { ModalSeam::clickButton(box, QStringLiteral("No")); });
        QCOMPARE(seen.value(0).title, QStringLiteral("Delete task?"));
        QCOMPARE(seen.value(0).text, QStringLiteral("Delete \"Report\"? This cannot be undone."));
        QVERIFY(!state()->tasks()->getById(task.id)->deletedAt);

        // Moved to another calendar while the question is open: Yes deletes nothing, and says so.
        QVERIFY(state()->tasks()->insert(seededTask(QStringLiteral("t3"))));
        card = openCard(QStringLiteral("t3"));
        seen = ModalSeam::run([&] { button(card, QStringLiteral("Delete"))->click(); },
                              QList<ModalSeam::Answer>{[&](QWidget* box) {
                                  Task moved = *state()->tasks()->getById(QStringLiteral("t3"));
                                  moved.calendarId = QStringLiteral("shared");
                                  QVERIFY(state()->tasks()->update(moved));
                                  ModalSeam::clickButton(box, QStringLiteral("Yes"));
                              }});
        QCOMPARE(seen.value(1).text, QStringLiteral("\"Report\" was moved to another calendar "
                                                    "meanwhile, so nothing was changed."));
        QVERIFY(!state()->tasks()->getById(QStringLiteral("t3"))->deletedAt);

        // A read-only calendar's task: the form, nothing more.
        QVERIFY(
            state()->tasks()->insert(seededTask(QStringLiteral("t2"), QStringLiteral("shared"))));
        card = openCard(QStringLiteral("t2"));
        QCOMPARE(visibleButtons(card), QStringList{QStringLiteral("Edit…")});
        card->close();

        // Removed elsewhere while the card is open: Edit says so and asks for no form.
        card = openCard(task.id);
        QSignalSpy staleEdits(card.data(), &TaskDetailsPopover::editRequested);
        QVERIFY(state()->tasks()->remove(task.id));
        seen = ModalSeam::run(
            [&] {
                button(card, QStringLiteral("Edit…"))->click();
                // The card acts one turn after the click.
                QCoreApplication::processEvents();
            },
            [](QWidget* box) { ModalSeam::accept(box); });
        QCOMPARE(seen.value(0).title, QStringLiteral("Task not found"));
        QCOMPARE(staleEdits.size(), 0);

        // A removed task opens no card of its actions.
        card = openCard(task.id);
        QVERIFY(!card->hasTask());
        QVERIFY(visibleButtons(card).isEmpty());
    }

    // Delete answered Yes on a task removed or deleted elsewhere while the question was open:
    // the user is told it no longer exists; a delete the store refuses is still a failure.
    void deleteOfATaskGoneMeanwhile_data()
    {
        QTest::addColumn<QString>("change");
        for (const char* change : {"removed", "deleted", "refused"})
            QTest::newRow(change) << QString::fromLatin1(change);
    }

    void deleteOfATaskGoneMeanwhile()
    {
        QFETCH(QString, change);
        const QString id = QStringLiteral("t1");
        QVERIFY(state()->tasks()->insert(seededTask(id)));
        QPointer<TaskDetailsPopover> card = openCard(id);
        const auto yesAfterTheChange = [&](QWidget* box) {
            if (change == QLatin1String("removed"))
                QVERIFY(state()->tasks()->hardDelete(id));
            else if (change == QLatin1String("deleted"))
                QVERIFY(state()->tasks()->remove(id));
            else
                QVERIFY(QSqlQuery(state()->database()->database())
                            .exec("CREATE TRIGGER refuse BEFORE UPDATE ON tasks "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
            ModalSeam::clickButton(box, QStringLiteral("Yes"));
        };
        const QList<ModalSeam::Seen> seen =
            ModalSeam::run([&] { button(card, QStringLiteral("Delete"))->click(); },
                           QList<ModalSeam::Answer>{yesAfterTheChange});
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[1].text, change == QLatin1String("refused")
                                   ? QStringLiteral("Could not delete \"Report\".")
                                   : QStringLiteral("This task no longer exists."));
    }

    // Every button's label is whole in each language, for an open and a completed task: where
    // one row cannot hold them the buttons take two, inside the card. English keeps one row.
    void buttonsAreWholeInEveryLanguage_data()
    {
        QTest::addColumn<QString>("language");
        for (const char* language : {"en", "de", "es", "fr", "ja"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }

    void buttonsAreWholeInEveryLanguage()
    {
        QFETCH(QString, language);
        const QList<QTranslator*> translators = Application::loadTranslators(language, this);
        QVERIFY(!translators.isEmpty());
        for (QTranslator* translator : translators)
            QCoreApplication::installTranslator(translator);
        const auto removeTranslators = qScopeGuard([&] {
            for (QTranslator* translator : translators) {
                QCoreApplication::removeTranslator(translator);
                delete translator;
            }
        });
        Task open = seededTask(QStringLiteral("open"));
        open.status = QStringLiteral("needs-action");
        QVERIFY(state()->tasks()->insert(open));
        QVERIFY(state()->tasks()->insert(seededTask(QStringLiteral("done"))));
        for (const QString& id : {QStringLiteral("open"), QStringLiteral("done")}) {
            TaskDetailsPopover* card = openCard(id);
            QVERIFY(QTest::qWaitForWindowExposed(card));
            QList<QRect> placed;
            for (QPushButton* shown : card->findChildren<QPushButton*>()) {
                const QRect geometry(shown->mapTo(card, QPoint(0, 0)), shown->size());
                const QString what = id + QLatin1Char(' ') + shown->text();
                QVERIFY2(shown->width() >= shown->sizeHint().width(), qPrintable(what));
                QVERIFY2(card->rect().contains(geometry), qPrintable(what));
                for (const QRect& other : std::as_const(placed))
                    QVERIFY2(!geometry.intersects(other), qPrintable(what));
                if (language == QLatin1String("en") && !placed.isEmpty())
                    QCOMPARE(geometry.top(), placed.first().top());
                placed.append(geometry);
            }
            QCOMPARE(placed.size(), 4);
            card->close();
        }
    }

    // A card left open over midnight moves its due day on: "Tomorrow" becomes "Today".
    void dueDayMovesOnAtMidnight()
    {
        Task task = seededTask(QStringLiteral("t1"));
        task.status = QStringLiteral("needs-action");
        task.dueDate = QDateTime(today.addDays(1), QTime(0, 0), QTimeZone::utc());
        task.dueIsDateOnly = true;
        QVERIFY(state()->tasks()->insert(task));
        auto* card = openCard(task.id);
        const auto dueText = [card] {
            QStringList texts;
            for (QLabel* label : card->findChildren<QLabel*>())
                if (label->isVisibleTo(card))
                    texts.append(label->text());
            return texts.join(QLatin1Char('|'));
        };
        QVERIFY2(dueText().contains(QStringLiteral("Tomorrow")), qPrintable(dueText()));
        Clock::pin(StoreSeed::local(today.addDays(1), QTime(0, 0, 30)));
        auto* watch = card->findChild<TodayWatch*>();
        QVERIFY(watch);
        watch->check();
        QVERIFY2(dueText().contains(QStringLiteral("Today")), qPrintable(dueText()));
        QVERIFY2(!dueText().contains(QStringLiteral("Tomorrow")), qPrintable(dueText()));
    }

    // The same without a hand on the watch: its own timer rolls the day over.
    void dueDayMovesOnByItself()
    {
        Task task = seededTask(QStringLiteral("t1"));
        task.status = QStringLiteral("needs-action");
        task.dueDate = QDateTime(today.addDays(1), QTime(0, 0), QTimeZone::utc());
        task.dueIsDateOnly = true;
        QVERIFY(state()->tasks()->insert(task));
        auto* watch = openCard(task.id)->findChild<TodayWatch*>();
        auto* timer = watch ? watch->findChild<QTimer*>() : nullptr;
        QVERIFY(timer && timer->isActive());
        QSignalSpy rolled(watch, &TodayWatch::dayChanged);
        Clock::pin(StoreSeed::local(today.addDays(1), QTime(0, 0, 30)));
        timer->setInterval(10); // sooner than once a minute
        QVERIFY(rolled.wait());
        QCOMPARE(rolled.value(0).value(0).toDate(), today.addDays(1));
    }

private:
    AppState* state() const { return m_fixture->state(); }
    TaskDetailsPopover* openCard(const QString& id)
    {
        auto* card = new TaskDetailsPopover(state(), id, m_window.get());
        showPopoverCentered(card);
        return card;
    }

    std::unique_ptr<AppStateFixture> m_fixture;
    std::unique_ptr<QWidget> m_window;
};

QTEST_MAIN(TestTaskDetailsPopover)
#include "tst_taskdetailspopover.moc"

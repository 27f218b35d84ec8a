#include "AccountFormDialog.h"
#include "AccountRepository.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalDavCertificateDialog.h"
#include "CalDavConnectionDialog.h"
#include "CalendarFormDialog.h"
#include "EventFormDialog.h"
#include "FilterFormDialog.h"
#include "FormScrollArea.h"
#include "GuiEnvironment.h"
#include "InvitationsDialog.h"
#include "KeyboardHelpDialog.h"
#include "ManageFiltersDialog.h"
#include "ManageSourcesDialog.h"
#include "ManageTemplatesDialog.h"
#include "ManageViewsDialog.h"
#include "OAuthProgressDialog.h"
#include "PdfExportDialog.h"
#include "QuickAddDialog.h"
#include "RecurrenceEditDialog.h"
#include "RecurringEditScopeDialog.h"
#include "SearchDialog.h"
#include "SettingsDialog.h"
#include "ShareMembersDialog.h"
#include "SharingBackend.h"
#include "StoreSeed.h"
#include "TaskFormDialog.h"
#include "TemplateEditorDialog.h"
#include "ViewFormDialog.h"
#include "WeatherSettingsDialog.h"
#include "WelcomeDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

// The screen the tests run on (tests/dialogs/laptop-screen.json): a laptop's 1280 x 720.
const QSize laptop(1280, 720);

const QDate today = AppStateFixture::defaultNow().date();

// What a window manager's title bar takes at most, beyond the test platform's frame.
constexpr int titleBar = 40;

// A meeting as full as ordinary ones get: a series with five reminders and a dozen attendees.
// Texts do not change the forms' height.
Event fullMeeting()
{
    Event event = StoreSeed::timedEvent(
        "review", "work0", "Quarterly review with the regional team",
        StoreSeed::local(today, QTime(14, 0)), StoreSeed::local(today, QTime(15, 30)));
    event.recurrenceRule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO,WE");
    for (int minutes : {5, 15, 60, 1440, 10080})
        event.reminders.emplace_back().minutesBefore = minutes;
    for (int i = 0; i < 12; ++i)
        event.attendees.emplace_back().email = QStringLiteral("person%1@example.org").arg(i);
    return event;
}

// Nobody has access yet: the share dialog's lists answered at once.
class NoShares : public OrvaAccount::SharingBackend
{
public:
    void listMembers(const QString&, MembersCallback callback) override
    {
        callback(true, {}, QString());
    }
    void shareWith(const QString&, const QString&, const QString&,
                   std::function<void(bool, const QString&)>) override
    {
    }
    void removeShare(const QString&, const QString&, std::function<void(bool)>) override {}
};

// Clicks the dialog's button with that text `times` times.
template <typename Button = QPushButton> void click(QDialog* dialog, const QString& text, int times)
{
    for (Button* button : dialog->findChildren<Button*>()) {
        for (int i = 0; button->text() == text && i < times; ++i)
            button->click();
    }
}

struct Opening
{
    const char* name;
    std::function<QDialog*(AppState*)> open;
    // What a person does once it is shown.
    std::function<void(QDialog*)> then = {};
};

// Each dialog in its heaviest ordinary state.
const QList<Opening>& openings()
{
    static const QList<Opening> all = {
        {"event form, attendees and reminders",
         [](AppState* s) { return new EventFormDialog(s, fullMeeting()); }},
        {"event form, attendees and reminders added",
         [](AppState* s) { return new EventFormDialog(s); },
         [](QDialog* dialog) {
             click(dialog, QStringLiteral("+ Add attendee"), 12);
             click(dialog, QStringLiteral("+ Add reminder"), 5);
         }},
        {"task form, every field",
         [](AppState* s) {
             Task task;
             task.id = task.uid = QStringLiteral("report");
             task.calendarId = QStringLiteral("work0");
             task.dueDate = StoreSeed::local(today.addDays(2), QTime(17, 0));
             task.recurrenceRule = QStringLiteral("FREQ=MONTHLY;BYMONTHDAY=1");
             return new TaskFormDialog(s, task);
         }},
        {"template editor, reminders",
         [](AppState* s) {
             EventTemplate standup;
             standup.name = QStringLiteral("Team standup");
             standup.reminders = {5, 15, 60, 1440, 10080};
             return new TemplateEditorDialog(s, standup);
         }},
        {"filter form, time", [](AppState* s) { return new FilterFormDialog(s); },
         [](QDialog* dialog) { click<QToolButton>(dialog, QStringLiteral("Time-Based"), 1); }},
        {"calendar form, on a server",
         [](AppState* s) {
             return new CalendarFormDialog(s, *s->accounts()->getById(QStringLiteral("a0")));
         }},
        {"repeat rule, monthly",
         [](AppState*) {
             return new RecurrenceEditDialog(
                 QStringLiteral("FREQ=MONTHLY;INTERVAL=2;BYDAY=-1FR;UNTIL=20261231"), today, 1);
         }},
        {"quick add", [](AppState* s) { return new QuickAddDialog(s); }},
        {"series question",
         [](AppState*) {
             return new RecurringEditScopeDialog(fullMeeting().title, nullptr,
                                                 RecurringEditScopeDialog::Mode::Delete);
         }},
        {"accounts", [](AppState* s) { return new ManageSourcesDialog(s, nullptr); }},
        {"CalDAV connection", [](AppState* s) { return new CalDavConnectionDialog(s); }},
        {"certificate",
         [](AppState*) {
             CalDavClient::UntrustedCertInfo info;
             info.host = QStringLiteral("dav.example.org");
             info.subject = info.issuer = QStringLiteral("CN=dav.example.org");
             info.notBefore = info.notAfter = AppStateFixture::defaultNow();
             info.sha256 = QString(64, u'A');
             return new CalDavCertificateDialog(info);
         }},
        {"account form, new", [](AppState* s) { return new AccountFormDialog(s); }},
        {"sign-in progress", [](AppState*) { return new OAuthProgressDialog("Google"); }},
        {"calendar groups", [](AppState* s) { return new ManageViewsDialog(s); }},
        {"calendar group form", [](AppState* s) { return new ViewFormDialog(s); }},
        {"filters", [](AppState* s) { return new ManageFiltersDialog(s); }},
        {"templates", [](AppState* s) { return new ManageTemplatesDialog(s); }},
        {"weather", [](AppState* s) { return new WeatherSettingsDialog(s); }},
        {"invitations", [](AppState* s) { return new InvitationsDialog(s); }},
        {"PDF export", [](AppState* s) { return new PdfExportDialog(s); }},
        {"keyboard help", [](AppState*) { return new KeyboardHelpDialog; }},
        {"settings, sync", [](AppState* s) { return new SettingsDialog(s, s->themeManager()); },
         [](QDialog* dialog) { dialog->findChild<QTabWidget*>()->setCurrentIndex(3); }},
        {"search, results",
         [](AppState* s) {
             auto* dialog = new SearchDialog(s);
             dialog->findChild<QLineEdit*>()->setText(QStringLiteral("review"));
             return dialog;
         }},
        {"welcome", [](AppState* s) { return new WelcomeDialog(s); }},
        {"calendar sharing",
         [](AppState* s) {
             static NoShares backend;
             return new OrvaAccount::ShareMembersDialog(s->accountClient(), &backend,
                                                        QStringLiteral("work0"), {});
         }},
    };
    return all;
}

// The buttons that close the dialog: those of its button boxes, else its push buttons.
QList<QAbstractButton*> closingButtons(QDialog* dialog)
{
    QList<QAbstractButton*> buttons;
    for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>()) {
        if (box->isVisible())
            buttons += box->buttons();
    }
    if (buttons.isEmpty()) {
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            buttons.append(button);
    }
    return buttons;
}

} // namespace

class DialogFitTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppStateFixture> m_fixture;

private Q_SLOTS:
    void initTestCase()
    {
        GuiEnvironment::prepare();
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().size(), laptop);
        m_fixture = std::make_unique<AppStateFixture>();
        QVERIFY(m_fixture->start());
        AppState* state = m_fixture->state();
        // Two accounts of six calendars each, a Google account, three invitations.
        for (int a = 0; a < 2; ++a) {
            Account account = StoreSeed::account(QStringLiteral("a%1").arg(a),
                                                 QStringLiteral("Account %1").arg(a), "caldav");
            account.username = QStringLiteral("me@example.org");
            for (int c = 0; c < 6; ++c)
                QVERIFY(StoreSeed::addCalendar(
                    state, account,
                    StoreSeed::calendar(QStringLiteral("work%1").arg(a * 6 + c), account.id,
                                        QStringLiteral("Calendar %1").arg(a * 6 + c), "#33b679")));
        }
        QVERIFY(state->accounts()->insert(StoreSeed::account("g", "me@gmail.example", "google")));
        QVERIFY(StoreSeed::addEvent(state, fullMeeting()));
        for (int i = 0; i < 3; ++i) {
            Event invitation = StoreSeed::timedEvent(
                QStringLiteral("inv%1").arg(i), "work1", QStringLiteral("Planning %1").arg(i),
                StoreSeed::local(today.addDays(i + 1), QTime(9, 0)),
                StoreSeed::local(today.addDays(i + 1), QTime(10, 0)));
            invitation.organizerName = QStringLiteral("Boss");
            invitation.attendees.emplace_back().email = QStringLiteral("me@example.org");
            QVERIFY(StoreSeed::addEvent(state, invitation));
        }
    }
    void cleanupTestCase() { m_fixture.reset(); }

    // On a laptop's screen each dialog lies inside the screen's available area, frame and all,
    // with every button that closes it in sight and not cut by what it sits in. A form scrolls
    // only when it must, then as tall as the screen lets it be, and never sideways, with its
    // buttons below it.
    void fitsALaptopScreen_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < openings().size(); ++i)
            QTest::newRow(openings().at(i).name) << i;
    }
    void fitsALaptopScreen()
    {
        QFETCH(int, index);
        std::unique_ptr<QDialog> dialog(openings().at(index).open(m_fixture->state()));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        if (openings().at(index).then)
            openings().at(index).then(dialog.get());
        QCoreApplication::processEvents();
        const QRect screen = dialog->screen()->availableGeometry();
        const QRect frame = dialog->frameGeometry();
        QCOMPARE(screen.united(frame), screen);

        for (QAbstractButton* button : closingButtons(dialog.get())) {
            const QRect shown(button->mapToGlobal(QPoint(0, 0)), button->size());
            QVERIFY2(screen.contains(shown), qPrintable(button->text()));
            QCOMPARE(button->visibleRegion(), QRegion(button->rect()));
        }

        // A dialog that cannot scroll fits beside a window manager's title bar too, which the
        // test platform's thin frame leaves out.
        const QList<FormScrollArea*> areas = dialog->findChildren<FormScrollArea*>();
        if (areas.isEmpty())
            QCOMPARE_LE(frame.height(), screen.height() - titleBar);
        for (FormScrollArea* area : areas) {
            QCOMPARE_LE(area->widget()->width(), area->viewport()->width());
            if (area->verticalScrollBar()->isVisible())
                QCOMPARE_GE(frame.height(), screen.height() - 8);
            // The buttons close the form below its fields, not above them.
            const int bodyBottom = area->mapTo(dialog.get(), QPoint(0, area->height())).y();
            for (QAbstractButton* button : closingButtons(dialog.get()))
                QCOMPARE_GE(button->mapTo(dialog.get(), QPoint(0, 0)).y(), bodyBottom);
        }
    }

    // A field that takes the focus from below the form, by Shift+Tab from the buttons or after
    // a failed check, is scrolled into view.
    void focusedFieldIsScrolledIntoView()
    {
        EventFormDialog dialog(m_fixture->state(), fullMeeting());
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* area = dialog.findChild<FormScrollArea*>();
        QVERIFY(area->verticalScrollBar()->isVisible());
        auto* title = area->widget()->findChild<QLineEdit*>();
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        QVERIFY(title->visibleRegion().isEmpty());
        dialog.findChild<QDialogButtonBox*>()->buttons().first()->setFocus();
        title->setFocus();
        QCOMPARE(title->visibleRegion(), QRegion(title->rect()));

        // "+ Add attendee" at the foot of a form that scrolls: the new row's name field takes
        // the focus and comes whole into view once the form has made room for the row.
        EventFormDialog form(m_fixture->state());
        click(&form, QStringLiteral("+ Add reminder"), 5);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QScrollBar* bar = form.findChild<FormScrollArea*>()->verticalScrollBar();
        QVERIFY(bar->isVisible());
        bar->setValue(bar->maximum());
        const int before = bar->maximum();
        click(&form, QStringLiteral("+ Add attendee"), 1);
        auto* name = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(name && name->placeholderText() == QStringLiteral("Name"));
        QTRY_VERIFY(bar->maximum() > before);
        QCOMPARE(name->visibleRegion(), QRegion(name->rect()));
    }
};

QTEST_MAIN(DialogFitTest)
#include "tst_dialogfit.moc"

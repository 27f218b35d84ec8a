#include "AccountRepository.h"
#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarFormDialog.h"
#include "CalendarLocation.h"
#include "CalendarRepository.h"
#include "CredentialManagerTokenStore.h"
#include "DavFaultProxy.h"
#include "DavPropstat.h"
#include "DavServer.h"
#include "DavXml.h"
#include "ModalSeam.h"
#include "Platform.h"
#include "StoreSeed.h"

#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct Form
{
    explicit Form(CalendarFormDialog& dialog) : dialog(dialog) {}

    QLineEdit* name() const { return dialog.findChild<QLineEdit*>(); }
    QPushButton* ok() const
    {
        return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }
    QString status() const
    {
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->textFormat() == Qt::PlainText)
                return label->isVisibleTo(&dialog) ? label->text() : QString();
        }
        return QStringLiteral("no status label");
    }
    QList<ModalSeam::Seen> save() const
    {
        return ModalSeam::run(
            [this] { ok()->click(); },
            [](QWidget* window) { ModalSeam::clickButton(window, QStringLiteral("OK")); });
    }

    CalendarFormDialog& dialog;
};

void storePassword(const QString& accountId, const QString& password)
{
    QVERIFY(OrvaAccount::makeCredentialManagerTokenStore(Platform::applicationId())
                ->write(QStringLiteral("caldav-password-") + accountId, password));
}

// What the server says of one collection.
CalDavParse::DiscoveredCalendar onServer(const DavServer& server, const QUrl& url)
{
    const DavHttp::Reply reply =
        server.request("PROPFIND", url, DavXml::calendarListPropfind(), {{"Depth", "0"}});
    return DavXml::parseCalendars(reply.body, url).value(0);
}

Account davAccount(const DavServer& server, const QString& homeSet)
{
    Account account = StoreSeed::account("dav", "CalDAV", "caldav");
    account.serverUrl = server.baseUrl().toString();
    account.username = server.username();
    account.calendarHomeSet = homeSet;
    return account;
}

QByteArray multistatus(const QByteArray& nameStatus, const QByteArray& colorStatus)
{
    return "<?xml version=\"1.0\"?>\n<d:multistatus xmlns:d=\"DAV:\" "
           "xmlns:a=\"http://apple.com/ns/ical/\"><d:response><d:href>/alice/work/</d:href>"
           "<d:propstat><d:prop><d:displayname/></d:prop><d:status>HTTP/1.1 " +
           nameStatus +
           "</d:status></d:propstat><d:propstat><d:prop><a:calendar-color/></d:prop>"
           "<d:status>HTTP/1.1 " +
           colorStatus + "</d:status></d:propstat></d:response></d:multistatus>";
}

} // namespace

Q_DECLARE_METATYPE(DavServer::Kind)

class TestCalendarFormDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Where a new collection goes and what a PROPPATCH reply says of each property.
    void newCollectionPlace_data()
    {
        QTest::addColumn<QString>("homeSet");
        QTest::addColumn<QString>("firstCalendar");
        QTest::addColumn<QString>("base");
        QTest::newRow("home set") << "https://h/dav/alice/"
                                  << "https://h/x/work/"
                                  << "https://h/dav/alice/";
        QTest::newRow("parent of a calendar") << ""
                                              << "https://h/dav/alice/work%20stuff/"
                                              << "https://h/dav/alice/";
        QTest::newRow("server url") << ""
                                    << ""
                                    << "https://h/";
    }
    void newCollectionPlace()
    {
        QFETCH(QString, homeSet);
        QFETCH(QString, firstCalendar);
        QFETCH(QString, base);
        Account account;
        account.serverUrl = QStringLiteral("https://h/");
        account.calendarHomeSet = homeSet;
        QList<Calendar> calendars;
        if (!firstCalendar.isEmpty()) {
            Calendar calendar;
            calendar.url = firstCalendar;
            calendars.append(calendar);
        }
        QCOMPARE(CalendarLocation::baseForNewCalendar(account, calendars), base);
        QCOMPARE(CalendarLocation::childCollection(base, QStringLiteral("n1")).toString(),
                 base + QStringLiteral("n1/"));
    }

    void propstatOutcome_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("refusal");
        QTest::newRow("all 200") << multistatus("200 OK", "200 OK") << 0;
        QTest::newRow("colour refused") << multistatus("200 OK", "403 Forbidden") << 403;
        QTest::newRow("failed dependency first")
            << multistatus("424 Failed", "403 Forbidden") << 424;
        QTest::newRow("no status at all") << QByteArray("<d:multistatus xmlns:d=\"DAV:\"/>") << 207;
        QTest::newRow("cut off after a success")
            << multistatus("200 OK", "200 OK").left(250) << 207;
        QTest::newRow("not xml") << QByteArray("\x01\xff<<") << 207;
    }
    void propstatOutcome()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, refusal);
        QCOMPARE(DavPropstat::firstRefusal(body).value_or(0), refusal);
    }

    // A calendar on this device: the name is required and stored trimmed, at its local URL.
    void addOnThisDevice()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        CalendarFormDialog dialog(fixture.state());
        const Form form(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Calendar"));
        form.name()->setText(QStringLiteral("   "));
        QCOMPARE(form.save().value(0).title, QStringLiteral("Name required"));
        form.name()->setText(QStringLiteral("  Family  "));
        QCOMPARE(form.save().size(), 0);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        Calendar added;
        for (const Calendar& calendar : fixture.state()->calendars()->getAll()) {
            if (calendar.name == QLatin1String("Family"))
                added = calendar;
        }
        QCOMPARE(added.url, QStringLiteral("local://calendar/") + added.id);
        QCOMPARE(added.accountId, QStringLiteral("personal-local-account"));
        QVERIFY(!added.isDefault);
        QVERIFY(!added.syncEnabled);
    }

    // A new calendar on the account's server: asked for the password first, then made with
    // MKCALENDAR for events and tasks and stored, synced, at its URL; the account learns its home
    // set from the calendar it already had.
    void addToAccount_data()
    {
        QTest::addColumn<DavServer::Kind>("kind");
        QTest::newRow("Radicale") << DavServer::Kind::Radicale;
        QTest::newRow("Xandikos") << DavServer::Kind::Xandikos;
    }
    void addToAccount()
    {
        QFETCH(DavServer::Kind, kind);
        if (!DavServer::available(kind))
            QSKIP("the server is not installed");
        DavServer server(kind);
        QVERIFY(server.start());
        const QUrl work = server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work"));
        QVERIFY(work.isValid());
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        Calendar existing = StoreSeed::calendar("work", "dav", "Work", "#4285F4");
        existing.url = work.toString();
        QVERIFY(StoreSeed::addCalendar(fixture.state(), davAccount(server, QString()), existing));
        const Account account = *fixture.state()->accounts()->getById("dav");

        CalendarFormDialog dialog(fixture.state(), account);
        const Form form(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Calendar to CalDAV"));
        form.name()->setText(QStringLiteral("Garden <club>"));
        QCOMPARE(form.save().value(0).title, QStringLiteral("Missing password"));

        storePassword(QStringLiteral("dav"), server.password());
        QCOMPARE(form.save().size(), 0);
        QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));

        Calendar added;
        for (const Calendar& calendar :
             fixture.state()->calendars()->getByAccount(QStringLiteral("dav"))) {
            if (calendar.id != QLatin1String("work"))
                added = calendar;
        }
        QVERIFY(added.url.startsWith(server.homeSetUrl().toString()));
        QCOMPARE(added.name, QStringLiteral("Garden <club>"));
        QCOMPARE(added.supportedComponents, QStringLiteral(R"(["VEVENT","VTODO"])"));
        QVERIFY(added.syncEnabled);
        const CalDavParse::DiscoveredCalendar made = onServer(server, QUrl(added.url));
        QCOMPARE(made.displayName, QStringLiteral("Garden <club>"));
        // Xandikos lists every component it supports rather than the ones asked for.
        QVERIFY(made.supportedComponents.contains(QStringLiteral("VEVENT")));
        QVERIFY(made.supportedComponents.contains(QStringLiteral("VTODO")));
        QCOMPARE(fixture.state()->accounts()->getById("dav")->calendarHomeSet,
                 server.homeSetUrl().toString());
    }

    // Renaming a Radicale calendar reaches the server before the local row; an unchanged form
    // sends nothing; a 207 that refuses one property keeps the dialog open and the row as it was.
    void editOnRadicale()
    {
        if (!DavServer::available(DavServer::Kind::Radicale))
            QSKIP("radicale is not installed");
        DavServer server(DavServer::Kind::Radicale);
        QVERIFY(server.start());
        const QUrl work = server.makeCalendar(QStringLiteral("work"), QStringLiteral("Work"));
        DavFaultProxy proxy(server.baseUrl());
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        Calendar calendar = StoreSeed::calendar("work", "dav", "Work", "#4285f4");
        calendar.url = proxy.url(work).toString();
        QVERIFY(StoreSeed::addCalendar(fixture.state(), davAccount(server, QString()), calendar));
        storePassword(QStringLiteral("dav"), server.password());

        {
            CalendarFormDialog unchanged(fixture.state(), calendar);
            QCOMPARE(Form(unchanged).save().size(), 0);
            QCOMPARE(unchanged.result(), int(QDialog::Accepted));
            QCOMPARE(proxy.count("PROPPATCH"), 0);
        }
        {
            CalendarFormDialog rename(fixture.state(), calendar);
            const Form form(rename);
            QCOMPARE(form.ok()->text(), QStringLiteral("Save"));
            form.name()->setText(QStringLiteral(" Work & more "));
            QCOMPARE(form.save().size(), 0);
            QTRY_COMPARE(rename.result(), int(QDialog::Accepted));
            QCOMPARE(onServer(server, work).displayName, QStringLiteral("Work & more"));
            QCOMPARE(fixture.state()->calendars()->getById("work")->name,
                     QStringLiteral("Work & more"));
        }
        calendar = *fixture.state()->calendars()->getById("work");
        proxy.failWith("PROPPATCH", "/work/", 207, multistatus("200 OK", "403 Forbidden"));
        CalendarFormDialog refused(fixture.state(), calendar);
        const Form form(refused);
        form.name()->setText(QStringLiteral("Renamed again"));
        QCOMPARE(form.save().size(), 0);
        QTRY_VERIFY(form.ok()->isEnabled());
        QCOMPARE(form.status(), QStringLiteral("Server refused (HTTP 403). You may not have "
                                               "permission to rename or recolour this calendar."));
        QCOMPARE(refused.result(), int(QDialog::Rejected));
        QCOMPARE(fixture.state()->calendars()->getById("work")->name,
                 QStringLiteral("Work & more"));
        QCOMPARE(proxy.count("PROPPATCH"), 2);
    }

    // A calendar of another provider changes only locally.
    void editOtherProviderLocally()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        Calendar calendar = StoreSeed::calendar("g", "google", "Google", "#33b679");
        calendar.url = QStringLiteral("http://127.0.0.1:9/never/");
        QVERIFY(StoreSeed::addCalendar(fixture.state(),
                                       StoreSeed::account("google", "Google", "google"), calendar));
        CalendarFormDialog dialog(fixture.state(), calendar);
        Form(dialog).name()->setText(QStringLiteral("Renamed"));
        QCOMPARE(Form(dialog).save().size(), 0);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(fixture.state()->calendars()->getById("g")->name, QStringLiteral("Renamed"));
    }

    // Save writes over the row as stored then: what a sync changed while the form was open (its
    // sync state, the colour the user left alone) stays, a name from a server is kept whole
    // however long, and a calendar removed meanwhile is reported, not written again.
    void editKeepsWhatChangedElsewhere()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        Calendar calendar = StoreSeed::calendar("g", "google", QString(40000, u'n'), "#33b679");
        QVERIFY(StoreSeed::addCalendar(fixture.state(),
                                       StoreSeed::account("google", "Google", "google"), calendar));
        calendar = *fixture.state()->calendars()->getById("g");
        {
            CalendarFormDialog untouched(fixture.state(), calendar);
            QCOMPARE(Form(untouched).save().size(), 0);
            QCOMPARE(fixture.state()->calendars()->getById("g")->name, calendar.name);
        }
        CalendarFormDialog dialog(fixture.state(), calendar);
        Calendar synced = calendar;
        synced.color = QStringLiteral("#ff0000");
        synced.syncToken = QStringLiteral("token-2");
        synced.isReadOnly = true;
        QVERIFY(fixture.state()->calendars()->update(synced));
        // A click puts the whole name in, to be edited.
        QFocusEvent click(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(Form(dialog).name(), &click);
        Form(dialog).name()->setText(QStringLiteral("Renamed"));
        QCOMPARE(Form(dialog).save().size(), 0);
        const Calendar saved = *fixture.state()->calendars()->getById("g");
        QCOMPARE((QStringList{saved.name, saved.color, saved.syncToken}),
                 (QStringList{"Renamed", "#ff0000", "token-2"}));
        QVERIFY(saved.isReadOnly);

        CalendarFormDialog removed(fixture.state(), saved);
        QVERIFY(fixture.state()->calendars()->remove("g"));
        Form(removed).name()->setText(QStringLiteral("Ghost"));
        QCOMPARE(Form(removed).save().value(0).title, QStringLiteral("Calendar removed"));
        QCOMPARE(removed.result(), int(QDialog::Rejected));
        QVERIFY(!fixture.state()->calendars()->getById("g"));
    }
};

QTEST_MAIN(TestCalendarFormDialog)
#include "tst_calendarformdialog.moc"

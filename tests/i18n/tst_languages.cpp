#include <algorithm>

#include "AgendaEventRow.h"
#include "AppStateFixture.h"
#include "Application.h"
#include "DateLanguage.h"
#include "GuiEnvironment.h"
#include "MainWindow.h"
#include "PreferencesRepository.h"
#include "SyncClientFactory.h"
#include "ViewRepository.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimeZone>
#include <QTranslator>

namespace {

// No client ever starts: only the texts are looked at.
class NoClients : public SyncClientFactory
{
public:
    SyncClientHandle* create(Kind, QObject*) override { return nullptr; }
    QString calDavPassword(const QString&) override { return {}; }
    void rediscover(const Account&, const CalDavLogin&, QObject*, DiscoveryDone done) override
    {
        done(false, 0, QStringLiteral("offline"));
    }
};

QStringList menuTitles(QMainWindow& window)
{
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles.append(action->text());
    return titles;
}

bool hasButton(QWidget& window, const QString& text)
{
    const auto buttons = window.findChildren<QAbstractButton*>();
    return std::any_of(buttons.cbegin(), buttons.cend(),
                       [&](const QAbstractButton* button) { return button->text() == text; });
}

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void startsInLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("fileMenu");
        QTest::addColumn<QString>("helpMenu");
        QTest::addColumn<QString>("todayButton");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<QString>("allCalendars");
        QTest::addColumn<QString>("monthTitle");
        QTest::newRow("en") << "en"
                            << "&File"
                            << "&Help"
                            << "Today"
                            << "Cancel"
                            << "All Calendars"
                            << "March 2026";
        QTest::newRow("de") << "de"
                            << "&Datei"
                            << "&Hilfe"
                            << "Heute"
                            << "Abbrechen"
                            << "Alle Kalender"
                            << "März 2026";
        QTest::newRow("es") << "es"
                            << "&Archivo"
                            << "Ay&uda"
                            << "Hoy"
                            << "Cancelar"
                            << "Todos los calendarios"
                            << "marzo 2026";
        QTest::newRow("fr") << "fr"
                            << "&Fichier"
                            << "Aid&e"
                            << "Aujourd’hui"
                            << "Annuler"
                            << "Tous les calendriers"
                            << "mars 2026";
        QTest::newRow("ja") << "ja"
                            << "ファイル(&F)"
                            << "ヘルプ(&H)"
                            << "今日"
                            << "キャンセル"
                            << "すべてのカレンダー"
                            << "3月 2026";
    }

    // The language stored in the platform settings decides the catalogues loaded at start: the
    // program's own texts and Qt's standard buttons both come out in it.
    void startsInLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, fileMenu);
        QFETCH(QString, helpMenu);
        QFETCH(QString, todayButton);
        QFETCH(QString, cancel);
        QFETCH(QString, allCalendars);
        QFETCH(QString, monthTitle);

        QSettings(QCoreApplication::organizationName(), QCoreApplication::applicationName())
            .setValue(QStringLiteral("ui/language"), language);
        const QList<QTranslator*> translators =
            Application::loadTranslators(Application::resolveLanguage(), this);
        QCOMPARE(translators.size(), language == QLatin1String("en") ? 1 : 2);
        for (QTranslator* translator : translators)
            QCoreApplication::installTranslator(translator);
        // As the start-up does: day and month names follow the same choice.
        DateLanguage::setLanguage(Application::resolveLanguage());

        AppStateFixture fixture;
        QVERIFY(fixture.start());
        fixture.state()->preferences()->setBool(QStringLiteral("ui/firstLaunchSeen"), true);
        {
            MainWindow window(fixture.state(), std::make_unique<NoClients>());
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            const QStringList titles = menuTitles(window);
            QVERIFY2(titles.contains(fileMenu), qPrintable(titles.join(QLatin1String(", "))));
            QVERIFY2(titles.contains(helpMenu), qPrintable(titles.join(QLatin1String(", "))));
            QVERIFY(hasButton(window, todayButton));
            // The View every store starts with keeps its English name in the row but shows in
            // the language; a renamed one shows as named.
            QVERIFY(hasButton(window, allCalendars));
            const QList<CalendarView> views = fixture.state()->views()->getAll();
            QCOMPARE(views.value(0).name, QStringLiteral("All Calendars"));
            CalendarView renamed = views.value(0);
            renamed.name = QStringLiteral("All Calendars at work");
            QCOMPARE(renamed.displayName(), renamed.name);
            QCOMPARE(window.windowTitle(), QStringLiteral("Orvandellic Calendar"));
            // A date: the month view's title names the month in the language.
            fixture.state()->setCurrentDate(QDate(2026, 3, 11));
            fixture.state()->setViewMode(QStringLiteral("month"));
            const auto labels = window.findChildren<QLabel*>();
            QVERIFY(std::any_of(labels.cbegin(), labels.cend(),
                                [&](const QLabel* label) { return label->text() == monthTitle; }));

            QDialogButtonBox buttons(QDialogButtonBox::Cancel);
            QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), cancel);

            // The agenda's time column holds each word of the translated "All-day" whole.
            Event holiday;
            holiday.id = holiday.uid = QStringLiteral("holiday");
            holiday.title = QStringLiteral("Holiday");
            holiday.isAllDay = true;
            holiday.startTime = QDateTime(QDate(2026, 3, 11), QTime(0, 0), QTimeZone::utc());
            holiday.endTime = holiday.startTime.addDays(1);
            AgendaEventRow row(fixture.state(), holiday);
            const QString allDay = QCoreApplication::translate("AgendaEventRow", "All-day");
            QLabel* label = nullptr;
            for (QLabel* candidate : row.findChildren<QLabel*>()) {
                if (candidate->text() == allDay)
                    label = candidate;
            }
            QVERIFY(label);
            for (const QString& word : allDay.split(QLatin1Char(' ')))
                QVERIFY2(label->parentWidget()->width() >=
                             label->fontMetrics().horizontalAdvance(word),
                         qPrintable(allDay));
        }
        for (QTranslator* translator : translators) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        DateLanguage::setLanguage(QString());
    }
};

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"

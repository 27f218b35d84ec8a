#include "AppState.h"
#include "AppStateFixture.h"
#include "GuiEnvironment.h"
#include "PreferencesRepository.h"
#include "SettingsDialog.h"
#include "StoreSeed.h"
#include "Theme.h"
#include "ThemeManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

namespace {

QComboBox* comboWith(QDialog& dialog, const QString& itemText)
{
    for (QComboBox* combo : dialog.findChildren<QComboBox*>()) {
        if (combo->findText(itemText) >= 0)
            return combo;
    }
    return nullptr;
}

QCheckBox* checkBox(QDialog& dialog, const QString& text)
{
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        if (box->text() == text)
            return box;
    }
    return nullptr;
}

QString storedLanguage()
{
    const QSettings settings(QCoreApplication::organizationName(),
                             QCoreApplication::applicationName());
    return settings.value(QStringLiteral("ui/language"), QStringLiteral("system")).toString();
}

} // namespace

class SettingsDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { GuiEnvironment::prepare(); }

    void init()
    {
        QSettings(QCoreApplication::organizationName(), QCoreApplication::applicationName())
            .remove(QStringLiteral("ui/language"));
    }

    // Every field the user changes reaches its key on OK, in the stored form the readers
    // expect; Cancel writes nothing.
    void okSavesEveryFieldAndCancelNothing_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }
    void okSavesEveryFieldAndCancelNothing()
    {
        QFETCH(bool, accept);
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("a", "Work", "caldav"),
                                       StoreSeed::calendar("work", "a", "Work", "#33b679")));
        PreferencesRepository* preferences = state->preferences();

        SettingsDialog dialog(state, state->themeManager());
        comboWith(dialog, QStringLiteral("24-hour (13:30)"))->setCurrentIndex(1);
        QComboBox* weekStart = comboWith(dialog, QStringLiteral("Monday"));
        weekStart->setCurrentIndex(weekStart->findText(QStringLiteral("Monday")));
        const auto spins = dialog.findChildren<QSpinBox*>();
        spins.at(0)->setValue(7);
        spins.at(1)->setValue(16);
        checkBox(dialog, QStringLiteral("Show week numbers"))->setChecked(true);
        QComboBox* defaultCalendar = comboWith(dialog, QStringLiteral("None"));
        defaultCalendar->setCurrentIndex(defaultCalendar->findText(QStringLiteral("Work")));
        checkBox(dialog, QStringLiteral("Show the weather forecast"))->setChecked(true);
        checkBox(dialog, QStringLiteral("Start minimised to the tray"))->setChecked(true);
        checkBox(dialog, QStringLiteral("Close to tray (keep running in the background)"))
            ->setChecked(false);
        checkBox(dialog, QStringLiteral("Filter rules"))->setChecked(false);
        checkBox(dialog, QStringLiteral("Calendar groups"))->setChecked(false);
        QComboBox* theme = comboWith(dialog, QStringLiteral("Dark"));
        theme->setCurrentIndex(theme->findText(QStringLiteral("Dark")));
        QComboBox* accent = comboWith(dialog, QStringLiteral("Teal"));
        accent->setCurrentIndex(accent->findText(QStringLiteral("Teal")));
        QComboBox* language = comboWith(dialog, QStringLiteral("Deutsch"));
        language->setCurrentIndex(language->findText(QStringLiteral("Deutsch")));

        if (accept)
            dialog.accept();
        else
            dialog.reject();

        const struct
        {
            const char* key;
            const char* saved;
        } expected[] = {{"ui/timeFormat", "24"},        {"ui/weekStartDay", "1"},
                        {"ui/workdayStart", "7"},       {"ui/workdayEnd", "16"},
                        {"ui/showWeekNumbers", "1"},    {"ui/defaultCalendarId", "work"},
                        {"weather/enabled", "1"},       {"ui/startMinimized", "1"},
                        {"ui/closeToTray", "0"},        {"config/sync/accounts", "1"},
                        {"config/sync/filters", "0"},   {"config/sync/settings", "1"},
                        {"config/sync/templates", "1"}, {"config/sync/views", "0"},
                        {"ui/theme", "dark"},           {"ui/accentColor", "#00897b"}};
        for (const auto& entry : expected) {
            const std::optional<QString> value = preferences->get(QString::fromLatin1(entry.key));
            const QString key = QString::fromLatin1(entry.key);
            if (accept)
                QCOMPARE(key + QLatin1Char('=') + value.value_or(QStringLiteral("(none)")),
                         key + QLatin1Char('=') + QString::fromLatin1(entry.saved));
            else
                QVERIFY2(!value.has_value(), entry.key);
        }
        QCOMPARE(storedLanguage(), accept ? QStringLiteral("de") : QStringLiteral("system"));
    }

    // The dialog opens on what is stored.
    void opensOnTheStoredValues()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        PreferencesRepository* preferences = fixture.state()->preferences();
        preferences->set(QStringLiteral("ui/timeFormat"), QStringLiteral("24"));
        preferences->setInt(QStringLiteral("ui/workdayEnd"), 20);
        preferences->setBool(QStringLiteral("ui/closeToTray"), false);
        SettingsDialog dialog(fixture.state(), fixture.state()->themeManager());
        QCOMPARE(comboWith(dialog, QStringLiteral("24-hour (13:30)"))->currentData().toString(),
                 QStringLiteral("24"));
        QCOMPARE(dialog.findChildren<QSpinBox*>().at(1)->value(), 20);
        QVERIFY(!checkBox(dialog, QStringLiteral("Close to tray (keep running in the background)"))
                     ->isChecked());
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "tst_settingsdialog.moc"

#include "AppState.h"
#include "AppStateFixture.h"
#include "CalendarRepository.h"
#include "GuiEnvironment.h"
#include "PdfExportDialog.h"
#include "StoreSeed.h"
#include "ViewRepository.h"

#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The text of a PDF as pdftotext reads it.
QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The words of a PDF with their boxes, as pdftotext -bbox reads them.
struct Word
{
    QString text;
    QRectF box;
};

QList<Word> pdfWords(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({m.captured(5), QRectF(topLeft, bottomRight)});
    }
    return words;
}

} // namespace

class PdfExportDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        GuiEnvironment::prepare();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    // The agenda lists the chosen days of the shown calendars: every day under its own heading,
    // all-day events on their stored date whatever the zone, a daily series once per day, and
    // nothing from a hidden calendar or outside the range.
    void exportWritesTheAgendaOfTheRange()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("a", "Work", "caldav"),
                                       StoreSeed::calendar("work", "a", "Work", "#33b679")));
        Calendar hidden = StoreSeed::calendar("secret", "a", "Secret", "#e67c73");
        hidden.isVisible = false;
        QVERIFY(state->calendars()->insert(hidden));
        const QDate first(2026, 3, 12);
        QVERIFY(StoreSeed::addEvent(state,
                                    StoreSeed::timedEvent("review", "work", "Budget review",
                                                          StoreSeed::local(first, QTime(14, 0)),
                                                          StoreSeed::local(first, QTime(15, 0)))));
        QVERIFY(
            StoreSeed::addEvent(state, StoreSeed::allDayEvent("trip", "work", "Offsite day",
                                                              first.addDays(1), first.addDays(1))));
        Event daily = StoreSeed::timedEvent("walk", "work", "Morning walk",
                                            StoreSeed::local(first.addDays(-5), QTime(7, 0)),
                                            StoreSeed::local(first.addDays(-5), QTime(7, 30)));
        daily.recurrenceRule = QStringLiteral("FREQ=DAILY");
        QVERIFY(StoreSeed::addEvent(state, daily));
        QVERIFY(StoreSeed::addEvent(state,
                                    StoreSeed::timedEvent("hidden", "secret", "Surprise party",
                                                          StoreSeed::local(first, QTime(18, 0)),
                                                          StoreSeed::local(first, QTime(20, 0)))));
        QVERIFY(StoreSeed::addEvent(
            state, StoreSeed::timedEvent("later", "work", "Next week's meeting",
                                         StoreSeed::local(first.addDays(7), QTime(9, 0)),
                                         StoreSeed::local(first.addDays(7), QTime(10, 0)))));

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("agenda.pdf"));
        PdfExportDialog dialog(state);
        const auto dates = dialog.findChildren<QDateEdit*>();
        dates.at(0)->setDate(first);
        dates.at(1)->setDate(first.addDays(1));
        dialog.findChild<QLineEdit*>()->setText(path);
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Export"))
                button->click();
        }
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const QString text = pdfText(path);
        QVERIFY2(text.contains(QStringLiteral("Thursday, March 12, 2026")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Friday, March 13, 2026")));
        QVERIFY(text.contains(QStringLiteral("Budget review")));
        QVERIFY(text.contains(QStringLiteral("2:00 PM")));
        QCOMPARE(text.count(QStringLiteral("Morning walk")), 2);
        QVERIFY(!text.contains(QStringLiteral("Surprise party")));
        QVERIFY(!text.contains(QStringLiteral("Next week")));
        // The all-day event sits under its own date, after the first day's heading.
        const qsizetype secondDay = text.indexOf(QStringLiteral("Friday, March 13, 2026"));
        QVERIFY(text.indexOf(QStringLiteral("Offsite day")) > secondDay);
        QVERIFY(text.indexOf(QStringLiteral("Budget review")) < secondDay);
    }

    // The agenda takes the calendars the views show: a group naming a calendar the user hid
    // elsewhere still exports it. An event over several days, begun before the range, is listed
    // under every day of the range it covers with its end date.
    void exportFollowsTheGroupAndListsEveryDayCovered()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        Calendar trips = StoreSeed::calendar("trips", "a", "Trips", "#e67c73");
        trips.isVisible = false;
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("a", "Work", "caldav"), trips));
        CalendarView group;
        group.id = QStringLiteral("travel");
        group.name = QStringLiteral("Travel");
        group.calendarIds = QStringLiteral("[\"trips\"]");
        QVERIFY(state->views()->insert(group));
        state->setActiveViewId(group.id);
        const QDate first(2026, 3, 12);
        QVERIFY(StoreSeed::addEvent(
            state, StoreSeed::timedEvent("fair", "trips", "Trade fair",
                                         StoreSeed::local(first.addDays(-2), QTime(9, 0)),
                                         StoreSeed::local(first.addDays(1), QTime(17, 0)))));
        QVERIFY(StoreSeed::addEvent(
            state, StoreSeed::allDayEvent("leave", "trips", "Leave", first, first.addDays(2))));

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("agenda.pdf"));
        QString error;
        QVERIFY2(PdfExportDialog::writeAgenda(state, first, first.addDays(2), path, &error),
                 qPrintable(error));
        const QString text = pdfText(path);
        QCOMPARE(text.count(QStringLiteral("Trade fair")), 2);
        QCOMPARE(text.count(QStringLiteral("Mar 13 5:00 PM")), 2);
        QCOMPARE(text.count(QStringLiteral("Leave")), 3);
        QCOMPARE(text.count(QStringLiteral("All day – Mar 14")), 3);
        QVERIFY2(text.contains(QStringLiteral("Saturday, March 14, 2026")), qPrintable(text));
    }

    // An event without a title is named as the views name it, and the time of an event into
    // the next day, the longest the time column holds, ends before its title begins.
    void linesReadLikeTheViews()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        AppState* state = fixture.state();
        QVERIFY(StoreSeed::addCalendar(state, StoreSeed::account("a", "Work", "caldav"),
                                       StoreSeed::calendar("work", "a", "Work", "#33b679")));
        const QDate first(2026, 3, 12);
        QVERIFY(StoreSeed::addEvent(
            state, StoreSeed::timedEvent("night", "work", "Overnight ferry",
                                         StoreSeed::local(first, QTime(22, 0)),
                                         StoreSeed::local(first.addDays(1), QTime(10, 30)))));
        QVERIFY(StoreSeed::addEvent(state,
                                    StoreSeed::timedEvent("blank", "work", QString(),
                                                          StoreSeed::local(first, QTime(9, 0)),
                                                          StoreSeed::local(first, QTime(10, 0)))));

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("agenda.pdf"));
        QString error;
        QVERIFY2(PdfExportDialog::writeAgenda(state, first, first, path, &error),
                 qPrintable(error));
        const QString text = pdfText(path);
        QVERIFY2(text.contains(QStringLiteral("(Untitled)")), qPrintable(text));

        const QList<Word> words = pdfWords(path);
        const auto title = std::find_if(words.cbegin(), words.cend(),
                                        [](const Word& w) { return w.text == "Overnight"; });
        QVERIFY(title != words.cend());
        int timeWords = 0;
        for (const Word& word : words) {
            const bool sameLine = std::abs(word.box.center().y() - title->box.center().y()) < 3;
            if (!sameLine || word.box.left() >= title->box.left())
                continue;
            ++timeWords;
            QVERIFY2(word.box.right() < title->box.left(), qPrintable(word.text));
        }
        QCOMPARE(timeWords, 7); // 10:00 PM – Mar 13 10:30 AM
    }

    // A backwards range and an unwritable file are reported in the dialog, which stays open.
    void badInputKeepsTheDialogOpen()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        PdfExportDialog dialog(fixture.state());
        const auto dates = dialog.findChildren<QDateEdit*>();
        QString error;
        QVERIFY(!PdfExportDialog::writeAgenda(fixture.state(), QDate(2026, 3, 12),
                                              QDate(2026, 3, 11), QStringLiteral("/tmp/x.pdf"),
                                              &error));
        QVERIFY(!error.isEmpty());
        dates.at(0)->setDate(QDate(2026, 3, 12));
        dates.at(1)->setDate(QDate(2026, 3, 13));
        dialog.findChild<QLineEdit*>()->setText(QStringLiteral("/nonexistent-folder/agenda.pdf"));
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Export"))
                button->click();
        }
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        bool shown = false;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            shown = shown || label->text().startsWith(QStringLiteral("Could not write"));
        QVERIFY(shown);
    }

    // The proposed file lies in a folder that exists: the documents folder when there is one,
    // else the home folder, where the export then succeeds.
    void proposesAnExistingFolder()
    {
        AppStateFixture fixture;
        QVERIFY(fixture.start());
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", oldHome);
            if (hadConfig)
                qputenv("XDG_CONFIG_HOME", oldConfig);
            else
                qunsetenv("XDG_CONFIG_HOME");
        });
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toUtf8());

        const QString inHome = QDir(home.path()).filePath(QStringLiteral("agenda.pdf"));
        {
            PdfExportDialog dialog(fixture.state());
            QCOMPARE(dialog.findChild<QLineEdit*>()->text(), inHome);
            for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
                if (button->text() == QStringLiteral("Export"))
                    button->click();
            }
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(QFileInfo(inHome).size() > 0);
        }
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Documents")));
        PdfExportDialog dialog(fixture.state());
        QCOMPARE(dialog.findChild<QLineEdit*>()->text(),
                 QDir(home.path()).filePath(QStringLiteral("Documents/agenda.pdf")));
    }
};

QTEST_MAIN(PdfExportDialogTest)
#include "tst_pdfexportdialog.moc"

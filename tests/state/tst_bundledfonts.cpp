#include "BundledFonts.h"
#include "Theme.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

class TestBundledFonts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fontsAndLicencesAreEmbedded();
};

void TestBundledFonts::fontsAndLicencesAreEmbedded()
{
    QVERIFY(BundledFonts::registerAll());
    QCOMPARE(Theme::iconFontFamily(), QStringLiteral("Material Icons"));
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("IBM Plex Mono")));
    QVERIFY(
        QFontDatabase::styles(QStringLiteral("IBM Plex Sans")).contains(QStringLiteral("Italic")));
    QCOMPARE(QFontInfo(QFont(Theme::sansFamily(), 11)).family(), QStringLiteral("IBM Plex Sans"));
    // The icon font draws its glyphs, not the missing-glyph box.
    QVERIFY(QFontMetrics(QFont(Theme::iconFontFamily())).inFont(QChar(0xE8B8)));
    for (const char* licence :
         {":/fonts/LICENSE-IBM-Plex-Sans.txt", ":/fonts/LICENSE-IBM-Plex-Mono.txt",
          ":/fonts/LICENSE-Material-Icons.txt"})
        QVERIFY2(QFile(QString::fromLatin1(licence)).size() > 1000, licence);
}

QTEST_MAIN(TestBundledFonts)
#include "tst_bundledfonts.moc"

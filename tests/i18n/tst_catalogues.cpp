#include <algorithm>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Entry
{
    bool numerus = false;
    bool finished = false;
    QString source;
    QStringList forms; // the translation, or each of its plural forms
};

// context + '\x1f' + source (+ '\x1f' + comment) → what the catalogue holds for it.
using Catalogue = QHash<QString, Entry>;

Catalogue readCatalogue(const QString& path)
{
    Catalogue entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    QString comment;
    Entry entry;
    QStringList forms;
    QString translation;
    while (!xml.atEnd()) {
        xml.readNext();
        const auto name = xml.name();
        if (xml.isStartElement()) {
            if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                source.clear();
                comment.clear();
                forms.clear();
                translation.clear();
                entry = {};
                entry.numerus =
                    xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (name == QLatin1String("source")) {
                source = xml.readElementText();
                entry.source = source;
            } else if (name == QLatin1String("comment")) {
                comment = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                const QString type = xml.attributes().value(QLatin1String("type")).toString();
                entry.finished = type.isEmpty();
                if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                    entry.finished = false;
                if (!entry.numerus) {
                    translation = xml.readElementText();
                    entry.finished = entry.finished && !translation.isEmpty();
                    entry.forms = {translation};
                }
            } else if (name == QLatin1String("numerusform")) {
                forms.append(xml.readElementText());
            }
        } else if (xml.isEndElement() && name == QLatin1String("message")) {
            if (entry.numerus) {
                entry.forms = forms;
                entry.finished = entry.finished && !forms.isEmpty() &&
                                 std::all_of(forms.cbegin(), forms.cend(),
                                             [](const QString& form) { return !form.isEmpty(); });
            }
            QString key = context + QChar(0x1f) + source;
            if (!comment.isEmpty())
                key += QChar(0x1f) + comment;
            entries.insert(key, entry);
        }
    }
    return entries;
}

// The arguments a text takes: %1 to %99 and %n, a localised %L1 counting as %1. A translation
// that drops one leaves a value unshown; one that adds one shows a raw "%2".
QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression argument(QStringLiteral("%L?(\\d{1,2}|n)"));
    QSet<QString> found;
    for (auto it = argument.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured(1));
    return found;
}

QString readable(const QString& key)
{
    QString text = key;
    return text.replace(QChar(0x1f), QLatin1String(" | "));
}

} // namespace

class TestCatalogues : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    Catalogue m_sources;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString fresh = m_dir.filePath(QStringLiteral("sources.ts"));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(LUPDATE_PATH),
                      {QStringLiteral("-silent"), QStringLiteral("-locations"),
                       QStringLiteral("none"), QStringLiteral(SOURCE_DIR), QStringLiteral("-ts"),
                       fresh});
        QVERIFY2(lupdate.waitForFinished(300000), "lupdate did not finish");
        QCOMPARE(lupdate.exitCode(), 0);
        m_sources = readCatalogue(fresh);
        QVERIFY(m_sources.size() > 500);
    }

    void translations_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("de") << "de";
        QTest::newRow("es") << "es";
        QTest::newRow("fr") << "fr";
        QTest::newRow("ja") << "ja";
        QTest::newRow("en") << "en";
    }

    // Every text of the sources has a finished translation (in English only the plural forms are
    // needed) that takes the same arguments in each of its forms, and no catalogue keeps a text
    // the sources no longer have.
    void translations()
    {
        QFETCH(QString, language);
        const Catalogue catalogue =
            readCatalogue(QDir(QStringLiteral(CATALOGUE_DIR))
                              .filePath(QStringLiteral("calendar_%1.ts").arg(language)));
        QVERIFY(!catalogue.isEmpty());
        QStringList untranslated;
        QStringList otherArguments;
        for (auto it = m_sources.cbegin(); it != m_sources.cend(); ++it) {
            if (language == QLatin1String("en") && !it->numerus)
                continue;
            const auto found = catalogue.constFind(it.key());
            if (found == catalogue.cend() || !found->finished || found->numerus != it->numerus) {
                untranslated.append(readable(it.key()));
                continue;
            }
            const QSet<QString> expected = placeholders(it->source);
            for (const QString& form : found->forms)
                if (placeholders(form) != expected)
                    otherArguments.append(readable(it.key()) + QLatin1String(" -> ") + form);
        }
        QStringList leftOver;
        for (auto it = catalogue.cbegin(); it != catalogue.cend(); ++it) {
            if (!m_sources.contains(it.key()))
                leftOver.append(readable(it.key()));
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(QStringLiteral("without translation: ") +
                                                    untranslated.join(QLatin1String("; "))));
        QVERIFY2(otherArguments.isEmpty(), qPrintable(QStringLiteral("other arguments: ") +
                                                      otherArguments.join(QLatin1String("; "))));
        QVERIFY2(leftOver.isEmpty(), qPrintable(QStringLiteral("no longer in the sources: ") +
                                                leftOver.join(QLatin1String("; "))));
    }
};

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"

#include "CredentialManagerTokenStore.h"
#include "FileCredentialBackend.h"
#include "Limits.h"
#include "MemoryCredentialBackend.h"
#include "TestDataDir.h"
#include "TokenManager.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace OrvaAccount;

namespace {

int modeOf(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return static_cast<int>(info.st_mode & 0777);
}

QProcess* startHelper(const QStringList& arguments, QObject* parent)
{
    auto* helper = new QProcess(parent);
    helper->start(QStringLiteral(CREDENTIAL_HELPER), arguments);
    return helper;
}

bool helperSucceeds(QProcess* helper)
{
    return helper->waitForFinished(120000) && helper->exitStatus() == QProcess::NormalExit &&
           helper->exitCode() == 0;
}

} // namespace

class TestCredentialStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_file;

    std::shared_ptr<CredentialBackend> makeBackend(bool onFile)
    {
        if (onFile)
            return std::make_shared<FileCredentialBackend>(m_file);
        return std::make_shared<MemoryCredentialBackend>();
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("secrets/credentials.json"));
        QFile::remove(m_file);
    }

    void fileAndFolderAreOwnerOnly()
    {
        // A folder that already exists with a wider mode is narrowed.
        const QString folder = m_dir.filePath(QStringLiteral("secrets"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ExeOwner | QFile::ReadOther));
        FileCredentialBackend backend(m_file);
        for (const char* value : {"secret-value", "another"}) {
            QVERIFY(backend.write(QStringLiteral("target"), value));
            QCOMPARE(modeOf(m_file), 0600);
        }
        QCOMPARE(modeOf(folder), 0700);
    }

    // A value within the limit replaces the old one and reads back exactly; one over it (counted
    // in UTF-8 bytes) is refused and the old value stays.
    void writeReadRemove_data()
    {
        QTest::addColumn<bool>("onFile");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("accepted");
        const qsizetype limit = Limits::maxCredentialBlobBytes;
        for (const bool onFile : {false, true}) {
            const char* backend = onFile ? "file" : "memory";
            QTest::addRow("%s empty", backend) << onFile << QString(QLatin1String("")) << true;
            QTest::addRow("%s mixed scripts", backend)
                << onFile << QStringLiteral("p@ss;\"{} Kennwört 密码 🔑🗓️") << true;
            QTest::addRow("%s largest", backend)
                << onFile << QString(limit, QLatin1Char('x')) << true;
            QTest::addRow("%s one byte over", backend)
                << onFile << QString(limit + 1, QLatin1Char('x')) << false;
            QTest::addRow("%s two-byte letters over", backend)
                << onFile << QString(limit / 2 + 1, QChar(0xE9)) << false;
        }
    }

    void writeReadRemove()
    {
        QFETCH(bool, onFile);
        QFETCH(QString, value);
        QFETCH(bool, accepted);
        CredentialManagerTokenStore store(QStringLiteral("app.test"), makeBackend(onFile));
        const QString key = QStringLiteral("caldav-password-a1");
        QVERIFY(!store.read(key).has_value());
        QVERIFY(store.write(key, QStringLiteral("old")));
        QCOMPARE(store.write(key, value), accepted);
        QVERIFY(store.read(key) == (accepted ? value : QStringLiteral("old")));
        QVERIFY(store.remove(key));
        QVERIFY(!store.read(key).has_value());
        QVERIFY(!store.remove(key));
    }

    void entriesAreNamedAndSeparatedByService()
    {
        auto backend = std::make_shared<MemoryCredentialBackend>();
        CredentialManagerTokenStore first(QStringLiteral("app.one"), backend);
        CredentialManagerTokenStore other(QStringLiteral("app.one.dev"), backend);
        QVERIFY(first.write(TokenManager::refreshTokenKey, QStringLiteral("refresh-value")));
        QVERIFY(first.write(QStringLiteral("caldav-password-a1"), QStringLiteral("kept")));
        QVERIFY(backend->read(QStringLiteral("Orvandellic/app.one/orvandellic_refresh_token")));
        QVERIFY(!other.read(TokenManager::refreshTokenKey).has_value());
        // Clearing removes the service's tokens only.
        first.clear();
        QVERIFY(!first.read(TokenManager::refreshTokenKey).has_value());
        QVERIFY(first.read(QStringLiteral("caldav-password-a1")) == QStringLiteral("kept"));
    }

    void corruptFileReadsEmptyAndIsReplaced_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("\x01\x02not json at all");
        QTest::newRow("truncated") << QByteArray("{\"entries\": {\"target\": \"c2Vj");
        QTest::newRow("array") << QByteArray("[1, 2, 3]");
        QTest::newRow("entries not an object") << QByteArray("{\"entries\": 5}");
        QTest::newRow("value not base64") << QByteArray("{\"entries\": {\"target\": \"***\"}}");
        QTest::newRow("value not a string") << QByteArray("{\"entries\": {\"target\": 7}}");
        QTest::newRow("too large") << QByteArray(Limits::maxCredentialFileBytes + 1, ' ');
    }

    void corruptFileReadsEmptyAndIsReplaced()
    {
        QFETCH(QByteArray, content);
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("secrets"))));
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        FileCredentialBackend backend(m_file);
        QVERIFY(!backend.read(QStringLiteral("target")).has_value());
        QVERIFY(backend.write(QStringLiteral("other"), "fresh"));
        QVERIFY(backend.read(QStringLiteral("other")) == QByteArray("fresh"));
    }

    void secondProcessSeesWrites()
    {
        FileCredentialBackend backend(m_file);
        QVERIFY(backend.write(QStringLiteral("from-parent"), "parent-value"));
        QVERIFY(helperSucceeds(
            startHelper({QStringLiteral("check"), m_file, QStringLiteral("from-parent"),
                         QStringLiteral("parent-value")},
                        this)));
        QVERIFY(helperSucceeds(startHelper(
            {QStringLiteral("fill"), m_file, QStringLiteral("from-child-"), QStringLiteral("1")},
            this)));
        QVERIFY(backend.read(QStringLiteral("from-child-0")) == QByteArray("0"));
        QVERIFY(backend.read(QStringLiteral("from-parent")) == QByteArray("parent-value"));
    }

    void concurrentWritersInTwoProcessesLoseNothing()
    {
        const int perWriter = 40;
        QProcess* first = startHelper(
            {QStringLiteral("fill"), m_file, QStringLiteral("a-"), QString::number(perWriter)},
            this);
        QProcess* second = startHelper(
            {QStringLiteral("fill"), m_file, QStringLiteral("b-"), QString::number(perWriter)},
            this);
        QVERIFY(helperSucceeds(first) && helperSucceeds(second));
        FileCredentialBackend backend(m_file);
        for (int i = 0; i < perWriter; ++i) {
            QVERIFY2(backend.read(QStringLiteral("a-%1").arg(i)), qPrintable(QString::number(i)));
            QVERIFY2(backend.read(QStringLiteral("b-%1").arg(i)), qPrintable(QString::number(i)));
        }
        QCOMPARE(modeOf(m_file), 0600);
    }

    void defaultFileLivesInTheDataDirectory()
    {
        TestDataDir dataDir;
        QCOMPARE(FileCredentialBackend::defaultFilePath(),
                 dataDir.filePath(QStringLiteral("credentials/credentials.json")));
    }
};

QTEST_GUILESS_MAIN(TestCredentialStore)
#include "tst_credentialstore.moc"

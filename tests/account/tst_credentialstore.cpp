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

int runHelper(const QStringList& arguments)
{
    QProcess helper;
    helper.start(QStringLiteral(CREDENTIAL_HELPER), arguments);
    if (!helper.waitForFinished(60000))
        return -1;
    return helper.exitStatus() == QProcess::NormalExit ? helper.exitCode() : -1;
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
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("secrets"))));
        QVERIFY(QFile::setPermissions(m_dir.filePath(QStringLiteral("secrets")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther));
        FileCredentialBackend backend(m_file);
        QVERIFY(backend.write(QStringLiteral("target"), "secret-value"));
        QCOMPARE(modeOf(m_file), 0600);
        QCOMPARE(modeOf(m_dir.filePath(QStringLiteral("secrets"))), 0700);
        QVERIFY(backend.write(QStringLiteral("target"), "another"));
        QCOMPARE(modeOf(m_file), 0600);
    }

    void valuesReadBackExactly_data()
    {
        QTest::addColumn<bool>("onFile");
        QTest::addColumn<QString>("value");
        for (const bool onFile : {false, true}) {
            const char* backend = onFile ? "file" : "memory";
            QTest::addRow("%s empty", backend) << onFile << QString(QLatin1String(""));
            QTest::addRow("%s ascii", backend) << onFile << QStringLiteral("p@ss w0rd;\"{}");
            QTest::addRow("%s accents", backend) << onFile << QStringLiteral("Kennwört élan");
            QTest::addRow("%s cjk and emoji", backend)
                << onFile << QStringLiteral("密码パスワード 🔑🗓️");
            QTest::addRow("%s largest", backend)
                << onFile << QString(Limits::maxCredentialBlobBytes, QLatin1Char('x'));
        }
    }

    void valuesReadBackExactly()
    {
        QFETCH(bool, onFile);
        QFETCH(QString, value);
        CredentialManagerTokenStore store(QStringLiteral("app.test"), makeBackend(onFile));
        QVERIFY(store.write(QStringLiteral("caldav-password-a1"), value));
        const auto read = store.read(QStringLiteral("caldav-password-a1"));
        QVERIFY(read.has_value());
        QVERIFY(*read == value);
    }

    void writeReplacesAndRemoveReports_data()
    {
        QTest::addColumn<bool>("onFile");
        QTest::newRow("memory") << false;
        QTest::newRow("file") << true;
    }

    void writeReplacesAndRemoveReports()
    {
        QFETCH(bool, onFile);
        CredentialManagerTokenStore store(QStringLiteral("app.test"), makeBackend(onFile));
        const QString key = QStringLiteral("google-tokens-acc");
        QVERIFY(!store.read(key).has_value());
        QVERIFY(!store.remove(key));
        QVERIFY(store.write(key, QStringLiteral("first")));
        QVERIFY(store.write(key, QStringLiteral("second")));
        QCOMPARE(store.read(key).value_or(QString()), QStringLiteral("second"));
        QVERIFY(store.remove(key));
        QVERIFY(!store.read(key).has_value());
        QVERIFY(!store.remove(key));
    }

    void entriesAreNamedAndSeparatedByService()
    {
        auto backend = std::make_shared<MemoryCredentialBackend>();
        CredentialManagerTokenStore first(QStringLiteral("app.one"), backend);
        CredentialManagerTokenStore again(QStringLiteral("app.one"), backend);
        CredentialManagerTokenStore other(QStringLiteral("app.one.dev"), backend);
        QVERIFY(first.write(TokenManager::accessTokenKey, QStringLiteral("value-one")));
        QVERIFY(backend->read(QStringLiteral("Orvandellic/app.one/orvandellic_access_token")));
        QCOMPARE(again.read(TokenManager::accessTokenKey).value_or(QString()),
                 QStringLiteral("value-one"));
        QVERIFY(!other.read(TokenManager::accessTokenKey).has_value());
    }

    void clearRemovesOnlyTheServiceTokens()
    {
        CredentialManagerTokenStore store(QStringLiteral("app.test"), makeBackend(true));
        QVERIFY(store.write(TokenManager::refreshTokenKey, QStringLiteral("refresh-value")));
        QVERIFY(store.write(QStringLiteral("caldav-password-a1"), QStringLiteral("kept")));
        store.clear();
        QVERIFY(!store.read(TokenManager::refreshTokenKey).has_value());
        QVERIFY(!store.read(TokenManager::accessTokenKey).has_value());
        QCOMPARE(store.read(QStringLiteral("caldav-password-a1")).value_or(QString()),
                 QStringLiteral("kept"));
    }

    void oversizeWriteKeepsOldValue_data()
    {
        QTest::addColumn<bool>("onFile");
        QTest::addColumn<QString>("value");
        for (const bool onFile : {false, true}) {
            const char* backend = onFile ? "file" : "memory";
            QTest::addRow("%s one byte over", backend)
                << onFile << QString(Limits::maxCredentialBlobBytes + 1, QLatin1Char('x'));
            // Counted in UTF-8 bytes, not characters.
            QTest::addRow("%s two-byte letters", backend)
                << onFile << QString(Limits::maxCredentialBlobBytes / 2 + 1, QChar(0xE9));
        }
    }

    void oversizeWriteKeepsOldValue()
    {
        QFETCH(bool, onFile);
        QFETCH(QString, value);
        CredentialManagerTokenStore store(QStringLiteral("app.test"), makeBackend(onFile));
        QVERIFY(store.write(QStringLiteral("caldav-password-a1"), QStringLiteral("old")));
        QVERIFY(!store.write(QStringLiteral("caldav-password-a1"), value));
        QCOMPARE(store.read(QStringLiteral("caldav-password-a1")).value_or(QString()),
                 QStringLiteral("old"));
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
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        FileCredentialBackend backend(m_file);
        QVERIFY(!backend.read(QStringLiteral("target")).has_value());
        QVERIFY(backend.write(QStringLiteral("other"), "fresh"));
        QCOMPARE(backend.read(QStringLiteral("other")).value_or(QByteArray()), QByteArray("fresh"));
    }

    void secondProcessSeesWrites()
    {
        FileCredentialBackend backend(m_file);
        QVERIFY(backend.write(QStringLiteral("from-parent"), "parent-value"));
        QCOMPARE(runHelper({QStringLiteral("check"), m_file, QStringLiteral("from-parent"),
                            QStringLiteral("parent-value")}),
                 0);
        QCOMPARE(runHelper({QStringLiteral("write"), m_file, QStringLiteral("from-child"),
                            QStringLiteral("child-value")}),
                 0);
        QCOMPARE(backend.read(QStringLiteral("from-child")).value_or(QByteArray()),
                 QByteArray("child-value"));
        QCOMPARE(backend.read(QStringLiteral("from-parent")).value_or(QByteArray()),
                 QByteArray("parent-value"));
    }

    void concurrentWritersInTwoProcessesLoseNothing()
    {
        const int perWriter = 40;
        QProcess first;
        QProcess second;
        first.start(
            QStringLiteral(CREDENTIAL_HELPER),
            {QStringLiteral("fill"), m_file, QStringLiteral("a-"), QString::number(perWriter)});
        second.start(
            QStringLiteral(CREDENTIAL_HELPER),
            {QStringLiteral("fill"), m_file, QStringLiteral("b-"), QString::number(perWriter)});
        QVERIFY(first.waitForFinished(120000));
        QVERIFY(second.waitForFinished(120000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(second.exitCode(), 0);
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

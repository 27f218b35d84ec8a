// Runs a libFuzzer entry point over every file below the given folders (or over the given
// files), so the fuzz corpus doubles as a regression test in the ordinary build.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int runFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "fuzz replay: cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QByteArray data = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.constData()),
                           std::size_t(data.size()));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    int files = 0;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(arg).isDir()) {
            QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                failures += runFile(it.next());
                ++files;
            }
        } else {
            failures += runFile(arg);
            ++files;
        }
    }
    std::printf("fuzz replay: %d inputs, %d unreadable\n", files, failures);
    return files > 0 && failures == 0 ? 0 : 1;
}

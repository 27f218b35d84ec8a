// The bytes of a file a user chose to import, the way an import reads them: the line filter in
// pieces, the file cut into small calendars, each read and split by the plan. Besides not
// crashing: the filter keeps the same text however the file arrives, the cut gives the same
// events in the same order whatever the size of its pieces, no piece reads as more events than
// it holds, and the plan accounts for every event read once, storing each key at most once and
// only with a start. The first input byte picks the piece sizes.
#include "Ical.h"
#include "IcalLineFilter.h"
#include "ImportBatches.h"
#include "ImportPlan.h"
#include "Limits.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Names the line of a broken promise, so a finding says which one without a debugger.
void require(bool condition, int line = __builtin_LINE())
{
    if (condition)
        return;
    std::fprintf(stderr, "%s:%d: promise broken\n", __FILE__, line);
    std::abort();
}

QByteArray filtered(QByteArrayView bytes, qsizetype pieceSize)
{
    QByteArray text;
    IcalLineFilter lines;
    for (qsizetype at = 0; at < bytes.size(); at += pieceSize)
        lines.append(bytes.sliced(at, std::min(pieceSize, bytes.size() - at)), text);
    return text;
}

// The UIDs read, in order, with the file cut into pieces of `componentsPerBatch`.
QStringList readInBatches(const QByteArray& text, int componentsPerBatch)
{
    QStringList uids;
    QSet<QString> seen;
    QSet<QString> stored;
    // One key of the calendar is already there, as a store would have it.
    const auto isPresent = [](const Event& event) { return event.uid == u"already-there"; };
    ImportBatches batches(text, componentsPerBatch);
    qsizetype position = 0;
    int pieces = 0;
    while (batches.next()) {
        require(++pieces <= Limits::maxIcalendarComponentsPerText);
        require(batches.position() > position && batches.position() <= text.size());
        position = batches.position();
        require(batches.events() + batches.tasks() > 0);

        const QList<Event> parsed = Ical::parseEvents(batches.text());
        require(parsed.size() <= batches.events());
        for (const Event& event : parsed)
            uids.append(event.uid);

        const ImportPlan::Split split = ImportPlan::split(parsed, seen, isPresent);
        require(split.fresh.size() + split.present + split.repeated + split.withoutStart ==
                parsed.size());
        for (const Event& event : split.fresh) {
            require(event.startTime.isValid());
            require(!isPresent(event));
            require(!stored.contains(ImportPlan::key(event)));
            stored.insert(ImportPlan::key(event));
        }
    }
    require(batches.text().isEmpty());
    return uids;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const qsizetype pieceSize = 1 + (data[0] & 0x3f);
    const int componentsPerBatch = 1 + (data[0] >> 6);

    const QByteArray text = filtered(bytes, bytes.size() + 1);
    require(filtered(bytes, pieceSize) == text);
    // Nothing of a file with only short lines is left out.
    if (bytes.size() < Limits::maxIcalendarLineChars)
        require(text == bytes);

    const QStringList small = readInBatches(text, componentsPerBatch);
    const QStringList large = readInBatches(text, 500);
    if (small != large)
        std::fprintf(stderr, "%d per piece: %s\n500 per piece: %s\n", componentsPerBatch,
                     qPrintable(small.join(u'|').replace(QChar(0), u'~')),
                     qPrintable(large.join(u'|').replace(QChar(0), u'~')));
    require(small == large);
    return 0;
}

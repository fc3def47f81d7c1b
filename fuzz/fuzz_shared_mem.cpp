// Any contents of the shared segment, as another program may leave them. Beyond not crashing
// or reading past the segment: a read succeeds exactly when the segment holds a terminated text
// of at least a stamp's length and then hands over the text behind the stamp; a failed read or
// write leaves the segment as it was; a write that finds nothing new stores a fresh stamp that a
// second party then reads as a change.

#include <QByteArray>
#include <QSharedMemory>
#include <QString>

#include <cstring>
#include <string>
#include <unistd.h>

#include "FuzzSupport.h"
#include "VLQtSharedMem.h"

namespace {

const int kStamp = CVLQtSharedMem::kStampLength;

QString SegmentKey()
{
    static const QString key = QStringLiteral("vl-fuzz-shared-mem-%1").arg(getpid());
    return key;
}

std::string Contents(const QSharedMemory& segment)
{
    return std::string(static_cast<const char*>(segment.constData()), size_t(segment.size()));
}

// What a reader must make of the contents: the terminated text, when there is one of at least a
// stamp's length.
bool ExpectedText(const std::string& contents, QByteArray& text)
{
    const size_t nul = contents.find('\0');
    if (nul == std::string::npos || nul < size_t(kStamp))
        return false;
    text = QByteArray(contents.data(), int(nul));
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    QSharedMemory segment(SegmentKey());
    const int segmentSize = size > 0 ? int(size) : 1;
    if (!segment.create(segmentSize)) {
        // Left over from an earlier crashed run of this process id: take it over.
        segment.attach();
        segment.detach();
        FUZZ_CHECK(segment.create(segmentSize));
    }
    // The system rounds the segment up to whole pages; Qt reports the real size.
    std::memset(segment.data(), 0, size_t(segment.size()));
    if (size > 0)
        std::memcpy(segment.data(), data, size);
    const std::string before = Contents(segment);
    QByteArray expected;
    const bool readable = ExpectedText(before, expected);

    {
        CVLQtSharedMem reader;
        reader.SetKey(SegmentKey());
        QString text;
        bool changed = true;
        const bool ok = reader.ReadMemIfChanged(text, changed);
        FUZZ_CHECK(ok == readable);
        FUZZ_CHECK(Contents(segment) == before);
        if (ok) {
            // A fresh reader has seen no stamp yet unless the segment's stamp is no time at all.
            const QString whole = QString::fromUtf8(expected);
            if (changed)
                FUZZ_CHECK(text == whole.mid(kStamp));
            else
                FUZZ_CHECK(text.isEmpty());
        } else {
            FUZZ_CHECK(!changed);
            FUZZ_CHECK(!reader.GetLastError().isEmpty());
        }

        // The same reader again: nothing was written in between, so nothing is new.
        QString again;
        bool changedAgain = true;
        FUZZ_CHECK(reader.ReadMemIfChanged(again, changedAgain) == ok);
        if (ok && changed)
            FUZZ_CHECK(!changedAgain || text == again);
    }

    {
        CVLQtSharedMem writer;
        writer.SetKey(SegmentKey());
        bool changed = false;
        QString current;
        const bool ok = writer.WriteMemIfNotChanged(changed, &current);
        if (!ok) {
            FUZZ_CHECK(Contents(segment) == before);
            FUZZ_CHECK(!writer.GetLastError().isEmpty());
        } else if (changed) {
            FUZZ_CHECK(readable);
            FUZZ_CHECK(Contents(segment) == before);
            FUZZ_CHECK(current == QString::fromUtf8(expected).mid(kStamp));
        } else {
            // A fresh stamp and nothing behind it.
            const std::string after = Contents(segment);
            FUZZ_CHECK(after.size() > size_t(kStamp) && after[kStamp] == '\0');
            CVLQtSharedMem other;
            other.SetKey(SegmentKey());
            QString text;
            bool otherChanged = false;
            FUZZ_CHECK(other.ReadMemIfChanged(text, otherChanged));
            FUZZ_CHECK(otherChanged && text.isEmpty());
        }
    }
    segment.detach();
    return 0;
}

// A stand-in for the suite's native client, for tests and the demo. It takes links the way
// the real client does: from the per-user shared-memory segment (acknowledging each with a
// newer stamp) and from "-link LINK" on its command line. Every link it takes is appended
// to the record file as one line: "shm LINK" or "arg LINK".
//
// vlclient-stub [--record FILE] [--max-seconds N] [--poll-ms N] [--no-ack] [-link LINK]
//   --record      file to append to (default: $VLCLIENT_STUB_RECORD; the redirector starts
//                 the client with "-link" only, so tests pass the file through the environment)
//   --max-seconds how long to serve the segment; 0 = until SIGINT/SIGTERM. Default: 0, or
//                 with -link alone: record and exit at once.
//   --no-ack      take links without acknowledging them (a client that is too slow)
// Prints "ready" on standard output once it holds the segment.

#include "VLQtSharedMem.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QString>
#include <QThread>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace
{
std::atomic<bool> g_bStop{false};

void OnSignal(int)
{
    g_bStop = true;
}

bool Record(const QByteArray& file, const char* how, const QString& link)
{
    if (file.isEmpty())
        return true;
    FILE* out = std::fopen(file.constData(), "a");
    if (out == nullptr)
    {
        std::fprintf(stderr, "vlclient-stub: cannot open %s\n", file.constData());
        return false;
    }
    std::fprintf(out, "%s %s\n", how, link.toUtf8().constData());
    std::fclose(out);
    return true;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: vlclient-stub [--record FILE] [--max-seconds N] [--poll-ms N] [--no-ack] [-link LINK]\n");
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QByteArray recordFile = qgetenv("VLCLIENT_STUB_RECORD");
    int maxSeconds = -1;
    int pollMs = 20;
    bool acknowledge = true;
    QString argLink;
    bool haveArgLink = false;
    for (int i = 1; i < argc; ++i)
    {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(arg, "--record") == 0 && hasValue)
            recordFile = argv[++i];
        else if (std::strcmp(arg, "--max-seconds") == 0 && hasValue)
            maxSeconds = std::atoi(argv[++i]);
        else if (std::strcmp(arg, "--poll-ms") == 0 && hasValue)
            pollMs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(arg, "--no-ack") == 0)
            acknowledge = false;
        else if (std::strcmp(arg, "-link") == 0 && hasValue)
        {
            argLink = QString::fromUtf8(argv[++i]);
            haveArgLink = true;
        }
        else
            return Usage();
    }

    if (haveArgLink)
    {
        if (!Record(recordFile, "arg", argLink))
            return 1;
        if (maxSeconds < 0)
            return 0;
    }
    if (maxSeconds < 0)
        maxSeconds = 0;

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);

    CVLQtSharedMem segment;
    segment.SetKey(QStringLiteral("wowkgsskuxdqemj_657378_%1").arg(::getuid()));
    if (!segment.CreateIfNeeded(4096))
    {
        std::fprintf(stderr, "vlclient-stub: %s\n", segment.GetLastError().toUtf8().constData());
        return 1;
    }
    // Take the current content as seen, so only links written from now on count.
    QString text;
    bool changed = false;
    segment.ReadMemIfChanged(text, changed);
    std::printf("ready\n");
    std::fflush(stdout);

    QElapsedTimer clock;
    clock.start();
    while (!g_bStop && (maxSeconds == 0 || clock.elapsed() < qint64(maxSeconds) * 1000))
    {
        if (segment.ReadMemIfChanged(text, changed) && changed && !text.isEmpty())
        {
            Record(recordFile, "shm", text);
            // An acknowledgement stamped in the link's own millisecond reads as no change to
            // the redirector; let the clock move on first.
            QThread::msleep(2);
            if (acknowledge)
                segment.WriteMem(QStringLiteral("taken"));
        }
        QThread::msleep(static_cast<unsigned long>(pollMs));
    }
    return 0;
}

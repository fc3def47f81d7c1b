#include "VLQtSharedMem.h"

#include <QSharedMemory>
#include <QThread>

#include <gtest/gtest.h>

#include <cstring>
#include <unistd.h>

namespace
{
const QString kInvalidData = QStringLiteral("Invalid data encountered in the shared memory.");

// Each test gets a key of its own, so tests can run in parallel processes.
class SharedMemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_Key = QStringLiteral("vltest_%1_%2").arg(::getpid()).arg(QString::fromUtf8(info->name()));
        m_Writer.SetKey(m_Key);
        m_Other.SetKey(m_Key);
    }

    QByteArray SegmentBytes()
    {
        QSharedMemory view(m_Key);
        EXPECT_TRUE(view.attach(QSharedMemory::ReadOnly));
        view.lock();
        QByteArray bytes(static_cast<const char*>(view.constData()), view.size());
        view.unlock();
        return bytes;
    }

    QString m_Key;
    CVLQtSharedMem m_Writer;
    CVLQtSharedMem m_Other;
};
} // namespace

TEST_F(SharedMemTest, FreshSegmentIsZeroFilledAndReadsAsInvalidData)
{
    ASSERT_TRUE(m_Writer.CreateIfNeeded(4096));
    const QByteArray bytes = SegmentBytes();
    EXPECT_EQ(bytes.size(), 4113);
    EXPECT_EQ(bytes.count('\0'), 4113);

    QString text;
    bool changed = false;
    EXPECT_FALSE(m_Other.ReadMemIfChanged(text, changed));
    EXPECT_FALSE(changed);
    EXPECT_TRUE(m_Other.GetLastError().startsWith(kInvalidData));
    EXPECT_FALSE(m_Writer.WriteMemIfNotChanged(changed, &text));
    EXPECT_FALSE(changed);
    EXPECT_TRUE(m_Writer.GetLastError().startsWith(kInvalidData));
}

TEST_F(SharedMemTest, UnchangedCheckLeavesOnlyAFreshStamp)
{
    ASSERT_TRUE(m_Writer.CreateIfNeeded(4096));
    ASSERT_TRUE(m_Writer.WriteMem(QStringLiteral("vlstudio://srv:80//P/dfct?recordID=1")));
    bool changed = false;
    QString current;
    ASSERT_TRUE(m_Writer.WriteMemIfNotChanged(changed, &current));
    EXPECT_FALSE(changed);
    const QByteArray bytes = SegmentBytes();
    const QByteArray text(bytes.constData());
    ASSERT_EQ(text.size(), 17);
    for (char c : text)
        EXPECT_TRUE(c >= '0' && c <= '9');
}

TEST_F(SharedMemTest, AnotherWriterIsSeenAsChangeWithItsText)
{
    ASSERT_TRUE(m_Writer.CreateIfNeeded(4096));
    ASSERT_TRUE(m_Writer.WriteMem(QStringLiteral("the link")));
    QThread::msleep(3); // the acknowledgement must carry a later stamp
    ASSERT_TRUE(m_Other.WriteMem(QStringLiteral("taken: the link")));
    bool changed = false;
    QString current;
    ASSERT_TRUE(m_Writer.WriteMemIfNotChanged(changed, &current));
    EXPECT_TRUE(changed);
    EXPECT_EQ(current, QStringLiteral("taken: the link"));
}

TEST_F(SharedMemTest, ReaderSeesEachWriteOnce)
{
    ASSERT_TRUE(m_Writer.CreateIfNeeded(4096));
    ASSERT_TRUE(m_Writer.WriteMem(QStringLiteral("first")));
    QString text;
    bool changed = false;
    ASSERT_TRUE(m_Other.ReadMemIfChanged(text, changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(text, QStringLiteral("first"));
    ASSERT_TRUE(m_Other.ReadMemIfChanged(text, changed));
    EXPECT_FALSE(changed);
    EXPECT_TRUE(text.isNull());
}

TEST_F(SharedMemTest, WriteInTheSameMillisecondIsNotAChange)
{
    ASSERT_TRUE(m_Writer.CreateIfNeeded(4096));
    // Retry until the second write lands in the millisecond the reader last saw.
    for (int attempt = 0; attempt < 200; ++attempt)
    {
        ASSERT_TRUE(m_Writer.WriteMem(QStringLiteral("a")));
        QString text;
        bool changed = false;
        ASSERT_TRUE(m_Other.ReadMemIfChanged(text, changed));
        ASSERT_TRUE(m_Writer.WriteMem(QStringLiteral("b")));
        if (m_Writer.GetLastStamp() != m_Other.GetLastStamp())
            continue;
        ASSERT_TRUE(m_Other.ReadMemIfChanged(text, changed));
        EXPECT_FALSE(changed);
        return;
    }
    GTEST_SKIP() << "no two writes fell into one millisecond";
}

TEST_F(SharedMemTest, PayloadLimitIsSegmentSizeLessStampAndNul)
{
    ASSERT_TRUE(m_Writer.CreateIfNeeded(4096));
    EXPECT_TRUE(m_Writer.WriteMem(QString(4095, QLatin1Char('x'))));
    const QByteArray before = SegmentBytes();
    EXPECT_FALSE(m_Writer.WriteMem(QString(4096, QLatin1Char('y'))));
    EXPECT_TRUE(m_Writer.GetLastError().startsWith(
        QStringLiteral("Write request was greater than the size of the shared memory.")));
    EXPECT_EQ(SegmentBytes().mid(17), before.mid(17)) << "a refused write must not touch the segment";
}

TEST_F(SharedMemTest, UnterminatedSegmentIsInvalidDataNotAnOverread)
{
    QSharedMemory foreign(m_Key);
    ASSERT_TRUE(foreign.create(64));
    foreign.lock();
    std::memset(foreign.data(), '1', 64);
    foreign.unlock();

    QString text;
    bool changed = false;
    EXPECT_FALSE(m_Other.ReadMemIfChanged(text, changed));
    EXPECT_TRUE(m_Other.GetLastError().startsWith(kInvalidData));
    EXPECT_FALSE(m_Other.IsAttached()) << "an object that did not create the segment detaches again";
}

TEST_F(SharedMemTest, ErrorTexts)
{
    EXPECT_FALSE(m_Writer.CreateIfNeeded(0));
    EXPECT_EQ(m_Writer.GetLastError(), QStringLiteral("The size of the shared memory segment must be non-zero."));

    CVLQtSharedMem lonely;
    lonely.SetKey(m_Key + QStringLiteral("_missing"));
    EXPECT_FALSE(lonely.WriteMem(QStringLiteral("x")));
    EXPECT_TRUE(lonely.GetLastError().startsWith(QStringLiteral("Attaching failed. [")));
    QString text;
    bool changed = false;
    EXPECT_FALSE(lonely.ReadMemIfChanged(text, changed));

    lonely.SetLastError(QStringLiteral("Plain."), true);
    EXPECT_EQ(lonely.GetLastError(), QStringLiteral("Plain."));
}

TEST_F(SharedMemTest, SecondCreatorAttachesAndKeepsContent)
{
    ASSERT_TRUE(m_Writer.CreateIfNeeded(4096));
    ASSERT_TRUE(m_Writer.WriteMem(QStringLiteral("kept")));
    ASSERT_TRUE(m_Other.CreateIfNeeded(100));
    QString text;
    bool changed = false;
    ASSERT_TRUE(m_Other.ReadMemIfChanged(text, changed));
    EXPECT_EQ(text, QStringLiteral("kept"));
    EXPECT_TRUE(m_Other.Close());
    EXPECT_FALSE(m_Other.Close());
}

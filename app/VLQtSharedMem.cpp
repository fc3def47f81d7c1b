#include "VLQtSharedMem.h"

#include <QCoreApplication>

#include <cstring>
#include <exception>

const QString CVLQtSharedMem::m_gDateTimeFormatStr = QStringLiteral("MMddyyyyhhmmsszzz");

namespace
{
QString Tr(const char* text)
{
    return QCoreApplication::translate("CVLQtSharedMem", text);
}

const char* const kLockFailed = QT_TRANSLATE_NOOP("CVLQtSharedMem", "Could not lock the shared memory segment.");
const char* const kInvalidData = QT_TRANSLATE_NOOP("CVLQtSharedMem", "Invalid data encountered in the shared memory.");

// Holds the segment's system-wide lock for one read or write.
class SegmentLock
{
public:
    explicit SegmentLock(QSharedMemory& segment) : m_Segment(segment), m_bLocked(segment.lock()) {}
    ~SegmentLock()
    {
        if (m_bLocked)
            m_Segment.unlock();
    }
    SegmentLock(const SegmentLock&) = delete;
    SegmentLock& operator=(const SegmentLock&) = delete;
    bool IsLocked() const { return m_bLocked; }

private:
    QSharedMemory& m_Segment;
    bool m_bLocked;
};

// Both valid and the remembered stamp not earlier: nobody has written since.
bool IsUnchanged(const QDateTime& kept, const QDateTime& parsed)
{
    return kept.isValid() && parsed.isValid() && !(kept < parsed);
}
} // namespace

CVLQtSharedMem::CVLQtSharedMem() : m_bKeepAttached(false) {}

CVLQtSharedMem::~CVLQtSharedMem() = default;

void CVLQtSharedMem::SetLastError(const QString& text, bool withoutSystemText)
{
    m_LastError = text;
    if (withoutSystemText)
        return;
    const QString systemText = m_Segment.errorString();
    if (systemText.isEmpty())
        return;
    if (!m_LastError.isEmpty())
        m_LastError += QLatin1Char(' ');
    m_LastError += QStringLiteral("[%1]").arg(systemText);
}

bool CVLQtSharedMem::GetWasLastErrLockTimeoutErr() const
{
    return m_Segment.error() == QSharedMemory::LockError;
}

void CVLQtSharedMem::HandleStandardException(const QString& function)
{
    SetLastError(Tr(QT_TRANSLATE_NOOP("CVLQtSharedMem", "An unexpected error occurred in %0().")).replace(QLatin1String("%0"), function), true);
}

QDateTime CVLQtSharedMem::StampString(QString& text) const
{
    const QDateTime now = QDateTime::currentDateTime();
    text.prepend(now.toString(m_gDateTimeFormatStr));
    return now;
}

bool CVLQtSharedMem::CreateIfNeeded(unsigned size)
{
    if (size == 0)
    {
        SetLastError(Tr(QT_TRANSLATE_NOOP("CVLQtSharedMem", "The size of the shared memory segment must be non-zero.")), true);
        return false;
    }
    if (m_Segment.create(int(size + kStampLength), QSharedMemory::ReadWrite))
    {
        m_bKeepAttached = true;
        SegmentLock lock(m_Segment);
        if (!lock.IsLocked())
        {
            SetLastError(Tr(QT_TRANSLATE_NOOP("CVLQtSharedMem", "Could not lock the memory to initialize it.")), false);
            return false;
        }
        std::memset(m_Segment.data(), 0, size_t(m_Segment.size()));
        return true;
    }
    if (m_Segment.error() == QSharedMemory::AlreadyExists)
    {
        if (m_Segment.isAttached() || m_Segment.attach(QSharedMemory::ReadWrite))
        {
            m_bKeepAttached = true;
            return true;
        }
    }
    SetLastError(Tr(QT_TRANSLATE_NOOP("CVLQtSharedMem", "Creating the memory failed.")), false);
    return false;
}

bool CVLQtSharedMem::AttachIfNeeded(bool reportError)
{
    if (m_Segment.isAttached() || m_Segment.attach(QSharedMemory::ReadWrite))
        return true;
    if (reportError)
        SetLastError(Tr(QT_TRANSLATE_NOOP("CVLQtSharedMem", "Attaching failed.")), false);
    return false;
}

void CVLQtSharedMem::DetachUnlessKept()
{
    if (!m_bKeepAttached && m_Segment.isAttached())
        m_Segment.detach();
}

bool CVLQtSharedMem::ReadSegmentText(QByteArray& text) const
{
    const char* data = static_cast<const char*>(m_Segment.constData());
    const int size = m_Segment.size();
    if (data == nullptr || size <= 0)
        return false;
    const void* nul = std::memchr(data, 0, size_t(size));
    if (nul == nullptr)
        return false;
    text = QByteArray(data, int(static_cast<const char*>(nul) - data));
    return true;
}

bool CVLQtSharedMem::StoreSegmentText(const QByteArray& bytes)
{
    if (m_Segment.data() == nullptr || qint64(bytes.size()) + 1 > qint64(m_Segment.size()))
        return false;
    char* data = static_cast<char*>(m_Segment.data());
    std::memcpy(data, bytes.constData(), size_t(bytes.size()));
    data[bytes.size()] = '\0';
    return true;
}

bool CVLQtSharedMem::WriteMem(const QString& text)
{
    try
    {
        if (!AttachIfNeeded(true))
            return false;
        bool result = false;
        {
            SegmentLock lock(m_Segment);
            if (!lock.IsLocked())
                SetLastError(Tr(kLockFailed), false);
            else
            {
                QString stamped = text;
                m_LastStamp = StampString(stamped);
                result = StoreSegmentText(stamped.toUtf8());
                if (!result)
                    SetLastError(Tr(QT_TRANSLATE_NOOP("CVLQtSharedMem", "Write request was greater than the size of the shared memory.")), false);
            }
        }
        DetachUnlessKept();
        return result;
    }
    catch (...)
    {
        HandleStandardException(QStringLiteral("CVLQtSharedMem::WriteMem"));
        return false;
    }
}

bool CVLQtSharedMem::TakeSegmentStamp(QString& text, bool& unchanged)
{
    QByteArray bytes;
    if (!ReadSegmentText(bytes) || bytes.size() < kStampLength)
    {
        SetLastError(Tr(kInvalidData), false);
        return false;
    }
    text = QString::fromUtf8(bytes);
    const QDateTime kept = m_LastStamp;
    m_LastStamp = QDateTime::fromString(text.left(kStampLength), m_gDateTimeFormatStr);
    unchanged = IsUnchanged(kept, m_LastStamp);
    return true;
}

bool CVLQtSharedMem::WriteMemIfNotChanged(bool& changed, QString* current)
{
    try
    {
        if (!AttachIfNeeded(true))
            return false;
        bool result = false;
        {
            SegmentLock lock(m_Segment);
            QString segmentText;
            bool unchanged = false;
            if (!lock.IsLocked())
                SetLastError(Tr(kLockFailed), false);
            else if (TakeSegmentStamp(segmentText, unchanged))
            {
                if (unchanged)
                {
                    QString fresh;
                    m_LastStamp = StampString(fresh);
                    result = StoreSegmentText(fresh.toUtf8());
                }
                else
                {
                    changed = true;
                    result = true;
                    if (current != nullptr)
                    {
                        if (segmentText.size() < kStampLength)
                        {
                            SetLastError(Tr(kInvalidData), false);
                            result = false;
                        }
                        else
                            *current = segmentText.mid(kStampLength);
                    }
                }
            }
        }
        DetachUnlessKept();
        return result;
    }
    catch (...)
    {
        HandleStandardException(QStringLiteral("CVLQtSharedMem::WriteMemIfNotChanged"));
        return false;
    }
}

bool CVLQtSharedMem::ReadMemIfChanged(QString& text, bool& changed)
{
    try
    {
        text = QLatin1String("");
        changed = false;
        if (!AttachIfNeeded(false))
            return false;
        bool result = false;
        {
            SegmentLock lock(m_Segment);
            bool unchanged = false;
            if (!lock.IsLocked())
                SetLastError(Tr(kLockFailed), false);
            else if (TakeSegmentStamp(text, unchanged))
            {
                if (unchanged)
                    text = QString();
                else
                {
                    changed = true;
                    text.remove(0, kStampLength);
                }
                result = true;
            }
        }
        DetachUnlessKept();
        return result;
    }
    catch (...)
    {
        HandleStandardException(QStringLiteral("CVLQtSharedMem::ReadMemIfChanged"));
        return false;
    }
}

bool CVLQtSharedMem::Close()
{
    try
    {
        if (!m_Segment.isAttached())
            return false;
        return m_Segment.detach();
    }
    catch (...)
    {
        HandleStandardException(QStringLiteral("CVLQtSharedMem::Close"));
        return false;
    }
}

#pragma once

#include <QDateTime>
#include <QSharedMemory>
#include <QString>

// Hands a link to a running native client through a named shared-memory segment.
// Every text in the segment starts with a 17-character local-time stamp; each party
// remembers the last stamp it wrote or read, so "has somebody else written since?"
// needs no other signalling. All operations return false on failure and leave the
// reason in GetLastError(); a failed operation never changes the segment's content.
class CVLQtSharedMem
{
public:
    CVLQtSharedMem();
    virtual ~CVLQtSharedMem();

    void SetKey(const QString& key) { m_Segment.setKey(key); }
    QString GetKey() const { return m_Segment.key(); }

    // Creates the segment (size + 17 bytes, zero-filled) or attaches to an existing one;
    // either way the object stays attached afterwards.
    bool CreateIfNeeded(unsigned size);
    bool WriteMem(const QString& text);
    // `changed` must be false on entry; `current` may be null.
    bool WriteMemIfNotChanged(bool& changed, QString* current);
    bool ReadMemIfChanged(QString& text, bool& changed);
    bool Close();

    QDateTime StampString(QString& text) const;
    void SetLastError(const QString& text, bool withoutSystemText);
    const QString& GetLastError() const { return m_LastError; }
    bool GetWasLastErrLockTimeoutErr() const;
    bool IsAttached() const { return m_Segment.isAttached(); }
    const QDateTime& GetLastStamp() const { return m_LastStamp; }

    static const QString m_gDateTimeFormatStr;
    enum
    {
        kStampLength = 17
    };

private:
    bool AttachIfNeeded(bool reportError);
    void DetachUnlessKept();
    // Copies the NUL-terminated text at offset 0; false when no NUL lies inside the segment.
    bool ReadSegmentText(QByteArray& text) const;
    // With the lock held: the segment's text and whether its stamp is the one last seen here
    // (the parsed stamp becomes the last stamp). False, with the error set, for invalid data.
    bool TakeSegmentStamp(QString& text, bool& unchanged);
    // Copies the bytes and a NUL to offset 0; false (and the segment untouched) when they do not fit.
    bool StoreSegmentText(const QByteArray& bytes);
    void HandleStandardException(const QString& function);

    QSharedMemory m_Segment;
    QString m_LastError;
    QDateTime m_LastStamp;
    bool m_bKeepAttached;
};

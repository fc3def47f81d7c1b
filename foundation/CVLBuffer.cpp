#include "CVLBuffer.h"

#include <cstdlib>
#include <cstring>
#include <new>

CVLBuffer::CVLBuffer(unsigned size)
{
    ReAlloc(size);
}

CVLBuffer::CVLBuffer(const CVLBuffer& other) : IVLEncryptableBuffer()
{
    // The source's own (non-virtual) view: a copy under construction has no derived type yet.
    if (other.m_Data && other.m_Size) {
        m_Data = static_cast<char*>(std::malloc(other.m_Size));
        if (!m_Data)
            throw std::bad_alloc();
        std::memcpy(m_Data, other.m_Data, other.m_Size);
        m_Size = other.m_Size;
    }
}

CVLBuffer::~CVLBuffer()
{
    std::free(m_Data);
}

CVLBuffer& CVLBuffer::operator=(const CVLBuffer& other)
{
    CopyFrom(&other);
    return *this;
}

void CVLBuffer::CopyFrom(const CVLBuffer* other)
{
    if (other == this)
        return;
    if (!other || !other->m_Data || other->m_Size == 0) {
        CVLBuffer::FreeBuffer();
        return;
    }
    // Allocate first so that a failure leaves this buffer as it was.
    char* block = static_cast<char*>(std::malloc(other->m_Size));
    if (!block)
        throw std::bad_alloc();
    std::memcpy(block, other->m_Data, other->m_Size);
    std::free(m_Data);
    m_Data = block;
    m_Size = other->m_Size;
}

CVLBuffer& CVLBuffer::operator=(const char* text)
{
    if (!text)
        return *this;
    size_t n = std::strlen(text);
    if (n >= 0xFFFFFFFFu)
        throw std::bad_alloc();
    unsigned need = static_cast<unsigned>(n) + 1;
    // Text inside our own block already fits (its NUL is in the block), so only
    // outside text can make the block grow; memmove covers the overlapping case.
    if (m_Size < need)
        CVLBuffer::ReAlloc(need);
    std::memmove(m_Data, text, need);
    return *this;
}

CVLBuffer& CVLBuffer::operator+=(const CVLBuffer& other)
{
    if (&other == this) {
        CVLBuffer copy(other);
        AppendToBuffer(copy.m_Data, copy.m_Size);
    } else {
        AppendToBuffer(other.GetBufferPtr(), other.GetLength());
    }
    return *this;
}

void CVLBuffer::AppendToBuffer(const void* bytes, unsigned count)
{
    if (!bytes || count == 0)
        return;
    if (count > 0xFFFFFFFFu - m_Size)
        throw std::bad_alloc();
    unsigned old = m_Size;
    const char* src = static_cast<const char*>(bytes);
    bool inside = m_Data && src >= m_Data && src < m_Data + m_Size;
    size_t offset = inside ? static_cast<size_t>(src - m_Data) : 0;
    CVLBuffer::ReAlloc(old + count);
    if (inside)
        src = m_Data + offset;
    std::memmove(m_Data + old, src, count);
}

bool CVLBuffer::BufferCompare(const CVLBuffer& other) const
{
    if (GetBufferLength() != other.GetBufferLength())
        return false;
    if (m_Size == 0)
        return true;
    return std::memcmp(m_Data, other.m_Data, m_Size) == 0;
}

void CVLBuffer::SetBuffer(void* block, unsigned size)
{
    m_Data = static_cast<char*>(block);
    m_Size = block ? size : 0;
}

void CVLBuffer::StealContentsFrom(CVLBuffer& other)
{
    if (&other == this)
        return;
    std::free(m_Data);
    m_Data = other.m_Data;
    m_Size = other.m_Size;
    other.m_Data = nullptr;
    other.m_Size = 0;
}

unsigned CVLBuffer::GetLength() const
{
    return m_Size;
}

unsigned CVLBuffer::GetBufferLength() const
{
    return m_Size;
}

const char* CVLBuffer::GetBufferPtr() const
{
    return m_Data;
}

char* CVLBuffer::GetNonConstBufferPtr()
{
    return m_Data;
}

bool CVLBuffer::ReAlloc(unsigned size)
{
    if (size == 0) {
        std::free(m_Data);
        m_Data = nullptr;
        m_Size = 0;
        return false;
    }
    if (size == m_Size && m_Data)
        return true;
    // realloc keeps the old block untouched when it fails.
    void* block = std::realloc(m_Data, size);
    if (!block)
        throw std::bad_alloc();
    m_Data = static_cast<char*>(block);
    m_Size = size;
    return true;
}

void CVLBuffer::ClearBuffer()
{
    if (m_Data && m_Size)
        std::memset(m_Data, 0, m_Size);
}

void CVLBuffer::FreeBuffer()
{
    std::free(m_Data);
    m_Data = nullptr;
    m_Size = 0;
}

bool CVLBuffer::GrowTo(unsigned size, bool keepContents)
{
    if (m_Size >= size)
        return m_Data != nullptr;
    return keepContents ? ReAlloc(size) : Alloc(size);
}

bool CVLBuffer::Alloc(unsigned size)
{
    if (size != m_Size)
        return ReAlloc(size);
    return m_Data != nullptr;
}

void CVLBuffer::dealloc_buff(void* block)
{
    std::free(block);
}

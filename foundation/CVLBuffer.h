#pragma once

#include "IVLEncryptableBuffer.h"

// A heap block of bytes whose size is exactly its allocation. Blocks come from malloc/realloc
// and are released with free. The buffer owns its block: copies copy it, destruction frees it.
// Growth never over-allocates; a failed growth throws std::bad_alloc and leaves the block as it was.
class CVLBuffer : public IVLEncryptableBuffer
{
public:
    // Constant-initialised, so static empty buffers are usable at any time.
    constexpr CVLBuffer() = default;
    // Allocates size bytes; the contents are undefined.
    explicit CVLBuffer(unsigned size);
    // Copies the source's whole allocated block.
    CVLBuffer(const CVLBuffer& other);
    ~CVLBuffer() override;

    CVLBuffer& operator=(const CVLBuffer& other);
    // Null does nothing; otherwise grows (never shrinks) to hold the text and its NUL, and copies both.
    CVLBuffer& operator=(const char* text);
    // Appends the other buffer's GetLength() bytes; the block grows by exactly that many bytes.
    CVLBuffer& operator+=(const CVLBuffer& other);

    // Same as operator=; null leaves this buffer empty.
    void CopyFrom(const CVLBuffer* other);
    // Appends count bytes at the end of the block; null or 0 does nothing.
    void AppendToBuffer(const void* bytes, unsigned count);
    // True when both allocations have the same size and the same bytes.
    bool BufferCompare(const CVLBuffer& other) const;
    // Adopts a malloc'd block of size bytes. The current block is NOT released: the caller owns it.
    void SetBuffer(void* block, unsigned size);
    // Frees the own block, takes the other's block and size, and leaves the other empty.
    void StealContentsFrom(CVLBuffer& other);

    unsigned GetLength() const override;
    unsigned GetBufferLength() const override;
    const char* GetBufferPtr() const override;
    char* GetNonConstBufferPtr() override;
    bool ReAlloc(unsigned size) override;

    // Sets every allocated byte to 0.
    virtual void ClearBuffer();
    // Frees the block; size becomes 0.
    virtual void FreeBuffer();
    // Does nothing when the block already has size bytes; else ReAlloc (keep) or Alloc.
    virtual bool GrowTo(unsigned size, bool keepContents);
    // Resizes to exactly size bytes when the size differs.
    virtual bool Alloc(unsigned size);

    static void dealloc_buff(void* block);

protected:
    unsigned m_Size = 0;
    char* m_Data = nullptr;
};

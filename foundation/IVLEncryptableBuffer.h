#pragma once

// The view of a byte block that the session cipher needs to work on it in place.
class IVLEncryptableBuffer
{
public:
    virtual ~IVLEncryptableBuffer() = default;

    // Number of meaningful bytes (for a plain buffer: the allocation).
    virtual unsigned GetLength() const = 0;
    // Number of bytes allocated.
    virtual unsigned GetBufferLength() const = 0;
    // Read pointer to the first byte; null when nothing is allocated (strings answer "" instead).
    virtual const char* GetBufferPtr() const = 0;
    // Write pointer to the first byte; null when nothing is allocated.
    virtual char* GetNonConstBufferPtr() = 0;
    // Resizes the block to exactly size bytes keeping the leading bytes (0 frees it).
    // Throws std::bad_alloc when the block cannot be enlarged; the old block is then unchanged.
    // Returns whether a block is present afterwards.
    virtual bool ReAlloc(unsigned size) = 0;
};

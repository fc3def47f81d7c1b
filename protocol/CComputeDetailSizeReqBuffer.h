#pragma once

#include "CVLReqBuffer.h"

// Counts the bytes that writes would append instead of storing them, so that a request can
// reserve its real buffer in one allocation. Holds only the cleared header (texts therefore
// count as UTF-8) and a counter of detail bytes.
class CComputeDetailSizeReqBuffer : public CVLReqBuffer
{
public:
    CComputeDetailSizeReqBuffer();
    ~CComputeDetailSizeReqBuffer() override;

    void ClearBuffer() override;
    bool ReAlloc(unsigned size) override;
    bool GrowTo(unsigned size, bool keepContents) override;
    bool Alloc(unsigned size) override;
    bool SetUIntAt(unsigned offset, unsigned value) override;
    unsigned GetDetailLength() const override;
    using CVLReqBuffer::AddDetail;
    bool AddDetail(const void* bytes, unsigned count) override;
    bool AddDetailWithLen(const void* bytes, unsigned count) override;

    // The counted details plus the header plus one spare byte: a buffer grows as soon as a
    // write would reach its allocated end.
    unsigned GetComputedSizeForNoReallocs() const;

private:
    unsigned long long m_DetailSize = 0;
};

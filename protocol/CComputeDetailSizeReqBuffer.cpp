#include "CComputeDetailSizeReqBuffer.h"

CComputeDetailSizeReqBuffer::CComputeDetailSizeReqBuffer() : CVLReqBuffer(NoAllocation())
{
}

CComputeDetailSizeReqBuffer::~CComputeDetailSizeReqBuffer() = default;

void CComputeDetailSizeReqBuffer::ClearBuffer()
{
    m_DetailSize = 0;
}

bool CComputeDetailSizeReqBuffer::ReAlloc(unsigned)
{
    return true;
}

bool CComputeDetailSizeReqBuffer::GrowTo(unsigned, bool)
{
    return true;
}

bool CComputeDetailSizeReqBuffer::Alloc(unsigned)
{
    return true;
}

bool CComputeDetailSizeReqBuffer::SetUIntAt(unsigned, unsigned)
{
    return true;
}

unsigned CComputeDetailSizeReqBuffer::GetDetailLength() const
{
    return m_DetailSize > kMaxAllocation ? kMaxAllocation : static_cast<unsigned>(m_DetailSize);
}

bool CComputeDetailSizeReqBuffer::AddDetail(const void*, unsigned count)
{
    m_DetailSize += count;
    return true;
}

bool CComputeDetailSizeReqBuffer::AddDetailWithLen(const void*, unsigned count)
{
    m_DetailSize += static_cast<unsigned long long>(count) + 4;
    return true;
}

unsigned CComputeDetailSizeReqBuffer::GetComputedSizeForNoReallocs() const
{
    const unsigned long long size = m_DetailSize + kHeaderSize + 1;
    return size > kMaxAllocation ? kMaxAllocation : static_cast<unsigned>(size);
}

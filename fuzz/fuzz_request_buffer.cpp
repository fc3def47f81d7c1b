// Any bytes as a received request buffer. Beyond not crashing: a buffer with a header always
// gives an object, that object can be written out again (with and without the size count, the
// same bytes), and what it writes is a fixed point: read back and written again, it does not
// change any more.

#include <memory>
#include <string>

#include "CVLReqBuffer.h"
#include "CVLRequest.h"
#include "FuzzSupport.h"

namespace {

std::string BufferBytes(const CVLReqBuffer& buffer)
{
    return std::string(buffer.GetBufferPtr(), buffer.GetLength());
}

// The object for bytes as the socket would build it; null only for a buffer without a header.
std::unique_ptr<CVLRequest> Construct(const std::string& bytes)
{
    CVLBuffer block;
    block.AppendToBuffer(bytes.data(), static_cast<unsigned>(bytes.size()));
    CVLReqBuffer received;
    received.LoadBufferFromBuffer(block);
    return std::unique_ptr<CVLRequest>(CVLRequest::ConstructRequestFromBuffer(received));
}

std::string Serialise(CVLRequest& request, bool precompute)
{
    CVLReqBuffer* raw = nullptr;
    const bool ok = request.ConvertRequestToBuffer(raw, precompute);
    std::unique_ptr<CVLReqBuffer> buffer(raw);
    FUZZ_CHECK(ok);
    FUZZ_CHECK(buffer != nullptr);
    FUZZ_CHECK(buffer->GetLength() >= CVLReqBuffer::kHeaderSize);
    FUZZ_CHECK(static_cast<unsigned char>(buffer->GetBufferPtr()[0]) == CVLReqBuffer::kRequestVersion);
    return BufferBytes(*buffer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 256 * 1024)
        return 0;
    // Fewer bytes than a header are not loaded at all (the buffer stays a cleared one).
    if (size < CVLReqBuffer::kHeaderSize)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<CVLRequest> object = Construct(input);
    FUZZ_CHECK(object != nullptr);

    // Exercise the other entry points a received object meets.
    CVLString text;
    object->GetErrorText(text);
    object->GetAddlInfoForReqLogger(text);
    object->ValidateRequest();

    const std::string first = Serialise(*object, true);
    FUZZ_CHECK(Serialise(*object, false) == first);

    std::unique_ptr<CVLRequest> again = Construct(first);
    FUZZ_CHECK(again != nullptr);
    const CVLRequest& firstObject = *object;
    const CVLRequest& secondObject = *again;
    FUZZ_CHECK(typeid(secondObject) == typeid(firstObject));
    const std::string second = Serialise(*again, true);
    std::unique_ptr<CVLRequest> third = Construct(second);
    FUZZ_CHECK(third != nullptr);
    const std::string thirdBytes = Serialise(*third, true);
    if (thirdBytes != second)
        std::fprintf(stderr, "type %u: written form changes on the second round (%zu -> %zu bytes)\n",
                     static_cast<unsigned>(object->GetRequestType()), second.size(), thirdBytes.size());
    FUZZ_CHECK(thirdBytes == second);

    // Clearing leaves an object that still writes out.
    object->ClearRequest();
    Serialise(*object, true);
    return 0;
}

#include "VLInternationalizedDomainName.h"

#include <QString>
#include <QVector>
#include <string>
#include <vector>

#include "VLPunycode.h"

namespace {

const char kACEPrefix[] = "xn--";
const unsigned kACEPrefixLength = 4;
const punycode_uint kWorkAreaSize = 500;

bool IsPureASCII(const std::string& text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

// Splits at every "." (empty labels included), converts each label and joins them again.
template <typename LabelFunction>
std::string ConvertLabels(const CVLString& host, LabelFunction convert)
{
    const std::string text(host.GetBufferPtr(), host.GetLength());
    std::string result;
    result.reserve(text.size());
    size_t start = 0;
    for (;;) {
        const size_t dot = text.find('.', start);
        const std::string label = text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        result += convert(label);
        if (dot == std::string::npos)
            break;
        result += '.';
        start = dot + 1;
    }
    return result;
}

std::string EncodeLabel(const std::string& label)
{
    if (IsPureASCII(label))
        return label;
    const QVector<uint> codePoints = QString::fromUtf8(label.data(), static_cast<int>(label.size())).toUcs4();
    char work[kWorkAreaSize];
    punycode_uint written = kWorkAreaSize;
    // The status is not consulted: whatever fitted is used.
    punycode_encode(static_cast<punycode_uint>(codePoints.size()), codePoints.constData(), nullptr, &written, work);
    return std::string(kACEPrefix) + std::string(work, written);
}

std::string DecodeLabel(const std::string& label)
{
    if (label.compare(0, kACEPrefixLength, kACEPrefix) != 0 || !IsPureASCII(label))
        return label;
    std::vector<punycode_uint> work(kWorkAreaSize, 0);
    punycode_uint produced = kWorkAreaSize;
    const std::string encoded = label.substr(kACEPrefixLength);
    if (punycode_decode(static_cast<punycode_uint>(encoded.size()), encoded.data(), &produced, work.data(), nullptr)
        != punycode_success)
        return label;  // not Punycode after all: a half-decoded label would name another host
    const QString decoded = QString::fromUcs4(work.data(), static_cast<int>(produced));
    const QByteArray utf8 = decoded.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

CVLString FromBytes(const std::string& bytes)
{
    return CVLString(CVLString::UTF8, bytes.data(), static_cast<unsigned>(bytes.size()));
}

}  // namespace

void InternationalizedDomainName(const CVLString& host, CVLString& out)
{
    if (host.GetCharLength() == host.GetLength()) {
        out = host;
        return;
    }
    out = FromBytes(ConvertLabels(host, EncodeLabel));
}

void LocalizeInternationalizedDomainName(const CVLString& host, CVLString& out)
{
    out = FromBytes(ConvertLabels(host, DecodeLabel));
}

#include "VLPunycode.h"

#include <climits>
#include <cstring>

namespace {

// Bootstring parameters for Punycode.
const punycode_uint kBase = 36;
const punycode_uint kTMin = 1;
const punycode_uint kTMax = 26;
const punycode_uint kSkew = 38;
const punycode_uint kDamp = 700;
const punycode_uint kInitialBias = 72;
const punycode_uint kInitialN = 0x80;
const char kDelimiter = '-';
const punycode_uint kMaxInt = UINT_MAX;
const punycode_uint kMaxCodePoint = 0x10FFFF;

bool IsBasic(punycode_uint cp)
{
    return cp < 0x80;
}

bool IsDelimiter(punycode_uint cp)
{
    return cp == static_cast<punycode_uint>(kDelimiter);
}

// Digit value of a basic code point, kBase when it is not a digit.
punycode_uint DecodeDigit(punycode_uint cp)
{
    if (cp - '0' < 10)
        return cp - '0' + 26;
    if (cp - 'A' < 26)
        return cp - 'A';
    if (cp - 'a' < 26)
        return cp - 'a';
    return kBase;
}

// Basic code point of a digit (0..35): a-z for 0..25, 0-9 for 26..35; upper case when flagged.
char EncodeDigit(punycode_uint d, bool upper)
{
    if (d < 26)
        return static_cast<char>((upper ? 'A' : 'a') + d);
    return static_cast<char>('0' + (d - 26));
}

// A basic code point forced to the case the flag asks for (letters only).
char EncodeBasic(punycode_uint bcp, bool upper)
{
    if (upper && bcp - 'a' < 26)
        bcp -= 'a' - 'A';
    else if (!upper && bcp - 'A' < 26)
        bcp += 'a' - 'A';
    return static_cast<char>(bcp);
}

bool IsFlagged(punycode_uint bcp)
{
    return bcp - 'A' < 26;
}

punycode_uint Adapt(punycode_uint delta, punycode_uint numPoints, bool firstTime)
{
    delta = firstTime ? delta / kDamp : delta >> 1;
    delta += delta / numPoints;
    punycode_uint k = 0;
    while (delta > ((kBase - kTMin) * kTMax) / 2) {
        delta /= kBase - kTMin;
        k += kBase;
    }
    return k + (kBase - kTMin + 1) * delta / (delta + kSkew);
}

punycode_uint Threshold(punycode_uint k, punycode_uint bias)
{
    if (k <= bias)
        return kTMin;
    if (k >= bias + kTMax)
        return kTMax;
    return k - bias;
}

}  // namespace

enum punycode_status punycode_encode(punycode_uint input_length, const punycode_uint input[],
                                     const unsigned char case_flags[], punycode_uint* output_length, char output[])
{
    const punycode_uint maxOut = *output_length;
    punycode_uint out = 0;
    *output_length = 0;

    // The basic code points come first, as they are.
    for (punycode_uint j = 0; j < input_length; ++j) {
        if (IsBasic(input[j])) {
            if (maxOut - out < 2)
                return punycode_big_output;
            output[out++] = case_flags ? EncodeBasic(input[j], case_flags[j] != 0) : static_cast<char>(input[j]);
            *output_length = out;
        }
    }

    const punycode_uint basicCount = out;
    punycode_uint handled = out;
    if (basicCount > 0) {
        output[out++] = kDelimiter;
        *output_length = out;
    }

    punycode_uint n = kInitialN;
    punycode_uint delta = 0;
    punycode_uint bias = kInitialBias;

    while (handled < input_length) {
        // The smallest code point not yet handled.
        punycode_uint m = kMaxInt;
        for (punycode_uint j = 0; j < input_length; ++j)
            if (input[j] >= n && input[j] < m)
                m = input[j];

        if (m - n > (kMaxInt - delta) / (handled + 1))
            return punycode_overflow;
        delta += (m - n) * (handled + 1);
        n = m;

        for (punycode_uint j = 0; j < input_length; ++j) {
            if (input[j] < n) {
                if (++delta == 0)
                    return punycode_overflow;
            }
            if (input[j] == n) {
                // delta as a variable-length integer.
                punycode_uint q = delta;
                for (punycode_uint k = kBase;; k += kBase) {
                    if (out >= maxOut)
                        return punycode_big_output;
                    const punycode_uint t = Threshold(k, bias);
                    if (q < t)
                        break;
                    output[out++] = EncodeDigit(t + (q - t) % (kBase - t), false);
                    *output_length = out;
                    q = (q - t) / (kBase - t);
                }
                output[out++] = EncodeDigit(q, case_flags && case_flags[j] != 0);
                *output_length = out;
                bias = Adapt(delta, handled + 1, handled == basicCount);
                delta = 0;
                ++handled;
            }
        }
        ++delta;
        ++n;
    }

    *output_length = out;
    return punycode_success;
}

enum punycode_status punycode_decode(punycode_uint input_length, const char input[], punycode_uint* output_length,
                                     punycode_uint output[], unsigned char case_flags[])
{
    const punycode_uint maxOut = *output_length;
    *output_length = 0;

    // The basic code points are those before the last delimiter.
    punycode_uint b = 0;
    for (punycode_uint j = 0; j < input_length; ++j)
        if (IsDelimiter(static_cast<unsigned char>(input[j])))
            b = j;
    if (b > maxOut)
        return punycode_big_output;

    punycode_uint out = 0;
    for (; out < b; ++out) {
        const punycode_uint cp = static_cast<unsigned char>(input[out]);
        if (!IsBasic(cp))
            return punycode_bad_input;
        if (case_flags)
            case_flags[out] = IsFlagged(cp);
        output[out] = cp;
    }

    punycode_uint n = kInitialN;
    punycode_uint i = 0;
    punycode_uint bias = kInitialBias;

    for (punycode_uint in = b > 0 ? b + 1 : 0; in < input_length; ++out) {
        // One variable-length integer: the next insertion as a delta of i.
        const punycode_uint oldi = i;
        punycode_uint w = 1;
        for (punycode_uint k = kBase;; k += kBase) {
            if (in >= input_length)
                return punycode_bad_input;
            const punycode_uint digit = DecodeDigit(static_cast<unsigned char>(input[in++]));
            if (digit >= kBase)
                return punycode_bad_input;
            if (digit > (kMaxInt - i) / w)
                return punycode_overflow;
            i += digit * w;
            const punycode_uint t = Threshold(k, bias);
            if (digit < t)
                break;
            if (w > kMaxInt / (kBase - t))
                return punycode_overflow;
            w *= kBase - t;
        }

        bias = Adapt(i - oldi, out + 1, oldi == 0);

        // i wrapped around from out + 1 to 0 once for every increment of n.
        if (i / (out + 1) > kMaxInt - n)
            return punycode_overflow;
        n += i / (out + 1);
        i %= out + 1;

        // A basic code point may not be encoded, and the result must be Unicode text.
        if (IsBasic(n) || n > kMaxCodePoint || (n >= 0xD800 && n <= 0xDFFF))
            return punycode_bad_input;
        if (out >= maxOut)
            return punycode_big_output;

        if (case_flags) {
            std::memmove(case_flags + i + 1, case_flags + i, out - i);
            // The case of the last digit decides the case of the code point.
            case_flags[i] = IsFlagged(static_cast<unsigned char>(input[in - 1]));
        }
        std::memmove(output + i + 1, output + i, (out - i) * sizeof(*output));
        output[i++] = n;
    }

    *output_length = out;
    return punycode_success;
}

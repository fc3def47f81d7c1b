#pragma once

// A point in time held as seconds since 0000-01-01 00:00 GMT (proleptic Gregorian
// calendar) together with an is-set flag. Only what file times need is here: the value,
// the flag and the conversion to and from seconds since 1970.
class CMVDateTime
{
public:
    // Seconds between 0000-01-01 00:00 GMT and 1970-01-01 00:00 GMT (719528 days).
    static constexpr double kSecondsFrom0000To1970 = 62167219200.0;

    CMVDateTime() = default;
    explicit CMVDateTime(double secondsSince0000) : m_seconds(secondsSince0000), m_isSet(true) {}

    static CMVDateTime FromSecondsSince1970(double secondsSince1970);

    bool IsSet() const { return m_isSet; }
    void Clear();

    double GetSeconds() const { return m_seconds; }
    void SetSeconds(double secondsSince0000);

    // Meaningful only when IsSet().
    double GetSecondsSince1970() const { return m_seconds - kSecondsFrom0000To1970; }
    void SetSecondsSince1970(double secondsSince1970);

    bool operator==(const CMVDateTime& other) const;
    bool operator!=(const CMVDateTime& other) const { return !(*this == other); }

private:
    double m_seconds = 0.0;
    bool m_isSet = false;
};

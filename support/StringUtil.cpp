#include "support/StringUtil.h"

#include "support/Log.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The "C" locale's classes, spelled out so a locale set elsewhere in the
// process cannot change them.
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsAlnum(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Inserts the thousands separator before the last 3, then 7, then 11 bytes of
// a run of digits, as long as the text is longer than that.
std::string GroupDigits(std::string digits)
{
    for (size_t tail = 3; tail <= 11; tail += 4) {
        if (digits.size() <= tail)
            break;
        digits.insert(digits.size() - tail, 1, ThousandsSeparator());
    }
    return digits;
}

}  // namespace

std::string TrimLeft(const std::string& text)
{
    size_t start = 0;
    while (start < text.size() && IsSpace(text[start]))
        ++start;
    return text.substr(start);
}

std::string TrimRight(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && IsSpace(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::string Trim(const std::string& text)
{
    return TrimRight(TrimLeft(text));
}

std::string ToUpper(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

std::string ToLower(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

std::string ReplaceAll(const std::string& text, const std::string& pattern,
                       const std::string& replacement)
{
    if (pattern.empty()) {
        WriteLog("ReplaceAll(): empty pattern ignored");
        return text;
    }
    // One forward pass: the search goes on after each inserted replacement,
    // so text the replacement forms with its neighbours is never rescanned
    // (rescanning can grow the text for ever).
    std::string result = text;
    size_t from = 0;
    for (;;) {
        size_t found = result.find(pattern, from);
        if (found == std::string::npos)
            break;
        result.replace(found, pattern.size(), replacement);
        from = found + replacement.size();
    }
    return result;
}

std::string ReplaceChar(const std::string& text, char a, char b)
{
    return ReplaceAll(text, std::string(1, a), std::string(1, b));
}

std::vector<std::string> Split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> pieces;
    if (text.empty() || separator.empty())
        return pieces;
    size_t offset = 0;
    for (;;) {
        size_t found = text.find(separator, offset);
        if (found == std::string::npos)
            break;
        pieces.push_back(text.substr(offset, found - offset));
        offset = found + separator.size();
    }
    if (offset < text.size())
        pieces.push_back(text.substr(offset));
    return pieces;
}

std::string PadRight(const std::string& text, char pad, int width)
{
    std::string result = text;
    if (width > 0 && result.size() < static_cast<size_t>(width))
        result.append(static_cast<size_t>(width) - result.size(), pad);
    return result;
}

std::string PadLeft(const std::string& text, char pad, int width)
{
    std::string result = text;
    if (width > 0 && result.size() < static_cast<size_t>(width))
        result.insert(0, static_cast<size_t>(width) - result.size(), pad);
    return result;
}

std::string FormatLong(int64_t value, char pad, int width)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%" PRId64, value);
    // Zeros go between the sign and the digits, as printf's "%0*ld" puts them.
    if (value < 0 && pad == '0')
        return "-" + PadLeft(buffer + 1, pad, width > 0 ? width - 1 : 0);
    return PadLeft(buffer, pad, width);
}

std::string IntToString(int64_t value)
{
    return FormatLong(value, '0', 0);
}

std::string ByteToHex(int value)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    const unsigned byte = static_cast<unsigned>(value) & 0xFFu;
    return std::string{digits[byte >> 4], digits[byte & 0xFu]};
}

std::string FormatFixed2(double value)
{
    char buffer[32];
    int length = std::snprintf(buffer, sizeof buffer, "%.2f", value);
    if (length < 0)
        return std::string();
    if (static_cast<size_t>(length) < sizeof buffer)
        return std::string(buffer, static_cast<size_t>(length));
    // Values past about 1e29 print more digits than the stack buffer holds.
    std::string large(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&large[0], large.size(), "%.2f", value);
    large.resize(static_cast<size_t>(length));
    return large;
}

std::string GroupThousands(int64_t value)
{
    std::string text = IntToString(value);
    if (value < 0)
        return "-" + GroupDigits(text.substr(1));
    return GroupDigits(text);
}

std::string FormatDecimal(double value)
{
    // The integer part comes from the rounded text, so a carry from the
    // decimals reaches it (9.999 is '10,00', not '9,00').
    std::string text = FormatFixed2(value);
    if (!std::isfinite(value))
        return text;
    bool negative = !text.empty() && text[0] == '-';
    if (negative)
        text.erase(0, 1);
    size_t point = text.find('.');
    std::string digits = text.substr(0, point);
    std::string result = GroupDigits(digits);
    if (point != std::string::npos)
        result += DecimalSeparator() + text.substr(point + 1);
    // A value that rounds to zero shows no sign.
    if (negative && text.find_first_not_of("0.") != std::string::npos)
        result.insert(0, 1, '-');
    return result;
}

double ParseDecimal(const std::string& text)
{
    std::string plain = text;
    plain.erase(std::remove(plain.begin(), plain.end(), ThousandsSeparator()), plain.end());
    for (char& c : plain)
        if (c == DecimalSeparator())
            c = '.';
    return std::strtod(plain.c_str(), nullptr);
}

char DecimalSeparator() { return ','; }
char ThousandsSeparator() { return '.'; }

std::string UrlEncode(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (IsAlnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            result += c;
        } else {
            result += '%';
            result += ByteToHex(static_cast<unsigned char>(c));
        }
    }
    return result;
}

std::string UrlDecode(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        int high = -1, low = -1;
        if (text[i] == '%' && i + 2 < text.size()) {
            high = HexValue(text[i + 1]);
            low = HexValue(text[i + 2]);
        }
        if (high >= 0 && low >= 0) {
            int byte = high * 16 + low;
            if (byte != 0)
                result += static_cast<char>(byte);
            i += 2;
        } else {
            result += text[i];
        }
    }
    return result;
}

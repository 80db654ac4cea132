// The support library, which needs no X: StringUtil for text and numbers,
// DateTime for the calendar, FileUtil for paths and folders, BinaryFile and
// TextFile for file contents.
//
// Byte-string helpers used everywhere for building and parsing text.
// Every function takes its input by value or constant reference and returns a
// new string; bytes are bytes (no multi-byte awareness) and character classes
// are those of the "C" locale, whatever locale the process runs in.
// Numbers are written in Italian style: thousands ".", decimals ",".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::string Trim(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);

std::string ToUpper(const std::string& text);
std::string ToLower(const std::string& text);

// Replaces every occurrence in one forward pass, going on after each inserted
// replacement ('abbb', 'ab' -> 'a' gives 'abb'). An empty pattern is logged
// and changes nothing.
std::string ReplaceAll(const std::string& text, const std::string& pattern,
                       const std::string& replacement);
std::string ReplaceChar(const std::string& text, char a, char b);

// 'a,,b,' at ',' gives 'a', '', 'b'; empty text or separator gives nothing.
std::vector<std::string> Split(const std::string& text, const std::string& separator);

std::string PadRight(const std::string& text, char pad, int width);
std::string PadLeft(const std::string& text, char pad, int width);

// Zero padding goes after a minus sign ('-05'), other padding before it.
std::string FormatLong(int64_t value, char pad, int width);
std::string IntToString(int64_t value);
// Low 8 bits as two upper-case hexadecimal digits.
std::string ByteToHex(int value);
// "%.2f" with the C library's decimal point.
std::string FormatFixed2(double value);
// '1.234.567'; at most three separators. A minus sign stays in front.
std::string GroupThousands(int64_t value);
// '1.000,50'; rounding may carry into the integer part (9.999 gives '10,00').
std::string FormatDecimal(double value);
// '1.000,5' gives 1000.5; text that is not a number gives 0.
double ParseDecimal(const std::string& text);
char DecimalSeparator();
char ThousandsSeparator();

// Letters, digits and "-._~" stay, every other byte becomes %XX.
std::string UrlEncode(const std::string& text);
// %XX becomes its byte (a zero byte is dropped); a "%" without two hex digits
// after it is copied as it stands.
std::string UrlDecode(const std::string& text);

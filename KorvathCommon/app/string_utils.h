#pragma once
// Free functions on byte strings (UTF-8 in data, saves and the program) and wide strings (code points).

#include <cstdarg>
#include <string>
#include <vector>

#include "app/log.h"

// Cuts text at every delimiter; pieces trimmed of spaces, empty pieces dropped. Returns the piece count.
int SplitString(const char* text, char delimiter, std::vector<std::string>& pieces);
// Overwrites trailing spaces with zero bytes and returns a pointer to the first non-space character.
char* TrimSpaces(char* text);
// A copy without leading and trailing spaces and tabs.
std::string TrimBlanks(const std::string& text);
bool StringsEqual(const char* a, const char* b);

// ASCII letters lowered; bytes from 0x80 up (parts of UTF-8 sequences) are kept as they are.
std::string ToLower(const std::string& text);
// Upper case for the Latin, Greek and Cyrillic letters; other characters kept.
std::wstring ToUpperWide(const std::wstring& text);
std::wstring ToLowerWide(const std::wstring& text);

std::string FormatString(const char* format, ...) KORVATH_PRINTF(1, 2);
std::string FormatStringV(const char* format, va_list args);

// Each byte zero-extended to one character (no decoding).
std::wstring WidenBytes(const std::string& bytes);
// The one UTF-8 codec: invalid input decodes to U+FFFD; code points that cannot be encoded become U+FFFD.
std::wstring FromUtf8(const std::string& text);
std::string ToUtf8(const std::wstring& text);
// Byte form of a wide text: UTF-8.
std::string ToMultiByte(const std::wstring& text);

// Both "/" and "\\" separate folders.
std::string GetDirectory(const std::string& path, bool keepSeparator);
std::string GetBaseName(const std::string& path);
std::string CombinePath(const std::string& relative, const std::string& base);

// Numbers of the font descriptions: decimal with an optional "-", or "0x" hexadecimal.
bool ParseWideInt(const std::wstring& text, int& value);
bool ParseWideFloat(const std::wstring& text, float& value);

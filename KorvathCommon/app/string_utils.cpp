#include "app/string_utils.h"

#include <cstdio>
#include <cstring>

namespace {
bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

size_t FindLastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

// Upper-case partner of a lower-case letter, or 0 when the character is not one.
wchar_t UpperOf(wchar_t c) {
    if (c >= L'a' && c <= L'z') {
        return c - 32;
    }
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F)) {
        return c - 32;
    }
    if (c == 0x3C2) {
        return 0x3A3; // final sigma
    }
    if (c == 0xFF) {
        return 0x178;
    }
    if (c >= 0x450 && c <= 0x45F) {
        return c - 80;
    }
    if (((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) && (c & 1) != 0) {
        return c - 1;
    }
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && (c & 1) == 0) {
        return c - 1;
    }
    return 0;
}

wchar_t LowerOf(wchar_t c) {
    if (c >= L'A' && c <= L'Z') {
        return c + 32;
    }
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 32;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 80;
    }
    if (((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) && (c & 1) == 0) {
        return c + 1;
    }
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && (c & 1) != 0) {
        return c + 1;
    }
    return 0;
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = 0xFFFD;
    }
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[pos]; advances pos past it (one byte for a bad sequence).
uint32_t DecodeUtf8(const std::string& text, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    int extra = 0;
    uint32_t cp = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + static_cast<size_t>(extra) >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    pos += extra + 1;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0xFFFD;
    }
    return cp;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}
} // namespace

int SplitString(const char* text, char delimiter, std::vector<std::string>& pieces) {
    pieces.clear();
    if (text == nullptr) {
        return 0;
    }
    const char* start = text;
    for (const char* p = text;; ++p) {
        if (*p == delimiter || *p == '\0') {
            size_t begin = 0;
            size_t end = static_cast<size_t>(p - start);
            while (begin < end && start[begin] == ' ') {
                ++begin;
            }
            while (end > begin && start[end - 1] == ' ') {
                --end;
            }
            if (end > begin) {
                pieces.emplace_back(start + begin, end - begin);
            }
            if (*p == '\0') {
                break;
            }
            start = p + 1;
        }
    }
    return static_cast<int>(pieces.size());
}

char* TrimSpaces(char* text) {
    if (text == nullptr || text[0] == '\0') {
        return text;
    }
    for (size_t end = std::strlen(text); end > 0 && text[end - 1] == ' '; --end) {
        text[end - 1] = '\0';
    }
    while (*text == ' ') {
        ++text;
    }
    return text;
}

std::string TrimBlanks(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        return "";
    }
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

bool StringsEqual(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) {
        return a == b;
    }
    return std::strcmp(a, b) == 0;
}

std::string ToLower(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 32);
        }
    }
    return result;
}

std::wstring ToUpperWide(const std::wstring& text) {
    std::wstring result = text;
    for (wchar_t& c : result) {
        if (wchar_t upper = UpperOf(c)) {
            c = upper;
        }
    }
    return result;
}

std::wstring ToLowerWide(const std::wstring& text) {
    std::wstring result = text;
    for (wchar_t& c : result) {
        if (wchar_t lower = LowerOf(c)) {
            c = lower;
        }
    }
    return result;
}

std::string FormatString(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string result = FormatStringV(format, args);
    va_end(args);
    return result;
}

std::string FormatStringV(const char* format, va_list args) {
    char small[160];
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(small, sizeof(small), format, args);
    if (length < 0) {
        va_end(copy);
        return "";
    }
    if (static_cast<size_t>(length) < sizeof(small)) {
        va_end(copy);
        return std::string(small, static_cast<size_t>(length));
    }
    std::string result(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(result.data(), result.size(), format, copy);
    va_end(copy);
    result.resize(static_cast<size_t>(length));
    return result;
}

std::wstring WidenBytes(const std::string& bytes) {
    std::wstring result;
    result.reserve(bytes.size());
    for (char c : bytes) {
        result += static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return result;
}

std::wstring FromUtf8(const std::string& text) {
    std::wstring result;
    result.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        result += static_cast<wchar_t>(DecodeUtf8(text, pos));
    }
    return result;
}

std::string ToUtf8(const std::wstring& text) {
    std::string result;
    result.reserve(text.size());
    for (wchar_t c : text) {
        AppendUtf8(result, static_cast<uint32_t>(c));
    }
    return result;
}

std::string ToMultiByte(const std::wstring& text) {
    return ToUtf8(text);
}

std::string GetDirectory(const std::string& path, bool keepSeparator) {
    size_t slash = FindLastSeparator(path);
    if (slash == std::string::npos) {
        return "";
    }
    return path.substr(0, keepSeparator ? slash + 1 : slash);
}

std::string GetBaseName(const std::string& path) {
    size_t slash = FindLastSeparator(path);
    size_t dot = path.find_last_of('.');
    size_t begin = slash == std::string::npos ? 0 : slash + 1;
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        return path.substr(begin, dot - begin);
    }
    return path.substr(begin);
}

std::string CombinePath(const std::string& relativePath, const std::string& basePath) {
    if (relativePath.size() >= 2 && relativePath[1] == ':') {
        return relativePath;
    }
    std::string relative = relativePath;
    std::string base = basePath;
    char separator = '/';
    if (relative.find('\\') != std::string::npos || base.find('\\') != std::string::npos) {
        separator = '\\';
    }
    std::string drive;
    if (base.size() >= 2 && base[1] == ':') {
        drive = base.substr(0, 2);
        base.erase(0, 2);
    }
    if (!base.empty() && !IsSeparator(base.back())) {
        base += separator;
    }
    for (size_t cut = relative.find_first_of("/\\"); !base.empty() && cut != std::string::npos;
         cut = relative.find_first_of("/\\")) {
        std::string part = relative.substr(0, cut);
        relative.erase(0, cut + 1);
        if (part == "..") {
            std::string body = base.substr(0, base.size() - 1);
            size_t previous = FindLastSeparator(body);
            std::string last = previous == std::string::npos ? body : body.substr(previous + 1);
            if (last == "..") {
                base += std::string("..") + separator;
            } else {
                base = previous == std::string::npos ? "" : base.substr(0, previous + 1);
            }
        } else if (part.empty()) {
            base = std::string(1, separator);
        } else if (part != ".") {
            base += part + separator;
        }
    }
    std::string result = drive + base + relative;
    char other = separator == '/' ? '\\' : '/';
    for (char& c : result) {
        if (c == other) {
            c = separator;
        }
    }
    return result;
}

bool ParseWideInt(const std::wstring& text, int& value) {
    value = 0;
    if (text.empty()) {
        return false;
    }
    unsigned int accumulated = 0;
    if (text.size() >= 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        if (text.size() == 2) {
            return false;
        }
        for (size_t i = 2; i < text.size(); ++i) {
            int digit = HexDigit(text[i]);
            if (digit < 0) {
                return false;
            }
            accumulated = accumulated * 16u + static_cast<unsigned int>(digit);
        }
        value = static_cast<int>(accumulated);
        return true;
    }
    size_t i = text[0] == L'-' ? 1 : 0;
    if (i == text.size()) {
        return false;
    }
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') {
            return false;
        }
        accumulated = accumulated * 10u + static_cast<unsigned int>(text[i] - L'0');
    }
    value = static_cast<int>(text[0] == L'-' ? 0u - accumulated : accumulated);
    return true;
}

bool ParseWideFloat(const std::wstring& text, float& value) {
    value = 0.0f;
    size_t i = !text.empty() && text[0] == L'-' ? 1 : 0;
    double result = 0.0;
    double weight = 0.1;
    bool digits = false;
    // A flag, not the weight: a long fraction drives the weight to 0.
    bool fraction = false;
    for (; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'.' && !fraction) {
            fraction = true;
        } else if (c >= L'0' && c <= L'9') {
            digits = true;
            if (!fraction) {
                result = result * 10.0 + (c - L'0');
            } else {
                result += (c - L'0') * weight;
                weight *= 0.1;
            }
        } else {
            return false;
        }
    }
    if (!digits) {
        return false;
    }
    value = static_cast<float>(text[0] == L'-' ? -result : result);
    return true;
}

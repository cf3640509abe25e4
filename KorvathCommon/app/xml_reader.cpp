#include "app/xml_reader.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/file_object.h"
#include "app/log.h"
#include "app/string_utils.h"

namespace {
// Far above any data file of the game; the parser holds the whole file in memory several times over.
constexpr size_t kMaxXmlBytes = 64L * 1024 * 1024;

// The parser and the document's destruction recurse once per nesting level; a file nested this deep is
// refused before it can exhaust the stack. The game's own files nest a handful of levels.
constexpr int kMaxXmlDepth = 256;

TiXmlDocument* gSharedDocument = nullptr;
int gRootWalkers = 0;

// The attribute's value when the element has it and it is not empty, else null.
const char* Present(const TiXmlElement* element, const char* name) {
    if (element == nullptr || name == nullptr) {
        return nullptr;
    }
    const char* value = element->Attribute(name);
    return value != nullptr && value[0] != '\0' ? value : nullptr;
}

const char* PresentEither(const TiXmlElement* element, const char* name, const char* second) {
    const char* value = Present(element, name);
    return value != nullptr ? value : Present(element, second);
}

// A sum or a difference of two numbers: "+" first (the last one), else a "-" after position 0.
template <typename T, typename Parse> T ApplyNumberRule(const std::string& value, Parse parse) {
    size_t plus = value.rfind('+');
    if (plus != std::string::npos) {
        return parse(value.substr(0, plus)) + parse(value.substr(plus + 1));
    }
    size_t minus = value.rfind('-');
    if (minus != std::string::npos && minus != 0) {
        return parse(value.substr(0, minus)) - parse(value.substr(minus + 1));
    }
    return parse(value);
}

// atoi-like, kept within the int range so a sum or difference of two cannot overflow.
long long ParseLong(const std::string& text) {
    return std::clamp<long long>(std::strtoll(text.c_str(), nullptr, 10), INT32_MIN, INT32_MAX);
}

int ClampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

size_t SkipPast(const std::string& text, size_t from, const char* end) {
    const size_t found = text.find(end, from);
    return found == std::string::npos ? text.size() : found + std::strlen(end);
}

// The end of the tag at i: its ">" outside the quoted attribute values.
size_t StartTagEnd(const std::string& text, size_t i) {
    for (size_t j = i + 1; j < text.size(); ++j) {
        if (text[j] == '>') {
            return j;
        }
        if (text[j] != '=') {
            continue;
        }
        size_t value = text.find_first_not_of(" \t\n\v\f", j + 1);
        if (value != std::string::npos && (text[value] == '"' || text[value] == '\'')) {
            const size_t close = text.find(text[value], value + 1);
            j = close == std::string::npos ? text.size() : close;
        }
    }
    return text.size();
}

// The deepest element nesting of the text, counted as the parser nests: comments, CDATA, declarations
// and quoted values hold no tags; anything else after "<" counts as an element unless it closes itself,
// so the count is never below the parser's.
int XmlNestingDepth(const std::string& text) {
    int depth = 0;
    int deepest = 0;
    for (size_t i = text.find('<'); i < text.size(); i = text.find('<', i)) {
        if (text.compare(i, 4, "<!--") == 0) {
            i = SkipPast(text, i + 4, "-->");
        } else if (text.compare(i, 9, "<![CDATA[") == 0) {
            i = SkipPast(text, i + 9, "]]>");
        } else if (text.compare(i, 2, "<!") == 0) {
            i = SkipPast(text, i + 2, ">");
        } else if (text.compare(i, 2, "<?") == 0) {
            i = StartTagEnd(text, i);
        } else if (text.compare(i, 2, "</") == 0) {
            depth = std::max(depth - 1, 0);
            i += 2;
        } else {
            const size_t end = StartTagEnd(text, i);
            if (end >= text.size() || text[end - 1] != '/') {
                deepest = std::max(deepest, ++depth);
            }
            i = end;
        }
    }
    return deepest;
}

// The parser's own loading, with two guards on top of the bounded read: the nesting is bounded, and
// the text ends in several zero bytes, because the parser steps up to three bytes past a UTF-8 sequence
// that the end of the text cuts short.
bool ParseXmlBytes(const TXmlSource& source, TiXmlDocument& document) {
    const std::string& text = source.mBytes;
    if (text.size() > kMaxXmlBytes) {
        return false;
    }
    // Line ends become "\n" as the parser's file loading makes them.
    std::string normalised;
    normalised.reserve(text.size() + 4);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            normalised += text[i];
        } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
            normalised += '\n';
        }
    }
    if (XmlNestingDepth(normalised) > kMaxXmlDepth) {
        TLogFile::Get()->Printf("xml nested deeper than %d elements %s", kMaxXmlDepth,
                                ResolvePath(source.mName).c_str());
        return false;
    }
    normalised.append(4, '\0');
    // Our data is UTF-8 whether or not a file declares it, so character references decode to UTF-8.
    document.Parse(normalised.c_str(), nullptr, TIXML_ENCODING_UTF8);
    return !document.Error();
}

template <typename T, typename Parse>
int ReadPairs(const TiXmlElement* element, const char* name, std::vector<std::pair<T, T>>& pairs, Parse parse) {
    std::vector<std::string> pieces;
    SplitString(ReadXmlAttribute(element, name).c_str(), ';', pieces);
    int count = 0;
    for (const std::string& piece : pieces) {
        std::vector<std::string> numbers;
        if (SplitString(piece.c_str(), ',', numbers) < 2) {
            TLogFile::Get()->Printf("pair skipped \"%s\" in %s", piece.c_str(), name);
            continue;
        }
        pairs.emplace_back(parse(numbers[0]), parse(numbers[1]));
        ++count;
    }
    return count;
}
} // namespace

TXmlSource ReadXmlSource(const std::string& name) {
    TXmlSource source{name, "", nullptr};
    TFileObject file(name.c_str(), "rb");
    // A folder opens for reading on Linux and claims an enormous size: the read is bounded.
    if (!file.IsOpen()) {
        source.mReadError = "Failed to open file";
    } else if (!ReadOpenFile(file, source.mBytes, kMaxXmlBytes)) {
        source.mReadError = "Failed to read file";
    }
    return source;
}

TiXmlElement* ParseXmlDocument(const TXmlSource& source, TiXmlDocument*& slot) {
    delete slot;
    slot = new TiXmlDocument();
    const char* error = source.mReadError;
    int line = 0;
    if (error == nullptr && !ParseXmlBytes(source, *slot)) {
        error = slot->Error() ? slot->ErrorDesc() : "Failed to read file";
        line = slot->Error() ? slot->ErrorRow() : 0;
    }
    if (error != nullptr) {
        const char* name = source.mName.c_str();
        TLogFile::Get()->Printf("File not found %s error=%s line = %d", name, error, line);
        delete slot;
        slot = nullptr;
        TLogFile::Get()->Printf("File not found %s ", name);
        return nullptr;
    }
    return slot->RootElement();
}

TiXmlElement* LoadXmlDocument(const std::string& name, TiXmlDocument*& slot) {
    return ParseXmlDocument(ReadXmlSource(name), slot);
}

TiXmlElement* ParseXmlRoot(const TXmlSource& source) {
    assert(gRootWalkers == 0 && "a shared root is replaced while it is still walked");
    ReleaseXmlRoot();
    return ParseXmlDocument(source, gSharedDocument);
}

TiXmlElement* LoadXmlRoot(const std::string& name) {
    return ParseXmlRoot(ReadXmlSource(name));
}

void ReleaseXmlRoot() {
    delete gSharedDocument;
    gSharedDocument = nullptr;
}

TXmlRootWalk::TXmlRootWalk() {
    ++gRootWalkers;
}

TXmlRootWalk::~TXmlRootWalk() {
    --gRootWalkers;
}

int GetXmlRootWalkers() {
    return gRootWalkers;
}

void CollectXmlChildren(const TiXmlElement* element, const char* tag, std::vector<TiXmlElement*>& children) {
    if (element == nullptr || tag == nullptr) {
        return;
    }
    for (const TiXmlElement* child = element->FirstChildElement(tag); child != nullptr;
         child = child->NextSiblingElement(tag)) {
        children.push_back(const_cast<TiXmlElement*>(child));
    }
}

std::string ReadXmlText(const TiXmlElement* element) {
    if (element == nullptr) {
        return "";
    }
    const TiXmlNode* first = element->FirstChild();
    if (first == nullptr || first->ToText() == nullptr) {
        return "";
    }
    return first->Value();
}

std::string ReadXmlString(const TiXmlElement* element, const char* name, const std::string& def) {
    if (element == nullptr || name == nullptr) {
        return def;
    }
    const char* value = element->Attribute(name);
    return value != nullptr ? std::string(value) : def;
}

std::string ReadXmlAttribute(const TiXmlElement* element, const char* name, const std::string& def) {
    return ReadXmlString(element, name, def);
}

bool ReadXmlBool(const TiXmlElement* element, const char* name, bool def, const char* second) {
    const char* value = PresentEither(element, name, second);
    if (value == nullptr) {
        return def;
    }
    return std::strcmp(value, "1") == 0 || std::strcmp(value, "true") == 0;
}

int ReadXmlInt(const TiXmlElement* element, const char* name, int def, const char* second) {
    const char* value = PresentEither(element, name, second);
    if (value == nullptr) {
        return def;
    }
    return ClampToInt(ApplyNumberRule<long long>(value, [](const std::string& s) { return ParseLong(s); }));
}

unsigned int ReadXmlUInt(const TiXmlElement* element, const char* name, unsigned int def, const char* second) {
    const char* value = PresentEither(element, name, second);
    if (value == nullptr) {
        return def;
    }
    return static_cast<unsigned int>(
        ClampToInt(ApplyNumberRule<long long>(value, [](const std::string& s) { return ParseLong(s); })));
}

float ReadXmlFloat(const TiXmlElement* element, const char* name, float def, const char* second) {
    const char* value = PresentEither(element, name, second);
    if (value == nullptr) {
        return def;
    }
    return static_cast<float>(
        ApplyNumberRule<double>(value, [](const std::string& s) { return std::atof(s.c_str()); }));
}

TColor ReadXmlColor(const TiXmlElement* element, const char* name, const TColor& def) {
    const char* value = Present(element, name);
    if (value == nullptr) {
        return def;
    }
    int parts[4] = {0, 0, 0, 0};
    if (ReadXmlFourInts(element, name, ".", parts)) {
        const auto channel = [](int v) { return static_cast<float>(std::clamp(v, 0, 255)) / 255.0f; };
        return TColor{channel(parts[0]), channel(parts[1]), channel(parts[2]), channel(parts[3])};
    }
    const char* digits = value;
    while (*digits == ' ' || *digits == '\t') {
        ++digits;
    }
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits += 2;
    }
    size_t digitCount = std::strspn(digits, "0123456789abcdefABCDEF");
    uint32_t v = static_cast<uint32_t>(std::strtoull(value, nullptr, 16));
    TColor color;
    color.b = static_cast<float>(v & 0xFF) / 255.0f;
    color.g = static_cast<float>((v >> 8) & 0xFF) / 255.0f;
    color.r = static_cast<float>((v >> 16) & 0xFF) / 255.0f;
    // Eight digits are AARRGGBB, so a transparent colour (alpha 00) can be written too.
    color.a = (digitCount >= 8 || v >= 0x1000000u) ? static_cast<float>(v >> 24) / 255.0f : 1.0f;
    return color;
}

bool ReadXmlFourInts(const TiXmlElement* element, const char* name, const char* separator, int values[4]) {
    const char* value = Present(element, name);
    if (value == nullptr || separator == nullptr) {
        return false;
    }
    std::string sep;
    for (const char* c = separator; *c != '\0'; ++c) {
        sep += *c == '%' ? "%%" : std::string(1, *c);
    }
    std::string pattern = "%d" + sep + "%d" + sep + "%d" + sep + "%d";
    return std::sscanf(value, pattern.c_str(), &values[0], &values[1], &values[2], &values[3]) == 4;
}

int ReadXmlStringList(const TiXmlElement* element, const char* name, char separator, std::vector<std::string>& pieces) {
    return SplitString(ReadXmlAttribute(element, name).c_str(), separator, pieces);
}

int ReadXmlIntPairs(const TiXmlElement* element, const char* name, std::vector<std::pair<int, int>>& pairs) {
    return ReadPairs<int>(element, name, pairs, [](const std::string& s) { return std::atoi(s.c_str()); });
}

int ReadXmlFloatPairs(const TiXmlElement* element, const char* name, std::vector<std::pair<float, float>>& pairs) {
    return ReadPairs<float>(element, name, pairs,
                            [](const std::string& s) { return static_cast<float>(std::atof(s.c_str())); });
}

#include "graphics/font_parser.h"

#include <algorithm>

#include "app/file_object.h"
#include "app/log.h"
#include "app/string_utils.h"

namespace {
constexpr wchar_t kUtf16EndMark = 0xFFFF;

bool IsQuote(wchar_t c) {
    return c == L'\'' || c == L'"';
}

// The file's characters: UTF-16 code units after a byte-order mark, else one per byte. An odd
// trailing byte of a UTF-16 file is a short read and ends the text.
std::wstring DecodeDescription(const std::string& bytes, bool& utf16) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    bool little = bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
    bool big = bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF;
    utf16 = little || big;
    if (!utf16) {
        return WidenBytes(bytes);
    }
    std::wstring units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        unsigned int first = byte(i);
        unsigned int second = byte(i + 1);
        units += static_cast<wchar_t>(little ? first | (second << 8) : (first << 8) | second);
    }
    return units;
}

std::wstring UndefinedNameMessage(const std::wstring& name) {
    return L"Unable to Dereference \"" + name + L"\"";
}
} // namespace

std::unique_ptr<DataElement> SingleDataElementW::Clone() const {
    return std::make_unique<SingleDataElementW>(mText);
}

std::unique_ptr<DataElement> ListDataElement::Clone() const {
    auto copy = std::make_unique<ListDataElement>();
    copy->Assign(*this);
    return copy;
}

void ListDataElement::Assign(const ListDataElement& other) {
    if (&other == this) {
        return;
    }
    mItems.clear();
    for (const auto& item : other.mItems) {
        mItems.push_back(item->Clone());
    }
}

DataElement* ListDataElement::Append(std::unique_ptr<DataElement> item) {
    mItems.push_back(std::move(item));
    return mItems.back().get();
}

int GetListDepth(const DataElement& element) {
    if (!element.IsList()) {
        return 0;
    }
    const auto& list = static_cast<const ListDataElement&>(element);
    int deepest = 0;
    for (size_t i = 0; i < list.Size(); ++i) {
        deepest = std::max(deepest, GetListDepth(list.At(i)));
    }
    return deepest + 1;
}

bool DescParserW::ReadFile(const std::string& path) {
    mLastError.clear();
    std::string bytes;
    if (!ReadWholeFile(path, bytes, kMaxFileBytes)) {
        TLogFile::Get()->Printf("error load font file %s", path.c_str());
        return false;
    }
    return ReadBytes(bytes);
}

bool DescParserW::ReadBytes(const std::string& bytes) {
    mLastError.clear();
    bool utf16 = false;
    std::wstring units = DecodeDescription(bytes, utf16);
    bool result = ReadUnits(units, utf16);
    mStatement.clear();
    return result;
}

bool DescParserW::ReadUnits(const std::wstring& units, bool utf16) {
    mCollect = TCollectState();
    mStatement.clear();
    for (wchar_t c : units) {
        bool ends = (utf16 && c == kUtf16EndMark) || CollectChar(c);
        if (ends && !EndStatement()) {
            return false;
        }
    }
    return EndStatement();
}

bool DescParserW::CollectChar(wchar_t c) {
    TCollectState& s = mCollect;
    if (c == L'\r') {
        return false;
    }
    if (s.lineStart) {
        if (c == L' ' || c == L'\t' || c == L'\n') {
            return false;
        }
        s.lineStart = false;
        if (c == L'#') {
            s.comment = true;
            return false;
        }
    }
    if (s.comment) {
        if (c == L'\n') {
            s.comment = false;
            s.lineStart = true;
        }
        return false;
    }
    bool quoted = s.singleQuotes || s.doubleQuotes;
    if (s.backslash) {
        s.backslash = false;
        mStatement += L'\\';
    } else if (quoted && c == L'\\') {
        s.backslash = true;
        return false;
    } else if (!quoted && c == L';' && (mOptions & kSemicolonEndsStatement) != 0) {
        return true;
    } else if (c == L'\'' && !s.doubleQuotes) {
        s.singleQuotes = !s.singleQuotes;
    } else if (c == L'"' && !s.singleQuotes) {
        s.doubleQuotes = !s.doubleQuotes;
    }
    mStatement += c;
    if (c == L'\n') {
        s.lineStart = true;
    }
    return false;
}

bool DescParserW::EndStatement() {
    std::wstring statement;
    statement.swap(mStatement);
    mCollect = TCollectState();
    if (statement.empty()) {
        return true;
    }
    return RunStatement(statement);
}

bool DescParserW::RunStatement(const std::wstring& statement) {
    ListDataElement items;
    size_t position = 0;
    if (!Tokenize(statement, items, false, position)) {
        return false;
    }
    if (items.Size() == 0) {
        return true;
    }
    if (items.At(0).IsList()) {
        return Error(L"Missing Command");
    }
    return HandleCommand(items);
}

bool DescParserW::Tokenize(const std::wstring& text, ListDataElement& out, bool nested, size_t& position) {
    return TokenizeList(text, out, nested, position, nested ? 1 : 0);
}

bool DescParserW::TokenizeList(const std::wstring& text, ListDataElement& out, bool nested, size_t& position,
                               int depth) {
    if (depth > kMaxListDepth) {
        return Error(L"List Nesting Too Deep");
    }
    bool backslash = false;
    bool singleQuotes = false;
    bool doubleQuotes = false;
    SingleDataElementW* token = nullptr;
    const auto append = [&](wchar_t c) {
        if (token == nullptr) {
            token = static_cast<SingleDataElementW*>(out.Append(std::make_unique<SingleDataElementW>()));
        }
        token->Text() += c;
    };
    while (position < text.size()) {
        wchar_t c = text[position++];
        if (backslash) {
            append(c);
            backslash = false;
        } else if (c == L'\\') {
            backslash = true;
        } else if (c == L'\'' && !doubleQuotes) {
            singleQuotes = !singleQuotes;
            append(c);
        } else if (c == L'"' && !singleQuotes) {
            doubleQuotes = !doubleQuotes;
            append(c);
        } else if (singleQuotes || doubleQuotes) {
            append(c);
        } else if (c == L')') {
            return nested ? true : Error(L"Unexpected List End");
        } else if (c == L'(') {
            if (token != nullptr) {
                return Error(L"Unexpected List Start");
            }
            auto* list = static_cast<ListDataElement*>(out.Append(std::make_unique<ListDataElement>()));
            if (!TokenizeList(text, *list, true, position, depth + 1)) {
                return false;
            }
        } else if (c == L' ' || c == L'\t' || c == L'\n' || c == L',') {
            token = nullptr;
        } else {
            append(c);
        }
    }
    if (singleQuotes) {
        return Error(L"Unterminated Single Quotes");
    }
    if (doubleQuotes) {
        return Error(L"Unterminated Double Quotes");
    }
    return nested ? Error(L"Unterminated List") : true;
}

bool DescParserW::Resolve(const ListDataElement& source, ListDataElement& out) {
    out.Clear();
    if (!ResolveItems(source, out)) {
        return false;
    }
    // Defines may hold lists, so a resolved list can be deeper than any written one.
    if (GetListDepth(out) > kMaxListDepth) {
        out.Clear();
        return Error(L"List Nesting Too Deep");
    }
    return true;
}

bool DescParserW::ResolveItems(const ListDataElement& source, ListDataElement& out) {
    for (size_t i = 0; i < source.Size(); ++i) {
        const DataElement& item = source.At(i);
        if (item.IsList()) {
            auto* list = static_cast<ListDataElement*>(out.Append(std::make_unique<ListDataElement>()));
            if (!ResolveItems(static_cast<const ListDataElement&>(item), *list)) {
                return false;
            }
            continue;
        }
        const std::wstring& text = static_cast<const SingleDataElementW&>(item).GetText();
        if (text.empty()) {
            continue;
        }
        if (IsQuote(text[0])) {
            out.Append(std::make_unique<SingleDataElementW>(Unquote(text)));
        } else if (IsImmediate(text)) {
            out.Append(std::make_unique<SingleDataElementW>(text));
        } else if (const DataElement* value = GetDefine(text)) {
            out.Append(value->Clone());
        } else {
            return Error(UndefinedNameMessage(text));
        }
    }
    return true;
}

bool DescParserW::Error(const std::wstring& message) {
    mLastError = message;
    return false;
}

const DataElement* DescParserW::GetDefine(const std::wstring& name) const {
    auto found = mDefines.find(ToUpperWide(name));
    return found == mDefines.end() ? nullptr : found->second.get();
}

void DescParserW::SetDefine(const std::wstring& name, std::unique_ptr<DataElement> value) {
    mDefines[ToUpperWide(name)] = std::move(value);
}

bool DescParserW::GetStringParam(const DataElement& param, std::wstring& out) {
    out.clear();
    if (param.IsList()) {
        return false;
    }
    const std::wstring& text = static_cast<const SingleDataElementW&>(param).GetText();
    const DataElement* value = GetDefine(text);
    if (value == nullptr) {
        out = Unquote(text);
        return true;
    }
    if (value->IsList()) {
        return false;
    }
    out = Unquote(static_cast<const SingleDataElementW*>(value)->GetText());
    return true;
}

bool DescParserW::TakeSingles(const ListDataElement& list, std::vector<std::wstring>& out) {
    for (size_t i = 0; i < list.Size(); ++i) {
        if (list.At(i).IsList()) {
            out.clear();
            return false;
        }
        out.push_back(static_cast<const SingleDataElementW&>(list.At(i)).GetText());
    }
    return true;
}

bool DescParserW::GetStringListParam(const DataElement& param, std::vector<std::wstring>& out) {
    out.clear();
    if (param.IsList()) {
        ListDataElement resolved;
        return Resolve(static_cast<const ListDataElement&>(param), resolved) && TakeSingles(resolved, out);
    }
    const std::wstring& name = static_cast<const SingleDataElementW&>(param).GetText();
    const DataElement* value = GetDefine(name);
    if (value == nullptr) {
        return Error(UndefinedNameMessage(name));
    }
    return value->IsList() && TakeSingles(static_cast<const ListDataElement&>(*value), out);
}

bool DescParserW::GetListParam(const DataElement& param, ListDataElement& out) {
    if (param.IsList()) {
        return Resolve(static_cast<const ListDataElement&>(param), out);
    }
    const DataElement* value = GetDefine(static_cast<const SingleDataElementW&>(param).GetText());
    if (value == nullptr || !value->IsList()) {
        return false;
    }
    out.Assign(static_cast<const ListDataElement&>(*value));
    return true;
}

bool ParseDescriptionInt(const std::wstring& text, int& value) {
    return ParseWideInt(text, value) && value >= -kMaxDescriptionInt && value <= kMaxDescriptionInt;
}

namespace {
template <typename T, typename Parse>
bool ParseAll(const std::vector<std::wstring>& strings, std::vector<T>& out, Parse parse) {
    out.clear();
    for (const std::wstring& text : strings) {
        T value{};
        if (!parse(text, value)) {
            return false;
        }
        out.push_back(value);
    }
    return true;
}
} // namespace

bool DescParserW::GetIntListParam(const DataElement& param, std::vector<int>& out) {
    std::vector<std::wstring> strings;
    out.clear();
    return GetStringListParam(param, strings) && ParseAll(strings, out, ParseDescriptionInt);
}

bool DescParserW::GetFloatListParam(const DataElement& param, std::vector<float>& out) {
    std::vector<std::wstring> strings;
    out.clear();
    return GetStringListParam(param, strings) && ParseAll(strings, out, ParseWideFloat);
}

bool DescParserW::IsImmediate(const std::wstring& text) {
    if (text.empty()) {
        return false;
    }
    wchar_t c = text[0];
    return (c >= L'0' && c <= L'9') || c == L'-' || c == L'+' || IsQuote(c);
}

std::wstring DescParserW::Unquote(const std::wstring& text) {
    if (text.empty() || !IsQuote(text[0])) {
        return text;
    }
    wchar_t quote = text[0];
    std::wstring result;
    // After the opening quote a doubled quote stands for one; a lone quote closes the text.
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] != quote) {
            result += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == quote) {
            result += quote;
            ++i;
        }
    }
    return result;
}

std::wstring DescParserW::ElementToString(const DataElement& element) {
    if (!element.IsList()) {
        return static_cast<const SingleDataElementW&>(element).GetText();
    }
    const auto& list = static_cast<const ListDataElement&>(element);
    std::wstring text = L"(";
    for (size_t i = 0; i < list.Size(); ++i) {
        if (i > 0) {
            text += L", ";
        }
        text += ElementToString(list.At(i));
    }
    return text + L")";
}

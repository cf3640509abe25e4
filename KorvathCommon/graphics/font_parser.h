#pragma once
// The reader of the font description language: statements of a command word and parameters, where a
// parameter is a value (number, name, quoted string) or a parenthesised list of values, and "Define"
// names a value for later statements. Subclasses give the command words their meaning.

#include <map>
#include <memory>
#include <string>
#include <vector>

class DataElement {
public:
    explicit DataElement(bool isList) : mIsList(isList) {}
    virtual ~DataElement() = default;
    DataElement(const DataElement&) = delete;
    DataElement& operator=(const DataElement&) = delete;

    virtual std::unique_ptr<DataElement> Clone() const = 0;
    bool IsList() const { return mIsList; }

private:
    bool mIsList;
};

class SingleDataElementW : public DataElement {
public:
    explicit SingleDataElementW(std::wstring text = L"") : DataElement(false), mText(std::move(text)) {}
    std::unique_ptr<DataElement> Clone() const override;

    // The token as it stood in the statement after escapes were removed, quotes included.
    const std::wstring& GetText() const { return mText; }
    std::wstring& Text() { return mText; }

private:
    std::wstring mText;
};

class ListDataElement : public DataElement {
public:
    ListDataElement() : DataElement(true) {}
    std::unique_ptr<DataElement> Clone() const override;
    // Replaces the items by deep copies of the other list's items.
    void Assign(const ListDataElement& other);

    size_t Size() const { return mItems.size(); }
    const DataElement& At(size_t index) const { return *mItems[index]; }
    DataElement* Append(std::unique_ptr<DataElement> item);
    void Clear() { mItems.clear(); }

private:
    std::vector<std::unique_ptr<DataElement>> mItems;
};

// Lists nest at most this deep, so a crafted file cannot exhaust the stack.
constexpr int kMaxListDepth = 64;
// Every integer of a description is a pixel size or offset, a point size or an order; one beyond this
// magnitude can only be damage, and refusing it keeps the layout's sums far from overflowing.
constexpr int kMaxDescriptionInt = 16384;
// ParseWideInt, refusing numbers beyond kMaxDescriptionInt either way.
bool ParseDescriptionInt(const std::wstring& text, int& value);
// Number of list levels of an element: 0 for a single, 1 for a flat list.
int GetListDepth(const DataElement& element);

class DescParserW {
public:
    // Bit of the options: ';' outside quotes ends a statement.
    static constexpr int kSemicolonEndsStatement = 1;
    // Descriptions are small; a larger file is refused.
    static constexpr size_t kMaxFileBytes = 16 * 1024 * 1024;

    explicit DescParserW(int options) : mOptions(options) {}
    virtual ~DescParserW() = default;
    DescParserW(const DescParserW&) = delete;
    DescParserW& operator=(const DescParserW&) = delete;

    // Reads and runs a whole file (path rules apply): 8-bit, or UTF-16 after a byte-order mark.
    // True when the file opened and every statement succeeded; the first failing statement stops it.
    bool ReadFile(const std::string& path);
    // The same from a description's bytes in memory.
    bool ReadBytes(const std::string& bytes);
    bool RunStatement(const std::wstring& statement);
    // Cuts text from position on into items of out; nested calls end at the matching ')'.
    bool Tokenize(const std::wstring& text, ListDataElement& out, bool nested, size_t& position);
    // Copies source into out with quotes removed and Define names replaced by their values.
    bool Resolve(const ListDataElement& source, ListDataElement& out);

    // Keeps the message as the last error and returns false, so callers can return its result.
    virtual bool Error(const std::wstring& message);
    virtual const DataElement* GetDefine(const std::wstring& name) const;
    // Called with every tokenized statement; the first item is the command word.
    virtual bool HandleCommand(const ListDataElement& statement) = 0;

    bool GetStringParam(const DataElement& param, std::wstring& out);
    bool GetStringListParam(const DataElement& param, std::vector<std::wstring>& out);
    bool GetListParam(const DataElement& param, ListDataElement& out);
    // Numbers as ParseDescriptionInt reads them.
    bool GetIntListParam(const DataElement& param, std::vector<int>& out);
    bool GetFloatListParam(const DataElement& param, std::vector<float>& out);

    // Numbers, signs and quoted strings stand for themselves; everything else is a name.
    static bool IsImmediate(const std::wstring& text);
    static std::wstring Unquote(const std::wstring& text);
    static std::wstring ElementToString(const DataElement& element);

    const std::wstring& GetLastError() const { return mLastError; }

protected:
    // Stores a value under the upper-cased name, replacing an earlier one.
    void SetDefine(const std::wstring& name, std::unique_ptr<DataElement> value);

private:
    // The character state of the statement collector of ReadFile.
    struct TCollectState {
        bool lineStart = true;
        bool comment = false;
        bool singleQuotes = false;
        bool doubleQuotes = false;
        bool backslash = false;
    };

    bool ReadUnits(const std::wstring& units, bool utf16);
    // Adds one character to the statement; true when it ends the statement.
    bool CollectChar(wchar_t c);
    bool EndStatement();
    bool TokenizeList(const std::wstring& text, ListDataElement& out, bool nested, size_t& position, int depth);
    bool ResolveItems(const ListDataElement& source, ListDataElement& out);
    bool TakeSingles(const ListDataElement& list, std::vector<std::wstring>& out);

    int mOptions;
    std::wstring mLastError;
    std::wstring mStatement;
    TCollectState mCollect;
    std::map<std::wstring, std::unique_ptr<DataElement>> mDefines;
};

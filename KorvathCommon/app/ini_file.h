#pragma once
// INI text files: "[section]" headers, key=value lines and ";" comment lines.

#include <map>
#include <string>

struct IniEntry_t {
    std::string value;
    std::string comment;
};

class IniSection_t {
public:
    using Keys = std::map<std::string, IniEntry_t>;

    Keys::const_iterator Find(const std::string& key) const { return mKeys.find(key); }
    Keys::const_iterator End() const { return mKeys.end(); }
    bool HasKey(const std::string& key) const { return mKeys.count(key) != 0; }
    void GetString(const std::string& key, const std::string& def, std::string& out) const;
    std::string GetString(const std::string& key, const std::string& def) const;
    int GetInt(const std::string& key, int def) const;
    float GetFloat(const std::string& key, float def) const;
    unsigned int GetHex(const std::string& key, unsigned int def) const;
    void SetString(const std::string& key, const std::string& value);

    const Keys& GetKeys() const { return mKeys; }
    const std::string& GetComment() const { return mComment; }

private:
    friend class IniFile_t;
    std::string mComment;
    Keys mKeys;
};

inline const std::string& IniValueText(IniSection_t::Keys::const_iterator entry) {
    return entry->second.value;
}

class IniFile_t {
public:
    // INI files are small descriptions; a larger file is refused with a log line.
    static constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;

    IniFile_t() = default;
    virtual ~IniFile_t() = default;

    // Reads a file through the path rules; nothing happens when it does not open.
    void Load(const std::string& name, bool clearFirst);
    // The same from a file's bytes in memory.
    void LoadBytes(const std::string& bytes, bool clearFirst);
    // Lines end at LF or CR LF; keys and values are trimmed of spaces and tabs.
    void Parse(const char* bytes, size_t length, bool clearFirst);
    // The section, created empty when missing.
    IniSection_t& GetSection(const std::string& name);
    const IniSection_t* FindSection(const std::string& name) const;
    const std::map<std::string, IniSection_t>& GetSections() const { return mSections; }

private:
    std::map<std::string, IniSection_t> mSections;
};

// A file read whole (nothing when it does not open).
IniFile_t ReadIniFile(const std::string& name);

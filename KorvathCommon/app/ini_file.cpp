#include "app/ini_file.h"

#include <cstdlib>

#include "app/file_object.h"
#include "app/string_utils.h"

void IniSection_t::GetString(const std::string& key, const std::string& def, std::string& out) const {
    auto it = mKeys.find(key);
    out = it == mKeys.end() ? def : it->second.value;
}

std::string IniSection_t::GetString(const std::string& key, const std::string& def) const {
    std::string out;
    GetString(key, def, out);
    return out;
}

int IniSection_t::GetInt(const std::string& key, int def) const {
    auto it = mKeys.find(key);
    return it == mKeys.end() ? def : static_cast<int>(std::strtol(it->second.value.c_str(), nullptr, 10));
}

float IniSection_t::GetFloat(const std::string& key, float def) const {
    auto it = mKeys.find(key);
    return it == mKeys.end() ? def : static_cast<float>(std::atof(it->second.value.c_str()));
}

unsigned int IniSection_t::GetHex(const std::string& key, unsigned int def) const {
    auto it = mKeys.find(key);
    return it == mKeys.end() ? def : static_cast<unsigned int>(std::strtoul(it->second.value.c_str(), nullptr, 16));
}

void IniSection_t::SetString(const std::string& key, const std::string& value) {
    mKeys[key].value = value;
}

void IniFile_t::Load(const std::string& name, bool clearFirst) {
    std::string bytes;
    if (ReadWholeFile(name, bytes, kMaxFileBytes)) {
        LoadBytes(bytes, clearFirst);
    }
}

IniFile_t ReadIniFile(const std::string& name) {
    IniFile_t ini;
    ini.Load(name, true);
    return ini;
}

void IniFile_t::LoadBytes(const std::string& bytes, bool clearFirst) {
    Parse(bytes.data(), bytes.size(), clearFirst);
}

void IniFile_t::Parse(const char* bytes, size_t length, bool clearFirst) {
    if (bytes == nullptr || length == 0) {
        return;
    }
    if (clearFirst) {
        mSections.clear();
    }
    IniSection_t* current = nullptr;
    std::string comments;
    size_t start = 0;
    while (start < length) {
        size_t end = start;
        while (end < length && bytes[end] != '\n') {
            ++end;
        }
        std::string line(bytes + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line[0] == ';') {
            comments += line + "\r\n";
            continue;
        }
        if (!line.empty() && line[0] == '[') {
            size_t close = line.find(']');
            std::string name = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
            current = &mSections[name];
            current->mComment = comments;
            comments.clear();
            continue;
        }
        if (current == nullptr) {
            continue;
        }
        size_t equals = line.find('=');
        std::string key = TrimBlanks(line.substr(0, equals));
        if (equals != std::string::npos) {
            IniEntry_t& entry = current->mKeys[key];
            entry.value = TrimBlanks(line.substr(equals + 1));
            if (!comments.empty()) {
                entry.comment = comments;
            }
        } else if (!key.empty()) {
            current->mKeys[key].value.clear();
        }
        comments.clear();
    }
}

IniSection_t& IniFile_t::GetSection(const std::string& name) {
    return mSections[name];
}

const IniSection_t* IniFile_t::FindSection(const std::string& name) const {
    auto it = mSections.find(name);
    return it == mSections.end() ? nullptr : &it->second;
}

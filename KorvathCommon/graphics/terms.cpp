#include "graphics/terms.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "app/ini_file.h"
#include "app/log.h"
#include "app/missing_names.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"

namespace {
std::unique_ptr<TTerms> gTerms;

std::string DataText(const TiXmlElement* cell) {
    return cell != nullptr ? ReadXmlText(cell->FirstChildElement("Data")) : "";
}

// A cell of formatted text keeps its text in the "Font" child of its "ss:Data" child.
std::string FormattedText(const TiXmlElement* cell) {
    const TiXmlElement* data = cell->FirstChildElement("ss:Data");
    return data != nullptr ? ReadXmlText(data->FirstChildElement("Font")) : "";
}
} // namespace

TTerms* TTerms::GetInstance() {
    if (!gTerms) {
        gTerms.reset(new TTerms());
    }
    return gTerms.get();
}

void TTerms::Destroy() {
    gTerms.reset();
}

TTerms* GetTerms() {
    return TTerms::GetInstance();
}

std::wstring TTerms::MakeText(const std::string& key, std::string bytes) {
    std::replace(bytes.begin(), bytes.end(), '#', '\n');
    std::wstring text = FromUtf8(bytes);
    if (text.size() > kMaxTextLength) {
        TLogFile::Get()->Printf("term %s cut to %d characters", key.c_str(), static_cast<int>(kMaxTextLength));
        text.resize(kMaxTextLength);
    }
    return text;
}

bool TTerms::LoadXml(const std::string& fileName) {
    return LoadXml(ReadXmlSource(fileName));
}

bool TTerms::LoadXml(const TXmlSource& source) {
    const TiXmlElement* root = ParseXmlRoot(source);
    TXmlRootWalk walk;
    const TiXmlElement* sheet = root != nullptr ? root->FirstChildElement("Worksheet") : nullptr;
    const TiXmlElement* table = sheet != nullptr ? sheet->FirstChildElement("Table") : nullptr;
    if (table == nullptr) {
        return false;
    }
    std::vector<TiXmlElement*> rows;
    CollectXmlChildren(table, "Row", rows);
    for (const TiXmlElement* row : rows) {
        const TiXmlElement* keyCell = row->FirstChildElement("Cell");
        const TiXmlElement* textCell = keyCell != nullptr ? keyCell->NextSiblingElement("Cell") : nullptr;
        std::string key = ToLower(DataText(keyCell));
        if (key.empty() || textCell == nullptr) {
            continue;
        }
        std::string bytes = DataText(textCell);
        mTerms[key] = MakeText(key, bytes.empty() ? FormattedText(textCell) : bytes);
    }
    return true;
}

bool TTerms::LoadIni(const std::string& fileName) {
    IniFile_t ini;
    ini.Load(fileName, true);
    return LoadIni(ini, fileName);
}

bool TTerms::LoadIni(const IniFile_t& ini, const std::string& fileName) {
    if (ini.GetSections().empty()) {
        TLogFile::Get()->Printf("termins not found %s", fileName.c_str());
        return false;
    }
    std::map<std::string, std::wstring> terms;
    for (const auto& [section, entries] : ini.GetSections()) {
        for (const auto& [name, entry] : entries.GetKeys()) {
            if (!name.empty()) {
                std::string key = ToLower(name);
                terms[key] = MakeText(key, entry.value);
            }
        }
    }
    // A file with no usable line must not wipe the table every caption reads.
    if (terms.empty()) {
        TLogFile::Get()->Printf("no termins in %s, table kept", fileName.c_str());
        return false;
    }
    mTerms.swap(terms);
    return true;
}

const std::wstring* TTerms::Find(const std::string& key) const {
    auto found = mTerms.find(ToLower(key));
    if (found == mTerms.end()) {
        if (!key.empty()) {
            ReportMissingName("term", key);
        }
        return nullptr;
    }
    return &found->second;
}

std::string TTerms::GetText(const std::string& key) const {
    const std::wstring* text = Find(key);
    return text != nullptr ? ToMultiByte(*text) : key;
}

std::wstring TTerms::GetWideText(const std::string& key) const {
    const std::wstring* text = Find(key);
    return text != nullptr ? *text : FromUtf8(key);
}

std::wstring TTerms::Widen(const std::string& bytes) const {
    return FromUtf8(bytes);
}

std::string TTerms::Narrow(const std::wstring& text) const {
    return ToMultiByte(text);
}

#pragma once
// The localised texts of the game by key: read from "termins.xml" at start-up, reloadable from
// "termins.txt". A key with no text is shown as itself, so a missing term is visible on screen.

#include <map>
#include <string>

#include "app/ini_file.h"
#include "app/xml_reader.h"

class TTerms {
public:
    // A text longer than this (in characters) is cut.
    static constexpr size_t kMaxTextLength = 9999;

    // The table, created empty on first use.
    static TTerms* GetInstance();
    static void Destroy();

    TTerms(const TTerms&) = delete;
    TTerms& operator=(const TTerms&) = delete;

    // Adds or replaces the terms of an XML spreadsheet: per row, the first cell's data is the key, the next
    // cell's data the text. False, changing nothing, without a root, "Worksheet" or "Table".
    bool LoadXml(const std::string& fileName);
    // The same from a document in memory.
    bool LoadXml(const TXmlSource& source);
    // Replaces the whole table by every key=value of an INI file. False, changing nothing, when the file
    // holds no term.
    bool LoadIni(const std::string& fileName);
    // The same from a file read into memory; the name is for the log lines.
    bool LoadIni(const IniFile_t& ini, const std::string& fileName);

    // Keys ignore letter case. A missing key comes back as asked for (logged once).
    std::string GetText(const std::string& key) const;
    std::wstring GetWideText(const std::string& key) const;
    // UTF-8 conversions of typed text.
    std::wstring Widen(const std::string& bytes) const;
    std::string Narrow(const std::wstring& text) const;

private:
    TTerms() = default;
    // The stored text: '#' stands for a line break; the bytes are UTF-8.
    static std::wstring MakeText(const std::string& key, std::string bytes);
    const std::wstring* Find(const std::string& key) const;

    std::map<std::string, std::wstring> mTerms;
};

TTerms* GetTerms();

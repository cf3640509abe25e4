#pragma once
// XML documents through the file object, and the typed attribute readers every data reader uses.

#include <string>
#include <utility>
#include <vector>

#include <tinyxml.h>

#include "app/color.h"

// An XML document's bytes in memory under its name (the name is for log lines), or the reason the
// file they were to be read from could not be read.
struct TXmlSource {
    std::string mName;
    std::string mBytes;
    const char* mReadError = nullptr;
};

// Reads a whole file for the parser (path rules apply); mReadError is set when it does not open or read.
TXmlSource ReadXmlSource(const std::string& name);

// Parses the bytes into the caller's document slot and returns its root element. On failure logs two
// lines, deletes the document, empties the slot and returns null.
TiXmlElement* ParseXmlDocument(const TXmlSource& source, TiXmlDocument*& slot);
// The same for a file.
TiXmlElement* LoadXmlDocument(const std::string& name, TiXmlDocument*& slot);

// Parses into the one shared slot (deleting the document held before) and returns its root.
// A root stays valid only until the next document is parsed into the slot.
TiXmlElement* ParseXmlRoot(const TXmlSource& source);
// The same for a file.
TiXmlElement* LoadXmlRoot(const std::string& name);
// Deletes the shared document.
void ReleaseXmlRoot();

// Marks the shared document as being walked for as long as it lives; LoadXmlRoot asserts (in debug
// builds) that no root is walked while it replaces the document.
class TXmlRootWalk {
public:
    TXmlRootWalk();
    ~TXmlRootWalk();
    TXmlRootWalk(const TXmlRootWalk&) = delete;
    TXmlRootWalk& operator=(const TXmlRootWalk&) = delete;
};
// Number of live TXmlRootWalk guards.
int GetXmlRootWalkers();

void CollectXmlChildren(const TiXmlElement* element, const char* tag, std::vector<TiXmlElement*>& children);
// The element's text when its first child is text, else "".
std::string ReadXmlText(const TiXmlElement* element);

std::string ReadXmlString(const TiXmlElement* element, const char* name, const std::string& def);
std::string ReadXmlAttribute(const TiXmlElement* element, const char* name, const std::string& def = "");
// True only for "1" and "true". The second name is tried when the first is missing or empty.
bool ReadXmlBool(const TiXmlElement* element, const char* name, bool def, const char* second = nullptr);
// A number, or a sum or difference of two ("100+20", "100-20").
int ReadXmlInt(const TiXmlElement* element, const char* name, int def, const char* second = nullptr);
unsigned int ReadXmlUInt(const TiXmlElement* element, const char* name, unsigned int def, const char* second = nullptr);
float ReadXmlFloat(const TiXmlElement* element, const char* name, float def, const char* second = nullptr);
// "r.g.b.a" (0..255 each, clamped) or hexadecimal: eight digits are AARRGGBB, fewer are RRGGBB (opaque).
TColor ReadXmlColor(const TiXmlElement* element, const char* name, const TColor& def);
// Four integers joined by the separator; values not read stay unchanged; true when all four were read.
bool ReadXmlFourInts(const TiXmlElement* element, const char* name, const char* separator, int values[4]);
int ReadXmlStringList(const TiXmlElement* element, const char* name, char separator, std::vector<std::string>& pieces);
// "a,b;c,d": one pair per piece; a piece without two numbers is skipped with a log line.
int ReadXmlIntPairs(const TiXmlElement* element, const char* name, std::vector<std::pair<int, int>>& pairs);
int ReadXmlFloatPairs(const TiXmlElement* element, const char* name, std::vector<std::pair<float, float>>& pairs);

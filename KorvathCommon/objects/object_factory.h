#pragma once
// Makes scene objects by the type name of their element, and rooms. The one table of object kinds lives
// in object_factory.cpp: every type name with its class, direct base and type id.

#include <span>
#include <string>

class TObject;
class TRoom;

struct TObjectKind {
    const char* typeName;
    const char* className;
    const char* baseName;
    int typeId;
    TObject* (*create)();
};

// Every type name, in table order; the empty type (a plain TObject) is not among them.
std::span<const TObjectKind> GetObjectKinds();

class TBaseObjectFactory {
public:
    virtual ~TBaseObjectFactory() = default;
    // A new object owned by the caller, or null when the text names no kind.
    virtual TObject* Create(const std::string& type) = 0;
};

class TObjectFactory : public TBaseObjectFactory {
public:
    // The process's factory; null until created.
    static TBaseObjectFactory* GetInstance();
    static void CreateInstance();
    static void DestroyInstance();

    // An empty type gives a plain TObject; names are compared exactly, letter case included.
    TObject* Create(const std::string& type) override;
};

class TBaseRoomFactory {
public:
    virtual ~TBaseRoomFactory() = default;
    virtual TRoom* Create(const std::string& name, const std::string& folder) = 0;
};

class TRoomFactory : public TBaseRoomFactory {
public:
    static TBaseRoomFactory* GetInstance();
    static void CreateInstance();
    static void DestroyInstance();

    // Always a new room, whatever the arguments.
    TRoom* Create(const std::string& name, const std::string& folder) override;
};

// Runtime classes: a name, a schema number and a factory, so that an archive
// can create an object by the class name it reads. Persistent classes register
// themselves once (usually from a static initialiser) and derive from
// ArchiveObject.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace recaster {

class Archive;
class ArchiveObject;

struct RuntimeClass {
    std::string name;  // as written into archives (Windows-1252, usually ASCII)
    uint16_t schema = 0;
    std::unique_ptr<ArchiveObject> (*create)() = nullptr;  // a default object
};

// Base of every object an archive can write and create by class name.
class ArchiveObject {
  public:
    virtual ~ArchiveObject() = default;
    virtual const RuntimeClass& GetRuntimeClass() const = 0;
    // Writes the object in store mode, reads it in load mode.
    virtual void Serialize(Archive& archive) = 0;
};

// Registers a class under its name. The record must outlive every lookup
// (a static object). Returns false, and changes nothing, when another record
// already holds the name; registering the same record again returns true.
bool RegisterRuntimeClass(const RuntimeClass& rc);

// The class registered under `name` (exact bytes), or nullptr.
const RuntimeClass* FindRuntimeClass(std::string_view name);

}  // namespace recaster

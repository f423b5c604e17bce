// Base of every record that the archive writes and reads as an object, with its class description.
//
// A persistent class derives from PersistentObject, puts QOR_DECLARE_SERIAL(Class) in its body and
// QOR_IMPLEMENT_SERIAL(Class, schema, versionable) in its source file. That gives it
//   - `Class::classInfo`: its name, schema number and factory, registered in the ClassRegistry under the
//     class name when the program starts, so that a reader can create it from the name in a stream;
//   - `Class::CreateObject()` (a new default-constructed object) and `GetRuntimeClass()`.
// It implements Write (its fields, in file order) and Read (the same fields back). The class record
// and the object tags around the fields are written and read by the archive, never by the record.
//
//   // Thing.h
//   class Thing : public PersistentObject
//   {
//       QOR_DECLARE_SERIAL(Thing)
//   public:
//       void Write(ArchiveWriter& ar) const override { ar.WriteString(m_name); ar.WriteObjectList(m_parts); }
//       void Read(ArchiveReader& ar, unsigned schema) override
//       {
//           m_name = ar.ReadString();
//           ar.ReadObjectList(m_parts); // throws ArchiveError on bad data
//       }
//       std::string m_name;
//       std::vector<std::unique_ptr<Part>> m_parts;
//   };
//   // Thing.cpp
//   QOR_IMPLEMENT_SERIAL(Thing, 1, false)
//
//   ArchiveWriter out;  out.WriteObject(&thing);          // bytes in out.Data()
//   ArchiveReader in(bytes);  auto t = in.ReadOwnedObject<Thing>();
#pragma once

#include <cstdint>

class ArchiveReader;
class ArchiveWriter;
class PersistentObject;

struct ClassInfo
{
    const char* name;     // the class name as it stands in files (ASCII, under 64 characters)
    std::uint16_t schema; // the schema number the class writes
    bool versionable;     // true: Read is handed any stored schema; false: only `schema` is accepted
    PersistentObject* (*create)();
};

class PersistentObject
{
public:
    virtual ~PersistentObject() = default;

    virtual const ClassInfo& GetRuntimeClass() const = 0;

    // Writes the record's fields.
    virtual void Write(ArchiveWriter& ar) const = 0;
    // Reads the record's fields. `schema` is the schema number stored in the stream for the class
    // (always the class's own for a class that is not versionable). Throws ArchiveError on bad data.
    virtual void Read(ArchiveReader& ar, unsigned schema) = 0;

protected:
    PersistentObject() = default;
    PersistentObject(const PersistentObject&) = default;
    PersistentObject& operator=(const PersistentObject&) = default;
};

// Registers a class description for the lifetime of the program (used by QOR_IMPLEMENT_SERIAL).
struct ClassRegistration
{
    explicit ClassRegistration(const ClassInfo& info);
};

#define QOR_DECLARE_SERIAL(Class)                                                                            \
public:                                                                                                      \
    static const ClassInfo classInfo;                                                                        \
    static PersistentObject* CreateObject();                                                                 \
    const ClassInfo& GetRuntimeClass() const override                                                        \
    {                                                                                                        \
        return classInfo;                                                                                    \
    }

#define QOR_IMPLEMENT_SERIAL(Class, schemaNumber, isVersionable)                                             \
    PersistentObject* Class::CreateObject()                                                                  \
    {                                                                                                        \
        return new Class;                                                                                    \
    }                                                                                                        \
    const ClassInfo Class::classInfo{#Class, schemaNumber, isVersionable, &Class::CreateObject};             \
    static const ClassRegistration s_registration##Class(Class::classInfo);

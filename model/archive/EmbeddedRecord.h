// Records embedded in another record: the class record, then the fields, without an object tag.
#pragma once

class ArchiveReader;
class ArchiveWriter;
class PersistentObject;

// Writes the class record of `o` (or its reference), then its fields.
void SerializeEmbeddedStore(ArchiveWriter& ar, const PersistentObject& o);
// Reads a class record that must name the class of `o`, then its fields with the stored schema.
void SerializeEmbedded(ArchiveReader& ar, PersistentObject& o);

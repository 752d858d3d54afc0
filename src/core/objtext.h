#pragma once
// Reading and writing records as object text, the format of every record file.
//
// Writing prints a record's declared properties in declaration order (leaving out zero
// floats, empty strings and lists, missing pictures), then its extra binary properties,
// then its children as nested blocks. Reading checks the whole text against the grammar
// first, then assigns the root block's properties to the caller's record by name and
// creates each child block's record from the class registry. A text of more than 1 MiB is
// not held as a tree while it is assigned: each block is read again and assigned as it
// comes. Strings are decoded straight into the records. Every failure throws ObjTextError
// with the message the user sees.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/objtext_parser.h"
#include "core/record.h"

namespace stallora {

// Appends the record and its children as object text. Throws ObjTextError for a value that
// has no text form (an infinite float).
void WriteRecordText(const Record& record, std::string& out);
std::string RecordText(const Record& record);
// The same text handed to `sink` in pieces of about 64 KiB, for output that need not be
// held whole in memory.
void WriteRecordText(const Record& record, const std::function<void(std::string_view)>& sink);

// Writes the text beside the target and renames it over the target only when it is
// complete, so a failed save leaves the previous file as it was ("Cannot create file %s").
// The target is the record's own file: a file changed since the record read or last wrote
// it is not replaced (FileConflictError, see core/filestamp.h), and the record remembers
// what it wrote.
void SaveRecordToFile(const Record& record, const std::filesystem::path& path);
// The same write to a file that is not the record's own (an attachment, a copy for the
// user): no check, and the record's stamp stays that of its own file.
void ExportRecordToFile(const Record& record, const std::filesystem::path& path);

// Assigns object text to an existing record; the root header's class name is not checked.
void ReadRecordText(std::string_view text, Record& record,
                    const ClassRegistry& registry = ClassRegistry::Global(),
                    const LoadEnvironment* environment = nullptr);

// Reads a file onto an existing record ("Cannot open file %s" when it cannot be read); the
// record remembers the bytes' size and hash (Record::fileStamp).
void LoadRecordFromFile(Record& record, const std::filesystem::path& path,
                        const ClassRegistry& registry = ClassRegistry::Global(),
                        const LoadEnvironment* environment = nullptr);

// Makes the root record for the class name of the root header; null when there is none
// ("Class %s not found").
using RootFactory = std::function<std::unique_ptr<Record>(std::string_view className)>;
// Object text onto a root record that `makeRoot` makes once the root header is read.
std::unique_ptr<Record> ReadRootRecordText(std::string_view text, const RootFactory& makeRoot,
                                           const ClassRegistry& registry = ClassRegistry::Global(),
                                           const LoadEnvironment* environment = nullptr);

// A new record of the class named by the root header, looked up in the registry.
std::unique_ptr<Record> ReadRecordFromString(std::string_view text,
                                             const ClassRegistry& registry = ClassRegistry::Global(),
                                             const LoadEnvironment* environment = nullptr);

// Assigns an already parsed block (used by callers that need the syntax tree too).
void AssignRecordBlock(ObjBlock& block, Record& record, const ClassRegistry& registry = ClassRegistry::Global(),
                       const LoadEnvironment* environment = nullptr);

}  // namespace stallora

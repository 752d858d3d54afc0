#pragma once
// Records and how they declare what they store.
//
// A record class states its persistent properties once, in file order, as a table of
// member pointers; the shared object text writer and reader use that table and nothing
// else, so no record writes save or load code for its ordinary fields. A record adds
// extra binary properties (with their own byte layout) and names the child records it
// owns; the reader hands it every child block it reads inside the record's block.
//
//   class TVekt : public Record {
//     STALLORA_RECORD(TVekt)
//    public:
//     DayNumber Dato = 0;
//     double Vekt = 0;
//   };
//   const RecordClass& TVekt::StaticClass() {
//     static const RecordClass c = RecordClass::Make<TVekt>("TVekt", {
//         Prop<&TVekt::Dato>("Dato"),
//         Prop<&TVekt::Vekt>("Vekt")});
//     return c;
//   }

#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/filestamp.h"

namespace stallora {

class Record;
class RecordClass;

// Every failure of reading or writing object text. The message is the user-facing text.
class ObjTextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A save refused because the file changed since the record read it (core/filestamp.h).
class FileConflictError : public ObjTextError {
 public:
  FileConflictError(std::filesystem::path file, const std::string& message)
      : ObjTextError(message), file_(std::move(file)) {}
  const std::filesystem::path& File() const { return file_; }

 private:
  std::filesystem::path file_;
};

using StringList = std::vector<std::string>;

// A JPEG picture held by a record: the bytes of the JPEG file, empty for no picture.
struct Picture {
  std::string jpeg;
  bool Empty() const { return jpeg.empty(); }
  bool operator==(const Picture&) const = default;
};

enum class PropertyKind : uint8_t {
  kInteger,      // signed 32 bits
  kByte,         // unsigned 8 bits (also the one-byte integer subranges)
  kBoolean,
  kEnumeration,  // one byte, written as the value's identifier
  kReal,         // 64-bit float; dates too
  kString,       // Windows-1252 bytes; short strings keep at most maxLength bytes
  kStringList,   // written as Name.Strings = ( ... )
  kPicture,      // written as Name.Data = { length + JPEG bytes }
};

// One declared property. Built with Prop<&Class::Member>("Name"), then refined.
struct PropertyDef {
  std::string_view name;
  PropertyKind kind = PropertyKind::kInteger;
  void* (*field)(Record&) = nullptr;
  std::span<const std::string_view> enumNames;
  size_t maxLength = 0;  // 0: no limit
  int64_t minValue = 0;
  int64_t maxValue = 0;
  bool hasDefault = false;  // integers equal to the default are not written
  int64_t defaultValue = 0;
  bool stored = true;  // false: read but never written
  // Reals equal to 0 are not written; a record that starts with another value marks the
  // property so that a 0 the user chose is written and does not read back as that value.
  bool writeZero = false;

  // A short string: keeps at most `n` bytes when read.
  PropertyDef ShortString(size_t n = 255) const {
    PropertyDef d = *this;
    d.maxLength = n;
    return d;
  }
  // Integer values outside [lo, hi] are refused on reading ("Invalid property value").
  PropertyDef Range(int64_t lo, int64_t hi) const {
    PropertyDef d = *this;
    d.minValue = lo;
    d.maxValue = hi;
    return d;
  }
  PropertyDef Default(int64_t v) const {
    PropertyDef d = *this;
    d.hasDefault = true;
    d.defaultValue = v;
    return d;
  }
  PropertyDef WriteZero() const {
    PropertyDef d = *this;
    d.writeZero = true;
    return d;
  }
  PropertyDef NotStored() const {
    PropertyDef d = *this;
    d.stored = false;
    return d;
  }

  template <class T>
  T& Ref(Record& r) const {
    return *static_cast<T*>(field(r));
  }
  template <class T>
  const T& Ref(const Record& r) const {
    return *static_cast<const T*>(field(const_cast<Record&>(r)));
  }
};

// An extra property: a binary block whose bytes the record makes and takes itself.
struct ExtraPropertyDef {
  std::string_view name;
  std::string (*write)(const Record&) = nullptr;
  // Throws ObjTextError (its message is reported as the property's error) for bytes it
  // cannot take.
  void (*read)(Record&, std::string_view bytes) = nullptr;
};

// What records created during a load take their starting values from (today's date, the
// country, the active energy system, ...). The library's higher layers derive from it; the
// core only carries it from the caller of a load to the records it creates.
class LoadEnvironment {
 public:
  virtual ~LoadEnvironment() = default;
};

// The per-load state handed to records while they are read: the loading flag of one load,
// the root being read, and the caller's environment (may be null).
struct LoadContext {
  Record* root = nullptr;
  bool loading = true;
  const LoadEnvironment* environment = nullptr;
};

class RecordClass {
 public:
  using Factory = std::unique_ptr<Record> (*)(const LoadContext&);

  RecordClass(std::string_view name, const RecordClass* base, std::vector<PropertyDef> properties,
              std::vector<ExtraPropertyDef> extras, Factory factory);

  // A class whose records derive directly from Record.
  template <class R>
  static RecordClass Make(std::string_view name, std::vector<PropertyDef> properties,
                          std::vector<ExtraPropertyDef> extras = {}) {
    return RecordClass(name, &BaseClass(), std::move(properties), std::move(extras), Factory_<R>());
  }
  // A class derived from another record class.
  template <class R>
  static RecordClass Derive(std::string_view name, const RecordClass& base,
                            std::vector<PropertyDef> properties, std::vector<ExtraPropertyDef> extras = {}) {
    return RecordClass(name, &base, std::move(properties), std::move(extras), Factory_<R>());
  }

  // The properties every record has: the component name (never written) and Tag.
  static const RecordClass& BaseClass();

  std::string_view Name() const { return name_; }
  const RecordClass* Base() const { return base_; }
  // All properties, base classes first, in writing order.
  std::span<const PropertyDef> Properties() const { return all_; }
  std::span<const ExtraPropertyDef> Extras() const { return allExtras_; }

  // Case-insensitive lookup. `hint` is where the search starts (the property after the last
  // one found), so files in declaration order are read without searching.
  const PropertyDef* FindProperty(std::string_view name, size_t* hint = nullptr) const;
  const ExtraPropertyDef* FindExtra(std::string_view name) const;

  bool CanCreate() const { return factory_ != nullptr; }
  // A new record of this class; classes whose records take starting values from the
  // environment have a constructor taking the LoadContext.
  std::unique_ptr<Record> Create(const LoadContext& ctx = {}) const;

 private:
  template <class R>
  static Factory Factory_() {
    if constexpr (std::is_abstract_v<R>)
      return nullptr;
    else if constexpr (std::is_constructible_v<R, const LoadContext&>)
      return [](const LoadContext& ctx) -> std::unique_ptr<Record> { return std::make_unique<R>(ctx); };
    else if constexpr (std::is_default_constructible_v<R>)
      return [](const LoadContext&) -> std::unique_ptr<Record> { return std::make_unique<R>(); };
    else
      return nullptr;
  }

  std::string_view name_;
  const RecordClass* base_;
  std::vector<PropertyDef> all_;
  std::vector<ExtraPropertyDef> allExtras_;
  Factory factory_;
};

#define STALLORA_RECORD(Cls)                                                                \
 public:                                                                                    \
  static const ::stallora::RecordClass& StaticClass();                                      \
  const ::stallora::RecordClass& GetRecordClass() const override { return StaticClass(); } \
                                                                                            \
 private:

class Record {
 public:
  Record() = default;
  Record(const Record&) = delete;
  Record& operator=(const Record&) = delete;
  virtual ~Record();

  virtual const RecordClass& GetRecordClass() const = 0;

  // The child records, in the order they are written.
  virtual std::vector<const Record*> Children() const { return {}; }

  // The reader created `child` from a block inside this record's block and is about to fill
  // it. Keep it (return nullptr) or give it back; a child given back stays owned by the
  // root record of the load, unattached.
  virtual std::unique_ptr<Record> AdoptChild(std::unique_ptr<Record> child, LoadContext& ctx) {
    return child;
  }

  // Children that no record took while this record was the root of a load.
  const std::vector<std::unique_ptr<Record>>& StrayChildren() const { return strays_; }
  void KeepStray(std::unique_ptr<Record> child) { strays_.push_back(std::move(child)); }

  // The component base: the name is never written, the tag only when it is not 0.
  std::string Name;
  int32_t Tag = 0;

  // What the record's file held when the record was read from it or last written to it;
  // the save compares the file with it (core/filestamp.h). Bookkeeping of the file, not
  // of the record's data, so a save of a const record keeps it up to date.
  mutable FileStamp fileStamp;

 private:
  std::vector<std::unique_ptr<Record>> strays_;
};

// ---- declaring properties ----

template <auto Member>
struct MemberTraits;
template <class C, class T, T C::*M>
struct MemberTraits<M> {
  using Class = C;
  using Type = T;
};

inline constexpr std::string_view kBooleanNames[] = {"False", "True"};

template <auto Member>
PropertyDef Prop(std::string_view name) {
  using C = typename MemberTraits<Member>::Class;
  using T = typename MemberTraits<Member>::Type;
  static_assert(std::is_base_of_v<Record, C>, "properties belong to records");
  PropertyDef d;
  d.name = name;
  d.field = [](Record& r) -> void* { return &(static_cast<C&>(r).*Member); };
  if constexpr (std::is_same_v<T, bool>) {
    d.kind = PropertyKind::kBoolean;
    d.enumNames = kBooleanNames;
  } else if constexpr (std::is_same_v<T, int32_t>) {
    d.kind = PropertyKind::kInteger;
    d.minValue = std::numeric_limits<int32_t>::min();
    d.maxValue = std::numeric_limits<int32_t>::max();
  } else if constexpr (std::is_same_v<T, uint8_t>) {
    d.kind = PropertyKind::kByte;
    d.minValue = std::numeric_limits<int32_t>::min();  // stored in its width, as the format says
    d.maxValue = std::numeric_limits<int32_t>::max();
  } else if constexpr (std::is_enum_v<T>) {
    static_assert(sizeof(T) == 1, "enumerations are stored in one byte");
    d.kind = PropertyKind::kEnumeration;
    d.enumNames = EnumValueNames(T{});  // found by argument-dependent lookup beside the enum
  } else if constexpr (std::is_same_v<T, double>) {
    d.kind = PropertyKind::kReal;
  } else if constexpr (std::is_same_v<T, std::string>) {
    d.kind = PropertyKind::kString;
  } else if constexpr (std::is_same_v<T, StringList>) {
    d.kind = PropertyKind::kStringList;
  } else if constexpr (std::is_same_v<T, Picture>) {
    d.kind = PropertyKind::kPicture;
  } else {
    static_assert(sizeof(T) == 0, "unsupported property type");
  }
  return d;
}

// An extra binary property whose bytes come from and go to two member functions of R:
//   std::string WriteX() const;  void ReadX(std::string_view bytes);
template <class R, std::string (R::*Write)() const, void (R::*Read)(std::string_view)>
ExtraPropertyDef Extra(std::string_view name) {
  ExtraPropertyDef d;
  d.name = name;
  d.write = [](const Record& r) { return (static_cast<const R&>(r).*Write)(); };
  d.read = [](Record& r, std::string_view bytes) { (static_cast<R&>(r).*Read)(bytes); };
  return d;
}

// ---- the class registry ----

class ClassRegistry {
 public:
  void Register(const RecordClass& cls);
  // A class that only ever occurs as the root of a file (THest, TAnimal, TPreferences):
  // never created for a child block, but known to tools that read a file by its header.
  void RegisterRoot(const RecordClass& cls);
  // Case-insensitive; nullptr when not registered. Root-only classes are not found.
  const RecordClass* Get(std::string_view name) const;
  // A class that may head a file: a registered one or a root-only one.
  const RecordClass* GetRoot(std::string_view name) const;
  // Every registered class, by name (root-only classes not included).
  std::vector<const RecordClass*> All() const;
  // The root-only classes, by name.
  std::vector<const RecordClass*> RootOnly() const;

  // The program's registry, filled at start-up.
  static ClassRegistry& Global();

 private:
  std::map<std::string, const RecordClass*, std::less<>> classes_;
  std::map<std::string, const RecordClass*, std::less<>> roots_;
};

void RegisterClass(const RecordClass& cls);
void RegisterRootClass(const RecordClass& cls);
const RecordClass* GetClass(std::string_view name);

}  // namespace stallora

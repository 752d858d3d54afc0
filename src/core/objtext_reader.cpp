#include <fmt/format.h>

#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"

namespace stallora {
namespace {

using K = ObjValue::Kind;

class Assigner {
 public:
  Assigner(const ClassRegistry& registry, Record& root, const LoadEnvironment* environment) : registry_(registry) {
    ctx_.root = &root;
    ctx_.environment = environment;
  }

  void Block(ObjBlock& block, Record& record) {
    const RecordClass& cls = record.GetRecordClass();
    size_t hint = 0;
    for (ObjProperty& prop : block.properties) Property(record, cls, prop, hint);
    for (ObjBlock& childBlock : block.children) {
      const RecordClass* childClass = registry_.Get(childBlock.className);
      std::unique_ptr<Record> child = childClass ? childClass->Create(ctx_) : nullptr;
      if (!child) throw ObjTextError(fmt::format("Class {} not found", childBlock.className));
      Record* raw = child.get();
      if (auto declined = record.AdoptChild(std::move(child), ctx_)) ctx_.root->KeepStray(std::move(declined));
      Block(childBlock, *raw);
    }
  }

 private:
  [[noreturn]] static void Error(const RecordClass& cls, const ObjProperty& prop, std::string_view what) {
    throw ObjTextError(fmt::format("Error reading {}{}{}: {}", cls.Name(), ".", prop.path, what));
  }
  [[noreturn]] static void Invalid(const RecordClass& cls, const ObjProperty& prop) {
    Error(cls, prop, "Invalid property value");
  }

  void Property(Record& record, const RecordClass& cls, ObjProperty& prop, size_t& hint) {
    std::string_view path = prop.path;
    std::string_view head = path, rest;
    if (const size_t dot = path.find('.'); dot != std::string_view::npos) {
      head = path.substr(0, dot);
      rest = path.substr(dot + 1);
    }
    const PropertyDef* def = cls.FindProperty(head, &hint);
    if (!def) {
      const ExtraPropertyDef* extra = rest.empty() ? cls.FindExtra(head) : nullptr;
      if (!extra) Error(cls, prop, "Property does not exist");
      if (prop.value.kind != K::kBinary) Invalid(cls, prop);
      try {
        extra->read(record, prop.value.text);
      } catch (const ObjTextError& e) {
        Error(cls, prop, e.what());
      }
      return;
    }
    ObjValue& v = prop.value;
    if (!rest.empty()) {
      if (def->kind == PropertyKind::kStringList && SameText(rest, "Strings")) {
        StringListValue(record, cls, *def, prop);
        return;
      }
      if (def->kind == PropertyKind::kPicture && SameText(rest, "Data")) {
        PictureValue(record, cls, *def, prop);
        return;
      }
      Error(cls, prop, "Property does not exist");
    }
    switch (def->kind) {
      case PropertyKind::kInteger:
      case PropertyKind::kByte: {
        if (v.kind != K::kInteger) Invalid(cls, prop);
        // The value must fit the 32 bits the format reads integers into.
        if (v.integer < INT32_MIN || v.integer > INT32_MAX) Invalid(cls, prop);
        if (v.integer < def->minValue || v.integer > def->maxValue) Invalid(cls, prop);
        if (def->kind == PropertyKind::kInteger)
          def->Ref<int32_t>(record) = static_cast<int32_t>(v.integer);
        else
          def->Ref<uint8_t>(record) = static_cast<uint8_t>(v.integer);
        return;
      }
      case PropertyKind::kBoolean:
      case PropertyKind::kEnumeration: {
        if (v.kind != K::kIdentifier) Invalid(cls, prop);
        for (size_t i = 0; i < def->enumNames.size(); ++i) {
          if (SameText(def->enumNames[i], v.text)) {
            if (def->kind == PropertyKind::kBoolean)
              def->Ref<bool>(record) = i != 0;
            else
              def->Ref<uint8_t>(record) = static_cast<uint8_t>(i);
            return;
          }
        }
        Invalid(cls, prop);
      }
      case PropertyKind::kReal:
        if (v.kind == K::kInteger)
          def->Ref<double>(record) = static_cast<double>(v.integer);
        else if (v.kind == K::kFloat && v.floatMark == 0)
          def->Ref<double>(record) = v.real;
        else
          Invalid(cls, prop);
        return;
      case PropertyKind::kString: {
        if (v.kind != K::kString || v.wide) Invalid(cls, prop);
        if (def->maxLength && v.text.size() > def->maxLength) v.text.resize(def->maxLength);
        def->Ref<std::string>(record) = std::move(v.text);
        return;
      }
      case PropertyKind::kStringList:
      case PropertyKind::kPicture:
        Invalid(cls, prop);
    }
  }

  static void StringListValue(Record& record, const RecordClass& cls, const PropertyDef& def, ObjProperty& prop) {
    ObjValue& v = prop.value;
    if (v.kind != K::kList) Invalid(cls, prop);
    for (const ObjValue& item : v.items)
      if (item.kind != K::kString || item.wide) Invalid(cls, prop);
    StringList& lines = def.Ref<StringList>(record);
    lines.clear();
    lines.reserve(v.items.size());
    for (ObjValue& item : v.items) lines.push_back(std::move(item.text));
  }

  static void PictureValue(Record& record, const RecordClass& cls, const PropertyDef& def, ObjProperty& prop) {
    const ObjValue& v = prop.value;
    if (v.kind != K::kBinary) Invalid(cls, prop);
    Picture& pic = def.Ref<Picture>(record);
    if (v.text.empty()) {
      pic.jpeg.clear();
      return;
    }
    if (v.text.size() < 4) Invalid(cls, prop);
    uint32_t n = 0;
    for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(v.text[static_cast<size_t>(i)]);
    // A length that overruns the block would read past its end.
    if (n > v.text.size() - 4) Invalid(cls, prop);
    pic.jpeg.assign(v.text, 4, n);
  }

  const ClassRegistry& registry_;
  LoadContext ctx_;
};

}  // namespace

void AssignRecordBlock(ObjBlock& block, Record& record, const ClassRegistry& registry,
                       const LoadEnvironment* environment) {
  Assigner(registry, record, environment).Block(block, record);
}

void ReadRecordText(std::string_view text, Record& record, const ClassRegistry& registry,
                    const LoadEnvironment* environment) {
  ObjBlock block = ParseObjectText(text);
  AssignRecordBlock(block, record, registry, environment);
}

void LoadRecordFromFile(Record& record, const std::filesystem::path& path, const ClassRegistry& registry,
                        const LoadEnvironment* environment) {
  std::string error;
  std::optional<std::string> text = ReadWholeFile(path, &error);
  if (!text) throw ObjTextError(error);
  ReadRecordText(*text, record, registry, environment);
  // A later save compares the file with what was read here.
  record.fileStamp = StampOfBytes(path, *text);
}

std::unique_ptr<Record> ReadRecordFromString(std::string_view text, const ClassRegistry& registry,
                                             const LoadEnvironment* environment) {
  ObjBlock block = ParseObjectText(text);
  const RecordClass* cls = registry.Get(block.className);
  LoadContext ctx;
  ctx.environment = environment;
  std::unique_ptr<Record> record = cls ? cls->Create(ctx) : nullptr;
  if (!record) throw ObjTextError(fmt::format("Class {} not found", block.className));
  AssignRecordBlock(block, *record, registry, environment);
  return record;
}

}  // namespace stallora

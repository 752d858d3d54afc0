#include <optional>

#include <fmt/format.h>

#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"

namespace stallora {
namespace {

using K = ObjValue::Kind;

// Up to this size a text is parsed once into its tree (small beside the text) and then
// assigned. A larger one is checked whole first, then read again block by block, so that no
// tree of it is held: its records and its text are all the memory a load takes.
constexpr size_t kTreeTextLimit = size_t{1} << 20;

class Assigner {
 public:
  Assigner(const ClassRegistry& registry, Record& root, const LoadEnvironment* environment) : registry_(registry) {
    ctx_.root = &root;
    ctx_.environment = environment;
  }

  // A whole tree onto the record.
  void Block(ObjBlock& block, Record& record) {
    Properties(block, record);
    for (ObjBlock& childBlock : block.children) Block(childBlock, Child(childBlock, record));
  }

  // The block's own properties, in file order.
  void Properties(ObjBlock& block, Record& record) {
    const RecordClass& cls = record.GetRecordClass();
    size_t hint = 0;
    for (ObjProperty& prop : block.properties) Property(record, cls, prop, hint);
  }

  // A new record for a child block, attached to its parent (or kept by the root).
  Record& Child(const ObjBlock& childBlock, Record& parent) {
    const RecordClass* childClass = registry_.Get(childBlock.className);
    std::unique_ptr<Record> child = childClass ? childClass->Create(ctx_) : nullptr;
    if (!child) throw ObjTextError(fmt::format("Class {} not found", childBlock.className));
    Record* raw = child.get();
    if (auto declined = parent.AdoptChild(std::move(child), ctx_)) ctx_.root->KeepStray(std::move(declined));
    return *raw;
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
      bytes_.clear();
      prop.value.AppendBytes(bytes_);
      try {
        extra->read(record, bytes_);
      } catch (const ObjTextError& e) {
        Error(cls, prop, e.what());
      }
      return;
    }
    const ObjValue& v = prop.value;
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
        // Decoded straight into the record's string, whose storage is reused.
        std::string& target = def->Ref<std::string>(record);
        target.clear();
        v.AppendString(target);
        if (def->maxLength && target.size() > def->maxLength) target.resize(def->maxLength);
        return;
      }
      case PropertyKind::kStringList:
      case PropertyKind::kPicture: Invalid(cls, prop);
    }
  }

  static void StringListValue(Record& record, const RecordClass& cls, const PropertyDef& def, ObjProperty& prop) {
    const ObjValue& v = prop.value;
    if (v.kind != K::kList) Invalid(cls, prop);
    for (const ObjValue& item : v.Items())
      if (item.kind != K::kString || item.wide) Invalid(cls, prop);
    StringList& lines = def.Ref<StringList>(record);
    lines.clear();
    lines.reserve(v.Items().size());
    for (const ObjValue& item : v.Items()) lines.push_back(item.String());
  }

  void PictureValue(Record& record, const RecordClass& cls, const PropertyDef& def, ObjProperty& prop) {
    const ObjValue& v = prop.value;
    if (v.kind != K::kBinary) Invalid(cls, prop);
    Picture& pic = def.Ref<Picture>(record);
    bytes_.clear();
    v.AppendBytes(bytes_);
    if (bytes_.empty()) {
      pic.jpeg.clear();
      return;
    }
    if (bytes_.size() < 4) Invalid(cls, prop);
    uint32_t n = 0;
    for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(bytes_[static_cast<size_t>(i)]);
    // A length that overruns the block would read past its end.
    if (n > bytes_.size() - 4) Invalid(cls, prop);
    pic.jpeg.assign(bytes_, 4, n);
  }

  const ClassRegistry& registry_;
  LoadContext ctx_;
  std::string bytes_;  // a binary block's bytes, reused from block to block
};

// Assigns each block as the parser hands it over: no tree of the text is kept.
class LoadVisitor final : public ObjBlockVisitor {
 public:
  LoadVisitor(const ClassRegistry& registry, Record& root, const LoadEnvironment* environment)
      : assigner_(registry, root, environment), root_(root) {}

  void BeginBlock(ObjBlock& block) override {
    Record& record = stack_.empty() ? root_ : assigner_.Child(block, *stack_.back());
    assigner_.Properties(block, record);
    stack_.push_back(&record);
  }
  void EndBlock() override { stack_.pop_back(); }

 private:
  Assigner assigner_;
  Record& root_;
  std::vector<Record*> stack_;
};

// Reads the root header first, to make the root record of the class it names.
class RootVisitor final : public ObjBlockVisitor {
 public:
  RootVisitor(const ClassRegistry& registry, const LoadEnvironment* environment, const RootFactory& makeRoot)
      : registry_(registry), environment_(environment), makeRoot_(makeRoot) {}

  void BeginBlock(ObjBlock& block) override {
    if (!loader_) {
      root_ = makeRoot_(block.className);
      if (!root_) throw ObjTextError(fmt::format("Class {} not found", block.className));
      loader_.emplace(registry_, *root_, environment_);
    }
    loader_->BeginBlock(block);
  }
  void EndBlock() override { loader_->EndBlock(); }

  std::unique_ptr<Record> Take() { return std::move(root_); }

 private:
  const ClassRegistry& registry_;
  const LoadEnvironment* environment_;
  const RootFactory& makeRoot_;
  std::unique_ptr<Record> root_;
  std::optional<LoadVisitor> loader_;
};

}  // namespace

void AssignRecordBlock(ObjBlock& block, Record& record, const ClassRegistry& registry,
                       const LoadEnvironment* environment) {
  Assigner(registry, record, environment).Block(block, record);
}

void ReadRecordText(std::string_view text, Record& record, const ClassRegistry& registry,
                    const LoadEnvironment* environment) {
  if (text.size() <= kTreeTextLimit) {
    ObjBlock block = ParseObjectText(text);
    AssignRecordBlock(block, record, registry, environment);
    return;
  }
  LoadVisitor visitor(registry, record, environment);
  VisitObjectText(text, visitor);
}

void LoadRecordFromFile(Record& record, const std::filesystem::path& path, const ClassRegistry& registry,
                        const LoadEnvironment* environment) {
  std::string error;
  int64_t mtime = 0;
  std::optional<std::string> text = ReadWholeFile(path, &error, &mtime);
  if (!text) throw ObjTextError(error);
  ReadRecordText(*text, record, registry, environment);
  // A later save compares the file with what was read here.
  record.fileStamp = StampOfBytes(path, *text, mtime);
}

std::unique_ptr<Record> ReadRootRecordText(std::string_view text, const RootFactory& makeRoot,
                                           const ClassRegistry& registry, const LoadEnvironment* environment) {
  if (text.size() <= kTreeTextLimit) {
    ObjBlock block = ParseObjectText(text);
    std::unique_ptr<Record> root = makeRoot(block.className);
    if (!root) throw ObjTextError(fmt::format("Class {} not found", block.className));
    AssignRecordBlock(block, *root, registry, environment);
    return root;
  }
  // The root is the caller's only once the whole text is read, so a failed read leaves
  // nothing behind, and one pass does.
  RootVisitor visitor(registry, environment, makeRoot);
  VisitObjectTextOnce(text, visitor);
  return visitor.Take();
}

std::unique_ptr<Record> ReadRecordFromString(std::string_view text, const ClassRegistry& registry,
                                             const LoadEnvironment* environment) {
  return ReadRootRecordText(
      text,
      [&](std::string_view className) -> std::unique_ptr<Record> {
        const RecordClass* cls = registry.Get(className);
        LoadContext ctx;
        ctx.environment = environment;
        return cls ? cls->Create(ctx) : nullptr;
      },
      registry, environment);
}

}  // namespace stallora

#include "core/record.h"

#include "core/textutil.h"

namespace stallora {

Record::~Record() = default;

RecordClass::RecordClass(std::string_view name, const RecordClass* base, std::vector<PropertyDef> properties,
                         std::vector<ExtraPropertyDef> extras, Factory factory)
    : name_(name), base_(base), factory_(factory) {
  if (base_) {
    all_.assign(base_->all_.begin(), base_->all_.end());
    allExtras_.assign(base_->allExtras_.begin(), base_->allExtras_.end());
  }
  all_.insert(all_.end(), properties.begin(), properties.end());
  allExtras_.insert(allExtras_.end(), extras.begin(), extras.end());
}

namespace {

class BaseRecord final : public Record {
 public:
  const RecordClass& GetRecordClass() const override { return RecordClass::BaseClass(); }
};

}  // namespace

const RecordClass& RecordClass::BaseClass() {
  static const RecordClass c("TComponent", nullptr,
                             {Prop<&Record::Name>("Name").NotStored(), Prop<&Record::Tag>("Tag").Default(0)}, {},
                             nullptr);
  return c;
}

const PropertyDef* RecordClass::FindProperty(std::string_view name, size_t* hint) const {
  const size_t n = all_.size();
  if (n == 0) return nullptr;
  size_t start = hint && *hint < n ? *hint : 0;
  for (size_t k = 0; k < n; ++k) {
    size_t i = start + k;
    if (i >= n) i -= n;
    if (SameText(all_[i].name, name)) {
      if (hint) *hint = i + 1;
      return &all_[i];
    }
  }
  return nullptr;
}

const ExtraPropertyDef* RecordClass::FindExtra(std::string_view name) const {
  for (const auto& e : allExtras_)
    if (SameText(e.name, name)) return &e;
  return nullptr;
}

std::unique_ptr<Record> RecordClass::Create(const LoadContext& ctx) const { return factory_ ? factory_(ctx) : nullptr; }

namespace {

// Looks a name up by its upper-case form, made on the stack for the names classes have.
template <class Map>
const RecordClass* FindUpper(const Map& map, std::string_view name) {
  char buffer[128];
  if (name.size() > sizeof buffer) {
    auto it = map.find(UpperCase(name));
    return it == map.end() ? nullptr : it->second;
  }
  for (size_t i = 0; i < name.size(); ++i) buffer[i] = UpperCp1252(name[i]);
  auto it = map.find(std::string_view(buffer, name.size()));
  return it == map.end() ? nullptr : it->second;
}

}  // namespace

void ClassRegistry::Register(const RecordClass& cls) { classes_[UpperCase(cls.Name())] = &cls; }

const RecordClass* ClassRegistry::Get(std::string_view name) const { return FindUpper(classes_, name); }

void ClassRegistry::RegisterRoot(const RecordClass& cls) { roots_[UpperCase(cls.Name())] = &cls; }

const RecordClass* ClassRegistry::GetRoot(std::string_view name) const {
  if (const RecordClass* cls = Get(name)) return cls;
  return FindUpper(roots_, name);
}

std::vector<const RecordClass*> ClassRegistry::RootOnly() const {
  std::vector<const RecordClass*> all;
  for (const auto& [name, cls] : roots_) all.push_back(cls);
  return all;
}

std::vector<const RecordClass*> ClassRegistry::All() const {
  std::vector<const RecordClass*> all;
  all.reserve(classes_.size());
  for (const auto& [name, cls] : classes_) all.push_back(cls);
  return all;
}

ClassRegistry& ClassRegistry::Global() {
  static ClassRegistry registry;
  return registry;
}

void RegisterClass(const RecordClass& cls) { ClassRegistry::Global().Register(cls); }
void RegisterRootClass(const RecordClass& cls) { ClassRegistry::Global().RegisterRoot(cls); }
const RecordClass* GetClass(std::string_view name) { return ClassRegistry::Global().Get(name); }

}  // namespace stallora

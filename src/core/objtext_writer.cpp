#include <charconv>
#include <cmath>
#include <cstring>

#include <fmt/format.h>

#include "core/fileio.h"
#include "core/floattext.h"
#include "core/objtext.h"

namespace stallora {
namespace {

constexpr size_t kStringChunk = 64;  // bytes of a string per output line
constexpr size_t kBinaryChunk = 32;  // bytes of a binary block per output line

// The two upper-case hexadecimal digits of every byte.
struct HexPairs {
  char v[256][2];
  constexpr HexPairs() : v() {
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 256; ++i) {
      v[i][0] = kDigits[i >> 4];
      v[i][1] = kDigits[i & 15];
    }
  }
};
constexpr HexPairs kHexPairs;

class Writer {
 public:
  explicit Writer(std::string& out, const std::function<void(std::string_view)>* sink = nullptr)
      : out_(out), sink_(sink) {}

  // Hands what is written so far to the sink, when there is one and enough has gathered.
  void Flush(bool all = false) {
    if (!sink_ || out_.empty() || (!all && out_.size() < kFlushBytes)) return;
    (*sink_)(out_);
    out_.clear();
  }

  void Block(const Record& record, int level) {
    const RecordClass& cls = record.GetRecordClass();
    Indent(level);
    out_ += "object ";
    out_ += cls.Name();
    out_ += "\r\n";
    for (const PropertyDef& prop : cls.Properties()) {
      Property(record, cls, prop, level + 1);
      Flush();
    }
    for (const ExtraPropertyDef& extra : cls.Extras()) {
      PropertyStart(extra.name, level + 1);
      Binary(extra.write(record), level + 1);
      out_ += "\r\n";
      Flush();
    }
    for (const Record* child : record.Children())
      if (child) Block(*child, level + 1);
    Indent(level);
    out_ += "end\r\n";
  }

 private:
  void Indent(int level) { out_.append(static_cast<size_t>(level) * 2, ' '); }

  void PropertyStart(std::string_view path, int level, std::string_view suffix = {}) {
    Indent(level);
    out_ += path;
    out_ += suffix;
    out_ += " = ";
  }

  void Property(const Record& r, const RecordClass& cls, const PropertyDef& prop, int level) {
    if (!prop.stored) return;
    switch (prop.kind) {
      case PropertyKind::kInteger: {
        const int32_t v = prop.Ref<int32_t>(r);
        if (v == INT32_MIN || (prop.hasDefault && v == prop.defaultValue)) return;
        PropertyStart(prop.name, level);
        Integer(v);
        break;
      }
      case PropertyKind::kByte: {
        const uint8_t v = prop.Ref<uint8_t>(r);
        if (prop.hasDefault && v == prop.defaultValue) return;
        PropertyStart(prop.name, level);
        Integer(v);
        break;
      }
      case PropertyKind::kBoolean:
        PropertyStart(prop.name, level);
        out_ += prop.Ref<bool>(r) ? "True" : "False";
        break;
      case PropertyKind::kEnumeration: {
        const uint8_t v = prop.Ref<uint8_t>(r);
        PropertyStart(prop.name, level);
        if (v < prop.enumNames.size())
          out_ += prop.enumNames[v];
        else
          Integer(v);  // cannot happen for values the program sets; keeps the file readable
        break;
      }
      case PropertyKind::kReal: {
        const double v = prop.Ref<double>(r);
        if ((v == 0 && !prop.writeZero) || std::isnan(v)) return;
        if (!std::isfinite(v))
          throw ObjTextError(fmt::format("Error writing {}.{}: Invalid floating point value", cls.Name(), prop.name));
        PropertyStart(prop.name, level);
        AppendObjTextFloat(out_, v);
        break;
      }
      case PropertyKind::kString: {
        const std::string& s = prop.Ref<std::string>(r);
        // A text whose record starts it non-empty must be written even when emptied, or it
        // reads back as that start.
        if (s.empty() && !prop.writeZero) return;
        PropertyStart(prop.name, level);
        String(s, level);
        break;
      }
      case PropertyKind::kStringList: {
        const StringList& lines = prop.Ref<StringList>(r);
        if (lines.empty()) return;
        PropertyStart(prop.name, level, ".Strings");
        out_ += '(';
        for (const std::string& line : lines) {
          out_ += "\r\n";
          Indent(level + 1);
          String(line, level + 1);
        }
        out_ += ')';
        break;
      }
      case PropertyKind::kPicture: {
        const Picture& pic = prop.Ref<Picture>(r);
        if (pic.Empty()) return;
        PropertyStart(prop.name, level, ".Data");
        std::string bytes;
        const auto n = static_cast<uint32_t>(pic.jpeg.size());
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
        bytes += pic.jpeg;
        Binary(bytes, level);
        break;
      }
    }
    out_ += "\r\n";
  }

  void Integer(int64_t v) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, res.ptr);
  }

  // A string whose property line is at `level`: pieces of at most 64 bytes per line,
  // control bytes and the apostrophe as #nn codes.
  void String(std::string_view s, int level) {
    if (s.empty()) {
      out_ += "''";
      return;
    }
    if (s.size() > kStringChunk) {
      out_ += "\r\n";
      Indent(level + 1);
    }
    const auto* b = reinterpret_cast<const unsigned char*>(s.data());
    const size_t n = s.size();
    size_t i = 0;
    size_t sinceLineStart = 0;
    while (i < n) {
      const unsigned char c = b[i];
      if (c < 32 || c == '\'') {
        out_ += '#';
        Integer(c);
        ++i;
        ++sinceLineStart;
      } else {
        size_t j = i;
        const size_t limit = std::min(n, i + (kStringChunk - sinceLineStart));
        while (j < limit && b[j] >= 32 && b[j] != '\'') ++j;
        out_ += '\'';
        out_.append(s.data() + i, j - i);
        out_ += '\'';
        sinceLineStart += j - i;
        i = j;
      }
      if (sinceLineStart >= kStringChunk && i < n) {
        out_ += " +\r\n";
        Indent(level + 1);
        sinceLineStart = 0;
      }
    }
  }

  void Binary(std::string_view bytes, int level) {
    out_ += '{';
    const size_t n = bytes.size();
    auto hex = [&](size_t from, size_t count) {
      const size_t at = out_.size();
      out_.resize(at + count * 2);
      char* d = out_.data() + at;
      for (size_t k = 0; k < count; ++k)
        std::memcpy(d + 2 * k, kHexPairs.v[static_cast<unsigned char>(bytes[from + k])], 2);
    };
    if (n < kBinaryChunk) {
      hex(0, n);
    } else {
      for (size_t i = 0; i < n; i += kBinaryChunk) {
        out_ += "\r\n";
        Indent(level + 1);
        hex(i, std::min(kBinaryChunk, n - i));
      }
    }
    out_ += '}';
  }

  static constexpr size_t kFlushBytes = 64 << 10;
  std::string& out_;
  const std::function<void(std::string_view)>* sink_;
};

}  // namespace

void WriteRecordText(const Record& record, std::string& out) { Writer(out).Block(record, 0); }

void WriteRecordText(const Record& record, const std::function<void(std::string_view)>& sink) {
  std::string buffer;
  Writer writer(buffer, &sink);
  writer.Block(record, 0);
  writer.Flush(/*all=*/true);
}

std::string RecordText(const Record& record) {
  std::string out;
  WriteRecordText(record, out);
  return out;
}

void SaveRecordToFile(const Record& record, const std::filesystem::path& path) {
  const std::string text = RecordText(record);
  if (!WriteRecordFileGuarded(record, path, text))
    throw ObjTextError(fmt::format("Cannot create file {}", PathText(path)));
}

void ExportRecordToFile(const Record& record, const std::filesystem::path& path) {
  const std::string text = RecordText(record);
  if (!WriteFileAtomically(path, text)) throw ObjTextError(fmt::format("Cannot create file {}", PathText(path)));
}

}  // namespace stallora

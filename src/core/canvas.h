#pragma once
// A drawing surface for charts. Chart geometry is computed by the library against this
// interface; the program paints it with Qt, tests record it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stallora {

struct Colour {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Colour&) const = default;
};

namespace colours {
inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kRed{255, 0, 0};
inline constexpr Colour kGreen{0, 160, 0};
inline constexpr Colour kYellow{255, 230, 0};
inline constexpr Colour kBlue{0, 0, 255};
inline constexpr Colour kGrey{128, 128, 128};
}  // namespace colours

enum class PenStyle { Solid, Dotted };

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Fills the rectangle from (x1, y1) up to, not including, (x2, y2).
  virtual void FillRect(int x1, int y1, int x2, int y2, Colour colour) = 0;
  virtual void FrameRect(int x1, int y1, int x2, int y2, Colour colour) = 0;
  virtual void Line(int x1, int y1, int x2, int y2, Colour colour, PenStyle style = PenStyle::Solid) = 0;
  // Text and its measures in the font last set; text is Windows-1252. (x, y) is the top
  // left corner of the text.
  virtual void SetFont(std::string_view name, int pointSize, bool bold = false) = 0;
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;
  virtual void Text(int x, int y, std::string_view text, Colour colour) = 0;
};

// Records what is drawn; text is measured as `charWidth` pixels a byte and `lineHeight`
// pixels high, so tests can compute positions by hand.
class RecordingCanvas final : public Canvas {
 public:
  struct Op {
    enum Kind { kFill, kFrame, kLine, kText } kind;
    int x1, y1, x2, y2;
    Colour colour;
    PenStyle style = PenStyle::Solid;
    std::string text;
  };
  RecordingCanvas(int width, int height, int charWidth = 6, int lineHeight = 13)
      : width_(width), height_(height), charWidth_(charWidth), lineHeight_(lineHeight) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void FillRect(int x1, int y1, int x2, int y2, Colour c) override { ops.push_back({Op::kFill, x1, y1, x2, y2, c, PenStyle::Solid, {}}); }
  void FrameRect(int x1, int y1, int x2, int y2, Colour c) override { ops.push_back({Op::kFrame, x1, y1, x2, y2, c, PenStyle::Solid, {}}); }
  void Line(int x1, int y1, int x2, int y2, Colour c, PenStyle style) override {
    ops.push_back({Op::kLine, x1, y1, x2, y2, c, style, {}});
  }
  void SetFont(std::string_view name, int pointSize, bool bold) override {
    font = std::string(name);
    fontSize = pointSize;
    (void)bold;
  }
  int TextWidth(std::string_view text) override { return static_cast<int>(text.size()) * charWidth_; }
  int TextHeight(std::string_view) override { return lineHeight_; }
  void Text(int x, int y, std::string_view text, Colour c) override {
    ops.push_back({Op::kText, x, y, x + TextWidth(text), y + lineHeight_, c, PenStyle::Solid, std::string(text)});
  }

  // The first text op with exactly this text, or null.
  const Op* FindText(std::string_view text) const {
    for (const Op& op : ops)
      if (op.kind == Op::kText && op.text == text) return &op;
    return nullptr;
  }

  std::vector<Op> ops;
  std::string font;
  int fontSize = 0;

 private:
  int width_, height_, charWidth_, lineHeight_;
};

}  // namespace stallora

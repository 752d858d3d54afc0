#pragma once
// Tokenizer and grammar check of object text.

#include <string_view>

#include "core/objtext_tree.h"
#include "core/record.h"

namespace stallora {

// Deepest nesting of blocks, lists, sets and collections the parser follows. Files of this
// program nest four levels; other programs' forms about ten. Anything deeper is refused
// with "Nesting too deep" rather than risking the stack.
inline constexpr int kMaxObjTextNesting = 256;

// Parses the first block of the text (anything after its `end` is not examined). Throws
// ObjTextError with the grammar error's message and line ("... on line N"). A UTF-8
// byte-order mark at the very start is skipped: the format has none, but other programs'
// editors add one, and it can never be part of valid text. The tree holds views into
// `text`, which must outlive it.
ObjBlock ParseObjectText(std::string_view text);

// Only the grammar check: accepts any well-formed object text whatever its class names.
// Builds no values and keeps nothing but the current token.
void CheckObjectTextSyntax(std::string_view text);

// Receives the blocks of a text one at a time, in file order, as VisitObjectText reads them.
class ObjBlockVisitor {
 public:
  virtual ~ObjBlockVisitor() = default;
  // A block's header and properties have been read (block.children is empty); its child
  // blocks follow, then EndBlock. The block and its values are reused once this returns.
  virtual void BeginBlock(ObjBlock& block) = 0;
  virtual void EndBlock() = 0;
};

// The grammar check of the whole text first (its error is thrown before any block is
// visited, as ParseObjectText would throw it), then every block handed to the visitor in
// file order, depth first. No tree is kept: only the blocks on the path from the root to
// the current one. The visitor may throw; the walk then ends.
void VisitObjectText(std::string_view text, ObjBlockVisitor& visitor);

// The same walk in one pass, for a caller that throws away what the visitor built whenever
// the walk fails: blocks are handed over as they are read, so the visitor may have seen
// some before a grammar error further on. The error thrown is still the one
// VisitObjectText throws: a grammar error anywhere in the text, else the first ObjTextError
// of the visitor (held while the rest of the text is checked). Any other exception of the
// visitor ends the walk at once.
void VisitObjectTextOnce(std::string_view text, ObjBlockVisitor& visitor);

}  // namespace stallora

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
// editors add one, and it can never be part of valid text.
ObjBlock ParseObjectText(std::string_view text);

// Only the grammar check: accepts any well-formed object text whatever its class names.
void CheckObjectTextSyntax(std::string_view text);

}  // namespace stallora

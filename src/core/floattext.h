#pragma once
// How object text prints a floating-point value: rounded to 15 significant digits, in
// plain notation when the decimal exponent allows, otherwise as d.dddE<exp>.

#include <string>

namespace stallora {

// Appends the text of a finite value. (Non-finite values have no text the reader accepts;
// callers refuse them first.)
void AppendObjTextFloat(std::string& out, double value);
std::string ObjTextFloat(double value);

}  // namespace stallora

// Texts from the program's string table.
#pragma once
#include <string>
#include <string_view>

// The string with id from the program's own module, in code page 932; empty
// when missing.
std::string LoadText(unsigned id);
// The string with id, its "%s" replaced by value (nothing else is formatted,
// so a '%' in value or in the text is taken as it is).
std::string FormatText(unsigned id, const std::string& value);
// The same with two values for the first and the second "%s", in order. A
// "%s" inside a value stays as it is: the search goes on after the value.
std::string FormatText(unsigned id, const std::string& first, const std::string& second);
// The string with id in UTF-16, its "%s" replaced by value: for a message that
// names a file whose name code page 932 cannot write.
std::wstring FormatWideText(unsigned id, std::wstring_view value);

#pragma once
#include <string>
#include <string_view>

// The program's texts are UTF-8; Windows takes any text, path or name in full through its wide (UTF-16)
// functions only, since the ANSI ones lose every letter the code page cannot spell.
std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

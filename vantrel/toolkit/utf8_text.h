// UTF-8 of the program's texts and back: invalid sequences become U+FFFD.
#pragma once

#include <string>
#include <string_view>

std::string Utf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

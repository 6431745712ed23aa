// The system's ANSI code page, in which the program keeps every text and
// path, and the conversions to and from the UTF-16 the shell hands over.
#pragma once

#include <optional>
#include <string>

#include "base/path_text.h"

namespace tellaro {

// Whether `c` starts a double-byte character in the system's code page.
bool IsSystemLeadByte(unsigned char c);

// Conversions with the system's code page; the narrowing never substitutes
// a look-alike and says when it had to put in the default character.
Narrowed NarrowToSystem(const std::wstring& wide);
std::wstring WidenFromSystem(const std::string& narrow);

// `wide` in the system's code page when that holds exactly its characters.
std::optional<std::string> ToSystemAnsi(const std::wstring& wide);

std::string ToUtf8(const std::wstring& wide);

}  // namespace tellaro

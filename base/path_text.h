// Paths and names as the program keeps them: narrow strings in the system's
// ANSI code page, where the second byte of a double-byte character may be a
// backslash. Portable: no Windows headers; the code page comes in as
// functions.
#pragma once

#include <optional>
#include <string>

namespace tellaro {

// Whether a byte starts a double-byte character.
using LeadByteTest = bool (*)(unsigned char);

// The lead bytes of code page 932, the program's own; the default of the
// portable code and its tests. The program itself asks the system.
bool IsCp932LeadByte(unsigned char c);

// The last component of a path ("C:\Data\Work" and "C:\Data\Work\" give
// "Work"; a drive root "D:\" gives "D:"); empty for an empty path. Scans by
// character: in code page 932 "C:\ソフト" must give "ソフト", not "フト".
std::string NameFromPath(const std::string& path, LeadByteTest isLeadByte = IsCp932LeadByte);

// A wide text converted to the ANSI code page, and whether a character had
// to be replaced by the default one.
struct Narrowed {
    std::string text;
    bool usedDefaultChar = false;
};
using NarrowFn = Narrowed (*)(const std::wstring& wide);
using WidenFn = std::wstring (*)(const std::string& narrow);

// The ANSI form of `wide` when it names exactly the same thing: no
// character was replaced, and it reads back as the same wide text (a
// best-fit look-alike, "Cafe" for "Café", would name another folder).
std::optional<std::string> ExactlyNarrowed(const std::wstring& wide, NarrowFn narrow,
                                           WidenFn widen);

}  // namespace tellaro

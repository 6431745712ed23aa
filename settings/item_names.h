// How the settings window names the items it creates: a folder's name from
// its path, a copy's name beside siblings of the same name, and the labels
// filled into the confirmation texts. Portable: no Windows headers.
#pragma once

#include <string>
#include <vector>

#include "base/fill_text.h"

namespace tellaro {

// Whether a byte starts a double-byte character of code page 932, the code
// page every text of the program is in.
bool IsCp932LeadByte(unsigned char c);

using LeadByteTest = bool (*)(unsigned char);

// The last component of a path ("C:\Data\Work" and "C:\Data\Work\" give
// "Work"; a drive root "D:\" gives "D:"); empty for an empty path. Scans by
// character: in code page 932 the second byte of a character can be a
// backslash ("C:\ソフト" must give "ソフト", not "フト").
std::string NameFromPath(const std::string& path, LeadByteTest isLeadByte = IsCp932LeadByte);

// `base` when no sibling carries that label, else the first of "base (1)",
// "base (2)", ... that none carries. Labels compare byte for byte.
std::string UniqueName(const std::string& base, const std::vector<std::string>& siblingLabels);

}  // namespace tellaro

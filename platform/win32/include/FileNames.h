// Inside the platform: Windows file names on a Linux file system.
#pragma once

#include <string>

namespace win32 {

// A wide-character Windows path as UTF-8; invalid code points become U+FFFD.
std::string WideToUtf8(const wchar_t* text);

// Windows matches file names without regard to case. The path as it stands
// when it exists; otherwise each missing component is looked up in its
// folder ignoring ASCII case (an exact name always wins; among several other
// spellings the first in byte order). Backslashes separate components as
// slashes do. A path that cannot be resolved comes back as it was.
std::string ResolvePathIgnoringCase(const std::string& path);

}  // namespace win32

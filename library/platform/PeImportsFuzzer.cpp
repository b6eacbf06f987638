// Arbitrary bytes as a PE image through the import reader: whatever the fields say,
// the answer stays in proportion to the image and holds only names a loader could
// take.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/PeImports.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::wstring> names = ReadImportedLibraryNames(data, size);
  // Every name comes from a descriptor of its own, 20 bytes of the image.
  Check(names.size() <= size / 20, "no more names than descriptors fit in the image");
  for (const std::wstring& name : names) {
    Check(name.size() < 260, "a name is shorter than MAX_PATH");
    Check(name.find(L'\0') == std::wstring::npos, "a name holds no NUL");
  }
  return 0;
}

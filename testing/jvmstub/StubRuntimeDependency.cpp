// The variant of the stand-in whose jvm.dll imports a DLL of its runtime's bin
// folder, as a real one imports its C runtime: it loads only when the launcher lets
// the loader find that DLL, and records which copy it got.
#include <string>

#include "StubRecord.h"
#include "StubText.h"

extern "C" __declspec(dllimport) const wchar_t* QuendraRuntimeFixturePath();

namespace stub {

void RecordRuntimeDependency() {
  std::wstring path = QuendraRuntimeFixturePath();
  Record("dependency " + Escape(ToUtf8(std::u16string(path.begin(), path.end()))));
}

}  // namespace stub

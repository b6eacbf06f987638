// Calls the native methods of pennaroo.dll, loaded from this program's folder, the
// way the installer's runtime does: "elevate <command> <parameters> <folder>".
// Exits with the method's result, or 100 when the library or method is missing.
#include <jni.h>
#include <windows.h>

#include <string>

#include "FakeJniEnv.h"

namespace {

using ElevateAndWaitFunction = jint(JNICALL*)(JNIEnv*, jobject, jstring, jstring, jstring);

std::u16string ToJava(const wchar_t* text) {
  const std::wstring wide = text;
  return std::u16string(wide.begin(), wide.end());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5 || std::wstring(argv[1]) != L"elevate") return 100;
  HMODULE library = ::LoadLibraryW(L"pennaroo.dll");
  if (library == nullptr) return 100;
  const auto elevate = reinterpret_cast<ElevateAndWaitFunction>(reinterpret_cast<void*>(
      ::GetProcAddress(library, "Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniElevateAndWait")));
  if (elevate == nullptr) return 100;
  pennaroo::test::FakeJniEnv jni;
  const jint result = elevate(jni.Env(), nullptr, jni.NewString(ToJava(argv[2])),
                              jni.NewString(ToJava(argv[3])), jni.NewString(ToJava(argv[4])));
  ::FreeLibrary(library);
  return static_cast<int>(result);
}

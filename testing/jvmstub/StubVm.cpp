// The invocation side of the stand-in: JNI_CreateJavaVM, the JavaVM functions, and
// the behaviour of the "Java" main that the test chose.
#include "StubVm.h"

#include <windows.h>

#include <cstdio>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "StubRecord.h"
#include "StubText.h"

namespace stub {

namespace {

thread_local ThreadState* current = nullptr;
std::vector<std::string> vmOptions;
bool vmCreated = false;

ThreadState* AttachThread() {
  ThreadState* thread = new ThreadState();
  thread->env.functions = FunctionTable();
  thread->env.thread = thread;
  thread->threadId = ::GetCurrentThreadId();
  thread->attached = true;
  thread->frames.emplace_back();
  current = thread;
  return thread;
}

std::string Describe(const ThreadState& thread) {
  std::string text = "locals=" + std::to_string(LiveLocalCount(thread)) +
                     " utfchars=" + std::to_string(thread.openUtfChars);
  if (thread.pending != nullptr) text += " pending=" + thread.pending->className;
  return text;
}

std::wstring Wide(const std::string& utf8) {
  std::u16string units = FromUtf8(utf8);
  return std::wstring(units.begin(), units.end());
}

// The value of the last option with that prefix, as the real VM lets a later option win.
std::string LastOptionValue(const std::string& prefix) {
  std::string value;
  for (const std::string& option : vmOptions) {
    if (option.compare(0, prefix.size(), prefix) == 0) value = option.substr(prefix.size());
  }
  return value;
}

bool HasOption(const std::string& text) {
  for (const std::string& option : vmOptions) {
    if (option == text) return true;
  }
  return false;
}

void WriteArchive(const std::string& path) {
  if (!GetConfig().writeArchive || path.empty()) {
    Record("archive skipped " + Escape(path));
    return;
  }
  FILE* file = _wfopen(Wide(path).c_str(), L"wb");
  if (file == nullptr) {
    Record("archive failed " + Escape(path));
    return;
  }
  std::fputs("stand-in class data archive\n", file);
  std::fclose(file);
  Record("archive written " + Escape(path));
}

jint JNICALL DestroyJavaVM(JavaVM*) {
  Record("DestroyJavaVM" + std::string(current != nullptr && current->attached ? " attached" : ""));
  std::string atExit = LastOptionValue("-XX:ArchiveClassesAtExit=");
  if (!atExit.empty()) WriteArchive(atExit);
  return JNI_OK;
}

jint JNICALL AttachCurrentThread(JavaVM*, void** env, void*) {
  if (current == nullptr || !current->attached) AttachThread();
  *env = &current->env;
  return JNI_OK;
}

jint JNICALL DetachCurrentThread(JavaVM*) {
  if (current == nullptr || !current->attached) {
    Record("DetachCurrentThread not attached");
    return JNI_EDETACHED;
  }
  Record("DetachCurrentThread " + Describe(*current));
  if (GetConfig().detachResult != 0) return GetConfig().detachResult;
  for (auto& frame : current->frames) {
    for (Reference* ref : frame) ref->live = false;
  }
  current->frames.clear();
  current->attached = false;
  return JNI_OK;
}

jint JNICALL GetEnv(JavaVM*, void** env, jint) {
  if (current == nullptr || !current->attached) {
    *env = nullptr;
    return JNI_EDETACHED;
  }
  *env = &current->env;
  return JNI_OK;
}

const JNIInvokeInterface_* InvokeTable() {
  static JNIInvokeInterface_ table = {nullptr, nullptr, nullptr, &DestroyJavaVM, &AttachCurrentThread,
                                      &DetachCurrentThread, &GetEnv, &AttachCurrentThread};
  return &table;
}

JavaVM* TheVm() {
  static JavaVM vm = {InvokeTable()};
  return &vm;
}

void RecordCreation(const JavaVMInitArgs* init) {
  std::wstring commandLine = ::GetCommandLineW();
  Record("process " + Escape(ToUtf8(std::u16string(commandLine.begin(), commandLine.end()))));
  char head[96];
  std::snprintf(head, sizeof head, "create version=0x%lx nOptions=%ld ignoreUnrecognized=%d",
                static_cast<unsigned long>(init->version), static_cast<long>(init->nOptions),
                init->ignoreUnrecognized);
  Record(head);
  vmOptions.clear();
  for (jint i = 0; i < init->nOptions; ++i) {
    const JavaVMOption& option = init->options[i];
    vmOptions.push_back(option.optionString != nullptr ? option.optionString : "");
    Record("option " + Escape(vmOptions.back()));
    if (option.extraInfo != nullptr) Record("option extraInfo set");
  }
}

void DefineClasses() {
  for (const char* name : {"java/lang/Object", "java/lang/String", "java/lang/Throwable",
                           "jdk/packager/services/userjvmoptions/LauncherUserJvmOptions"}) {
    ClassNamed(name, false);
  }
  for (const std::string& name : GetConfig().classes) ClassNamed(name, true);
  for (const std::string& name : GetConfig().withoutMain) ClassNamed(name, false);
}

// A timing run puts the performance counter at its start into the environment; the
// launcher's own work ends where the VM is asked for.
// Microseconds, or -1 outside a timing run.
long long ElapsedSinceStart() {
  wchar_t start[32] = {};
  if (::GetEnvironmentVariableW(L"QUENDRA_TIMING_START", start, 32) == 0) return -1;
  LARGE_INTEGER now = {};
  LARGE_INTEGER frequency = {};
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return (now.QuadPart - _wtoi64(start)) * 1000000 / frequency.QuadPart;
}

// How long loading the launcher library took in a timing run, as its launcher
// measured it; empty outside a timing run.
std::string LibraryLoadMicroseconds() {
  wchar_t text[32] = {};
  DWORD length = ::GetEnvironmentVariableW(L"QUENDRA_TIMING_LOAD_MICROSECONDS", text, 32);
  if (length == 0 || length >= 32) return {};
  return std::to_string(_wtoi64(text));
}

bool KnownVersion(jint version) {
  return version == JNI_VERSION_1_2 || version == JNI_VERSION_1_4 || version == JNI_VERSION_1_6 ||
         version == JNI_VERSION_1_8 || version == JNI_VERSION_9 || version == JNI_VERSION_10;
}

}  // namespace

void RunBridgeCalls(ThreadState& thread, const std::vector<std::string>& calls);
void RecordRuntimeDependency();

void RunMain(ThreadState& thread, Object* mainClass, jobject arguments) {
  Object* array = Resolve(thread, arguments, "main");
  if (array == nullptr || array->kind != Kind::Array || array->elementClass != "java/lang/String") {
    Misuse("main called without a String[]");
    return;
  }
  Record("main " + mainClass->className + " argc=" + std::to_string(array->elements.size()));
  for (Object* element : array->elements) {
    Record(element == nullptr ? "arg <null>" : "arg " + Escape(ToUtf8(element->text)));
  }
  const Config& config = GetConfig();
  if (config.bridgeThreads > 0) {
    std::vector<std::thread> threads;
    for (int i = 0; i < config.bridgeThreads; ++i) {
      threads.emplace_back([&config] { RunBridgeCalls(*AttachThread(), config.bridgeCalls); });
    }
    for (std::thread& worker : threads) worker.join();
  } else {
    RunBridgeCalls(thread, config.bridgeCalls);
  }
  if (!config.mainThrows.empty()) Throw(thread, config.mainThrows, "thrown by main");
  if (config.mainFails == "bad_alloc") {
    Record("main fails with std::bad_alloc");
    throw std::bad_alloc();
  }
  Record("main returns");
}

}  // namespace stub

extern "C" JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** vm, void** env, void* args) {
  using namespace stub;
  long long elapsed = ElapsedSinceStart();
  LoadConfig();
  if (elapsed >= 0) Record("elapsed-microseconds " + std::to_string(elapsed));
  std::string libraryLoad = LibraryLoadMicroseconds();
  if (!libraryLoad.empty()) Record("library-load-microseconds " + libraryLoad);
  const JavaVMInitArgs* init = static_cast<const JavaVMInitArgs*>(args);
  RecordCreation(init);
#ifdef QUENDRA_STUB_RUNTIME_DEPENDENCY
  RecordRuntimeDependency();
#endif
  if (GetConfig().exitAtCreate) ::ExitProcess(0);
  if (!KnownVersion(init->version)) return JNI_EVERSION;
  if (GetConfig().createResult < 0) return GetConfig().createResult;
  DefineClasses();
  if (HasOption("-Xshare:dump")) {
    // The real VM writes the archive while it is being created and then ends the process.
    WriteArchive(LastOptionValue("-XX:SharedArchiveFile="));
    ::ExitProcess(0);
  }
  *vm = TheVm();
  *env = &AttachThread()->env;
  vmCreated = true;
  return GetConfig().createResult;
}

extern "C" JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void* args) {
  return stub::KnownVersion(static_cast<JavaVMInitArgs*>(args)->version) ? JNI_OK : JNI_EVERSION;
}

extern "C" JNIEXPORT jint JNICALL JNI_GetCreatedJavaVMs(JavaVM** vms, jsize capacity, jsize* count) {
  *count = stub::vmCreated ? 1 : 0;
  if (stub::vmCreated && capacity > 0) vms[0] = stub::TheVm();
  return JNI_OK;
}

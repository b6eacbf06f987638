#ifndef QUENDRA_TESTING_JVMSTUB_STUBRECORD_H
#define QUENDRA_TESTING_JVMSTUB_STUBRECORD_H

#include <string>
#include <vector>

// What the test chose for this run, read from "jvmstub.cfg" beside the stand-in's
// DLL (UTF-8, one key=value per line, "#" starts a comment line):
//   classes=a/B c/D          classes that have public static void main(String[])
//   nomain=e/F               classes that exist without main
//   create.result=-1         what JNI_CreateJavaVM returns
//   create.exit=1            end the process inside JNI_CreateJavaVM (timing runs)
//   main.throw=java/lang/X   main ends with this exception pending
//   main.fail=bad_alloc      main ends with std::bad_alloc thrown into the launcher,
//                            the way memory running out inside the launch fails
//   detach.result=-1         what DetachCurrentThread returns
//   archive=none             a dumping run writes no archive
//   bridge=<call>            one call of a bridge export from main (repeatable)
//   bridge.threads=N         run the bridge calls on N Java threads at once
//   record=<path>            record file instead of "jvmstub.log" beside the DLL
namespace stub {

struct Config {
  std::vector<std::string> classes;
  std::vector<std::string> withoutMain;
  long createResult = 0;
  bool exitAtCreate = false;
  std::string mainThrows;
  std::string mainFails;
  long detachResult = 0;
  bool writeArchive = true;
  std::vector<std::string> bridgeCalls;
  int bridgeThreads = 0;
  std::string recordPath;
};

void LoadConfig();
const Config& GetConfig();

// Appends one line to the record file; safe from any thread.
void Record(const std::string& line);

}  // namespace stub

#endif

#ifndef QUENDRA_TESTING_JVMSTUB_STUBRUN_H
#define QUENDRA_TESTING_JVMSTUB_STUBRUN_H

#include <string>
#include <vector>

// Test-side helpers for runs against the JVM stand-in.
namespace stubrun {

// A fresh scratch folder under the test's temporary folder, removed by nobody:
// failed runs stay inspectable.
std::wstring ScratchDirectory(const std::wstring& name);
// Copies the built stand-in into the folder as jvm.dll and writes its jvmstub.cfg.
void InstallStub(const std::wstring& directory, const std::string& config);
// The record lines, decoded (%XX back to bytes), UTF-8.
std::vector<std::string> ReadRecord(const std::wstring& directory);
// The record lines that start with the prefix, without it.
std::vector<std::string> Lines(const std::vector<std::string>& record, const std::string& prefix);
std::wstring BuiltStubPath();

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);
void WriteUtf8File(const std::wstring& path, const std::string& text);
// The bytes as they are; false when the file could not be written whole.
bool WriteBytesFile(const std::wstring& path, const std::string& bytes);

}  // namespace stubrun

#endif

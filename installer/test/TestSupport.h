// Scratch folders, fixture records and trace capture shared by the tests.
#ifndef PENNAROO_TEST_TEST_SUPPORT_H
#define PENNAROO_TEST_TEST_SUPPORT_H

#include <windows.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace pennaroo::test {

// The folder of the running test program, without a trailing backslash.
std::wstring ProgramFolder();

// The system folder of this Windows (the prefix's system32 under Wine).
std::wstring SystemFolder();

// A new empty folder under the temporary folder, deleted with its files.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::wstring& Path() const { return path; }
  std::wstring File(const std::wstring& name) const { return path + L"\\" + name; }

 private:
  std::wstring path;
};

// Sets an environment variable of this process for the life of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const wchar_t* name, const std::wstring& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::wstring name;
};

// The file the fixtures write to, in a scratch folder of its own.
class FixtureRecord {
 public:
  FixtureRecord();
  std::vector<std::string> Lines() const;
  // The lines that start with `prefix`.
  std::vector<std::string> Lines(const std::string& prefix) const;

 private:
  ScratchFolder folder;
  ScopedEnvironment variable;
};

// Collects what the library writes to the standard wide output stream.
class TraceCapture {
 public:
  TraceCapture() : previous(std::wcout.rdbuf(captured.rdbuf())) {}
  ~TraceCapture() { std::wcout.rdbuf(previous); }
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;
  std::vector<std::wstring> Lines() const;

 private:
  std::wostringstream captured;
  std::wstreambuf* previous;
};

// Copies `source` to `target`, failing the test when that is not possible.
void CopyFixture(const std::wstring& source, const std::wstring& target);

// Splits `text` into its lines; a final line break ends the last line.
template <typename Char>
std::vector<std::basic_string<Char>> SplitLines(const std::basic_string<Char>& text) {
  std::vector<std::basic_string<Char>> lines;
  std::basic_istringstream<Char> stream(text);
  std::basic_string<Char> line;
  while (std::getline(stream, line)) {
    if (!line.empty() && line.back() == Char('\r')) line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace pennaroo::test

#endif

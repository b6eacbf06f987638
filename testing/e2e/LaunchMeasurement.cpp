#include "LaunchMeasurement.h"

#include <windows.h>

#include <algorithm>

#include "StubRun.h"

namespace {

long long ParseFigure(const std::vector<std::string>& lines) {
  if (lines.size() != 1) return -1;
  return std::stoll(lines[0]);
}

}  // namespace

std::string LargePackageConfig(const std::string& identifier) {
  std::string config = "[Application]\napp.mainjar=$PACKAGEDIR/demo.jar\napp.mainclass=lv.demo.Main\n"
                       "app.runtime=$APPDIR\\runtime\napp.preferences.id=lv/tarsel/timing\n"
                       "app.identifier=" + identifier + "\napp.memory=auto\n\n[JVMOptions]\n";
  for (int i = 0; i < 100; ++i) {
    config += "-Doption" + std::to_string(i) + "=" +
              (i % 4 == 3 ? std::string("plain") : "$APPDIR\\lib" + std::to_string(i) + ";$APPDATADIR\\$PACKAGEDIR") + "\n";
  }
  config += "\n[JVMUserOptions]\n";
  for (int i = 0; i < 20; ++i) config += "-Duser" + std::to_string(i) + "\\==$LAUNCHERDIR\\u" + std::to_string(i) + "\n";
  return config;
}

long long TimeProcess(const std::wstring& program) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  LARGE_INTEGER begin = {}, end = {}, frequency = {};
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&begin);
  if (!::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
    return -1;
  }
  ::WaitForSingleObject(started.hProcess, 60000);
  ::QueryPerformanceCounter(&end);
  ::CloseHandle(started.hThread);
  ::CloseHandle(started.hProcess);
  return (end.QuadPart - begin.QuadPart) * 1000000 / frequency.QuadPart;
}

LaunchBench::LaunchBench() : package(L"timing"), bare(L"timing-bare") {
  package.WriteConfig(LargePackageConfig(package.Identifier()));
  package.InstallStub("classes=lv/demo/Main\ncreate.exit=1\n");
  std::wstring images = stubrun::Wide(QUENDRA_IMAGE_DIRECTORY);
  ::CopyFileW((images + L"\\quendra3-timing.exe").c_str(), (package.Directory() + L"\\quendra3.exe").c_str(), FALSE);
  ::CopyFileW((images + L"\\instant-lumapack.dll").c_str(), (bare.Directory() + L"\\lumapack.dll").c_str(), FALSE);
}

LaunchFigures LaunchBench::LaunchLargePackage(size_t& optionCount) {
  package.ClearRecord();
  TimeProcess(package.Directory() + L"\\quendra3.exe");
  std::vector<std::string> record = package.Record();
  optionCount = stubrun::Lines(record, "option ").size();
  LaunchFigures figures;
  figures.launcherWork = ParseFigure(stubrun::Lines(record, "elapsed-microseconds "));
  figures.libraryLoad = ParseFigure(stubrun::Lines(record, "library-load-microseconds "));
  return figures;
}

long long LaunchBench::BareStart() {
  return TimeProcess(bare.Directory() + L"\\quendra3.exe");
}

long long Median(std::vector<long long> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

long long Fastest(const std::vector<long long>& values) {
  if (values.empty()) return -1;
  return *std::min_element(values.begin(), values.end());
}

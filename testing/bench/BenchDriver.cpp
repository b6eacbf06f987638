// The Windows half of tools/bench: in one run and round after round, side by side,
// the bare start of quendra3.exe, a launch of the large package through the timing
// launcher (the launcher's own work and the load of lumapack.dll), the same launch
// taken apart by phase, and the import scan of a JVM-sized image. Prints one line
// per figure and round, "<figure><TAB><microseconds>", for tools/bench to sum up.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "LaunchMeasurement.h"
#include "PackageRun.h"
#include "StubRun.h"
#include "SyntheticImage.h"
#include "platform/PeImports.h"

namespace {

const int kDefaultRounds = 15;
const size_t kScanImageSize = 20 * 1024 * 1024;

void Print(const std::string& figure, long long microseconds) {
  std::printf("%s\t%lld\n", figure.c_str(), microseconds);
}

long long Elapsed(const LARGE_INTEGER& begin) {
  LARGE_INTEGER end = {}, frequency = {};
  ::QueryPerformanceCounter(&end);
  ::QueryPerformanceFrequency(&frequency);
  return (end.QuadPart - begin.QuadPart) * 1000000 / frequency.QuadPart;
}

// The large package once more, with the phase program as its executable.
class PhasePackage {
 public:
  PhasePackage() : package(L"phases") {
    package.WriteConfig(LargePackageConfig(package.Identifier()));
    package.InstallStub("classes=lv/demo/Main\ncreate.exit=1\n");
    std::wstring images = stubrun::Wide(QUENDRA_IMAGE_DIRECTORY);
    ::CopyFileW((images + L"\\launch-phases.exe").c_str(), Program().c_str(), FALSE);
  }

  // False when the phase program did not follow the launch (its report names why).
  bool Run() {
    ::DeleteFileW(Report().c_str());
    TimeProcess(Program());
    std::ifstream in(Report().c_str());
    bool complete = false;
    for (std::string line; std::getline(in, line);) {
      if (line.compare(0, 6, "phase ") == 0) {
        size_t blank = line.find(' ', 6);
        Print("phase " + line.substr(blank + 1), std::stoll(line.substr(6, blank - 6)));
        complete = true;
      } else if (line.compare(0, 8, "differs ") == 0) {
        std::fprintf(stderr, "launch-bench: the phase program differs from the launch in: %s\n", line.c_str() + 8);
        complete = false;
      }
    }
    return complete;
  }

  const std::wstring& Directory() const { return package.Directory(); }

 private:
  std::wstring Program() const { return package.Directory() + L"\\quendra3.exe"; }
  std::wstring Report() const { return package.Directory() + L"\\phases.txt"; }

  PackageRun package;
};

std::wstring WriteScanImage() {
  std::wstring path = stubrun::ScratchDirectory(L"scan") + L"\\large.dll";
  std::vector<uint8_t> image = MakeImportingImage(kScanImageSize, {"KERNEL32.dll", "MSVCR100.dll", "USER32.dll"});
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  return path;
}

// The scratch folders of a run that went through; a failed run leaves them for a look.
void RemoveTree(const std::wstring& directory) {
  std::wstring from = directory + L'\0';
  SHFILEOPSTRUCTW operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  ::SHFileOperationW(&operation);
}

bool ScanImage(const std::wstring& path) {
  LARGE_INTEGER begin = {};
  ::QueryPerformanceCounter(&begin);
  std::vector<std::wstring> names = ListImportedLibraryNames(path);
  Print("import scan of a 20 MB image", Elapsed(begin));
  return names.size() == 3;
}

bool Round(LaunchBench& bench, PhasePackage& phases, const std::wstring& scanImage) {
  Print("bare start", bench.BareStart());
  size_t optionCount = 0;
  LaunchFigures figures = bench.LaunchLargePackage(optionCount);
  if (figures.launcherWork < 0 || figures.libraryLoad < 0 || optionCount != kLargePackageOptionCount) {
    std::fprintf(stderr, "launch-bench: the large package's launch recorded no figures (%u options)\n",
                 static_cast<unsigned>(optionCount));
    return false;
  }
  Print("launcher work", figures.launcherWork);
  Print("lumapack.dll load", figures.libraryLoad);
  return phases.Run() && ScanImage(scanImage);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int rounds = argc > 1 ? _wtoi(argv[1]) : kDefaultRounds;
  if (rounds < 1) rounds = 1;
  std::printf("bits\t%d\n", static_cast<int>(sizeof(void*) * 8));
  LaunchBench bench;
  PhasePackage phases;
  std::wstring scanImage = WriteScanImage();
  // A first round that is not counted: it fills the file cache and Wine's own.
  bench.BareStart();
  size_t ignored = 0;
  bench.LaunchLargePackage(ignored);
  for (int round = 0; round < rounds; ++round) {
    std::printf("round\t%d\n", round + 1);
    if (!Round(bench, phases, scanImage)) return 1;
    std::fflush(stdout);
  }
  for (const std::wstring& directory : bench.Directories()) RemoveTree(directory);
  RemoveTree(phases.Directory());
  RemoveTree(scanImage.substr(0, scanImage.find_last_of(L'\\')));
  return 0;
}

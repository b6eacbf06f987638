#ifndef QUENDRA_TESTING_E2E_LAUNCHMEASUREMENT_H
#define QUENDRA_TESTING_E2E_LAUNCHMEASUREMENT_H

#include <string>
#include <vector>

#include "PackageRun.h"

// The measured launch: a large package (100 JVM options, 20 user options, macros
// in most values) started through the timing launcher against the JVM stand-in,
// beside the bare start of quendra3.exe with a library that returns at once.
// The timed test and the benchmark driver measure the same runs.

// The configuration of the large package; `identifier` keeps the user files of
// one run apart from every other's.
std::string LargePackageConfig(const std::string& identifier);

// The number of JVM options the stand-in receives for that package: the four
// system properties, the 100 package options, the 20 user options and the two
// heap options.
constexpr size_t kLargePackageOptionCount = 4 + 100 + 20 + 2;

// Wall time of one run of the program until it has ended, in microseconds; -1 when
// it could not be started.
long long TimeProcess(const std::wstring& program);

struct LaunchFigures {
  // From the call of start_launcher to the request for the VM.
  long long launcherWork = -1;
  // From the call that loads lumapack.dll to the call of start_launcher.
  long long libraryLoad = -1;
};

// The two packages of the measurement, set up once.
class LaunchBench {
 public:
  LaunchBench();

  // One launch of the large package; the figures stay -1 when the run recorded
  // none, and `optionCount` tells how many options the stand-in received.
  LaunchFigures LaunchLargePackage(size_t& optionCount);
  // One bare start, in microseconds.
  long long BareStart();
  std::vector<std::wstring> Directories() const { return {package.Directory(), bare.Directory()}; }

 private:
  PackageRun package;
  PackageRun bare;
};

// Medians and minima of a series of rounds.
long long Median(std::vector<long long> values);
long long Fastest(const std::vector<long long>& values);

#endif

#ifndef QUENDRA_CONFIG_SCRATCHFOLDER_H
#define QUENDRA_CONFIG_SCRATCHFOLDER_H

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

// A fresh folder under the system's temporary folder for one test, removed with
// everything in it afterwards. Paths are handed out with backslashes on every
// system, as the platform operations take them.
class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<unsigned> serial{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    native = std::filesystem::temp_directory_path() /
             ("quendra-config-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(native);
    path = native.wstring();
    for (wchar_t& c : path) {
      if (c == L'/') c = L'\\';
    }
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(native, ignored);
  }

  // The platform path of a file in the folder; `relative` uses backslashes.
  std::wstring operator/(const std::wstring& relative) const { return path + L"\\" + relative; }

  // Writes the bytes as they are, creating the folders on the way.
  void Write(const std::wstring& relative, const std::string& bytes) const {
    std::filesystem::path file = NativePath(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream stream(file, std::ios::binary);
    stream << bytes;
  }

  std::string Read(const std::wstring& relative) const {
    std::ifstream stream(NativePath(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path NativePath(const std::wstring& relative) const {
    std::filesystem::path file = native;
    size_t start = 0;
    while (start <= relative.size()) {
      size_t end = relative.find(L'\\', start);
      if (end == std::wstring::npos) end = relative.size();
      file /= relative.substr(start, end - start);
      start = end + 1;
    }
    return file;
  }

  std::filesystem::path native;
  std::wstring path;
};

#endif

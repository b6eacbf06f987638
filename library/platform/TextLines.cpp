#include "platform/TextLines.h"

#include "platform/PlatformString.h"

std::vector<std::wstring> SplitTextLines(const std::string& content) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    bool terminated = end != std::string::npos;
    if (!terminated) end = content.size();
    size_t next = terminated ? end + 1 : end;
    if (terminated && end > start && content[end - 1] == '\r') --end;
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line[0] != '#') lines.push_back(PlatformString::MultibyteStringToWideString(line));
    start = next;
  }
  return lines;
}

std::string JoinTextLines(const std::vector<std::wstring>& lines) {
  std::string content;
  for (const std::wstring& line : lines) {
    content += PlatformString::WideStringToMultibyteString(line);
    content += "\r\n";
  }
  return content;
}

#include "platform/TextLines.h"

#include <algorithm>

#include "platform/PlatformString.h"

std::vector<std::wstring> SplitTextLines(const std::string& content) {
  std::vector<std::wstring> lines;
  lines.reserve(static_cast<size_t>(std::count(content.begin(), content.end(), '\n')) + 1);
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    bool terminated = end != std::string::npos;
    if (!terminated) end = content.size();
    size_t next = terminated ? end + 1 : end;
    if (terminated && end > start && content[end - 1] == '\r') --end;
    // Each line is decoded where it stands in the content, without a copy first.
    if (end > start && content[start] != '#') {
      lines.push_back(PlatformString::MultibyteStringToWideString(content.data() + start, end - start));
    }
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

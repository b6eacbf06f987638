#include "ManualBlocks.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const std::filesystem::path kSourceDirectory = QUENDRA_SOURCE_DIRECTORY;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsFence(const std::string& line) { return line.compare(0, 3, "```") == 0; }

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream stream(text);
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

// The manual's files in name order, so that every run reports in the same order.
std::vector<std::string> ManualFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(kSourceDirectory / "docs")) {
    if (entry.path().extension() == ".md") files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Appends the tagged blocks of one file; an unclosed fence ends the file's block.
void CollectBlocks(const std::string& file, std::vector<ManualBlock>& blocks) {
  std::vector<std::string> lines = SplitLines(ReadSourceFile("docs/" + file));
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!IsFence(lines[i])) continue;
    ManualBlock block;
    block.file = file;
    block.line = static_cast<int>(i + 1);
    std::vector<std::string> words = Words(lines[i].substr(3));
    for (size_t w = 0; w < words.size(); ++w) {
      size_t equals = words[w].find('=');
      if (w == 0 && equals == std::string::npos) {
        block.language = words[w];
      } else if (equals != std::string::npos) {
        block.attributes[words[w].substr(0, equals)] = words[w].substr(equals + 1);
      }
    }
    for (++i; i < lines.size() && lines[i] != "```"; ++i) block.text += lines[i] + "\n";
    if (!block.attributes.empty()) blocks.push_back(block);
  }
}

std::vector<std::string> TableCells(const std::string& row) {
  std::vector<std::string> cells;
  std::string cell;
  bool inCode = false;
  // A "|" inside a code span belongs to the cell.
  for (size_t i = 1; i < row.size(); ++i) {
    char c = row[i];
    if (c == '`') inCode = !inCode;
    if (c == '|' && !inCode) {
      cells.push_back(Trim(cell));
      cell.clear();
    } else {
      cell += c;
    }
  }
  return cells;
}

}  // namespace

std::vector<std::string> ManualBlock::Lines() const { return SplitLines(text); }

std::string ReadSourceFile(const std::string& relativePath) {
  std::ifstream stream(kSourceDirectory / relativePath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

std::vector<ManualBlock> ReadTaggedBlocks() {
  std::vector<ManualBlock> blocks;
  for (const std::string& file : ManualFiles()) CollectBlocks(file, blocks);
  return blocks;
}

std::vector<ManualTable> ReadCheckedTables(const std::string& name) {
  std::vector<ManualTable> tables;
  const std::string marker = "<!-- checked: " + name + " -->";
  for (const std::string& file : ManualFiles()) {
    std::vector<std::string> lines = SplitLines(ReadSourceFile("docs/" + file));
    for (size_t i = 0; i < lines.size(); ++i) {
      if (Trim(lines[i]) != marker) continue;
      ManualTable table;
      table.file = file;
      table.line = static_cast<int>(i + 1);
      // The header row and the delimiter row come first.
      size_t row = i + 3;
      for (; row < lines.size() && !lines[row].empty() && lines[row][0] == '|'; ++row) {
        table.rows.push_back(TableCells(lines[row]));
      }
      tables.push_back(table);
    }
  }
  return tables;
}

std::vector<std::string> CodeSpans(const std::string& cell) {
  std::vector<std::string> spans;
  size_t open = cell.find('`');
  while (open != std::string::npos) {
    size_t close = cell.find('`', open + 1);
    if (close == std::string::npos) break;
    spans.push_back(cell.substr(open + 1, close - open - 1));
    open = cell.find('`', close + 1);
  }
  return spans;
}

std::vector<std::string> TreeFiles(const std::vector<std::string>& lines) {
  std::vector<std::string> files;
  std::vector<std::string> folders;  // the open folders, one per level below the root
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string line = lines[i].substr(0, lines[i].find('#'));
    std::string name = Trim(line);
    if (name.empty()) continue;
    size_t level = line.find_first_not_of(' ') / 2;
    if (level == 0) continue;
    folders.resize(level - 1);
    std::string path;
    for (const std::string& folder : folders) path += folder + "/";
    if (name.back() == '\\') {
      folders.push_back(name.substr(0, name.size() - 1));
    } else {
      files.push_back(path + name);
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

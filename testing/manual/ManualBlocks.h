#ifndef QUENDRA_TESTING_MANUAL_MANUALBLOCKS_H
#define QUENDRA_TESTING_MANUAL_MANUALBLOCKS_H

#include <map>
#include <string>
#include <vector>

// The parts of the manual that the suite checks, read from the Markdown files of
// docs/. A fenced block takes part when its info string carries at least one
// attribute after the language: ```ini example=demo file=demo/quendra3.cfg
struct ManualBlock {
  std::string file;      // the Markdown file, relative to docs/
  int line = 0;          // the line of the opening fence
  std::string language;  // the info string's first word
  std::map<std::string, std::string> attributes;
  std::string text;      // the lines between the fences, each ended by "\n"

  std::string Where() const { return file + ":" + std::to_string(line); }
  std::vector<std::string> Lines() const;
};

// A Markdown table that follows a marker line such as <!-- checked: memory -->.
struct ManualTable {
  std::string file;
  int line = 0;
  std::vector<std::vector<std::string>> rows;  // the body rows' cells, trimmed
};

// The source tree's text file, or an empty text when it cannot be read.
std::string ReadSourceFile(const std::string& relativePath);

// Every tagged block of every docs/*.md file, files in name order.
std::vector<ManualBlock> ReadTaggedBlocks();

// Every table that follows the marker <!-- checked: NAME -->, in any docs/*.md file.
std::vector<ManualTable> ReadCheckedTables(const std::string& name);

// The texts of the inline code spans of a table cell, in order: "`a`, `b`" gives a, b.
std::vector<std::string> CodeSpans(const std::string& cell);

// The file paths of a folder tree drawn one name a line, two blanks a level, folders
// ending in a backslash; the first line is the root and "#" starts a remark. Paths
// below the root, with "/" between names.
std::vector<std::string> TreeFiles(const std::vector<std::string>& lines);

#endif

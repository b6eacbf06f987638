#include "MenuSelection.h"

namespace {

enum ItemIndex { kNew, kBatch, kSign, kSignPdf, kExtract };

struct SelectionCounts {
  std::size_t folders = 0;
  std::size_t pdfs = 0;
  std::size_t containers = 0;
};

// A drive root such as C:\ is too short; a share root given as \\server\share is not.
bool IsAcceptedDirectory(const std::wstring& path) {
  return path.size() >= 4 || path.compare(0, 2, L"\\\\") == 0;
}

// The extension runs from the last dot anywhere in the path, so a dot in a folder
// name gives a file without one of its own an extension that matches nothing.
std::wstring LowerCaseExtension(const std::wstring& path) {
  std::size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos) return std::wstring();
  std::wstring extension = path.substr(dot);
  ::CharLowerBuffW(extension.data(), static_cast<DWORD>(extension.size()));
  return extension;
}

void CountFile(const std::wstring& path, SelectionCounts& counts) {
  std::wstring extension = LowerCaseExtension(path);
  if (extension == L".pdf") {
    ++counts.pdfs;
  } else if (extension == L".edoc" || extension == L".asice") {
    ++counts.containers;
  }
}

ItemSwitches SwitchesFor(const SelectionCounts& counts, std::size_t accepted) {
  ItemSwitches switches{};
  if (counts.folders > 0) {
    switches[kNew] = switches[kBatch] = accepted == 1;
    return switches;
  }
  switches[kNew] = true;
  switches[kSign] = true;
  switches[kBatch] = accepted >= 2;
  switches[kSignPdf] = counts.pdfs > 0 && counts.pdfs == accepted;
  switches[kExtract] = accepted == 1 && counts.containers == 1;
  return switches;
}

}  // namespace

DWORD QueryFileAttributes(const wchar_t* path) { return ::GetFileAttributesW(path); }

UINT DroppedItemCount(HDROP drop) { return ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0); }

std::optional<std::wstring> ReadDroppedPath(HDROP drop, UINT index) {
  UINT length = ::DragQueryFileW(drop, index, nullptr, 0);
  if (length == 0 || length > kLongestDroppedPath) return std::nullopt;
  std::wstring path(length + 1, L'\0');
  UINT copied = ::DragQueryFileW(drop, index, path.data(), length + 1);
  if (copied == 0 || copied > length) return std::nullopt;
  path.resize(copied);
  return path;
}

MenuSelection ClassifySelection(const std::vector<std::wstring>& droppedPaths,
                                FileAttributesQuery queryAttributes) {
  MenuSelection selection;
  SelectionCounts counts;
  for (const std::wstring& path : droppedPaths) {
    DWORD attributes = queryAttributes(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      if (!IsAcceptedDirectory(path)) continue;
      ++counts.folders;
    } else {
      CountFile(path, counts);
    }
    selection.selectedPaths.push_back(path);
  }
  selection.itemSwitches = SwitchesFor(counts, selection.selectedPaths.size());
  return selection;
}

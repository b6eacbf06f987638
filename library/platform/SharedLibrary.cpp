#include "platform/SharedLibrary.h"

#include "launch/MessageCatalog.h"

SharedLibrary::SharedLibrary(Platform& platform) : platform(platform) {}

SharedLibrary::~SharedLibrary() { Unload(); }

void SharedLibrary::AddDependencies(const std::vector<std::wstring>& paths) {
  if (paths.empty()) return;
  if (!dependencyNames) dependencyNames = std::make_unique<std::vector<std::wstring>>();
  if (!dependencies) dependencies = std::make_unique<std::vector<std::unique_ptr<SharedLibrary>>>();
  dependencyNames->insert(dependencyNames->end(), paths.begin(), paths.end());
}

bool SharedLibrary::Load(const std::wstring& path) {
  if (handle != nullptr) return true;
  LoadDependencies();
  handle = platform.OpenLibrary(path);
  if (handle != nullptr) return true;
  platform.ShowErrorTitled(MessageCatalog::GetInstance().GetMessage(L"library.not.found"), path);
  return false;
}

bool SharedLibrary::Unload() {
  if (handle == nullptr) return false;
  platform.CloseLibrary(handle);
  handle = nullptr;
  if (dependencies) {
    for (std::unique_ptr<SharedLibrary>& dependency : *dependencies) {
      dependency->Unload();
      dependency.reset();
    }
    dependencies.reset();
  }
  return true;
}

void* SharedLibrary::GetSymbol(const std::string& name) { return platform.FindLibrarySymbol(handle, name); }

void SharedLibrary::LoadDependencies() {
  if (!dependencyNames || !dependencies) return;
  for (const std::wstring& name : *dependencyNames) {
    auto dependency = std::make_unique<SharedLibrary>(platform);
    if (dependency->Load(name)) dependencies->push_back(std::move(dependency));
  }
  dependencyNames.reset();
}

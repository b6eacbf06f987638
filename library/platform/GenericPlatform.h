#ifndef QUENDRA_PLATFORM_GENERICPLATFORM_H
#define QUENDRA_PLATFORM_GENERICPLATFORM_H

#include "platform/Platform.h"

// The operations that are built only from other operations of the same instance.
class GenericPlatform : public virtual Platform {
 public:
  std::wstring GetAppFilesDirectory() override;
  std::wstring GetLauncherDirectory() override;
  std::wstring GetLauncherName() override;
  std::wstring FindConfigFile() override;
  ConfigKeyTable GetConfigKeyTable() override;
  std::vector<std::wstring> ReadTextLines(const std::wstring& path) override;
  FileWriteResult WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines,
                                 bool perUserFile) override;
};

#endif

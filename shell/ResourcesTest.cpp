// The resources of the built DLL: version, strings, picture, manifest, scripts and type library.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ComReference.h"
#include "Identifiers.h"
#include "fixtures/TestSupport.h"

namespace {

class ResourcesTest : public testing::Test {
 protected:
  void SetUp() override {
    module.reset(::LoadLibraryExW(ShellDllPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module);
  }
  std::string Resource(const wchar_t* type, int id) {
    HRSRC found = ::FindResourceW(module.get(), MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return std::string();
    auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(module.get(), found)));
    return std::string(bytes, ::SizeofResource(module.get(), found));
  }
  UniqueModule module;
};

TEST_F(ResourcesTest, VersionInformationNamesTheModule) {
  std::wstring path = ShellDllPath();
  DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), nullptr);
  ASSERT_NE(0u, size);
  std::string block(size, '\0');
  ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(MAKELONG(6, 1), fixed->dwFileVersionMS);
  EXPECT_EQ(MAKELONG(0, 5), fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
  EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
  const struct {
    const wchar_t* name;
    const wchar_t* value;
  } kStrings[] = {
      {L"FileDescription", L"quendra3shell"}, {L"ProductName", L"quendra3shell"},
      {L"InternalName", L"quendra3shell"},    {L"OriginalFilename", L"quendra3shell.dll"},
      {L"FileVersion", L"1.6.5.0"},           {L"ProductVersion", L"1.6.5.0"},
  };
  for (const auto& s : kStrings) {
    std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + s.name;
    wchar_t* value = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value),
                                 &length))
        << s.name;
    EXPECT_EQ(std::wstring(s.value), value);
  }
}

TEST_F(ResourcesTest, StringAndManifest) {
  wchar_t text[64] = {};
  ASSERT_GT(::LoadStringW(module.get(), 100, text, 64), 0);
  EXPECT_EQ(std::wstring(L"quendra3shell"), text);
  std::string manifest = Resource(RT_MANIFEST, 2);
  EXPECT_NE(std::string::npos, manifest.find("requestedExecutionLevel level=\"asInvoker\""));
  EXPECT_FALSE(Resource(L"REGISTRY", 101).empty());
  EXPECT_FALSE(Resource(L"REGISTRY", 102).empty());
}

TEST_F(ResourcesTest, PictureIsSixteenSquare24BitWithWhiteTopLeft) {
  std::string picture = Resource(RT_BITMAP, 201);
  ASSERT_GE(picture.size(), sizeof(BITMAPINFOHEADER) + 16 * 16 * 3);
  BITMAPINFOHEADER header;
  std::memcpy(&header, picture.data(), sizeof(header));
  EXPECT_EQ(16, header.biWidth);
  EXPECT_EQ(16, header.biHeight);  // bottom-up: the top row is stored last
  EXPECT_EQ(24, header.biBitCount);
  EXPECT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression);
  std::size_t topLeft = header.biSize + 15 * 16 * 3;
  EXPECT_EQ(std::string(3, '\xFF'), picture.substr(topLeft, 3));
}

TEST_F(ResourcesTest, TypeLibraryDescribesTheCoclassAndItsDualInterface) {
  ComReference<ITypeLib> library;
  ASSERT_HRESULT_SUCCEEDED(::LoadTypeLibEx(ShellDllPath().c_str(), REGKIND_NONE, library.receive()));
  TLIBATTR* attributes = nullptr;
  ASSERT_HRESULT_SUCCEEDED(library->GetLibAttr(&attributes));
  EXPECT_TRUE(IsEqualGUID(kLibidQuendra3shellLib, attributes->guid));
  EXPECT_EQ(1, attributes->wMajorVerNum);
  EXPECT_EQ(0, attributes->wMinorVerNum);
  EXPECT_EQ(0x0409u, attributes->lcid);
  EXPECT_EQ(SYS_WIN64, attributes->syskind);
  library->ReleaseTLibAttr(attributes);

  BSTR name = nullptr, help = nullptr;
  ASSERT_HRESULT_SUCCEEDED(library->GetDocumentation(-1, &name, &help, nullptr, nullptr));
  EXPECT_EQ(std::wstring(L"quendra3shellLib"), name);
  EXPECT_EQ(std::wstring(L"quendra3shell 1.0 Type Library"), help);
  ::SysFreeString(name);
  ::SysFreeString(help);

  ComReference<ITypeInfo> coclass;
  ASSERT_HRESULT_SUCCEEDED(library->GetTypeInfoOfGuid(kClsidQuendra3menu, coclass.receive()));
  ASSERT_HRESULT_SUCCEEDED(coclass->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr));
  EXPECT_EQ(std::wstring(L"quendra3menu"), name);
  EXPECT_EQ(std::wstring(L"quendra3menu Class"), help);
  ::SysFreeString(name);
  ::SysFreeString(help);
  INT flags = 0;
  ASSERT_HRESULT_SUCCEEDED(coclass->GetImplTypeFlags(0, &flags));
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  HREFTYPE reference = 0;
  ASSERT_HRESULT_SUCCEEDED(coclass->GetRefTypeOfImplType(0, &reference));
  ComReference<ITypeInfo> interfaceInfo;
  ASSERT_HRESULT_SUCCEEDED(coclass->GetRefTypeInfo(reference, interfaceInfo.receive()));
  TYPEATTR* type = nullptr;
  ASSERT_HRESULT_SUCCEEDED(interfaceInfo->GetTypeAttr(&type));
  EXPECT_TRUE(IsEqualGUID(kIidIquendra3menu, type->guid));
  EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FDUAL);
  EXPECT_EQ(TKIND_DISPATCH, type->typekind);
  EXPECT_EQ(7, type->cFuncs);  // the methods of IDispatch, none of its own
  interfaceInfo->ReleaseTypeAttr(type);
  ASSERT_HRESULT_SUCCEEDED(interfaceInfo->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr));
  EXPECT_EQ(std::wstring(L"Iquendra3menu"), name);
  EXPECT_EQ(std::wstring(L"Iquendra3menu Interface"), help);
  ::SysFreeString(name);
  ::SysFreeString(help);
}

}  // namespace

// The resources Explorer, the Start menu and Apps & features read from the two programs beside this test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "Settings/ProgramPictures.h"
#include "platform/win32/Utf16.h"

namespace {
std::wstring BesideThisTest(const wchar_t* name)
{
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// A string of the version resource's US English, UTF-16 table; "(none)" when missing.
std::string VersionString(const std::vector<BYTE>& block, const char* name)
{
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = L"\\StringFileInfo\\040904B0\\" + Utf16(name);
  if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0)
    return "(none)";
  return Utf8(static_cast<const wchar_t*>(value));
}
}  // namespace

TEST(ProgramResources, BothProgramsCarryTheirVersionAndTheIconAtEverySize)
{
  const struct {
    const wchar_t* file;
    const char* name;
  } programs[] = {{L"tickora.exe", "tickora.exe"}, {L"tickora-render.exe", "tickora-render.exe"}};
  PictureCache pictures;
  for (const auto& program : programs) {
    SCOPED_TRACE(program.name);
    const std::wstring path = BesideThisTest(program.file);
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_FALSE(block.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    EXPECT_EQ(VersionString(block, "ProductName"), "Tickora");
    EXPECT_EQ(VersionString(block, "FileVersion"), TICKORA_VERSION);
    EXPECT_EQ(VersionString(block, "ProductVersion"), TICKORA_VERSION);
    EXPECT_EQ(VersionString(block, "OriginalFilename"), program.name);
    EXPECT_NE(VersionString(block, "FileDescription"), "(none)");
    EXPECT_EQ(VersionString(block, "LegalCopyright").rfind("Copyright (c) 20", 0), 0u);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
                  "." + std::to_string(HIWORD(fixed->dwFileVersionLS)),
              TICKORA_VERSION);

    // Each size the system asks for is there, as the program draws its icon.
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr) << "no icon";
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
    for (int side : {16, 20, 24, 32, 40, 48, 64, 256}) {
      SCOPED_TRACE(side);
      const int id = LookupIconIdFromDirectoryEx(directory, TRUE, side, side, LR_DEFAULTCOLOR);
      HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // RT_ICON
      ASSERT_NE(found, nullptr);
      const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
      ASSERT_EQ(header->biWidth, side);
      ASSERT_EQ(header->biBitCount, 32);
      const auto* colour = reinterpret_cast<const std::uint32_t*>(header + 1);  // rows bottom up
      const ArgbImage drawn = ProgramIconPixels(pictures, side);
      int differing = 0;
      for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column)
          differing += colour[(side - 1 - row) * side + column] != drawn.Pixel(column, row);
      EXPECT_EQ(differing, 0);
    }
    FreeLibrary(module);
  }
}

// What Explorer, the Start menu and Apps & features read from the two programs beside this test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "Settings/ProgramPictures.h"
#include "platform/win32/Utf16.h"

TEST(ProgramResources, BothProgramsCarryTheirVersionAndTheIconAtEverySize)
{
  wchar_t self[MAX_PATH] = {};
  const std::wstring test(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  PictureCache pictures;
  for (const std::wstring name : {L"tickora.exe", L"tickora-render.exe"}) {
    SCOPED_TRACE(Utf8(name));
    const std::wstring path = test.substr(0, test.find_last_of(L'\\') + 1) + name;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_TRUE(!block.empty() && GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    const auto text = [&](const std::wstring& field) {
      void* value = nullptr;
      UINT length = 0;
      const std::wstring query = L"\\StringFileInfo\\040904B0\\" + field;
      return VerQueryValueW(block.data(), query.c_str(), &value, &length) ? Utf8(static_cast<wchar_t*>(value)) : "";
    };
    EXPECT_EQ(text(L"ProductName"), "Tickora");
    EXPECT_EQ(text(L"FileVersion"), TICKORA_VERSION);
    EXPECT_EQ(text(L"ProductVersion"), TICKORA_VERSION);
    EXPECT_EQ(text(L"OriginalFilename"), Utf8(name));
    EXPECT_EQ(text(L"LegalCopyright").rfind("Copyright (c) 20", 0), 0u);

    // Each size the system asks for, as the program draws its icon.
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr) << "no icon";
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
    for (int side : {16, 20, 24, 32, 40, 48, 64, 256}) {
      const int id = LookupIconIdFromDirectoryEx(directory, TRUE, side, side, LR_DEFAULTCOLOR);
      HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // RT_ICON
      const void* bytes = image ? LockResource(LoadResource(module, image)) : nullptr;
      const auto* header = static_cast<const BITMAPINFOHEADER*>(bytes);
      ASSERT_TRUE(header && header->biWidth == side && header->biBitCount == 32) << side;
      const auto* colour = reinterpret_cast<const std::uint32_t*>(header + 1);  // rows bottom up
      const ArgbImage drawn = ProgramIconPixels(pictures, side);
      int differing = 0;
      for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column)
          differing += colour[(side - 1 - row) * side + column] != drawn.Pixel(column, row);
      EXPECT_EQ(differing, 0) << side;
    }
    FreeLibrary(module);
  }
}

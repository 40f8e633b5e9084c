#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "Artwork.h"

int WriteContactSheet(const std::string& outDir, const std::string& sheetPath, int argc, char** argv);

namespace {
constexpr const char* kUsage = "usage: skingen OUTDIR [--sheet SHEET.png]\n";

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}
}  // namespace

int main(int argc, char** argv)
{
  std::string outDir;
  std::string sheet;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--sheet" && i + 1 < argc) {
      sheet = argv[++i];
    } else if (arg == "-h" || arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (!arg.empty() && arg[0] != '-' && outDir.empty()) {
      outDir = arg;
    } else {
      std::fprintf(stderr, "skingen: unexpected argument \"%s\"\n%s", arg.c_str(), kUsage);
      return 2;
    }
  }
  if (outDir.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (ec) {
    std::fprintf(stderr, "skingen: cannot create \"%s\": %s\n", outDir.c_str(), ec.message().c_str());
    return 1;
  }
  try {
    for (const ArtPicture& picture : AllPictures()) {
      const std::filesystem::path path = std::filesystem::path(outDir) / FileNameOf(picture);
      if (!WriteFile(path, PictureFile(picture))) {
        std::fprintf(stderr, "skingen: cannot write \"%s\"\n", path.string().c_str());
        return 1;
      }
    }
    if (!sheet.empty()) return WriteContactSheet(outDir, sheet, argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skingen: %s\n", e.what());
    return 1;
  }
  return 0;
}

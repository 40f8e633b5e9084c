// tickora-render: writes pictures, planes and frames of the clock as PNG files, and the program icon, without a window.
#include <cstdio>
#include <string>
#include <vector>

#include "model/X87Math.h"
#include "tools/render/RenderModes.h"

namespace {
void PrintUsage()
{
  std::fputs(
      "usage:\n"
      "  tickora-render --picture NAME --size W H --out FILE.png\n"
      "  tickora-render --planes face|marker|hand [--size-step N] [--skin N] [--dial N] [--transparency N] --out FILE.png\n"
      "  tickora-render --frame --time HH:MM:SS [--size-step N] [--skin N] [--dial N] [--transparency N]\n"
      "                 [--hand-width N] [--seconds 0|1] [--numerals 0|1] [--cursor X Y] [--scale S] --out FILE.png\n"
      "  tickora-render --icon --out FILE.ico\n"
#ifdef TICKORA_GALLERY
      "  tickora-render --gallery --out FILE.png\n"
#endif
      ,
      stderr);
}
}  // namespace

int main(int argc, char** argv)
{
  UseExtendedPrecision();
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      PrintUsage();
      return 0;
    }
  }
  try {
    for (const std::string& arg : args) {
      if (arg == "--picture")
        return RenderPicture(args);
      if (arg == "--planes")
        return RenderPlanes(args);
      if (arg == "--frame")
        return RenderFrame(args);
      if (arg == "--icon")
        return RenderIcon(args);
#ifdef TICKORA_GALLERY
      if (arg == "--gallery")
        return RenderGallery(args);
#endif
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tickora-render: %s\n", error.what());
    return 1;
  }
  PrintUsage();
  return 2;
}

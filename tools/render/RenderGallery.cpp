#include <stdexcept>

#include "tools/render/RenderModes.h"

int RenderGallery(const std::vector<std::string>&)
{
  throw std::runtime_error("this mode is not available yet");
}

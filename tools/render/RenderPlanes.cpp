#include <stdexcept>

#include "tools/render/RenderModes.h"

int RenderPlanes(const std::vector<std::string>&)
{
  throw std::runtime_error("this mode is not available yet");
}

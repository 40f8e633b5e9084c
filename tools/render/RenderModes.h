#pragma once
#include <string>
#include <vector>

// Each mode parses its own options from the whole argument list and returns the exit code.
// Bad options throw std::invalid_argument with a message for the user.
int RenderPicture(const std::vector<std::string>& args);
int RenderPlanes(const std::vector<std::string>& args);
int RenderFrame(const std::vector<std::string>& args);
int RenderIcon(const std::vector<std::string>& args);
// Needs Qt for its text: built where Qt is.
int RenderGallery(const std::vector<std::string>& args);

#pragma once
#include <string>

namespace tk {

// The two file-system calls the program makes; false when they fail.
bool SetCurrentDirectory(const std::string& path);
bool CreateDirectory(const std::string& path);
std::string CurrentDirectory();

}  // namespace tk

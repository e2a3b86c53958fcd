#pragma once
#include <string>
#include <vector>

// Opening things with the desktop's default programs, and starting another Quillpad window.
// Nothing here goes through a shell command line.
class Shell {
public:
  virtual ~Shell() = default;
  // A local file or a URL ("http://...", "mailto:..."); false when nothing could open it.
  virtual bool Open(const std::string& target) = 0;
  // Starts another instance of the program with these arguments.
  virtual bool StartInstance(const std::vector<std::string>& arguments) = 0;
};

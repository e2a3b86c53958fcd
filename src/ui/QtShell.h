#pragma once
#include "platform/Shell.h"

// Opens documents and addresses with the desktop's programs, and starts further Quillpad windows as
// new processes of this program with an argument list.
class QtShell : public Shell {
public:
  bool Open(const std::string& target) override;
  bool StartInstance(const std::vector<std::string>& arguments) override;
};

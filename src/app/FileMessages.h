#pragma once
#include <string>

// What the user is told, in the interface language (1 Polish, 2 English), when a file cannot or should
// not simply be opened.

// The name is not a regular file: a folder, a device, a pipe or a socket.
std::string NotRegularFileMessage(int language);
// The file would need more memory than the machine has.
std::string FileTooLargeMessage(int language);
// The file fails the text-file test; the question asks whether to open it all the same.
std::string NotTextFileQuestion(const std::string& fileName, int language);

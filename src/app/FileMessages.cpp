#include "app/FileMessages.h"

std::string NotRegularFileMessage(int language) {
  if (language == 1) return "Nie można otworzyć tego pliku: to nie jest zwykły plik, lecz folder, urządzenie lub potok.";
  return "Can not open this file: it is not a regular file but a folder, a device or a pipe.";
}

std::string FileTooLargeMessage(int language) {
  if (language == 1) return "Nie można otworzyć tego pliku: jest za duży, by zmieścił się w pamięci komputera.";
  return "Can not open this file: it is too large to fit in this computer's memory.";
}

std::string NotTextFileQuestion(const std::string& fileName, int language) {
  // Saving such a file from the editor changes it (line ends, code page, meta tags), so the user decides.
  if (language == 1)
    return "Plik \"" + fileName + "\" nie wygląda na plik tekstowy i zapisanie go z edytora może go zmienić. "
           "Otworzyć mimo to?";
  return "The file \"" + fileName + "\" does not look like a text file, and saving it from the editor may "
         "change it. Open it anyway?";
}

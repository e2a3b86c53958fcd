#include "highlight/KeywordList.h"

#include <algorithm>
#include <array>

KeywordList::KeywordList(std::string_view words) {
  std::vector<std::uint64_t> codes;
  std::size_t i = 0;
  while (i < words.size()) {
    while (i < words.size() && words[i] == ' ') ++i;
    std::size_t end = i;
    while (end < words.size() && words[end] != ' ') ++end;
    if (end > i && words[i] >= 'a' && words[i] <= 'z') {
      const std::string_view word = words.substr(i, end - i);
      if (const std::uint64_t code = Pack(word)) codes.push_back(code);
      else others_.push_back(word);
      longest_ = std::max(longest_, end - i);
    }
    i = end;
  }
  std::size_t size = 16;
  while (size < codes.size() * 4) size *= 2;
  packed_.assign(size, 0);
  for (const std::uint64_t code : codes) {
    std::size_t k = Slot(code, size - 1);
    while (packed_[k] != 0 && packed_[k] != code) k = (k + 1) & (size - 1);
    packed_[k] = code;
  }
}

bool KeywordList::Contains(std::string_view word) const {
  if (word.empty() || word[0] < 'a' || word[0] > 'z') return false;
  // A word that packs can only be among the packed keywords; the others hold the ones that do not.
  if (const std::uint64_t code = Pack(word)) return ContainsPacked(code);
  return std::find(others_.begin(), others_.end(), word) != others_.end();
}

bool KeywordList::ContainsLowerCased(std::string_view word) const {
  std::array<char, 32> lower{};
  if (word.size() > lower.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    lower[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return Contains(std::string_view(lower.data(), word.size()));
}

// The lists keep the program's own spellings ("finaly", "contructor", "raize").
const KeywordList& ScriptKeywords() {
  static const KeywordList list(
      "abstract boolean break byte case catch char class const continue default delete do double else "
      "extends false finaly float for function goto if implements import in instanceof int interface long "
      "new null package private protected public return short static super switch synchronized this throw "
      "throws transient true try typeof var void while with");
  return list;
}

const KeywordList& PhpKeywords() {
  static const KeywordList list(
      "and array boolean break byte case cfunction class const continue default die do double echo else "
      "elseif empty endif endfor endswitch endwhile eval exit extends false float for function global if "
      "include int integer isset list new null or object print real require return static string switch "
      "true unset var void while xor");
  return list;
}

const KeywordList& CppKeywords() {
  static const KeywordList list(
      "asm auto bool break case catch cdecl char class const continue default delete do double else enum "
      "explicit extern false float for friend goto if inline int long mutable namespace new operator pascal "
      "private protected public register return short signed sizeof static struct switch template this "
      "throw true try typedef typeid typename union unsigned using virtual void volatile while");
  return list;
}

const KeywordList& PerlKeywords() {
  static const KeywordList list(
      "abs accept alarm bind binmode bless caller chdir chmod chomp chop chown chr chroot close closedir "
      "connect cos crypt dbmclose dbmopen defined delete die do dump each else elsif eof eval exec exists "
      "exit exp endpwent endgrent endhostent endnetent endprotoent endservent fcntl fileno flock for "
      "foreach fork formline format getc getlogin glob gmtime goto grep hex import index int ioctl if join "
      "keys kill last lc lcfirst length link listen local localtime log lstat map mkdir msgctl msgget "
      "msgsnd msgrcv my next no oct open opendir ord pack package pipe pop pos print push qq qx qw "
      "quotemeta return rand read readdir readlink recv redo ref rename require reset reverse rewinddir "
      "rindex rmdir sub scalar seek seekdir select semctl semget send shift shutdown sin sleep socket "
      "socketpair sort splice split sqrt srand substr system subst scan tell tie time times tr truncate uc "
      "ucfirst umask undef unless unlink unpack untie unshift use utime values vec wait waitpid wantarray "
      "while write");
  return list;
}

const KeywordList& PascalKeywords() {
  static const KeywordList list(
      "and asm array as begin case const contructor class destructor div do downto dispinterface else end "
      "exports exception file for function finally finalization goto if implementation in inherited inline "
      "interface initialization is library label mod nil not object of or out packed procedure program "
      "property private protected public published record repeat raize resourcestring register set shr shl "
      "string stringresource safecall stdcall then to type until unit uses var virtual while with xor");
  return list;
}

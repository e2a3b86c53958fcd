#include <stdio.h>
/* block
   comment */
int main(int argc, char** argv) {
  INT x = a/b; // comment
  const char* s = "a /* b */ c";
  char q = 'q', e = "";
  return5 x*2 >= 1 ? 0 : 1;
}

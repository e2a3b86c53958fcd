#pragma once
#include <cstdint>
#include <string_view>

#include "highlight/TokenFlags.h"

// The start states of HTML lines (with embedded PHP), computed line after line without stepping the
// highlighter character by character: the same rules as THTMLHighLight's transition function, with
// the scanner's context held in a few locals and looked up by position in the line, and the bytes
// that cannot change the state passed over in tight loops. It makes no tokens and keeps no selection.
class HtmlLineStates {
public:
  // The scanner at the start of a line: the state there (selection bit clear), the last two characters
  // before the line (line breaks skipped, 0 where there is none), the previous character as the
  // transition function remembers it (0 after a line end in PHP), and where the opening quote of the
  // current string is: 1 = the last character before the line, 2 = the one before it, 0 = neither.
  struct Start {
    TTokenFlags state = tfText;
    unsigned char last = 0, beforeLast = 0, prevChar = 0;
    int quoteBack = 0;
    // The states resumed after a one-character operator and when a variable ends (PHP code).
    TTokenFlags operatorReturn = tfText | tfScript, variableReturn = tfText | tfScript;
  };
  explicit HtmlLineStates(const Start& start);

  // Steps a whole line and its end; returns the next line's start state (selection bit clear) and sets
  // QuoteBack as Start::quoteBack for that line.
  TTokenFlags Line(std::string_view text);
  int QuoteBack() const { return c_.quote >= -2 ? static_cast<int>(-c_.quote) : 0; }
  // Steps a line's bytes but not its end, storing the state after each byte k at states[k] (selection bit
  // clear; the array has room for eight more), for the tokens of a line shown whole. The scanner is left
  // after the line's last byte: it steps no further line.
  void Bytes(std::string_view text, TTokenFlags* states);
  // After Bytes: the index of the line's last opening quote (-1: none on it), and the return states.
  long QuoteIndex() const { return c_.quote >= 0 ? c_.quote : -1; }
  TTokenFlags OperatorReturn() const { return c_.operatorReturn; }
  TTokenFlags VariableReturn() const { return c_.variableReturn; }

private:
  // Everything the rules read besides the line's text; a line's loop keeps it in locals.
  struct Context {
    TTokenFlags w;
    unsigned char last, beforeLast, prevChar;  // as in Start
    // The opening quote's index in the line being stepped (-1 and -2 before it; below -2: none).
    long quote;
    TTokenFlags operatorReturn = tfText | tfScript;  // resumed after a one-character operator
    TTokenFlags variableReturn = tfText | tfScript;  // resumed when a variable ends
  };
  // Copies a context field by field: copied as a whole, its narrow stores at a line's end and the wide
  // load at the next line's start stall the processor (the store cannot be forwarded).
  [[gnu::always_inline]] static void CopyFields(Context& to, const Context& from) {
    to.w = from.w;
    to.last = from.last;
    to.beforeLast = from.beforeLast;
    to.prevChar = from.prevChar;
    to.quote = from.quote;
    to.operatorReturn = from.operatorReturn;
    to.variableReturn = from.variableReturn;
  }
  // The first index from i whose byte may change the state, or n.
  // Without Record, a comment stops only at ">" (see Line) and PHP code not at word starts (see StepLine).
  template <bool Record>
  static long NextStop(const Context& c, const unsigned char* p, long i, long n);
  // One character of the line: the rules for text, tags, values and comments. Without Record (only the
  // line's end state wanted) a word is looked up as a keyword only where its keyword state would show there.
  template <bool Record>
  static void StepHtml(Context& c, const unsigned char* p, long i, long n);
  // PHP code; i == n is the line end.
  template <bool Record>
  static void StepPhp(Context& c, const unsigned char* p, long i, long n);
  static bool KeywordEndsAt(const Context& c, const unsigned char* p, long i, long stepped);
  // The bytes of a line (not its end); with Record, the state after each byte k goes to states[k].
  template <bool Record>
  static void StepLine(Context& c, const unsigned char* p, long n, TTokenFlags* states);

  Context c_;
};

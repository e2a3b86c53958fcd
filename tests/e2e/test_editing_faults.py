"""Edits that once lost or swallowed text, typed on a real X server: each checks the saved bytes."""
import unittest

from quillpad_e2e import QuillpadCase

DEAD_ACUTE = "ISO_Level3_Shift+semicolon"  # on the Polish layout; the next letter is composed
# One long line of short words, wrapped into several pieces in the main window.
LONG_LINE = " ".join(f"w{i:03}" for i in range(200)).encode()


class EditingFaults(QuillpadCase):
    def test_a_composed_letter_after_a_ctrl_chord_that_typed_nothing_is_typed(self):
        saved = self.edit(b"one two", "End", "ctrl+BackSpace", DEAD_ACUTE, "o", "ctrl+Delete", DEAD_ACUTE, "e",
                          "ctrl+space", DEAD_ACUTE, "o")
        self.assertEqual(saved, "oneóé&nbsp;ó".encode("cp1250"))

    def test_overwrite_over_a_selection_replaces_only_the_selection(self):
        saved = self.edit(b"abc def", "Home", "shift+Right", "shift+Right", "shift+Right", "Insert", ("type", "X"))
        self.assertEqual(saved, b"X def")

    def test_overwrite_at_the_end_of_a_wrapped_piece_writes_over_the_next_character(self):
        saved = self.edit(LONG_LINE, "ctrl+Home", "End", "Insert", ("type", "X"),
                          settings={"Editor": {"WordWrap": "1"}})
        self.assertEqual(len(saved), len(LONG_LINE))
        self.assertEqual(saved.replace(b"X", b"w"), LONG_LINE)  # the first letter of the next piece
        self.assertEqual(saved[saved.index(b"X") - 1:saved.index(b"X")], b" ")

    def test_emptying_a_wrapped_piece_keeps_the_line_break_after_it(self):
        # Enter at the start of the second piece leaves the first one ending in an empty piece; deleting
        # the first piece and undoing must give back the text with that line break.
        saved = self.edit(LONG_LINE, "ctrl+Home", "Down", "Home", "Return", "Up", "Up", "Home", "shift+End", "Delete",
                          "ctrl+z", settings={"Editor": {"WordWrap": "1"}})
        self.assertEqual(saved.count(b"\r\n"), 1)
        self.assertEqual(saved.replace(b"\r\n", b""), LONG_LINE)

    def test_a_word_typed_into_a_wrapped_line_re_flows_it_and_delete_takes_the_next_piece_s_first_character(self):
        # The typed word pushes the rest of the line along its pieces, Delete and Backspace pull it back;
        # at the end of the caret's piece Delete takes the first character of the next one.
        saved = self.edit(LONG_LINE, "ctrl+Home", "Down", "Home", ("type", "X" * 40 + " "), "Delete", "Delete",
                          "BackSpace", "End", "Delete", settings={"Editor": {"WordWrap": "1"}})
        at = saved.index(b"X")
        typed = LONG_LINE[:at] + b"X" * 40 + LONG_LINE[at + 2:]
        self.assertEqual(len(saved), len(typed) - 1)
        gone = next(i for i in range(len(saved)) if saved[i] != typed[i])
        self.assertEqual(saved, typed[:gone] + typed[gone + 1:])
        self.assertGreater(gone, at + 40 + 4)  # past the X's and the word after them, on the caret's piece


if __name__ == "__main__":
    unittest.main()

"""Find, find next, Replace All and the pattern search in the real program, checked by the saved bytes."""
import unittest

from quillpad_e2e import QuillpadCase


class Search(QuillpadCase):
    def open(self, name, data):
        self.write(name, data)
        self.start(self.path(name))
        self.question = f"^Quillpad - {name}$"  # message boxes are captioned with the application title

    def answer(self, key):
        self.wait_focus(self.wait_window(name=self.question))
        self.key(key)
        self.wait_no_window(self.question)

    def test_find_then_find_next_twice(self):
        self.open("a.txt", b"one two one two one")
        self.key("ctrl+f")
        self.wait_focus(self.wait_window(name="^Find$"))
        self.type("one")
        self.key("Return")      # the first hit
        self.key("Escape")
        self.wait_no_window("^Find$")
        self.wait_focus(self.window)
        self.key("F3", "F3")    # the second and third
        self.type("X")          # typed over the selection
        self.assertEqual(self.save("a.txt"), b"one two one two X")

    def test_replace_all_takes_polish_small_letters_for_capitals(self):
        self.open("pl.txt", "Łódź, ŁÓDŹ.".encode("cp1250"))
        self.key("alt+s", "Down", "Down", "Down", "Return")  # Search > Replace...
        self.wait_focus(self.wait_window(name="^Replace$"))
        self.type("łódź")
        self.key("Tab")
        self.type("Lodz")
        self.key("alt+a")       # Replace All, until "No more found. Start from the begining?"
        self.answer("alt+n")
        self.key("Escape")
        self.wait_focus(self.window)
        self.assertEqual(self.save("pl.txt"), b"Lodz, Lodz.")

    def test_pattern_search_find_next_and_restart_from_the_top(self):
        self.open("re.html", b"<p><h2>a</h2><h3>")
        self.key("ctrl+r")
        self.wait_focus(self.wait_window(name="^Search regular expresion"))
        self.type("<h[1-6]>")
        self.key("Return")
        self.wait_focus(self.window)
        self.key("F3")          # <h3>
        self.type("X")
        self.key("F3")          # nothing further: the Polish question, Yes starts at the top
        self.answer("alt+y")
        self.type("Y")          # over <h2>
        self.assertEqual(self.save("re.html"), b"<p>Ya</h2>X")

    def test_a_bad_pattern_is_reported_and_the_dialog_keeps_the_patterns(self):
        self.open("re.html", b"<p><h2>a</h2><h3>")
        pattern_dialog = "^Search regular expresion"
        for pattern in ("<h[1-6]>", "[x"):
            self.key("ctrl+r")
            self.wait_focus(self.wait_window(name=pattern_dialog))
            self.key("ctrl+a")
            self.type(pattern)
            self.key("Return")
        self.answer("Return")   # "Nie zamknięty nawias zbioru" for "[x"
        self.wait_focus(self.window)
        self.key("ctrl+r")      # the list holds "[x" above the good pattern
        self.wait_focus(self.wait_window(name=pattern_dialog))
        self.key("Down", "Return")
        self.wait_focus(self.window)
        self.type("X")          # over <h3>: the bad pattern moved nothing from <h2>
        self.assertEqual(self.save("re.html"), b"<p><h2>a</h2>X")


if __name__ == "__main__":
    unittest.main()

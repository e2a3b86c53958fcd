"""Message boxes of the real program: Polish buttons, and what it says when nothing can open a page."""
import os
import time
import unittest

from quillpad_e2e import POLISH, QuillpadCase, wait_until

TEXT_FILE = "notes.txt"
QUESTION = "^Quillpad - notes.txt$"  # message boxes are captioned with the application title


class PolishMessageBox(QuillpadCase):
    language = POLISH

    def test_save_question_answers_to_tak(self):
        self.write(TEXT_FILE, b"abc")
        self.start(self.path(TEXT_FILE))
        self.type("x")
        # Alt+T answers only a button labelled "&Tak": an English "&Yes" would leave the question open,
        # and Esc (cancel) first shows that nothing is saved without an answer.
        self.key("ctrl+n")
        self.wait_focus(self.wait_window(name=QUESTION))
        self.key("Escape")
        self.wait_no_window(QUESTION)
        self.assertEqual(self.read(TEXT_FILE), b"abc")
        self.key("ctrl+n")
        self.wait_focus(self.wait_window(name=QUESTION))
        self.key("alt+t")
        wait_until(lambda: self.read(TEXT_FILE) == b"xabc", 10, "the document to be saved by Tak")


class NothingToOpenWith(QuillpadCase):
    def test_execute_and_help_say_what_could_not_be_opened(self):
        bin_dir = self.path("bin")
        os.makedirs(bin_dir)
        opener = os.path.join(bin_dir, "xdg-open")
        with open(opener, "w") as f:
            f.write("#!/bin/sh\nexit 3\n")  # what xdg-open does when no program handles the file
        os.chmod(opener, 0o755)
        self.write(TEXT_FILE, b"abc")
        self.start(self.path(TEXT_FILE), env={"PATH": bin_dir + os.pathsep + os.environ["PATH"]})
        for key in ("F5", "F1"):
            self.key(key)
            self.wait_focus(self.wait_window(name=QUESTION))
            self.key("Return")
            self.wait_no_window(QUESTION)
        time.sleep(0.2)
        self.assertIsNone(self.app.poll())


if __name__ == "__main__":
    unittest.main()

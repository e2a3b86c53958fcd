"""Opening what is not a text file: pipes, devices, folders, files too large for memory, binary files.

The program must say why it does not open them, never hang or abort, and stay usable afterwards."""
import os
import unittest

from quillpad_e2e import POLISH, QuillpadCase, wait_until

MESSAGE = "^Quillpad$"  # message boxes are captioned with the application title, here before any document
MAIN = "^Norvale Quillpad"


def start_behind_a_message(case, *args):
    """Starts quillpad as case.start does and waits for the message box it shows while it starts: the main
    window appears only once the message is answered."""
    case.wait_focus = lambda window, timeout=10: None  # start() would wait for the main window's focus
    try:
        case.start(*args)
    finally:
        del case.wait_focus
    case.wait_focus(case.wait_window(name=MESSAGE))


def answer_and_wait_for_main_window(case, *keys):
    case.key(*keys)
    case.wait_no_window(MESSAGE)
    case.window = case.wait_window(name=MAIN)
    case.x.run("xdotool", "windowactivate", "--sync", case.window, check=False)
    case.wait_focus(case.window)


class MessageCase:
    """Helpers of the cases below (a mixin, so that each case runs in its own class only)."""

    def dismiss_and_save_new_text(self, text):
        """Closes the message, types into the empty document and saves it as new.txt: still usable."""
        answer_and_wait_for_main_window(self, "Return")
        self.type(text)
        self.key("ctrl+s")  # a document without a name asks for one
        dialog = self.wait_window(name="Save|Zapisz")
        self.wait_focus(dialog)
        self.type(self.path("new.txt"))
        self.key("Return")
        wait_until(lambda: os.path.exists(self.path("new.txt")) and self.read("new.txt") == text.encode("cp1250"),
                   15, "the new document to be saved")
        self.assertIsNone(self.app.poll())


class NotARegularFile(MessageCase, QuillpadCase):
    def test_pipe_on_the_command_line_is_reported_without_waiting_for_a_writer(self):
        fifo = self.path("pipe")
        os.mkfifo(fifo)
        start_behind_a_message(self, fifo)
        self.dismiss_and_save_new_text("still here")

    def test_folder_on_the_command_line_is_reported(self):
        os.makedirs(self.path("folder"))
        start_behind_a_message(self, self.path("folder"))
        self.dismiss_and_save_new_text("ok")

    def test_file_larger_than_memory_is_refused(self):
        with open(self.path("huge.txt"), "wb") as f:
            f.truncate(1 << 40)  # sparse: it takes no room on the disk
        start_behind_a_message(self, self.path("huge.txt"))
        self.dismiss_and_save_new_text("small")


class DevZeroInPolish(MessageCase, QuillpadCase):
    language = POLISH

    def test_dev_zero_is_refused_instead_of_filling_the_memory(self):
        start_behind_a_message(self, "/dev/zero")
        self.dismiss_and_save_new_text("dalej działa")


ELF = b"\x7fELF\x02\x01\x01\x00" + bytes(range(256)) * 4


class BinaryFile(QuillpadCase):
    def test_no_keeps_the_empty_document_and_the_file_unchanged(self):
        self.write("prog", ELF)
        start_behind_a_message(self, self.path("prog"))
        answer_and_wait_for_main_window(self, "alt+n")
        self.assertEqual(self.window_title(), "Norvale Quillpad 1.0.16")  # nothing was opened
        self.assertEqual(self.read("prog"), ELF)
        self.assertIsNone(self.app.poll())


class BinaryFileInPolish(QuillpadCase):
    language = POLISH

    def test_open_dialog_asks_and_tak_opens_it(self):
        self.write("prog", ELF)
        self.write("notes.txt", b"abc")
        self.start(self.path("notes.txt"))
        self.key("ctrl+o")
        dialog = self.wait_window(name="Open|Otwórz")
        self.wait_focus(dialog)
        self.type(self.path("prog"))
        self.key("Return")
        question = "^Quillpad - notes.txt$"
        self.wait_focus(self.wait_window(name=question))
        self.key("alt+t")
        self.wait_no_window(question)
        wait_until(lambda: "prog" in self.window_title(), 10, "the binary file to be opened")


if __name__ == "__main__":
    unittest.main()

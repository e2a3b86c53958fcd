"""UTF-8 documents in the real program: characters outside Windows-1250 kept in their place and whole."""
import unittest

from quillpad_e2e import QuillpadCase

TEXT_FILE = "utf8.txt"


class Utf8Documents(QuillpadCase):
    def open(self, text):
        self.write(TEXT_FILE, text.encode("utf-8"))
        self.start(self.path(TEXT_FILE))

    def test_typed_polish_letters_are_saved_as_letters(self):
        # The bytes of "ʌ" (CA 8C) are the Windows-1250 letters "ĘŚ": typing them must not turn them into ʌ.
        self.open("ʌ zażółć\n")
        self.type("CZĘŚĆ ")
        self.assertEqual(self.save(TEXT_FILE), "CZĘŚĆ ʌ zażółć\r\n".encode("utf-8"))

    def test_caret_and_delete_treat_a_character_as_one(self):
        self.open("xʌ中yż")
        self.key("Home", "Right", "Right", "Delete")
        self.type("Q")
        self.key("End", "BackSpace", "BackSpace", "Left", "BackSpace")
        self.assertEqual(self.save(TEXT_FILE), "xQ".encode("utf-8"))

    def test_clipboard_carries_the_characters_both_ways(self):
        self.open("a中ʌb ż")
        self.key("Home", "Right", "shift+Right", "shift+Right", "ctrl+c")
        self.assertEqual(self.clipboard(), "中ʌ".encode("utf-8"))
        self.set_clipboard("я😀„")
        self.key("End", "ctrl+v")
        self.assertEqual(self.save(TEXT_FILE), "a中ʌb żя😀„".encode("utf-8"))


class EightBitDocuments(QuillpadCase):
    def test_pasted_foreign_characters_become_question_marks(self):
        self.write(TEXT_FILE, "zażółć".encode("cp1250"))
        self.start(self.path(TEXT_FILE))
        self.set_clipboard("я€")
        self.key("End", "ctrl+v")
        self.assertEqual(self.save(TEXT_FILE), "zażółć?€".encode("cp1250"))


    def test_switching_to_iso_8859_2_shows_and_saves_question_marks(self):
        self.write(TEXT_FILE, "я ż".encode("utf-8"))
        self.start(self.path(TEXT_FILE))
        # Edit, its first item (Code page), the first code page (ISO-8859-2).
        self.key("alt+e", "Right", "Return")
        # The document shows the "?" that the save writes, not the character it can no longer hold.
        self.key("ctrl+Home", "shift+End", "ctrl+c")
        self.assertEqual(self.clipboard(), "? ż".encode("utf-8"))
        self.key("End")
        self.type("ą")
        self.assertEqual(self.save(TEXT_FILE), "? żą".encode("iso-8859-2"))


if __name__ == "__main__":
    unittest.main()

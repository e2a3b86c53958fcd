"""The HTML and text commands of the real program: tag pairs and F8, the tag box, the colour bar, indent and
outdent, numbering lines and going to a line, each checked by the bytes saved."""
import os
import time
import unittest

from quillpad_e2e import QuillpadCase, wait_until

TEXT_FILE = "notes.txt"
# Where the tool bars put things, relative to the main window (760 x 540 with both HTML bars shown).
EDIT_MENU = (56, 8)
TAG_BOX = (401, 74)
COLOR_SQUARE_X = 10  # the middle of the first square; the next ones follow every 16 pixels
COLOR_BAR_FROM_BOTTOM = 33
BARS = {"Main": {"HTMLBar": "1", "ColorBar": "1"}}


class HtmlCommands(QuillpadCase):
    def open(self, text):
        self.write(TEXT_FILE, text)
        self.start(self.path(TEXT_FILE), settings=BARS)

    def test_bold_around_a_selected_word_then_f8_on_another(self):
        self.open(b"one two three")
        self.key("shift+Right", "shift+Right", "shift+Right", "ctrl+b", "End")
        self.key(*["shift+Left"] * 5)
        self.key("F8")
        self.assertEqual(self.save(TEXT_FILE), b"<b>one</b> two <b>three</b>")

    def test_a_pair_typed_into_the_tag_box_goes_in_with_enter(self):
        self.open(b"one two")
        self.key("End", *["shift+Left"] * 3)
        self.click(*TAG_BOX)
        self.type("<q>|</q>")
        self.key("Return")
        # The editor has the focus back and the word is still selected: typing replaces it.
        self.key("F8")
        self.assertEqual(self.save(TEXT_FILE), b"one <q><q>two</q></q>")

    def test_an_item_chosen_in_the_dropped_down_tag_box_goes_in(self):
        self.open(b"one two")
        self.key("End", *["shift+Left"] * 3)
        self.click(*TAG_BOX)
        # The tenth item is "<b>|</b>".
        self.key("alt+Down", "Home", *["Down"] * 9, "Return")
        self.assertEqual(self.save(TEXT_FILE), b"one <b>two</b>")

    def test_a_colour_square_wraps_the_selection_in_its_colour(self):
        self.open(b"a word")
        self.key("End", *["shift+Left"] * 4)
        _, height = self.window_size()
        red = 10
        self.click(COLOR_SQUARE_X + 16 * red, height - COLOR_BAR_FROM_BOTTOM)
        self.assertEqual(self.save(TEXT_FILE), b'a <font color="Red">word</font>')

    def test_a_square_looks_pressed_while_held_and_x_cancelled_changes_nothing(self):
        self.open(b"a word")
        self.key("End", *["shift+Left"] * 4)
        _, height = self.window_size()
        y = height - COLOR_BAR_FROM_BOTTOM
        red, x_square = COLOR_SQUARE_X + 16 * 10, COLOR_SQUARE_X + 16 * 16

        def square():
            crop = f"14x14+{red - 7}+{y - 7}"
            return self.x.run("convert", self.shot(), "-crop", crop, "-format", "%#", "info:")
        up = square()
        self.x.run("xdotool", "mousemove", "--window", self.window, str(red), str(y), "mousedown", "1")
        wait_until(lambda: square() != up, 10, "the square to look pressed")
        self.x.run("xdotool", "mouseup", "1")
        wait_until(lambda: square() == up, 10, "the square to look raised again")
        self.click(x_square, y)
        self.wait_focus(self.wait_window(name="^Quillpad - notes.txt$"))  # the colour dialog
        self.key("Escape")
        self.wait_no_window("^Quillpad - notes.txt$")
        self.wait_focus(self.window)
        self.key("End")
        self.type("!")
        self.assertEqual(self.save(TEXT_FILE), b'a <font color="Red">word</font>!')

    def shot(self):
        path = self.path("window.png")
        self.x.run("import", "-window", self.window, path)
        return path

    def test_a_tag_typed_into_the_box_goes_in_once_for_each_enter(self):
        self.open(b"ab")
        self.key("Home", "Right")
        self.click(*TAG_BOX)
        self.type("<hr>")
        self.key("Return")  # the editor has the focus back: leaving the box puts in nothing more
        time.sleep(0.3)
        self.click(*TAG_BOX)
        self.key("Return")  # the same text again
        time.sleep(0.3)
        self.click(*TAG_BOX)
        self.key(*["BackSpace"] * 4, "Return")  # an emptied box puts in nothing
        time.sleep(0.3)
        self.click(200, 103)  # back in the editor (below the HTML bar), at the end of the line
        self.type("!")
        self.assertEqual(self.save(TEXT_FILE), b"a<hr><hr>b!")

    def test_a_new_html_document_has_the_caret_in_its_body(self):
        self.open(b"old")
        self.key("ctrl+h")
        self.type("x")
        self.key("ctrl+s")
        self.wait_focus(self.wait_window(name="^Save$"))
        self.type(self.path("new.html"))
        self.key("Return")
        self.wait_no_window("^Save$")
        # The dialog closes before the program writes the file.
        wait_until(lambda: os.path.exists(self.path("new.html")) and self.read("new.html").endswith(b"</html>"), 10,
                   "new.html to be written")
        saved = self.read("new.html")
        self.assertTrue(saved.startswith(b'<!doctype html public "-//W3C//DTD HTML 3.2 Final//EN">\r\n<html>\r\n<head>\r\n'))
        self.assertIn(b"[S\xb3owa kluczowe, Keywords]", saved)
        self.assertTrue(saved.endswith(b" <title>no title</title>\r\n</head>\r\n<body>\r\nx\r\n</body>\r\n</html>"))


class TextCommands(QuillpadCase):
    def open(self, text):
        self.write(TEXT_FILE, text)
        self.start(self.path(TEXT_FILE), settings=BARS)

    def test_indent_twice_and_outdent_three_lines(self):
        self.open(b"l1\r\n l2\r\nl3\r\nl4")
        self.key("shift+Down", "shift+Down", "shift+Down", "ctrl+l", "ctrl+l", "ctrl+k")
        self.assertEqual(self.save(TEXT_FILE), b" l1\r\n  l2\r\n l3\r\nl4")
        self.key("ctrl+k", "ctrl+k", "ctrl+k")
        self.assertEqual(self.save(TEXT_FILE), b"l1\r\nl2\r\nl3\r\nl4")

    def test_numbering_lines_from_the_convert_menu(self):
        self.open(b"head\r\nx\r\ny\r\ntail")
        self.key("Down", "shift+Down", "shift+End")
        self.click(*EDIT_MENU)
        # Document codepage, Undo, Copy, Paste, Cut, Select all, Convert > Make numbered list.
        self.key(*["Down"] * 7, "Right", "Down", "Return")
        dialog = self.wait_window(name="^Convert$")
        self.wait_focus(dialog)
        self.key("Down", "Down", "Tab", "ctrl+a")
        self.type("3")
        self.key("Return")
        self.wait_no_window("^Convert$")
        self.assertEqual(self.save(TEXT_FILE), b"head\r\nC. x\r\nD. y\r\ntail")

    def test_prefixing_lines_with_a_sign_option_or_a_typed_character(self):
        self.open(b"a\r\nb")
        for keys in (["Right"], ["Tab", "ł"]):  # the option after ">", then a sign typed into the box
            self.click(*EDIT_MENU)
            self.key(*["Down"] * 7, "Right", "Return")  # Convert > Prefix lines with a character
            dialog = self.wait_window(name="^Convert$")
            self.wait_focus(dialog)
            for key in keys:
                self.type(key) if key == "ł" else self.key(key)
            self.key("Return")
            self.wait_no_window("^Convert$")
            self.wait_focus(self.window)
        self.assertEqual(self.save(TEXT_FILE), "ł-a\r\nb".encode("cp1250"))

    def test_date_and_time_go_before_the_caret(self):
        self.open(b"abc")
        self.key("F6")
        self.type("|")
        saved = self.save(TEXT_FILE)
        self.assertRegex(saved, rb"^\S*[0-9]\S* \S*[0-9][^|]*\|abc$")

    def test_go_to_line_and_bad_numbers(self):
        self.open(b"l1\r\nl2\r\nl3\r\nl4")
        for text in ("abc", "-5", "99999999999", "3"):
            self.key("ctrl+g")
            dialog = self.wait_window(name="^Goto to line$")
            self.wait_focus(dialog)
            self.key("ctrl+a")
            # xdotool would take a leading "-" for an option of its own.
            if text.startswith("-"):
                self.key("minus")
            self.type(text.lstrip("-"))
            self.key("Return")
            self.wait_no_window("^Goto to line$")
            self.key("minus") if text.startswith("-") else self.type(text[0])
        # "abc" and the number past the end move nothing, "-5" goes to the start of the first line.
        self.assertEqual(self.save(TEXT_FILE), b"-9al1\r\nl2\r\n3l3\r\nl4")


class LinkItems(QuillpadCase):
    def test_the_popup_menu_opens_the_linked_file_in_a_new_window_or_here(self):
        self.write("page.htm", b"<p>linked</p>")
        self.write(TEXT_FILE, b'<a href="page.htm">x</a>')
        self.start(self.path(TEXT_FILE))
        self.key("Home", "Right", "Right", "Right", "Right")  # inside the tag
        # The popup: Open..., then the two link items (named after the file), Paste, Undo.
        self.key("Menu", "Down", "Down", "Down", "Return")
        wait_until(lambda: len(self.x.run("xdotool", "search", "--onlyvisible", "--name", "page.htm",
                                          check=False).split()) == 1, 20, "a new window on page.htm")
        self.x.run("xdotool", "windowactivate", "--sync", self.window, check=False)
        self.wait_focus(self.window)
        self.key("Menu", "Down", "Down", "Return")
        wait_until(lambda: "page.htm" in self.window_title(), 10, "page.htm in this window")
        self.type("X")
        self.assertEqual(self.save("page.htm"), b"X<p>linked</p>")


if __name__ == "__main__":
    unittest.main()

"""Typing, deleting, bookmarks and the menus of the real program on a real X server."""
import time
import unittest

from quillpad_e2e import QuillpadCase, wait_until

TEXT_FILE = "notes.txt"


class Typing(QuillpadCase):
    def test_delete_and_backspace_join_lines_and_type_nothing(self):
        saved = self.edit(b"ab\r\ncd\r\nef", "Down", "Home", "BackSpace", "End", "Delete", ("type", "|"))
        self.assertEqual(saved, b"abcd|ef")

    def test_ctrl_delete_and_ctrl_backspace_delete_words_and_swallow_no_key(self):
        saved = self.edit(b"one, two three", "ctrl+Delete", ("type", "X"), "End", "ctrl+BackSpace", ("type", ",Y"))
        self.assertEqual(saved, b"Xtwo,Y")  # Ctrl+Backspace takes the blank before the word too

    def test_keypad_tab_and_control_chords_type_what_they_should(self):
        # Ctrl+8 and Ctrl+[ carry control characters that type nothing; keypad digits and Enter type as the
        # main keys; Ctrl+Enter is the HTML line break; Shift+Tab types nothing.
        saved = self.edit(b"  ab", "End", "ctrl+8", "ctrl+bracketleft", "KP_1", "Tab", ("type", "x"), "KP_Enter",
                          ("type", "y"), "ctrl+Return", ("type", "z"), "shift+Tab", ("type", "w"))
        self.assertEqual(saved, b"  ab1     x\r\n  y<br>\r\n  zw")

    def test_command_chords_type_nothing(self):
        saved = self.edit(b"ab", "End", "ctrl+alt+1", "ctrl+alt+9", "ctrl+alt+0", "ctrl+alt+8", "super+a",
                          "Insert", "Insert", "F2", ("type", "c"))
        self.assertEqual(saved, b"abc")

    def test_polish_letters_and_typing_aids(self):
        self.write("page.html", b"<ul>\r\n  <li>")
        self.start(self.path("page.html"))
        self.key("ctrl+End")
        self.type("zażółć GĘŚLĄ JAŹŃ")
        self.key("Return")  # continues the list item
        self.type("(")      # and the bracket is closed
        self.key("End", "Return", "Return")  # a bare item ends the list
        self.type("<td")
        self.key("End")
        self.type("a")
        self.key("Return")  # continues the cell, the caret between the tags
        self.type("b")
        saved = self.save("page.html")
        body = saved[saved.index(b"  <li>"):]
        self.assertEqual(body, "  <li>zażółć GĘŚLĄ JAŹŃ\r\n  <li>()\r\n  <li>\r\n  <td>a\r\n  <td>b</td>".encode("cp1250"))


class Bookmarks(QuillpadCase):
    def test_set_with_ctrl_alt_jump_with_ctrl_and_cleared_by_opening(self):
        self.write(TEXT_FILE, b"l0\r\nl1\r\nl2\r\nl3")
        self.write("other.txt", b"o0\r\no1\r\no2\r\no3")
        self.start(self.path(TEXT_FILE))
        self.key("Down", "Down", "ctrl+alt+2", "ctrl+Home", "ctrl+2")
        self.type("#")
        self.assertEqual(self.save(TEXT_FILE), b"l0\r\nl1\r\n#l2\r\nl3")
        # Another document: the bookmark must not carry over to its third line.
        self.key("ctrl+o")
        dialog = self.wait_window(name="Open|Otwórz")
        self.wait_focus(dialog)
        self.type(self.path("other.txt"))
        self.key("Return")
        self.wait_no_window("Open|Otwórz")
        self.key("End", "ctrl+2")
        self.type("#")
        self.assertEqual(self.save("other.txt"), b"o0#\r\no1\r\no2\r\no3")


class DragSelection(QuillpadCase):
    def test_dragging_past_the_edge_scrolls_about_sixty_rows_a_second(self):
        self.write(TEXT_FILE, "".join(f"line {i}\r\n" for i in range(3000)).encode())
        self.start(self.path(TEXT_FILE))
        _, height = self.window_size()
        self.x.run("xdotool", "mousemove", "--window", self.window, "60", "150", "mousedown", "1")
        self.x.run("xdotool", "mousemove", "--window", self.window, "60", str(height + 40))
        time.sleep(1.0)
        self.x.run("xdotool", "mouseup", "1")
        self.type("X")
        saved = self.save(TEXT_FILE).decode()
        removed = 3000 - saved.count("\r\n")
        # A 1 ms timer firing every millisecond would remove about a thousand lines in this second.
        self.assertGreater(removed, 5)
        self.assertLess(removed, 150)


class SidewaysScrolling(QuillpadCase):
    def test_scrolling_the_view_to_the_left_edge_leaves_the_caret_in_place(self):
        self.write(TEXT_FILE, b"abcdef" * 50)
        self.start(self.path(TEXT_FILE))
        width, height = self.window_size()
        bar = height - 31  # the horizontal scroll bar, above the status bar
        for _ in range(3):  # its right arrow: the view scrolls, the caret stays at the start, left of it
            self.click(width - 22, bar)
            time.sleep(0.2)
        self.click(200, bar, button=3)  # the bar's menu: Scroll here, Left edge
        time.sleep(0.5)
        self.key("Down", "Down", "Return")
        time.sleep(0.3)
        self.key("Right")
        self.type("X")
        self.assertEqual(self.save(TEXT_FILE), b"aXbcdef" + b"abcdef" * 49)


class VerticalScrolling(QuillpadCase):
    def test_the_scroll_bar_pages_steps_and_reaches_the_last_line_as_the_top_line(self):
        self.write(TEXT_FILE, "".join(f"line {i}\r\n" for i in range(200)).encode())
        self.start(self.path(TEXT_FILE))
        width, height = self.window_size()
        bar, first_row = width - 8, 66  # the first text row, below the menu and the tool bar

        def type_on_the_top_line(text):
            time.sleep(0.3)
            self.click(200, first_row)  # right of the text: the end of the top line
            time.sleep(0.2)
            self.type(text)
        self.click(bar, height - 60)  # the trough below the thumb: a page down
        type_on_the_top_line("X")
        self.click(bar, 63)  # the up arrow: one line up
        type_on_the_top_line("Y")
        # The thumb, taken with the middle button, dragged past the bar's end.
        self.x.run("xdotool", "mousemove", "--window", self.window, str(bar), "200", "mousedown", "2")
        self.x.run("xdotool", "mousemove", "--window", self.window, str(bar), str(height + 100))
        time.sleep(0.3)
        self.x.run("xdotool", "mouseup", "2")
        type_on_the_top_line("Z")
        lines = self.save(TEXT_FILE).decode().split("\r\n")
        marked = {line[-1]: i for i, line in enumerate(lines) if line and line[-1] in "XYZ"}
        self.assertGreater(marked["X"], 10)  # a page is the rows shown less one
        self.assertEqual(marked["Y"], marked["X"] - 1)
        self.assertEqual(marked["Z"], 199)  # the last text line, above the empty one after it


class Menus(QuillpadCase):
    def test_f10_and_alt_letters_open_menus(self):
        self.write(TEXT_FILE, b"abc")
        self.start(self.path(TEXT_FILE))
        self.type("x")
        # F10 opens File with nothing highlighted: New, Open..., Save.
        self.key("F10", "Down", "Down", "Down", "Return")
        wait_until(lambda: self.read(TEXT_FILE) == b"xabc", 10, "the save chosen after F10")
        self.type("y")
        # Alt+F opens File with New highlighted.
        self.key("alt+f", "Down", "Down", "Return")
        wait_until(lambda: self.read(TEXT_FILE) == b"xyabc", 10, "the save chosen after Alt+F")


class Clipboard(QuillpadCase):
    def test_copy_gives_unicode_with_lf_and_paste_takes_any_line_ends(self):
        self.write(TEXT_FILE, "zażółć\r\ngęślą".encode("cp1250"))
        self.start(self.path(TEXT_FILE))
        self.key("ctrl+a", "ctrl+c")
        self.assertEqual(self.clipboard(), "zażółć\ngęślą".encode())
        self.set_clipboard("A\r\nB\nC\rD")
        self.key("ctrl+End", "ctrl+v")
        self.assertEqual(self.save(TEXT_FILE), "zażółć\r\ngęśląA\r\nB\r\nC\r\nD".encode("cp1250"))

    def test_selection_is_the_primary_selection_and_middle_click_pastes_it(self):
        lines = [f"line {i:02}" for i in range(80)]
        self.write(TEXT_FILE, "\r\n".join(lines).encode())
        self.start(self.path(TEXT_FILE))
        self.key("shift+End")
        self.assertEqual(self.clipboard("primary"), b"line 00")
        self.set_clipboard("<pasted>", "primary")
        # A middle click in the middle of the window pastes on the line clicked, not at the caret.
        self.key("End")
        width, height = self.window_size()
        self.click(width // 2, height // 2, button=2)
        saved = self.save(TEXT_FILE).decode().split("\r\n")
        where = [i for i, line in enumerate(saved) if "<pasted>" in line]
        self.assertEqual(len(where), 1)
        self.assertGreater(where[0], 3)
        self.assertEqual(saved[where[0]], lines[where[0]] + "<pasted>")
        self.assertEqual([l.replace("<pasted>", "") for l in saved], lines)


if __name__ == "__main__":
    unittest.main()

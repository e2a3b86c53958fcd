"""The main window of the real program: the first run's language question, settings that cannot be stored, the
language items, the tip of the day, Esc, closing, the layout, the Options toggles, Execute, help, find next,
favourites and the print options, each checked by what the program shows, stores, saves or starts."""
import os
import re
import subprocess
import unittest

from quillpad_e2e import POLISH, QuillpadCase, program_path, wait_until

TEXT_FILE = "notes.txt"
TITLE = "Norvale Quillpad 1.0.16"


class MainWindowCase(QuillpadCase):
    def start_behind_a_dialog(self, name, *args, **kwargs):
        """Starts quillpad and waits for the dialog it shows before its main window has the focus."""
        self.wait_focus = lambda window, timeout=10: None  # start() would wait for the main window's focus
        try:
            self.start(*args, **kwargs)
        finally:
            del self.wait_focus
        dialog = self.wait_window(name=name)
        self.wait_focus(dialog)
        return dialog

    def wait_main_window(self):
        """After the dialogs of the start: the main window, activated and with the focus."""
        self.window = self.wait_window(name=f"^{TITLE}")
        self.x.run("xdotool", "windowactivate", "--sync", self.window, check=False)
        self.wait_focus(self.window)

    def stored(self, ident):
        with open(os.path.join(self.config, "Layout.ini"), encoding="utf-8") as f:
            found = re.search(r"^" + re.escape(ident) + r"=(.*)$", f.read(), re.MULTILINE | re.IGNORECASE)
        return found.group(1) if found else None

    def recording_opener(self):
        """An xdg-open that writes what it was asked to open into opened.txt; the environment to start with."""
        bin_dir = self.path("bin")
        os.makedirs(bin_dir)
        with open(os.path.join(bin_dir, "xdg-open"), "w") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$1" >> "{self.path("opened.txt")}"\n')
        os.chmod(os.path.join(bin_dir, "xdg-open"), 0o755)
        return {"PATH": bin_dir + os.pathsep + os.environ["PATH"]}

    def opened(self):
        return self.read("opened.txt").decode().splitlines() if os.path.exists(self.path("opened.txt")) else []

    def wait_exit(self):
        wait_until(lambda: self.app.poll() is not None, 15, "quillpad to exit")
        self.assertEqual(self.app.returncode, 0)

    def alt_f4(self, answered):
        """Alt+F4 on the main window until `answered()` (which raises AssertionError after waiting) sees its
        effect. On a loaded machine the window manager can miss a key sent just after the window appeared
        or was resized, so it is sent again, up to three times; returns what `answered` returned."""
        for attempt in range(3):
            self.wait_focus(self.window)
            self.key("alt+F4")
            try:
                return answered()
            except AssertionError:
                if attempt == 2:
                    raise

    def close_unmodified(self):
        """Alt+F4 on a window that asks nothing on closing."""
        self.alt_f4(lambda: wait_until(lambda: self.app.poll() is not None, 5, "quillpad to exit"))
        self.wait_exit()


class FirstRun(MainWindowCase):
    language = None  # no language stored: the program asks

    def test_english_is_stored_and_gives_english_dialogs(self):
        self.start_behind_a_dialog("^Quillpad$")
        self.key("Tab", "space")  # from "Polski interfejs" to "English interface"
        self.wait_main_window()
        self.assertEqual(self.stored("Language"), "2")
        self.key("ctrl+f")
        self.wait_window(name="^Find$")

    def test_closing_the_question_starts_in_polish_and_stores_nothing(self):
        self.start_behind_a_dialog("^Quillpad$")
        self.key("Escape")
        self.wait_main_window()
        self.assertIsNone(self.stored("Language"))
        self.key("ctrl+f")
        self.wait_window(name="^Znajdź$")


class UnwritableSettings(MainWindowCase):
    language = None

    def wait_message(self, other_than):
        """Waits for the focus on a message box titled "Quillpad" other than the window given; answers it."""
        def focused_message():
            ids = self.x.run("xdotool", "search", "--onlyvisible", "--name", "^Quillpad$", check=False).split()
            focused = self.focused_window()
            return focused if focused in ids and focused != other_than else None
        wait_until(focused_message, 10, "a message box")
        self.key("Return")

    def test_a_settings_folder_that_cannot_be_written_is_reported_and_the_program_goes_on(self):
        question = self.start_behind_a_dialog("^Quillpad$", env={"QUILLPAD_CONFIG_DIR": "/proc/quillpad-cannot-exist"})
        self.key("Tab", "space")  # English, which cannot be stored
        self.wait_message(question)
        # Nor was "no tips" read: the tip comes, in English, as this run is in English all the same.
        self.wait_focus(self.wait_window(name="^Tip of the day$"))
        self.key("Escape")
        self.wait_main_window()
        self.key("ctrl+f")
        self.wait_focus(self.wait_window(name="^Find$"))
        self.key("Escape")
        self.wait_focus(self.window)
        self.key("alt+o", *["Up"] * 4, "Return")  # Show HTML tool bar: its setting cannot be stored
        self.wait_message(None)
        self.wait_focus(self.window)
        self.key("alt+F4")  # nor can the layout
        self.wait_message(None)
        self.wait_exit()


class Language(MainWindowCase):
    def test_the_interface_items_store_the_choice_for_the_next_start(self):
        self.start()
        self.key("alt+o", "Down", "Return")  # Interface : polish
        self.wait_focus(self.wait_window(name="^Quillpad$"))  # restart to make it take effect
        self.key("Return")
        self.wait_no_window("^Quillpad$")
        self.assertEqual(self.stored("Language"), "1")
        self.wait_focus(self.window)
        self.key("ctrl+f")  # nothing changes before the next start
        self.wait_window(name="^Find$")

    def test_a_new_window_is_another_instance_of_the_program(self):
        self.start()
        self.key("ctrl+w")
        wait_until(lambda: len(self.x.run("xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$",
                                          check=False).split()) == 2, 20, "a second main window")


class TipOfTheDay(MainWindowCase):
    def test_the_tip_can_be_turned_off(self):
        self.start_behind_a_dialog("^Tip of the day$", settings={"Tips": {"ShowTips": "1"}})
        self.key("space", "Return")  # "Do not show this window again", then Close
        self.wait_no_window("^Tip of the day$")
        wait_until(lambda: self.stored("ShowTips") == "0", 10, "ShowTips=0")


class Escape(MainWindowCase):
    def press_escape(self, setting):
        self.write(TEXT_FILE, b"abc")
        self.start(self.path(TEXT_FILE), settings={"Editor": {"ESC Key": str(setting)}})
        self.key("Escape")

    def test_nothing_by_default(self):
        self.press_escape(0)
        self.type("x")
        self.assertEqual(self.save(TEXT_FILE), b"xabc")

    def test_close_the_program(self):
        self.press_escape(1)
        self.wait_exit()

    def test_minimise_the_window(self):
        self.press_escape(2)
        wait_until(lambda: "_NET_WM_STATE_HIDDEN" in self.x.run("xprop", "-id", self.window, "_NET_WM_STATE"),
                   10, "the window to be minimised")
        self.assertIsNone(self.app.poll())


class Closing(MainWindowCase):
    def test_a_changed_document_is_asked_about_and_cancel_keeps_the_window(self):
        self.write(TEXT_FILE, b"abc")
        self.start(self.path(TEXT_FILE))
        self.type("x")
        question = f"^Quillpad - {TEXT_FILE}$"
        self.key("alt+F4")
        self.wait_focus(self.wait_window(name=question))
        self.key("Escape")
        self.wait_no_window(question)
        self.assertIsNone(self.app.poll())
        # The layout is written even when the window stays.
        wait_until(lambda: self.stored("WindowState") == "0", 10, "the layout to be stored")
        self.wait_focus(self.window)
        self.key("alt+F4")
        self.wait_focus(self.wait_window(name=question))
        self.key("alt+n")
        self.wait_exit()
        self.assertEqual(self.read(TEXT_FILE), b"abc")


class ClosingInPolish(MainWindowCase):
    language = POLISH

    def test_the_polish_interface_shows_the_information_box_before_it_closes(self):
        self.start()
        self.wait_focus(self.alt_f4(lambda: self.wait_window(name="^Quillpad$", timeout=5)))
        self.assertIsNone(self.app.poll())
        self.key("Return")
        self.wait_exit()


class NoDisplay(MainWindowCase):
    def test_without_a_display_one_line_says_what_is_needed(self):
        names = ("QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY")
        base = {k: v for k, v in os.environ.items() if k not in names}
        base.update(QUILLPAD_CONFIG_DIR=self.config, HOME=self.dir, ASAN_OPTIONS="detect_leaks=0")

        def run(**extra):
            return subprocess.run([program_path()], env=dict(base, **extra), capture_output=True, timeout=60)
        result = run()
        self.assertEqual(result.returncode, 2)
        message = result.stderr.decode()
        self.assertEqual(message.count("\n"), 1, message)
        self.assertIn("graphical session", message)
        self.assertIn("QT_QPA_PLATFORM=offscreen", message)
        # Any one of them set lets Qt try (and here fail on the bogus value) instead.
        for name in names:
            with self.subTest(name=name):
                self.assertNotIn("graphical session", run(**{name: "bogus"}).stderr.decode())


class NothingToOpen(MainWindowCase):
    def test_a_missing_file_on_the_command_line_opens_nothing(self):
        self.start(self.path("missing.html"))
        self.assertEqual(self.window_title(), TITLE)

    def test_find_next_without_a_search_text_opens_the_find_dialog(self):
        self.start()
        self.key("F3")
        self.wait_window(name="^Find$")


class OpeningWithTheDesktop(MainWindowCase):
    def test_help_opens_the_about_topic(self):
        self.start(env=self.recording_opener())
        self.key("F1")
        wait_until(self.opened, 10, "xdg-open to be started")
        self.assertRegex(self.opened()[0], r"(?i)^file:///.*/help/index\.html#program_about$")

    def test_the_pattern_dialogs_help_opens_its_topic_and_cancel_searches_nothing(self):
        self.write(TEXT_FILE, b"abc")
        self.start(self.path(TEXT_FILE), env=self.recording_opener())
        self.key("ctrl+r")
        dialog = self.wait_window(name="^Search regular expresion")
        self.wait_focus(dialog)
        self.type("b")
        self.key("shift+Tab", "space")  # from the pattern back to the last button, Help
        wait_until(self.opened, 10, "xdg-open to be started")
        self.assertRegex(self.opened()[0], r"(?i)^file:///.*/help/index\.html#search_regexp$")
        self.wait_focus(dialog)
        self.key("Escape")
        self.wait_no_window("^Search regular expresion")
        self.wait_focus(self.window)
        self.type("X")  # at the start: nothing was selected
        self.assertEqual(self.save(TEXT_FILE), b"Xabc")

    def test_execute_asks_to_save_a_new_document_and_no_opens_nothing(self):
        self.start(env=self.recording_opener())
        self.key("F5")
        self.wait_focus(self.wait_window(name="^Quillpad$"))
        self.key("alt+n")
        self.wait_no_window("^Quillpad$")
        self.wait_focus(self.window)
        self.assertEqual(self.opened(), [])

    def test_execute_saves_first_and_opens_the_document(self):
        self.write("page.html", b"<p>")
        self.start(self.path("page.html"), env=self.recording_opener())
        self.key("F5")
        wait_until(self.opened, 10, "xdg-open to be started")
        self.assertEqual(self.opened(), [self.path("page.html")])
        # Changed: asked first; No opens nothing, Yes saves and opens.
        self.type("x")
        question = "^Quillpad - page.html$"
        for answer in ("alt+n", "alt+y"):
            self.key("F5")
            self.wait_focus(self.wait_window(name=question))
            self.key(answer)
            self.wait_no_window(question)
        wait_until(lambda: len(self.opened()) == 2, 10, "the second start of xdg-open")
        self.assertEqual(self.read("page.html"), b"x<p>")


class Layout(MainWindowCase):
    def test_a_normal_close_stores_the_bounds(self):
        self.start()
        self.x.run("xdotool", "windowsize", "--sync", self.window, "640", "420")
        self.close_unmodified()
        self.assertEqual([self.stored(i) for i in ("WindowState", "Width", "Height")], ["0", "640", "420"])

    def test_the_bounds_are_restored_and_a_maximised_close_stores_only_the_state(self):
        self.start(settings={"Main": {"WindowState": "0", "Top": "80", "Left": "70", "Width": "600", "Height": "400"}})
        self.assertEqual(self.window_size(), (600, 400))
        # A double click on the title bar maximises.
        self.x.run("xdotool", "mousemove", "--window", self.window, "200", "-8", "click", "--repeat", "2", "1")
        wait_until(lambda: "MAXIMIZED_VERT" in self.x.run("xprop", "-id", self.window, "_NET_WM_STATE"), 10,
                   "the window to be maximised")
        self.close_unmodified()
        self.assertEqual([self.stored(i) for i in ("WindowState", "Top", "Width")], ["2", "80", "600"])


class Toggles(MainWindowCase):
    def picture(self, top, height):
        """A signature of the pixels in a band of the window, right of the editor's caret."""
        shot = self.path("band.png")
        self.x.run("import", "-window", self.window, shot)
        return self.x.run("convert", shot, "-crop", f"300x{height}+300+{top}", "-format", "%#", "info:")

    def test_the_bars_and_word_wrap_are_switched_stored_and_shown(self):
        long_line = " ".join(f"w{i:03}" for i in range(200)).encode()
        self.write(TEXT_FILE, long_line)
        self.start(self.path(TEXT_FILE))
        _, height = self.window_size()
        # The Options items counted from its end, and the band of the window each bar takes.
        for ident, ups, band in (("HTMLBar", 4, (60, 30)), ("ColorBar", 3, (height - 45, 25)), ("WordWrap", 2, None)):
            for on in ("1", "0"):
                before = band and self.picture(*band)
                self.key("alt+o", *["Up"] * ups, "Return")
                wait_until(lambda: self.stored(ident) == on, 10, f"{ident}={on}")
                if band:
                    wait_until(lambda: self.picture(*band) != before, 10, f"the window to change with {ident}")
                self.wait_focus(self.window)
        # Word wrap is off again: End goes to the end of the line, where it went to the end of the first piece.
        self.key("ctrl+Home", "End")
        self.type("X")
        self.key("alt+o", "Up", "Up", "Return", "ctrl+Home", "End")
        self.type("Y")
        saved = self.save(TEXT_FILE)
        self.assertTrue(saved.endswith(b"X"))
        self.assertLess(saved.index(b"Y"), len(long_line) // 2)


class Favourites(MainWindowCase):
    def open_file(self, name):
        self.key("ctrl+o")
        dialog = self.wait_window(name="^Open$")
        self.wait_focus(dialog)
        self.type(self.path(name))
        self.key("Return")
        self.wait_no_window("^Open$")
        wait_until(lambda: name in self.window_title(), 10, f"{name} to open")

    def test_the_menu_opens_them_and_the_organizer_removes_one(self):
        for name in ("a.txt", "b.txt", "c.txt"):
            self.write(name, name.encode())
        self.start(self.path("a.txt"))
        self.key("ctrl+d")
        for name in ("b.txt", "c.txt"):
            self.open_file(name)
            self.key("ctrl+d")
        # Favorites: Add, Organize..., then the files from the highest slot down: c, b, a.
        self.key("alt+a", "Up", "Return")
        wait_until(lambda: "a.txt" in self.window_title(), 10, "a.txt from the menu")
        self.key("alt+a", "Down", "Return")
        organizer = self.wait_window(name="^Organize favorites$")
        self.wait_focus(organizer)
        self.key("Home", "Down", "alt+r", "alt+c")  # remove the second, b.txt
        self.wait_no_window("^Organize favorites$")
        self.assertEqual(self.stored("Item2"), "")
        self.assertEqual(self.stored("Item3"), self.path("c.txt"))
        self.wait_focus(self.window)
        self.key("alt+a", "Up", "Up", "Return")  # the rebuilt menu: c, a
        wait_until(lambda: "c.txt" in self.window_title(), 10, "c.txt from the rebuilt menu")


class Options(MainWindowCase):
    def test_always_on_top_is_switched_on_and_off_in_place(self):
        self.start()

        def place():
            geometry = self.x.run("xdotool", "getwindowgeometry", "--shell", self.window)
            return {k: v for k, v in (line.split("=", 1) for line in geometry.split()) if k != "WINDOW"}
        before = place()

        def above():
            # Changing the flag makes a new native window: found afresh each time.
            self.window = self.wait_window(pid=self.app.pid)
            return "_NET_WM_STATE_ABOVE" in self.x.run("xprop", "-id", self.window, "_NET_WM_STATE", check=False)
        for on in (True, False):
            self.key("alt+o", "Up", "Return")  # the last item of Options
            wait_until(lambda: above() == on, 10, f"always on top {on}")
            self.assertEqual(place(), before)  # shown in the same place and size
            self.wait_focus(self.window)


    def test_the_print_options_name_a_bad_size_and_store_nothing_until_it_is_mended(self):
        self.start()
        self.key("alt+f", *["Up"] * 5, "Return")  # Exit, Execute, Print..., Preview..., Printout options...
        dialog = self.wait_window(name="^Printout options$")
        self.wait_focus(dialog)
        printer = os.path.join(self.config, "printer.ini")
        # The tab bar, the font list, the size; then the line spacing, the units and the left margin.
        self.key("shift+Tab", "Right", "Tab", "Tab", "ctrl+a")
        self.type("1.5")
        self.key("Tab", "Tab", "Tab", "ctrl+a")
        self.type("30")
        self.key("Return")
        wait_until(lambda: self.focused_window() not in ("", dialog, self.window), 10, "the message about the size")
        self.assertEqual(self.read("config/printer.ini") if os.path.exists(printer) else b"", b"")
        self.key("Return")
        self.wait_focus(dialog)
        self.key("shift+Tab", "shift+Tab", "shift+Tab", "ctrl+a")
        self.type("11")
        self.key("Return")
        self.wait_no_window("^Printout options$")
        with open(printer, encoding="utf-8") as f:
            stored = f.read()
        self.assertRegex(stored, r"(?m)^LeftMargin=30$")
        self.assertRegex(stored, r"(?m)^FontSize=11$")


if __name__ == "__main__":
    unittest.main()

"""The settings dialog of the real program: typing aids, colours and font applied at once, and the desktop's
file-type association in the case's own XDG folders."""
import os
import re
import subprocess
import unittest

from quillpad_e2e import QuillpadCase, wait_until

TEXT_FILE = "page.txt"
SETUP = "^Setup$"


class SetupCase(QuillpadCase):
    def open_setup(self):
        """Options > Setup...; the dialog opens with the focus on the font list of its first page."""
        self.key("alt+o", "Return")
        dialog = self.wait_window(name=SETUP)
        self.wait_focus(dialog)
        return dialog

    def go_to_page(self, page):
        """From the font list: back to the tab bar, right to the page, then into its first control."""
        self.key("shift+Tab", *["Right"] * page, "Tab")

    def confirm(self):
        self.key("Return")
        self.wait_no_window(SETUP)
        self.wait_focus(self.window)

    def stored(self, ident):
        with open(os.path.join(self.config, "Layout.ini"), encoding="utf-8") as f:
            found = re.search(r"^" + re.escape(ident) + r"=(.*)$", f.read(), re.MULTILINE | re.IGNORECASE)
        return found.group(1) if found else None

    def shot(self, name):
        path = self.path(name)
        self.x.run("import", "-window", self.window, path)
        return path

    def editor_pixels(self, shot):
        """Colours at a few points of the editor's empty text area, below the text and right of the gutter."""
        width, height = self.window_size()
        points = [(width * 3 // 5, height * 3 // 5), (width * 4 // 5, height * 2 // 3), (width // 2, height // 2)]
        pixel_format = " ".join(f"%[hex:p{{{x},{y}}}]" for x, y in points)
        return self.x.run("convert", shot, "-format", pixel_format, "info:").split()

    def ink(self, shot):
        """The share of dark pixels in the editor's top left text area."""
        crop = "400x200+45+70"
        mean = self.x.run("convert", shot, "-crop", crop, "-colorspace", "gray", "-format", "%[fx:mean]", "info:")
        return 1.0 - float(mean)


class StoredValues(SetupCase):
    def test_ok_stores_back_what_was_stored_and_an_installed_font_for_a_missing_one(self):
        stored = {"WordWrap": "1", "TabSize": "8", "CloseBrackets": "0", "Default Code Page": "utf-8", "ESC Key": "2",
                  "TagForeground": "65280"}
        self.start(settings={"Editor": dict(stored, FontName="No Such Font Anywhere")})
        self.open_setup()
        self.confirm()
        # The code page list shows (and stores) the name in its own spelling.
        self.assertEqual({ident: self.stored(ident) for ident in stored}, dict(stored, **{"Default Code Page": "UTF-8"}))
        font = self.stored("FontName")
        self.assertNotIn(font, (None, "", "No Such Font Anywhere"))
        listed = subprocess.run(["fc-list", ":", "family"], capture_output=True, text=True, timeout=30).stdout
        self.assertIn(font, {name for line in listed.splitlines() for name in line.split(",")})


class TypingAids(SetupCase):
    def test_turning_off_closing_brackets_stops_adding_the_pair(self):
        self.write(TEXT_FILE, b"")
        self.start(self.path(TEXT_FILE))
        self.type("(")
        self.key("End")
        self.open_setup()
        # Font list, size, five boxes, "< >", then "( )".
        self.key(*["Tab"] * 8, "space")
        self.confirm()
        self.assertEqual(self.stored("CloseBrackets"), "0")
        self.assertEqual(self.stored("CloseTriangleBrackets"), "1")
        self.type("(<")
        self.assertEqual(self.save(TEXT_FILE), b"()(<>")


class Colours(SetupCase):
    def test_dark_scheme_shows_in_the_editor_and_cancel_keeps_the_light_one(self):
        self.write(TEXT_FILE, b"<p>x</p>")
        self.start(self.path(TEXT_FILE))
        self.assertEqual(set(self.editor_pixels(self.shot("before.png"))), {"FFFFFF"})
        for confirm in (False, True):
            self.open_setup()
            # The list of colour items, the constant-background box, then the schemes: light, dark.
            self.go_to_page(1)
            self.key("Tab", "Tab", "Down", "Down")
            if confirm:
                self.confirm()
            else:
                self.key("Escape")
                self.wait_no_window(SETUP)
                self.wait_focus(self.window)
            expected = "000000" if confirm else "FFFFFF"
            wait_until(lambda: set(self.editor_pixels(self.shot("after.png"))) == {expected}, 10,
                       f"the editor in #{expected}")
        self.assertEqual(self.stored("Background"), "0")
        self.assertEqual(self.stored("TagForeground"), "65535")


class Highlighting(SetupCase):
    def test_tags_are_drawn_in_the_tag_colour_and_plain_text_is_not(self):
        self.write("page.html", b"<b>word</b>\r\nplain text, more plain text")
        self.start(self.path("page.html"))
        shot = self.shot("page.png")
        # The default tag colour is pure blue; count such pixels on the first two text rows.
        rows = {}
        for name, top in (("tags", 58), ("plain", 78)):
            crop = f"400x17+42+{top}"
            rows[name] = float(self.x.run("convert", shot, "-crop", crop, "-fx", "b>0.8 && r<0.25 && g<0.25",
                                          "-format", "%[fx:mean*w*h]", "info:"))
        self.assertGreater(rows["tags"], 20)
        self.assertEqual(rows["plain"], 0)


class FontSize(SetupCase):
    def test_a_bigger_size_shows_at_once_and_a_bad_one_is_refused(self):
        self.write(TEXT_FILE, b"MMMMMMMM\r\nMMMMMMMM\r\nMMMMMMMM\r\n")
        self.start(self.path(TEXT_FILE), settings={"Editor": {"FontSize": "10"}})
        before = self.ink(self.shot("before.png"))
        layout = self.read("config/Layout.ini")
        dialog = self.open_setup()
        self.key("Tab")
        self.type("1.5")
        self.key("Return")
        # The message about the size, and the dialog still there behind it; nothing was stored yet.
        wait_until(lambda: self.focused_window() not in ("", dialog, self.window), 10, "the message about the size")
        self.assertEqual(self.read("config/Layout.ini"), layout)
        self.assertFalse(os.path.exists(self.path("xdg-config/mimeapps.list")))
        self.key("Return")
        self.wait_focus(dialog)
        self.key("ctrl+a")
        self.type("24")
        self.confirm()
        self.assertEqual(self.stored("FontSize"), "24")
        after = self.ink(self.shot("after.png"))
        self.assertGreater(after, before * 2)


class Association(SetupCase):
    def write_mimeapps(self, data):
        """The desktop's association list in the test's XDG config folder, holding data; returns its path."""
        config = self.path("xdg-config")
        os.makedirs(config)
        mimeapps = os.path.join(config, "mimeapps.list")
        with open(mimeapps, "wb") as f:
            f.write(data)
        return mimeapps

    def test_html_files_are_associated_and_dissociated_in_the_xdg_folders(self):
        others = b"[Default Applications]\ntext/html=firefox.desktop\n\n[Added Associations]\nimage/png=gimp.desktop;\n"
        mimeapps = self.write_mimeapps(others)
        entry = self.path("xdg-data/applications/quillpad.desktop")
        self.start()
        for on in (True, False):
            self.open_setup()
            self.go_to_page(4)
            self.key("space")
            self.confirm()
            with open(mimeapps, "rb") as f:
                now = f.read()
            if on:
                self.assertEqual(now, others + b"text/html=quillpad.desktop;\n")
                with open(entry, encoding="utf-8") as f:
                    self.assertIn(f'\nExec="{os.path.realpath(self.program())}" %f\n', f.read())
                # The desktop's own library counts Quillpad among the programs for HTML files.
                listed = subprocess.run(["gio", "mime", "text/html"], env=self.desktop_env(), capture_output=True,
                                        text=True, timeout=30).stdout
                self.assertIn("quillpad.desktop", listed)
            else:
                self.assertEqual(now, others)
                self.assertFalse(os.path.exists(entry))

    def test_a_read_only_association_list_is_reported_and_the_settings_are_stored(self):
        before = b"[Added Associations]\ntext/plain=gedit.desktop;\n"
        mimeapps = self.write_mimeapps(before)
        os.chmod(mimeapps, 0o444)
        self.start()
        dialog = self.open_setup()
        self.go_to_page(4)
        self.key("space", "Return")
        wait_until(lambda: self.focused_window() not in ("", dialog, self.window), 10, "the message about the list")
        self.key("Return")
        self.wait_no_window(SETUP)
        with open(mimeapps, "rb") as f:
            self.assertEqual(f.read(), before)
        self.assertEqual(self.stored("WordWrap"), "0")  # the settings were stored all the same

    def program(self):
        from quillpad_e2e import program_path
        return program_path()

    def desktop_env(self):
        return dict(os.environ, HOME=self.dir, XDG_CONFIG_HOME=self.path("xdg-config"),
                    XDG_DATA_HOME=self.path("xdg-data"))


if __name__ == "__main__":
    unittest.main()

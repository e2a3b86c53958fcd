"""Printing in the real program: into a PDF file through the print dialog, paging in the preview, and
quillpad --print-pdf on documents in each of the six code pages, read back with pdftotext."""
import os
import subprocess
import unittest

from quillpad_e2e import QuillpadCase, program_path, wait_until

HERE = os.path.dirname(os.path.abspath(__file__))
CODE_PAGES = os.path.join(os.path.dirname(HERE), "data", "codepages")
SENTENCE = "Znak błędny dla bieżącego uporządkowania"


def pdf_text(path):
    """The text of a PDF file and its page count (pdftotext ends every page with a form feed)."""
    text = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, check=True,
                          timeout=60).stdout.decode("utf-8")
    return text, text.count("\f")


def document(lines=150):
    return "".join(f"Wiersz {i}: zażółć gęślą jaźń\r\n" for i in range(1, lines + 1)).encode("cp1250")


class PrintThroughTheDialog(QuillpadCase):
    def open_file_menu_item(self, ups):
        """File menu, then the item `ups` places above Exit (the first Up wraps round to Exit, the last)."""
        self.key("alt+f")
        self.key(*(["Up"] * (ups + 1)), "Return")

    def test_print_to_a_pdf_file(self):
        self.write("lista.txt", document())
        self.start(self.path("lista.txt"))
        self.open_file_menu_item(2)  # Print...
        # Without a printer the program says so and offers a PDF file beside the document.
        message = self.wait_window(name="^Quillpad - lista.txt$")
        self.wait_focus(message)
        self.key("Return")
        self.wait_focus(self.wait_window(name="^Print$"))
        self.key("Return")
        pdf = self.path("lista.pdf")
        wait_until(lambda: os.path.exists(pdf) and os.path.getsize(pdf) > 0, 30, "the PDF file")
        text, pages = wait_until(lambda: (lambda r: r if r[1] == 3 else None)(pdf_text(pdf)), 15, "three pages")
        sheets = text.split("\f")
        self.assertIn("lista.txt", sheets[0])
        for n in (1, 2, 3):
            self.assertIn(f"Strona -{n}-", sheets[n - 1])
        self.assertIn("Wiersz 150: zażółć gęślą jaźń", sheets[2])
        self.assertIsNone(self.app.poll())


class PreviewPaging(QuillpadCase):
    def grab(self, window):
        """The window's pixels as RGB bytes, with its width."""
        width, height = self.window_size(window)
        data = subprocess.run(["import", "-window", window, "-depth", "8", "rgb:-"], env=self.x.env,
                              capture_output=True, check=True, timeout=30).stdout
        return data, width, height

    def test_page_panel_follows_next_previous_and_go_to(self):
        self.write("lista.txt", document())
        self.start(self.path("lista.txt"))
        self.key("alt+f")
        self.key("Up", "Up", "Up", "Up", "Return")  # Preview... (the first Up wraps round to Exit)
        preview = self.wait_window(name="^Preview$")
        self.wait_focus(preview)

        def strip():
            # The two tool bar rows: the page panel is the only thing there that paging changes.
            data, width, height = wait_until(lambda: self.grab(preview), 10, "a picture of the preview")
            return data[: width * 3 * 90], width

        def settled():
            # Painting follows the key; two equal pictures in a row mean it is done.
            previous = None
            for _ in range(40):
                current = strip()
                if current == previous:
                    return current
                previous = current
            raise AssertionError("the preview keeps changing")

        first, width = settled()
        self.key("ctrl+Next")
        second, _ = settled()
        changed = [i // 3 for i in range(len(first)) if first[i] != second[i]]
        self.assertTrue(changed, "Next changed nothing in the tool bar")
        xs = [p % width for p in changed]
        ys = [p // width for p in changed]
        panel = ((min(xs) + max(xs)) // 2, (min(ys) + max(ys)) // 2)

        self.key("ctrl+Prior")
        self.assertEqual(settled()[0], first, "Previous did not bring back 1/3")
        # The panel asks for a page; 2 shows what Next showed, 3 something else, and Next stops at the end.
        self.click(*panel, window=preview)
        self.wait_focus(self.wait_window(name="^Goto page$"))
        self.type("2")
        self.key("Return")
        self.wait_focus(preview)
        # Away from the panel, which shows the mouse over it.
        self.x.run("xdotool", "mousemove", "--window", preview, "5", "300")
        self.assertEqual(settled()[0], second, "going to page 2 does not show 2/3")
        self.key("ctrl+Next")
        third = settled()[0]
        self.assertNotEqual(third, second)
        self.key("ctrl+Next")
        self.assertEqual(settled()[0], third, "Next went past the last page")


class PrintPdfCommand(QuillpadCase):
    def test_every_code_page_prints_its_polish_letters(self):
        env = dict(os.environ, QUILLPAD_CONFIG_DIR=self.config, HOME=self.dir, ASAN_OPTIONS="detect_leaks=0")
        env.pop("DISPLAY", None)  # headless: no X server is needed
        for page in ("windows-1250", "iso-8859-2", "utf-8", "cp852", "mazovia", "amigapl"):
            with self.subTest(code_page=page):
                source = os.path.join(CODE_PAGES, f"polish.{page}.txt")
                out = self.path(f"{page}.pdf")
                result = subprocess.run([program_path(), "--print-pdf", out, source], env=env,
                                        capture_output=True, timeout=120)
                self.assertEqual(result.returncode, 0, result.stderr.decode(errors="replace"))
                text, pages = pdf_text(out)
                self.assertGreaterEqual(pages, 1)
                self.assertIn(SENTENCE, text)
                self.assertIn(f"polish.{page}.txt", text)
        # A file that does not exist is an error, not an empty print.
        result = subprocess.run([program_path(), "--print-pdf", self.path("x.pdf"), self.path("missing.txt")],
                                env=env, capture_output=True, timeout=60)
        self.assertEqual(result.returncode, 1)
        self.assertFalse(os.path.exists(self.path("x.pdf")))


if __name__ == "__main__":
    unittest.main()

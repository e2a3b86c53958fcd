#pragma once

// "quillpad --print-pdf OUT.pdf FILE": prints FILE, read as the open command reads it (code page and
// all), with the stored print options into the PDF file OUT.pdf, and ends without showing a window, so
// documents can be printed from scripts. Works without a display.

// True when the program was started with --print-pdf.
bool IsPrintPdfCommand(int argc, char** argv);
// Runs the command; the exit code is 0 on success, 1 on a failure (reported on standard error), 2 on
// wrong arguments.
int RunPrintPdfCommand(int argc, char** argv);

#pragma once
#include <QImage>

// The editor's 16 x 16 gutter glyphs, drawn by the program: 0 the word-wrap mark, 1 a label, 2 an
// open folder, 3..11 the bookmarks 1..9. An index outside 0..11 gives a null image.
const QImage& GutterGlyph(int index);

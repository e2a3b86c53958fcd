#pragma once
#include <QList>
#include <QString>
#include <string>
#include <string_view>

// The editor's text is Windows-1250 bytes; Qt speaks Unicode. These convert at that boundary
// (drawing, clipboard), with the program's Windows-1250 table.
QChar Win1250ToQChar(char byte);
QString FromWin1250(std::string_view bytes);
// Characters that Windows-1250 cannot hold are dropped.
std::string ToWin1250(const QString& text);
// The same with foreign-character marks (editor/ForeignMarks.h): their characters come out as
// themselves, and characters that Windows-1250 cannot hold go in as marks.
QString FromMarked(std::string_view bytes, std::u32string_view marks);
std::string ToMarked(const QString& text, std::u32string& marks);

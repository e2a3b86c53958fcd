#pragma once
#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's own tool bar glyphs, drawn at 16 x 16, looked up by the stored name of the command
// they stand for ("Zapisz1", "Pogrubiona1"...). An unknown name gives a null icon.
QIcon ToolIcon(const QString& commandName);
// The program's icon (the same picture as the installed quillpad.svg).
QIcon ProgramIcon();
// The picture at the right end of the main tool bar.
QPixmap LogoPixmap(int height);

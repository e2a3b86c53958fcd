#include "ui/TInfo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "app/LangTable.h"
#include "platform/Shell.h"
#include "ui/ApplicationState.h"

namespace {

// Shown only in the Polish interface, so written in Polish.
constexpr std::array<const char*, TInfo::TextCount> kTexts = {
    "Dziękujemy za korzystanie z Quillpada!",
    "Quillpad zapamiętuje położenie i rozmiar okna do następnego uruchomienia.",
    "Klawisz F8 powtarza ostatnio wstawiony znacznik HTML.",
    "Dziewięć zakładek ustawisz i usuniesz z menu podręcznego edytora.",
    "Ctrl+W otwiera nowe okno Quillpada.",
    "Strona kodowa dokumentu jest widoczna na pasku tytułu.",
    "Polecenie „Optymalizuj dokument” usuwa zbędne odstępy na końcach linii.",
    "Ctrl+R wyszukuje tekst pasujący do wyrażenia regularnego.",
    "Klawisz F5 otwiera dokument w programie skojarzonym z jego typem.",
    "Zawijanie wierszy włączysz w menu Opcje.",
    "Klawiszowi Esc możesz przypisać zamykanie lub minimalizowanie programu.",
    "Do ulubionych możesz dodać do dziesięciu dokumentów."};

}  // namespace

QString TInfo::Text(int index) {
  return QString::fromUtf8(kTexts[static_cast<std::size_t>(std::clamp(index, 0, TextCount - 1))]);
}

TInfo::TInfo(Shell& shell, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Info"));
  setWindowTitle(ApplicationTitle());
  setModal(true);

  std::uniform_int_distribution<int> draw(0, TextCount - 1);
  auto* text = new QLabel(Text(draw(ProgramRandom())), this);
  text->setObjectName(QStringLiteral("InfoText"));
  text->setWordWrap(true);
  text->setMinimumWidth(300);
  const QString web = QString::fromStdString(LangText(226, InterfaceLanguage()));
  auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(web.toHtmlEscaped()), this);
  link->setObjectName(QStringLiteral("WebAddress"));
  link->setCursor(Qt::PointingHandCursor);
  connect(link, &QLabel::linkActivated, this, [&shell](const QString& target) { shell.Open(target.toStdString()); });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* column = new QVBoxLayout(this);
  column->addWidget(text);
  column->addWidget(link);
  column->addWidget(buttons);
}

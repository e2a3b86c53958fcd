// The main window's HTML and text commands: the HTML menu and tool bar, the tag box, the colour bar,
// the "Konwertuj" submenu, indent, case, date and time, go to line and the link under the caret.
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <ctime>
#include <memory>

#include "app/HtmlCommands.h"
#include "app/LangTable.h"
#include "app/LineConversion.h"
#include "app/TDocumentCommands.h"
#include "app/TextCommands.h"
#include "editor/TQuillEditor.h"
#include "platform/Shell.h"
#include "ui/ColorSquare.h"
#include "ui/TConvertDLG.h"
#include "ui/TMain.h"
#include "ui/Win1250Text.h"

namespace {

// The user's short date, a blank and the user's time, as the desktop's locale writes them.
std::string DateTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[256];
  const std::size_t n = std::strftime(buffer, sizeof buffer, "%x %X", &local);
  return ToWin1250(QString::fromLocal8Bit(buffer, static_cast<qsizetype>(n)));
}

// Runs an action on Enter in the tag box's edit, which then sees no Enter at all.
class TagBoxEnter : public QObject {
public:
  TagBoxEnter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}

protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return QObject::eventFilter(watched, e);
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return QObject::eventFilter(watched, e);
    action_();
    return true;
  }

private:
  std::function<void()> action_;
};

}  // namespace

void TMain::WireHtmlCommands() {
  // Every command acts on the editor, which exists once the window has been shown.
  auto on = [this](const QString& name, std::function<void(TQuillEditor&)> command) {
    QAction* item = findChild<QAction*>(name);
    connect(item, &QAction::triggered, this, [this, command = std::move(command)] {
      Run([this, &command] {
        if (TQuillEditor* editor = Editor()) command(*editor);
      });
    });
  };
  for (const TFixedTagPair& pair : FixedTagPairs)
    on(QString::fromLatin1(pair.item.data(), static_cast<qsizetype>(pair.item.size())), [pair](TQuillEditor& e) {
      e.WrapSelection(std::string(pair.before), std::string(pair.after));
    });
  on(QStringLiteral("dokumentHTML1"), [this](TQuillEditor& e) {
    if (documents_) NewHtmlDocument(e, *documents_);
  });
  on(QStringLiteral("Wstawkolor1"), [this](TQuillEditor& e) { InsertColor(e, dialogs_); });
  on(QStringLiteral("Wstawznacznik1"), [this](TQuillEditor& e) { QuickInsertTag(e, dialogs_, settings_); });
  on(QStringLiteral("Zwikszwcicie1"), IndentLines);
  on(QStringLiteral("Zmniejszwcicie1"), OutdentLines);
  on(QStringLiteral("maelitery1"), LowerCaseSelection);
  on(QStringLiteral("WIELKIELITERY1"), UpperCaseSelection);
  on(QStringLiteral("DataGodzina1"), [](TQuillEditor& e) { InsertDateTime(e, DateTimeNow()); });
  on(QStringLiteral("Skoczdolinii1"), [this](TQuillEditor& e) { GotoLineCommand(e, dialogs_); });
  on(QStringLiteral("Poprzedlinieznakiem1"), [this](TQuillEditor& e) {
    PrefixLines(e, [this]() -> std::optional<std::string> {
      TConvertDLG dialog(TConvertDLG::Group::FirstCharacter, this);
      if (dialog.exec() != QDialog::Accepted) return std::nullopt;
      return dialog.Prefix();
    });
  });
  on(QStringLiteral("Numerujlinie1"), [this](TQuillEditor& e) {
    NumberLines(e, [this]() -> std::optional<TNumberingChoice> {
      TConvertDLG dialog(TConvertDLG::Group::Numbering, this);
      if (dialog.exec() != QDialog::Accepted) return std::nullopt;
      return dialog.Numbering();
    });
  });
  // The link is looked for again when chosen: the file may have gone since the menu was shown.
  on(QStringLiteral("Otwrzlink1"), [this](TQuillEditor& e) {
    if (const std::optional<std::string> link = LinkUnderCaret(e)) OpenDocument(*link);
  });
  on(QStringLiteral("Otwrzlinkwnowymoknie1"), [this](TQuillEditor& e) {
    if (const std::optional<std::string> link = LinkUnderCaret(e)) shell_.StartInstance({*link});
  });

  // The tag box: choosing an item inserts it; Enter inserts the typed text unless an item is chosen
  // and the text was not edited since.
  for (const std::string& item : HtmlTagItems()) htmlTags_->addItem(QString::fromStdString(item));
  htmlTags_->setCurrentIndex(-1);
  htmlTags_->setCompleter(nullptr);
  QLineEdit* edit = htmlTags_->lineEdit();
  // The box would otherwise choose an item itself whenever its text matches one as the edit loses
  // the focus, inserting a second time.
  disconnect(edit, &QLineEdit::editingFinished, htmlTags_, nullptr);
  auto chosen = std::make_shared<bool>(false);
  auto insert = [this](const QString& text) {
    Run([this, &text] {
      if (TQuillEditor* editor = Editor()) InsertTagPair(*editor, ToWin1250(text));
    });
  };
  connect(htmlTags_, &QComboBox::activated, this, [this, chosen, insert](int index) {
    *chosen = true;
    insert(htmlTags_->itemText(index));
  });
  connect(edit, &QLineEdit::textEdited, this, [chosen] { *chosen = false; });
  // Enter is taken before the box sees it: it would otherwise choose a matching item itself. The box
  // hands the keys it gets to its edit directly, past the edit's filters, so both are watched.
  auto* enter = new TagBoxEnter(htmlTags_, [chosen, edit, insert] {
    if (!*chosen && !edit->text().isEmpty()) insert(edit->text());
  });
  htmlTags_->installEventFilter(enter);
  edit->installEventFilter(enter);

  // The colour bar.
  for (const THtmlColorName& color : HtmlColorNames) {
    const QString name = QString::fromLatin1(color.name.data(), static_cast<qsizetype>(color.name.size()));
    if (auto* square = colorBar_->findChild<ColorSquare*>(QStringLiteral("Color_") + name))
      connect(square, &QAbstractButton::clicked, this, [this, color] {
        Run([this, color] {
          if (TQuillEditor* editor = Editor()) InsertFontColor(*editor, color.name);
        });
      });
  }
  connect(colorBar_->findChild<ColorSquare*>(QStringLiteral("Color_X")), &QAbstractButton::clicked, this, [this] {
    Run([this] {
      if (TQuillEditor* editor = Editor()) InsertChosenFontColor(*editor, dialogs_);
    });
  });
}

void TMain::PrepareLinkItems() {
  QAction* here = findChild<QAction*>(QStringLiteral("Otwrzlink1"));
  QAction* there = findChild<QAction*>(QStringLiteral("Otwrzlinkwnowymoknie1"));
  here->setVisible(false);
  there->setVisible(false);
  TQuillEditor* editor = Editor();
  if (editor == nullptr) return;
  const std::optional<std::string> link = LinkUnderCaret(*editor);
  if (!link) return;
  // "&" in a file name would mark an accelerator.
  const QString file = QFileInfo(QString::fromStdString(*link)).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
  const int language = InterfaceLanguage();
  here->setText(QString::fromStdString(LangText(178, language)) + QStringLiteral(" (") + file + QLatin1Char(')'));
  there->setText(QString::fromStdString(LangText(179, language)) + QStringLiteral(" (") + file + QLatin1Char(')'));
  here->setVisible(true);
  there->setVisible(true);
}

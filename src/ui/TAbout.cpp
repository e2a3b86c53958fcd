#include "ui/TAbout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/LangTable.h"
#include "app/MainWindowLogic.h"
#include "platform/Shell.h"
#include "ui/ApplicationState.h"
#include "ui/ToolIcons.h"

namespace {

QLabel* LinkLabel(const QString& target, const QString& shown, Shell& shell, QWidget* parent) {
  auto* label = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(target.toHtmlEscaped(), shown.toHtmlEscaped()), parent);
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  label->setCursor(Qt::PointingHandCursor);
  QObject::connect(label, &QLabel::linkActivated, parent, [&shell](const QString& link) { shell.Open(link.toStdString()); });
  return label;
}

}  // namespace

TAbout::TAbout(Shell& shell, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("About"));
  setWindowTitle(ApplicationTitle());
  setModal(true);

  auto* picture = new QLabel(this);
  picture->setPixmap(ProgramIcon().pixmap(64, 64));
  picture->setAlignment(Qt::AlignCenter);
  auto* caption = new QLabel(QString::fromUtf8(AppCaption), this);
  caption->setObjectName(QStringLiteral("ProductName"));
  QFont big = caption->font();
  big.setBold(true);
  big.setPointSize(big.pointSize() + 3);
  caption->setFont(big);
  caption->setAlignment(Qt::AlignCenter);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(20, 16, 20, 12);
  column->addWidget(picture);
  column->addWidget(caption);
  for (int id = 86; id <= 88; ++id) {
    auto* text = new QLabel(QString::fromStdString(LangText(id, InterfaceLanguage())), this);
    text->setObjectName(QStringLiteral("Text%1").arg(id));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    column->addWidget(text);
  }
  const QString mail = QString::fromUtf8(MakerMailAddress);
  column->addWidget(LinkLabel(QStringLiteral("mailto:") + mail, mail, shell, this), 0, Qt::AlignCenter);
  const QString web = QString::fromStdString(LangText(226, InterfaceLanguage()));
  column->addWidget(LinkLabel(web, web, shell, this), 0, Qt::AlignCenter);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  column->addWidget(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);
}

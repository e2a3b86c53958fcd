#include "ui/TPrintPreview.h"

#include <QAction>
#include <QComboBox>
#include <QResizeEvent>
#include <QToolBar>
#include <QToolButton>

#include "app/LangTable.h"
#include "print/PrintSettings.h"
#include "settings/MainSettings.h"
#include "ui/PagePrinterView.h"
#include "ui/PrintCommon.h"
#include "ui/TPrintOptions.h"
#include "ui/Translate.h"

TPrintPreview::TPrintPreview(std::string documentPath, std::function<std::string()> documentText, Dialogs& dialogs,
                             QWidget* parent)
    : QDialog(parent), path_(std::move(documentPath)), text_(std::move(documentText)), dialogs_(dialogs) {
  setObjectName(QStringLiteral("PrintPreview"));
  setWindowTitle(QStringLiteral("#122#Podgląd wydruku"));
  setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setModal(true);
  UsePdfWhenNoPrinter(device_, path_, nullptr);
  printer_ = std::make_unique<TPagePrinter>(device_);
  // The preview's own settings, before the printer settings override most of them.
  printer_->SetMeasureUnit(muMillimeters);
  printer_->SetDefaultColWidth(25.4);
  printer_->SetGradientBackground(false);
  printer_->ProgressFactory = [this] { return MakePrintProgress(this); };
  AskPrint = [this](Dialogs::PrintRequest& request) { return device_.AskPrintDialog(request, this); };

  bar1_ = new QToolBar(this);
  bar1_->setObjectName(QStringLiteral("ToolBar1"));
  QAction* print = bar1_->addAction(QStringLiteral("#120#Drukuj dokument"));
  print->setObjectName(QStringLiteral("Drukuj"));
  QAction* options = bar1_->addAction(QStringLiteral("#9#Opcje wydruku..."));
  options->setObjectName(QStringLiteral("Opcje"));
  bar2_ = new QToolBar(this);
  bar2_->setObjectName(QStringLiteral("ToolBar2"));
  QAction* close = bar2_->addAction(QStringLiteral("#121#Zamknij podgląd"));
  close->setObjectName(QStringLiteral("Zamknij"));
  zoom_ = new QComboBox(bar2_);
  zoom_->setObjectName(QStringLiteral("Zoom"));
  zoom_->addItems({"20%", "40%", "60%", "80%", "100%", "150%", "200%", "300%", "400%"});
  bar2_->addWidget(zoom_);
  QAction* previous = bar2_->addAction(QStringLiteral("<"));
  previous->setObjectName(QStringLiteral("Poprzednia"));
  previous->setToolTip(QStringLiteral("#123#Poprzednia strona"));
  strona_ = new QToolButton(bar2_);
  strona_->setObjectName(QStringLiteral("Strona"));
  strona_->setText(QStringLiteral("#125#Strona"));
  strona_->setMinimumWidth(60);
  bar2_->addWidget(strona_);
  QAction* next = bar2_->addAction(QStringLiteral(">"));
  next->setObjectName(QStringLiteral("Nastepna"));
  next->setToolTip(QString::fromUtf8("#124#Następna strona"));
  // Paging from the keyboard too; plain Page Up and Page Down stay with the page view's scrolling.
  previous->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
  next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
  view_ = new PagePrinterView(*printer_, this);
  printer_->OnChange = [this] { view_->Rescroll(); };

  connect(print, &QAction::triggered, this, [this] { Run([this] { PrintPages(); }); });
  connect(options, &QAction::triggered, this, [this] { Run([this] { ChangeOptions(); }); });
  connect(close, &QAction::triggered, this, &QDialog::accept);
  connect(previous, &QAction::triggered, this, [this] { Run([this] { PreviousPage(); }); });
  connect(next, &QAction::triggered, this, [this] { Run([this] { NextPage(); }); });
  connect(strona_, &QToolButton::clicked, this, [this] { Run([this] { GoToPage(); }); });
  connect(zoom_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
    printer_->SetZoomPercent(static_cast<unsigned>(std::max(1, text.chopped(1).toInt())));
  });
  resize(800, 600);
  setWindowState(Qt::WindowMaximized);
}

TPrintPreview::~TPrintPreview() { printer_->OnChange = nullptr; }

void TPrintPreview::Run(const std::function<void()>& action) {
  // As the program's general error handler does: the message is shown and the preview keeps its pages.
  try {
    action();
  } catch (const std::exception& e) {
    dialogs_.Message(e.what());
  }
}

void TPrintPreview::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (built_) return;
  built_ = true;
  TranslateControl(this);
  // The hints carry their own ids; tool tips are not captions.
  for (QAction* a : bar2_->actions()) a->setToolTip(QString::fromStdString(LangCaption(a->toolTip().toStdString())));
  NameDocument(*printer_, path_);
  LayOut();
  Run([this] { BuildPages(false); });
}

void TPrintPreview::BuildPages(bool afterOptions) {
  {
    const SettingsStore store = OpenSettings(kPrinterKey);
    ApplyPrintSettings(*printer_, store, afterOptions ? PreviewRebuildDefaults(store) : PreviewDefaults(store));
  }
  printer_->RefreshLayout();
  if (!afterOptions) {
    const QSignalBlocker quiet(zoom_);
    zoom_->setCurrentText(QStringLiteral("60%"));
    printer_->SetZoomPercent(60);
  }
  BuildDocumentPages(*printer_, text_());
  UpdatePagePanel();
}

void TPrintPreview::UpdatePagePanel() {
  if (printer_->PageCount() > 0)
    strona_->setText(QStringLiteral("%1/%2").arg(printer_->PageNumber()).arg(printer_->PageCount()));
}

void TPrintPreview::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  LayOut();
}

void TPrintPreview::LayOut() {
  const int w = width();
  bar1_->setGeometry(0, 0, w, bar1_->sizeHint().height());
  bar2_->setGeometry(0, bar1_->height(), w, bar2_->sizeHint().height());
  const int top = bar2_->y() + bar2_->height() + 2;
  view_->setGeometry(2, top, std::max(0, w - 2 * 2 - 5), std::max(0, height() - top - 30));
}

void TPrintPreview::PreviousPage() {
  if (printer_->PageNumber() > 1) printer_->SetPageNumber(printer_->PageNumber() - 1);
  UpdatePagePanel();
}

void TPrintPreview::NextPage() {
  if (printer_->PageNumber() < printer_->PageCount()) printer_->SetPageNumber(printer_->PageNumber() + 1);
  UpdatePagePanel();
}

void TPrintPreview::GoToPage() {
  const int language = InterfaceLanguage();
  std::string prompt = LangText(127, language);
  if (const std::size_t at = prompt.find("%d"); at != std::string::npos)
    prompt.replace(at, 2, std::to_string(printer_->PageCount()));
  const std::optional<std::string> answer = dialogs_.Prompt(LangText(126, language), prompt, "");
  if (!answer) return;
  bool ok = false;
  int page = QString::fromStdString(*answer).trimmed().toInt(&ok);
  if (!ok) page = 1;
  if (page >= 1 && page <= printer_->PageCount()) {
    printer_->SetPageNumber(page);
    UpdatePagePanel();
  }
}

void TPrintPreview::PrintPages() {
  if (printer_->PageCount() == 0) return;
  PrintBuiltPages(*printer_, AskPrint);
}

void TPrintPreview::ChangeOptions() {
  TPrintOptions options(dialogs_, this);
  if (options.exec() != QDialog::Accepted) return;
  BuildPages(true);
}

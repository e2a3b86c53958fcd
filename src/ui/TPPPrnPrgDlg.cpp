#include "ui/TPPPrnPrgDlg.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Win1250Text.h"

TPPPrnPrgDlg::TPPPrnPrgDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PPPrnPrgDlg"));
  setWindowTitle(QStringLiteral("Print Progress"));
  // Shown without blocking the print loop, but the other windows take no input meanwhile: a second print
  // or a rebuild of the pages started from them would run inside this one.
  setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(this);
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::StyledPanel);
  auto* frameLayout = new QVBoxLayout(frame);
  status_ = new QLabel(frame);
  page_ = new QLabel(frame);
  status_->setAlignment(Qt::AlignCenter);
  page_->setAlignment(Qt::AlignCenter);
  frameLayout->addWidget(status_);
  frameLayout->addWidget(page_);
  layout->addWidget(frame);
  bar_ = new QProgressBar(this);
  layout->addWidget(bar_);
  cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
  cancel_->setDefault(true);
  layout->addWidget(cancel_, 0, Qt::AlignHCenter);
  connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
  setMinimumWidth(320);
}

void TPPPrnPrgDlg::reject() {
  // Esc is the Cancel button too; the window stays until the page printer closes it.
  cancelled_ = true;
}

void TPPPrnPrgDlg::Show(bool showCancel) {
  if (!showCancel) {
    cancel_->setEnabled(false);
    cancel_->hide();
    setFixedHeight(98 * logicalDpiY() / 96);
  }
  show();
}

void TPPPrnPrgDlg::Update(const std::string& caption, const std::string& status, const std::string& pageLabel,
                          int position, int maximum) {
  setWindowTitle(FromWin1250(caption));  // the job title is page text
  status_->setText(QString::fromStdString(status));
  page_->setText(QString::fromStdString(pageLabel));
  bar_->setMaximum(maximum);
  bar_->setValue(position);
}

bool TPPPrnPrgDlg::ProcessEvents() {
  QApplication::processEvents();
  return cancelled_;
}

#include "ui/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/ApplicationState.h"
#include "ui/QtColor.h"

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QWidget* QtDialogs::Parent() { return QApplication::activeWindow(); }

bool QtDialogs::AskYesNo(const std::string& text) {
  return QMessageBox::question(Parent(), ApplicationTitle(), Text(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

Dialogs::Answer QtDialogs::AskYesNoCancel(const std::string& text) {
  switch (QMessageBox::question(Parent(), ApplicationTitle(), Text(text),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
  }
}

void QtDialogs::Message(const std::string& text) {
  QMessageBox::information(Parent(), ApplicationTitle(), Text(text));
}

std::optional<std::string> QtDialogs::Prompt(const std::string& caption, const std::string& label,
                                             const std::string& initial) {
  bool ok = false;
  const QString value = QInputDialog::getText(Parent(), Text(caption), Text(label), QLineEdit::Normal, Text(initial), &ok);
  if (!ok) return std::nullopt;
  return value.toStdString();
}

QString QtDialogs::QtFilter(const std::string& filter) {
  const QStringList parts = Text(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    patterns.removeAll(QString());
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(' '));
  }
  return filters.join(QStringLiteral(";;"));
}

bool QtDialogs::RunFileDialog(FileRequest& request, bool save) {
  QFileDialog dialog(Parent(), Text(request.title), Text(request.initialDir), QtFilter(request.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The program asks about overwriting itself.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  const QStringList filters = dialog.nameFilters();
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
    dialog.selectNameFilter(filters[request.filterIndex - 1]);
  if (!request.fileName.empty()) dialog.selectFile(Text(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  request.fileName = dialog.selectedFiles().constFirst().toStdString();
  request.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  if (request.filterIndex < 1) request.filterIndex = 1;
  return true;
}

bool QtDialogs::OpenFile(FileRequest& request) { return RunFileDialog(request, false); }

bool QtDialogs::SaveFile(FileRequest& request) { return RunFileDialog(request, true); }

std::optional<TColor> QtDialogs::ChooseColor(TColor initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), Parent(), ApplicationTitle());
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

bool QtDialogs::Print(PrintRequest& request) {
  QPrinter printer;
  QPrintDialog dialog(&printer, Parent());
  dialog.setMinMax(1, request.maxPage);
  dialog.setFromTo(request.fromPage, request.toPage);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
  if (dialog.exec() != QDialog::Accepted) return false;
  request.allPages = printer.printRange() != QPrinter::PageRange;
  request.fromPage = printer.fromPage();
  request.toPage = printer.toPage();
  request.copies = printer.copyCount();
  request.collate = printer.collateCopies();
  return true;
}

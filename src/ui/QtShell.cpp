#include "ui/QtShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool QtShell::Open(const std::string& target) {
  if (target.empty()) return false;
  const QString t = QString::fromStdString(target);
  // A local file is named by its path; anything with a scheme (http:, mailto:) is an address.
  const QUrl url = QFileInfo::exists(t) ? QUrl::fromLocalFile(QFileInfo(t).absoluteFilePath()) : QUrl::fromUserInput(t);
  return url.isValid() && QDesktopServices::openUrl(url);
}

bool QtShell::StartInstance(const std::vector<std::string>& arguments) {
  QStringList args;
  for (const std::string& a : arguments) args << QString::fromStdString(a);
  return QProcess::startDetached(QCoreApplication::applicationFilePath(), args);
}

#include "ui/QtShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// How long xdg-open may take to say it found no program; one still running then has started one.
constexpr int kOpenerVerdictMs = 2000;

}  // namespace

bool QtShell::Open(const std::string& target) {
  if (target.empty()) return false;
  const QString t = QString::fromStdString(target);
  // A local file is named by its path; anything with a scheme (http:, mailto:) is an address.
  const QUrl url = QFileInfo::exists(t) ? QUrl::fromLocalFile(QFileInfo(t).absoluteFilePath()) : QUrl::fromUserInput(t);
  if (!url.isValid()) return false;
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) return QDesktopServices::openUrl(url);
  // QDesktopServices reports success as soon as xdg-open starts, even when xdg-open then finds no
  // browser or handler; its exit code tells the truth, and it exits at once in that case.
  auto* process = new QProcess(QCoreApplication::instance());
  QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
  process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  // A help topic is a local file with a fragment: only the whole address keeps the fragment.
  process->start(opener, {url.isLocalFile() && !url.hasFragment() ? url.toLocalFile() : url.toString()});
  if (!process->waitForStarted()) {
    process->deleteLater();
    return false;
  }
  if (!process->waitForFinished(kOpenerVerdictMs)) return true;
  return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

bool QtShell::StartInstance(const std::vector<std::string>& arguments) {
  QStringList args;
  for (const std::string& a : arguments) args << QString::fromStdString(a);
  return QProcess::startDetached(QCoreApplication::applicationFilePath(), args);
}

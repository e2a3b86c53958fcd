#include "ui/ApplicationState.h"

#include <QUrl>
#include <chrono>

#include "app/MainWindowLogic.h"

namespace {

QString& Title() {
  static QString title = QString::fromUtf8(AppStartTitle);
  return title;
}

std::optional<QString>& HelpFile() {
  static std::optional<QString> file;
  return file;
}

}  // namespace

QString ApplicationTitle() { return Title(); }

void SetApplicationTitle(const QString& title) { Title() = title; }

std::optional<QString> ApplicationHelpFile() { return HelpFile(); }

void SetApplicationHelpFile(const std::optional<QString>& path) { HelpFile() = path; }

QString HelpTopicUrl(const QString& topic) {
  if (!HelpFile()) return {};
  QUrl url = QUrl::fromLocalFile(*HelpFile());
  url.setFragment(topic);
  return url.toString();
}

std::mt19937& ProgramRandom() {
  static std::mt19937 generator;
  return generator;
}

void SeedProgramRandom() {
  ProgramRandom().seed(static_cast<std::mt19937::result_type>(
      std::chrono::system_clock::now().time_since_epoch().count()));
}

#pragma once
#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "settings/MainSettings.h"
#include "settings/SettingsStore.h"

// Answers the core's questions from a script and remembers every message.
class RecordingDialogs : public Dialogs {
public:
  std::vector<std::string> messages;
  bool yesNo = true;
  Answer yesNoCancel = Answer::No;

  bool AskYesNo(const std::string& text) override {
    messages.push_back(text);
    return yesNo;
  }
  Answer AskYesNoCancel(const std::string& text) override {
    messages.push_back(text);
    return yesNoCancel;
  }
  void Message(const std::string& text) override { messages.push_back(text); }
  std::optional<std::string> Prompt(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  bool OpenFile(FileRequest&) override { return false; }
  bool SaveFile(FileRequest&) override { return false; }
  std::optional<TColor> ChooseColor(TColor) override { return std::nullopt; }
  bool Print(PrintRequest&) override { return false; }
};

// Remembers what would have been opened or started.
class RecordingShell : public Shell {
public:
  std::vector<std::string> opened;
  std::vector<std::vector<std::string>> started;
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return true;
  }
  bool StartInstance(const std::vector<std::string>& arguments) override {
    started.push_back(arguments);
    return true;
  }
};

// The settings of one test: the INI files in a fresh folder named by QUILLPAD_CONFIG_DIR.
class TestSettings {
public:
  TestSettings() {
    qputenv("QUILLPAD_CONFIG_DIR", dir_.path().toLocal8Bit());
    SetSettingsBackendFactory(nullptr);  // reopens MainSettings in the new folder
  }
  ~TestSettings() { SetSettingsBackendFactory(nullptr); }
  SettingsStore& Store() { return MainSettings(); }
  QString Folder() const { return dir_.path(); }

private:
  QTemporaryDir dir_;
};

// Runs an action on the next modal dialog as soon as it shows (the test then starts what opens it), or
// with `every` on each new modal dialog while the watcher lives. Watches for about five seconds at
// most, and never beyond its own life, so a dialog that never comes fails the test instead of hanging.
class ModalWatcher {
public:
  explicit ModalWatcher(std::function<void(QWidget*)> action, bool every = false)
      : action_(std::move(action)), every_(every) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (++ticks_ > 500) timer_.stop();
      if (modal == nullptr || handled_.contains(modal)) return;
      handled_.append(modal);
      if (!every_) timer_.stop();
      // Acted on from a fresh event, so that a dialog the action opens in turn is still watched (a
      // timer does not fire again while its own handler runs).
      QTimer::singleShot(0, &timer_, [this, target = QPointer<QWidget>(modal)] {
        if (target) action_(target);
      });
    });
    timer_.start();
  }
  bool Fired() const { return !handled_.isEmpty(); }
  int Count() const { return static_cast<int>(handled_.size()); }

private:
  std::function<void(QWidget*)> action_;
  bool every_;
  QTimer timer_;
  int ticks_ = 0;
  QList<QPointer<QWidget>> handled_;
};

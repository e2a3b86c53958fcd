#pragma once
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/TQuillEditor.h"
#include "../fakes/ScopedLanguage.h"
#include "../fakes/ScriptedDialogs.h"
#include "../fakes/TestFiles.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "settings/MainSettings.h"
#include "settings/SettingsStore.h"
#include "ui/StartUp.h"
#include "ui/TMain.h"

// Remembers what would have been opened; starts nothing.
class RecordingShell : public Shell {
public:
  std::vector<std::string> opened;
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return true;
  }
  bool StartInstance(const std::vector<std::string>&) override { return true; }
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

// Runs an action on the next modal dialog as soon as it shows (the test then starts what opens it).
// Watches for about five seconds at most, and never beyond its own life, so a dialog that never comes
// fails the test instead of hanging.
class ModalWatcher {
public:
  explicit ModalWatcher(std::function<void(QWidget*)> action) : action_(std::move(action)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (++ticks_ > 500) timer_.stop();
      if (modal == nullptr || handled_.contains(modal)) return;
      handled_.append(modal);
      timer_.stop();
      // Acted on from a fresh event, so that a dialog the action opens in turn is still watched (a
      // timer does not fire again while its own handler runs).
      QTimer::singleShot(0, &timer_, [this, target = QPointer<QWidget>(modal)] {
        if (target) action_(target);
      });
    });
    timer_.start();
  }
  bool Fired() const { return !handled_.isEmpty(); }

private:
  std::function<void(QWidget*)> action_;
  QTimer timer_;
  int ticks_ = 0;
  QList<QPointer<QWidget>> handled_;
};

// The main window of one test in the interface language given, on its own settings, dialogs and shell,
// without the tip of the day.
struct TestWindow {
  ScopedLanguage keptLanguage{InterfaceLanguage()};  // the window sets the language; it is put back after it
  TestSettings settings;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  std::unique_ptr<TMain> main;

  explicit TestWindow(int language, std::vector<std::string> arguments = {}) {
    settings.Store().WriteInteger("Interface", "Language", language);
    settings.Store().WriteBool("Tips", "ShowTips", false);
    main = StartQuillpad(settings.Store(), dialogs, shell, std::move(arguments));
    main->Terminate = [] {};  // never ends the test program
  }
  void Show() {
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
  }
  QAction* Item(const QString& name) const { return main->findChild<QAction*>(name); }
  QString Panel(int i) const { return main->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i))->text(); }
  TQuillEditor& Editor() const { return *main->Editor(); }
};

// A key pressed and released on the widget, with the text it types.
inline void SendKey(QWidget& w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(&w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(&w, &release);
}

// Text typed one character a key, as an input method without key codes delivers it.
inline void TypeText(QWidget& w, const QString& text) {
  for (const QChar ch : text) SendKey(w, Qt::Key_unknown, Qt::NoModifier, QString(ch));
}

// One turn of the mouse wheel by `delta` eighths of a degree over the widget.
inline void Wheel(QWidget& w, int delta) {
  QWheelEvent event(QPointF(100, 100), w.mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&w, &event);
}

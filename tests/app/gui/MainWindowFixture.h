// The main window with file dialogs and message boxes answered by script, for the window tests
// of tests/app/gui.
#pragma once

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>

#include "analysis/PFResults.h"
#include "app/MeasurementTexts.h"
#include "app/Settings.h"
#include "app/gui/AppForm.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek::test {

// Long work disables the main window's parts as the window program's feedback does.
class WindowFeedback : public ScriptedFeedback {
 public:
  AppForm* Form = nullptr;
  void SetMainWindowEnabled(bool enabled) override {
    ScriptedFeedback::SetMainWindowEnabled(enabled);
    if (Form) Form->SetWorkEnabled(enabled);
  }
};

class MainWindow : public ::testing::Test {
 protected:
  MainWindow() {
    SetStartValues(session);
    FillResultColumnNames(session.Results);
    session.Shell.ProgramFolder = program.Path();
    for (const char* name : {"a.tmk", "b.tmk", "c.tmk"}) folder.Write(name, NativeMeasurement());
    form = std::make_unique<AppForm>(session, feedback, dialogs);
    feedback.Form = form.get();
    form->show();
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  void Trigger(const char* key) {
    QAction* action = form->Command(key);
    ASSERT_NE(action, nullptr) << key;
    action->trigger();
  }
  bool Enabled(const char* key) { return form->Command(key)->isEnabled(); }
  bool Checked(const char* key) { return form->Command(key)->isChecked(); }
  void Open(const std::string& name) {
    dialogs.OpenAnswers.push_back({folder.File(name)});
    Trigger("open");
  }
  // Opens a file and switches autosave on.
  void OpenAutosaving(const std::string& name) {
    Open(name);
    Trigger("autosave");
  }
  bool Exists(const std::string& name) { return std::filesystem::exists(folder.File(name)); }
  int FLResRows() { return static_cast<int>(Count(Slurp(folder.File("fl.res")), "\n")) - 1; }
  QList<QMdiSubWindow*> Children() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return form->MdiArea()->subWindowList();
  }

  TempFolder folder;
  TempFolder program;
  Session session;
  WindowFeedback feedback;
  ScriptedFileDialogs dialogs;
  std::unique_ptr<AppForm> form;
};

}  // namespace tolmek::test

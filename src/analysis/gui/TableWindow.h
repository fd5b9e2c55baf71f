// What the table windows share: the session and feedback they work on, a refresh whenever the
// window is shown or activated, menu commands that report errors instead of letting them reach
// the event loop, the window list menu and opening a result file in the desktop's editor.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "data/Session.h"
#include "ui/Feedback.h"

class QAction;
class QMenu;
class QTableWidget;

namespace tolmek {

// A rectangle of grid cells (0-based grid rows and columns), first to last inclusive.
struct GridSelection {
  int FirstRow = 0;
  int LastRow = 0;
  int FirstColumn = 0;
  int LastColumn = 0;
};

// The selected rectangle that holds the grid's current cell (the current cell alone when it lies
// outside the selection). Nothing when the grid has no current cell.
std::optional<GridSelection> SelectedCells(const QTableWidget& grid);

// Sets a cell's text, making the cell's item when it has none yet.
void SetCellText(QTableWidget& grid, int row, int column, const std::string& text,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// Selects the rectangle and makes its first cell the current one.
void SelectCells(QTableWidget& grid, const GridSelection& cells);

class TableWindow : public QWidget {
  Q_OBJECT

 public:
  // preferredSize: the size the window opens with.
  TableWindow(Session& session, Feedback& feedback, QSize preferredSize, QWidget* parent);

  QSize sizeHint() const override { return preferredSize_; }

 public slots:
  // Shows the session's present state.
  virtual void Refresh() = 0;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

  // Runs a command; an error is reported as a message and the window refreshed.
  void RunCommand(const std::function<void()>& command);
  // A menu command: an action in the menu, also reachable by its shortcut while the focus is in
  // this window (the menus may be shown in the main window's menu bar instead of here).
  QAction* AddCommand(QMenu* menu, const QString& caption, const QKeySequence& shortcut,
                      const std::function<void()>& command);
  // "&File": save (Ctrl+S) the result file of the given name in the data folder, open it in the
  // text editor, close the window (Ctrl+W).
  QMenu* MakeFileMenu(const QString& saveCaption, const QString& closeCaption,
                      const std::function<void()>& save, const char* resultFileName);
  // "&Window": the child windows of the main window, the active one checked.
  QMenu* MakeWindowMenu();
  // Closes the window, with its frame when it is a child of the main window.
  void CloseWindow();
  // Puts the text on the clipboard.
  static void CopyToClipboard(const std::string& text);
  // Opens the file with the desktop's default application; a missing file or no application
  // gives a message that names the file.
  void OpenInTextEditor(const std::string& path);

  Session& session_;
  Feedback& feedback_;

 private:
  QSize preferredSize_;
  bool activationHooked_ = false;
};

}  // namespace tolmek

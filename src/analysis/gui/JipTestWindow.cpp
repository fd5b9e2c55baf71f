#include "JipTestWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "analysis/JipTest.h"
#include "ui/CommandGuard.h"

namespace tolmek {

JipTestWindow::JipTestWindow(Session& session, Feedback& feedback, QWidget* parent)
    : QWidget(parent), session_(session), feedback_(feedback), Text1(new QPlainTextEdit(this)) {
  setWindowTitle("JIP-test");
  setObjectName("JipTestWindow");
  resize(300, 520);
  Text1->setObjectName("Text1");
  Text1->setReadOnly(true);
  // A value stays on the line of its name; a narrow window scrolls instead.
  Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text1->setTabStopDistance(8 * Text1->fontMetrics().horizontalAdvance(' '));
  auto* menuBar = new QMenuBar(this);
  QMenu* edit = menuBar->addMenu("&Edit");
  copyAction_ = edit->addAction("&Copy", this, &JipTestWindow::Copy);
  copyAction_->setShortcut(QKeySequence::Copy);
  copyAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(copyAction_);
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menuBar);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(Text1);
  Refresh();
}

QSize JipTestWindow::sizeHint() const {
  const QFontMetrics metrics = Text1->fontMetrics();
  const double tabStop = Text1->tabStopDistance();
  const QStringList lines = Text1->toPlainText().split('\n');
  double widest = 0;
  for (const QString& line : lines) {
    double x = 0;
    const QStringList pieces = line.split('\t');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
      x += metrics.horizontalAdvance(pieces[i]);
      if (i + 1 < pieces.size()) x = (std::floor(x / tabStop) + 1) * tabStop;
    }
    widest = std::max(widest, x);
  }
  // The editor's frame and document margins, a scroll bar's width to spare, and the menu bar.
  const int margins =
      2 * (Text1->frameWidth() + static_cast<int>(Text1->document()->documentMargin()) + 4);
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const QWidget* menus = layout()->menuBar();
  const int menuHeight = menus ? menus->sizeHint().height() : 0;
  // Two characters and two lines to spare: fonts and styles differ in what they add around the
  // text, and a window one pixel short would wrap a line or scroll.
  const int spareWidth = 2 * metrics.horizontalAdvance('0');
  return {static_cast<int>(std::ceil(widest)) + margins + scrollBar + spareWidth,
          static_cast<int>(lines.size() + 2) * metrics.lineSpacing() + margins + menuHeight};
}

void JipTestWindow::Refresh() {
  RunReportingFailure(feedback_, [this] {
    // The window lists the values it cannot compute at the end of its text.
    const std::string text = session_.Record.CurrentFilePath.empty()
                                 ? std::string()
                                 : JipTestText(ComputeJipTest(session_.Record));
    Text1->setPlainText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  });
}

void JipTestWindow::Copy() {
  QString text = Text1->textCursor().selectedText();
  if (text.isEmpty()) text = Text1->toPlainText();
  // The editor keeps lines apart by U+2029 in a selection and LF in its text.
  text.replace(QChar(0x2029), '\n');
  text.replace("\r\n", "\n");
  text.replace('\n', "\r\n");
  QApplication::clipboard()->setText(text);
}

void JipTestWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Refresh();
  QWidget::changeEvent(event);
}

void JipTestWindow::showEvent(QShowEvent* event) {
  Refresh();
  QWidget::showEvent(event);
}

}  // namespace tolmek

#include "ViewPFPeaksWindow.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "PFResults.h"

namespace tolmek {

ViewPFPeaks::ViewPFPeaks(Session& session, Feedback& feedback, QWidget* parent)
    : TableWindow(session, feedback, parent), Text1(new QPlainTextEdit(this)) {
  setWindowTitle("PF min/max");
  Text1->setObjectName("Text1");
  Text1->setReadOnly(true);
  Text1->setTabStopDistance(8 * Text1->fontMetrics().horizontalAdvance(' '));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(Text1);
  resize(260, 220);
}

void ViewPFPeaks::Refresh() {
  // The view shows lines, not the CR of the CR LF pairs the text is made of.
  Text1->setPlainText(QString::fromStdString(ViewPFPeaksText(session_.Record)).remove('\r'));
}

}  // namespace tolmek

#include "ViewPFPeaksWindow.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "analysis/PFResults.h"
#include "ui/gui/QtFeedback.h"

namespace tolmek {

ViewPFPeaks::ViewPFPeaks(Session& session, Feedback& feedback, QWidget* parent)
    : TableWindow(session, feedback, QSize(260, 220), parent), Text1(new QPlainTextEdit(this)) {
  setWindowTitle("PF min/max");
  Text1->setObjectName("Text1");
  Text1->setReadOnly(true);
  Text1->setTabStopDistance(8 * Text1->fontMetrics().horizontalAdvance(' '));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(Text1);
}

void ViewPFPeaks::Refresh() {
  Text1->setPlainText(ToQString(ViewPFPeaksText(session_.Record)));
}

}  // namespace tolmek

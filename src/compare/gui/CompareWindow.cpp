#include "CompareWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ShellCommands.h"
#include "chart/gui/FigureExport.h"
#include "chart/painting/QtSurface.h"
#include "compare/CompareTable.h"
#include "data/FileIO.h"
#include "ui/CommandGuard.h"
#include "ui/Progress.h"
#include "ui/gui/ChildWindowMenu.h"
#include "ui/gui/QtFeedback.h"

namespace tolmek {

namespace {

constexpr int kNameColumn = 0;
constexpr int kReferenceColumn = 1;
constexpr int kSwatchSize = 14;
const QColor kPointerColour(120, 120, 120);

QColor ToQColor(Colour colour) {
  return {colour.Red, colour.Green, colour.Blue};
}

// A square of the curve's colour, its middle line dashed for the dashed styles; an empty frame for
// a measurement that is not drawn.
QIcon Swatch(const std::optional<CurveStyle>& style) {
  QPixmap pixmap(kSwatchSize, kSwatchSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(QPen(QColor(90, 90, 90), 1));
  if (!style) {
    painter.drawRect(1, 1, kSwatchSize - 3, kSwatchSize - 3);
    return QIcon(pixmap);
  }
  if (style->Dashed) {
    painter.setPen(QPen(ToQColor(style->Pen), 3, Qt::DashLine));
    painter.drawLine(0, kSwatchSize / 2, kSwatchSize, kSwatchSize / 2);
  } else {
    painter.fillRect(1, 1, kSwatchSize - 2, kSwatchSize - 2, ToQColor(style->Pen));
  }
  return QIcon(pixmap);
}

// Paints a drawing onto the widget through the chart's surface.
template <typename Drawing>
void PaintOnto(QWidget& widget, const Drawing& draw) {
  QPainter painter(&widget);
  painter.fillRect(widget.rect(), Qt::white);
  QtSurface surface(painter, widget.width(), widget.height());
  draw(surface);
}

// Four significant digits: what a pointer position can tell.
QString NumberText(double value) {
  return QString::number(value, 'g', 4);
}

}  // namespace

// ---- the chart ----

CompareChartView::CompareChartView(QWidget* parent) : QWidget(parent) {
  setObjectName("CompareChart");
  setAccessibleName("Compared curves");
  setMouseTracking(true);
  setMinimumSize(320, 220);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CompareChartView::Show(std::vector<CompareCurve> curves, CompareChartOptions options) {
  curves_ = std::move(curves);
  options_ = std::move(options);
  update();
}

void CompareChartView::Draw(DrawingSurface& surface) const {
  DrawCompareChart(surface, curves_, options_);
}

void CompareChartView::paintEvent(QPaintEvent*) {
  PaintOnto(*this, [this](DrawingSurface& surface) {
    frame_ = DrawCompareChart(surface, curves_, options_);
  });
  if (!pointerX_ || !frame_.TimeAt(*pointerX_)) return;
  QPainter painter(this);
  painter.setPen(QPen(kPointerColour, 1, Qt::DotLine));
  painter.drawLine(QPointF(*pointerX_, frame_.Top), QPointF(*pointerX_, frame_.Bottom));
}

void CompareChartView::mouseMoveEvent(QMouseEvent* event) {
  pointerX_ = event->position().x();
  update();
  emit PointerTime(frame_.TimeAt(*pointerX_));
}

void CompareChartView::leaveEvent(QEvent*) {
  pointerX_.reset();
  update();
  emit PointerTime(std::nullopt);
}

// ---- the radar ----

RadarView::RadarView(QWidget* parent) : QWidget(parent) {
  setObjectName("CompareRadar");
  setAccessibleName("JIP-test radar");
  setMinimumSize(320, 220);
}

void RadarView::Show(RadarTable table, std::vector<CurveStyle> styles, std::string placeholder) {
  table_ = std::move(table);
  styles_ = std::move(styles);
  placeholder_ = std::move(placeholder);
  update();
}

void RadarView::Draw(DrawingSurface& surface) const {
  DrawRadar(surface, table_, styles_);
}

void RadarView::paintEvent(QPaintEvent*) {
  if (placeholder_.empty()) {
    PaintOnto(*this, [this](DrawingSurface& surface) { Draw(surface); });
    return;
  }
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                   QString::fromStdString(placeholder_));
}

// ---- the window ----

CompareWindow::CompareWindow(Session& session, Feedback& feedback, FileDialogs& dialogs,
                             QWidget* parent)
    : QWidget(parent),
      session_(session),
      feedback_(feedback),
      dialogs_(dialogs),
      folder_(session.Options.DataFolder) {
  setWindowTitle("Compare");
  setObjectName("CompareWindow");
  resize(1000, 620);
  BuildControls();
  BuildMenus();
  Rebuild();
  Refresh();
}

void CompareWindow::BuildMenus() {
  const auto command = [this](QMenu* menu, const QString& caption, const QKeySequence& keys,
                              void (CompareWindow::*slot)()) {
    QAction* action = menu->addAction(caption, this, slot);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    return action;
  };
  auto* file = new QMenu("&File", this);
  exportChart_ =
      command(file, "Export &Chart...", QKeySequence("Ctrl+E"), &CompareWindow::ExportChart);
  exportTable_ =
      command(file, "Export &Table...", QKeySequence("Ctrl+T"), &CompareWindow::ExportTable);
  file->addSeparator();
  command(file, "&Close", QKeySequence("Ctrl+W"), &CompareWindow::CloseWindow);
  auto* edit = new QMenu("&Edit", this);
  copy_ = command(edit, "&Copy", QKeySequence::Copy, &CompareWindow::Copy);
  menus_ = {file, edit, MakeChildWindowMenu(this)};
}

void CompareWindow::BuildControls() {
  list_ = new QTreeWidget(this);
  list_->setObjectName("CompareList");
  list_->setAccessibleName("Measurements");
  list_->setColumnCount(2);
  list_->setHeaderLabels({"Measurement", "Reference"});
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->header()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
  list_->header()->setSectionResizeMode(kReferenceColumn, QHeaderView::ResizeToContents);
  list_->header()->setStretchLastSection(false);
  connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (filling_ || column != kNameColumn) return;
    SetShown(static_cast<size_t>(list_->indexOfTopLevelItem(item)),
             item->checkState(kNameColumn) == Qt::Checked);
  });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
    SetReference(static_cast<size_t>(list_->indexOfTopLevelItem(item)));
  });

  const auto button = [this](const QString& caption, const char* name, auto slot) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
  };
  auto* addFiles = button("Add &Files...", "AddFiles", &CompareWindow::AddFilesClicked);
  auto* addFolder = button("Add F&older...", "AddFolder", &CompareWindow::AddFolderClicked);
  addLoaded_ = button("Add &Loaded", "AddLoaded", &CompareWindow::AddLoaded);
  remove_ = button("&Remove", "Remove", &CompareWindow::RemoveSelected);
  setReference_ = button("Set &Reference", "SetReference", &CompareWindow::ReferenceClicked);
  addLoaded_->setToolTip("Adds the measurement of the chart window; it follows its moved points");
  setReference_->setToolTip(
      "The differences and the radar are taken against the reference "
      "(double-click an entry does the same)");
  auto* buttons = new QGridLayout;
  buttons->addWidget(addFiles, 0, 0);
  buttons->addWidget(addFolder, 0, 1);
  buttons->addWidget(addLoaded_, 1, 0);
  buttons->addWidget(remove_, 1, 1);
  buttons->addWidget(setReference_, 2, 0, 1, 2);

  quantity_ = new QComboBox(this);
  quantity_->setObjectName("Quantity");
  quantity_->setAccessibleName("Quantity");
  for (Quantity q : kQuantities)
    quantity_->addItem(QString("%1 (%2)").arg(QuantityName(q), QuantityKey(q)),
                       static_cast<int>(q));
  quantity_->setCurrentIndex(static_cast<int>(
      std::find(kQuantities.begin(), kQuantities.end(), Quantity::OP) - kQuantities.begin()));
  auto* quantityLabel = new QLabel("&Quantity:", this);
  quantityLabel->setBuddy(quantity_);
  const auto checkBox = [this](const QString& caption, const char* name, bool checked) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(name);
    box->setChecked(checked);
    connect(box, &QCheckBox::toggled, this, &CompareWindow::Rebuild);
    return box;
  };
  difference_ = checkBox("&Differences from the reference", "Difference", false);
  groups_ = checkBox("&Groups of replicates", "Groups", false);
  logarithmic_ = checkBox("Lo&garithmic time", "Logarithmic", true);
  legend_ = checkBox("Lege&nd", "Legend", true);
  connect(quantity_, &QComboBox::currentIndexChanged, this, &CompareWindow::Rebuild);

  auto* side = new QVBoxLayout;
  side->addWidget(list_, 1);
  side->addLayout(buttons);
  side->addWidget(quantityLabel);
  side->addWidget(quantity_);
  for (QCheckBox* box : {difference_, groups_, logarithmic_, legend_}) side->addWidget(box);
  auto* sidePanel = new QWidget(this);
  sidePanel->setLayout(side);
  side->setContentsMargins(0, 0, 0, 0);

  chart_ = new CompareChartView(this);
  connect(chart_, &CompareChartView::PointerTime, this, &CompareWindow::ShowReadout);
  readout_ = new QLabel(this);
  readout_->setObjectName("Readout");
  readout_->setAccessibleName("Values at the pointer");
  readout_->setWordWrap(true);
  readout_->setTextFormat(Qt::RichText);
  readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* curvesPage = new QWidget(this);
  auto* curvesLayout = new QVBoxLayout(curvesPage);
  curvesLayout->setContentsMargins(0, 0, 0, 0);
  curvesLayout->addWidget(chart_, 1);
  curvesLayout->addWidget(readout_);
  radarView_ = new RadarView(this);
  // The parameters on the radar: the usual twelve first and ticked, then the rest of jip.res.
  parameters_ = new QListWidget(this);
  parameters_->setObjectName("RadarParameters");
  parameters_->setAccessibleName("Parameters on the radar");
  std::vector<JipParameter> order = DefaultRadarParameters();
  for (int p = 0; p < kJipParameterCount; ++p)
    if (std::find(order.begin(), order.end(), p) == order.end())
      order.push_back(static_cast<JipParameter>(p));
  for (JipParameter p : order) {
    auto* item = new QListWidgetItem(kJipNames[p], parameters_);
    item->setData(Qt::UserRole, static_cast<int>(p));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    const auto& usual = DefaultRadarParameters();
    item->setCheckState(std::find(usual.begin(), usual.end(), p) != usual.end() ? Qt::Checked
                                                                                : Qt::Unchecked);
  }
  parameters_->setMaximumWidth(130);
  connect(parameters_, &QListWidget::itemChanged, this, [this] {
    if (!filling_) Rebuild();
  });
  radarPage_ = new QWidget(this);
  auto* radarLayout = new QHBoxLayout(radarPage_);
  radarLayout->setContentsMargins(0, 0, 0, 0);
  radarLayout->addWidget(radarView_, 1);
  radarLayout->addWidget(parameters_);
  pages_ = new QTabWidget(this);
  pages_->setObjectName("ComparePages");
  pages_->addTab(curvesPage, "C&urves");
  pages_->addTab(radarPage_, "JIP-test R&adar");
  leftOut_ = new QLabel(this);
  leftOut_->setObjectName("LeftOut");
  leftOut_->setAccessibleName("Left out");
  leftOut_->setWordWrap(true);
  leftOut_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(sidePanel);
  splitter->addWidget(pages_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({280, 720});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(splitter, 1);
  layout->addWidget(leftOut_);
}

void CompareWindow::Refresh() {
  addLoaded_->setEnabled(IsLoaded(session_));
  bool followed = false;
  for (Entry& entry : entries_) {
    if (!entry.FollowsLoaded || !IsLoaded(session_) ||
        entry.Item.Path != session_.Record.CurrentFilePath)
      continue;
    entry.Item = MakeCompareItem(session_.Record, entry.Item.Path);
    followed = true;
  }
  if (followed) Rebuild();
}

void CompareWindow::AddFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  RunReportingFailure(feedback_, [&] {
    // File by file under the progress window, which Esc stops: what was read so far is kept.
    std::vector<CompareExclusion> excluded;
    {
      BusyScope busy(feedback_);
      feedback_.SetProgressText("Reading the measurements to compare...");
      bool cancelRequested = false;
      PercentProgress progress(feedback_, cancelRequested);
      for (size_t i = 0; i < paths.size(); ++i) {
        LoadedItems loaded = LoadCompareItems({paths[i]});
        for (CompareItem& item : loaded.Items) entries_.push_back({std::move(item), true, false});
        excluded.insert(excluded.end(), loaded.Excluded.begin(), loaded.Excluded.end());
        if (progress.Step(static_cast<double>(i + 1), static_cast<double>(paths.size()))) break;
      }
    }
    if (!reference_ && !entries_.empty()) reference_ = 0;
    folder_ = FolderOf(paths.front());
    Rebuild();
    if (!excluded.empty())
      feedback_.ShowMessage("These files could not be added:\n" + ExclusionsText(excluded),
                            MessageIcon::Exclamation);
  });
}

void CompareWindow::AddFilesClicked() {
  AddFiles(dialogs_.ChooseFilesToOpen(folder_));
}

void CompareWindow::AddFolderClicked() {
  const std::optional<std::string> folder = dialogs_.ChooseFolder("Add Folder", folder_);
  if (!folder) return;
  const std::vector<std::string> paths = MeasurementFilesOfFolder(*folder);
  if (paths.empty()) {
    feedback_.ShowMessage(*folder + " holds no measurement (*.tmk, *.dat, *.asc).",
                          MessageIcon::Information);
    return;
  }
  AddFiles(paths);
  folder_ = *folder;
}

void CompareWindow::AddLoaded() {
  if (!IsLoaded(session_)) return;
  const std::string& path = session_.Record.CurrentFilePath;
  RunReportingFailure(feedback_, [&] {
    entries_.push_back({MakeCompareItem(session_.Record, path), true, true});
    if (!reference_) reference_ = entries_.size() - 1;
    Rebuild();
  });
}

void CompareWindow::RemoveSelected() {
  std::vector<size_t> rows;
  for (QTreeWidgetItem* item : list_->selectedItems())
    rows.push_back(static_cast<size_t>(list_->indexOfTopLevelItem(item)));
  std::sort(rows.rbegin(), rows.rend());
  for (size_t row : rows) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(row));
    if (reference_ && *reference_ == row)
      reference_.reset();
    else if (reference_ && *reference_ > row)
      --*reference_;
  }
  Rebuild();
}

void CompareWindow::ReferenceClicked() {
  QTreeWidgetItem* item = list_->currentItem();
  if (item != nullptr) SetReference(static_cast<size_t>(list_->indexOfTopLevelItem(item)));
}

void CompareWindow::SetShown(size_t entry, bool shown) {
  if (entry >= entries_.size() || entries_[entry].Shown == shown) return;
  entries_[entry].Shown = shown;
  Rebuild();
}

void CompareWindow::SetReference(size_t entry) {
  if (entry >= entries_.size()) return;
  reference_ = entry;
  Rebuild();
}

std::vector<CurveStyle> CompareWindow::CurveStyles(
    const std::vector<std::vector<size_t>>& members) const {
  // A measurement keeps the colour of its place in the list whatever else is shown; a group takes
  // the colour of its place among the groups.
  std::vector<CurveStyle> styles;
  for (size_t c = 0; c < members.size(); ++c) {
    const bool single = !groups_->isChecked() && members[c].size() == 1;
    styles.push_back(CompareCurveStyle(single ? shownEntries_[members[c].front()] : c));
  }
  return styles;
}

void CompareWindow::Rebuild() {
  shownEntries_.clear();
  std::vector<CompareItem> items;
  std::optional<size_t> reference;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (!entries_[i].Shown) continue;
    if (reference_ && *reference_ == i) reference = items.size();
    shownEntries_.push_back(i);
    items.push_back(entries_[i].Item);
  }
  const auto quantity = static_cast<Quantity>(quantity_->currentData().toInt());
  const bool differences = difference_->isChecked();
  curves_ = BuildCompareCurves(items, {quantity, reference, differences, groups_->isChecked()});
  CompareChartOptions options;
  options.Logarithmic = logarithmic_->isChecked();
  options.ValueTitle = std::string(differences ? "\u0394" : "") + QuantityName(quantity);
  options.Legend = legend_->isChecked();
  options.Styles = CurveStyles(curves_.Members);
  const bool pf = quantity != Quantity::DF && quantity != Quantity::DFMax;
  if (pf && !items.empty()) options.Steps = StepMarks(items[reference.value_or(0)]);
  chart_->Show(curves_.Curves, options);

  entryStyles_.assign(entries_.size(), std::nullopt);
  for (size_t c = 0; c < curves_.Members.size(); ++c)
    for (size_t member : curves_.Members[c])
      entryStyles_[shownEntries_[member]] = options.Styles[c];

  radar_ = {};
  std::string placeholder;
  const std::vector<JipParameter> parameters = RadarParameters();
  if (!reference) {
    placeholder =
        "The radar shows each measurement's JIP-test parameters against the "
        "reference's: mark a shown measurement as the reference.";
  } else if (parameters.size() < 3) {
    placeholder = "Tick at least three parameters for the radar.";
  } else {
    radar_ = ComputeRadar(items, *reference, parameters, groups_->isChecked());
  }
  std::vector<std::vector<size_t>> rowMembers;
  for (const RadarRow& row : radar_.Rows) rowMembers.push_back(row.Members);
  radarView_->Show(radar_, CurveStyles(rowMembers), placeholder);
  FillList();
  const std::string leftOut = LeftOutText();
  leftOut_->setText(leftOut.empty() ? QString()
                                    : "Left out:\n" + QString::fromStdString(leftOut).trimmed());
  leftOut_->setVisible(!leftOut.empty());
  remove_->setEnabled(!entries_.empty());
  setReference_->setEnabled(!entries_.empty());
  ShowReadout(std::nullopt);
}

void CompareWindow::FillList() {
  filling_ = true;
  // The items are updated in place while their number stays: a tick in the list rebuilds the
  // comparison from inside the item's own signal, and the selection stays where it was.
  if (list_->topLevelItemCount() != static_cast<int>(entries_.size())) {
    list_->clear();
    for (size_t i = 0; i < entries_.size(); ++i) {
      auto* item = new QTreeWidgetItem(list_);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
  }
  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& entry = entries_[i];
    QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(i));
    item->setText(kNameColumn, QString::fromStdString(entry.Item.Label));
    item->setToolTip(kNameColumn, QString::fromStdString(entry.Item.Path));
    item->setCheckState(kNameColumn, entry.Shown ? Qt::Checked : Qt::Unchecked);
    item->setIcon(kNameColumn, Swatch(entryStyles_[i]));
    const bool isReference = reference_ && *reference_ == i;
    item->setText(kReferenceColumn, isReference ? "\u25c6 reference" : "");
    QFont font = item->font(kNameColumn);
    font.setBold(isReference);
    item->setFont(kNameColumn, font);
  }
  filling_ = false;
}

void CompareWindow::ShowReadout(std::optional<double> time) {
  if (!time) {
    readout_->setText(curves_.Curves.empty() ? "Add measurements to compare them."
                                             : "Point at the chart to read the curves' values.");
    return;
  }
  const std::vector<std::optional<double>> values = ValuesAt(curves_.Curves, *time);
  QString text = QString("t = %1 ms").arg(NumberText(*time));
  const std::vector<CurveStyle> styles = CurveStyles(curves_.Members);
  for (size_t c = 0; c < values.size(); ++c) {
    if (!values[c]) continue;
    text += QString("&nbsp;&nbsp; <span style=\"color:%1\">\u25a0</span>&nbsp;%2 %3")
                .arg(ToQColor(styles[c].Pen).name(),
                     QString::fromStdString(curves_.Curves[c].Label).toHtmlEscaped(),
                     NumberText(*values[c]));
  }
  readout_->setText(text);
}

std::string CompareWindow::TableText() const {
  if (RadarShown()) return RadarTableText(radar_);
  const auto quantity = static_cast<Quantity>(quantity_->currentData().toInt());
  return CompareTableText(curves_, CompareColumnName(curves_, quantity, difference_->isChecked()));
}

bool CompareWindow::RadarShown() const {
  return pages_->currentWidget() == radarPage_;
}

std::vector<JipParameter> CompareWindow::RadarParameters() const {
  std::vector<JipParameter> chosen;
  for (int row = 0; row < parameters_->count(); ++row) {
    const QListWidgetItem* item = parameters_->item(row);
    if (item->checkState() == Qt::Checked)
      chosen.push_back(static_cast<JipParameter>(item->data(Qt::UserRole).toInt()));
  }
  return chosen;
}

std::string CompareWindow::LeftOutText() const {
  std::vector<CompareExclusion> leftOut = curves_.Excluded;
  leftOut.insert(leftOut.end(), radar_.Excluded.begin(), radar_.Excluded.end());
  return ExclusionsText(leftOut);
}

void CompareWindow::ExportChart() {
  const bool radar = RadarShown();
  const QWidget* view = radar ? static_cast<QWidget*>(radarView_) : chart_;
  FigureDrawing draw;
  if (radar) {
    draw = [this](DrawingSurface& surface) { radarView_->Draw(surface); };
  } else {
    draw = [this](DrawingSurface& surface) { chart_->Draw(surface); };
  }
  RunReportingFailure(feedback_, [&] {
    const std::string proposed = JoinPath(folder_, radar ? "radar.png" : "compare.png");
    ExportFigure(this, feedback_, dialogs_, folder_, proposed, view->size(), draw);
  });
}

void CompareWindow::ExportTable() {
  const bool radar = RadarShown();
  RunReportingFailure(feedback_, [&] {
    const std::optional<std::string> path = dialogs_.ChooseExportFile(
        "Export Table", folder_, JoinPath(folder_, radar ? "radar.tsv" : "compare.tsv"),
        {"Tab-separated table (*.tsv)", "Text file (*.txt)"});
    if (path) WriteFileReplacing(*path, TableText());
  });
}

void CompareWindow::CloseWindow() {
  CloseChildWindow(this);
}

void CompareWindow::Copy() {
  QApplication::clipboard()->setText(QString::fromStdString(TableText()));
}

}  // namespace tolmek

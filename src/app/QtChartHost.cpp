// The main window's side of the chart window. The chart window is not part of the program yet:
// a load completes without drawing.
#include "AppForm.h"

using namespace tolmek;

void AppForm::ShowChart() {
  session_.Shell.ChartReady = 0;
  session_.Shell.ChartReady = 1;
}

void AppForm::RefreshChart() {}
void AppForm::FindInSpan(int) {}
void AppForm::ZoomChart(int) {}
void AppForm::OpenSetDialog() {}
void AppForm::OpenPatternDialog() {}

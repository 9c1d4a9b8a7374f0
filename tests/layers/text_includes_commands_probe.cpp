// A text-layer source that reaches up into the commands. The text library's
// include root does not hold app/, so this must not compile.
#include "app/MainForm.h"

int textLayerProbe() {
  return morvanta::MainForm::kPanes;
}

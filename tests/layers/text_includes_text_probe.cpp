// The same probe within the layer: this one must compile, so the failing
// probe fails for the include alone.
#include "text/TxtHdl.h"

int textLayerProbe() {
  return sizeof(morvanta::TxtHdl) > 0 ? 1 : 0;
}

// The catalogue may use the job writers below it.
#include "jobfiles/JobFiles.h"

int catalogueLayerProbe() {
  return sizeof(&morvanta::jobfiles::startJob);
}

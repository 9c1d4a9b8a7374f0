// The catalogue sits below the transfer commands: a catalogue source that
// reaches up for the bulk receive must not compile.
#include "transfer/BulkReceive.h"

int catalogueLayerProbe() {
  return sizeof(&morvanta::transfer::bulkReceive);
}

#include "transfer/PcNameCheck.h"

#include "app/MainForm.h"
#include "u2200/PcNameRule.h"

namespace morvanta::transfer {

bool acceptPcNames(MainForm& form, std::initializer_list<const std::u16string*> names) {
  for (const std::u16string* name : names) {
    if (naming::isSafePcName(*name)) continue;
    form.desktop.msgBox(kUnsafePcNameMessage + naming::visibleName(*name));
    return false;
  }
  return true;
}

}  // namespace morvanta::transfer

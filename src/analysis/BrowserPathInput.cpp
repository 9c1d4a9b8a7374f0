#include "analysis/BrowserPathInput.h"

#include <cstdint>

#include "app/MainForm.h"

namespace morvanta::analysis {

namespace {

// What the conversion returns: the file part for a pane's file box, file
// "." element for the typed receive box.
constexpr std::int16_t kFilePart = 1;
constexpr std::int16_t kFileAndElement = 0;

// Only a drive path or a file/http URL is converted; anything else, such as
// a 2200 name typed by hand, stays as it is. A path that does not have the
// expected shape empties the box.
void convertPath(const MainForm& form, forms::TextBox& box, std::int16_t part) {
  const std::u16string text = box.text();
  std::u16string separator;
  if (text.size() >= 3 && text.compare(1, 2, u":\\") == 0) {
    separator = u"\\";
  } else if (text.starts_with(u"file:///") || text.starts_with(u"http://")) {
    separator = u"/";
  } else {
    return;
  }
  box.setText(form.cls2200.htm_path_to_2200_file_elt(text, separator, part));
}

}  // namespace

void fileBoxLostFocus(MainForm& form, int i) {
  forms::TextBox& box = *form.Text_2200file[pane(i)];
  box.setSelStart(1);
  convertPath(form, box, kFilePart);
}

void fileEltBoxLostFocus(MainForm& form) {
  convertPath(form, *form.Text_file_elt, kFileAndElement);
}

}  // namespace morvanta::analysis

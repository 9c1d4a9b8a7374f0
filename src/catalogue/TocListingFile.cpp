// Reading a listing file into a pane: the file is read in pieces and the
// phased TOC written as it goes, so a listing of a million lines needs
// neither a buffer of its size nor one of its phased file's.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/MainForm.h"
#include "catalogue/TocListing.h"
#include "platform/Platform.h"

namespace morvanta::catalogue {

namespace {

// Bytes read at a time; a line longer than this makes the buffer grow.
constexpr std::size_t kReadPiece = std::size_t{1} << 20;

// The phased TOC, written piece by piece as the rows come. The first
// failure ends the writing and is kept; the old file stays until finish()
// puts the complete new one in place.
class PhasedTocWriter {
 public:
  explicit PhasedTocWriter(const std::u16string& path) : path_(path) {
    try {
      file_.emplace(path);
    } catch (const platform::FileError& e) {
      failure_ = e.what();
    }
  }

  // Takes the phased bytes the rows so far gave, and empties them.
  void write(ListingResult& result) {
    if (file_ && !result.unwritable.empty()) {
      failure_ = platform::toUtf8(path_) + ": " + result.unwritable;
      file_.reset();
    }
    if (file_) {
      try {
        file_->write(result.phased.view());
      } catch (const platform::FileError& e) {
        failure_ = e.what();
        file_.reset();
      }
    }
    result.phased.clear();
  }

  // "" when the file is in place, otherwise why it is not.
  std::string finish() {
    if (file_) {
      try {
        file_->commit();
      } catch (const platform::FileError& e) {
        failure_ = e.what();
      }
      file_.reset();
    }
    return failure_;
  }

 private:
  std::u16string path_;
  std::optional<platform::FileReplacement> file_;
  std::string failure_;
};

// Room for the whole listing, judged from its first rows and its size, so
// that the columns grow once and not step by step.
void reserveFor(ListingResult& result, std::size_t bytesRead, std::uintmax_t fileSize) {
  const std::size_t rows = std::max<std::size_t>(result.names.size(), 1);
  const double scale = 1.05 * static_cast<double>(fileSize) / static_cast<double>(bytesRead);
  const auto estimate = [scale](std::size_t count) {
    return static_cast<std::size_t>(static_cast<double>(count) * scale) + 16;
  };
  result.names.reserve(estimate(rows), estimate(result.names.characters()));
  if (!result.dates.empty())
    result.dates.reserve(estimate(rows), estimate(result.dates.characters()));
}

// Every line of the file through the parser, the phased bytes to `phased`
// after each piece.
void readListing(platform::FileReader& reader, const ListingLineParser& parser,
                 const std::u16string& filter, ListingResult& result, PhasedTocWriter& phased) {
  std::string buffer(kReadPiece, '\0');
  std::size_t held = 0;
  bool reserved = false;
  for (;;) {
    if (held == buffer.size()) buffer.resize(2 * buffer.size());
    const std::size_t count = reader.read(buffer.data() + held, buffer.size() - held);
    held += count;
    const bool end = count == 0;
    const std::string_view bytes(buffer.data(), held);
    // Whole lines, and at the end the last one, which may lack its line feed.
    const std::size_t feed = bytes.rfind('\n');
    const std::size_t whole = end ? held : feed == std::string_view::npos ? 0 : feed + 1;
    if (whole > 0) {
      parser.parseListing(bytes.substr(0, whole), filter, result);
      if (!reserved) {
        reserveFor(result, whole, reader.sizeWhenOpened());
        reserved = true;
      }
      phased.write(result);
      std::copy(buffer.data() + whole, buffer.data() + held, buffer.data());
      held -= whole;
    }
    if (end) return;
  }
}

}  // namespace

std::u16string parse_toc_listing(MainForm& form, const std::u16string& folder,
                                 const std::u16string& fileName, int i,
                                 const std::u16string& filter) {
  Module_pub& pub = form.pub;
  forms::ElementTable& rows = *form.elementTable[pane(i)];
  pub.listingQualFile.clear();
  pub.phasedTocPath = platform::joinPath(form.FOLDER_NAME(u"WK", u""), phasedTocName(i));

  const ListingLineParser parser(form.cls2200, form.mdirMode, form.desktop.now());
  ListingResult result;
  std::string phasedFailure;
  try {
    platform::FileReader reader(platform::joinPath(folder, fileName));
    PhasedTocWriter phased(pub.phasedTocPath);
    readListing(reader, parser, filter, result, phased);
    phasedFailure = phased.finish();
  } catch (const platform::FileError&) {
    rows.assign({}, {});
    // What the bulk receive reads must not outlive the listing it came from.
    platform::writeBinaryFile(pub.phasedTocPath, {});
    throw;
  }
  // Both lists change in one step.
  rows.assign(std::move(result.names), std::move(result.dates));

  if (parser.refusedRows() > 0) {
    form.desktop.msgBox(kUnsafeListingRowsMessage +
                        platform::fromUtf8(std::to_string(parser.refusedRows())));
  }
  if (!phasedFailure.empty()) {
    form.desktop.msgBox(kPhasedTocWriteFailedMessage + platform::fromUtf8(phasedFailure));
    // Better no phased lines than those of an earlier listing.
    try {
      platform::writeBinaryFile(pub.phasedTocPath, {});
    } catch (const platform::FileError&) {
    }
  }
  return u"";
}

}  // namespace morvanta::catalogue

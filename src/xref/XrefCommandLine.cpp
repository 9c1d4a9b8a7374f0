#include "xref/XrefCommandLine.h"

#include <cstddef>

#include "platform/Platform.h"

namespace morvanta::xref {

namespace {

constexpr char16_t kFuncStart[] = u"FUNC:[";
// The job writes the ideographic space right behind the INF value.
constexpr char16_t kInfStart[] = u"] INF:[";
constexpr char16_t kOutfStart[] = u"]\u3000 OUTF:[";
constexpr char16_t kProjectStart[] = u"] PROJECT:[";

const std::u16string kFuncs[] = {u"RUNSTREAM", u"MASM", u"COBOL", u"SKEL", u"PLUS", u"AUTO"};

std::string u8(const std::u16string& text) {
  return platform::toUtf8(text);
}

bool knownFunc(const std::u16string& func) {
  for (const auto& known : kFuncs) {
    if (func == known) return true;
  }
  return false;
}

std::u16string upperAscii(std::u16string text) {
  for (auto& c : text) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return text;
}

std::u16string trimBlanks(const std::u16string& text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// The value between `start` (at `from`) and the next `end`; `from` moves past the value.
std::u16string valueUpTo(const std::u16string& line, std::size_t& from, const std::u16string& end,
                         const char* what) {
  const std::size_t stop = line.find(end, from);
  if (stop == std::u16string::npos) {
    throw UsageError(std::string("the bulk-job line has no ") + what);
  }
  std::u16string value = line.substr(from, stop - from);
  from = stop + end.size();
  return value;
}

XrefRequest parseOptions(const std::vector<std::u16string>& args) {
  XrefRequest request;
  request.func = u"AUTO";
  auto valueOf = [&](std::size_t& n) -> std::u16string {
    if (n + 1 >= args.size() || args[n + 1].empty()) {
      throw UsageError(u8(args[n]) + " needs a value");
    }
    return args[++n];
  };
  bool optionsEnded = false;
  for (std::size_t n = 0; n < args.size(); ++n) {
    const std::u16string& arg = args[n];
    if (optionsEnded || arg.empty() || arg[0] != u'-') {
      if (arg.empty()) throw UsageError("an empty file name");
      request.inputs.push_back(arg);
    } else if (arg == u"--") {
      optionsEnded = true;
    } else if (arg == u"--help" || arg == u"-h") {
      request.action = Action::Help;
    } else if (arg == u"--version") {
      request.action = Action::Version;
    } else if (arg == u"--project") {
      request.project = valueOf(n);
    } else if (arg == u"--out") {
      request.outf = valueOf(n);
    } else if (arg == u"--func") {
      request.func = upperAscii(valueOf(n));
      if (!knownFunc(request.func)) throw UsageError("unknown --func " + u8(request.func));
    } else if (arg == u"--file") {
      request.file = upperAscii(trimBlanks(valueOf(n)));
      if (request.file.find(u'*') == std::u16string::npos) {
        throw UsageError("--file wants a 2200 file name QUAL*FILE, not " + u8(request.file));
      }
    } else if (arg == u"--folder") {
      request.folder = valueOf(n);
    } else {
      throw UsageError("unknown option " + u8(arg));
    }
  }
  if (request.action != Action::Build) return request;
  if (request.project.empty()) throw UsageError("--project is missing");
  if (request.outf.empty()) throw UsageError("--out is missing");
  if (request.inputs.empty()) throw UsageError("no element file given");
  return request;
}

}  // namespace

XrefRequest parseBulkLine(const std::u16string& text) {
  // Leading blanks (the two after the program name) are part of the form.
  std::u16string line = text;
  while (!line.empty() && line.front() == u' ') line.erase(0, 1);
  while (!line.empty() && (line.back() == u' ' || line.back() == u'\r' || line.back() == u'\n')) {
    line.pop_back();
  }
  const std::u16string funcStart = kFuncStart;
  if (!line.starts_with(funcStart))
    throw UsageError("the bulk-job line does not begin with FUNC:[");
  XrefRequest request;
  request.fromBulkJob = true;
  std::size_t at = funcStart.size();
  request.func = valueUpTo(line, at, kInfStart, "INF:[ after FUNC:[...]");
  const std::u16string inf = valueUpTo(line, at, kOutfStart, "OUTF:[ after INF:[...]\u3000");
  request.outf = valueUpTo(line, at, kProjectStart, "PROJECT:[ after OUTF:[...]");
  if (!line.ends_with(u']') || at > line.size() - 1) {
    throw UsageError("the bulk-job line does not end with PROJECT:[...]");
  }
  request.project = line.substr(at, line.size() - 1 - at);
  if (request.project.find(u']') != std::u16string::npos) {
    throw UsageError("text after PROJECT:[...] in the bulk-job line");
  }
  if (!knownFunc(request.func)) throw UsageError("unknown FUNC:[" + u8(request.func) + "]");
  if (trimBlanks(inf).empty()) throw UsageError("INF:[] names no element file");
  if (trimBlanks(request.project).empty()) throw UsageError("PROJECT:[] is empty");
  if (trimBlanks(request.outf).empty()) throw UsageError("OUTF:[] is empty");
  request.inputs.push_back(inf);
  return request;
}

XrefRequest parseXrefArguments(const std::vector<std::u16string>& args) {
  if (args.empty()) throw UsageError("no arguments");
  if (args.front().starts_with(kFuncStart)) {
    std::u16string line;
    for (const auto& arg : args) {
      if (!line.empty()) line += u' ';
      line += arg;
    }
    return parseBulkLine(line);
  }
  return parseOptions(args);
}

std::string usageText() {
  return "usage: morvanta-xref --project CODE --out DIR [--func "
         "RUNSTREAM|MASM|COBOL|SKEL|PLUS|AUTO]\n"
         "                     [--file QUAL*FILE] [--folder DIR] FILE...\n"
         "       morvanta-xref  FUNC:[RUNSTREAM] INF:[FOLDER/NAME.txt]\xE3\x80\x80 OUTF:[DIR] "
         "PROJECT:[CODE]\n"
         "       morvanta-xref --help | --version\n"
         "Writes a cross-reference page per element at DIR/<file>/<element>.htm and the\n"
         "project index DIR/index.htm. FILE names an element's PC copy (NAME.VER.txt);\n"
         "its 2200 file is --file, or the updatehtm.ini row of the project.\n";
}

}  // namespace morvanta::xref

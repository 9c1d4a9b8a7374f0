#include "cli/CliOptions.h"

#include <utility>

#include "platform/Platform.h"

namespace morvanta::cli {

namespace {

struct VerbName {
  const char16_t* name;
  Verb verb;
  std::size_t operands;
};

constexpr VerbName kVerbs[] = {{u"toc", Verb::Toc, 1},
                               {u"get", Verb::Get, 1},
                               {u"put", Verb::Put, 2},
                               {u"bulk", Verb::Bulk, 1}};

const VerbName* findVerb(const std::u16string& word) {
  for (const VerbName& each : kVerbs) {
    if (word == each.name) return &each;
  }
  return nullptr;
}

std::string u8(const std::u16string& text) {
  return platform::toUtf8(text);
}

// An option and the subcommand it belongs to (None: every subcommand).
struct Flag {
  const char16_t* name;
  Verb verb;
  bool CliOptions::*field;
};

constexpr Flag kFlags[] = {
    {u"--mls", Verb::Toc, &CliOptions::mls},          {u"--json", Verb::Toc, &CliOptions::json},
    {u"--dry-run", Verb::Bulk, &CliOptions::dryRun},  {u"--force", Verb::Put, &CliOptions::force},
    {u"--help", Verb::None, &CliOptions::help},       {u"-h", Verb::None, &CliOptions::help},
    {u"--version", Verb::None, &CliOptions::version},
};

struct Valued {
  const char16_t* name;
  Verb verb;
  std::optional<std::u16string> CliOptions::*field;
};

constexpr Valued kValued[] = {
    {u"--folder", Verb::None, &CliOptions::folder},
    {u"--host", Verb::None, &CliOptions::host},
    {u"--output", Verb::Get, &CliOptions::output},
    {u"-o", Verb::Get, &CliOptions::output},
};

const char* verbWord(Verb verb) {
  switch (verb) {
    case Verb::Toc:
      return "toc";
    case Verb::Get:
      return "get";
    case Verb::Put:
      return "put";
    case Verb::Bulk:
      return "bulk";
    case Verb::None:
      break;
  }
  return "";
}

class Parser {
 public:
  explicit Parser(const std::vector<std::u16string>& args) : args_(args) {}

  ParsedCommandLine run() {
    for (std::size_t i = 0; i < args_.size() && result_.error.empty(); ++i) {
      const std::u16string& arg = args_[i];
      if (!optionsEnded_ && arg == u"--") {
        optionsEnded_ = true;
      } else if (!optionsEnded_ && arg.size() > 1 && arg[0] == u'-') {
        option(arg, i);
      } else if (result_.options.verb == Verb::None && !optionsEnded_) {
        verb(arg);
      } else {
        result_.options.operands.push_back(arg);
      }
    }
    if (result_.error.empty()) checkUse();
    return std::move(result_);
  }

 private:
  void fail(std::string why) {
    if (result_.error.empty()) result_.error = std::move(why);
  }

  void verb(const std::u16string& word) {
    const VerbName* found = findVerb(word);
    if (found == nullptr) return fail("unknown command: " + u8(word));
    result_.options.verb = found->verb;
  }

  void option(const std::u16string& arg, std::size_t& i) {
    for (const Flag& flag : kFlags) {
      if (arg == flag.name) {
        used_.push_back({flag.name, flag.verb});
        result_.options.*flag.field = true;
        return;
      }
    }
    for (const Valued& valued : kValued) {
      const std::u16string name = valued.name;
      std::optional<std::u16string> value;
      if (arg == name) {
        if (i + 1 >= args_.size()) return fail(u8(name) + " needs a value");
        value = args_[++i];
      } else if (arg.starts_with(name + u"=")) {
        value = arg.substr(name.size() + 1);
      } else {
        continue;
      }
      if (value->empty()) return fail(u8(name) + " needs a value");
      used_.push_back({valued.name, valued.verb});
      result_.options.*valued.field = std::move(value);
      return;
    }
    fail("unknown option: " + u8(arg));
  }

  // Options of another subcommand and a wrong number of operands are
  // refused rather than ignored: a script that says --dry-run to the wrong
  // command must not run the real thing.
  void checkUse() {
    const CliOptions& options = result_.options;
    if (options.help || options.version) return;
    if (options.verb == Verb::None) return fail("no command given (toc, get, put or bulk)");
    for (const auto& [name, verb] : used_) {
      if (verb != Verb::None && verb != options.verb) {
        return fail(u8(name) + " is not an option of " + verbWord(options.verb));
      }
    }
    const VerbName* verb = nullptr;
    for (const VerbName& each : kVerbs) {
      if (each.verb == options.verb) verb = &each;
    }
    if (options.operands.size() != verb->operands) {
      fail(std::string(verbWord(options.verb)) + " takes " + std::to_string(verb->operands) +
           (verb->operands == 1 ? " argument" : " arguments") + ", got " +
           std::to_string(options.operands.size()));
    }
  }

  const std::vector<std::u16string>& args_;
  ParsedCommandLine result_;
  std::vector<std::pair<const char16_t*, Verb>> used_;
  bool optionsEnded_ = false;
};

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::u16string>& args) {
  return Parser(args).run();
}

std::string usageText() {
  return "usage: morvanta-cli [--folder DIR] COMMAND [OPTIONS] ARGUMENTS\n"
         "\n"
         "  toc  [--host NAME] [--mls] [--json] QUAL*FILE\n"
         "       list the elements of a program file with their dates (--mls: names only)\n"
         "  get  [--host NAME] [-o FILE] QUAL*FILE.ELT[/VER]\n"
         "       receive one element into FTPRCV (and copy it to FILE); prints the local path\n"
         "  put  [--host NAME] [--force] FILE QUAL*FILE.ELT[/VER]\n"
         "       send FILE as the element (needs FTP-SEND=YES); --force overrides the\n"
         "       conflict check of a send\n"
         "  bulk [--host NAME] [--dry-run] QUAL*FILE\n"
         "       receive every element newer on the host into the updatehtm.ini folder;\n"
         "       --dry-run lists each element, whether it would be received and why\n"
         "\n"
         "  --folder DIR   the folder of ini.ini, Morvanta.ini and updatehtm.ini\n"
         "                 (else MORVANTA_FOLDER, else the program's folder)\n"
         "  --host NAME    a HOST of Morvanta.ini (else the first one)\n"
         "  --help, --version\n"
         "\n"
         "exit status: 0 done, 1 the exchange failed, 2 the command was refused\n";
}

}  // namespace morvanta::cli

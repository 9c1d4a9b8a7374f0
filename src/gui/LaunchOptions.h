#pragma once
// The command line of the window program, apart from "--folder" (which
// app/ProgramFolder.h reads). Kept free of Qt so it is tested on its own.

#include <string>
#include <vector>

namespace morvanta::gui {

inline constexpr char kUsage[] =
    "usage: morvanta [--folder DIR] [--toc QUAL*FILE] [--screenshot FILE.png]\n"
    "       morvanta --help | --version\n"
    "  --folder DIR          the program folder (default: MORVANTA_FOLDER, else the\n"
    "                        executable's folder)\n"
    "  --toc QUAL*FILE       after loading, fetch the TOC of QUAL*FILE in pane 0 with\n"
    "                        the first host, and wait until its job has ended\n"
    "  --screenshot FILE.png then save the window as a picture and quit; messages go\n"
    "                        to standard output and questions are answered Cancel\n"
    "Exit status: 0 when the window closed normally, 2 for a usage error.\n";

// What --help adds to the usage: where the files live and what the
// configuration holds.
inline constexpr char kHelp[] =
    "\n"
    "Files (in the program folder unless said otherwise):\n"
    "  ini.ini        optional; its first line names another folder that then holds\n"
    "                 Morvanta.ini and the work folders\n"
    "  Morvanta.ini   the configuration; written as a template on the first start;\n"
    "                 read once at start, so a change counts from the next start\n"
    "  updatehtm.ini  the bulk-receive table (HTM-AUTO-MAKE,qual*file,RUNSTREAM,\n"
    "                 project,PC folder,output folder or NONE)\n"
    "  FTPWK, FTPRCV  work folders beside Morvanta.ini: job files and listings,\n"
    "                 received elements (one subfolder per 2200 file)\n"
    "Both files may be saved as Shift_JIS (CP932) or UTF-8. Relative paths in them\n"
    "are taken from the program folder.\n"
    "\n"
    "Configuration keys (KEY=value; a line starting with \".\" is a comment, a line\n"
    "starting with \"@\" ends the file):\n"
    "  HOST=name,address        a host for the host boxes; up to 10 lines\n"
    "  FTP-USERID=user          the FTP login\n"
    "  FTP-PASSWORD=password\n"
    "  TEXT-EDITOR=program      opens received elements (template: the system's\n"
    "                           default opener)\n"
    "  FTP-SEND=YES             shows the send frames\n"
    "  FTP-SEND-WORK-FILE=q*f   sends go to this 2200 file instead of the pane's\n"
    "  UNISYS-SJIS-PATH=folder  folder prefix of the two converters\n"
    "  UNISYS-SJIS-EXE=program  converts received elements to Shift_JIS\n"
    "  SJIS-UNISYS-EXE=program  converts elements to the host's code before a send\n"
    "  COBPLUSEDIT-PATH=program the tool the bulk receive hands each element to\n"
    "  DEBUG=FTP                shows pane 0's drop list\n";

struct LaunchOptions {
  std::u16string tocFile;
  std::u16string screenshot;
  bool help = false;

  // A screenshot run has nobody at the screen.
  bool unattended() const { return !screenshot.empty(); }
};

// `args` without the program name. "--name VALUE" and "--name=VALUE" are
// both understood. An unknown option, a stray word or an option without its
// value is std::invalid_argument naming it.
LaunchOptions parseLaunchOptions(const std::vector<std::u16string>& args);

}  // namespace morvanta::gui

#!/usr/bin/python3
"""A small FTP server that answers like the 2200's FTP server.

Folder layout under --root (Windows-safe, so sample trees can live in git):

    ROOT/QUAL/FILE/ELT.VER_TYPE     one file per element, e.g.
    ROOT/PRJ/SRC/MAIN.R1_SYM        element MAIN, version R1, symbolic, of PRJ*SRC
    ROOT/PRJ/SRC/LIB._REL           element LIB without version, relocatable

Names a client sends:

    QUAL*FILE                   the program file (LIST, NLST)
    QUAL*FILE.ELT[/VER]         a symbolic element (RETR, STOR, LIST, NLST)
    QUAL*FILE.ELT.VER_TYPE      an element in the server's own naming

Names are folded to upper case, as the 2200 does. LIST gives one line of
eight blank-separated fields per element: four fields (mode, links,
qualifier, size), month, day, "hh:mm" (within six months) or the year, and
the element's name ELT.VER_TYPE. Times are the element files' modification
times in local time. NLST gives the bare names.

The server listens on 127.0.0.1 only, on a free port unless --port is given
(passive data connections on PASSIVE_PORTS),
prints "PORT n" on its standard output once it accepts connections (and
writes n to --port-file when asked), and ends by itself after --lifetime
seconds, or as soon as its standard input closes with --exit-on-stdin-eof.

A program file's folder may hold a file ".listing-extra": each of its lines
(Python string escapes allowed, e.g. "A\\tB._SYM", "A\\x00B") is listed by
LIST and NLST as one more element name, verbatim, with the folder's time and
size 0. Such names stand for a hostile host's listing; fetching one finds
nothing.

Hostile hosts for the runner's tests: --ascii-size answers SIZE in text mode
(counting the CR each LF gets on the way); --cut-after N ends every RETR
after N bytes and still reports success (226); --drop-after N drops the
whole connection after N bytes of a RETR; --trickle S sends a RETR one byte
every S seconds; --slow-listing S spreads the data of every LIST and NLST
over S seconds, line by line, after the transfer's opening reply (a long
listing over a slow link).

--seed DIR copies a tree of that layout into --root first. When DIR holds a
file "ages.txt", each of its lines "QUAL/FILE/ELT.VER_TYPE AGE" (AGE such as
"3h", "2d" or "400d") sets that element's modification time to that long
before now, so listings show both the time and the year forms.
"""

import argparse
import logging
import os
import re
import shutil
import signal
import stat
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

TYPES = ("SYM", "ABS", "REL", "OMN")
MONTHS = ("Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec")
SIX_MONTHS = 180 * 24 * 60 * 60
# A 2200 name part: letters, digits, "-" and "$".
NAME_PART = re.compile(r"^[A-Z0-9$-]{1,12}$")
FTP_ELEMENT = re.compile(r"^([A-Z0-9$-]{1,12})\.([A-Z0-9$-]{0,12})_(SYM|ABS|REL|OMN)$")
MISSING = "?missing?"  # never a valid name part, so never a real file
EXTRA_NAMES = ".listing-extra"
PASSIVE_PORTS = (20000, 21000)  # below the usual ephemeral ports (32768-60999)


def extra_names(folder):
    """The extra listed names of a program file's folder (see above)."""
    path = os.path.join(folder, EXTRA_NAMES)
    if not os.path.isfile(path):
        return []
    with open(path, encoding="ascii") as f:
        lines = [line.rstrip("\r\n") for line in f]
    return [line.encode("ascii").decode("unicode_escape")
            for line in lines if line and not line.startswith("#")]


def element_file_name(element):
    """ELT[/VER] or ELT.VER_TYPE -> ELT.VER_TYPE, or None when malformed."""
    if FTP_ELEMENT.match(element):
        return element
    elt, _, ver = element.partition("/")
    if not NAME_PART.match(elt) or (ver and not NAME_PART.match(ver)):
        return None
    return "%s.%s_SYM" % (elt, ver)


class HostileFile(object):
    """An element file as a hostile host sends it: cut short, or trickling."""

    def __init__(self, f, limit=None, on_limit=None, trickle=0.0):
        self._f = f
        self._limit = limit
        self._on_limit = on_limit
        self._trickle = trickle
        self._sent = 0

    def read(self, n=-1):
        if self._trickle:
            time.sleep(self._trickle)
            n = 1
        if self._limit is not None:
            left = self._limit - self._sent
            if left <= 0:
                if self._on_limit:
                    self._on_limit()
                    self._on_limit = None
                return b""
            n = left if n is None or n < 0 else min(n, left)
        data = self._f.read(n)
        self._sent += len(data)
        return data

    def __getattr__(self, name):
        return getattr(self._f, name)


class HostFS(AbstractedFS):
    """Maps 2200 names onto the folder layout; the stock handlers do the rest."""

    cut_after = None
    drop_after = None
    trickle = 0.0

    def open(self, filename, mode):
        f = AbstractedFS.open(self, filename, mode)
        if "r" not in mode:
            return f
        if self.cut_after is not None:
            return HostileFile(f, limit=self.cut_after)
        if self.drop_after is not None:
            channel = self.cmd_channel
            return HostileFile(f, limit=self.drop_after, on_limit=channel.close)
        if self.trickle:
            return HostileFile(f, trickle=self.trickle)
        return f

    def ftp2fs(self, ftppath):
        name = ftppath.strip().lstrip("/").upper()
        if name == "":
            return self.root
        qualfile, dot, element = name.partition(".")
        qual, star, file = qualfile.partition("*")
        if not star or not NAME_PART.match(qual) or not NAME_PART.match(file):
            return os.path.join(self.root, MISSING)
        folder = os.path.join(self.root, qual, file)
        if not dot:
            return folder
        leaf = element_file_name(element)
        return os.path.join(folder, leaf if leaf else MISSING)

    def fs2ftp(self, fspath):
        rel = os.path.relpath(fspath, self.root)
        parts = [] if rel == "." else rel.split(os.sep)
        if len(parts) < 2 or ".." in parts:
            return "/"
        name = "%s*%s" % (parts[0], parts[1])
        if len(parts) >= 3:
            m = FTP_ELEMENT.match(parts[2])
            if m and m.group(3) == "SYM":
                name += "." + m.group(1) + ("/" + m.group(2) if m.group(2) else "")
            else:
                name += "." + parts[2]
        return "/" + name

    def listdir(self, path):
        rel = os.path.relpath(path, self.root)
        if rel == ".":
            # The root lists the program files as QUAL*FILE.
            names = []
            for qual in sorted(os.listdir(path)):
                qpath = os.path.join(path, qual)
                if os.path.isdir(qpath) and not qual.startswith("."):
                    names += ["%s*%s" % (qual, f) for f in sorted(os.listdir(qpath))
                              if os.path.isdir(os.path.join(qpath, f))]
            return names
        return [n for n in os.listdir(path)
                if not n.startswith(".") and os.path.isfile(os.path.join(path, n))] \
            + extra_names(path)

    def format_list(self, basedir, listing, ignore_err=True):
        now = time.time()
        at_root = os.path.relpath(basedir, self.root) == "."
        extras = set() if at_root else set(extra_names(basedir))
        for basename in listing:
            # At the root the names are program files, QUAL*FILE.
            path = self.ftp2fs(basename) if at_root else os.path.join(basedir, basename)
            if basename in extras:
                path = basedir
            qual = os.path.relpath(path, self.root).split(os.sep)[0]
            try:
                st = os.stat(path)
            except OSError:
                if ignore_err:
                    continue
                raise
            t = time.localtime(st.st_mtime)
            if 0 <= now - st.st_mtime <= SIX_MONTHS:
                when = "%s %2d %02d:%02d" % (MONTHS[t.tm_mon - 1], t.tm_mday, t.tm_hour, t.tm_min)
            else:
                when = "%s %2d  %d" % (MONTHS[t.tm_mon - 1], t.tm_mday, t.tm_year)
            mode = "drwxrwxr-x" if stat.S_ISDIR(st.st_mode) else "-rw-rw-r--"
            size = 0 if basename in extras else st.st_size
            if basename in extras:
                mode = "-rw-rw-r--"
            line = "%s %3d %-8s %8d %s %s\r\n" % (mode, 1, qual, size, when, basename)
            yield line.encode("utf8", "replace")


class SlowListing(object):
    """A listing handed out one line at a time, the whole over `seconds`.

    The server has one thread, so each wait holds it up; a test host serves
    one client at a time anyway."""

    def __init__(self, data, seconds):
        self._lines = data.splitlines(True) or [b""]
        self._pause = seconds / len(self._lines)

    def more(self):
        if not self._lines:
            return b""
        time.sleep(self._pause)
        line = self._lines.pop(0)
        # An empty listing still ends only when its time is up.
        return line if line else self.more()


def drain(producer):
    data = []
    while True:
        chunk = producer.more()
        if not chunk:
            return b"".join(data)
        data.append(chunk)


class HostHandler(FTPHandler):
    ascii_size = False
    slow_listing = 0.0

    def push_dtp_data(self, data, isproducer=False, file=None, cmd=None):
        """With --slow-listing, LIST and NLST data come slowly."""
        if self.slow_listing and cmd in ("LIST", "NLST"):
            whole = drain(data) if isproducer else data
            data, isproducer = SlowListing(whole, self.slow_listing), True
        return FTPHandler.push_dtp_data(self, data, isproducer, file, cmd)

    def ftp_SIZE(self, path):
        """With --ascii-size, SIZE in text mode is the size as sent."""
        if not (self.ascii_size and self._current_type == 'a' and os.path.isfile(path)):
            return FTPHandler.ftp_SIZE(self, path)
        with open(path, "rb") as f:
            data = f.read()
        self.respond("213 %d" % (len(data) + data.count(b"\n") - data.count(b"\r\n")))


def parse_age(text):
    m = re.match(r"^(\d+)([smhd])$", text)
    if not m:
        raise ValueError("bad age %r" % text)
    return int(m.group(1)) * {"s": 1, "m": 60, "h": 3600, "d": 86400}[m.group(2)]


def seed(source, root):
    for entry in os.listdir(source):
        src = os.path.join(source, entry)
        if os.path.isdir(src):
            shutil.copytree(src, os.path.join(root, entry), dirs_exist_ok=True)
    ages = os.path.join(source, "ages.txt")
    if os.path.isfile(ages):
        now = time.time()
        with open(ages, encoding="ascii") as f:
            for line in f:
                fields = line.split()
                if len(fields) != 2 or fields[0].startswith("#"):
                    continue
                target = os.path.join(root, *fields[0].split("/"))
                if os.path.isfile(target):
                    when = now - parse_age(fields[1])
                    os.utime(target, (when, when))


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--root", required=True, help="folder of program files")
    ap.add_argument("--seed", help="copy this sample tree into --root first")
    ap.add_argument("--user", default="user")
    ap.add_argument("--password", default="password")
    ap.add_argument("--port", type=int, default=0, help="0: any free port")
    ap.add_argument("--port-file", help="also write the port number here")
    ap.add_argument("--lifetime", type=float, default=300.0, help="seconds until the server ends")
    ap.add_argument("--auth-failed-delay", type=float, default=3.0,
                    help="seconds before a refused login is answered")
    ap.add_argument("--exit-on-stdin-eof", action="store_true",
                    help="end when standard input closes (the starting process ended)")
    ap.add_argument("--log", help="log file (default: standard error)")
    ap.add_argument("--verbose", action="store_true", help="log every command received")
    ap.add_argument("--ascii-size", action="store_true", help="answer SIZE in text mode too")
    ap.add_argument("--cut-after", type=int, help="end each RETR after N bytes, reporting 226")
    ap.add_argument("--drop-after", type=int, help="drop the connection after N bytes of a RETR")
    ap.add_argument("--trickle", type=float, default=0.0,
                    help="send RETR data one byte every this many seconds")
    ap.add_argument("--slow-listing", type=float, default=0.0,
                    help="spread each LIST and NLST over this many seconds")
    args = ap.parse_args()

    root = os.path.realpath(args.root)
    os.makedirs(root, exist_ok=True)
    if args.seed:
        seed(args.seed, root)

    logging.basicConfig(filename=args.log, level=logging.DEBUG if args.verbose else logging.INFO,
                        format="%(asctime)s %(message)s")

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, root, perm="elrw")
    fs = type("HostileFS", (HostFS,), {"cut_after": args.cut_after,
                                       "drop_after": args.drop_after, "trickle": args.trickle})
    handler = type("HostHandler", (HostHandler,), {"ascii_size": args.ascii_size,
                                               "slow_listing": args.slow_listing})
    handler.authorizer = authorizer
    handler.abstracted_fs = fs
    handler.use_gmt_times = False
    handler.use_sendfile = False
    handler.banner = "2200 FTP server simulation ready."
    handler.auth_failed_timeout = args.auth_failed_delay
    handler.timeout = max(30, int(args.lifetime))
    # Passive ports from a range of their own, bound with SO_REUSEADDR. Left
    # to the kernel (port 0), each passive port is sought among the TIME_WAIT
    # sockets that earlier data connections left on this side (the host
    # closes first): after some thousands of transfers an EPSV costs
    # milliseconds of system time, and a run of tests or a benchmark slows
    # down tenfold. A port that is taken makes pyftpdlib try another.
    handler.passive_ports = range(PASSIVE_PORTS[0], PASSIVE_PORTS[1])

    server = FTPServer(("127.0.0.1", args.port), handler)
    port = server.address[1]
    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w", encoding="ascii") as f:
            f.write("%d\n" % port)
        os.replace(tmp, args.port_file)
    print("PORT %d" % port, flush=True)

    # Bounded life: SIGALRM ends the serving loop, which closes every socket.
    def expire(signum, frame):
        raise SystemExit(0)

    signal.signal(signal.SIGALRM, expire)
    signal.setitimer(signal.ITIMER_REAL, max(0.1, args.lifetime))
    if args.exit_on_stdin_eof:
        def watch():
            while sys.stdin.buffer.read(4096):
                pass
            os._exit(0)

        threading.Thread(target=watch, daemon=True).start()
    server.serve_forever(timeout=0.5)


if __name__ == "__main__":
    main()

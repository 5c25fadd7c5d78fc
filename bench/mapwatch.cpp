// Times a program's windows from outside it, as the X server sees them.
//
//   mapwatch [-t TIMEOUT_MS] [-c X,Y] [-q] FIRST_TITLE [SECOND_TITLE] -- PROGRAM [ARGS...]
//
// Starts PROGRAM and reports, in microseconds on the monotonic clock:
//   map    exec to the first map of a top-level window titled FIRST_TITLE
//   paint  exec to that window's first drawing (a Damage report after its map)
// With SECOND_TITLE it then clicks at X,Y inside the first window (XTest) once the first window
// has drawn itself, and reports
//   click_map    the press to the map of a window titled SECOND_TITLE
//   click_paint  the press to that window's first drawing
// and finally ends the program and reports its peak resident set (maxrss_kb, from wait4): with -q
// by typing Ctrl+Q and reporting its exit status (exit), otherwise with SIGTERM.
// Every wait is on an X event and bounded by the timeout; exit status 1 if one runs out.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

int64_t NowUs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t{ts.tv_sec} * 1000000 + ts.tv_nsec / 1000;
}

// The window's title: the UTF-8 name if set, the legacy one otherwise, whatever its encoding.
std::string Title(Display* d, Window w) {
  const Atom names[] = {XInternAtom(d, "_NET_WM_NAME", False), XA_WM_NAME};
  for (Atom name : names) {
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, name, 0, 1024, False, AnyPropertyType, &type, &format, &n, &after, &data) ==
            Success &&
        data) {
      std::string s(reinterpret_cast<char*>(data), format == 8 ? n : 0);
      XFree(data);
      if (!s.empty()) return s;
    }
  }
  return {};
}

struct Watch {
  Display* d = nullptr;
  int damageEvent = 0;
  pid_t child = -1;
  bool exited = false;  // the program has ended; status and usage hold what wait4 said
  int status = 0;
  rusage usage{};
  int64_t deadline = 0;
  std::map<Window, Damage> damages;  // every top-level window created since the start
  std::map<Window, bool> mapped;

  // Collects the program's end once it has come; with flags 0, waits for it.
  bool Reap(int flags) {
    if (!exited && child > 0 && wait4(child, &status, flags, &usage) == child) exited = true;
    return exited;
  }

  // Damage must be asked for before a window can draw, so each new top-level gets it at creation.
  void Track(Window w) {
    if (!damages.count(w)) damages[w] = XDamageCreate(d, w, XDamageReportRawRectangles);
  }

  // Waits for the next X event; false once the deadline passes or the program is gone.
  bool Next(XEvent& e) {
    while (!XPending(d)) {
      int64_t left = deadline - NowUs();
      if (left <= 0) return false;
      if (Reap(WNOHANG)) return false;
      pollfd p{ConnectionNumber(d), POLLIN, 0};
      poll(&p, 1, static_cast<int>(std::min<int64_t>(left / 1000 + 1, 50)));
    }
    XNextEvent(d, &e);
    if (e.type == CreateNotify && e.xcreatewindow.parent == DefaultRootWindow(d)) Track(e.xcreatewindow.window);
    if (e.type == DestroyNotify) {
      damages.erase(e.xdestroywindow.window);  // the server frees the damage with its drawable
      mapped.erase(e.xdestroywindow.window);
    }
    if (e.type == UnmapNotify) mapped[e.xunmap.window] = false;
    return true;
  }

  // Waits for a top-level window with this title to be mapped.
  Window AwaitMap(const std::string& title) {
    XEvent e;
    while (Next(e)) {
      if (e.type != MapNotify || e.xmap.event != DefaultRootWindow(d)) continue;
      mapped[e.xmap.window] = true;
      if (Title(d, e.xmap.window) == title) return e.xmap.window;
    }
    return None;
  }

  // Waits for the first drawing into w after it was mapped.
  bool AwaitPaint(Window w) {
    XEvent e;
    while (Next(e)) {
      if (e.type != damageEvent + XDamageNotify) continue;
      auto* de = reinterpret_cast<XDamageNotifyEvent*>(&e);
      if (de->drawable == w && mapped[w]) return true;
    }
    return false;
  }
};

// Windows of the watched program may vanish between an event and our request about them.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

[[noreturn]] void Usage() {
  std::fprintf(stderr, "usage: mapwatch [-t TIMEOUT_MS] [-c X,Y] [-q] FIRST_TITLE [SECOND_TITLE] -- PROGRAM [ARGS...]\n");
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  int64_t timeoutMs = 20000;
  int clickX = 10, clickY = 10;
  bool quitByKey = false;
  int i = 1;
  for (; i < argc && argv[i][0] == '-' && std::strcmp(argv[i], "--") != 0; i += 2) {
    if (std::strcmp(argv[i], "-q") == 0) {
      quitByKey = true;
      --i;
      continue;
    }
    if (i + 1 >= argc) Usage();
    if (std::strcmp(argv[i], "-t") == 0)
      timeoutMs = std::atoll(argv[i + 1]);
    else if (std::strcmp(argv[i], "-c") == 0 && std::sscanf(argv[i + 1], "%d,%d", &clickX, &clickY) == 2)
      ;
    else
      Usage();
  }
  std::string first, second;
  if (i < argc && std::strcmp(argv[i], "--") != 0) first = argv[i++];
  if (i < argc && std::strcmp(argv[i], "--") != 0) second = argv[i++];
  if (first.empty() || i >= argc || std::strcmp(argv[i], "--") != 0 || i + 1 >= argc) Usage();
  char** program = argv + i + 1;

  Watch w;
  w.d = XOpenDisplay(nullptr);
  if (!w.d) {
    std::fprintf(stderr, "mapwatch: cannot open the display\n");
    return 1;
  }
  XSetErrorHandler(IgnoreErrors);
  int damageError, xtestEvent, xtestError, major, minor;
  if (!XDamageQueryExtension(w.d, &w.damageEvent, &damageError) ||
      ((!second.empty() || quitByKey) && !XTestQueryExtension(w.d, &xtestEvent, &xtestError, &major, &minor))) {
    std::fprintf(stderr, "mapwatch: the display lacks the DAMAGE or XTEST extension\n");
    return 1;
  }
  XSelectInput(w.d, DefaultRootWindow(w.d), SubstructureNotifyMask);
  XSync(w.d, False);
  w.deadline = NowUs() + timeoutMs * 1000;

  int64_t t0 = NowUs();
  pid_t pid = fork();
  if (pid == 0) {
    execvp(program[0], program);
    _exit(127);
  }
  if (pid < 0) return 1;
  w.child = pid;

  bool ok = true;
  int64_t map = -1, paint = -1, clickMap = -1, clickPaint = -1;
  Window win = w.AwaitMap(first);
  if (win != None) map = NowUs() - t0;
  if (win != None && w.AwaitPaint(win)) paint = NowUs() - t0;
  ok = paint >= 0;
  if (ok && !second.empty()) {
    int rx, ry;
    Window unused;
    XTranslateCoordinates(w.d, win, DefaultRootWindow(w.d), clickX, clickY, &rx, &ry, &unused);
    XTestFakeMotionEvent(w.d, -1, rx, ry, CurrentTime);
    XSync(w.d, False);
    int64_t t1 = NowUs();
    XTestFakeButtonEvent(w.d, 1, True, CurrentTime);
    XTestFakeButtonEvent(w.d, 1, False, CurrentTime);
    XFlush(w.d);
    Window next = w.AwaitMap(second);
    if (next != None) clickMap = NowUs() - t1;
    if (next != None && w.AwaitPaint(next)) clickPaint = NowUs() - t1;
    ok = clickPaint >= 0;
  }

  if (ok && quitByKey) {
    // The keys go to the window under the pointer, which is where the click left it.
    KeyCode ctrl = XKeysymToKeycode(w.d, XK_Control_L), q = XKeysymToKeycode(w.d, XK_q);
    XTestFakeKeyEvent(w.d, ctrl, True, CurrentTime);
    XTestFakeKeyEvent(w.d, q, True, CurrentTime);
    XTestFakeKeyEvent(w.d, q, False, CurrentTime);
    XTestFakeKeyEvent(w.d, ctrl, False, CurrentTime);
    XFlush(w.d);
    // Its windows' DestroyNotify events pace this wait; Next notices the end itself.
    XEvent e;
    while (!w.Reap(WNOHANG) && w.Next(e)) {
    }
    ok = w.exited;
  }
  if (!w.exited && w.child > 0) {
    kill(w.child, SIGTERM);
    w.Reap(0);
  }
  int exitCode = w.exited && WIFEXITED(w.status) ? WEXITSTATUS(w.status) : -1;
  std::printf("map_us=%lld paint_us=%lld", static_cast<long long>(map), static_cast<long long>(paint));
  if (!second.empty())
    std::printf(" click_map_us=%lld click_paint_us=%lld", static_cast<long long>(clickMap),
                static_cast<long long>(clickPaint));
  if (quitByKey) std::printf(" exit=%d", exitCode);
  std::printf(" maxrss_kb=%ld\n", ok ? w.usage.ru_maxrss : -1L);
  if (!ok)
    std::fprintf(stderr, "mapwatch: %s\n", w.exited ? "the program ended before its windows were seen"
                                                    : "gave up waiting for a window");
  XCloseDisplay(w.d);
  return ok ? 0 : 1;
}

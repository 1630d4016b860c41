// Start-up benchmark: starts each program many times, each run from a fresh temporary folder,
// and measures the time from CreateProcess to its main window being visible, the private
// memory it holds once started, the CPU it uses while idle, and its file size. Rounds are
// interleaved (every round runs every program once, in a rotating order) so that slow drifts of
// the machine hit all programs alike. Prints two tables; always exits 0 after a run.
//
// The main window is the first visible top-level window of the process that has a size and
// child windows.
//
//   STARTUP_BENCH.EXE [-n ROUNDS] [-w WARMUP] [-idle MS] [-a FLOOR_A] [-b FLOOR_B]
//                     [-u UTILITY] [PROGRAM...]
//
// PROGRAM defaults to ..\app\TAVROLEX.EXE, seen from this program's folder; FLOOR_A and FLOOR_B to
// FLOOR_MINIMAL.EXE and FLOOR_DIRECT.EXE beside this program. UTILITY (default: this program)
// is copied beside every program as WM8EUTIL.EXE so that each starts normally.
#include <windows.h>
#include <mmsystem.h>
#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Sample {
  double visible_ms = 0;     // CreateProcess to a visible top-level window of the process
  double ready_ms = 0;       // ... to that window's thread answering a sent message
  double startup_cpu_ms = 0;  // kernel + user CPU used up to the ready point
  double idle_cpu_ms = 0;     // kernel + user CPU used during the idle period
  uint64_t private_usage = 0;  // PROCESS_MEMORY_COUNTERS_EX::PrivateUsage after the idle period
  uint64_t committed_private = 0;  // VirtualQueryEx: committed MEM_PRIVATE bytes
  uint64_t working_set = 0;
  double close_ms = 0;       // WM_CLOSE to process exit
};

struct Program {
  Program(const std::wstring& l, const std::wstring& p) : label(l), path(p) {}
  std::wstring label;
  std::wstring path;
  uint64_t size = 0;
  bool present = false;
  std::vector<Sample> samples;
  int failures = 0;
  int killed = 0;
  std::wstring window_caption;  // of the first window found, as a sanity check
  std::wstring window_class;
};

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

std::string ToUtf8(const std::wstring& s) {
  if (s.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::wstring FullPath(const std::wstring& p) {
  wchar_t buf[MAX_PATH * 4];
  DWORD n = GetFullPathNameW(p.c_str(), MAX_PATH * 4, buf, nullptr);
  return n > 0 && n < MAX_PATH * 4 ? std::wstring(buf, n) : p;
}

std::wstring ModulePath() {
  wchar_t buf[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH * 4);
  return std::wstring(buf, n);
}

std::wstring DirOf(const std::wstring& p) {
  size_t k = p.find_last_of(L"\\/");
  return k == std::wstring::npos ? L"." : p.substr(0, k);
}

std::wstring NameOf(const std::wstring& p) {
  size_t k = p.find_last_of(L"\\/");
  return k == std::wstring::npos ? p : p.substr(k + 1);
}

bool FileSize(const std::wstring& p, uint64_t* size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(p.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  *size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

// Deletes every file in the folder, then the folder; retries while a just-ended process
// still holds a file.
void RemoveFolder(const std::wstring& dir) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
          std::wstring f = dir + L"\\" + fd.cFileName;
          SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(f.c_str());
        }
      } while (FindNextFileW(find, &fd));
      FindClose(find);
    }
    if (RemoveDirectoryW(dir.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
        GetLastError() == ERROR_PATH_NOT_FOUND)
      return;
    Sleep(50);
  }
  std::printf("  note: could not remove %s\n", ToUtf8(dir).c_str());
}

struct FindWindowState {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND hwnd, LPARAM lparam) {
  auto* state = reinterpret_cast<FindWindowState*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != state->pid || !IsWindowVisible(hwnd)) return TRUE;
  // The main window is the one that shows controls: a program may also have a visible top-level
  // window of its own with no size and no children (an application window that only labels the
  // task-bar button), which is not what the user sees.
  RECT r;
  if (!GetWindowRect(hwnd, &r) || r.right <= r.left || r.bottom <= r.top) return TRUE;
  if (!GetWindow(hwnd, GW_CHILD)) return TRUE;
  state->found = hwnd;
  return FALSE;
}

HWND VisibleWindowOf(DWORD pid) {
  FindWindowState state{pid, nullptr};
  EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

uint64_t FileTimeTo100ns(const FILETIME& ft) {
  return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

// Wine 8 answers GetProcessTimes for another process with the caller's own times, while its
// thread times are right; there the process's CPU time is the sum over its threads.
bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

double CpuMs(HANDLE process, DWORD pid) {
  static const bool wine = RunningOnWine();
  FILETIME created, exited, kernel, user;
  if (!wine) {
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    return static_cast<double>(FileTimeTo100ns(kernel) + FileTimeTo100ns(user)) / 10000.0;
  }
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  uint64_t total = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != pid) continue;
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
    if (!thread) continue;
    if (GetThreadTimes(thread, &created, &exited, &kernel, &user))
      total += FileTimeTo100ns(kernel) + FileTimeTo100ns(user);
    CloseHandle(thread);
  }
  CloseHandle(snapshot);
  return static_cast<double>(total) / 10000.0;
}

uint64_t CommittedPrivate(HANDLE process) {
  uint64_t total = 0;
  MEMORY_BASIC_INFORMATION mbi;
  const char* address = nullptr;
  while (VirtualQueryEx(process, address, &mbi, sizeof mbi) == sizeof mbi) {
    if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) total += mbi.RegionSize;
    const char* next = static_cast<const char*>(mbi.BaseAddress) + mbi.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return total;
}

struct Options {
  int rounds = 15;
  int warmup = 1;
  int idle_ms = 2000;
  std::wstring utility;
};

// One start of one program. Returns false (and says why) when the run gave no figures.
bool RunOnce(Program& program, const Options& options, unsigned run_id, Sample* sample) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  wchar_t name[64];
  std::swprintf(name, 64, L"startup_bench_%lu_%u", GetCurrentProcessId(), run_id);
  const std::wstring dir = std::wstring(temp) + name;
  RemoveFolder(dir);
  if (!CreateDirectoryW(dir.c_str(), nullptr)) {
    std::printf("  %s: cannot create a temporary folder\n", ToUtf8(program.label).c_str());
    return false;
  }
  const std::wstring exe = dir + L"\\" + NameOf(program.path);
  if (!CopyFileW(program.path.c_str(), exe.c_str(), FALSE) ||
      !CopyFileW(options.utility.c_str(), (dir + L"\\WM8EUTIL.EXE").c_str(), FALSE)) {
    std::printf("  %s: cannot copy into %s\n", ToUtf8(program.label).c_str(), ToUtf8(dir).c_str());
    RemoveFolder(dir);
    return false;
  }

  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  bool ok = false;
  const double start = Now();
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      dir.c_str(), &si, &pi)) {
    std::printf("  %s: CreateProcess failed (%lu)\n", ToUtf8(program.label).c_str(),
                GetLastError());
    RemoveFolder(dir);
    return false;
  }

  HWND window = nullptr;
  for (;;) {
    window = VisibleWindowOf(pi.dwProcessId);
    if (window) break;
    if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;  // also the 1 ms poll
    if (Now() - start > 20000) break;
  }
  if (window) {
    sample->visible_ms = Now() - start;
    DWORD_PTR ignored;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    sample->ready_ms = Now() - start;
    if (program.window_class.empty()) {
      wchar_t text[256] = L"", cls[256] = L"";
      GetWindowTextW(window, text, 256);
      GetClassNameW(window, cls, 256);
      program.window_caption = text;
      program.window_class = cls;
    }

    // Idle: the program has nothing to do until the user acts.
    const double cpu0 = CpuMs(pi.hProcess, pi.dwProcessId);
    sample->startup_cpu_ms = cpu0;
    Sleep(static_cast<DWORD>(options.idle_ms));
    const double cpu1 = CpuMs(pi.hProcess, pi.dwProcessId);
    sample->idle_cpu_ms = cpu0 >= 0 && cpu1 >= 0 ? cpu1 - cpu0 : -1;

    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    if (GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                             sizeof pmc)) {
      sample->private_usage = pmc.PrivateUsage;
      sample->working_set = pmc.WorkingSetSize;
    }
    sample->committed_private = CommittedPrivate(pi.hProcess);
    ok = true;

    const double close_start = Now();
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
      TerminateProcess(pi.hProcess, 1);
      WaitForSingleObject(pi.hProcess, 5000);
      ++program.killed;
      std::printf("  %s: did not end within 10 s of WM_CLOSE; killed\n",
                  ToUtf8(program.label).c_str());
    }
    sample->close_ms = Now() - close_start;
  } else {
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    if (code == STILL_ACTIVE) {
      std::printf("  %s: no visible window within 20 s; killed\n", ToUtf8(program.label).c_str());
      TerminateProcess(pi.hProcess, 1);
      WaitForSingleObject(pi.hProcess, 5000);
    } else {
      std::printf("  %s: ended (exit code %lu) before showing a window\n",
                  ToUtf8(program.label).c_str(), code);
    }
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  RemoveFolder(dir);
  return ok;
}

template <typename F>
double Median(const std::vector<Sample>& samples, F field) {
  if (samples.empty()) return 0;
  std::vector<double> v;
  for (const Sample& s : samples) v.push_back(static_cast<double>(field(s)));
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

template <typename F>
double Min(const std::vector<Sample>& samples, F field) {
  double m = 0;
  for (size_t i = 0; i < samples.size(); ++i)
    m = i == 0 ? field(samples[i]) : std::min<double>(m, field(samples[i]));
  return m;
}

template <typename F>
double Max(const std::vector<Sample>& samples, F field) {
  double m = 0;
  for (size_t i = 0; i < samples.size(); ++i)
    m = i == 0 ? field(samples[i]) : std::max<double>(m, field(samples[i]));
  return m;
}

void PrintRatio(double value, double base) {
  if (base > 0 && value > 0)
    std::printf(" %9.3f", value / base);
  else
    std::printf(" %9s", "-");
}

int ParseCount(const wchar_t* s, int fallback) {
  wchar_t* end = nullptr;
  long v = std::wcstol(s, &end, 10);
  return end && *end == 0 && v >= 0 && v < 1000000 ? static_cast<int>(v) : fallback;
}

}  // namespace

int main() {
  // Sleep(1) and the 1 ms waits of the poll mean 1 ms, not a scheduler tick.
  timeBeginPeriod(1);

  const std::wstring self = ModulePath();
  const std::wstring here = DirOf(self);
  Options options;
  options.utility = self;
  std::wstring floor_a = here + L"\\FLOOR_MINIMAL.EXE";
  std::wstring floor_b = here + L"\\FLOOR_DIRECT.EXE";
  std::vector<std::wstring> tested;

  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    bool has_value = i + 1 < argc;
    if (a == L"-n" && has_value) {
      options.rounds = std::max(1, ParseCount(argv[++i], options.rounds));
    } else if (a == L"-w" && has_value) {
      options.warmup = ParseCount(argv[++i], options.warmup);
    } else if (a == L"-idle" && has_value) {
      options.idle_ms = ParseCount(argv[++i], options.idle_ms);
    } else if (a == L"-a" && has_value) {
      floor_a = argv[++i];
    } else if (a == L"-b" && has_value) {
      floor_b = argv[++i];
    } else if (a == L"-u" && has_value) {
      options.utility = argv[++i];
    } else if (a == L"-h" || a == L"--help" || a == L"/?") {
      std::printf("usage: STARTUP_BENCH.EXE [-n ROUNDS] [-w WARMUP] [-idle MS] [-a FLOOR_A] "
                  "[-b FLOOR_B] [-u UTILITY] [PROGRAM...]\n");
      return 0;
    } else {
      tested.push_back(a);
    }
  }
  LocalFree(argv);
  if (tested.empty()) tested.push_back(DirOf(here) + L"\\app\\TAVROLEX.EXE");

  // Programs under test first, then floor (b), then floor (a).
  std::vector<Program> all;
  for (const std::wstring& p : tested) all.emplace_back(NameOf(p), FullPath(p));
  const size_t index_b = all.size();
  all.emplace_back(L"floor (b) " + NameOf(floor_b), FullPath(floor_b));
  const size_t index_a = all.size();
  all.emplace_back(L"floor (a) " + NameOf(floor_a), FullPath(floor_a));
  options.utility = FullPath(options.utility);

  std::vector<size_t> runnable;
  for (size_t i = 0; i < all.size(); ++i) {
    all[i].present = FileSize(all[i].path, &all[i].size);
    if (all[i].present)
      runnable.push_back(i);
    else
      std::printf("skipping %s: %s not found\n", ToUtf8(all[i].label).c_str(),
                  ToUtf8(all[i].path).c_str());
  }
  std::printf("start-up benchmark: %d rounds (+%d warm-up), idle check %d ms, %zu programs\n",
              options.rounds, options.warmup, options.idle_ms, runnable.size());
  std::fflush(stdout);

  unsigned run_id = 0;
  for (int round = 0; round < options.warmup + options.rounds; ++round) {
    const bool counted = round >= options.warmup;
    for (size_t k = 0; k < runnable.size(); ++k) {
      Program& program = all[runnable[(k + static_cast<size_t>(round)) % runnable.size()]];
      Sample sample;
      if (RunOnce(program, options, ++run_id, &sample)) {
        if (counted) program.samples.push_back(sample);
      } else if (counted) {
        ++program.failures;
      }
    }
    if (counted)
      std::printf("round %d of %d done\n", round - options.warmup + 1, options.rounds);
    else
      std::printf("warm-up round %d done\n", round + 1);
    std::fflush(stdout);
  }

  auto visible = [](const Sample& s) { return s.visible_ms; };
  auto ready = [](const Sample& s) { return s.ready_ms; };
  auto priv = [](const Sample& s) { return static_cast<double>(s.private_usage); };
  auto committed = [](const Sample& s) { return static_cast<double>(s.committed_private); };
  auto wset = [](const Sample& s) { return static_cast<double>(s.working_set); };
  auto idle = [](const Sample& s) { return s.idle_cpu_ms; };
  auto startup_cpu = [](const Sample& s) { return s.startup_cpu_ms; };
  auto closing = [](const Sample& s) { return s.close_ms; };

  const double base_b = Median(all[index_b].samples, visible);
  const double base_a = Median(all[index_a].samples, visible);
  const double min_b = Min(all[index_b].samples, visible);
  const double mem_b = Median(all[index_b].samples, priv);
  const double committed_b = Median(all[index_b].samples, committed);

  std::printf("\nStart-up time, CreateProcess to visible main window (ms)\n");
  std::printf("%-34s %4s %8s %8s %8s %9s %9s %9s %9s %9s %9s\n", "program", "runs", "median",
              "min", "max", "ready med", "x floor b", "x floor a", "min x b", "cpu med",
              "close med");
  for (const Program& p : all) {
    if (!p.present) continue;
    std::printf("%-34s %4zu %8.1f %8.1f %8.1f %9.1f", ToUtf8(p.label).c_str(), p.samples.size(),
                Median(p.samples, visible), Min(p.samples, visible), Max(p.samples, visible),
                Median(p.samples, ready));
    PrintRatio(Median(p.samples, visible), base_b);
    PrintRatio(Median(p.samples, visible), base_a);
    PrintRatio(Min(p.samples, visible), min_b);
    std::printf(" %9.1f %9.1f\n", Median(p.samples, startup_cpu), Median(p.samples, closing));
  }

  std::printf("\nSize, memory after start-up (medians) and CPU while idle for %d ms\n",
              options.idle_ms);
  std::printf("%-34s %10s %8s %11s %9s %11s %9s %10s %9s %9s\n", "program", "exe bytes", "KiB",
              "private KiB", "x floor b", "commit KiB", "x floor b", "wset KiB", "idle med",
              "idle max");
  for (const Program& p : all) {
    if (!p.present) continue;
    std::printf("%-34s %10llu %8.1f %11.0f", ToUtf8(p.label).c_str(),
                static_cast<unsigned long long>(p.size), static_cast<double>(p.size) / 1024.0,
                Median(p.samples, priv) / 1024.0);
    PrintRatio(Median(p.samples, priv), mem_b);
    std::printf(" %11.0f", Median(p.samples, committed) / 1024.0);
    PrintRatio(Median(p.samples, committed), committed_b);
    std::printf(" %10.0f %9.1f %9.1f\n", Median(p.samples, wset) / 1024.0,
                Median(p.samples, idle), Max(p.samples, idle));
  }

  std::printf("\n");
  for (const Program& p : all) {
    if (!p.present) continue;
    std::printf("%s: %s\n  window found: class \"%s\", caption \"%s\"; failed runs %d, killed %d\n",
                ToUtf8(p.label).c_str(), ToUtf8(p.path).c_str(), ToUtf8(p.window_class).c_str(),
                ToUtf8(p.window_caption).c_str(), p.failures, p.killed);
  }
  std::printf("\nready = the window's thread answers a sent message; min x b = fastest run over "
              "floor (b)'s fastest; cpu = CPU ms (kernel + user) used up to ready; close = "
              "WM_CLOSE to process exit.\n"
              "CPU times: %s.\n"
              "private = PROCESS_MEMORY_COUNTERS_EX.PrivateUsage (Wine reports 0); commit = "
              "committed MEM_PRIVATE regions found by VirtualQueryEx; wset = working set; idle = "
              "CPU ms used while idle.\n",
              RunningOnWine() ? "sum of the process's thread times (Wine)" : "GetProcessTimes");
  timeEndPeriod(1);
  return 0;
}

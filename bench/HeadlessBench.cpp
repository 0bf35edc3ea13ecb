// The headless paths at the machine's speed, measured on a production (by
// default the bundled one in the build folder), by running the program
// itself as the user would:
//   - a scene dump to step 9000 (steps per second),
//   - captures at 800x600, 60 fps, normal quality: to MP4 for 10 s, 100 s
//     and the whole production, and to PNG frames for 10 s (frames per
//     second and the ratio to real time),
//   - how the 100-second capture's time compares with the 10-second one's,
//     and with the same 100 s rendered as ten parts of 10 s (--from).
// Each line gives the wall-clock time and the processor time of the program
// and its encoder together; on a machine shared with other work the wall
// times grow, so the load average is printed with them.
//
// usage: bench_headless [PROGRAM [PRODUCTION_FOLDER]] [--quick]
//   --quick leaves out the 100-second and whole-production captures.
#include <sys/resource.h>  // Required for: getrusage()
#include <sys/wait.h>      // Required for: waitpid()
#include <fcntl.h>         // Required for: open()
#include <unistd.h>        // Required for: fork(), execv(), chdir()

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Result {
  bool ok = false;
  double wall = 0.0;  // seconds
  double cpu = 0.0;   // user + system seconds of the program and its children
  long long frames = 0;
};

double cpuOfChildren() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs `program args...` in `folder`, stdout and stderr into `log`.
Result run(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
           const std::string& log) {
  Result result;
  const double cpuBefore = cpuOfChildren();
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || chdir(folder.c_str()) != 0) _exit(127);
    dup2(out, 1);
    dup2(out, 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return result;
  result.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.cpu = cpuOfChildren() - cpuBefore;
  result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  std::ifstream in(log);
  std::string line;
  while (std::getline(in, line)) {
    const size_t at = line.find("rendered ");
    if (at != std::string::npos) result.frames = std::atoll(line.c_str() + at + 9);
  }
  if (!result.ok) std::fprintf(stderr, "bench_headless: %s failed; its output is in %s\n", program.c_str(), log.c_str());
  return result;
}

double loadAverage() {
  double load = 0.0;
  return getloadavg(&load, 1) == 1 ? load : 0.0;
}

constexpr double kFps = 60.0;

void printCapture(const char* what, const Result& r) {
  if (!r.ok || r.wall <= 0) {
    std::printf("%-28s failed\n", what);
    return;
  }
  const double seconds = static_cast<double>(r.frames) / kFps;
  std::printf("%-28s %6lld frames %8.2f s wall %8.2f s cpu %7.1f fps %6.2fx real time\n", what, r.frames, r.wall,
              r.cpu, static_cast<double>(r.frames) / r.wall, seconds / r.wall);
}

}  // namespace

int main(int argc, char** argv) {
  std::string program = WF_BENCH_PROGRAM;
  std::string production = WF_BENCH_PRODUCTION;
  bool quick = false;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--quick")
      quick = true;
    else if (positional == 0 && ++positional)
      program = a;
    else if (positional == 1 && ++positional)
      production = a;
    else {
      std::fprintf(stderr, "usage: bench_headless [PROGRAM [PRODUCTION_FOLDER]] [--quick]\n");
      return 2;
    }
  }
  program = fs::absolute(program).string();
  if (!fs::exists(fs::path(production) / "mohn.cs")) {
    std::fprintf(stderr, "bench_headless: no mohn.cs in %s\n", production.c_str());
    return 2;
  }
  char pattern[] = "/tmp/wf-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 2;
  const fs::path work = pattern;
  const std::vector<std::string> mode = {"--mode", "800x600", "--quality", "normal", "--fps", "60"};
  auto capture = [&](const std::string& target, double seconds) {
    std::vector<std::string> args = {"--render", (work / target).string()};
    if (seconds > 0) args.insert(args.end(), {"--seconds", std::to_string(seconds)});
    args.insert(args.end(), mode.begin(), mode.end());
    Result r = run(program, args, production, (work / (target + ".log")).string());
    fs::remove_all(work / target);
    return r;
  };

  std::printf("program %s\nproduction %s/mohn.cs, 800x600, 60 fps, quality normal\nload average %.2f at the start\n",
              program.c_str(), production.c_str(), loadAverage());
  std::fflush(stdout);

  const Result dump = run(program, {"--dump-scene", (work / "dump.json").string(), "--steps", "9000"}, production,
                          (work / "dump.log").string());
  if (dump.ok)
    std::printf("%-28s %6d steps %8.2f s wall %8.2f s cpu %7.0f steps/s\n", "dump to step 9000", 9000, dump.wall,
                dump.cpu, 9000 / dump.wall);
  else
    std::printf("%-28s failed\n", "dump to step 9000");
  std::fflush(stdout);

  const Result png10 = capture("png10", 10);
  printCapture("PNG frames, 10 s", png10);
  std::fflush(stdout);
  const Result mp4short = capture("ten.mp4", 10);
  printCapture("MP4, 10 s", mp4short);
  std::fflush(stdout);
  if (!quick) {
    const Result mp4long = capture("hundred.mp4", 100);
    printCapture("MP4, 100 s", mp4long);
    std::fflush(stdout);
    // A production of 100 s or less ends within the 100-second capture.
    if (mp4long.ok && mp4long.frames < 100 * kFps) {
      printCapture("MP4, whole production", mp4long);
    } else {
      printCapture("MP4, whole production", capture("whole.mp4", -1));
    }
    if (mp4short.ok && mp4long.ok && mp4short.wall > 0 && mp4short.frames > 0)
      std::printf("100-s capture / 10-s capture: %.2fx the time (%.2fx cpu) for %.2fx the frames\n",
                  mp4long.wall / mp4short.wall, mp4long.cpu / mp4short.cpu,
                  static_cast<double>(mp4long.frames) / static_cast<double>(mp4short.frames));
    // Later scenes may cost more to draw than the first ten seconds: the
    // same 100 s as ten parts of 10 s (--from) separates the run's own
    // growth, if any, from the production's.
    Result parts;
    parts.ok = mp4long.ok;
    for (int from = 0; parts.ok && from < 100 && parts.frames < mp4long.frames; from += 10) {
      const std::string target = "part" + std::to_string(from) + ".mp4";
      const Result part = run(program,
                              {"--render", (work / target).string(), "--from", std::to_string(from), "--seconds", "10",
                               "--mode", "800x600", "--quality", "normal", "--fps", "60"},
                              production, (work / (target + ".log")).string());
      fs::remove(work / target);
      parts.ok = part.ok;
      parts.wall += part.wall;
      parts.cpu += part.cpu;
      parts.frames += part.frames;
    }
    printCapture("MP4, 100 s in 10-s parts", parts);
    if (parts.ok && parts.wall > 0 && parts.cpu > 0)
      std::printf("100-s capture / its ten 10-s parts: %.2fx the time (%.2fx cpu) for %.2fx the frames\n",
                  mp4long.wall / parts.wall, mp4long.cpu / parts.cpu,
                  static_cast<double>(mp4long.frames) / static_cast<double>(parts.frames));
  }
  std::printf("load average %.2f at the end\n", loadAverage());
  fs::remove_all(work);
  return 0;
}

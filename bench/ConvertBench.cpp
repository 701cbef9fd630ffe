// Measures conversions of two generated source trees against floors taken in the same run:
// `cat` of the sources (reading), `cp -r` of the pages into the emptied output folder
// (creating, taking turns with the conversions into it) and `cp` of the pages over themselves
// (rewriting). Three conversions per tree: into an emptied
// folder, over unchanged pages with the shipped templates (a rerun, which should touch no
// file), and over pages that all change (a template changed). Then the
// peak memory, CPU time per MB, where the engine's time goes, and the first eighth, quarter and
// half of the first tree's sources (its first folders) to show that time per source stays flat.
//
//   quillmark_bench [--files N] [--second N] [--seed S] [--keep]
//
// The tables and templates are those beside the executable (its build's bin/ and Templates/).
#include "SourceTree.h"

#include "base/CodePages.h"
#include "base/Error.h"
#include "base/FileSystem.h"
#include "engine/Generator.h"
#include "engine/Quelle.h"
#include "engine/SourceKinds.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kMaxExtraMiB = 64.0;    // peak memory beyond the own pages' bytes
constexpr int kRepeats = 5;              // every figure is the median of this many
constexpr unsigned kEstimateThreads = 4; // the threads of the estimate for more cores
constexpr double kMB = 1e6;
constexpr double kMiB = 1024.0 * 1024.0;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

/// Peak resident memory of this process so far, in bytes.
double PeakRss() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0; // kilobytes on Linux
}

/// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "quillmark-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a temporary folder in " +
                               fs::temp_directory_path().string());
    }
    path_ = pattern + "/";
  }
  ~ScratchFolder() {
    if (!keep_) {
      std::error_code ec;
      fs::remove_all(path_, ec);
    }
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  void Keep() { keep_ = true; }

private:
  std::string path_;
  bool keep_ = false;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Shell(const std::string& command) {
  if (std::system(command.c_str()) != 0) {
    throw std::runtime_error("failed: " + command);
  }
}

/// CPU time so far, user and system: of this process, or with RUSAGE_CHILDREN of the commands
/// it ran and waited for.
struct CpuTime {
  double user = 0;
  double system = 0;
};

CpuTime CpuSeconds(int who = RUSAGE_SELF) {
  rusage usage{};
  getrusage(who, &usage);
  const auto sec = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return {sec(usage.ru_utime), sec(usage.ru_stime)};
}

/// The median time of kRepeats runs of command, each after prepare (not timed); with cpu, also
/// the CPU time one run of command takes on average, user and system.
double TimeShell(const std::string& command, const std::string& prepare = "",
                 double* cpu = nullptr) {
  std::vector<double> times;
  double used = 0;
  for (int i = 0; i < kRepeats; ++i) {
    if (!prepare.empty()) {
      Shell(prepare);
    }
    const CpuTime before = CpuSeconds(RUSAGE_CHILDREN);
    const auto start = Clock::now();
    Shell(command);
    times.push_back(Seconds(Clock::now() - start));
    const CpuTime after = CpuSeconds(RUSAGE_CHILDREN);
    used += after.user + after.system - before.user - before.system;
  }
  if (cpu != nullptr) {
    *cpu = used / kRepeats;
  }
  return Median(times);
}

/// Every file below folder removed, the folder kept. The removal reaches the disk before the
/// folder is filled again: otherwise the file system's deferred work on the removed files (on
/// ext4 with discard, most of all) lands in whichever timed run comes next, by chance.
void Empty(const std::string& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  Shell("sync");
}

struct Conversion {
  double seconds = 0;
  double cpu = 0;  // user and system
  double user = 0; // of it in the program itself
  size_t files = 0;
  double bytes = 0;      // of the sources converted
  double runSeconds = 0; // of them in Run, without the search of the folders
  double ownThread = 0;  // CPU time (user and system) of the thread that called the run
  qm::RunTimes times;
};

/// The generator with the options and templates the benchmark converts with.
struct Converter {
  qm::TGenerator generator;
  qm::GeneratorOptions options;
  qm::TemplateSet templates;
};

/// Converts the sources below sources, or only the first files of them (0: all).
Conversion Convert(Converter& converter, const std::string& sources, size_t files = 0) {
  const CpuTime cpu = CpuSeconds();
  const CpuTime thread = CpuSeconds(RUSAGE_THREAD);
  const auto start = Clock::now();
  qm::TQuelle quelle;
  quelle.IncludeSubfolders = true;
  // Every source kind ticked.
  qm::SourceKindSet kinds;
  for (const qm::SourceKindInfo& kind : qm::kSourceKindTable) {
    kinds.Set(kind.kind);
  }
  quelle.Masks = qm::MasksForKinds(kinds);
  quelle.Search(sources);
  if (files > 0 && files < quelle.Files.size()) {
    quelle.Files.resize(files);
  }
  const auto runStart = Clock::now();
  const qm::RunResult result =
      converter.generator.Run(quelle, converter.options, converter.templates);
  const auto end = Clock::now();
  const CpuTime used = CpuSeconds();
  const CpuTime threadUsed = CpuSeconds(RUSAGE_THREAD);
  Conversion c;
  c.ownThread = threadUsed.user + threadUsed.system - thread.user - thread.system;
  c.seconds = Seconds(end - start);
  c.cpu = used.user + used.system - cpu.user - cpu.system;
  c.user = used.user - cpu.user;
  c.files = quelle.Files.size();
  c.runSeconds = Seconds(end - runStart);
  c.times = result.Times;
  for (const std::string& file : quelle.Files) {
    c.bytes += static_cast<double>(fs::file_size(file));
  }
  return c;
}

/// The median of repeats conversions (by wall time), each after prepare.
Conversion ConvertMedian(Converter& converter, const std::string& sources,
                         const std::function<void(int)>& prepare, int repeats = kRepeats,
                         size_t files = 0) {
  std::vector<Conversion> runs;
  for (int i = 0; i < repeats; ++i) {
    prepare(i);
    runs.push_back(Convert(converter, sources, files));
  }
  std::sort(runs.begin(), runs.end(),
            [](const Conversion& a, const Conversion& b) { return a.seconds < b.seconds; });
  return runs[runs.size() / 2];
}

struct Pages {
  size_t count = 0;
  uintmax_t bytes = 0;
  size_t ownCount = 0;
  uintmax_t ownBytes = 0;
};

/// Every file of folder by name, with what a write changes: its inode and modification time.
std::map<std::string, std::pair<ino_t, int64_t>> Identities(const std::string& folder) {
  std::map<std::string, std::pair<ino_t, int64_t>> ids;
  for (const auto& entry : fs::directory_iterator(folder)) {
    struct stat st {};
    if (::stat(entry.path().c_str(), &st) == 0) {
      ids[entry.path().filename().string()] = {st.st_ino, st.st_mtim.tv_sec * 1000000000LL +
                                                              st.st_mtim.tv_nsec};
    }
  }
  return ids;
}

/// Files of after that are not in before as they were: written, made or replaced; and the
/// files of before that are gone.
size_t Touched(const std::map<std::string, std::pair<ino_t, int64_t>>& before,
               const std::map<std::string, std::pair<ino_t, int64_t>>& after) {
  size_t n = 0;
  for (const auto& [name, id] : after) {
    const auto it = before.find(name);
    n += it == before.end() || it->second != id ? 1 : 0;
  }
  for (const auto& [name, id] : before) {
    n += after.contains(name) ? 0 : 1;
  }
  return n;
}

Pages CountPages(const std::string& folder) {
  Pages pages;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const uintmax_t size = entry.file_size();
    ++pages.count;
    pages.bytes += size;
    if (entry.path().filename().string().rfind(qmbench::kOwnPagePrefix, 0) == 0) {
      ++pages.ownCount;
      pages.ownBytes += size;
    }
  }
  return pages;
}

void PrintFloor(const char* what, double seconds, double bytes) {
  std::printf("  %-34s %8.3f s %8.1f MB/s\n", what, seconds, bytes / kMB / seconds);
}

void PrintConversion(const char* what, const Conversion& c, double floor, const char* floorName,
                     double target, double bytes) {
  const double ratio = c.seconds / floor;
  std::printf("  %-34s %8.3f s %8.1f MB/s  %5.2f x %s (target %.1f: %s)\n", what, c.seconds,
              bytes / kMB / c.seconds, ratio, floorName, target,
              ratio <= target ? "met" : "MISSED");
  // The per-core target counts the program's own (user) time; the system's share is what
  // reading and writing the files costs in the kernel, which cat pays as well.
  const double perCore = bytes / kMB / c.user;
  std::printf("  %-34s cpu %.3f s user + %.3f s system: %.0f MB/s per core of user time "
              "(target 300: %s)\n",
              "", c.user, c.cpu - c.user, perCore, perCore >= 300 ? "met" : "MISSED");
  std::printf("  %-34s read %.3f, convert %.3f, write %.3f, wait %.3f s\n", "", c.times.reading,
              c.times.converting, c.times.writing, c.times.waiting);
}

/// Time per source of conversions of the first eighth, quarter and half of the sources (the
/// first folders' files), set against the conversions of all: into an emptied folder (where
/// the file system's cost of creating files varies most) and over unchanged pages. The time is
/// that of Run alone: a part's files are cut from the search of the whole tree.
void MeasureParts(Converter& converter, const std::string& sources, const Conversion& emptied,
                  const Conversion& unchanged, const std::function<void(int)>& empty) {
  std::printf(
      "\n  Time per source in the conversion itself (median of 17, 9, 5 and 5 runs):\n"
      "                                     into an emptied folder   over unchanged pages\n");
  const auto perSource = [](const Conversion& c) {
    return c.runSeconds / static_cast<double>(c.files) * 1e6;
  };
  const auto print = [&](const std::string& what, const Conversion& e, const Conversion& u) {
    std::printf("  %-32s %14.1f us %21.1f us   (%.1f MB of sources)\n", what.c_str(), perSource(e),
                perSource(u), e.bytes / kMB);
  };
  std::array<double, 2> smallest{perSource(emptied), perSource(unchanged)};
  std::array<double, 2> largest = smallest;
  for (const size_t part : {8, 4, 2}) {
    const size_t files = std::max<size_t>(1, emptied.files / part);
    // Smaller parts are over sooner and vary more: they are converted more often.
    const int repeats = std::max(kRepeats, static_cast<int>(part) * 2 + 1);
    const Conversion e = ConvertMedian(converter, sources, empty, repeats, files);
    Shell("sync");
    const Conversion u = ConvertMedian(
        converter, sources, [](int) {}, repeats, files);
    print("1/" + std::to_string(part) + " of the tree (" + std::to_string(e.files) + " sources):",
          e, u);
    for (size_t k = 0; k < 2; ++k) {
      const double t = perSource(k == 0 ? e : u);
      smallest[k] = std::min(smallest[k], t);
      largest[k] = std::max(largest[k], t);
    }
  }
  print("whole tree (" + std::to_string(emptied.files) + " sources):", emptied, unchanged);
  const auto verdict = [](double ratio) { return ratio <= 1.2 ? "met" : "MISSED"; };
  std::printf("  largest / smallest (target <= 1.2): %.2f %s, %.2f %s\n", largest[0] / smallest[0],
              verdict(largest[0] / smallest[0]), largest[1] / smallest[1],
              verdict(largest[1] / smallest[1]));
}

/// A fresh generator as the benchmark converts with it.
std::unique_ptr<Converter> MakeGenerator(const std::string& output) {
  auto converter =
      std::make_unique<Converter>(Converter{qm::TGenerator(qm::ProgramFolder()), {}, {}});
  converter->templates = converter->generator.InstalledTemplates();
  converter->options.AutoLineBreak = true;
  converter->options.OutputFolder = output;
  return converter;
}

/// Writes the tree of shape below root/src and measures it; with parts, also the time per source
/// of the tree's first eighth, quarter and half against the whole.
void MeasureTree(const std::string& root, const qmbench::TreeShape& shape, bool parts, bool keep) {
  const std::string sources = root + "src/";
  const std::string output = root + "out/";
  const std::string copy = root + "copy/";
  fs::create_directories(sources);
  fs::create_directories(output);
  const qmbench::TreeStats tree = qmbench::WriteSourceTree(sources, shape);
  // The sources reach the disk before anything is timed, not during a conversion.
  Shell("sync");
  const double bytes = static_cast<double>(tree.bytes);
  const auto generator = MakeGenerator(output);
  const auto empty = [&](int) { Empty(output); };
  std::printf("\nTree: %d sources in %d folders, %.1f MB (seed %llu); %d Doc and %d Tech blocks, "
              "%d of them on own pages\n",
              tree.files, tree.folders, bytes / kMB, static_cast<unsigned long long>(shape.seed),
              tree.docBlocks, tree.techBlocks, tree.ownPageBlocks);

  const double baseline = PeakRss();
  // A first conversion makes the pages that the floors copy.
  Empty(output);
  Convert(*generator, sources);
  const Pages pages = CountPages(output);
  Shell("cp -r '" + output + ".' '" + copy + "'");
  // Creating files right after many were deleted costs more or less from one moment to the
  // next, so the create floor and the conversion into an emptied folder take turns, each into
  // the emptied output folder.
  std::vector<double> creates;
  std::vector<Conversion> emptiedRuns;
  for (int i = 0; i < kRepeats; ++i) {
    Empty(output);
    const auto start = Clock::now();
    Shell("cp -r '" + copy + ".' '" + output + "'");
    creates.push_back(Seconds(Clock::now() - start));
    Empty(output);
    emptiedRuns.push_back(Convert(*generator, sources));
  }
  const double peak = PeakRss();
  std::sort(emptiedRuns.begin(), emptiedRuns.end(),
            [](const Conversion& a, const Conversion& b) { return a.seconds < b.seconds; });
  const Conversion emptied = emptiedRuns[emptiedRuns.size() / 2];
  const double create = Median(creates);
  std::printf("  Pages: %zu files, %.1f MB; own pages: %zu files, %.1f MB\n", pages.count,
              static_cast<double>(pages.bytes) / kMB, pages.ownCount,
              static_cast<double>(pages.ownBytes) / kMB);

  // The other floors, the median of kRepeats each, on the pages just made.
  double readCpu = 0;
  const double read =
      TimeShell("find '" + sources + "' -type f -print0 | xargs -0 cat > /dev/null", "", &readCpu);
  const double rewrite = TimeShell("cp -r '" + copy + ".' '" + output + "'");
  std::printf("  Floors (median of %d):\n", kRepeats);
  PrintFloor("read: cat of the sources", read, bytes);
  // What reading alone costs in CPU on this machine, to set the conversions' CPU against.
  std::printf("  %-34s cpu %.3f s: %.0f MB/s per core\n", "", readCpu, bytes / kMB / readCpu);
  PrintFloor("create: cp -r into an emptied folder", create, static_cast<double>(pages.bytes));
  PrintFloor("rewrite: cp over the pages", rewrite, static_cast<double>(pages.bytes));
  fs::remove_all(copy);

  // A rerun with the shipped templates over the pages it made itself writes nothing.
  const auto identities = Identities(output);
  const Conversion unchanged = ConvertMedian(*generator, sources, [](int) {});
  // The reruns again as a machine with four cores runs them. The calling thread searches,
  // writes every page in order and takes its share of the rest: with a core for each thread
  // the run takes at least its CPU time, and about that while the workers keep ahead of it.
  // They touch no file either: the workers take over work there, and their pages are the same.
  const unsigned threads = std::exchange(generator->options.Threads, kEstimateThreads);
  const Conversion manyCores = ConvertMedian(*generator, sources, [](int) {});
  generator->options.Threads = threads;
  const size_t touched = Touched(identities, Identities(output));
  // Every page changes: the page footers gain a line that differs from one run to the next.
  qm::TemplateSet& templates = generator->templates;
  const qm::Lines docFooter = templates[qm::TemplateId::DocPageFooter];
  const qm::Lines techFooter = templates[qm::TemplateId::TechPageFooter];
  const Conversion changed = ConvertMedian(*generator, sources, [&](int i) {
    templates[qm::TemplateId::DocPageFooter] = docFooter;
    templates[qm::TemplateId::TechPageFooter] = techFooter;
    templates[qm::TemplateId::DocPageFooter].push_back("<!-- " + std::to_string(i) + " -->");
    templates[qm::TemplateId::TechPageFooter].push_back("<!-- " + std::to_string(i) + " -->");
  });
  std::printf("  Conversions (median of %d):\n", kRepeats);
  PrintConversion("into an emptied folder", emptied, read + create, "(read+create)", 1.2, bytes);
  PrintConversion("rerun, shipped templates", unchanged, read, "read", 1.5, bytes);
  std::printf("  %-34s %zu of %zu files touched by %d reruns (goal 0: %s)\n", "", touched,
              identities.size(), 2 * kRepeats, touched == 0 ? "met" : "MISSED");
  // No schedule finishes a run sooner than its CPU time spread evenly over the machine's
  // cores: the bound a rerun on this machine is held to, whatever the threads do.
  const unsigned cores = std::max(1U, std::thread::hardware_concurrency());
  const double spread = unchanged.cpu / cores;
  std::printf("  %-34s its CPU spread over %u cores takes %.3f s: %.2f x read at the least\n", "",
              cores, spread, spread / read);
  std::printf("  %-34s with %u threads the writing thread takes %.3f s of CPU: %.2f x read\n"
              "  %-34s on a machine with a core for each (estimate)\n",
              "", kEstimateThreads, manyCores.ownThread, manyCores.ownThread / read, "");
  PrintConversion("over pages that all change", changed, read + rewrite, "(read+rewrite)", 1.2,
                  bytes);

  const double extra = (peak - baseline) / kMiB;
  const double own = static_cast<double>(pages.ownBytes) / kMiB;
  std::printf("  Peak memory: %.1f MiB before, +%.1f MiB during the conversions, %.1f MiB of it "
              "own pages (target < %.0f MiB beyond them: %s)\n",
              baseline / kMiB, extra, own, kMaxExtraMiB,
              extra - own < kMaxExtraMiB ? "met" : "MISSED");
  if (parts) {
    MeasureParts(*generator, sources, emptied, unchanged, empty);
  }
  if (!keep) {
    fs::remove_all(root);
  }
}

int Main(int argc, char** argv) {
  qmbench::TreeShape shape;
  int second = 8000;
  bool keep = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--files") == 0 && i + 1 < argc) {
      shape.files = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--second") == 0 && i + 1 < argc) {
      second = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      shape.seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (std::strcmp(argv[i], "--keep") == 0) {
      keep = true;
    } else {
      std::fprintf(stderr, "usage: %s [--files N] [--second N] [--seed S] [--keep]\n", argv[0]);
      return 2;
    }
  }
  std::printf("%u cores\n", std::thread::hardware_concurrency());

  ScratchFolder scratch;
  if (keep) {
    scratch.Keep();
  }
  MeasureTree(scratch.path() + "first/", shape, true, keep);
  if (second > 0) {
    qmbench::TreeShape big = shape;
    big.files = second;
    big.seed = shape.seed + 1;
    MeasureTree(scratch.path() + "second/", big, false, keep);
  }
  if (keep) {
    std::printf("Kept %s\n", scratch.path().c_str());
  }
  std::printf("\nread/convert/write/wait: the engine's own counters, summed over its threads.\n");
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    return Main(argc, argv);
  } catch (const qm::Error& e) {
    std::fprintf(stderr, "quillmark_bench: %s\n", qm::AnsiToUtf8(e.what()).c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillmark_bench: %s\n", e.what());
  }
  return 1;
}

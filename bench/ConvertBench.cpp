// Measures a full conversion of a generated source tree against the time `cat` needs to read
// the same sources, and the memory the conversion needs on top of what it had before.
//
//   quillmark_bench [--files N] [--seed S] [--keep]
//
// The tables and templates are those beside the executable (its build's bin/ and Templates/).
#include "bench/SourceTree.h"

#include "engine/CodePages.h"
#include "engine/Error.h"
#include "engine/FileSystem.h"
#include "engine/Generator.h"
#include "engine/Quelle.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kMaxRatio = 3.0;     // conversion time / cat time
constexpr double kMaxExtraMiB = 64.0; // peak memory beyond the own pages' bytes
constexpr int kCatRepeats = 3;        // the best of these counts
constexpr double kMB = 1e6;
constexpr double kMiB = 1024.0 * 1024.0;

// Every source mask the conversion command knows, in its order.
const char* const kMasks[] = {"*.pas", "*.p",   "*.dpr",  "*.bpg",  "*.dpk", "*.c",
                              "*.cpp", "*.h",   "*.hpp",  "*.java", "*.sql", "*.asm",
                              "*.bas", "*.htm", "*.html", "*.rul"};

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

double TimeCat(const std::string& folder) {
  const std::string command = "find '" + folder + "' -type f -print0 | xargs -0 cat > /dev/null";
  if (std::system(command.c_str()) != 0) { // warms the cache
    throw std::runtime_error("cat over " + folder + " failed");
  }
  double best = 0;
  for (int i = 0; i < kCatRepeats; ++i) {
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
      throw std::runtime_error("cat over " + folder + " failed");
    }
    const double t = Seconds(Clock::now() - start);
    best = i == 0 ? t : std::min(best, t);
  }
  return best;
}

struct Conversion {
  double seconds = 0;
  size_t files = 0;
};

Conversion Convert(qm::TGenerator& generator, const std::string& sources) {
  const auto start = Clock::now();
  qm::TQuelle quelle;
  quelle.IncludeSubfolders = true;
  for (const char* mask : kMasks) {
    quelle.Masks.push_back(mask);
  }
  quelle.Search(sources);
  generator.Run(quelle);
  return {Seconds(Clock::now() - start), quelle.Files.size()};
}

struct Pages {
  size_t count = 0;
  uintmax_t bytes = 0;
  size_t ownCount = 0;
  uintmax_t ownBytes = 0;
};

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

void PrintRate(const char* what, double seconds, size_t files, double bytes) {
  std::printf("%-28s %8.3f s %9.0f files/s %8.1f MB/s\n", what, seconds,
              static_cast<double>(files) / seconds, bytes / kMB / seconds);
}

int Main(int argc, char** argv) {
  qmbench::TreeShape shape;
  bool keep = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--files") == 0 && i + 1 < argc) {
      shape.files = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      shape.seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (std::strcmp(argv[i], "--keep") == 0) {
      keep = true;
    } else {
      std::fprintf(stderr, "usage: %s [--files N] [--seed S] [--keep]\n", argv[0]);
      return 2;
    }
  }

  ScratchFolder scratch;
  if (keep) {
    scratch.Keep();
  }
  const std::string sources = scratch.path() + "src/";
  const std::string output = scratch.path() + "out/";
  fs::create_directories(output);

  const qmbench::TreeStats tree = qmbench::WriteSourceTree(sources, shape);
  const double treeBytes = static_cast<double>(tree.bytes);
  std::printf("Source tree: %d files in %d folders, %.1f MB (seed %llu); %d Doc and %d Tech "
              "blocks, %d of them on own pages\n",
              tree.files, tree.folders, treeBytes / kMB,
              static_cast<unsigned long long>(shape.seed), tree.docBlocks, tree.techBlocks,
              tree.ownPageBlocks);

  const double cat = TimeCat(sources);
  PrintRate("cat (warm cache, best of 3)", cat, static_cast<size_t>(tree.files), treeBytes);

  const double baseline = PeakRss();
  qm::TGenerator generator(qm::ProgramFolder());
  generator.AutoLineBreak = true;
  generator.OutputFolder = output;
  const Conversion first = Convert(generator, sources);
  const double peak = PeakRss();
  const Pages pages = CountPages(output);
  PrintRate("conversion", first.seconds, first.files, treeBytes);

  // A second run finds the pages of the first and carries their titles over.
  const Conversion again = Convert(generator, sources);
  PrintRate("conversion over old pages", again.seconds, again.files, treeBytes);

  const double ratio = first.seconds / cat;
  const double extra = (peak - baseline) / kMiB;
  const double own = static_cast<double>(pages.ownBytes) / kMiB;
  std::printf("Pages: %zu files, %.1f MB; own pages: %zu files, %.1f MB\n", pages.count,
              static_cast<double>(pages.bytes) / kMB, pages.ownCount,
              static_cast<double>(pages.ownBytes) / kMB);
  std::printf("Ratio conversion/cat: %.2f (target <= %.0f: %s); rerun %.2f\n", ratio, kMaxRatio,
              ratio <= kMaxRatio ? "met" : "MISSED", again.seconds / cat);
  std::printf("Peak memory: %.1f MiB before, +%.1f MiB during the conversion, %.1f MiB of it "
              "own pages (target < %.0f MiB beyond them: %s)\n",
              baseline / kMiB, extra, own, kMaxExtraMiB,
              extra - own < kMaxExtraMiB ? "met" : "MISSED");
  if (keep) {
    std::printf("Kept %s\n", scratch.path().c_str());
  }
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

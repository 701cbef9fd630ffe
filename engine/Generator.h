// The documentation engine: templates, tables, the run over all sources of a conversion and
// the lists it collects for the help project.
#pragma once

#include "base/AnsiText.h"
#include "base/TextFile.h"
#include "base/Warnings.h"
#include "engine/CharTables.h"
#include "engine/DocKind.h"
#include "engine/ExtraFiles.h"
#include "engine/PageSink.h"
#include "engine/Progress.h"
#include "engine/Quelle.h"
#include "engine/RunRecords.h"
#include "engine/Templates.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace qm {

template <typename Result> class Prefetch;

/// File names of the installation data.
/// The folder of the template files, beside the program folder.
inline constexpr const char* kTemplatesFolder = "../Templates/";
inline constexpr const char* kTagTableFile = "HTMLTags.txt";
inline constexpr const char* kCharTableFile = "Umlaute.txt";

class TGenerator {
public:
  /// Loads the eight templates from programFolder + "../Templates/" and the two tables from
  /// programFolder (which ends in "/"). Throws Error("Datei %s kann nicht geöffnet werden")
  /// naming the first file that cannot be read.
  explicit TGenerator(const std::string& programFolder);
  TGenerator(const TGenerator&) = delete;
  TGenerator& operator=(const TGenerator&) = delete;

  std::string OutputFolder; ///< ends in "/"; "/" alone: pages go beside their sources
  std::string CurrentTitle; ///< of the block being written to an own page, for its header
  std::string CurrentOutputFile;
  std::string CurrentInputFile;
  bool AutoLineBreak = false;
  bool OemToAnsi = false;
  bool OneFilePerBlock = false;

  TemplateSet Templates;

  Lines TechPages, DocPages;
  std::vector<KeywordEntry> TechTocEntries, DocTocEntries;
  std::vector<KeywordEntry> TechIndexEntries, DocIndexEntries;
  TExtraAusgabeDateien ExtraFiles{*this};
  std::vector<ContextIdEntry> DocContextIds, TechContextIds;
  TagTable HtmlTags;
  CharacterTable CharTable;
  std::vector<PageTitle> PageTitles; ///< the pages found at the start of the run

  /// Warnings of the last run (the source search's first), in the order found.
  WarningList Warnings;
  /// Counts of the last run: sources read, pages written (per-source and own pages, each
  /// page once) and the own pages among them.
  int SourcesRead = 0;
  int PagesWritten = 0;
  int OwnPagesWritten = 0;

  /// Threads that read and convert sources ahead of their turn: 0 as many as the machine has
  /// cores, 1 none (every file is handled on the thread that calls Run). The pages, lists,
  /// warnings and progress calls are the same either way.
  unsigned Threads = 0;
  /// Where the last run's time went, in seconds summed over its threads: reading sources,
  /// converting them, writing pages, and the calling thread waiting for a worker's result.
  struct RunTimes {
    double reading = 0;
    double converting = 0;
    double writing = 0;
    double waiting = 0;
  };
  RunTimes Times;

  /// Converts every file of quelle: clears the result lists, the warnings (then takes the
  /// search's warnings) and the counts, records the titles of existing pages, processes the files
  /// in order (stopping when progress reports a cancel), and saves the own pages in every case,
  /// also when a failure ends the run (the failure is rethrown).
  void Run(const TQuelle& quelle, ProgressSink* progress = nullptr);
  /// Processes one source file; returns its number of lines.
  int ProcessFile(const std::string& inFile);
  /// Fills the placeholders ("%DATE%", "%TITLE%", ...) of lines in place.
  void SubstitutePlaceholders(Lines& lines, const std::string& outFile, const std::string& inFile,
                              std::string_view title);

  // Page writers. A piece goes to the own page ownFile when it is not empty, else to outFile.
  // Its contents and index lines become entries of the writer's kind; WriteBlockText takes the
  // kind from the target's name (Tech when it contains ".tech.htm").
  void WriteDocPageHeader(const std::string& outFile, const std::string& inFile,
                          std::string_view title, const std::string& ownFile);
  void WriteTechPageHeader(const std::string& outFile, const std::string& inFile,
                           std::string_view title, const std::string& ownFile);
  void WriteDocPageFooter(const std::string& outFile, const std::string& inFile,
                          std::string_view title, const std::string& ownFile);
  void WriteTechPageFooter(const std::string& outFile, const std::string& inFile,
                           std::string_view title, const std::string& ownFile);
  void WriteDocBlockHeader(const std::string& outFile, const std::string& inFile,
                           std::string_view title, const std::string& ownFile);
  void WriteDocBlockFooter(const std::string& outFile, const std::string& inFile,
                           std::string_view title, const std::string& ownFile);
  void WriteTechBlockHeader(const std::string& outFile, const std::string& inFile,
                            std::string_view title, const std::string& ownFile);
  void WriteTechBlockFooter(const std::string& outFile, const std::string& inFile,
                            std::string_view title, const std::string& ownFile);
  void WriteBlockText(const std::string& outFile, const std::string& text,
                      const std::string& ownFile);

  /// Records path and title of every "*.Doc.htm" and "*.Tech.htm" page in OutputFolder.
  void CollectPageTitles();
  /// Whether a file may be at page. During a run each page folder is listed once (the output
  /// folder by CollectPageTitles) and the run's own writes keep that knowledge; false only
  /// when it says there is no such file. Outside a run always true.
  bool PageMayExist(const std::string& page);
  /// Records that the run made page or removed it.
  void NotePage(const std::string& page, bool exists);

  /// The recorded title of the page name (compared without regard to case; the last match
  /// wins), or nothing.
  std::optional<std::string> FindPageTitle(std::string_view name) const;

  /// Takes the lines holding "###" + keyword + " " out of lines and adds their texts
  /// (UnmapChars applied) with the file name of page to list.
  void ExtractKeywordEntries(const std::string& page, std::string_view keyword,
                             std::vector<KeywordEntry>& list, Lines& lines);

private:
  struct BlockScan; // the block extraction of one source file
  struct Prepared;  // what a worker thread did of one source file ahead of its turn

  /// Worker threads that prepare files ahead of their turn, when there are several files and
  /// threads; nothing otherwise. They start working at once.
  using Preparing = Prefetch<std::unique_ptr<Prepared>>;
  /// Stops and deletes the workers where what they make is known.
  struct StopPreparing {
    void operator()(Preparing* ahead) const;
  };
  std::unique_ptr<Preparing, StopPreparing> StartPreparing(const Lines& files);
  /// The loop of Run over files: progress, cancel and ProcessSource for each, taking what
  /// ahead (when there is one) prepared.
  void ConvertFiles(const Lines& files, ProgressSink* progress, Preparing* ahead);
  /// Reads inFile and converts its blocks without touching the generator or the disk: the part
  /// of ProcessFile that may run on a worker thread ahead of the file's turn.
  std::unique_ptr<Prepared> Prepare(const std::string& inFile) const;
  /// The bytes a block's text puts on a page, when they do not depend on the page (the text
  /// holds no keyword line).
  static std::optional<std::string> PlainBlockBytes(std::string_view text);
  /// WriteBlockText with the result of PlainBlockBytes when there is one.
  void WriteBlock(const std::string& outFile, const std::string& text, const std::string& ownFile,
                  std::optional<std::string> plain);
  /// Adds the time since start to counter (nanoseconds); returns it.
  static int64_t AddTime(std::atomic<int64_t>& counter, int64_t start);
  static int64_t NowNs();

  /// The kind of a page by its name: Tech when the lower-case name contains ".tech.htm".
  static DocKind KindOfPage(std::string_view page);
  std::vector<KeywordEntry>& TocList(DocKind kind) {
    return kind == DocKind::Doc ? DocTocEntries : TechTocEntries;
  }
  std::vector<KeywordEntry>& IndexList(DocKind kind) {
    return kind == DocKind::Doc ? DocIndexEntries : TechIndexEntries;
  }

  /// Writes one template as a piece, with the lists of kind. The template's lines are filled,
  /// looked at for keyword lines and written one after the other, so that a line is let go before
  /// the next is made (a long title makes long lines); the template itself is left as it is.
  void Emit(DocKind kind, const std::string& outFile, const std::string& inFile,
            std::string_view title, const Lines& tmpl, const std::string& ownFile);
  /// Whether a template line holds a placeholder (and so needs filling).
  static bool HoldsPlaceholder(std::string_view line);

  /// The "%LINK%" value of one piece, worked out when a line first asks for it. The link of a
  /// long title is not kept as a string of its own: a line that takes it gets it mapped again
  /// piece by piece, straight into the line.
  struct PieceLink {
    enum class Form {
      Unknown,
      Title,   ///< the converted title is its own link
      Mapped,  ///< link holds it
      Streamed ///< only size is known; MapLinkCharsInPieces makes the bytes
    };
    Form form = Form::Unknown;
    std::string link;
    size_t size = 0;
    void Work(std::string_view convertedTitle, const CharacterTable& table);
  };
  /// SubstitutePlaceholders of one line of a piece.
  void SubstituteLine(std::string& line, const std::string& outFile, const std::string& inFile,
                      std::string_view title, PieceLink& link);

  /// ExtractKeywordEntries on lines that come one at a time: Keep tells whether a line stays
  /// in the piece, and a marker line's text goes into the entry list. A filter serves one
  /// piece.
  class KeywordFilter {
  public:
    KeywordFilter(const CharacterTable& table, const std::string& page, std::string_view keyword,
                  std::vector<KeywordEntry>& list);
    /// False for a marker line (its text, moved out of line, becomes an entry) and for the
    /// up to three "<BR>" or empty lines directly after one.
    bool Keep(std::string& line);
    /// Keep for a line that is not to be moved: a marker line's text is copied into its entry.
    bool Keep(std::string_view line);

  private:
    /// True for a "<BR>" or empty line that goes with the marker line before it.
    bool DropsAfterMarker(std::string_view line);
    /// Adds the text after a marker as an entry of the list.
    void AddEntry(std::string entry);

    const CharacterTable& table_;
    std::string marker_;
    std::string_view fileName_; ///< the name of the page, within the path the filter was given
    std::vector<KeywordEntry>& list_;
    int dropAfter_ = 0; ///< how many more "<BR>" or empty lines go with the last marker line
  };
  /// A page header that keeps the title recorded for the page, if any.
  void WritePageHeader(DocKind kind, const Lines& tmpl, const std::string& outFile,
                       const std::string& inFile, std::string_view title,
                       const std::string& ownFile);
  /// Appends bytes to a per-source page: to its stream while ProcessFile has one, else
  /// straight to the file.
  void AppendToPage(const std::string& page, std::string_view bytes);

  /// Starts the stream of page (PageStream): create replaces the old file by an empty one now;
  /// otherwise the old file is deleted and the page's file made only if it gets written.
  void BeginPage(const std::string& page, bool create);
  /// Writes the rest of page's stream and closes it.
  void FlushPage(const std::string& page);
  /// Deletes page and drops its stream.
  void DropPage(const std::string& page);
  /// After a failure: finishes every open stream, ignoring further failures, so the pages
  /// hold what was written up to the failure.
  void FlushAllPages() noexcept;
  /// Keeps what a listing of folder (ListFolder with its error) says about the pages in it.
  void KeepListing(const std::string& folder, const std::vector<DirEntry>& entries, int error);
  /// ProcessFile, or nothing when inFile turned out to be no regular file (it was skipped
  /// with a warning, and no page was touched). ready, when given, is what Prepare made of it.
  std::optional<int> ProcessSource(const std::string& inFile, Prepared* ready = nullptr);

  /// Checks a block that starts at line (from 1) of inFile and goes to page, with context id
  /// id and title, and adds what the help project will trip over to Warnings.
  void CheckContextId(DocKind kind, const std::string& inFile, int line, const std::string& page,
                      const std::string& id, std::string_view title);
  /// inFile is about to write or delete the per-source page: warns when an earlier source of
  /// this run wrote it.
  void ClaimPage(const std::string& page, const std::string& inFile);

  /// ConvertChars of raw with the generator's tables. While a source file is processed the
  /// tables stay as they are and the same paths and titles come back for every piece, so the
  /// last result per slot is kept then.
  /// How a slot's raw value becomes page text.
  enum class Source {
    Text,     ///< Windows-1252 text: ConvertChars
    HtmlPath, ///< a path in HTML text: characters Windows-1252 lacks become references
    TextPath, ///< a path in a keyword line: they become "?", the line's ";" stay separators
  };
  /// The result is raw itself when conversion would not change it.
  std::string_view Converted(size_t slot, std::string_view raw, Source source = Source::Text);
  /// Values up to this length are kept for the next piece; a longer one is converted again.
  static constexpr size_t kMemoLimit = size_t{64} << 10;
  struct ConvertedText {
    std::string raw;
    std::string converted;
    bool valid = false;
    bool same = false; ///< conversion leaves raw as it is
  };
  std::array<ConvertedText, 5> converted_;
  bool keepConverted_ = false;

  Lines loadedTags_; ///< the lines of "HTMLTags.txt" as loaded
  /// Upper-case path -> title of PageTitles (the last record for a path wins), and how many
  /// records of PageTitles it covers; rebuilt when PageTitles changed in length.
  mutable std::unordered_map<std::string, std::string> titleIndex_;
  mutable size_t indexedTitles_ = 0;
  /// The per-source pages of the file being processed, written as they grow.
  std::unordered_map<std::string, PageStream> pageStreams_;

  /// Per kind: context id -> where it was first found; page key -> its first context id.
  std::array<std::unordered_map<std::string, SourceLine>, 2> idSeen_;
  std::array<std::unordered_map<std::string, std::string>, 2> pageIds_;
  /// Page key -> the source whose blocks the per-source page holds now.
  std::unordered_map<std::string, std::string> pageSources_;
  /// Keys of the per-source pages written in this run.
  std::unordered_set<std::string> pagesWritten_;
  /// Page folder -> the names of its entries that are no folders; nothing for a folder that
  /// could not be listed (anything may be there). Kept only while a run goes on.
  std::unordered_map<std::string, std::optional<std::unordered_set<std::string>>> listings_;
  bool keepListings_ = false;
  /// Keys of the per-source pages written or deleted in this run: a source among them is read
  /// again on its turn, not taken from a worker that may have read it before.
  std::unordered_set<std::string> pagesTouched_;
  /// The run's time counters in nanoseconds (RunTimes); worker threads add to them.
  mutable std::atomic<int64_t> readNs_{0}, convertNs_{0}, writeNs_{0}, waitNs_{0};
};

} // namespace qm

// One run of the generator: its inputs, the result it fills, and what it keeps while it goes
// (the per-source pages being written, the own pages, the titles of existing pages, what it
// knows of the page folders). TGenerator::Run makes one per run, so nothing of a run is left
// for the next.
#pragma once

#include "base/AnsiText.h"
#include "engine/DocKind.h"
#include "engine/Generator.h"
#include "engine/HeldPages.h"
#include "engine/OwnPages.h"
#include "engine/PageFolders.h"
#include "engine/PageSink.h"
#include "engine/Progress.h"
#include "engine/Quelle.h"
#include "engine/RunResult.h"
#include "engine/SourceEncoding.h"
#include "engine/Templates.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qm {

template <typename Result> class Prefetch;

class KeywordFilter;
struct Piece;

class GeneratorRun {
public:
  /// A source's per-source pages, by kind (PagePathOf).
  using SourcePages = std::array<std::string, 2>;

  /// A run with these inputs that fills result. All of them must outlive it and stay as they
  /// are while it runs.
  GeneratorRun(const GeneratorTables& tables, const GeneratorOptions& options,
               const TemplateSet& templates, RunResult& result);
  GeneratorRun(const GeneratorRun&) = delete;
  GeneratorRun& operator=(const GeneratorRun&) = delete;

  /// The run over quelle's files, as TGenerator::Run describes it.
  void Run(const TQuelle& quelle, ProgressSink* progress);
  /// Processes one source file; returns its number of lines.
  int ProcessFile(const std::string& inFile);
  /// Thrown by the filling of a line that would grow beyond kFilledLineFactor times its
  /// title plus kFilledLineSlack; the block scan words it with the source and line.
  struct FilledLineTooLong {};
  static constexpr size_t kFilledLineFactor = 16;
  static constexpr size_t kFilledLineSlack = size_t{64} << 10;

  /// Fills the placeholders ("%DATE%", "%TITLE%", ...) of lines in place.
  void SubstitutePlaceholders(Lines& lines, const std::string& outFile, const std::string& inFile,
                              std::string_view title);

  // Page writers. A piece goes to its own page when it names one, else to its source's page;
  // its contents and index lines become entries of the writer's kind.
  /// Writes the template of kind for part; a page header keeps the title recorded for its page.
  void WriteTemplate(DocKind kind, TemplatePart part, const Piece& piece);
  /// Writes a block's converted text; the kind is the target's (Tech when its name contains
  /// ".tech.htm").
  void WriteBlockText(const Piece& piece, const std::string& text);
  /// Appends lines to the own page of piece; a page new to the run gets its page header
  /// (Doc when the lower-case name contains ".doc.htm", else Tech) first.
  void AppendToOwnPage(const Piece& piece, Lines lines);
  /// Writes the page footer of every own page and saves them (TExtraAusgabeDateien::SaveAll).
  size_t SaveOwnPages();
  const TExtraAusgabeDateien& OwnPages() const { return ownPages_; }

  /// Records path and title of every "*.Doc.htm" and "*.Tech.htm" page in the output folder.
  void CollectPageTitles();
  /// The recorded title of the page name (compared without regard to case; the last match
  /// wins), or nothing.
  std::optional<std::string> FindPageTitle(std::string_view name) const;

private:
  struct PieceLink;   // below
  struct ConvertMemo; // below
  struct BlockScan;   // the block extraction of one source file
  struct Prepared;    // what a worker thread did of one source file ahead of its turn

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
  /// Reads inFile and converts its blocks without touching the run's state or the disk: the
  /// part of ProcessFile that may run on a worker thread ahead of the file's turn.
  std::unique_ptr<Prepared> Prepare(const std::string& inFile, const SourcePages& pages) const;
  /// How the sources are decoded: as the options say, but byte for byte with OemToAnsi.
  SourceEncoding SourceEncodingOf() const;
  /// On a source's turn: the warning, count and codes of how it was read.
  void NoteReading(const std::string& inFile, const DecodedSource& decoded);
  /// ProcessFile, or nothing when inFile turned out to be no regular file (it was skipped
  /// with a warning, and no page was touched). ready, when given, is what Prepare made of it.
  /// pages, when given, are its per-source pages.
  std::optional<int> ProcessSource(const std::string& inFile, Prepared* ready = nullptr,
                                   const SourcePages* pages = nullptr);

  /// What a block's text puts on a page: its bytes without its contents and index lines, and
  /// the texts of those lines, which become entries of the page once it is known.
  struct BlockBytes {
    std::string written;
    Lines toc;
    Lines index;
    size_t Weight() const;
  };
  /// The BlockBytes of a block's text. inLines says that text is lines each ended by CR LF, as
  /// ExtractContextId leaves it, so that joining its lines again would give it unchanged. It
  /// depends on the text and the tables alone, so a worker thread makes it ahead of the
  /// block's turn.
  static BlockBytes SplitBlock(std::string text, const CharacterTable& chars, bool inLines = false);
  /// Writes a block's bytes and adds its entries to the lists of its page's kind (they are
  /// moved there).
  void WriteBlock(const Piece& piece, BlockBytes& bytes);
  /// Writes template id as a piece with the lists of kind. The template's lines are filled,
  /// looked at for keyword lines and written one after the other, so that a line is let go
  /// before the next is made (a long title makes long lines); the template itself is left as
  /// it is. With replacedAt set, replacement stands in for that line.
  void Emit(DocKind kind, TemplateId id, const Piece& piece, size_t replacedAt = std::string::npos,
            std::string_view replacement = {});
  /// The lines of template id filled for piece, its contents and index lines taken out by toc
  /// and index; take(line, fill) gets each line that stays, which is filled when fill is set
  /// and the template's line otherwise. With replacedAt set, replacement stands in for that
  /// line. Results of conversions are kept in memo.
  template <typename Take>
  void FillTemplate(TemplateId id, const Piece& piece, PieceLink& link, ConvertMemo& memo,
                    KeywordFilter& toc, KeywordFilter& index, std::string& filled,
                    size_t replacedAt, std::string_view replacement, const Take& take) const;
  /// What Emit puts on a per-source page for a block's header or footer, made ahead of the
  /// block's turn by a worker with its own memo: the bytes and the entry texts. Nothing when
  /// the template shows the clock (read as the piece is written) or a line cannot be filled
  /// (it fails on the piece's turn).
  std::optional<BlockBytes> TemplateBytes(DocKind kind, TemplatePart part, const Piece& piece,
                                          ConvertMemo& memo) const;
  /// Writes what TemplateBytes made to piece's per-source page and adds its entries to the
  /// lists of kind (they are moved there), as Emit would.
  void WriteTemplateBytes(DocKind kind, const Piece& piece, BlockBytes& bytes);
  /// A page header that keeps the title recorded for the page, if any.
  void WritePageHeader(DocKind kind, TemplateId id, const Piece& piece);
  /// The kind of a page by its name: named when the lower-case name holds named's page
  /// extension, else the other. A block's text asks with Tech, an own page's header and
  /// footer with Doc, so a name holding both extensions or neither is told apart as it always
  /// was.
  static DocKind KindByName(std::string_view page, DocKind named);
  /// Whether a template line holds a placeholder (and so needs filling).
  static bool HoldsPlaceholder(std::string_view line);
  /// A placeholder in a template line: where it starts, and its place in the filling order.
  struct PlaceholderAt {
    uint32_t offset = 0;
    uint32_t index = 0;
    bool joined = false; ///< another placeholder follows or precedes it with nothing between
  };
  /// What Emit needs to know of a template line before any piece fills it.
  struct TemplateLine {
    uint32_t held = 0;   ///< the placeholders it holds, one bit each; 0: used as it stands
    bool marked = false; ///< it holds the marker prefix, so it may be a keyword line
    /// Its placeholders from left to right, when filling them in one pass gives the line that
    /// filling one placeholder after the other gives; empty otherwise.
    std::vector<PlaceholderAt> slots;
  };
  static TemplateLine LookAt(std::string_view line);
  /// True when the line holds "%DATE%" or "%TIME%".
  static bool ShowsClock(const TemplateLine& line);
  /// The slots of a template line: its placeholders from left to right, or none when filling
  /// them in one pass could give another line than filling one after the other.
  static std::vector<PlaceholderAt> OnePassSlots(std::string_view line);

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

public:
  /// What a worker made of a block's title ahead of the block's turn, so that the writing
  /// thread does not convert it and work out its link name.
  struct PreparedTitle {
    std::string converted; ///< the title as page text, when conversion changes it
    bool same = false;     ///< conversion leaves the title as it is
    PieceLink link;        ///< worked out from the page text
    /// The title's page text, as Converted gives it; title is the raw title.
    std::string_view Text(std::string_view title) const { return same ? title : converted; }
  };

private:
  /// The PreparedTitle of a title, which a worker makes ahead of the block's turn; nothing for
  /// a title too long to keep (its piece converts it when filled).
  std::optional<PreparedTitle> PrepareTitle(std::string_view title) const;
  /// Fills template line (looked at as info) into filled in one pass over its slots. False,
  /// with filled unspecified, when a value holds a "%", a joined slot's value is made of
  /// letters of placeholder names alone (a later placeholder could then match across it), or
  /// the line could grow too long: SubstituteLine fills it then.
  bool FillInOnePass(std::string& filled, std::string_view line, const TemplateLine& info,
                     const std::string& outFile, const std::string& inFile, std::string_view title,
                     PieceLink& link, ConvertMemo& memo,
                     const PreparedTitle* prepared = nullptr) const;
  /// SubstitutePlaceholders of one line of a piece; held are the placeholders the line holds.
  void SubstituteLine(std::string& line, uint32_t held, const std::string& outFile,
                      const std::string& inFile, std::string_view title, PieceLink& link,
                      ConvertMemo& memo) const;

  /// Appends bytes to a per-source page: to its stream while ProcessFile has one, else
  /// straight to the file. Codes of characters that Windows-1252 lacks are written as
  /// references.
  void AppendToPage(const std::string& page, std::string_view bytes);
  /// Starts the stream of page (PageStream): create replaces the old file by an empty one now;
  /// otherwise the old file is deleted and the page's file made only if it gets written.
  /// seen is what was read of the page's file earlier in the run (SeenAtStart), if anything;
  /// plain says that a regular file was found at page a moment ago (ClaimPage).
  void BeginPage(const std::string& page, bool create,
                 std::shared_ptr<const FileSnapshot> seen = nullptr, bool plain = false);
  /// Ends page's stream: the page is put in place when no later source of the run can write
  /// it, else held until the last one is done.
  void FlushPage(const std::string& page);
  /// Deletes page and drops its stream; a page that an earlier source of this run wrote stays
  /// (KeepPage), only the stream is dropped.
  void DropPage(const std::string& page, const std::string& inFile, size_t claimed);
  /// After a failure: finishes every open stream, ignoring further failures, so the pages
  /// hold what was written up to the failure.
  void FlushAllPages() noexcept;
  /// Whether the source being processed is the last of the run whose per-source page has key.
  bool LastSourceOf(const std::string& key) const;

  /// Checks a block that starts at line (from 1) of inFile and goes to page, with context id
  /// id and title, and adds what the help project will trip over to the warnings.
  void CheckContextId(DocKind kind, const std::string& inFile, int line, const std::string& page,
                      const std::string& id, std::string_view title);
  /// inFile is about to write or delete the per-source page: warns when an earlier source of
  /// this run wrote it, or when the file there holds a documentation start marker at the start
  /// of an HTML comment (it was written by hand). seen, when given, is what was read of that
  /// file earlier in the run (SeenAtStart), or just now (fresh); plain, when given, tells
  /// whether the file was found to be still as seen. Returns the position of the warning
  /// about the earlier source in the run's warnings, or npos: KeepPage words it anew.
  size_t ClaimPage(const std::string& page, const std::string& inFile,
                   const FileSnapshot* seen = nullptr, bool fresh = false, bool* plain = nullptr);
  /// Whether page may be a file that the disk held before the run: no source of the run wrote
  /// or deleted it yet, and the listing of its folder does not rule it out.
  bool MayHoldOldPage(const std::string& page);
  /// inFile gives no block to the per-source page that an earlier source of this run wrote:
  /// the page stays as that source left it, and the warning at position claimed says so.
  void KeepPage(const std::string& page, const std::string& inFile, size_t claimed);
  /// inFile writes the own page page: warns when it is the per-source page of another source
  /// of the run.
  void ClaimOwnPage(const std::string& page, const std::string& inFile);
  /// Warns (at line of inFile) when page's name holds what the help project's files cannot.
  void CheckPageName(const std::string& page, const std::string& inFile, int line);
  /// The per-source page of kind for inFile: beside it, or in the output folder.
  std::string PagePathOf(const std::string& inFile, DocKind kind) const;
  /// The files of quelle without those that are the per-source page of one of them, and
  /// sourcePages_, pagesOfSources_ and the last source of each page (pageBook_) filled.
  Lines SourcesWithoutPages(const Lines& files);

  /// ConvertChars of raw with the run's tables. While a source file is processed the tables
  /// stay as they are and the same paths and titles come back for every piece, so the last
  /// result per slot is kept then.
  /// How a slot's raw value becomes page text.
  enum class Source {
    Text,     ///< Windows-1252 text: ConvertChars
    HtmlPath, ///< a path in HTML text: characters Windows-1252 lacks become references
    TextPath, ///< a path in a keyword line: they become "?", the line's ";" stay separators
  };
  /// The result is raw itself when conversion would not change it.
  std::string_view Converted(size_t slot, std::string_view raw, Source source = Source::Text) {
    return ConvertedIn(converted_, slot, raw, source);
  }
  /// Values up to this length are kept for the next piece; a longer one is converted again.
  static constexpr size_t kMemoLimit = size_t{64} << 10;
  struct ConvertedText {
    std::string raw;
    std::string converted;
    bool valid = false;
    bool same = false; ///< conversion leaves raw as it is
  };
  /// The last result per slot, kept while keep is set: the writing thread's for the source
  /// being processed, or a worker's own for the source it prepares.
  struct ConvertMemo {
    std::array<ConvertedText, 5> slots;
    bool keep = false;
    std::string filled; ///< a worker's buffer for filled template lines, kept between pieces
  };
  /// Converted with the results kept in memo.
  std::string_view ConvertedIn(ConvertMemo& memo, size_t slot, std::string_view raw,
                               Source source = Source::Text) const;

  /// Adds the time since start to counter (nanoseconds); returns it.
  static int64_t AddTime(std::atomic<int64_t>& counter, int64_t start);
  static int64_t NowNs();

  const GeneratorTables& tables_;
  const GeneratorOptions& options_;
  const TemplateSet& templates_;
  RunResult& result_;
  /// LookAt of every line of every template, by TemplateId, while Run goes on: every piece
  /// would otherwise look at each line again. Empty outside Run, where Emit looks itself.
  std::array<std::vector<TemplateLine>, kTemplateCount> templateLines_;

  TExtraAusgabeDateien ownPages_;
  /// The folder that the help project's names start from: the output folder, or without one
  /// the input folder.
  std::string pageRoot_;
  PageFolders folders_;
  ConvertMemo converted_;
  /// The workers fill block headers and footers ahead (StartPreparing sets it before they
  /// start).
  bool templatesAhead_ = false;
  /// A source read so far held codes of characters that Windows-1252 lacks, so the pages are
  /// looked at for them as they are written.
  bool foreign_ = false;
  /// Pages of the output folder that were read whole while their titles were read, by path
  /// (within a byte budget): a source's turn takes its pages from here instead of reading them
  /// again. Only the writing thread uses it.
  std::unordered_map<std::string, std::shared_ptr<const FileSnapshot>> startPages_;
  /// What was read of page with its title at the start of the run (startPages_), else ahead:
  /// what a worker read of it before its source's turn, if anything.
  std::shared_ptr<const FileSnapshot> SeenAtStart(const std::string& page,
                                                  std::shared_ptr<const FileSnapshot> ahead) const;
  /// A page up to this size is read whole ahead of its source's turn (with its title, or by a
  /// worker); a larger one is compared on the writing thread as it is written.
  static constexpr size_t kPageReadLimit = size_t{256} << 10;
  /// Upper-case path -> title of the existing pages (the last record for a path wins), and how
  /// many records it covers; rebuilt when their number changed.
  mutable std::unordered_map<std::string, std::string> titleIndex_;
  mutable size_t indexedTitles_ = 0;
  /// PathCaseKey of page. A source's two pages are asked for their key again and again while
  /// it is processed, so the last keys made are kept (on the writing thread only). The
  /// reference holds until the key of a third page is asked for.
  const std::string& PageKey(std::string_view page) const;
  struct PageKeyMemo {
    std::string page;
    std::string key;
  };
  mutable std::array<PageKeyMemo, 2> pageKeys_;
  mutable size_t nextPageKey_ = 0;
  /// The per-source pages of the file being processed, written as they grow: its Doc and its
  /// Tech page, so a look along them is cheaper than hashing a path for every piece appended.
  std::vector<PageStream> pageStreams_;
  /// The stream of page among pageStreams_, or end().
  std::vector<PageStream>::iterator StreamOf(std::string_view page);
  /// Emit's buffers, kept from one piece to the next.
  struct EmitScratch {
    std::string pending;
    std::string filled;
  } emitScratch_;
  /// Per-source pages that a later source of the run may still write or leave.
  HeldPages heldPages_;
  /// What the run knows of a per-source page.
  struct PageBook {
    /// The position in the run's sources of the last source with the page; npos when files
    /// are processed one by one (each page is put in place at once).
    size_t lastSource = std::string::npos;
    /// The source of this run whose blocks the page holds now; empty before one wrote it.
    std::string source;
    /// Written or deleted in this run: a source at its place is read again on its turn, not
    /// taken from a worker that may have read it before.
    bool touched = false;
  };
  /// Page key -> what the run knows of the page. One entry per page, however many of these
  /// facts are known of it.
  std::unordered_map<std::string, PageBook> pageBook_;
  /// The book of the page with key, if the run knows anything of it.
  const PageBook* BookOf(const std::string& key) const;
  /// The per-source pages of the run's sources, by kind, in the sources' order.
  std::vector<SourcePages> pagesOfSources_;
  /// The position of the source being processed.
  size_t sourceIndex_ = 0;

  /// Per kind: context id -> where it was first found; page key -> its first context id.
  std::array<std::unordered_map<std::string, SourceLine>, 2> idSeen_;
  std::array<std::unordered_map<std::string, std::string>, 2> pageIds_;
  /// The per-source pages of every source of the run -> the source.
  std::unordered_map<std::string, std::string> sourcePages_;
  /// The run's time counters in nanoseconds (RunTimes); worker threads add to them.
  mutable std::atomic<int64_t> readNs_{0}, convertNs_{0}, writeNs_{0}, waitNs_{0};
};

/// One piece of a page and what it is written with.
struct Piece {
  const std::string& outFile; ///< the source's page; the output placeholders describe it
  const std::string& inFile;  ///< the source
  std::string_view title;
  const std::string& ownFile; ///< the own page the piece goes to instead, or empty
  const Origin& origin;       ///< given to the piece's contents and index entries
  /// The title's page text and link, when a worker made them ahead of the piece's turn.
  GeneratorRun::PreparedTitle* madeTitle = nullptr;
};

} // namespace qm

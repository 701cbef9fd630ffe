// The literal texts of the Help Workshop input files: file names, section and frame lines,
// and the messages of the run. All of them are Windows-1252 bytes.
#pragma once

namespace qm {

/// Separates a page from an anchor in a link.
inline constexpr char kAnchorSep = '#';
/// Separates the pieces of a file name ("Main", "Doc", "htm").
inline constexpr char kNamePieceSep = '.';

// File names. A kind's files are folder + title + "." + kind + ".hhp", folder +
// "Table of Contents." + kind + ".hhc", folder + "Index." + kind + ".hhk" and folder + kind +
// one of the map or alias suffixes.
inline constexpr const char* kProjectFileExt = ".hhp";
inline constexpr const char* kCompiledFileExt = ".chm";
inline constexpr const char* kContentsFilePrefix = "Table of Contents.";
inline constexpr const char* kContentsFileExt = ".hhc";
inline constexpr const char* kIndexFilePrefix = "Index.";
inline constexpr const char* kIndexFileExt = ".hhk";
inline constexpr const char* kMapSuffixC = "Map.h";
inline constexpr const char* kMapSuffixPascal = "MapU.pas";
inline constexpr const char* kMapSuffixJava = "Map.java";
inline constexpr const char* kAliasSuffix = "Alias.h";
/// Templates of the map-file heads, read from the program folder for every map file.
inline constexpr const char* kMapHeaderTemplate = "Header.txt";
inline constexpr const char* kMapCommentTemplate = "Comment.txt";

// Project file (.hhp).
inline constexpr const char* kHhpOptions = "[OPTIONS]";
inline constexpr const char* kHhpCompatibility = "Compatibility=1.1 or later";
inline constexpr const char* kHhpCompiledFile = "Compiled file=";
inline constexpr const char* kHhpContentsFile = "Contents file=";
inline constexpr const char* kHhpDefaultTopic = "Default topic=";
inline constexpr const char* kHhpCompileProgress = "Display compile progress=Yes";
inline constexpr const char* kHhpFullTextSearch = "Full-text search=Yes";
inline constexpr const char* kHhpIndexFile = "Index file=";
inline constexpr const char* kHhpLanguage = "Language=";
inline constexpr const char* kHhpFiles = "[FILES]";
inline constexpr const char* kHhpAlias = "[ALIAS]";
inline constexpr const char* kHhpMap = "[MAP]";
inline constexpr const char* kHhpInfoTypes = "[INFOTYPES]";
inline constexpr const char* kHhpIncludeAlias = "#include %sAlias.h";
inline constexpr const char* kHhpIncludeMap = "#include %sMap.h";

// Contents and index files (.hhc, .hhk): the frame, then the items. Indents are part of the
// texts.
inline constexpr const char* kSitemapDoctype = "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">";
inline constexpr const char* kSitemapHtml = "<HTML>";
inline constexpr const char* kSitemapHead = "<HEAD>";
inline constexpr const char* kSitemapGenerator =
    "<meta name=\"GENERATOR\" content=\"Microsoft&reg; HTML Help Workshop 4.1\">";
inline constexpr const char* kSitemapVersion = "<!-- Sitemap 1.0 -->";
inline constexpr const char* kSitemapBodyStart = "</HEAD><BODY>";
inline constexpr const char* kSitemapPropertiesStart = "<OBJECT type=\"text/site properties\">";
inline constexpr const char* kSitemapFolderImage = "  <param name=\"ImageType\" value=\"Folder\">";
inline constexpr const char* kSitemapObjectEnd = "</OBJECT>";
inline constexpr const char* kSitemapListStart = "<UL>";
inline constexpr const char* kSitemapListEnd = "</UL>";
inline constexpr const char* kSitemapBodyEnd = "</BODY></HTML>";

inline constexpr const char* kTocFolderStart = "  <LI> <OBJECT type=\"text/sitemap\">";
inline constexpr const char* kTocFolderName = "  <param name=\"Name\" value=\"%s\">";
inline constexpr const char* kTocFolderImage = "  <param name=\"ImageNumber\" value=\"1\">";
inline constexpr const char* kTocFolderObjectEnd = "  </OBJECT>";
inline constexpr const char* kTocFolderListStart = "  <UL>";
inline constexpr const char* kTocFolderListEnd = "  </UL>";
inline constexpr const char* kTocTopicStart = "    <LI> <OBJECT type=\"text/sitemap\">";
inline constexpr const char* kTocTopicName = "      <param name=\"Name\" value=\"%s\">";
inline constexpr const char* kTocTopicLocal = "      <param name=\"Local\" value=\"%s\">";
inline constexpr const char* kTocTopicEnd = "      </OBJECT>";

inline constexpr const char* kIndexItemStart = "  <LI> <OBJECT type=\"text/sitemap\">";
inline constexpr const char* kIndexItemName = "    <param name=\"Name\" value=\"%s\">";
inline constexpr const char* kIndexItemLocal = "    <param name=\"Local\" value=\"%s\">";
inline constexpr const char* kIndexItemEnd = "    </OBJECT>";

// Map files: placeholders of the head templates and their fixed values.
inline constexpr const char* kPlaceholderType = "%TYPE%";
inline constexpr const char* kPlaceholderFile = "%FILE%";
inline constexpr const char* kPlaceholderYear = "%YEAR%";
inline constexpr const char* kPlaceholderDateTime = "%DATETIME%";
inline constexpr const char* kMapTypeC = "FILE:       ";
inline constexpr const char* kMapTypePascal = "UNIT:       ";
inline constexpr const char* kMapTypeJava = "CLASS:      ";
/// "%FILE%" is padded with blanks to this width (a longer name stays whole).
inline constexpr unsigned kMapFileFieldWidth = 10;
inline constexpr const char* kMapNameC = "Map";
inline constexpr const char* kMapNamePascal = "MapU";

/// Context symbols: the prefix, the separator before each name piece, and the replacements
/// (applied one after the other) that squeeze a title into a name.
inline constexpr const char* kSymbolPrefix = "IDH";
inline constexpr char kSymbolSeparator = '_';
struct TextReplacement {
  const char* from;
  const char* to;
};
inline constexpr TextReplacement kSymbolReplacements[] = {
    {" ", ""}, {".", "_"}, {"::", "_"}, {"-", ""}};

// C header.
inline constexpr const char* kCCommentStart = "/*";
inline constexpr const char* kCCommentEnd = "*/";
/// Include guard around the upper-case map name, e.g. "_DOCMAP_H_".
inline constexpr const char* kCGuard = "_%s_H_";
inline constexpr const char* kCIfndef = "#ifndef %s";
inline constexpr const char* kCDefineGuard = "#define %s";
inline constexpr const char* kCDefine = "#define %s %s";
inline constexpr const char* kCEndif = "#endif";
// Pascal unit.
inline constexpr const char* kPascalCommentStart = "{";
inline constexpr const char* kPascalCommentEnd = "}";
inline constexpr const char* kPascalUnit = "unit %s;";
inline constexpr const char* kPascalInterface = "interface";
inline constexpr const char* kPascalConst = "const";
inline constexpr const char* kPascalConstant = "  %s = %s;";
inline constexpr const char* kPascalImplementation = "implementation";
inline constexpr const char* kPascalEnd = "end.";
// Java class.
inline constexpr const char* kJavaClass = "public class %s {";
inline constexpr const char* kJavaConstant = "  final public int %s = %s;";
inline constexpr const char* kJavaClassEnd = "}";

// Alias file.
inline constexpr const char* kAliasLine = "%s=%s";

// Messages of the run and their help context numbers. The first text holds "\n" escapes,
// expanded to line breaks before it is shown.
inline constexpr const char* kMsgNoConversionYet =
    "Diese Funktion k\xF6"
    "nnen Sie erst dann nutzen,\\nwenn Sie die HTML-Ausgabe erstellt haben\\n"
    "(innerhalb einer Sitzung).";
inline constexpr int kHelpNoConversionYet = 702;
inline constexpr const char* kMsgProjectsWritten =
    "Das/die Projekt(e) wurde(n) im Ausgabeordner erzeugt!";
inline constexpr int kHelpProjectsWritten = 703;
/// A title that cannot name files in the output folder (absolute, with a separator, "." or
/// "..", or with a control character that would split the project's lines): the title.
inline constexpr const char* kMsgBadHelpTitle = "Der Titel \"%s\" ist kein g\xFCltiger Dateiname";

// Warnings of the run (Windows-1252).
/// The help project has no title: its files are named ".Doc.hhp" and so on.
inline constexpr const char* kWarnEmptyHelpTitle =
    "Das Help-Projekt hat keinen Titel; seine Dateien hei\xDF"
    "en \".Doc.hhp\", \".Doc.chm\" usw.";
/// A context symbol that is no C identifier: the symbol.
inline constexpr const char* kWarnBadSymbol =
    "Das Kontext-Symbol %s ist kein g\xFC"
    "ltiger C-Bezeichner; die Map-Datei l\xE4\xDFt sich so nicht \xFC"
    "bersetzen";

// Compiling a project into a help file.
/// A help compiler: the name it is looked up by, and the exit status with which it reports
/// success.
struct HelpCompilerKind {
  const char* name;
  int successStatus;
};
#ifdef _WIN32
/// HTML Help Workshop's compiler, which exits with 1 on success, is taken where it is
/// installed; otherwise Free Pascal's chmcmd, which exits with 0.
inline constexpr HelpCompilerKind kHelpCompilers[] = {{"hhc", 1}, {"chmcmd", 0}};
/// HTML Help Workshop's folder below a folder of installed programs, and its compiler there.
inline constexpr const char* kHhcInstallPath = "HTML Help Workshop\\hhc.exe";
/// Neither compiler is found: both names.
inline constexpr const char* kErrNoHelpCompiler =
    "Es wurde kein Hilfe-Compiler gefunden: weder %s.exe (HTML Help Workshop, in seinem "
    "Installationsordner oder im Suchpfad PATH) noch %s.exe (Free Pascal, im Suchpfad PATH)";
#else
/// The help compiler, looked up in PATH, and the Debian package it comes in.
inline constexpr HelpCompilerKind kHelpCompilers[] = {{"chmcmd", 0}};
inline constexpr const char* kHelpCompilerPackage = "fp-utils";
/// The compiler is not installed: the compiler, the package twice.
inline constexpr const char* kErrNoHelpCompiler =
    "Der Hilfe-Compiler %s wurde nicht gefunden (weder installiert noch im Suchpfad PATH). "
    "Er geh\xF6rt zum Paket %s; installieren Sie es mit: sudo apt-get install %s";
#endif
/// The lines of a compile: the project file comes first on each.
inline constexpr const char* kMsgCompileFault = "%s: %s";
inline constexpr const char* kMsgCompileStatus = "%s: %s endete mit Status %d";
inline constexpr const char* kMsgCompileSignal = "%s: %s wurde durch Signal %d beendet";
inline constexpr const char* kMsgCompiled = "%s: Hilfedatei %s geschrieben";
/// Lines of the compiler's output that report a fault start with one of these words
/// (without regard to case), followed by ":".
inline constexpr const char* kCompilerFaultWords[] = {"Error", "Warning"};
/// The fault words that make a compile fail, also when the compiler exits with 0.
inline constexpr const char* kCompilerErrorWord = "Error";

} // namespace qm

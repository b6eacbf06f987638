// The manual's examples against the real code: every tagged block of docs/*.md is
// parsed, run or compiled as the system would, and must say what the system does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "ManualBlocks.h"
#include "ManualLaunch.h"
#include "config/IniFile.h"
#include "config/LegacyConfig.h"
#include "config/ScratchFolder.h"
#include "jvm/JavaVirtualMachine.h"
#include "jvm/JvmOptionList.h"
#include "launch/MessageCatalog.h"
#include "launch/PackageSettings.h"
#include "launch/PackageTestPlatform.h"
#include "launch/StartLauncher.h"
#include "launch/UserJvmOptions.h"
#include "platform/PlatformString.h"

namespace {

using testing::ElementsAreArray;

std::string Utf8(const std::wstring& text) { return PlatformString::WideStringToMultibyteString(text); }
std::wstring Wide(const std::string& text) { return PlatformString::MultibyteStringToWideString(text); }

// How an example is read: a package configuration in either format, or a user JVM
// options file, which must also be exactly what the launcher writes for its entries.
enum class Format { Sectioned, Flat, UserFile };

// An entry the parsed example holds; a null value: the section lacks the key.
struct Entry {
  const wchar_t* section;
  const wchar_t* key;
  const wchar_t* value;
};

struct ExampleClaim {
  const char* name;
  Format format;
  std::vector<Entry> entries;
};

const std::vector<Entry> kDemoEntries = {
    {L"Application", L"app.mainjar", L"demo.jar"},
    {L"Application", L"app.mainclass", L"lv.tarsel.demo.Main"},
    {L"Application", L"app.runtime", L"$APPDIR\\runtime"},
    {L"Application", L"app.preferences.id", L"lv/tarsel/demo"},
    {L"Application", L"app.identifier", L"lv.tarsel.demo"},
    {L"JVMOptions", L"-Dfile.encoding", L"UTF-8"},
    {L"JVMOptions", L"-Ddemo.home", L"$PACKAGEDIR"},
    {L"JVMOptions", L"-Xss2m", L""},
    {L"JVMUserOptions", L"-Xmx", L"512m"},
    {L"JVMUserOptions", L"-Ddemo.colour=", L"blue"},
    {L"ArgOptions", L"-new", L""},
};

// Every example= block of the manual and what it must hold.
const std::vector<ExampleClaim> kExamples = {
    {"format-rules", Format::Sectioned,
     {{L"Application", L"app.mainjar", L"demo.jar"},
      {L"Application", L"app.identifier", L"lv.tarsel.demo"},
      {L"JVMOptions", L"-Xss2m", L""},
      {L"JVMOptions", L"-Dtwice", L"1"},
      {L"JVMOptions", L"-Dtwice", L"2"}}},
    {"pitfall-blanks", Format::Sectioned,
     {{L"Application", L"app.mainjar ", L" demo.jar"}, {L"Application", L"app.mainjar", nullptr}}},
    {"demo", Format::Sectioned, kDemoEntries},
    {"demo-flat", Format::Flat, kDemoEntries},
    {"key-mainjar", Format::Sectioned, {{L"Application", L"app.mainjar", L"lib/quendra3.jar"}}},
    {"key-mainclass", Format::Sectioned, {{L"Application", L"app.mainclass", L"lv.tarsel.quendra.Main"}}},
    {"key-classpath", Format::Sectioned, {{L"Application", L"app.classpath", L"lib/signing.jar:lib/pdf.jar"}}},
    {"key-runtime", Format::Sectioned, {{L"Application", L"app.runtime", L"$APPDIR\\runtime"}}},
    {"key-preferences-id", Format::Sectioned, {{L"Application", L"app.preferences.id", L"lv/tarsel/quendra"}}},
    {"key-identifier", Format::Sectioned, {{L"Application", L"app.identifier", L"lv.tarsel.quendra"}}},
    {"key-memory", Format::Sectioned, {{L"Application", L"app.memory", L"50%"}}},
    {"key-splash", Format::Sectioned, {{L"Application", L"app.splash", L"images/splash.png"}}},
    {"section-jvmoptions", Format::Sectioned,
     {{L"JVMOptions", L"-Dfile.encoding", L"UTF-8"},
      {L"JVMOptions", L"-Xss2m", L""},
      {L"JVMOptions", L"-Dquendra.logs", L"$APPDATADIR\\lv.tarsel.quendra\\logs"},
      {L"JVMOptions", L"-javaagent:$APPDIR\\agent\\trace.jar", L""},
      {L"JVMOptions", L"-Dtwice", L"1"},
      {L"JVMOptions", L"-Dtwice", L"2"}}},
    {"section-jvmuseroptions", Format::Sectioned,
     {{L"JVMUserOptions", L"-Xmx", L"768m"},
      {L"JVMUserOptions", L"-Dquendra.theme=", L"dark"},
      {L"JVMUserOptions", L"-Dquendra.language", L"=lv"},
      {L"JVMUserOptions", L"-XX:+UseSerialGC", L""}}},
    {"pitfall-user-property", Format::Sectioned, {{L"JVMUserOptions", L"-Dquendra.mode", L"fast"}}},
    {"section-argoptions", Format::Sectioned,
     {{L"ArgOptions", L"-new", L""}, {L"ArgOptions", L"--profile", L"office"}, {L"ArgOptions", L"C:\\Docs\\Welcome.pdf", L""}}},
    {"macros", Format::Sectioned,
     {{L"Application", L"app.runtime", L"$APPDIR\\runtime"},
      {L"Application", L"app.identifier", L"lv.tarsel.quendra"},
      {L"JVMOptions", L"-Dquendra.install", L"$APPDIR"},
      {L"JVMOptions", L"-Dquendra.package", L"$PACKAGEDIR"},
      {L"JVMOptions", L"-Dquendra.launcher", L"$LAUNCHERDIR"},
      {L"JVMOptions", L"-Dquendra.appdata", L"$APPDATADIR"},
      {L"JVMOptions", L"-Dquendra.jre", L"$JREHOME"},
      {L"JVMOptions", L"-Dquendra.cache", L"$CACHEDIR"},
      {L"JVMOptions", L"-Dquendra.vm", L"$JAVAVMLIBRARYNAME"}}},
    {"cds-auto", Format::Sectioned,
     {{L"Application", L"app.appcds.cache", L"auto"},
      {L"Application", L"app.identifier", L"lv.tarsel.demo"},
      {L"JVMOptions", L"-Dfile.encoding", L"UTF-8"},
      {L"AppCDSJVMOptions", L"-Xshare:auto", L""},
      {L"AppCDSJVMOptions", L"-XX:SharedArchiveFile", L"$CACHEDIR\\demo.jsa"},
      {L"AppCDSGenerateCacheJVMOptions", L"-Xshare:dump", L""},
      {L"AppCDSGenerateCacheJVMOptions", L"-XX:SharedArchiveFile", L"$CACHEDIR\\demo.jsa"}}},
    {"user-file", Format::UserFile,
     {{L"JVMUserOverrideOptions", L"-Xmx", L"1024m"},
      {L"JVMUserOverrideOptions", L"-Ddemo.colour=", L"green"},
      {L"JVMUserOverrideOptions", L"-Ddemo.trace=", L"on"}}},
};

struct LaunchClaim {
  const char* block;          // the launch= name
  const char* configuration;  // the example that is app\quendra3.cfg
  std::vector<std::wstring> arguments;
  // Package files; a content "@name" is the text of that example block.
  std::vector<PackageFile> files;
  // True: the block is the whole view. False: its lines occur in the view, in order.
  bool complete;
};

const std::vector<std::wstring> kDemoArguments = {L"-sign", L"Jānis Bērziņš.edoc"};

// Every launch= block, with the package and command line it shows; one block may
// show several packages.
const std::vector<LaunchClaim> kLaunches = {
    {"demo", "demo", kDemoArguments, {}, true},
    {"demo", "demo-flat", kDemoArguments, {}, true},
    {"key-mainjar", "key-mainjar", {}, {}, false},
    {"key-mainclass", "key-mainclass", {}, {}, false},
    {"key-classpath", "key-classpath", {}, {}, false},
    {"key-preferences-id", "key-preferences-id", {}, {}, false},
    {"key-memory", "key-memory", {}, {}, false},
    {"key-splash", "key-splash", {}, {{L"app\\images\\splash.png", "png"}}, false},
    {"section-jvmoptions", "section-jvmoptions", {}, {}, false},
    {"section-jvmuseroptions", "section-jvmuseroptions", {}, {}, false},
    {"pitfall-user-property", "pitfall-user-property", {}, {}, false},
    {"section-argoptions", "section-argoptions", {}, {}, false},
    {"macros", "macros", {}, {}, false},
    {"cds-auto", "cds-auto", {}, {}, true},
    {"cds-generate", "cds-auto", {L"-Xappcds:generatecache", L"-Xapp:child"}, {}, true},
    {"user-file", "demo", {}, {{L"roaming\\lv.tarsel.demo\\packager\\jvmuserargs.cfg", "@user-file"}}, false},
};

// Every key of the message catalog; the manual shows each text in a message= block.
const char* const kCatalogKeys[] = {
    "library.not.found",     "failed.creating.jvm",   "failed.locating.jvm.entry.point",
    "no.main.class.specified", "method.not.found",    "class.not.found",
    "error.invoking.method", "appcds.cache.file.not.found",
};

struct NativeMethod {
  const char* name;
  const char* signature;
};

struct NativesClaim {
  const char* block;  // the natives= name
  const char* definitions;
  const char* definitions32;  // the 32-bit export names with their argument sizes, if any
  std::vector<NativeMethod> methods;
};

// The Java classes of the manual (natives= blocks) and the libraries they bind to.
const std::vector<NativesClaim> kNatives = {
    {"lumapack", "library/launch/lumapack64.def", "library/launch/lumapack32.def",
     {{"_getUserJvmOptionDefaultKeys", "()[Ljava/lang/String;"},
      {"_getUserJvmOptionDefaultValue", "(Ljava/lang/String;)Ljava/lang/String;"},
      {"_getUserJvmOptionKeys", "()[Ljava/lang/String;"},
      {"_getUserJvmOptionValue", "(Ljava/lang/String;)Ljava/lang/String;"},
      {"_setUserJvmKeysAndValues", "([Ljava/lang/String;[Ljava/lang/String;)V"}}},
    {"pennaroo", "installer/pennaroo.def", nullptr,
     {{"jniElevateAndWait", "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;)I"},
      {"jniSendMessage", "(Ljava/lang/String;Ljava/lang/String;[Ljava/lang/String;[Ljava/lang/String;)I"}}},
};

struct LogClaim {
  const char* block;
  std::vector<std::wstring> commandLine;  // argument 0 included
};

// The log= blocks and the command line whose lines they show.
const std::vector<LogClaim> kLogs = {
    {"explorer-sign", {L"C:\\Program Files (x86)\\Quendra 3\\quendra3.exe", L"-signpdf", L"C:\\Docs\\Līgums.pdf"}},
};

const std::vector<ManualBlock>& Blocks() {
  static const std::vector<ManualBlock> blocks = ReadTaggedBlocks();
  return blocks;
}

// The one block of that kind and name; the test fails when there is none or several.
const ManualBlock* FindBlock(const std::string& kind, const std::string& name) {
  const ManualBlock* found = nullptr;
  int count = 0;
  for (const ManualBlock& block : Blocks()) {
    auto value = block.attributes.find(kind);
    if (value == block.attributes.end() || value->second != name) continue;
    found = &block;
    ++count;
  }
  if (count == 1) return found;
  ADD_FAILURE() << "the manual needs exactly one block " << kind << "=" << name;
  return nullptr;
}

std::string ExampleText(const std::string& name) {
  const ManualBlock* block = FindBlock("example", name);
  return block != nullptr ? block->text : std::string();
}

// A temporary folder of native paths, for the tools that the tests run.
class NativeFolder {
 public:
  NativeFolder() {
    static unsigned serial = 0;
    path = std::filesystem::temp_directory_path() /
           ("quendra-manual-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(path);
  }
  ~NativeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path path;
};

std::string ReadNative(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// True when every line of `part` occurs in `whole`, in the same order.
bool OccursInOrder(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  size_t next = 0;
  for (const std::string& line : part) {
    while (next < whole.size() && whole[next] != line) ++next;
    if (next == whole.size()) return false;
    ++next;
  }
  return true;
}

TEST(ManualTest, EveryTaggedBlockIsCheckedAndEveryCheckedBlockIsThere) {
  std::map<std::string, std::set<std::string>> expected;
  for (const ExampleClaim& e : kExamples) expected["example"].insert(e.name);
  for (const LaunchClaim& l : kLaunches) expected["launch"].insert(l.block);
  for (const char* key : kCatalogKeys) expected["message"].insert(key);
  for (const NativesClaim& n : kNatives) expected["natives"].insert(n.block);
  for (const LogClaim& l : kLogs) expected["log"].insert(l.block);
  expected["layout"].insert("demo");

  std::map<std::string, std::multiset<std::string>> found;
  for (const ManualBlock& block : Blocks()) {
    SCOPED_TRACE(block.Where());
    int kinds = 0;
    for (const auto& attribute : block.attributes) {
      if (attribute.first == "file") {
        EXPECT_EQ(1u, block.attributes.count("example")) << "file= belongs to an example";
        continue;
      }
      EXPECT_EQ(1u, expected.count(attribute.first)) << "unknown attribute " << attribute.first;
      found[attribute.first].insert(attribute.second);
      ++kinds;
    }
    EXPECT_EQ(1, kinds);
  }
  for (const auto& kind : expected) {
    SCOPED_TRACE(kind.first);
    const std::multiset<std::string>& inManual = found[kind.first];
    EXPECT_EQ(std::multiset<std::string>(kind.second.begin(), kind.second.end()), inManual)
        << "each name once in the manual, and a row in this test for each";
  }
}

// The example is written to a file and read as the launcher reads a package
// configuration: sectioned first, else converted from the flat format.
TEST(ManualTest, ConfigurationExamplesParseAndHoldTheirKeys) {
  for (const ExampleClaim& claim : kExamples) {
    SCOPED_TRACE(claim.name);
    const ManualBlock* block = FindBlock("example", claim.name);
    if (block == nullptr) continue;
    SCOPED_TRACE(block->Where());
    ScratchFolder folder;
    folder.Write(L"quendra3.cfg", block->text);
    IniFile config;
    bool sectioned = config.LoadFromFile(folder / L"quendra3.cfg");
    if (!sectioned) ConvertLegacyConfig(folder / L"quendra3.cfg", config);
    EXPECT_EQ(claim.format != Format::Flat, sectioned);
    for (const Entry& entry : claim.entries) {
      SCOPED_TRACE(testing::Message() << Utf8(entry.section) << " " << Utf8(entry.key));
      OrderedTable section;
      config.GetSection(entry.section, section);
      if (entry.value == nullptr) {
        EXPECT_FALSE(section.ContainsKey(entry.key));
        continue;
      }
      bool present = false;
      for (const auto& item : section) present = present || (item.key == entry.key && item.value == entry.value);
      EXPECT_TRUE(present) << "value " << Utf8(entry.value);
    }
  }
}

// A user JVM options file in the manual is exactly what the launcher writes for its
// values.
TEST(ManualTest, UserFileExamplesAreWhatTheLauncherWrites) {
  for (const ExampleClaim& claim : kExamples) {
    if (claim.format != Format::UserFile) continue;
    SCOPED_TRACE(claim.name);
    const ManualBlock* block = FindBlock("example", claim.name);
    if (block == nullptr) continue;
    OrderedTable overrides;
    for (const Entry& entry : claim.entries) overrides.Append(entry.key, entry.value);
    ScratchFolder folder;
    WriteUserJvmOptionOverrides(folder / L"jvmuserargs.cfg", L"JVMUserOverrideOptions", overrides);
    std::string expected;
    for (const std::string& line : block->Lines()) expected += line + "\r\n";
    EXPECT_EQ(expected, folder.Read(L"jvmuserargs.cfg")) << block->Where();
  }
}

// The files that demo/run-demo puts into the demo package, below its folder: the
// sources of every "cp" into "$demo/...", and the jar it makes there.
std::vector<std::string> DemoPackageFiles() {
  std::set<std::string> built;
  const std::regex quoted("\"([^\"]*)\"");
  const std::regex jarFile("--file \"\\$demo/([^\"]+)\"");
  for (const std::string& line : SplitLines(ReadSourceFile("demo/run-demo"))) {
    std::smatch jar;
    if (std::regex_search(line, jar, jarFile)) built.insert(jar[1]);
    if (line.compare(0, 3, "cp ") != 0) continue;
    std::vector<std::string> words;
    for (std::sregex_iterator i(line.begin(), line.end(), quoted), end; i != end; ++i) words.push_back((*i)[1]);
    if (words.size() < 2 || words.back().rfind("$demo/", 0) != 0) {
      ADD_FAILURE() << "a copy into the demo package that this test cannot read: " << line;
      continue;
    }
    std::string folder = words.back().substr(6);
    for (size_t i = 0; i + 1 < words.size(); ++i) built.insert(folder + words[i].substr(words[i].rfind('/') + 1));
  }
  return std::vector<std::string>(built.begin(), built.end());
}

TEST(ManualTest, ThePackageExampleIsTheDemo) {
  for (const ManualBlock& block : Blocks()) {
    auto file = block.attributes.find("file");
    if (file == block.attributes.end()) continue;
    EXPECT_EQ(ReadSourceFile(file->second), block.text) << block.Where() << " differs from " << file->second;
  }
  const ManualBlock* layout = FindBlock("layout", "demo");
  ASSERT_NE(nullptr, layout);
  EXPECT_THAT(TreeFiles(layout->Lines()), ElementsAreArray(DemoPackageFiles())) << layout->Where();
}

TEST(ManualTest, LaunchExamplesShowWhatTheLauncherHandsOver) {
  for (const LaunchClaim& claim : kLaunches) {
    SCOPED_TRACE(testing::Message() << claim.block << " from " << claim.configuration);
    const ManualBlock* block = FindBlock("launch", claim.block);
    if (block == nullptr) continue;
    SCOPED_TRACE(block->Where());
    std::vector<PackageFile> files = claim.files;
    for (PackageFile& file : files) {
      if (file.content.rfind('@', 0) == 0) file.content = ExampleText(file.content.substr(1));
    }
    std::vector<std::string> view;
    for (const std::wstring& line : LaunchView(ExampleText(claim.configuration), claim.arguments, files)) {
      view.push_back(Utf8(line));
    }
    if (claim.complete) {
      EXPECT_THAT(view, ElementsAreArray(block->Lines()));
    } else {
      EXPECT_TRUE(OccursInOrder(block->Lines(), view)) << "the launcher hands over:\n"
                                                       << testing::PrintToString(view);
    }
  }
}

// The 2 GB user address space of the 32-bit program: the highest application address
// 0x7FFEFFFF, shifted right by 20 bits.
TEST(ManualTest, MemoryTableFollowsTheHeapRule) {
  const uint64_t kAddressSpace32 = 0x7FFEFFFFull >> 20;
  std::vector<ManualTable> tables = ReadCheckedTables("memory");
  ASSERT_EQ(1u, tables.size());
  ASSERT_FALSE(tables[0].rows.empty());
  for (const std::vector<std::string>& row : tables[0].rows) {
    ASSERT_EQ(3u, row.size());
    std::vector<std::string> heap = CodeSpans(row[2]);
    for (const std::string& value : CodeSpans(row[0])) {
      SCOPED_TRACE(value);
      MemorySize size = ReadMemorySize(Wide(value), kAddressSpace32);
      PackageSettings settings;
      settings.memorySize = size.megabytes;
      settings.hasMemorySize = size.present;
      JvmOptionList options;
      JavaVirtualMachine::AddPackageOptions(settings, OrderedTable(), options);
      JavaVMOption* array = options.BuildOptionArray();
      // The four system properties come first.
      std::vector<std::string> heapOptions;
      for (size_t i = 4; i < options.GetCount(); ++i) heapOptions.push_back(array[i].optionString);
      EXPECT_EQ(heap, heapOptions);
      EXPECT_EQ(size.present ? std::to_string(size.megabytes) : "none", row[1]);
    }
  }
}

// A block's text without the line break that ends its last line.
TEST(ManualTest, MessageTextsAreTheCatalogs) {
  for (const char* key : kCatalogKeys) {
    SCOPED_TRACE(key);
    const ManualBlock* block = FindBlock("message", key);
    if (block == nullptr) continue;
    std::string shown = block->text.substr(0, block->text.size() - 1);
    EXPECT_EQ(Utf8(MessageCatalog::GetInstance().GetMessage(Wide(key))), shown) << block->Where();
  }
}

struct GeneratedNative {
  std::string method;
  std::string signature;
  size_t parameters = 0;
};

// The natives that javac -h declares for a class: method, signature, parameter count.
std::map<std::string, GeneratedNative> ReadGeneratedNatives(const std::filesystem::path& headers) {
  std::map<std::string, GeneratedNative> natives;
  for (const auto& file : std::filesystem::directory_iterator(headers)) {
    std::vector<std::string> lines = SplitLines(ReadNative(file.path()));
    GeneratedNative current;
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      if (line.rfind(" * Method:", 0) == 0) current.method = line.substr(line.find_last_of(' ') + 1);
      if (line.rfind(" * Signature:", 0) == 0) current.signature = line.substr(line.find_last_of(' ') + 1);
      size_t call = line.find("JNICALL ");
      if (call == std::string::npos || i + 1 == lines.size()) continue;
      current.parameters = std::count(lines[i + 1].begin(), lines[i + 1].end(), ',') + 1;
      natives[line.substr(call + 8)] = current;
    }
  }
  return natives;
}

// Export names beginning with "Java_" of a .def file, each with its 32-bit argument
// size when the name carries one ("_Java_x@8 = Java_x@8").
std::map<std::string, int> ReadJniExports(const std::string& definitionFile) {
  std::map<std::string, int> exports;
  const std::regex exported("^\\s+_?(Java_[A-Za-z0-9_]+)(@([0-9]+))?");
  for (const std::string& line : SplitLines(ReadSourceFile(definitionFile))) {
    std::smatch match;
    if (std::regex_search(line, match, exported)) exports[match[1]] = match[3].matched ? std::stoi(match[3]) : -1;
  }
  return exports;
}

// Compiles the block's class with javac -h; false when it does not compile.
bool GenerateNativeHeaders(const ManualBlock& block, const std::filesystem::path& folder) {
  std::smatch className;
  if (!std::regex_search(block.text, className, std::regex("public (final )?class (\\w+)"))) return false;
  std::filesystem::path source = folder / (className[2].str() + ".java");
  std::ofstream(source, std::ios::binary) << block.text;
  std::string command = std::string("\"") + QUENDRA_JAVAC + "\" -h \"" + (folder / "h").string() + "\" -d \"" +
                        (folder / "classes").string() + "\" \"" + source.string() + "\" 2>&1";
  return std::system(command.c_str()) == 0;
}

template <typename Map>
std::vector<std::string> KeysOf(const Map& map) {
  std::vector<std::string> keys;
  for (const auto& entry : map) keys.push_back(entry.first);
  return keys;
}

// The natives of the manual's class are exactly the library's JNI exports, with the
// Java signatures the library implements; on 32-bit each export's argument size is
// the natives' parameter count times four.
TEST(ManualTest, JavaClassesBindToTheExports) {
  for (const NativesClaim& claim : kNatives) {
    SCOPED_TRACE(claim.block);
    const ManualBlock* block = FindBlock("natives", claim.block);
    if (block == nullptr) continue;
    NativeFolder folder;
    ASSERT_TRUE(GenerateNativeHeaders(*block, folder.path)) << block->Where() << " does not compile";
    std::map<std::string, GeneratedNative> natives = ReadGeneratedNatives(folder.path / "h");
    EXPECT_EQ(KeysOf(ReadJniExports(claim.definitions)), KeysOf(natives));
    std::vector<std::string> methods, expected;
    for (const auto& n : natives) methods.push_back(n.second.method + n.second.signature);
    for (const NativeMethod& m : claim.methods) expected.push_back(std::string(m.name) + m.signature);
    EXPECT_THAT(methods, testing::UnorderedElementsAreArray(expected));
    if (claim.definitions32 == nullptr) continue;
    for (const auto& exported : ReadJniExports(claim.definitions32)) {
      SCOPED_TRACE(exported.first);
      auto native = natives.find(exported.first);
      ASSERT_NE(natives.end(), native);
      EXPECT_EQ(static_cast<int>(native->second.parameters * 4), exported.second);
    }
  }
}

// The log lines of the launcher's own arguments are compared after their time stamp;
// every line has the manual's form.
TEST(ManualTest, LogExampleIsWhatTheLauncherWrites) {
  const std::regex stamped("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} [A-Za-z_:]+\\(\\) \\[\\d+\\] .*$");
  const size_t kStampLength = 20;
  for (const LogClaim& claim : kLogs) {
    SCOPED_TRACE(claim.block);
    const ManualBlock* block = FindBlock("log", claim.block);
    if (block == nullptr) continue;
    NativeFolder profile;
    std::filesystem::create_directories(profile.path / ".tarsel" / "quendra3");
    std::ofstream(profile.path / ".tarsel" / "quendra3" / "packager.log");
    ::setenv("USERPROFILE", profile.path.c_str(), 1);
    std::vector<const wchar_t*> argv;
    for (const std::wstring& argument : claim.commandLine) argv.push_back(argument.c_str());
    PackageTestPlatform platform;
    ReadLauncherFlags(platform, static_cast<int>(argv.size()), argv.data());
    ::unsetenv("USERPROFILE");

    std::vector<std::string> written;
    for (const std::string& line : SplitLines(ReadNative(profile.path / ".tarsel" / "quendra3" / "packager.log"))) {
      EXPECT_TRUE(std::regex_match(line, stamped)) << line;
      written.push_back(line.substr(kStampLength));
    }
    std::vector<std::string> shown;
    for (const std::string& line : block->Lines()) {
      EXPECT_TRUE(std::regex_match(line, stamped)) << block->Where() << ": " << line;
      if (line.compare(kStampLength, 15, "start_launcher(") == 0) shown.push_back(line.substr(kStampLength));
    }
    EXPECT_EQ(written, shown) << block->Where();
  }
}

}  // namespace

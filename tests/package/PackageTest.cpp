// The Debian package, as a user gets it: cpack builds it from this build tree,
// dpkg unpacks it into a temporary root, and from there the programs run and
// convert, the desktop entry and the software-centre metadata validate, the
// .bmx type registers with its glob and parent, the shell completion offers
// what the tool takes, and the help, the manual page and the completion name
// the same commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "GifBuilder.h"
#include "Programs.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

const TProgramClaim Dpkg{"dpkg", {"dpkg"}, {"--version"}, "Debian 'dpkg' package management program"};

// The package made and unpacked once for all the tests.
struct TUnpacked {
  TUnpacked();
  TTempDir Dir;
  std::string Deb;
  fs::path Usr;         // the unpacked root's usr/
  std::string Problem;  // why there is no package; empty when there is one
  std::string Skip;     // why the tests cannot run here
};

TUnpacked::TUnpacked() {
  const TFoundProgram dpkg = FindProgram(Dpkg);
  if (!dpkg) {
    Skip = dpkg.Reason;
    return;
  }
  const TProgramRun cpack = RunProgram(KORVANE_CPACK, {"--config", KORVANE_BUILD_DIR "/CPackConfig.cmake", "-B",
                                                       Dir.File("out")}, {}, std::chrono::seconds(1800));
  if (!cpack.Finished || cpack.ExitStatus != 0) {
    Problem = "cpack failed:\n" + cpack.Output + cpack.Errors;
    return;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(Dir.File("out")))
    if (entry.path().extension() == ".deb") Deb = entry.path().string();
  const TProgramRun unpack = RunProgram(dpkg.Path, {"-x", Deb, Dir.File("root")});
  if (Deb.empty() || unpack.ExitStatus != 0) Problem = "no package to unpack: " + unpack.Errors;
  Usr = Dir.Path() / "root" / "usr";
}

class Package : public ::testing::Test {
protected:
  void SetUp() override {
    static const TUnpacked made;
    if (!made.Skip.empty()) GTEST_SKIP() << made.Skip;
    ASSERT_TRUE(made.Problem.empty()) << made.Problem;
    Made = &made;
  }
  std::string Installed(const std::string& path) const { return (Made->Usr / path).string(); }
  // The program found by its version output; empty when it is not installed.
  std::string Tool(const TProgramClaim& claim) {
    const TFoundProgram found = FindProgram(claim);
    return found ? found.Path : std::string();
  }
  const TUnpacked* Made = nullptr;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// The first word of each line of the help's command list.
std::vector<std::string> HelpCommands(const std::string& help) {
  std::vector<std::string> commands;
  bool listing = false;
  for (const std::string& line : Lines(help)) {
    if (listing && line.rfind("  ", 0) != 0) break;
    if (listing) commands.push_back(line.substr(2, line.find(' ', 2) - 2));
    if (line == "Commands:") listing = true;
  }
  return commands;
}

TEST_F(Package, FieldsNameTheProgramAndTheLibrariesItLinks) {
  const TProgramRun fields = RunProgram(FindProgram(Dpkg).Path, {"-f", Made->Deb, "Package", "Section", "Depends",
                                                                  "Maintainer", "Description"});
  ASSERT_EQ(fields.ExitStatus, 0) << fields.Errors;
  for (const char* field : {"Package: korvane\n", "Section: graphics\n", "Maintainer: The Korvane developers <",
                            "Description: animations and logos for monochrome phone displays\n Korvane turns"})
    EXPECT_NE(fields.Output.find(field), std::string::npos) << field << " not in\n" << fields.Output;
  // dpkg-shlibdeps names the C library and Qt's widgets with their least versions.
  for (const char* dependency : {"libc6 (>= ", "libqt6widgets6 (>= "})
    EXPECT_NE(fields.Output.find(dependency), std::string::npos) << dependency << " not in\n" << fields.Output;
}

TEST_F(Package, FilesLieWhereTheDesktopLooksForThem) {
  std::vector<std::string> expected{"bin/korvane",
                                    "bin/korvane-cli",
                                    "share/applications/io.github.korvane.Korvane.desktop",
                                    "share/metainfo/io.github.korvane.Korvane.metainfo.xml",
                                    "share/mime/packages/korvane.xml",
                                    "share/man/man1/korvane.1",
                                    "share/man/man1/korvane-cli.1",
                                    "share/bash-completion/completions/korvane-cli",
                                    "share/icons/hicolor/scalable/apps/korvane.svg"};
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    expected.push_back("share/icons/hicolor/" + folder + "/apps/korvane.png");
  }
  for (const std::string& path : expected) EXPECT_TRUE(fs::is_regular_file(Installed(path))) << path;
  for (const char* program : {"bin/korvane", "bin/korvane-cli"})
    EXPECT_NE(fs::status(Installed(program)).permissions() & fs::perms::others_exec, fs::perms::none) << program;
}

TEST_F(Package, UnpackedProgramsTellTheirVersionAndConvert) {
  for (const char* program : {"korvane", "korvane-cli"}) {
    const TProgramRun version = RunProgram(Installed(std::string("bin/") + program), {"--version"});
    EXPECT_EQ(version.ExitStatus, 0) << program << version.Errors;
    EXPECT_EQ(version.Output.rfind(std::string(program) + " " KORVANE_VERSION, 0), 0u) << version.Output;
  }
  // Four frames of a 4 x 2 screen, each one pixel black and one white.
  TGifBuilder gif;
  gif.Header(4, 2, 0x80).ColorTable({0x000000, 0xFFFFFF});
  for (std::uint8_t k = 0; k < 4; ++k) {
    TBytes indices(8, 1);
    indices[k] = 0;
    gif.Image(4, 2, indices, 2);
  }
  WriteWholeFile(Made->Dir.File("in.gif"), gif.Trailer().Bytes());
  const TProgramRun ours = RunProgram(Installed("bin/korvane-cli"),
                                      {"gif2bmx", Made->Dir.File("in.gif"), Made->Dir.File("unpacked.bmx")});
  ASSERT_EQ(ours.ExitStatus, 0) << ours.Errors;
  const TProgramRun built = RunProgram(KORVANE_CLI, {"gif2bmx", Made->Dir.File("in.gif"), Made->Dir.File("built.bmx")});
  ASSERT_EQ(built.ExitStatus, 0) << built.Errors;
  const TBytes strip = ReadWholeFile(Made->Dir.File("unpacked.bmx"));
  EXPECT_EQ(strip, ReadWholeFile(Made->Dir.File("built.bmx")));
  EXPECT_EQ(strip.size(), 62u + 8u * 4u);  // headers, two colours, eight rows of four bytes
}

TEST_F(Package, DesktopEntryAndMetainfoValidate) {
  const std::string desktop = Tool({"desktop-file-validate", {"desktop-file-validate"}, {"--help"},
                                    "Validate desktop entry files"});
  const std::string appstream = Tool({"AppStream", {"appstreamcli"}, {"--version"}, "AppStream version"});
  if (desktop.empty() || appstream.empty()) GTEST_SKIP() << "desktop-file-utils or appstream is not installed";
  const TProgramRun entry = RunProgram(desktop, {Installed("share/applications/io.github.korvane.Korvane.desktop")});
  EXPECT_EQ(entry.ExitStatus, 0) << entry.Output << entry.Errors;
  EXPECT_EQ(entry.Output + entry.Errors, "");
  const TProgramRun metainfo =
      RunProgram(appstream, {"validate", "--no-net", Installed("share/metainfo/io.github.korvane.Korvane.metainfo.xml")});
  EXPECT_EQ(metainfo.ExitStatus, 0) << metainfo.Output << metainfo.Errors;
}

TEST_F(Package, BmxTypeRegistersWithItsGlobAndParent) {
  const std::string update = Tool({"shared-mime-info", {"update-mime-database"}, {"-v"}, "(shared-mime-info)", true});
  if (update.empty()) GTEST_SKIP() << "shared-mime-info is not installed";
  const fs::path mime = Made->Dir.Path() / "mime";
  fs::create_directories(mime / "packages");
  fs::copy_file(Installed("share/mime/packages/korvane.xml"), mime / "packages" / "korvane.xml",
               fs::copy_options::overwrite_existing);
  const TProgramRun run = RunProgram(update, {mime.string()});
  ASSERT_EQ(run.ExitStatus, 0) << run.Errors;
  const auto text = [&](const char* name) {
    const TBytes bytes = ReadWholeFile((mime / name).string());
    return std::string(bytes.begin(), bytes.end());
  };
  EXPECT_NE(text("globs2").find(":image/x-bmx:*.bmx\n"), std::string::npos) << text("globs2");
  EXPECT_EQ(text("subclasses"), "image/x-bmx image/bmp\n");
  EXPECT_NE(text("magic").find("[50:image/x-bmx]\n>0=\x00\x02" "BM"), std::string::npos);
}

// What the unpacked completion offers for the words, the last one being completed.
std::vector<std::string> Completions(const std::string& script, const std::vector<std::string>& words) {
  std::vector<std::string> arguments{"-c",
                                     "source \"$1\"; COMP_WORDS=(\"${@:2}\"); COMP_CWORD=$(($# - 2)); _korvane_cli; "
                                     "printf '%s\\n' \"${COMPREPLY[@]}\"",
                                     "bash", script};
  arguments.insert(arguments.end(), words.begin(), words.end());
  const TProgramRun run = RunProgram(FindProgram({"bash", {"bash"}, {"--version"}, "GNU bash"}).Path, arguments);
  EXPECT_EQ(run.ExitStatus, 0) << run.Errors;
  std::vector<std::string> offered = Lines(run.Output);
  offered.erase(std::remove(offered.begin(), offered.end(), ""), offered.end());
  std::sort(offered.begin(), offered.end());
  return offered;
}

TEST_F(Package, CompletionOffersCommandsOptionsAndFiles) {
  if (!FindProgram({"bash", {"bash"}, {"--version"}, "GNU bash"})) GTEST_SKIP() << "bash is not installed";
  const std::string script = Installed("share/bash-completion/completions/korvane-cli");
  const std::string dir = Made->Dir.File("files/");
  fs::create_directories(dir + "sub");
  WriteWholeFile(dir + "anim.gif", {});
  WriteWholeFile(dir + "strip.bmx", {});
  const struct {
    std::vector<std::string> Words;
    std::vector<std::string> Offered;
  } cases[] = {
      {{"korvane-cli", "g"}, {"gif2bmx"}},
      {{"korvane-cli", "r"}, {"render", "rewrite"}},
      {{"korvane-cli", "-"}, {"--help", "--version"}},
      {{"korvane-cli", "dump", "-"}, {"--format", "--help"}},
      {{"korvane-cli", "dump", "--format", ""}, {"bmp", "gif"}},
      {{"korvane-cli", "dump", "--format", "g"}, {"gif"}},
      {{"korvane-cli", "gif2bmx", dir + "a"}, {dir + "anim.gif"}},
      {{"korvane-cli", "gif2bmx", dir + "anim.gif", dir + "s"}, {dir + "strip.bmx", dir + "sub"}},
      {{"korvane-cli", "dump", "--format", "bmp", dir + "st"}, {dir + "strip.bmx"}},
      {{"korvane-cli", "c"}, {"convert"}},
      {{"korvane-cli", "convert", "--to", "pb"}, {"pbm", "pbm-plain"}},
      {{"korvane-cli", "convert", "--la"}, {"--layout"}},
      {{"korvane-cli", "convert", "--layout", "p"}, {"pages"}},
      {{"korvane-cli", "convert", dir + "anim.gif", dir + "s"}, {dir + "strip.bmx", dir + "sub"}},
  };
  for (const auto& [words, offered] : cases)
    EXPECT_EQ(Completions(script, words), offered) << ::testing::PrintToString(words);
}

TEST_F(Package, HelpManualPageAndCompletionNameTheSameCommands) {
  const TProgramRun help = RunProgram(Installed("bin/korvane-cli"), {"--help"});
  std::vector<std::string> commands = HelpCommands(help.Output);
  EXPECT_GE(commands.size(), 6u) << help.Output;
  const TBytes page = ReadWholeFile(Installed("share/man/man1/korvane-cli.1"));
  const std::string manual(page.begin(), page.end());
  for (const std::string& command : commands)
    EXPECT_NE(manual.find(".SS \"" + command + " "), std::string::npos) << command << " is not in the manual page";
  for (const char* status : {".B 0\n", ".B 1\n", ".B 2\n", ".BR \\-h \", \" \\-\\-help\n", ".B \\-\\-version\n"})
    EXPECT_NE(manual.find(status), std::string::npos) << status << " is not in the manual page";
  if (!FindProgram({"bash", {"bash"}, {"--version"}, "GNU bash"})) return;
  std::sort(commands.begin(), commands.end());
  EXPECT_EQ(Completions(Installed("share/bash-completion/completions/korvane-cli"), {"korvane-cli", ""}), commands);
}

}  // namespace

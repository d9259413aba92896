// The folders of the raster layer and of the GIF codec rank: no folder includes
// from one that includes back from it, directly or around a longer circle.
#include "FolderIncludes.h"

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace {

void WriteLines(const TTempDir& dir, const std::string& relative, const std::string& text) {
  std::filesystem::create_directories((dir.Path() / relative).parent_path());
  WriteWholeFile(dir.File(relative), std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace

TEST(FolderIncludes, TheLibrariesFoldersHaveNoCircle) {
  for (const char* library : {"raster", "GIFImage"}) {
    SCOPED_TRACE(library);
    const TFolderIncludes graph(std::filesystem::path(KORVANE_SOURCE_DIR) / library);
    EXPECT_GT(graph.FileCount(), 20);
    EXPECT_FALSE(graph.Edges().empty());
    EXPECT_EQ(graph.Circle(), "");
  }
}

TEST(FolderIncludes, FindsACircleThroughBareAndPathNamesAndTheRoot) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> Files;
    std::string Circle;
  };
  const Case cases[] = {
      {{{"a/A.h", "#include \"B.h\"\n"}, {"b/B.h", "#include <vector>\n"}}, ""},
      {{{"a/A.cpp", "#include \"B.h\"\n"}, {"b/B.h", ""}, {"b/B.cpp", "  #include \"../a/A.h\"\n"}, {"a/A.h", ""}},
       "a -> b (A.cpp includes B.h) -> a (B.cpp includes ../a/A.h)"},
      {{{"Top.h", "#include \"a/A.h\"\n"}, {"a/A.h", "#include \"c/C.h\"\n"}, {"c/C.h", "#include \"Top.h\"\n"}},
       ". -> a (Top.h includes a/A.h) -> c (A.h includes c/C.h) -> . (C.h includes Top.h)"},
  };
  for (const Case& c : cases) {
    TTempDir dir;
    for (const auto& [name, text] : c.Files) WriteLines(dir, name, text);
    EXPECT_EQ(TFolderIncludes(dir.Path()).Circle(), c.Circle);
  }
}

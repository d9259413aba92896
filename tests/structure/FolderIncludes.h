// The include graph between the folders of one library: every .h and .cpp
// under the library's root, each include line resolved to a file of the
// library (by its path from the including folder or the root, else by its
// bare name, as the library's include directories find it), and each
// include that crosses folders recorded as an edge. The root's own files
// make a node too, named ".".
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

struct TFolderEdge {
  std::string From;
  std::string To;
  std::string Example;  // "Canvas.cpp includes Bitmap.h"
};

class TFolderIncludes {
public:
  explicit TFolderIncludes(const std::filesystem::path& root);

  int FileCount() const { return static_cast<int>(FFolderOf.size()); }
  // Every folder edge, one example include each.
  const std::map<std::pair<std::string, std::string>, TFolderEdge>& Edges() const { return FEdges; }
  // A circle of folders, each edge with its example ("a -> b (x.cpp
  // includes y.h) -> a (...)"); empty when the folders rank.
  std::string Circle() const;

private:
  void ReadIncludes(const std::filesystem::path& file);
  std::string Resolve(const std::filesystem::path& from, const std::string& name) const;

  std::filesystem::path FRoot;
  std::map<std::string, std::string> FFolderOf;          // path from root -> folder
  std::multimap<std::string, std::string> FPathsByName;  // bare file name -> path from root
  std::map<std::pair<std::string, std::string>, TFolderEdge> FEdges;
};

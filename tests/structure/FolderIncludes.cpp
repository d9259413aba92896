#include "FolderIncludes.h"

#include <fstream>
#include <functional>
#include <regex>
#include <set>

namespace fs = std::filesystem;

namespace {

std::string FolderName(const fs::path& relative) {
  const fs::path parent = relative.parent_path();
  return parent.empty() ? "." : parent.generic_string();
}

bool IsSource(const fs::path& file) { return file.extension() == ".h" || file.extension() == ".cpp"; }

}  // namespace

TFolderIncludes::TFolderIncludes(const fs::path& root) : FRoot(root) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file() || !IsSource(entry.path())) continue;
    const fs::path relative = entry.path().lexically_relative(root);
    FFolderOf[relative.generic_string()] = FolderName(relative);
    FPathsByName.emplace(relative.filename().string(), relative.generic_string());
    files.push_back(entry.path());
  }
  for (const fs::path& file : files) ReadIncludes(file);
}

std::string TFolderIncludes::Resolve(const fs::path& from, const std::string& name) const {
  const fs::path fromFolder = from.lexically_relative(FRoot).parent_path();
  for (const fs::path& candidate : {(fromFolder / name).lexically_normal(), fs::path(name).lexically_normal()})
    if (FFolderOf.count(candidate.generic_string()) != 0) return candidate.generic_string();
  if (name.find('/') != std::string::npos) return {};
  // A bare name: the including file's own folder first, as the compiler looks.
  auto [first, last] = FPathsByName.equal_range(name);
  if (first == last) return {};
  for (auto it = first; it != last; ++it)
    if (FFolderOf.at(it->second) == FolderName(from.lexically_relative(FRoot))) return it->second;
  return first->second;
}

void TFolderIncludes::ReadIncludes(const fs::path& file) {
  static const std::regex includeLine(R"(^\s*#\s*include\s*"([^"]+)\")");
  const std::string from = FolderName(file.lexically_relative(FRoot));
  std::ifstream in(file);
  std::string line;
  std::smatch match;
  while (std::getline(in, line)) {
    if (!std::regex_search(line, match, includeLine)) continue;
    const std::string target = Resolve(file, match[1].str());
    if (target.empty()) continue;
    const std::string to = FFolderOf.at(target);
    if (to == from) continue;
    FEdges.try_emplace({from, to}, TFolderEdge{from, to, file.filename().string() + " includes " + match[1].str()});
  }
}

std::string TFolderIncludes::Circle() const {
  std::map<std::string, std::vector<const TFolderEdge*>> out;
  for (const auto& [key, edge] : FEdges) out[edge.From].push_back(&edge);
  std::set<std::string> done;
  std::vector<const TFolderEdge*> path;
  std::set<std::string> onPath;
  std::string circle;
  std::function<bool(const std::string&)> visit = [&](const std::string& folder) {
    onPath.insert(folder);
    for (const TFolderEdge* edge : out[folder]) {
      path.push_back(edge);
      if (onPath.count(edge->To) != 0) {
        auto start = path.begin();
        while ((*start)->From != edge->To) ++start;
        circle = (*start)->From;
        for (auto it = start; it != path.end(); ++it) circle += " -> " + (*it)->To + " (" + (*it)->Example + ")";
        return true;
      }
      if (done.count(edge->To) == 0 && visit(edge->To)) return true;
      path.pop_back();
    }
    onPath.erase(folder);
    done.insert(folder);
    return false;
  };
  for (const auto& [folder, edges] : out)
    if (done.count(folder) == 0 && visit(folder)) return circle;
  return {};
}

#include "StartArguments.h"

#include <algorithm>

namespace {

bool Named(const std::vector<std::string>& words, std::initializer_list<const char*> names) {
  const auto end = std::find(words.begin(), words.end(), "--");
  return std::any_of(words.begin(), end, [&](const std::string& word) {
    return std::any_of(names.begin(), names.end(), [&](const char* name) { return word == name; });
  });
}

TStartArguments Refused(const std::string& problem) { return {TStartRequest::srUsage, {}, problem}; }

}  // namespace

TStartArguments ParseStartArguments(const std::vector<std::string>& words) {
  if (Named(words, {"--help", "-h"})) return {TStartRequest::srHelp, {}, {}};
  if (Named(words, {"--version"})) return {TStartRequest::srVersion, {}, {}};
  TStartArguments start;
  bool options = true;
  for (const std::string& word : words) {
    if (options && word == "--") {
      options = false;
    } else if (options && word.size() > 1 && word[0] == '-') {
      return Refused("unknown option " + word);
    } else if (!start.FileName.empty()) {
      return Refused("only one file can be opened");
    } else if (word.empty()) {
      return Refused("an empty file name");
    } else {
      start.FileName = word;
    }
  }
  return start;
}

void PrintStartUsage(std::ostream& err) { err << "usage: korvane [FILE]\n       korvane --help | --version\n"; }

void PrintStartHelp(std::ostream& out) {
  out << "korvane makes animations and logos for the monochrome displays of mobile\n"
         "phones: its Converter window turns an animated GIF into a BMX strip and a\n"
         "BMX strip or BMP into a looping GIF; its Logo editor draws phone pictures.\n\n";
  PrintStartUsage(out);
  out << "\nFILE (a GIF, BMX strip or BMP) is opened in the Converter at start, as a\n"
         "file dropped on the window is. Qt's own options (-platform, -style, ...)\n"
         "are taken as well.\n";
}

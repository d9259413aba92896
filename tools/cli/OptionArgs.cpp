#include "OptionArgs.h"

#include <string_view>

template <class TOptions>
std::vector<std::string> TakeOptions(const std::vector<std::string>& args, std::span<const TOptionField<TOptions>> fields,
                                     TOptions& options) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view word = args[i];
    if (!word.starts_with("--")) {
      names.push_back(args[i]);
      continue;
    }
    const std::size_t equals = word.find('=');
    const std::string_view key = word.substr(2, equals == std::string_view::npos ? std::string_view::npos : equals - 2);
    const TOptionField<TOptions>* field = nullptr;
    for (const TOptionField<TOptions>& row : fields)
      if (key == row.Key) field = &row;
    if (field == nullptr) throw EUsage("unknown option " + std::string(word));
    if (equals != std::string_view::npos)
      field->Parse(word.substr(equals + 1), options);
    else if (field->Switch)
      field->Parse("on", options);
    else if (i + 1 < args.size())
      field->Parse(args[++i], options);
    else
      throw EBadOptionValue(field->Key, field->Accepts, "");
  }
  return names;
}

template <class TOptions>
std::optional<std::vector<std::string>> TakeOptionsAndFiles(const std::vector<std::string>& args,
                                                            std::span<const TOptionField<TOptions>> fields,
                                                            TOptions& options, const char* usage, std::ostream& err) {
  try {
    std::vector<std::string> files = TakeOptions(args, fields, options);
    if (files.size() == 2) return files;
  } catch (const EBadOptionValue& error) {
    err << CommandLineText(error) << '\n';
    return std::nullopt;
  } catch (const EUsage& error) {
    err << error.Message() << '\n';
  }
  err << usage;
  return std::nullopt;
}

template std::optional<std::vector<std::string>> TakeOptionsAndFiles(const std::vector<std::string>&,
                                                                     std::span<const TOptionField<StripOptions>>,
                                                                     StripOptions&, const char*, std::ostream&);
template std::optional<std::vector<std::string>> TakeOptionsAndFiles(const std::vector<std::string>&,
                                                                     std::span<const TOptionField<AnimationOptions>>,
                                                                     AnimationOptions&, const char*, std::ostream&);
template std::vector<std::string> TakeOptions(const std::vector<std::string>&, std::span<const TOptionField<StripOptions>>,
                                              StripOptions&);
template std::vector<std::string> TakeOptions(const std::vector<std::string>&,
                                              std::span<const TOptionField<AnimationOptions>>, AnimationOptions&);

std::string CommandLineText(const EBadOptionValue& error) {
  return "bad value \"" + error.Value() + "\" for --" + error.Key() + ": it accepts " + error.Accepts();
}

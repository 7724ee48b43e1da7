#include "tools/CommandLine.h"

#include "tools/ToolErrors.h"

namespace po = boost::program_options;

po::variables_map ParseCommandLine(const std::vector<std::string>& args,
                                   const po::options_description& options,
                                   const po::positional_options_description& positional,
                                   const char* usage) {
    po::variables_map values;
    try {
        po::store(po::command_line_parser(args).options(options).positional(positional).run(),
                  values);
        po::notify(values);
    } catch (const po::error& error) {
        throw UsageError(std::string(error.what()) + "\nusage: kalmora-tool " + usage);
    }
    return values;
}

std::string ParseInputArgument(const std::vector<std::string>& args, const char* usage) {
    po::options_description options;
    options.add_options()("input", po::value<std::string>()->default_value("-"));
    po::positional_options_description positional;
    positional.add("input", 1);
    return ParseCommandLine(args, options, positional, usage)["input"].as<std::string>();
}

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

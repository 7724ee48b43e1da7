#pragma once

#include <boost/program_options.hpp>

#include <string>
#include <vector>

// Parses a command's arguments with its options and positional names; any
// mistake becomes a UsageError carrying the command's usage line.
boost::program_options::variables_map
ParseCommandLine(const std::vector<std::string>& args,
                 const boost::program_options::options_description& options,
                 const boost::program_options::positional_options_description& positional,
                 const char* usage);

// The one optional argument of a command that reads a puzzle: a file name,
// or "-" (the default) for standard input.
std::string ParseInputArgument(const std::vector<std::string>& args, const char* usage);
